// Property sheets over pages from the test module: pages made on first activation, pages that refuse to
// go or to apply, Cancel that a page refuses, the buttons by the header's and pages' flags and their
// German texts, EndDialog from a page, and page switches by tab clicks and keys.

#include "platform/ui/PropertySheet.h"

#include "platform/base/AppServices.h"
#include "platform/base/Module.h"
#include "platform/base/Resource.h"
#include "platform/ui/SheetTabStrip.h"
#include "tests/support/UiTestSupport.h"

#include <QTimer>
#include <functional>
#include <gmock/gmock.h>
#include <string>

namespace {

using ::testing::ElementsAre;

constexpr UINT kGeneralTemplate = 510;
constexpr UINT kPreviewTemplate = 511;
constexpr UINT kExtrasTemplate = 512;
constexpr int kTabStripId = 0x3020;

// The shipped German text module gives the sheet its button texts.
class GermanTexts final : public CDefaultAppServices {
public:
    explicit GermanTexts(HMODULE module) : m_module(module) {}
    CString LoadString(UINT stringId, int initialLength) override {
        return LoadWholeString(m_module, stringId, initialLength);
    }

private:
    HMODULE m_module;
};

// A page that writes what the sheet asks of it into a shared log and answers as told.
class LoggingPage : public CPropertyPage {
public:
    LoggingPage(UINT templateId, std::string name, std::vector<std::string>* log)
        : CPropertyPage(templateId), m_name(std::move(name)), m_log(log) {}

    BOOL m_letGo = TRUE;
    BOOL m_apply = TRUE;
    BOOL m_allowCancel = TRUE;
    std::function<void(LoggingPage&)> m_onInit;
    CString m_text;

    BOOL OnInitDialog() override {
        Note("init");
        CPropertyPage::OnInitDialog();
        if (m_onInit)
            m_onInit(*this);
        return TRUE;
    }
    BOOL OnSetActive() override {
        Note("set");
        return CPropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override {
        Note("kill");
        return m_letGo && CPropertyPage::OnKillActive();
    }
    BOOL OnApply() override {
        Note("apply");
        return m_apply && CPropertyPage::OnApply();
    }
    void OnOK() override { Note("ok"); }
    BOOL OnQueryCancel() override {
        Note("query");
        return m_allowCancel;
    }
    void OnCancel() override { Note("cancel"); }

protected:
    void DoDataExchange(CDataExchange* exchange) override {
        if (GetDlgItem(1101))
            DDX_Text(exchange, 1101, m_text);
    }

private:
    void Note(const char* what) { m_log->push_back(m_name + ":" + what); }

    std::string m_name;
    std::vector<std::string>* m_log;
};

class PropertySheetTest : public UiTest {
protected:
    static void SetUpTestSuite() {
        UiTest::SetUpTestSuite();
        s_module = LoadLibrary(VC_UI_TEST_MODULE);
        s_texts = LoadLibrary(VC_GERMAN_TEXT_MODULE);
    }
    static void TearDownTestSuite() {
        FreeLibrary(s_module);
        FreeLibrary(s_texts);
    }

    void SetUp() override {
        UiTest::SetUp();
        ASSERT_NE(s_module, nullptr);
        ASSERT_NE(s_texts, nullptr);
        AfxSetResourceHandle(s_module);
        SetAppServices(&m_services);
        ASSERT_TRUE(m_main.CreateEx(0, nullptr, "Hauptfenster", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480,
                                    nullptr, nullptr));
        ShowActive(&m_main);
        for (LoggingPage* page : {&m_general, &m_preview, &m_extras})
            m_sheet.AddPage(page);
    }
    void TearDown() override {
        UiTest::TearDown();
        SetAppServices(nullptr);
        AfxSetResourceHandle(nullptr);
    }

    // Runs step once the sheet's loop runs.
    static void InLoop(std::function<void()> step) { QTimer::singleShot(0, std::move(step)); }

    CSheetTabStrip* Tabs() { return static_cast<CSheetTabStrip*>(m_sheet.GetDlgItem(kTabStripId)); }
    void ClickTab(int index) {
        const CRect tab = Tabs()->GetTabRect(index);
        ClickAt(Tabs(), tab.CenterPoint());
    }
    static CString Text(const CWnd* window) {
        CString text;
        window->GetWindowText(text);
        return text;
    }

