// Dialogs from the templates of a language module: modal runs with data exchange, the dialog keys,
// EndDialog before the loop, modeless dialogs, and templates that cannot be built.

#include "platform/ui/Dialog.h"

#include "platform/base/Module.h"
#include "platform/ui/ProgressCtrl.h"
#include "tests/platform/ui/LoggingWnd.h"
#include "tests/support/UiTestSupport.h"

#include <QTimer>
#include <functional>
#include <gmock/gmock.h>

namespace {

constexpr UINT kSettingsTemplate = 500;

class SettingsDialog : public CDialog {
public:
    explicit SettingsDialog(CWnd* parent, UINT templateId = kSettingsTemplate)
        : CDialog(templateId, parent) {}

    int m_step = 3;
    CString m_name = "Album 1";
    int m_sound = BST_CHECKED;
    int m_orientation = 1;
    CProgressCtrl m_progress;
    std::function<void(SettingsDialog&)> m_onInit;

protected:
    void DoDataExchange(CDataExchange* exchange) override {
        DDX_Text(exchange, 1001, m_step);
        DDX_Text(exchange, 1002, m_name);
        DDX_Check(exchange, 1003, m_sound);
        DDX_Radio(exchange, 1004, m_orientation);
        DDX_Control(exchange, 1006, m_progress);
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        if (m_onInit)
            m_onInit(*this);
        return TRUE;
    }
};

class DialogTest : public UiTest {
protected:
    static void SetUpTestSuite() {
        UiTest::SetUpTestSuite();
        s_module = LoadLibrary(VC_UI_TEST_MODULE);
    }
    static void TearDownTestSuite() { FreeLibrary(s_module); }

    void SetUp() override {
        UiTest::SetUp();
        ASSERT_NE(s_module, nullptr);
        AfxSetResourceHandle(s_module);
        ASSERT_TRUE(m_main.CreatePopup(CRect(0, 0, 640, 480)));
        ShowActive(&m_main);
    }
    void TearDown() override {
        UiTest::TearDown();
        AfxSetResourceHandle(nullptr);
    }

    // Runs step once the dialog's loop runs.
    static void InLoop(std::function<void()> step) { QTimer::singleShot(0, std::move(step)); }
    static CString ItemText(CWnd* dialog, int id) {
        CString text;
        dialog->GetDlgItemText(id, text);
        return text;
    }

    static HMODULE s_module;
    MessageLog m_log;
    LoggingWnd m_main{&m_log, "main"};
};

HMODULE DialogTest::s_module = nullptr;

TEST_F(DialogTest, ModalDialogShowsTheMembersAndTakesBackWhatTheUserChanged) {
    SettingsDialog dialog(&m_main);
    dialog.m_onInit = [](SettingsDialog& d) { d.m_progress.SetPos(40); };
    bool ownerDisabledMeanwhile = false;
    InLoop([&] {
        ownerDisabledMeanwhile = !m_main.IsWindowEnabled();
        EXPECT_EQ(ItemText(&dialog, 1001), "3");
        EXPECT_EQ(ItemText(&dialog, 1002), "Album 1");
        EXPECT_EQ(dialog.IsDlgButtonChecked(1003), BST_CHECKED);
        EXPECT_EQ(dialog.GetCheckedRadioButton(1004, 1005), 1005);
        EXPECT_EQ(dialog.m_progress.m_hWnd, dialog.GetDlgItem(1006)->m_hWnd);
        EXPECT_EQ(dialog.m_progress.GetPos(), 40);
        dialog.SetDlgItemText(1001, " 7 ");
        dialog.SetDlgItemText(1002, "Reise nach Köln");
        ClickAt(dialog.GetDlgItem(1003), CPoint(5, 5));
        ClickAt(dialog.GetDlgItem(1004), CPoint(5, 5));
        ClickAt(dialog.GetDlgItem(IDOK), CPoint(5, 5));
    });

    EXPECT_EQ(dialog.DoModal(), IDOK);

    EXPECT_TRUE(ownerDisabledMeanwhile);
    EXPECT_TRUE(m_main.IsWindowEnabled());
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(dialog.m_step, 7);
    EXPECT_EQ(dialog.m_name, "Reise nach Köln");
    EXPECT_EQ(dialog.m_sound, BST_UNCHECKED);
    EXPECT_EQ(dialog.m_orientation, 0);
}

TEST_F(DialogTest, AValueThatIsNoNumberKeepsTheDialogOpenWithTheFocusOnIt) {
    SettingsDialog dialog(&m_main);
    InLoop([&] {
        dialog.SetDlgItemText(1001, "sieben");
        ClickAt(dialog.GetDlgItem(IDOK), CPoint(5, 5));
        EXPECT_TRUE(dialog.IsWindowVisible());
        ASSERT_EQ(m_messageBoxes.Boxes().size(), 1u);
        EXPECT_EQ(m_messageBoxes.Boxes()[0].text, "Bitte geben Sie eine ganze Zahl ein.");
        EXPECT_EQ(CWnd::GetFocus(), dialog.GetDlgItem(1001));
        dialog.SetDlgItemText(1001, "8");
        TypeKey(&dialog, Qt::Key_Return);
    });

    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_step, 8);
}

