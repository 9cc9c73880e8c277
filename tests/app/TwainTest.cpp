// The acquisition state machine against a scripted source manager (each operation from each state, the
// errors it reports, the transfer loop), and once against the program's own manager and a test scanner.

#include "app/Twain.h"

#include "app/CameraPictures.h"
#include "image/ExtMgr.h"
#include "image/PictureInfo.h"
#include "platform/base/GlobalMemory.h"
#include "platform/scan/PhotoCamera.h"
#include "platform/scan/ScanSettings.h"
#include "platform/scan/SourceManager.h"
#include "tests/support/CameraDrivers.h"
#include "tests/support/RunTool.h"
#include "tests/support/SaneTestBackend.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UiTestSupport.h"

#include <cstdlib>
#include <deque>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <tuple>
#include <vector>

namespace {

using Triplet = std::tuple<TW_UINT32, TW_UINT16, TW_UINT16>;

// Answers each call with the next scripted reply for its triplet, TWRC_SUCCESS when none is left.
struct ScriptedReply {
    TW_UINT16 result = TWRC_SUCCESS;
    TW_UINT16 event = MSG_NULL; // DAT_EVENT: the source's message
    TW_UINT16 pending = 0;      // DAT_PENDINGXFERS: the count left
    CString name;               // DAT_IDENTITY: the source named
};

std::map<Triplet, std::deque<ScriptedReply>> g_script;
std::vector<Triplet> g_calls;

TW_UINT16 ScriptedManager(TW_IDENTITY*, TW_IDENTITY*, TW_UINT32 group, TW_UINT16 argument, TW_UINT16 message,
                          TW_MEMREF data) {
    const Triplet call{group, argument, message};
    g_calls.push_back(call);
    ScriptedReply reply;
    if (auto& queue = g_script[call]; !queue.empty()) {
        reply = queue.front();
        queue.pop_front();
    }
    if (argument == DAT_EVENT)
        static_cast<TW_EVENT*>(data)->TWMessage = reply.event;
    if (argument == DAT_PENDINGXFERS)
        static_cast<TW_PENDINGXFERS*>(data)->Count = reply.pending;
    if (argument == DAT_IDENTITY && !reply.name.IsEmpty())
        static_cast<TW_IDENTITY*>(data)->ProductName = reply.name;
    if (argument == DAT_IMAGENATIVEXFER && reply.result == TWRC_XFERDONE)
        *static_cast<HANDLE*>(data) = GlobalAlloc(GHND, 16);
    return reply.result;
}

void Script(TW_UINT32 group, TW_UINT16 argument, TW_UINT16 message,
            std::initializer_list<ScriptedReply> replies) {
    auto& queue = g_script[{group, argument, message}];
    queue.insert(queue.end(), replies);
}

class RecordingTwain : public CTwain {
public:
    std::vector<int> errors;
    int images = 0;
    int closed = 0;

    void OnError(int code) override { errors.push_back(code); }
    void OnImageAcquired(HANDLE dib) override {
        ++images;
        CTwain::OnImageAcquired(dib);
    }
    void OnSourceClosed() override { ++closed; }
};

class TwainTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_script.clear();
        g_calls.clear();
        CTwain::SetSourceManagerForTesting(ScriptedManager);
    }
    void TearDown() override { CTwain::SetSourceManagerForTesting(nullptr); }
};

struct AcquireCase {
    const char* name;
    TW_UINT16 failing; // the message whose call fails; MSG_NULL for none
    BOOL result;
    int state;
    std::vector<int> errors;
};

class TwainAcquireTest : public TwainTest, public ::testing::WithParamInterface<AcquireCase> {};

TEST_P(TwainAcquireTest, OpensEnablesOrReturnsToTheStateBefore) {
    const AcquireCase& c = GetParam();
    if (c.failing == MSG_OPENDSM)
        Script(DG_CONTROL, DAT_PARENT, MSG_OPENDSM, {{TWRC_FAILURE}});
    if (c.failing == MSG_OPENDS)
        Script(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, {{TWRC_FAILURE}});
    if (c.failing == MSG_ENABLEDS)
        Script(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, {{TWRC_FAILURE}});
    RecordingTwain twain;
    EXPECT_EQ(c.result, twain.Acquire());
    EXPECT_EQ(c.state, twain.GetState());
    EXPECT_EQ(c.errors, twain.errors);
}

