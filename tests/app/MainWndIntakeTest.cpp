// Pictures into the page from disk and from a source: the disk command in both modes, the hand-over of
// acquired pictures (line art, several pictures, a lying header, the save offer, edit mode), an album scan
// from the test scanner's feeder, and the messages when there is no source.

#include "app/MainWnd.h"
#include "app/PictureOpenDialog.h"
#include "image/PictureInfo.h"
#include "image/WorkBitmap.h"
#include "library/DSObjMgr.h"
#include "page/DrawImage.h"
#include "page/Template.h"
#include "page/UndoNormal.h"
#include "page/UndoObject.h"
#include "platform/base/GlobalMemory.h"
#include "platform/base/MessageBeep.h"
#include "platform/base/Profile.h"
#include "platform/base/Resource.h"
#include "platform/scan/ScanSettings.h"
#include "platform/ui/FileDialog.h"
#include "tests/app/MainWndPageFixture.h"
#include "tests/support/CameraDrivers.h"
#include "tests/support/SaneTestBackend.h"
#include "tests/support/ScriptedFileChooser.h"

#include <cstring>
#include <filesystem>
#include <gmock/gmock.h>
#include <memory>
#include <vector>

using ::testing::ElementsAre;
using ::testing::IsEmpty;
namespace fs = std::filesystem;

namespace {

// What the file browser was asked, and what it answers.
struct BrowserScript {
    CString answer;
    std::vector<DWORD> flags;
    std::vector<CString> filters;
};
BrowserScript* g_browser = nullptr;

CString ScriptedBrowser(CWnd*, DWORD flags, const CString& filter) {
    g_browser->flags.push_back(flags);
    g_browser->filters.push_back(filter);
    return g_browser->answer;
}

std::vector<UINT>* g_beeps = nullptr;
void RecordBeep(UINT type) {
    g_beeps->push_back(type);
}

class RecordingAlbum final : public IScanAlbumDlg {
public:
    BOOL AddPhotoFile(const CString& path) override {
        files.push_back(path);
        return TRUE;
    }
    std::vector<CString> files;
};

// A packed 1-bit DIB of width 5 and one row "10110", white and black, in a new block.
HGLOBAL LineArtDib() {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = 5;
    header.biHeight = 1;
    header.biPlanes = 1;
    header.biBitCount = 1;
    const BYTE table[8] = {0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0};
    HGLOBAL block = GlobalAlloc(GHND, sizeof header + sizeof table + 4);
    CGlobalLock lock(block);
    std::memcpy(lock.Bytes(), &header, sizeof header);
    std::memcpy(lock.Bytes() + sizeof header, table, sizeof table);
    lock.Bytes()[sizeof header + sizeof table] = 0xB0;
    return block;
}

// A 24-bit DIB of the size in a new block.
HGLOBAL ColourDib(int width, int height) {
    const std::unique_ptr<CPictureInfo> picture(
        CPictureInfo::CreateFilled(CSize(width, height), RGB(200, 40, 10), 24));
    HGLOBAL block = GlobalAlloc(GHND, picture->GetLength());
    CGlobalLock lock(block);
    std::memcpy(lock.Bytes(), picture->GetHeader(), picture->GetLength());
    return block;
}

// Bytes of the picture in a BMP file.
std::vector<BYTE> PictureBytes(const CString& path) {
    CPictureInfo picture;
    if (!picture.ReadBmpFile(path))
        return {};
    const auto* bytes = reinterpret_cast<const BYTE*>(picture.GetHeader());
    return {bytes, bytes + picture.GetLength()};
}

class MainWndIntakeTest : public MainWndPageTest {
protected:
    void SetUp() override {
        MainWndPageTest::SetUp();
        m_codecs2.LoadPlugins();
        for (const UINT id : {120u, 122u, 171u, 205u, 251u, 415u, 7028u})
            m_services.SetString(id, LoadWholeString(s_texts, id, 255));
        WriteProfileString("Settings", "DataPath", m_files.Path());
        WriteProfileInt("Settings", "PictureInstallType", 0);
        WriteProfileString("Settings", "PictureDataPath", "\\Bilder");
        m_manager = std::make_unique<CDSObjMgr>();
        m_manager->LoadInstallSettings();
        g_browser = &m_browser;
        m_previousBrowser = SetPictureOpenDialog(&ScriptedBrowser);
        g_beeps = &m_beeps;
        m_previousBeep = SetMessageBeepHandler(&RecordBeep);
    }
    void TearDown() override {
        SetMessageBeepHandler(m_previousBeep);
        SetPictureOpenDialog(m_previousBrowser);
        CTwain::SetSourceManagerForTesting(nullptr);
        MainWndPageTest::TearDown();
        m_manager.reset();
    }

