// The source manager over SANE's test backend in a private configuration: the source list, the
// protocol's order of calls, and pictures equal pixel for pixel to what scanimage gives for the same
// options.

#include "platform/scan/SourceManager.h"

#include "platform/base/GlobalMemory.h"
#include "platform/base/Module.h"
#include "platform/base/Resource.h"
#include "platform/base/WinStructs.h"
#include "platform/scan/CameraPanel.h"
#include "platform/scan/PhotoCamera.h"
#include "platform/scan/ScanSettings.h"
#include "platform/scan/ScannerPanel.h"
#include "platform/scan/TransferProgressDlg.h"
#include "tests/support/CameraDrivers.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/RunTool.h"
#include "tests/support/SaneTestBackend.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UiTestSupport.h"

#include <QTimer>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <locale.h>
#include <memory>
#include <sstream>
#include <thread>

namespace {

// A picture as rows of RGB bytes, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<BYTE> rgb;
};

Picture ReadPnm(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    // Header fields separated by white space; scanimage puts a comment line among them.
    auto field = [&file] {
        std::string word;
        while (file >> word && word[0] == '#')
            std::getline(file, word);
        return word;
    };
    const std::string magic = field();
    const int width = std::atoi(field().c_str());
    const int height = std::atoi(field().c_str());
    if (magic != "P4")
        field();
    file.get();
    Picture picture{width, height, std::vector<BYTE>(static_cast<std::size_t>(width) * height * 3)};
    const int rowBytes = magic == "P4" ? (width + 7) / 8 : magic == "P5" ? width : width * 3;
    std::vector<char> row(static_cast<std::size_t>(rowBytes));
    for (int y = 0; y < height; ++y) {
        file.read(row.data(), rowBytes);
        for (int x = 0; x < width; ++x) {
            BYTE* out = &picture.rgb[(static_cast<std::size_t>(y) * width + x) * 3];
            if (magic == "P6") {
                std::copy_n(&row[static_cast<std::size_t>(x) * 3], 3, out);
            } else {
                const BYTE level = magic == "P5" ? static_cast<BYTE>(row[static_cast<std::size_t>(x)])
                                   : (row[static_cast<std::size_t>(x / 8)] >> (7 - x % 8) & 1) ? 0
                                                                                               : 255;
                out[0] = out[1] = out[2] = level;
            }
        }
    }
    return picture;
}

Picture ReadDib(HGLOBAL dib) {
    CGlobalLock lock(dib);
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(lock.Bytes());
    const auto* table = reinterpret_cast<const RGBQUAD*>(header + 1);
    const BYTE* bits = reinterpret_cast<const BYTE*>(table + header->biClrUsed);
    Picture picture{header->biWidth, header->biHeight,
                    std::vector<BYTE>(static_cast<std::size_t>(header->biWidth) * header->biHeight * 3)};
    const auto rowBytes = DibRowBytes(header->biWidth, header->biBitCount);
    for (int y = 0; y < picture.height; ++y) {
        const BYTE* row = bits + (picture.height - 1 - y) * rowBytes;
        for (int x = 0; x < picture.width; ++x) {
            BYTE* out = &picture.rgb[(static_cast<std::size_t>(y) * picture.width + x) * 3];
            if (header->biBitCount == 24) {
                out[0] = row[x * 3 + 2], out[1] = row[x * 3 + 1], out[2] = row[x * 3];
            } else {
                const int index = header->biBitCount == 8 ? row[x] : row[x / 8] >> (7 - x % 8) & 1;
                out[0] = table[index].rgbRed, out[1] = table[index].rgbGreen, out[2] = table[index].rgbBlue;
            }
        }
    }
    return picture;
}

// Whether another thread takes the C library's locale lock within seconds. A scanner backend whose
// reader thread is killed inside a library call leaves it held, and the process hangs at exit.
bool LocaleLockIsFree() {
    auto taken = std::make_shared<std::promise<void>>();
    std::future<void> done = taken->get_future();
    std::thread([taken] {
        freelocale(duplocale(LC_GLOBAL_LOCALE));
        taken->set_value();
    }).detach();
    return done.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
}

