// The settings dialog on the real main window: what the lists show and OK writes, the template list
// without "Templ.dat", the source list from the test scanner or without libraries, the scale factor's
// checks, and Cancel and the close button writing nothing.

#include "app/EinstellungenDlg.h"

#include "app/MainWnd.h"
#include "library/DSObjMgr.h"
#include "platform/base/Profile.h"
#include "platform/base/Resource.h"
#include "tests/app/MainWndPageFixture.h"
#include "tests/support/CameraDrivers.h"
#include "tests/support/SaneTestBackend.h"

#include <QtCore/QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gmock/gmock.h>
#include <memory>
#include <vector>

using ::testing::ElementsAre;
using ::testing::IsEmpty;
namespace fs = std::filesystem;

namespace {

constexpr char kSettings[] = "Settings";

std::vector<std::string> Entries(const CComboBox* list) {
    std::vector<std::string> entries;
    for (int i = 0; i < list->GetCount(); ++i) {
        CString text;
        list->GetLBText(i, text);
        entries.push_back((i == list->GetCurSel() ? "*" : "") + text.str());
    }
    return entries;
}

class EinstellungenDlgTest : public MainWndPageTest {
protected:
    void SetUp() override {
        MainWndPageTest::SetUp();
        for (const UINT id : {120u, 243u})
            m_services.SetString(id, LoadWholeString(s_texts, id, 255));
        WriteProfileString(kSettings, "DataPath", m_files.Path());
        for (const char* kind : {"Picture", "Stencil", "Frame", "PrnTpl"})
            WriteProfileInt(kSettings, (CString(kind) + "InstallType").GetString(), 0);
        WriteProfileString(kSettings, "PictureDataPath", "\\Fotos");
        WriteProfileString(kSettings, "StencilDataPath", "\\Schablonen");
        WriteProfileString(kSettings, "FrameDataPath", "\\Rahmen");
        WriteProfileString(kSettings, "PrnTplDataPath", "\\Vorlagen");
        for (const char* folder : {"Fotos", "Schablonen", "Rahmen", "Vorlagen"})
            fs::create_directory(File(folder).str());
        m_manager = std::make_unique<CDSObjMgr>();
        m_manager->LoadInstallSettings();
    }
    void TearDown() override {
        MainWndPageTest::TearDown();
        m_manager.reset();
    }

    void WriteTemplates() {
        std::ofstream(File("Vorlagen/Templ.dat").str()) << "a;b;c;d;e;f;Postkarte;x\n"
                                                           "a;b;c;d;e;f;Kalender;y\n"
                                                           "1;2;3;4;5;6;Postkarte;z\n";
    }
    // Runs the dialog; step runs once it is up and ends it.
    INT_PTR Run(const std::function<void(CEinstellungenDlg&)>& step) {
        CEinstellungenDlg dialog(m_window);
        QTimer::singleShot(0, [&] {
            PumpMessages();
            step(dialog);
        });
        return dialog.DoModal();
    }