    void Command(UINT id) {
        m_window->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0);
        PumpMessages();
    }
    CString Numbered(int number) const {
        CString path;
        path.Format("%s/Bilder/%d.bmp", m_files.Path().GetString(), number);
        return path;
    }
    void NormalPage() {
        m_services.SetEditMode(FALSE);
        ASSERT_TRUE(m_window->AddPicturesToPage(File("a.bmp")));
        m_window->SetModified(FALSE);
        m_window->SetAlbumPicture(1);
        m_window->ClearUndo();
    }
    // The edit page with both pictures selected.
    CTemplate* EditPageWithPicturesSelected() {
        CTemplate* page = EditPage();
        page->GetObjectAt(0)->SetSelected(TRUE);
        page->GetObjectAt(2)->SetSelected(TRUE);
        m_window->SetModified(FALSE);
        m_window->SetAlbumPicture(1);
        m_window->ClearUndo();
        return page;
    }
    // The undo records' paths and indexes ("a.bmp@0"), oldest first.
    std::vector<std::string> UndoObjects() {
        std::vector<std::string> records;
        while (auto* record = DYNAMIC_DOWNCAST(CUndoObject, m_window->GetLastUndo())) {
            EXPECT_EQ(record->GetKind(), 0);
            records.insert(records.begin(),
                           NameOf(record->GetPath()) + "@" + std::to_string(record->GetIndex()));
            m_window->RemoveLastUndo();
        }
        return records;
    }

    // The real codecs, which the save offer writes through.
    CExtMgr m_codecs2{VC_PROGRAM_DIR};
    std::unique_ptr<CDSObjMgr> m_manager;
    BrowserScript m_browser;
    PictureOpenDialog m_previousBrowser = nullptr;
    std::vector<UINT> m_beeps;
    MessageBeepHandler m_previousBeep = nullptr;
    ScriptedFileChooser m_chooser;
};

TEST_F(MainWndIntakeTest, TheDiskCommandReplacesTheWorkingPictureWithAnUndoRecord) {
    NormalPage();
    m_browser.answer = File("b.bmp");
    Command(1004);
    ASSERT_NE(m_window->GetWorkBitmap(), nullptr);
    EXPECT_EQ(NameOf(m_window->GetWorkBitmap()->GetFilePath()), "b.bmp");
    auto* record = DYNAMIC_DOWNCAST(CUndoNormal, m_window->GetLastUndo());
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->GetIndex(), 0);
    EXPECT_EQ(NameOf(record->GetSettings().GetFilePath()), "a.bmp");
    EXPECT_EQ(m_window->GetUndoCount(), 1);
    EXPECT_TRUE(m_window->IsModified());
    EXPECT_FALSE(m_window->IsAlbumPicture());
    ASSERT_THAT(m_browser.flags, ElementsAre(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT));
    EXPECT_EQ(m_browser.filters[0], LoadWholeString(s_texts, 251, 255));

    // Cancelled: nothing changes.
    m_window->SetModified(FALSE);
    m_browser.answer.Empty();
    Command(1004);
    EXPECT_EQ(NameOf(m_window->GetWorkBitmap()->GetFilePath()), "b.bmp");
    EXPECT_EQ(m_window->GetUndoCount(), 1);
    EXPECT_FALSE(m_window->IsModified());
}

TEST_F(MainWndIntakeTest, TheDiskCommandFillsEverySelectedPictureEachWithItsOwnUndoRecord) {
    CTemplate* page = EditPageWithPicturesSelected();
    m_browser.answer = File("c.bmp");
    Command(1004);
    EXPECT_EQ(Describe(page), "c.bmp Hallo c.bmp clip");
    EXPECT_THAT(UndoObjects(), ElementsAre("a.bmp@0", "b.bmp@2"));
    EXPECT_TRUE(m_window->IsModified());
    EXPECT_FALSE(m_window->IsAlbumPicture());
    EXPECT_THAT(m_services.MessageIds(), IsEmpty());
}