TEST_F(DialogTest, EscapeAndClosingCancelWithoutTakingValues) {
    for (const bool byEscape : {true, false}) {
        SettingsDialog dialog(&m_main);
        InLoop([&] {
            dialog.SetDlgItemText(1001, "99");
            if (byEscape)
                TypeKey(&dialog, Qt::Key_Escape);
            else
                dialog.PostMessage(WM_CLOSE);
        });
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_EQ(dialog.m_step, 3);
    }
}

TEST_F(DialogTest, TabMovesThroughTheControlsThatAreTabStopsInOrder) {
    SettingsDialog dialog(&m_main);
    std::vector<int> order;
    InLoop([&] {
        ASSERT_TRUE(WaitUntilActive(&dialog));
        for (int i = 0; i < 7; ++i) {
            order.push_back(CWnd::GetFocus() ? CWnd::GetFocus()->GetDlgCtrlID() : 0);
            TypeKey(&dialog, Qt::Key_Tab);
        }
        dialog.EndDialog(IDCANCEL);
    });
    dialog.DoModal();
    EXPECT_THAT(order, ::testing::ElementsAre(1001, 1002, 1003, 1004, IDOK, IDCANCEL, 1001));
}

TEST_F(DialogTest, EndingTheDialogWhileItInitialisesSkipsTheLoop) {
    SettingsDialog dialog(&m_main);
    dialog.m_onInit = [](SettingsDialog& d) { d.EndDialog(42); };
    EXPECT_EQ(dialog.DoModal(), 42);
    EXPECT_TRUE(m_main.IsWindowEnabled());
}

struct BrokenTemplate {
    const char* name;
    UINT id;
};

class BrokenTemplateTest : public DialogTest, public ::testing::WithParamInterface<BrokenTemplate> {};

TEST_P(BrokenTemplateTest, ATemplateThatCannotBeBuiltGivesMinusOneAndLeavesNoWindow) {
    SettingsDialog dialog(&m_main, GetParam().id);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_FALSE(dialog.Create(GetParam().id, &m_main));
    EXPECT_TRUE(m_main.IsWindowEnabled());
}

INSTANTIATE_TEST_SUITE_P(Templates, BrokenTemplateTest,
                         ::testing::Values(BrokenTemplate{"Missing", 999},
                                           BrokenTemplate{"UnknownStyle", 501},
                                           BrokenTemplate{"UnknownControlClass", 502}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DialogTest, AModelessDialogShowsByItsTemplateAndEndDialogOnlyHidesIt) {
    CDialog progress;
    ASSERT_TRUE(progress.Create(503, &m_main));
    EXPECT_TRUE(progress.IsWindowVisible());
    EXPECT_TRUE(m_main.IsWindowEnabled());
    CString title;
    progress.GetWindowText(title);
    EXPECT_EQ(title, "Bitte warten");
    EXPECT_EQ(ItemText(&progress, 1004), "0%");

    ClickAt(progress.GetDlgItem(IDCANCEL), CPoint(5, 5));
    EXPECT_FALSE(progress.IsWindowVisible());
    EXPECT_TRUE(IsWindow(progress.m_hWnd));
    EXPECT_TRUE(progress.DestroyWindow());
}

TEST_F(DialogTest, ADialogWithoutAResourceHandleCannotBeMade) {
    AfxSetResourceHandle(nullptr);
    SettingsDialog dialog(&m_main);
    EXPECT_EQ(dialog.DoModal(), -1);
}

} // namespace