class EventWnd : public CWnd {
public:
    int m_events = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kSourceEventMessage && wParam == MSG_XFERREADY)
            ++m_events;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class SourceManagerTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        KeepCameraDriversLoaded();
        WriteTestConfig("");
        ASSERT_TRUE(m_window.CreateEx(0, nullptr, "Scanner", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
        ASSERT_EQ(TWRC_SUCCESS, Manager(DAT_PARENT, MSG_OPENDSM, nullptr));
    }
    void TearDown() override {
        Source(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, nullptr);
        Manager(DAT_IDENTITY, MSG_CLOSEDS, &m_source);
        Manager(DAT_PARENT, MSG_CLOSEDSM, nullptr);
        m_window.DestroyWindow();
        UiTest::TearDown();
    }

    // The system's test backend configuration with the picture of colour patterns and extra lines.
    void WriteTestConfig(const std::string& extra) {
        std::ifstream system("/etc/sane.d/test.conf");
        std::stringstream text;
        text << system.rdbuf() << "test-picture \"Color pattern\"\n" << extra;
        m_config = UseSaneTestBackend(text.str());
    }
    TW_UINT16 Manager(TW_UINT16 argument, TW_UINT16 message, TW_MEMREF data) {
        return DSM_Entry(&m_application, nullptr, DG_CONTROL, argument, message, data);
    }
    TW_UINT16 Source(TW_UINT32 group, TW_UINT16 argument, TW_UINT16 message, TW_MEMREF data) {
        return DSM_Entry(&m_application, &m_source, group, argument, message, data);
    }
    // Opens the first source and enables it with the settings.
    void Enable(const ScanSettings& settings) {
        ASSERT_EQ(TWRC_SUCCESS, Manager(DAT_IDENTITY, MSG_OPENDS, &m_source));
        SetScanSettings(m_source.ProductName, settings);
        TW_USERINTERFACE ui{FALSE, TRUE, m_window.m_hWnd};
        ASSERT_EQ(TWRC_SUCCESS, Source(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui));
    }
    HGLOBAL Transfer(TW_UINT16 expected = TWRC_XFERDONE) {
        HANDLE dib = nullptr;
        EXPECT_EQ(expected, Source(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &dib));
        return static_cast<HGLOBAL>(dib);
    }
    Picture Scanimage(const std::string& options) {
        const std::string out = m_config + "/scan.pnm";
        EXPECT_EQ(0, RunTool("SANE_CONFIG_DIR='" + m_config + "' LC_ALL=C.UTF-8 scanimage -d test:0 " +
                             options + " -l 0 -t 0 -x 200 -y 200 --format=pnm > '" + out + "' 2>/dev/null"));
        return ReadPnm(out);
    }

    std::string m_config;
    EventWnd m_window;
    TW_IDENTITY m_application;
    TW_IDENTITY m_source;
};

TEST_F(SourceManagerTest, ListsEachScannerUnderItsOwnName) {
    std::vector<std::pair<TW_UINT32, std::string>> listed;
    TW_IDENTITY identity;
    for (TW_UINT16 message = MSG_GETFIRST; Manager(DAT_IDENTITY, message, &identity) == TWRC_SUCCESS;
         message = MSG_GETNEXT)
        listed.emplace_back(identity.Id, identity.ProductName.GetString());
    EXPECT_EQ((std::vector<std::pair<TW_UINT32, std::string>>{{1, "Noname frontend-tester"},
                                                              {2, "Noname frontend-tester (2)"}}),
              listed);
    ASSERT_EQ(TWRC_SUCCESS, Manager(DAT_IDENTITY, MSG_GETDEFAULT, &identity));
    EXPECT_EQ(1u, identity.Id);
}

struct ScanCase {
    const char* name;
    ScanSettings::Mode mode;
    const char* scanimageOptions;
};