TEST_F(MainWndIntakeTest, InEditModeTheDiskCommandNeedsASelectedPicture) {
    CTemplate* page = EditPage();
    m_browser.answer = File("c.bmp");
    Command(1004);
    EXPECT_THAT(m_services.MessageIds(), ElementsAre(171u));
    page->GetObjectAt(1)->SetSelected(TRUE); // a text first: nothing happens
    page->GetObjectAt(2)->SetSelected(TRUE);
    Command(1004);
    EXPECT_THAT(m_services.MessageIds(), ElementsAre(171u));
    EXPECT_THAT(m_browser.flags, IsEmpty());
    EXPECT_EQ(Describe(page), "a.bmp Hallo b.bmp clip");
    EXPECT_EQ(m_window->GetUndoCount(), 0);
}

TEST_F(MainWndIntakeTest, ALineArtScanBecomesTheWorkingPictureAndACancelledSaveOfferKeepsIt) {
    NormalPage();
    m_chooser.Cancel();
    m_window->OnImageAcquired(LineArtDib());
    m_window->OnSourceClosed();
    CWorkBitmap* work = m_window->GetWorkBitmap();
    ASSERT_NE(work, nullptr);
    EXPECT_EQ(work->GetOriginalDib()->GetWidth(), 5);
    EXPECT_EQ(work->GetFilePath(), Numbered(0));
    EXPECT_EQ(PictureBytes(Numbered(0)).size(), work->GetOriginalDib()->GetLength());
    // Black where the row has a 1.
    const BYTE* pixels = work->GetOriginalDib()->GetBits();
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(pixels[3 * x], (0xB0 >> (7 - x)) & 1 ? 0 : 255) << x;
    EXPECT_TRUE(m_window->IsModified());
    EXPECT_EQ(m_window->GetUndoCount(), 1);
    ASSERT_EQ(m_chooser.Requests().size(), 1u);
    EXPECT_TRUE(m_chooser.Requests()[0].save);
    EXPECT_THAT(m_services.MessageIds(), IsEmpty());
}

TEST_F(MainWndIntakeTest, OfSeveralPicturesThePageTakesTheLastAndALyingHeaderChangesNothing) {
    NormalPage();
    m_chooser.Cancel();
    m_window->OnImageAcquired(ColourDib(7, 2));
    m_window->OnImageAcquired(ColourDib(9, 3)); // the first block is freed: the leak checker sees it
    m_window->OnSourceClosed();
    EXPECT_EQ(m_window->GetWorkBitmap()->GetOriginalDib()->GetWidth(), 9);
    EXPECT_EQ(m_window->GetUndoCount(), 1);

    m_window->SetModified(FALSE);
    HGLOBAL lying = LineArtDib();
    {
        CGlobalLock lock(lying);
        reinterpret_cast<BITMAPINFOHEADER*>(lock.Bytes())->biHeight = 2;
    }
    m_window->OnImageAcquired(lying);
    m_window->OnSourceClosed();
    EXPECT_EQ(m_window->GetWorkBitmap()->GetOriginalDib()->GetWidth(), 9);
    EXPECT_EQ(m_window->GetUndoCount(), 1);
    EXPECT_FALSE(m_window->IsModified());
    EXPECT_EQ(m_chooser.Requests().size(), 1u);
}

TEST_F(MainWndIntakeTest, InEditModeEverySelectedPictureTakesTheScanAndTheSaveOfferSavesTheScan) {
    CTemplate* page = EditPageWithPicturesSelected();
    m_chooser.Pick({File("Scan.bmp")});
    m_window->OnImageAcquired(ColourDib(6, 4));
    m_window->OnSourceClosed();
    EXPECT_EQ(Describe(page), "0.bmp Hallo 0.bmp clip");
    auto* first = static_cast<CDrawImage*>(page->GetObjectAt(0));
    auto* second = static_cast<CDrawImage*>(page->GetObjectAt(2));
    EXPECT_EQ(first->GetOriginalDib(), second->GetOriginalDib());
    EXPECT_EQ(first->GetFilePath(), Numbered(0));
    EXPECT_THAT(UndoObjects(), ElementsAre("a.bmp@0", "b.bmp@2"));
    EXPECT_TRUE(m_window->IsModified());
    const std::vector<BYTE> saved = PictureBytes(File("Scan.bmp"));
    ASSERT_FALSE(saved.empty());
    EXPECT_EQ(saved, PictureBytes(Numbered(0)));
    EXPECT_THAT(m_services.MessageIds(), IsEmpty());
}