    static HMODULE s_module;
    static HMODULE s_texts;
    GermanTexts m_services{s_texts};
    CWnd m_main;
    std::vector<std::string> m_log;
    LoggingPage m_general{kGeneralTemplate, "general", &m_log};
    LoggingPage m_preview{kPreviewTemplate, "preview", &m_log};
    LoggingPage m_extras{kExtrasTemplate, "extras", &m_log};
    CPropertySheet m_sheet{"Eigenschaften", &m_main};
};

HMODULE PropertySheetTest::s_module = nullptr;
HMODULE PropertySheetTest::s_texts = nullptr;

TEST_F(PropertySheetTest, PagesAreMadeOnTheirFirstActivationOnlyAndSizedToTheLargest) {
    m_sheet.m_psh.dwFlags = PSH_NOAPPLYNOW; // two buttons, narrower than the pages
    std::vector<bool> madeAtStart;
    CRect previewArea;
    InLoop([&] {
        for (LoggingPage* page : {&m_general, &m_preview, &m_extras})
            madeAtStart.push_back(page->m_hWnd != nullptr);
        ClickTab(1);
        ClickTab(0);
        ClickTab(1);
        m_preview.GetClientRect(&previewArea);
        EXPECT_EQ(m_preview.GetParent(), &m_sheet);
        EXPECT_FALSE(m_general.IsWindowVisible());
        EXPECT_TRUE(m_preview.IsWindowVisible());
        m_sheet.EndDialog(IDCANCEL);
    });

    EXPECT_EQ(m_sheet.DoModal(), IDCANCEL);

    EXPECT_THAT(madeAtStart, ElementsAre(true, false, false));
    EXPECT_THAT(m_log,
                ElementsAre("general:init", "general:set", "general:kill", "preview:init", "preview:set",
                            "preview:kill", "general:set", "general:kill", "preview:set"));
    EXPECT_EQ(previewArea.Size(), CSize(260, 140));
    EXPECT_EQ(m_extras.m_hWnd, nullptr);
}

TEST_F(PropertySheetTest, APageThatRefusesToGoStaysActive) {
    m_general.m_letGo = FALSE;
    InLoop([&] {
        ClickTab(2);
        TypeKey(&m_sheet, Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_EQ(m_sheet.SetActivePage(&m_preview), FALSE);
        EXPECT_EQ(m_sheet.GetActiveIndex(), 0);
        EXPECT_EQ(m_sheet.GetActivePage(), &m_general);
        EXPECT_EQ(Tabs()->GetCurrent(), 0);
        EXPECT_TRUE(m_general.IsWindowVisible());
        m_general.m_letGo = TRUE;
        EXPECT_TRUE(m_sheet.SetActivePage(2));
        EXPECT_EQ(m_sheet.GetActivePage(), &m_extras);
        m_sheet.EndDialog(IDCANCEL);
    });

    m_sheet.DoModal();

    EXPECT_EQ(m_preview.m_hWnd, nullptr);
}

TEST_F(PropertySheetTest, OkTakesTheActivePagesDataAndAppliesEveryPageMade) {
    InLoop([&] {
        m_general.SetDlgItemText(1101, "Urlaub 2026");
        ClickTab(2);
        EXPECT_EQ(m_general.m_text, "Urlaub 2026"); // read when the page was left
        m_log.clear();
        ClickAt(m_sheet.GetDlgItem(IDOK), CPoint(5, 5));
    });

    EXPECT_EQ(m_sheet.DoModal(), IDOK);

    EXPECT_THAT(m_log,
                ElementsAre("extras:kill", "general:apply", "general:ok", "extras:apply", "extras:ok"));
}

TEST_F(PropertySheetTest, APageThatRefusesToApplyShowsAndKeepsTheSheetOpen) {
    m_general.m_apply = FALSE;
    bool openAfterOk = false;
    InLoop([&] {
        ClickTab(1);
        m_log.clear();
        ClickAt(m_sheet.GetDlgItem(IDOK), CPoint(5, 5));
        openAfterOk = m_sheet.IsWindowVisible();
        EXPECT_EQ(m_sheet.GetActivePage(), &m_general);
        EXPECT_TRUE(m_general.IsWindowVisible());
        EXPECT_FALSE(m_preview.IsWindowVisible());
        m_sheet.EndDialog(IDCANCEL);
    });

    EXPECT_EQ(m_sheet.DoModal(), IDCANCEL);

    EXPECT_TRUE(openAfterOk);
    EXPECT_THAT(m_log, ElementsAre("preview:kill", "general:apply", "general:set"));
}

TEST_F(PropertySheetTest, CancelAsksTheActivePageAndCancelsEveryPageMade) {
    m_preview.m_allowCancel = FALSE;
    bool openAfterRefusal = false;
    InLoop([&] {
        ClickTab(1);
        m_log.clear();
        TypeKey(&m_sheet, Qt::Key_Escape);
        openAfterRefusal = m_sheet.IsWindowVisible();
        m_preview.m_allowCancel = TRUE;
        ClickAt(m_sheet.GetDlgItem(IDCANCEL), CPoint(5, 5));
    });

    EXPECT_EQ(m_sheet.DoModal(), IDCANCEL);

    EXPECT_TRUE(openAfterRefusal);
    EXPECT_THAT(m_log, ElementsAre("preview:query", "preview:query", "general:cancel", "preview:cancel"));
}

TEST_F(PropertySheetTest, ApplyIsEnabledWhileAPageIsModifiedAndAppliesWithoutClosing) {
    std::vector<BOOL> enabled;
    InLoop([&] {
        CWnd* apply = m_sheet.GetDlgItem(ID_APPLY_NOW);
        ASSERT_NE(apply, nullptr);
        enabled.push_back(apply->IsWindowEnabled());
        m_general.SetModified();
        enabled.push_back(apply->IsWindowEnabled());
        m_general.SetModified(FALSE);
        enabled.push_back(apply->IsWindowEnabled());
        m_general.SetModified();
        m_log.clear();
        ClickAt(apply, CPoint(5, 5));
        enabled.push_back(apply->IsWindowEnabled());
        EXPECT_TRUE(m_sheet.IsWindowVisible());
        m_sheet.EndDialog(IDCANCEL);
    });

    m_sheet.DoModal();

    EXPECT_THAT(enabled, ElementsAre(FALSE, TRUE, FALSE, FALSE));
    EXPECT_THAT(m_log, ElementsAre("general:kill", "general:apply", "general:ok"));
}

struct ButtonCase {
    const char* name;
    DWORD sheetFlags; // set in the header after the pages were added
    bool clearSheetHelp;
    bool pageHelp; // the start page's PSP_HASHELP
    bool apply;    // the Apply button exists
    bool help;     // the Help button exists
    bool helpEnabled;
};

void PrintTo(const ButtonCase& c, std::ostream* os) {
    *os << c.name;
}

class SheetButtonTest : public PropertySheetTest, public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(SheetButtonTest, TheHeaderAndPageFlagsChooseTheButtons) {
    const ButtonCase& c = GetParam();
    m_sheet.m_psh.dwFlags |= c.sheetFlags;
    if (c.clearSheetHelp)
        m_sheet.m_psh.dwFlags &= ~PSH_HASHELP;
    if (!c.pageHelp)
        m_general.m_psp.dwFlags &= ~PSP_HASHELP;
    InLoop([&] {
        EXPECT_EQ(m_sheet.GetDlgItem(ID_APPLY_NOW) != nullptr, c.apply);
        CWnd* help = m_sheet.GetDlgItem(IDHELP);
        EXPECT_EQ(help != nullptr, c.help);
        if (help) {
            EXPECT_EQ(help->IsWindowEnabled() != FALSE, c.helpEnabled);
        }
        // The buttons stand right-aligned in a row: the last one ends where the tabs end.
        CRect last;
        m_sheet.GetDlgItem(help ? IDHELP : c.apply ? ID_APPLY_NOW : IDCANCEL)->GetWindowRect(&last);
        CRect tabs;
        Tabs()->GetWindowRect(&tabs);
        EXPECT_EQ(last.right, tabs.right);
        m_sheet.EndDialog(IDCANCEL);
    });
    m_sheet.DoModal();
}

INSTANTIATE_TEST_SUITE_P(
    Flags, SheetButtonTest,
    ::testing::Values(ButtonCase{"AllButtonsByDefault", 0, false, true, true, true, true},
                      ButtonCase{"NoApplyNow", PSH_NOAPPLYNOW, false, true, false, true, true},
                      ButtonCase{"HelpDisabledForAPageWithout", 0, false, false, true, true, false},
                      ButtonCase{"NoHelpWithoutTheHeaderFlag", PSH_NOAPPLYNOW, true, true, false, false,
                                 false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PropertySheetTest, TheButtonsHaveGermanTextsAndPagesMayHideOrRenameThem) {
    m_general.m_onInit = [this](LoggingPage&) {
        m_sheet.GetDlgItem(IDOK)->ShowWindow(SW_HIDE);
        m_sheet.GetDlgItem(IDCANCEL)->SetWindowText("Schließen");
    };
    std::vector<CString> texts;
    bool okVisible = true;
    InLoop([&] {
        for (int id : {IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP})
            texts.push_back(Text(m_sheet.GetDlgItem(id)));
        okVisible = m_sheet.GetDlgItem(IDOK)->IsWindowVisible();
        EXPECT_EQ(Text(&m_sheet), "Eigenschaften");
        m_sheet.EndDialog(IDCANCEL);
    });

    m_sheet.DoModal();

    EXPECT_THAT(texts, ElementsAre("OK", "Schließen", "Ü&bernehmen", "Hilfe"));
    EXPECT_FALSE(okVisible);
}

TEST_F(PropertySheetTest, EndDialogFromAPageEndsTheSheet) {
    // While the start page initialises: the sheet never runs its loop.
    m_general.m_onInit = [](LoggingPage& page) { page.EndDialog(IDCANCEL); };
    EXPECT_EQ(m_sheet.DoModal(), IDCANCEL);
    EXPECT_TRUE(m_main.IsWindowEnabled());

    // Later, from a page's own handler, with a result of its own.
    m_general.m_onInit = nullptr;
    InLoop([&] {
        ClickTab(1);
        m_preview.EndDialog(77);
    });
    EXPECT_EQ(m_sheet.DoModal(), 77);
    EXPECT_EQ(m_preview.m_hWnd, nullptr);
}

struct SwitchStep {
    const char* input;
    int expectedPage;
};

TEST_F(PropertySheetTest, TabsSwitchPagesByClickAndKeys) {
    const std::vector<SwitchStep> steps{
        {"click 2", 2},        {"ctrl+tab", 0},      {"ctrl+tab", 1},    {"ctrl+shift+tab", 0},
        {"ctrl+shift+tab", 2}, {"ctrl+pagedown", 0}, {"ctrl+pageup", 2}, {"click 1", 1},
        {"click 1", 1},        {"pagedown", 1},
    };
    std::vector<int> pages;
    InLoop([&] {
        ASSERT_TRUE(WaitUntilActive(&m_sheet));
        for (const SwitchStep& step : steps) {
            const std::string input = step.input;
            if (input.rfind("click ", 0) == 0)
                ClickTab(input.back() - '0');
            else if (input == "ctrl+tab")
                TypeKey(&m_sheet, Qt::Key_Tab, Qt::ControlModifier);
            else if (input == "ctrl+shift+tab")
                TypeKey(&m_sheet, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
            else if (input == "ctrl+pagedown")
                TypeKey(&m_sheet, Qt::Key_PageDown, Qt::ControlModifier);
            else if (input == "ctrl+pageup")
                TypeKey(&m_sheet, Qt::Key_PageUp, Qt::ControlModifier);
            else if (input == "pagedown")
                TypeKey(&m_sheet, Qt::Key_PageDown);
            pages.push_back(m_sheet.GetActiveIndex());
            EXPECT_EQ(m_sheet.GetActiveIndex(), step.expectedPage) << step.input;
            EXPECT_EQ(Tabs()->GetCurrent(), step.expectedPage) << step.input;
        }
        TypeKey(&m_sheet, Qt::Key_Return);
    });

    EXPECT_EQ(m_sheet.DoModal(), IDOK);
    EXPECT_EQ(pages.size(), steps.size());
}

// Apply is no stop while it is disabled.
TEST_F(PropertySheetTest, TabMovesFromThePagesControlsToTheSheetsButtons) {
    std::vector<int> order;
    InLoop([&] {
        ASSERT_TRUE(WaitUntilActive(&m_sheet));
        PumpMessages();
        for (int i = 0; i < 7; ++i) {
            order.push_back(CWnd::GetFocus() ? CWnd::GetFocus()->GetDlgCtrlID() : 0);
            TypeKey(&m_sheet, Qt::Key_Tab);
        }
        m_sheet.EndDialog(IDCANCEL);
    });
    m_sheet.DoModal();
    EXPECT_THAT(order, ElementsAre(1101, 1102, IDOK, IDCANCEL, IDHELP, 1101, 1102));
}

TEST_F(PropertySheetTest, TheStartPageCanBeChosenBeforeTheSheetShows) {
    EXPECT_TRUE(m_sheet.SetActivePage(&m_extras));
    EXPECT_EQ(m_sheet.GetActiveIndex(), 2);
    InLoop([&] {
        EXPECT_EQ(m_sheet.GetActivePage(), &m_extras);
        EXPECT_EQ(m_general.m_hWnd, nullptr);
        m_sheet.EndDialog(IDCANCEL);
    });
    m_sheet.DoModal();
    EXPECT_EQ(m_sheet.GetPageCount(), 3);
    EXPECT_EQ(m_sheet.GetPage(1), &m_preview);
    EXPECT_EQ(m_sheet.GetPage(3), nullptr);
}

TEST_F(PropertySheetTest, ASheetWithoutPagesOrWithAMissingTemplateIsNotShown) {
    CPropertySheet empty("Leer", &m_main);
    EXPECT_EQ(empty.DoModal(), -1);
    LoggingPage missing(999, "missing", &m_log);
    m_sheet.AddPage(&missing);
    EXPECT_EQ(m_sheet.DoModal(), -1);
    EXPECT_TRUE(m_main.IsWindowEnabled());
    EXPECT_TRUE(m_log.empty());
}

} // namespace
