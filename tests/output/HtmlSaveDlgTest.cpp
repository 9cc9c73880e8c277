// The web page's Save As dialog: the two size fields following each other in the page's ratio, the
// limits of what they take, the open flag, and what the caller gets back.

#include "output/HtmlSaveDlg.h"

#include "platform/base/Module.h"
#include "platform/base/Resource.h"
#include "platform/ui/WindowRecord.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/ScriptedFileChooser.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UiTestSupport.h"

#include <QApplication>
#include <QWidget>
#include <string>

namespace {

// Portrait A4: 2970 / 2100 as the caller computes it.
constexpr float kPortrait = 2970.0f / 2100.0f;

class HtmlSaveDlgTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        m_resources = LoadLibrary(VC_PROGRAM_DIR "/qz_res.deu");
        ASSERT_NE(nullptr, m_resources);
        m_previous = AfxGetResourceHandle();
        AfxSetResourceHandle(m_resources);
        m_services.SetString(271, "Webseiten (*.htm)|*.htm||");
    }
    void TearDown() override {
        AfxSetResourceHandle(m_previous);
        FreeLibrary(m_resources);
        UiTest::TearDown();
    }

    // The control of the open dialog's page with that id.
    static CWnd* Control(int id) {
        CWnd* found = nullptr;
        const auto search = [&](auto&& self, CWnd* parent) -> void {
            for (CWnd* child = parent->GetWindow(GW_CHILD); child && !found;
                 child = child->GetWindow(GW_HWNDNEXT)) {
                if (child->GetDlgCtrlID() == id)
                    found = child;
                else
                    self(self, child);
            }
        };
        for (const QWidget* widget : QApplication::topLevelWidgets())
            if (const HWND window = widget->isVisible() ? WindowOfWidget(widget) : nullptr; window && !found)
                search(search, CWnd::FromHandle(window));
        return found;
    }
    static std::string Text(int id) {
        CString text;
        if (CWnd* control = Control(id))
            control->GetWindowText(text);
        return text.GetString();
    }
    static void Type(int id, const char* text) {
        if (CWnd* control = Control(id))
            control->SetWindowText(text);
    }

    HMODULE m_resources = nullptr;
    HINSTANCE m_previous = nullptr;
    FakeAppServices m_services;
    ScriptedFileChooser m_chooser;
    TempFolder m_folder;
};

TEST_F(HtmlSaveDlgTest, TheSidesFollowEachOtherInThePageRatio) {
    int size[2] = {800, static_cast<int>(800 * kPortrait + 0.5f)};
    BOOL open = TRUE;
    struct Step {
        int field;
        const char* typed;
        std::string width;
        std::string height;
        int stored[2];
    };
    const Step steps[] = {
        {1013, "1000", "1000", "1414", {1000, 1414}},
        {1014, "1131", "800", "1131", {800, 1131}},
        // Two pixels or less is typing in progress.
        {1013, "2", "2", "1131", {800, 1131}},
        {1014, "", "2", "", {800, 1131}},
        {1014, "abc", "2", "abc", {800, 1131}},
        {1013, "3", "3", "4", {3, 4}},
        {1013, "12000", "10000", "10000", {10000, 10000}},
        {1014, "566", "400", "566", {400, 566}},
    };
    std::vector<std::string> shown;
    m_chooser.Do([&] {
        shown = {Text(1013), Text(1014)};
        for (const Step& step : steps) {
            Type(step.field, step.typed);
            EXPECT_EQ(step.width, Text(1013)) << step.typed;
            EXPECT_EQ(step.height, Text(1014)) << step.typed;
            EXPECT_EQ(step.stored[0], size[0]) << step.typed;
            EXPECT_EQ(step.stored[1], size[1]) << step.typed;
        }
        if (CWnd* openAfterSaving = Control(1015))
            openAfterSaving->SendMessage(BM_CLICK);
    });
    m_chooser.Pick({m_folder.Path() + "/Seite"});
    const CString path = RunHtmlSaveDialog(size, &open, kPortrait, nullptr);
    EXPECT_EQ((std::vector<std::string>{"800", "1131"}), shown);
    EXPECT_EQ(m_folder.Path() + "/Seite.htm", path);
    EXPECT_FALSE(open) << "the cleared check box";
}

TEST_F(HtmlSaveDlgTest, CancelReturnsNothingButKeepsWhatWasTyped) {
    int size[2] = {800, 566};
    BOOL open = TRUE;
    m_chooser.Do([&] { Type(1013, "1000"); });
    m_chooser.Cancel();
    EXPECT_EQ(CString(), RunHtmlSaveDialog(size, &open, 2100.0f / 2970.0f, nullptr));
    EXPECT_EQ(1000, size[0]);
    EXPECT_EQ(707, size[1]);
    EXPECT_TRUE(open);
}

TEST_F(HtmlSaveDlgTest, WithoutARatioOnlyTheTypedSideChanges) {
    int size[2] = {800, 0};
    BOOL open = FALSE;
    m_chooser.Do([&] {
        Type(1013, "640");
        Type(1014, "480");
    });
    m_chooser.Cancel();
    RunHtmlSaveDialog(size, &open, 0.0f, nullptr);
    EXPECT_EQ(640, size[0]);
    EXPECT_EQ(480, size[1]);
}

} // namespace