class SourceScanTest : public SourceManagerTest, public ::testing::WithParamInterface<ScanCase> {};

TEST_P(SourceScanTest, GivesScanimagesPixels) {
    const ScanCase& c = GetParam();
    Enable({c.mode, 50, ""});
    PumpMessages();
    EXPECT_EQ(1, m_window.m_events) << "the picture is ready at once";
    HGLOBAL dib = Transfer();
    ASSERT_NE(nullptr, dib);
    const Picture ours = ReadDib(dib);
    GlobalFree(dib);
    TW_PENDINGXFERS pending;
    EXPECT_EQ(TWRC_SUCCESS, Source(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending));
    EXPECT_EQ(0, pending.Count);
    const Picture theirs = Scanimage(c.scanimageOptions);
    EXPECT_EQ(theirs.width, ours.width);
    EXPECT_EQ(theirs.height, ours.height);
    EXPECT_TRUE(theirs.rgb == ours.rgb);
}

INSTANTIATE_TEST_SUITE_P(Modes, SourceScanTest,
                         ::testing::Values(ScanCase{"Colour", ScanSettings::Mode::kColor,
                                                    "--mode Color --depth 8 --resolution 50"},
                                           ScanCase{"Grey", ScanSettings::Mode::kGray,
                                                    "--mode Gray --depth 8 --resolution 50"},
                                           ScanCase{"LineArt", ScanSettings::Mode::kLineart,
                                                    "--mode Gray --depth 1 --resolution 50"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SourceManagerTest, AThreePassScanEqualsTheOnePassScan) {
    Enable({ScanSettings::Mode::kColor, 50, ""});
    HGLOBAL onePass = Transfer();
    ASSERT_NE(nullptr, onePass);
    TW_PENDINGXFERS pending;
    Source(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending);
    Source(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, nullptr);
    Manager(DAT_IDENTITY, MSG_CLOSEDS, &m_source);
    Manager(DAT_PARENT, MSG_CLOSEDSM, nullptr);

    WriteTestConfig("three-pass true\n");
    ASSERT_EQ(TWRC_SUCCESS, Manager(DAT_PARENT, MSG_OPENDSM, nullptr));
    m_source = TW_IDENTITY();
    Enable({ScanSettings::Mode::kColor, 50, ""});
    HGLOBAL threePass = Transfer();
    ASSERT_NE(nullptr, threePass);
    EXPECT_TRUE(ReadDib(onePass).rgb == ReadDib(threePass).rgb);
    GlobalFree(onePass);
    GlobalFree(threePass);
}

TEST_F(SourceManagerTest, TheFeederGivesTenPagesThenNoDocuments) {
    Enable({ScanSettings::Mode::kGray, 25, "Automatic Document Feeder"});
    int pages = 0;
    TW_PENDINGXFERS pending;
    for (;;) {
        HANDLE dib = nullptr;
        const TW_UINT16 result = Source(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &dib);
        Source(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending);
        if (result != TWRC_XFERDONE) {
            EXPECT_EQ(TWRC_CANCEL, result);
            break;
        }
        GlobalFree(static_cast<HGLOBAL>(dib));
        EXPECT_EQ(0xFFFF, pending.Count) << "a feeder's count is unknown";
        ASSERT_LT(++pages, 20);
    }
    EXPECT_EQ(10, pages);
    EXPECT_EQ(0, pending.Count);
}

TEST_F(SourceManagerTest, CallsOutOfOrderFail) {
    HANDLE dib = nullptr;
    EXPECT_EQ(TWRC_FAILURE, Source(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &dib)) << "no source open";
    EXPECT_EQ(TWRC_FAILURE, Manager(DAT_PARENT, MSG_OPENDSM, nullptr)) << "open already";
    TW_IDENTITY unknown;
    unknown.ProductName = "Kein Scanner";
    EXPECT_EQ(TWRC_FAILURE, Manager(DAT_IDENTITY, MSG_OPENDS, &unknown));
    ASSERT_EQ(TWRC_SUCCESS, Manager(DAT_IDENTITY, MSG_OPENDS, &m_source));
    EXPECT_EQ(TWRC_FAILURE, Source(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &dib)) << "not enabled";
    TW_STATUS status;
    EXPECT_EQ(TWRC_SUCCESS, Source(DG_CONTROL, DAT_STATUS, MSG_GET, &status));
    EXPECT_EQ(TWCC_SEQERROR, status.ConditionCode);
    EXPECT_EQ(TWRC_FAILURE, Manager(DAT_PARENT, MSG_CLOSEDSM, nullptr)) << "a source is open";

    MSG other{m_window.m_hWnd, WM_PAINT, 0, 0, 0, {0, 0}};
    TW_EVENT event{&other, MSG_NULL};
    EXPECT_EQ(TWRC_NOTDSEVENT, Source(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event));
}

// Folder cameras through the camera library's own folder driver: listed after the scanners, their
// pictures found in every folder, the chosen ones handed to the decoder one per transfer.
class CameraSourceTest : public SourceManagerTest {
protected:
    void SetUp() override {
        const std::filesystem::path root(m_folder.Path().GetString());
        std::filesystem::create_directories(root / "DCIM" / "100");
        for (const char* name : {"a.jpg", "notes.txt", "DCIM/100/c.jpg", "b.jpg"})
            std::ofstream(root / name) << "Bild " << name;
        SetCameraFoldersForTesting({m_folder.Path(), m_folder.Path()});
        SetCameraPictureDecoder([this](const void* data, std::size_t size, const CString& extension) {
            m_decoded.emplace_back(static_cast<const char*>(data), size);
            m_extensions.push_back(extension);
            return m_decodes ? GlobalAlloc(GMEM_MOVEABLE, sizeof(BITMAPINFOHEADER)) : nullptr;
        });
        SourceManagerTest::SetUp();
    }
    void TearDown() override {
        SourceManagerTest::TearDown();
        SetCameraFoldersForTesting({});
        SetCameraPictureDecoder(nullptr);
    }
    // Opens the first folder camera (the third source) and enables it with its chosen pictures.
    void EnableCamera(std::vector<CString> pictures) {
        m_source.ProductName = "Directory Browse";
        ASSERT_EQ(TWRC_SUCCESS, Manager(DAT_IDENTITY, MSG_OPENDS, &m_source));
        EXPECT_EQ(3u, m_source.Id);
        ScanSettings settings;
        settings.pictures = std::move(pictures);
        SetScanSettings(m_source.ProductName, settings);
        TW_USERINTERFACE ui{FALSE, TRUE, m_window.m_hWnd};
        ASSERT_EQ(TWRC_SUCCESS, Source(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui));
    }
    TW_UINT16 EndTransfer() {
        TW_PENDINGXFERS pending{};
        EXPECT_EQ(TWRC_SUCCESS, Source(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending));
        return pending.Count;
    }

    TempFolder m_folder;
    bool m_decodes = true;
    std::vector<std::string> m_decoded;
    std::vector<CString> m_extensions;
};

TEST_F(CameraSourceTest, ListsFolderCamerasAfterTheScannersUnderDistinctNames) {
    std::vector<std::string> listed;
    TW_IDENTITY identity;
    for (TW_UINT16 message = MSG_GETFIRST; Manager(DAT_IDENTITY, message, &identity) == TWRC_SUCCESS;
         message = MSG_GETNEXT)
        listed.push_back(identity.ProductName.GetString());
    EXPECT_EQ((std::vector<std::string>{"Noname frontend-tester", "Noname frontend-tester (2)",
                                        "Directory Browse", "Directory Browse (2)"}),
              listed);
}

TEST_F(CameraSourceTest, HandsOverTheChosenPicturesInTheirOrder) {
    EnableCamera({"/b.jpg", "/DCIM/100/c.jpg", "/weg.jpg"});
    PumpMessages();
    EXPECT_EQ(1, m_window.m_events);
    std::vector<TW_UINT16> pending;
    for (int i = 0; i < 2; ++i) {
        HGLOBAL dib = Transfer();
        EXPECT_NE(nullptr, dib);
        GlobalFree(dib);
        pending.push_back(EndTransfer());
    }
    EXPECT_EQ((std::vector<TW_UINT16>{1, 0}), pending);
    EXPECT_EQ((std::vector<std::string>{"Bild b.jpg", "Bild DCIM/100/c.jpg"}), m_decoded);
    EXPECT_EQ((std::vector<CString>{"jpg", "jpg"}), m_extensions);
    EXPECT_EQ(nullptr, Transfer(TWRC_CANCEL)) << "nothing is left";
}

TEST_F(CameraSourceTest, WithoutAChoiceEveryPictureComesButNoOtherFile) {
    EnableCamera({});
    std::vector<TW_UINT16> pending;
    for (int i = 0; i < 3; ++i) {
        GlobalFree(Transfer());
        pending.push_back(EndTransfer());
    }
    EXPECT_EQ((std::vector<TW_UINT16>{2, 1, 0}), pending);
    EXPECT_EQ((std::vector<std::string>{"Bild a.jpg", "Bild b.jpg", "Bild DCIM/100/c.jpg"}), m_decoded);
}

TEST_F(CameraSourceTest, AnUnreadablePictureFailsWithAGermanMessageAndTheNextOneStillComes) {
    FakeAppServices services;
    m_decodes = false;
    EnableCamera({"/a.jpg", "/b.jpg"});
    EXPECT_EQ(nullptr, Transfer(TWRC_FAILURE));
    EXPECT_EQ(std::vector<UINT>{7029}, services.MessageIds());
    EXPECT_EQ(1, EndTransfer());
    m_decodes = true;
    HGLOBAL dib = Transfer();
    EXPECT_NE(nullptr, dib);
    GlobalFree(dib);
}

// The sources' panels and the progress window, built from the program's own dialog templates.
class SourcePanelTest : public CameraSourceTest {
protected:
    static void SetUpTestSuite() {
        CameraSourceTest::SetUpTestSuite();
        s_resources = LoadLibrary(VC_PROGRAM_DIR "/qz_res.deu");
    }
    void SetUp() override {
        ASSERT_NE(nullptr, s_resources);
        m_previousResources = AfxGetResourceHandle();
        AfxSetResourceHandle(s_resources);
        CameraSourceTest::SetUp();
    }
    void TearDown() override {
        CTransferProgressDlg::SetShownHookForTesting(nullptr);
        CameraSourceTest::TearDown();
        AfxSetResourceHandle(m_previousResources);
    }
    static void InLoop(std::function<void()> step) { QTimer::singleShot(0, std::move(step)); }
    // The panel the enabling call shows, once it is up.
    static CDialog* ActivePanel() {
        for (int i = 0; i < 200; ++i) {
            if (auto* panel = dynamic_cast<CDialog*>(CWnd::GetActiveWindow()))
                return panel;
            PumpMessages();
        }
        return nullptr;
    }
    TW_UINT16 EnableWithPanel(std::function<void(CDialog&)> use) {
        InLoop([use] {
            CDialog* panel = ActivePanel();
            ASSERT_NE(nullptr, panel);
            use(*panel);
        });
        TW_USERINTERFACE ui{TRUE, TRUE, m_window.m_hWnd};
        return Source(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui);
    }
    static CString ComboText(CDialog& panel, int id, int index) {
        CString text;
        static_cast<CComboBox*>(panel.GetDlgItem(id))->GetLBText(index, text);
        return text;
    }

    static HMODULE s_resources;
    HINSTANCE m_previousResources = nullptr;
};

HMODULE SourcePanelTest::s_resources = nullptr;

TEST_F(SourcePanelTest, TheScannerPanelsChoiceIsScannedAndKept) {
    ASSERT_EQ(TWRC_SUCCESS, Manager(DAT_IDENTITY, MSG_OPENDS, &m_source));
    std::vector<CString> resolutions;
    bool sourceShown = false;
    ASSERT_EQ(TWRC_SUCCESS, EnableWithPanel([&](CDialog& panel) {
                  auto* list = static_cast<CComboBox*>(panel.GetDlgItem(CScannerPanel::kResolutionId));
                  for (int i = 0; i < list->GetCount(); ++i)
                      resolutions.push_back(ComboText(panel, CScannerPanel::kResolutionId, i));
                  sourceShown = panel.GetDlgItem(CScannerPanel::kSourceId)->IsWindowVisible();
                  static_cast<CComboBox*>(panel.GetDlgItem(CScannerPanel::kModeId))->SetCurSel(1);
                  list->SetCurSel(list->FindStringExact(-1, "75 dpi"));
                  ClickAt(panel.GetDlgItem(IDOK), CPoint(5, 5));
              }));
    ASSERT_FALSE(resolutions.empty());
    EXPECT_EQ("150 dpi", resolutions.front()) << "150 dpi comes first";
    EXPECT_TRUE(sourceShown) << "the test device has a flatbed and a feeder";
    PumpMessages();
    EXPECT_EQ(1, m_window.m_events);
    const ScanSettings kept = GetScanSettings(m_source.ProductName);
    EXPECT_EQ(ScanSettings::Mode::kGray, kept.mode);
    EXPECT_EQ(75, kept.resolution);

    HGLOBAL dib = Transfer();
    ASSERT_NE(nullptr, dib);
    const Picture ours = ReadDib(dib);
    GlobalFree(dib);
    const Picture theirs = Scanimage("--mode Gray --depth 8 --resolution 75 --source Flatbed");
    EXPECT_EQ(theirs.width, ours.width);
    EXPECT_TRUE(theirs.rgb == ours.rgb);
}

TEST_F(SourcePanelTest, CancellingAPanelAsksToCloseTheSource) {
    ASSERT_EQ(TWRC_SUCCESS, Manager(DAT_IDENTITY, MSG_OPENDS, &m_source));
    ASSERT_EQ(TWRC_SUCCESS,
              EnableWithPanel([](CDialog& panel) { ClickAt(panel.GetDlgItem(IDCANCEL), CPoint(5, 5)); }));
    MSG message{m_window.m_hWnd, 0, 0, 0, 0, {0, 0}};
    PumpMessages();
    // The request arrives as the source's event; no picture is announced.
    message.message = kSourceEventMessage;
    message.wParam = MSG_CLOSEDSREQ;
    TW_EVENT event{&message, MSG_NULL};
    EXPECT_EQ(TWRC_DSEVENT, Source(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event));
    EXPECT_EQ(MSG_CLOSEDSREQ, event.TWMessage);
    EXPECT_EQ(0, m_window.m_events);
}

TEST_F(SourcePanelTest, TheCameraPanelTakesTheSelectedPicturesOnly) {
    m_source.ProductName = "Directory Browse";
    ASSERT_EQ(TWRC_SUCCESS, Manager(DAT_IDENTITY, MSG_OPENDS, &m_source));
    std::vector<CString> names;
    bool takeEnabledWithNone = true;
    ASSERT_EQ(TWRC_SUCCESS, EnableWithPanel([&](CDialog& panel) {
                  auto* list = static_cast<CListCtrl*>(panel.GetDlgItem(CCameraPanel::kListId));
                  for (int i = 0; i < list->GetItemCount(); ++i)
                      names.push_back(list->GetItemText(i, 0));
                  for (int i = 0; i < list->GetItemCount(); ++i)
                      list->SetItemState(i, 0, LVIS_SELECTED);
                  takeEnabledWithNone = panel.GetDlgItem(IDOK)->IsWindowEnabled();
                  list->SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
                  list->SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
                  ClickAt(panel.GetDlgItem(IDOK), CPoint(5, 5));
              }));
    EXPECT_EQ((std::vector<CString>{"a.jpg", "b.jpg", "c.jpg"}), names);
    EXPECT_FALSE(takeEnabledWithNone);
    for (int i = 0; i < 2; ++i)
        GlobalFree(Transfer());
    EXPECT_EQ(nullptr, Transfer(TWRC_CANCEL));
    EXPECT_EQ((std::vector<std::string>{"Bild a.jpg", "Bild DCIM/100/c.jpg"}), m_decoded);
    EXPECT_EQ((std::vector<CString>{"/a.jpg", "/DCIM/100/c.jpg"}),
              GetScanSettings("Directory Browse").pictures);
}

// A slow scan stopped from its progress window gives no picture and ends the run. The backend reads in a
// thread of its own, which it kills on cancel; killed inside a library call it left the locale lock held
// and the process hung at exit. The scan takes about two seconds (a 50 mm square, each of its some twenty
// buffers delayed 0.1 s), so the click comes while it runs.
TEST_F(SourcePanelTest, CancelInTheProgressWindowStopsTheScan) {
    WriteTestConfig("geometry_max 50.0\nread-limit true\nread-limit-size 4096\nread-delay true\n"
                    "read-delay-duration 100000\n");
    Manager(DAT_PARENT, MSG_CLOSEDSM, nullptr);
    ASSERT_EQ(TWRC_SUCCESS, Manager(DAT_PARENT, MSG_OPENDSM, nullptr));
    Enable({ScanSettings::Mode::kColor, 300, ""});
    bool shown = false;
    CTransferProgressDlg::SetShownHookForTesting([&](CTransferProgressDlg& progress) {
        shown = true;
        InLoop([&progress] {
            ASSERT_TRUE(WaitUntilActive(&progress));
            ClickAt(progress.GetDlgItem(IDCANCEL), CPoint(5, 5));
        });
    });
    EXPECT_EQ(nullptr, Transfer(TWRC_CANCEL));
    EXPECT_TRUE(shown);
    EXPECT_EQ(0, EndTransfer());
    EXPECT_TRUE(LocaleLockIsFree());
}

// The progress window's loop delivers the program's queued messages while the transfer runs. An
// announcement still queued there is not the source's event, and a second transfer is refused: two
// transfers at once read the one device together, and a feeder's pages got lost or a read never ended.
TEST_F(SourcePanelTest, WhileATransferRunsNoSecondOneStarts) {
    Enable({ScanSettings::Mode::kGray, 25, "Automatic Document Feeder"});
    MSG ready{m_window.m_hWnd, kSourceEventMessage, MSG_XFERREADY, 0, 0, {0, 0}};
    TW_EVENT event{&ready, MSG_NULL};
    int shown = 0;
    TW_UINT16 announced = TWRC_DSEVENT, second = TWRC_XFERDONE;
    TW_STATUS status{};
    CTransferProgressDlg::SetShownHookForTesting([&](CTransferProgressDlg&) {
        if (shown++ > 0)
            return;
        InLoop([&] {
            announced = Source(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event);
            HANDLE dib = nullptr;
            second = Source(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &dib);
            Source(DG_CONTROL, DAT_STATUS, MSG_GET, &status);
        });
    });
    GlobalFree(Transfer());
    EXPECT_EQ(1, shown);
    EXPECT_EQ(TWRC_NOTDSEVENT, announced);
    EXPECT_EQ(TWRC_FAILURE, second);
    EXPECT_EQ(TWCC_SEQERROR, status.ConditionCode);
    EXPECT_EQ(0xFFFF, EndTransfer()) << "the feeder goes on";
    EXPECT_EQ(TWRC_DSEVENT, Source(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event));
    HGLOBAL next = Transfer();
    EXPECT_NE(nullptr, next);
    GlobalFree(next);
}

} // namespace
