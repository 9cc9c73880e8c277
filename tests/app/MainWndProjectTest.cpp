// Projects saved and opened by the main window: the file's mode wins, the name gets its extension, a
// file that cannot be written or read leaves everything as it was.
#include "image/WorkBitmap.h"
#include "library/DSObjMgr.h"
#include "library/Stencil.h"
#include "page/DrawRect.h"
#include "page/Template.h"
#include "page/UndoLayers.h"
#include "platform/base/Archive.h"
#include "platform/base/MemFile.h"
#include "platform/base/Profile.h"
#include "skin/RadioBitmapButton.h"
#include "tests/app/MainWndPageFixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <iterator>
#include <memory>

using ::testing::ElementsAre;

namespace {

std::string ReadAll(const CString& path) {
    std::ifstream in(path.str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const CString& path, const std::string& bytes) {
    std::ofstream(path.str(), std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

class MainWndProjectTest : public MainWndPageTest {
protected:
    // A resource library whose stencils lie in the data folder's "Schablonen".
    void SetUp() override {
        MainWndPageTest::SetUp();
        WriteProfileString("Settings", "DataPath", m_files.Path());
        WriteProfileInt("Settings", "StencilInstallType", 0);
        WriteProfileString("Settings", "StencilDataPath", "\\Schablonen");
        WriteProfileInt("Settings", "PrnTplInstallType", 0);
        WriteProfileString("Settings", "PrnTplDataPath", "\\Vorlagen");
        m_manager = std::make_unique<CDSObjMgr>();
        m_manager->LoadInstallSettings();
    }
    void TearDown() override {
        MainWndPageTest::TearDown();
        m_manager.reset();
    }

    BOOL Checked(CMainWnd::Button button) const {
        return static_cast<CRadioBitmapButton*>(m_window->GetButton(button))->GetCheck();
    }

    // Normal mode with a.bmp, brightness 25 and a stencil of b.bmp.
    void NormalPage() {
        m_services.SetEditMode(FALSE);
        ASSERT_TRUE(m_window->AddPicturesToPage(File("a.bmp")));
        m_window->GetWorkBitmap()->brightness = 25;
        // Stored relative to the stencils' folder.
        std::filesystem::create_directory(File("Schablonen").str());
        std::filesystem::copy_file(File("b.bmp").str(), File("Schablonen/herz.bmp").str());
        auto* stencil = new CStencil;
        stencil->SetFilePath("/herz.bmp");
        stencil->SetRelative(true);
        m_window->SetStencil(stencil);
    }

    std::unique_ptr<CDSObjMgr> m_manager;
};

TEST_F(MainWndProjectTest, BothModesSaveAndOpenAgainAndTheFilesModeWins) {
    NormalPage();
    m_window->SetModified(TRUE);
    ASSERT_TRUE(m_window->SaveProjectFile(File("Urlaub.txt")));
    const CString normalFile = File("Urlaub.txt.qzp");
    EXPECT_TRUE(std::filesystem::exists(normalFile.str()));
    EXPECT_EQ(m_window->GetProjectPath(), normalFile);
    EXPECT_FALSE(m_window->IsModified());

    EditPage();
    ASSERT_TRUE(m_window->SaveProjectFile(File("Seite.QZP")));
    EXPECT_FALSE(std::filesystem::exists(File("Seite.QZP.qzp").str()));

    // Opened in edit mode, the normal project turns the program to normal mode.
    m_window->AddUndo(new CUndoLayers(0, 0));
    m_panelLog.clear();
    ASSERT_TRUE(m_window->LoadProjectFile(normalFile));
    EXPECT_FALSE(m_services.IsEditMode());
    EXPECT_TRUE(Checked(CMainWnd::kNormalMode));
    EXPECT_FALSE(Checked(CMainWnd::kEditMode));
    EXPECT_THAT(m_panelLog, ElementsAre("undo 0", "mode 0"));
    EXPECT_EQ(m_window->GetUndoCount(), 0);
    ASSERT_NE(m_window->GetWorkBitmap(), nullptr);
    EXPECT_EQ(m_window->GetWorkBitmap()->GetFilePath(), File("a.bmp"));
    EXPECT_EQ(m_window->GetWorkBitmap()->brightness, 25);
    ASSERT_NE(m_window->GetNormalStencil(), nullptr);
    EXPECT_EQ(m_window->GetNormalStencil()->GetFilePath(), CString("/herz.bmp"));
    EXPECT_TRUE(m_window->GetNormalStencil()->IsRelative());
    EXPECT_EQ(m_window->GetProjectPath(), normalFile);

    m_panelLog.clear();
    ASSERT_TRUE(m_window->LoadProjectFile(File("Seite.QZP")));
    EXPECT_TRUE(m_services.IsEditMode());
    EXPECT_TRUE(Checked(CMainWnd::kEditMode));
    EXPECT_FALSE(Checked(CMainWnd::kNormalMode));
    EXPECT_THAT(m_panelLog, ElementsAre("undo 0", "mode 1"));
    EXPECT_EQ(Describe(m_window->GetTemplate()), "a.bmp Hallo b.bmp clip");
    EXPECT_EQ(m_services.GetLoadedProjectVersion(), CString("4.1.b"));
}

TEST_F(MainWndProjectTest, AFileThatCannotBeWrittenKeepsWhatWasThere) {
    NormalPage();
    m_window->SetModified(TRUE);
    // A folder stands where the file would go; another name lies in a folder that does not exist.
    std::filesystem::create_directory(File("Ordner.qzp").str());
    for (const CString& path : {File("Ordner.qzp"), File("fehlt/x.qzp")}) {
        SCOPED_TRACE(path.str());
        m_services.ClearMessages();
        EXPECT_FALSE(m_window->SaveProjectFile(path));
        EXPECT_THAT(m_services.MessageIds(), ElementsAre(155u));
        EXPECT_TRUE(m_window->IsModified());
    }
    EXPECT_TRUE(std::filesystem::is_directory(File("Ordner.qzp").str()));

    m_services.ClearMessages();
    m_services.SetEditMode(TRUE);
    EXPECT_FALSE(m_window->SaveProjectFile(File("leer.qzp"))); // edit mode without a page
    m_services.SetEditMode(FALSE);
    m_window->ClearUndo();
    EXPECT_THAT(m_services.MessageIds(), ElementsAre());
}

TEST_F(MainWndProjectTest, AProjectThatCannotBeReadChangesNothing) {
    NormalPage();
    ASSERT_TRUE(m_window->SaveProjectFile(File("gut.qzp")));
    const std::string golden = ReadAll(File("gut.qzp"));
    // Without its picture the project is refused as well.
    std::filesystem::rename(File("a.bmp").str(), File("weg.bmp").str());
    ASSERT_TRUE(m_window->AddPicturesToPage(File("c.bmp")));
    m_window->SetModified(TRUE);
    m_window->AddUndo(new CUndoLayers(0, 0));

    const auto refused = [&](const CString& path, UINT message) {
        m_services.ClearMessages();
        EXPECT_FALSE(m_window->LoadProjectFile(path));
        EXPECT_THAT(m_services.MessageIds(), ElementsAre(message));
        EXPECT_EQ(NameOf(m_window->GetWorkBitmap()->GetFilePath()), "c.bmp");
        EXPECT_EQ(m_window->GetUndoCount(), 1);
        EXPECT_TRUE(m_window->IsModified());
        EXPECT_FALSE(m_services.IsEditMode());
    };
    refused(File("gut.qzp"), 156);
    refused(File("nicht-da.qzp"), 155);
    for (size_t size = 0; size < golden.size(); ++size) {
        SCOPED_TRACE(size);
        WriteAll(File("kurz.qzp"), golden.substr(0, size));
        refused(File("kurz.qzp"), 65521);
    }
    EXPECT_TRUE(m_window->LoadProjectFile(CString())); // no name: nothing to do
}

// A template file of one frame, page size 1000 x 1500.
void WriteTemplateFile(const CString& path) {
    CTemplate page;
    page.SetPageSize(CSize(1000, 1500));
    page.InsertObject(new CDrawRect(CRect(10, 10, 500, 500)), -1);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        page.Serialize(ar);
        ar.Close();
    }
    const auto size = static_cast<size_t>(file.GetLength());
    BYTE* data = file.Detach();
    WriteAll(path, std::string(reinterpret_cast<const char*>(data), size));
    std::free(data);
}

TEST_F(MainWndProjectTest, TemplatesAreFoundByTheirTitle) {
    std::filesystem::create_directory(File("Vorlagen").str());
    WriteTemplateFile(File("Vorlagen/karte.tpl"));
    WriteAll(File("Vorlagen/Templ.dat"), "\n"
                                         "a;b;c;karte.tpl;e;f;KARTE;h;falscher Fall\n"
                                         "a;b;c;fehlt.tpl;e;f;Karte;h;ohne Datei\n"
                                         "a;b;c;karte.tpl;e;f;Karte;h;Kommentar;mit;Teilen\n");
    m_panelLog.clear();
    const std::unique_ptr<CTemplate> page(m_window->LoadTemplateByName("Karte"));
    ASSERT_NE(page, nullptr);
    EXPECT_THAT(m_panelLog, ElementsAre("preset Karte 0"));
    EXPECT_EQ(page->GetName(), CString("karte.tpl"));
    EXPECT_EQ(page->GetTitle(), CString("Karte"));
    EXPECT_EQ(page->GetComment(), CString("Kommentar;mit;Teilen"));
    EXPECT_EQ(page->GetRecordText(1), CString("a"));
    EXPECT_EQ(page->GetRecordText(8), CString("h"));
    EXPECT_EQ(page->GetPageSize(), CSize(1000, 1500));
    EXPECT_EQ(m_window->LoadTemplateByName("Postkarte"), nullptr);
    // A stream that is not a template gives none, without trying further lines.
    WriteAll(File("Vorlagen/karte.tpl"), "\x03TPX");
    EXPECT_EQ(m_window->LoadTemplateByName("Karte"), nullptr);
}

TEST_F(MainWndProjectTest, EditModeIsBuiltFromTheNormalPageAfterTheQuestion) {
    NormalPage();
    m_services.SetEditMode(FALSE);
    auto* frames = new CTemplate;
    frames->InsertObject(new CDrawRect(CRect(0, 0, 100, 100)), -1);
    frames->InsertObject(new CDrawRect(CRect(200, 0, 300, 100)), -1);
    m_window->SetTemplate(frames);
    m_window->AddUndo(new CUndoLayers(0, 0));
    m_window->SetModified(TRUE);

    m_services.QueueAnswers({IDCANCEL});
    m_window->OnEditMode();
    EXPECT_FALSE(m_services.IsEditMode());
    EXPECT_TRUE(Checked(CMainWnd::kNormalMode));
    EXPECT_FALSE(Checked(CMainWnd::kEditMode));
    EXPECT_EQ(m_window->GetUndoCount(), 1);

    m_services.QueueAnswers({IDOK});
    m_panelLog.clear();
    m_window->OnEditMode();
    EXPECT_THAT(m_services.MessageIds(), ElementsAre(216u, 216u));
    EXPECT_TRUE(m_services.IsEditMode());
    EXPECT_TRUE(Checked(CMainWnd::kEditMode));
    EXPECT_THAT(m_panelLog, ElementsAre("mode 1", "undo 0"));
    EXPECT_EQ(Describe(m_window->GetTemplate()), "a.bmp+stencil a.bmp+stencil");
    EXPECT_FALSE(m_window->IsModified());
    // The normal-mode state stays for the way back; in edit mode the command does nothing.
    EXPECT_NE(m_window->GetWorkBitmap(), nullptr);
    EXPECT_NE(m_window->GetNormalModeSource(), nullptr);
    m_window->OnEditMode();
    EXPECT_EQ(m_services.MessageIds().size(), 2u);
}

} // namespace