INSTANTIATE_TEST_SUITE_P(Steps, TwainAcquireTest,
                         ::testing::Values(AcquireCase{"AllSucceed", MSG_NULL, TRUE, 5, {}},
                                           AcquireCase{"ManagerDoesNotOpen", MSG_OPENDSM, FALSE, 1, {0}},
                                           AcquireCase{"SourceDoesNotOpen", MSG_OPENDS, FALSE, 1, {1}},
                                           AcquireCase{"SourceDoesNotEnable", MSG_ENABLEDS, FALSE, 1, {2}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TwainTest, ThreePendingImagesArriveInOneTransferReadyAndTheStateEndsAtFive) {
    RecordingTwain twain;
    ASSERT_TRUE(twain.Acquire());
    Script(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, {{TWRC_DSEVENT, MSG_XFERREADY}});
    Script(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, {{TWRC_XFERDONE}, {TWRC_XFERDONE}, {TWRC_XFERDONE}});
    Script(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER,
           {{TWRC_SUCCESS, MSG_NULL, 2}, {TWRC_SUCCESS, MSG_NULL, 1}, {}});
    MSG message{};
    EXPECT_TRUE(twain.ProcessMessage(&message));
    EXPECT_EQ(3, twain.images);
    EXPECT_EQ(5, twain.GetState());
}

TEST_F(TwainTest, ACancelledTransferStillEndsAndHandsNoPicture) {
    RecordingTwain twain;
    ASSERT_TRUE(twain.Acquire());
    Script(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, {{TWRC_DSEVENT, MSG_XFERREADY}});
    Script(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, {{TWRC_CANCEL}});
    MSG message{};
    twain.ProcessMessage(&message);
    EXPECT_EQ(0, twain.images);
    EXPECT_EQ(5, twain.GetState());
    EXPECT_EQ(1,
              std::count(g_calls.begin(), g_calls.end(), Triplet{DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER}));
}

TEST_F(TwainTest, AFailingTransferIsResetInsteadOfAskedForEver) {
    RecordingTwain twain;
    ASSERT_TRUE(twain.Acquire());
    Script(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, {{TWRC_DSEVENT, MSG_XFERREADY}});
    Script(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, {{TWRC_FAILURE}});
    MSG message{};
    twain.ProcessMessage(&message);
    EXPECT_EQ(5, twain.GetState());
    EXPECT_EQ(1, std::count(g_calls.begin(), g_calls.end(), Triplet{DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET}));
    EXPECT_EQ(1,
              std::count(g_calls.begin(), g_calls.end(), Triplet{DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET}));
}

TEST_F(TwainTest, AClosingRequestClosesTheSource) {
    RecordingTwain twain;
    ASSERT_TRUE(twain.Acquire());
    Script(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT,
           {{TWRC_NOTDSEVENT, MSG_NULL}, {TWRC_DSEVENT, MSG_CLOSEDSREQ}});
    MSG message{};
    EXPECT_FALSE(twain.ProcessMessage(&message)) << "not the source's";
    EXPECT_TRUE(twain.ProcessMessage(&message));
    EXPECT_EQ(1, twain.closed);
    EXPECT_EQ(3, twain.GetState());
    EXPECT_FALSE(twain.ProcessMessage(&message)) << "below state 5 nothing goes to the source";
}

struct SelectCase {
    const char* name;
    const char* wanted;
    BOOL result;
    const char* selected;
};

class TwainSelectTest : public TwainTest, public ::testing::WithParamInterface<SelectCase> {};

TEST_P(TwainSelectTest, PicksTheDefaultOrTheNamedSourceAndDropsBack) {
    const SelectCase& c = GetParam();
    Script(DG_CONTROL, DAT_IDENTITY, MSG_GETDEFAULT, {{TWRC_SUCCESS, MSG_NULL, 0, "Standard"}});
    Script(DG_CONTROL, DAT_IDENTITY, MSG_GETFIRST, {{TWRC_SUCCESS, MSG_NULL, 0, "Flachbett"}});
    // The second name repeats: the list ends there.
    Script(DG_CONTROL, DAT_IDENTITY, MSG_GETNEXT,
           {{TWRC_SUCCESS, MSG_NULL, 0, "Kamera"},
            {TWRC_SUCCESS, MSG_NULL, 0, "Kamera"},
            {TWRC_SUCCESS, MSG_NULL, 0, "Dahinter"}});
    RecordingTwain twain;
    CTwain::SetSourceManagerForTesting(ScriptedManager);
    const CString before = CTwain::GetSourceIdentity().ProductName;
    EXPECT_EQ(c.result, twain.SelectSource(c.wanted));
    EXPECT_EQ(CString(c.selected ? c.selected : before.GetString()), CTwain::GetSourceIdentity().ProductName);
    EXPECT_EQ(1, twain.GetState()) << "back to the state before";
}

INSTANTIATE_TEST_SUITE_P(Names, TwainSelectTest,
                         ::testing::Values(SelectCase{"None", "Keine", TRUE, "Standard"},
                                           SelectCase{"Empty", "", TRUE, "Standard"},
                                           SelectCase{"Named", "Kamera", TRUE, "Kamera"},
                                           SelectCase{"PastTheRepetition", "Dahinter", FALSE, nullptr},
                                           SelectCase{"Unknown", "Fehlt", FALSE, nullptr}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TwainTest, TheSourceListFromStateThreeStillListsAndTheCallerOwnsTheRecords) {
    RecordingTwain twain;
    ASSERT_TRUE(twain.OpenSourceManager());
    Script(DG_CONTROL, DAT_IDENTITY, MSG_GETFIRST, {{TWRC_SUCCESS, MSG_NULL, 0, "Flachbett"}});
    Script(DG_CONTROL, DAT_IDENTITY, MSG_GETNEXT, {{TWRC_ENDOFLIST}});
    CPtrList sources;
    ASSERT_TRUE(twain.GetSourceList(sources));
    ASSERT_EQ(1, sources.GetCount());
    std::unique_ptr<TW_IDENTITY> first(static_cast<TW_IDENTITY*>(sources.GetHead()));
    EXPECT_EQ(CString("Flachbett"), first->ProductName);
}

TEST_F(TwainTest, DropToStateStepsDownAndTheConditionCodeNeedsTheManager) {
    RecordingTwain twain;
    EXPECT_EQ(11, twain.GetConditionCode());
    ASSERT_TRUE(twain.Acquire());
    EXPECT_TRUE(twain.DropToState(1));
    EXPECT_EQ(1, twain.GetState());
    EXPECT_EQ((std::vector<Triplet>{{DG_CONTROL, DAT_PARENT, MSG_OPENDSM},
                                    {DG_CONTROL, DAT_IDENTITY, MSG_OPENDS},
                                    {DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS},
                                    {DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS},
                                    {DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS},
                                    {DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM}}),
              g_calls);
}

} // namespace

namespace {

// The program's own source manager over SANE's test backend: one picture from an enabled scanner.
TEST(TwainScannerTest, AcquiresOnePictureFromTheTestScanner) {
    UseSaneTestBackend("number_of_devices 1\n");
    KeepCameraDriversLoaded();
    EnsureUiApplication();
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "Scanner", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    {
        RecordingTwain twain;
        twain.SetShowUI(0);
        ASSERT_TRUE(twain.IsTwainAvailable());
        ASSERT_TRUE(twain.SelectSource("", &parent));
        SetScanSettings(CTwain::GetSourceIdentity().ProductName, {ScanSettings::Mode::kGray, 25, ""});
        ASSERT_TRUE(twain.Acquire(&parent));
        MSG ready{parent.m_hWnd, kSourceEventMessage, MSG_XFERREADY, 0, 0, {0, 0}};
        EXPECT_TRUE(twain.ProcessMessage(&ready));
        EXPECT_EQ(1, twain.images);
        EXPECT_EQ(5, twain.GetState());
        EXPECT_TRUE(twain.DropToState(1));
    }
    PumpMessages();
    parent.DestroyWindow();
}

// A folder camera of JPEGs: the two chosen pictures arrive as the codecs read the files themselves.
TEST(TwainCameraTest, ChosenPicturesArriveAsTheCodecsReadTheFiles) {
    UseSaneTestBackend("number_of_devices 1\n");
    KeepCameraDriversLoaded();
    EnsureUiApplication();
    TempFolder folder;
    const std::string root = folder.Path().GetString();
    ASSERT_EQ(0, RunTool("cd '" + root +
                         "' && LC_ALL=C.UTF-8 gm convert -size 40x30 gradient:red-blue a.jpg && " +
                         "LC_ALL=C.UTF-8 gm convert -size 17x9 xc:green b.jpg && " +
                         "LC_ALL=C.UTF-8 gm convert -size 8x8 plasma: c.jpg"));
    CExtMgr codecs(VC_PROGRAM_DIR);
    codecs.LoadPlugins();
    UseCodecsForCameras(codecs);
    SetCameraFoldersForTesting({folder.Path()});

    struct CameraTwain : CTwain {
        std::vector<std::vector<BYTE>> pictures;
        void OnImageAcquired(HANDLE dib) override {
            {
                CGlobalLock lock(static_cast<HGLOBAL>(dib));
                pictures.emplace_back(lock.Bytes(), lock.Bytes() + GlobalSize(static_cast<HGLOBAL>(dib)));
            }
            CTwain::OnImageAcquired(dib);
        }
    };
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "Kamera", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    {
        CameraTwain twain;
        twain.SetShowUI(0);
        ASSERT_TRUE(twain.SelectSource("Directory Browse", &parent));
        ScanSettings settings;
        settings.pictures = {"/c.jpg", "/a.jpg"};
        SetScanSettings("Directory Browse", settings);
        ASSERT_TRUE(twain.Acquire(&parent));
        MSG ready{parent.m_hWnd, kSourceEventMessage, MSG_XFERREADY, 0, 0, {0, 0}};
        EXPECT_TRUE(twain.ProcessMessage(&ready));
        ASSERT_EQ(2u, twain.pictures.size());
        for (std::size_t i = 0; i < 2; ++i) {
            CPictureInfo* mask = nullptr;
            std::unique_ptr<CPictureInfo> expected(
                codecs.LoadFile(CString(root.c_str()) + (i == 0 ? "/c.jpg" : "/a.jpg"), mask, 0));
            delete mask;
            ASSERT_TRUE(expected);
            const auto* bytes = reinterpret_cast<const BYTE*>(expected->GetHeader());
            EXPECT_TRUE(std::vector<BYTE>(bytes, bytes + expected->GetLength()) == twain.pictures[i]) << i;
        }
        EXPECT_TRUE(twain.DropToState(1));
    }
    SetCameraFoldersForTesting({});
    SetCameraPictureDecoder(nullptr);
    PumpMessages();
    parent.DestroyWindow();
}

} // namespace