TEST_F(MainWndIntakeTest, ASaveOfferThatCannotWriteSays7028AndKeepsTheScan) {
    NormalPage();
    m_chooser.Pick({File("fehlt/Scan.bmp")});
    m_window->OnImageAcquired(ColourDib(6, 4));
    m_window->OnSourceClosed();
    EXPECT_EQ(m_window->GetWorkBitmap()->GetFilePath(), Numbered(0));
    EXPECT_TRUE(m_window->IsModified());
    EXPECT_THAT(m_services.MessageIds(), ElementsAre(7028u));
}

TEST_F(MainWndIntakeTest, AFeederScanForAnAlbumAddsTenNumberedBitmapsAndLeavesThePage) {
    UseSaneTestBackend("number_of_devices 1\n");
    KeepCameraDriversLoaded();
    CTwain::HideLibrariesForTesting(false);
    NormalPage();
    RecordingAlbum album;
    m_window->SetShowUI(0);
    ASSERT_TRUE(m_window->SelectSource("", m_window));
    SetScanSettings(CTwain::GetSourceIdentity().ProductName,
                    {ScanSettings::Mode::kLineart, 25, "Automatic Document Feeder", {}});
    WriteProfileString("Settings", "TwainSource", CTwain::GetSourceIdentity().ProductName);
    m_window->SetScanAlbumDlg(&album);
    m_window->OnScanner();
    ASSERT_EQ(m_window->GetState(), 5);
    MSG ready{m_window->m_hWnd, kSourceEventMessage, MSG_XFERREADY, 0, 0, {0, 0}};
    m_window->ProcessMessage(&ready);
    MSG closing{m_window->m_hWnd, kSourceEventMessage, MSG_CLOSEDSREQ, 0, 0, {0, 0}};
    m_window->ProcessMessage(&closing);
    m_window->DropToState(1);
    ASSERT_EQ(album.files.size(), 10u);
    for (int number = 0; number < 10; ++number) {
        EXPECT_EQ(album.files[static_cast<size_t>(number)], Numbered(number));
        CPictureInfo picture;
        ASSERT_TRUE(picture.ReadBmpFile(Numbered(number))) << number;
        EXPECT_EQ(picture.GetHeader()->biBitCount, 8) << number;
    }
    EXPECT_EQ(m_window->GetScanAlbumDlg(), nullptr);
    EXPECT_EQ(NameOf(m_window->GetWorkBitmap()->GetFilePath()), "a.bmp");
    EXPECT_FALSE(m_window->IsModified());
    EXPECT_EQ(m_window->GetUndoCount(), 0);
    EXPECT_TRUE(m_chooser.Requests().empty());
    PumpMessages();
}

TEST_F(MainWndIntakeTest, WithoutTheLibrariesBothCommandsSay122) {
    NormalPage(); // the window tests hide the libraries
    Command(2051);
    Command(2050);
    EXPECT_THAT(m_services.MessageIds(), ElementsAre(122u, 122u));
    EXPECT_THAT(m_beeps, IsEmpty());
}

TW_UINT16 RefusingManager(TW_IDENTITY*, TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF) {
    return TWRC_FAILURE;
}

TEST_F(MainWndIntakeTest, AManagerThatDoesNotOpenBeepsAndSays120Once) {
    NormalPage();
    CTwain::SetSourceManagerForTesting(&RefusingManager);
    Command(2051);
    EXPECT_THAT(m_services.MessageIds(), ElementsAre(120u));
    EXPECT_THAT(m_beeps, ElementsAre(0xFFFFFFFFu));
    EXPECT_EQ(m_services.Messages()[0].style, static_cast<UINT>(MB_ICONINFORMATION));
}

} // namespace