    std::unique_ptr<CDSObjMgr> m_manager;
};

TEST_F(EinstellungenDlgTest, ListsShowTheStoredChoicesAndOkWritesTheSelectionInOrder) {
    UseSaneTestBackend("number_of_devices 2\n");
    KeepCameraDriversLoaded();
    CTwain::HideLibrariesForTesting(false);
    WriteTemplates();
    ASSERT_NE(m_manager->CreateAlbum(m_manager->GetResType(kResTypePictures), "Urlaub"), nullptr);
    ASSERT_NE(m_manager->CreateAlbum(m_manager->GetResType(kResTypePictures), "Familie"), nullptr);
    ASSERT_NE(m_manager->CreateAlbum(m_manager->GetResType(kResTypeStencils), "Herzen"), nullptr);
    WriteProfileString(kSettings, "Album", "Familie");
    WriteProfileString(kSettings, "Template", "Kalender");
    WriteProfileString(kSettings, "Stencil", "Herzen");
    WriteProfileString(kSettings, "Frame", "weg");
    m_services.SetClipartPath("/clips");
    m_services.SetSound(FALSE, File("Sound"));

    std::vector<std::string> albums, templates, stencils, frames, sources;
    DWORD_PTR secondSourceId = 0;
    CString secondSource;
    BOOL soundTicked = TRUE;
    CString scale;
    const INT_PTR result = Run([&](CEinstellungenDlg& dialog) {
        albums = Entries(dialog.GetList(CEinstellungenDlg::kAlbumListId));
        templates = Entries(dialog.GetList(CEinstellungenDlg::kTemplateListId));
        stencils = Entries(dialog.GetList(CEinstellungenDlg::kStencilListId));
        frames = Entries(dialog.GetList(CEinstellungenDlg::kFrameListId));
        CComboBox* sourceList = dialog.GetList(CEinstellungenDlg::kSourceListId);
        sources = Entries(sourceList);
        soundTicked = dialog.GetSoundBox().GetCheck();
        dialog.GetScaleFactorField()->GetWindowText(scale);
        // The choices: the none entry for the stencil, the second source, scale -3, sounds on.
        dialog.GetList(CEinstellungenDlg::kStencilListId)->SetCurSel(-1);
        if (sourceList->GetCount() > 2) {
            sourceList->SetCurSel(2);
            sourceList->GetLBText(2, secondSource);
            secondSourceId = sourceList->GetItemData(2);
        }
        dialog.GetScaleFactorField()->SetWindowText("-3");
        dialog.GetSoundBox().SetCheck(TRUE);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_THAT(albums, ElementsAre("Urlaub", "*Familie"));
    EXPECT_THAT(templates, ElementsAre("Postkarte", "*Kalender"));
    EXPECT_THAT(stencils, ElementsAre("*Herzen"));
    EXPECT_THAT(frames, IsEmpty());
    ASSERT_GE(sources.size(), 3u);
    EXPECT_EQ(sources[0], "*" + CMainWnd::GetNoneText().str());
    EXPECT_NE(sources[1], sources[2]);
    EXPECT_TRUE(soundTicked);
    EXPECT_EQ(scale, "5");

    EXPECT_EQ(GetProfileString(kSettings, "Album"), "Familie");
    EXPECT_EQ(GetProfileString(kSettings, "Template"), "Kalender");
    EXPECT_EQ(GetProfileString(kSettings, "Stencil"), "");
    EXPECT_EQ(GetProfileString(kSettings, "Frame"), "");
    EXPECT_EQ(GetProfileString(kSettings, "Clipart Path"), "/clips");
    EXPECT_EQ(GetProfileString(kSettings, "TwainSource"), secondSource);
    EXPECT_EQ(GetProfileInt(kSettings, "TwainSourceId", -1), static_cast<int>(secondSourceId));
    EXPECT_EQ(secondSourceId, 2u);
    EXPECT_EQ(GetProfileInt(kSettings, "ScaledFactor", 99), -3);
    EXPECT_EQ(GetProfileInt(kSettings, "Sound", 99), 1);
    EXPECT_TRUE(m_services.IsSoundEnabled());
}

TEST_F(EinstellungenDlgTest, WithoutTemplatesOrLibrariesTheOtherControlsWorkAndOkWrites) {
    // The window tests hide the scanner and camera libraries.
    WriteProfileString(kSettings, "TwainSource", "Alter Scanner");
    WriteProfileInt(kSettings, "TwainSourceId", 7);
    WriteProfileInt(kSettings, "Sound", 2);
    m_services.SetSound(TRUE, File("Sound"));
    std::vector<std::string> templates, sources;
    BOOL soundTicked = TRUE;
    const INT_PTR result = Run([&](CEinstellungenDlg& dialog) {
        templates = Entries(dialog.GetList(CEinstellungenDlg::kTemplateListId));
        sources = Entries(dialog.GetList(CEinstellungenDlg::kSourceListId));
        soundTicked = dialog.GetSoundBox().GetCheck();
        dialog.GetScaleFactorField()->SetWindowText("");
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_THAT(templates, IsEmpty());
    EXPECT_THAT(sources, ElementsAre(CMainWnd::GetNoneText().str()));
    EXPECT_THAT(m_services.MessageIds(), ElementsAre(120u));
    // "Sound" 2 sounds for the program but does not tick the box; OK then turns sounds off.
    EXPECT_FALSE(soundTicked);
    EXPECT_EQ(GetProfileInt(kSettings, "Sound", 99), 0);
    EXPECT_FALSE(m_services.IsSoundEnabled());
    EXPECT_EQ(GetProfileString(kSettings, "TwainSource"), "");
    EXPECT_EQ(GetProfileInt(kSettings, "TwainSourceId", -1), 7); // not written for no source
    EXPECT_EQ(GetProfileInt(kSettings, "ScaledFactor", 99), 99); // not written for an empty field
    EXPECT_EQ(GetProfileString(kSettings, "Template"), "");
}

TEST_F(EinstellungenDlgTest, CancelAndTheCloseButtonWriteNothing) {
    WriteProfileInt(kSettings, "Sound", 1);
    m_services.SetSound(TRUE, File("Sound"));
    for (const UINT button : {static_cast<UINT>(IDCANCEL), CEinstellungenDlg::kCloseId}) {
        SCOPED_TRACE(button);
        const INT_PTR result = Run([&](CEinstellungenDlg& dialog) {
            dialog.GetSoundBox().SetCheck(FALSE);
            dialog.GetScaleFactorField()->SetWindowText("2");
            dialog.SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(button), BN_CLICKED), 0);
        });
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_EQ(GetProfileInt(kSettings, "Sound", 99), 1);
        EXPECT_EQ(GetProfileInt(kSettings, "ScaledFactor", 99), 99);
        EXPECT_EQ(GetProfileString(kSettings, "Album", "unverändert"), "unverändert");
        EXPECT_TRUE(m_services.IsSoundEnabled());
    }
}

TEST_F(EinstellungenDlgTest, AScaleFactorOutOfRangeBecomesZeroWithMessage243) {
    std::vector<CString> afterTyping;
    CString afterLeaving;
    Run([&](CEinstellungenDlg& dialog) {
        CEdit* field = dialog.GetScaleFactorField();
        for (const char* text : {"7", "-7", "10", "07", "-"}) {
            field->SetWindowText(text);
            CString shown;
            field->GetWindowText(shown);
            afterTyping.push_back(shown);
        }
        // "-" passed while typing; leaving the field refuses it.
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(CEinstellungenDlg::kScaleFactorId, EN_KILLFOCUS),
                           reinterpret_cast<LPARAM>(field->m_hWnd));
        field->GetWindowText(afterLeaving);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    EXPECT_THAT(afterTyping, ElementsAre("7", "-7", "0", "0", "-"));
    EXPECT_EQ(afterLeaving, "0");
    // 120 first: the source list found no source manager.
    EXPECT_THAT(m_services.MessageIds(), ElementsAre(120u, 243u, 243u, 243u));
}

} // namespace
