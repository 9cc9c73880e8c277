// Menus: templates loaded from the resource module, item states, and popup tracking through the
// presenter: WM_INITMENUPOPUP first, the chosen command posted, grayed items never chosen.

#include "platform/ui/Menu.h"

#include "platform/base/MenuTemplate.h"
#include "platform/base/Module.h"
#include "platform/base/Resource.h"
#include "platform/ui/MenuPresenter.h"
#include "tests/platform/ui/LoggingWnd.h"
#include "tests/support/UiTestSupport.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

// Records the items it is shown, flattened with their depth and state, and picks a scripted command.
class ScriptedMenuPresenter final : public IMenuPresenter {
public:
    ScriptedMenuPresenter() { SetMenuPresenter(this); }
    ~ScriptedMenuPresenter() override { SetMenuPresenter(nullptr); }
    ScriptedMenuPresenter(const ScriptedMenuPresenter&) = delete;
    ScriptedMenuPresenter& operator=(const ScriptedMenuPresenter&) = delete;

    UINT m_pick = 0;
    std::vector<std::string> m_shown;

    UINT Track(HWND, CMenu& menu, POINT point) override {
        m_shown.clear();
        m_shown.push_back("at " + std::to_string(point.x) + "," + std::to_string(point.y));
        Record(menu, "");
        return m_pick;
    }

private:
    void Record(CMenu& menu, const std::string& indent) {
        for (int i = 0; i < menu.GetMenuItemCount(); ++i) {
            const UINT state = menu.GetMenuState(static_cast<UINT>(i), MF_BYPOSITION);
            if (state & MF_SEPARATOR) {
                m_shown.push_back(indent + "-");
                continue;
            }
            CString text;
            menu.GetMenuString(static_cast<UINT>(i), text, MF_BYPOSITION);
            std::string line = indent + text.GetString();
            if (state & MF_GRAYED)
                line += " grayed";
            if (state & MF_CHECKED)
                line += " checked";
            m_shown.push_back(line);
            if (CMenu* popup = menu.GetSubMenu(i))
                Record(*popup, indent + "  ");
        }
    }
};

class MenuOwner : public LoggingWnd {
public:
    using LoggingWnd::LoggingWnd;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_INITMENUPOPUP) {
            CMenu* menu = CMenu::FromHandle(reinterpret_cast<HMENU>(wParam));
            Log("initmenupopup " + std::to_string(menu->GetMenuItemCount()) + " items");
            // The owner may still change the menu before it shows.
            menu->CheckMenuItem(32801, MF_CHECKED);
        }
        return LoggingWnd::WindowProc(message, wParam, lParam);
    }
};

class MenuTest : public UiTest {
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
        ASSERT_TRUE(m_owner.CreatePopup(CRect(0, 0, 200, 100)));
        ShowActive(&m_owner);
        m_log.clear();
    }
    void TearDown() override {
        UiTest::TearDown();
        AfxSetResourceHandle(nullptr);
    }

    static HMODULE s_module;
    MessageLog m_log;
    MenuOwner m_owner{&m_log, "owner"};
    ScriptedMenuPresenter m_presenter;
};

HMODULE MenuTest::s_module = nullptr;

TEST_F(MenuTest, APopupOfATemplateShowsItsItemsAndPostsTheChoice) {
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(600));
    CMenu* popup = menu.GetSubMenu(0);
    ASSERT_NE(popup, nullptr);
    m_presenter.m_pick = 32803;
    ASSERT_TRUE(popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, 30, 40, &m_owner));
    EXPECT_THAT(m_presenter.m_shown, ElementsAre("at 30,40", "&Drehen checked", "-", "Spiegeln grayed",
                                                 "Raster checked", "Farben", "  Graustufen"));
    EXPECT_THAT(m_log, ElementsAre("owner initmenupopup 5 items", "owner initmenupopup 1 items"))
        << "the command is posted, not sent";
    PumpMessages();
    EXPECT_EQ(m_log.back(), "owner command 32803 code 0 from -");
}

TEST_F(MenuTest, GrayedItemsAndCancellingChooseNothing) {
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    ASSERT_TRUE(popup.AppendMenu(MF_STRING, 10, "Öffnen"));
    ASSERT_TRUE(popup.AppendMenu(MF_STRING, 11, "Löschen"));
    EXPECT_EQ(popup.EnableMenuItem(11, MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(popup.EnableMenuItem(99, MF_GRAYED), 0xFFFFFFFFu);

    for (const UINT pick : {11u, 0u, 42u}) {
        m_presenter.m_pick = pick;
        EXPECT_EQ(popup.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &m_owner), 0) << pick;
        EXPECT_TRUE(popup.TrackPopupMenu(0, 0, 0, &m_owner));
    }
    m_presenter.m_pick = 10;
    EXPECT_EQ(popup.TrackPopupMenu(TPM_RETURNCMD | TPM_NONOTIFY, 0, 0, &m_owner), 10);
    PumpMessages();
    for (const std::string& line : m_log)
        EXPECT_EQ(line.find("command"), std::string::npos) << line;
}

TEST(MenuTemplateTest, MalformedTemplatesAreRefused) {
    const char* const cases[] = {
        R"({"id": 1, "items": [{"text": "A", "command": 5}]})",
        R"({"id": 1, "items": [{"text": "A"}]})",
        R"({"id": 1, "items": [{"text": "A", "command": 70000}]})",
        R"({"id": 1, "items": [{"separator": true, "text": "A"}]})",
        R"({"id": 1, "items": [{"text": "A", "popup": [], "command": 3}]})",
        R"({"id": 1, "items": [{"text": "A", "command": 5, "bold": true}]})",
        R"({"id": 0, "items": []})",
        R"({"id": 1, "items": [{"text": "A", "command": 5})",
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        MenuTemplate menu;
        const std::string json = cases[i];
        EXPECT_EQ(ParseMenuTemplate(reinterpret_cast<const BYTE*>(json.data()),
                                    static_cast<DWORD>(json.size()), menu),
                  i == 0)
            << json;
    }
}

TEST_F(MenuTest, AMissingTemplateLoadsNoMenu) {
    CMenu menu;
    EXPECT_FALSE(menu.LoadMenu(601));
    EXPECT_EQ(menu.m_hMenu, nullptr);
}

} // namespace
