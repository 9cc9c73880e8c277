// Buttons: the press-and-release cycle with its BN_CLICKED, owner drawing with the item state, the
// automatic check boxes and radio groups, and the pattern of buttons that notify by themselves.

#include "platform/gdi/Dc.h"
#include "platform/ui/BitmapButton.h"
#include "platform/ui/PaintDC.h"
#include "tests/platform/ui/LoggingWnd.h"
#include "tests/support/UiTestSupport.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

// Logs every state it is drawn in.
class DrawLoggingButton : public CButton {
public:
    explicit DrawLoggingButton(MessageLog* log) : m_log(log) {}
    void DrawItem(LPDRAWITEMSTRUCT drawItem) override {
        std::string state;
        if (drawItem->itemState & ODS_SELECTED)
            state += "selected ";
        if (drawItem->itemState & ODS_FOCUS)
            state += "focus ";
        if (drawItem->itemState & ODS_DISABLED)
            state += "disabled ";
        m_log->push_back("draw " + state + std::to_string(drawItem->rcItem.right) + "x" +
                         std::to_string(drawItem->rcItem.bottom));
    }

private:
    MessageLog* m_log;
};

// A skinned button's release: it lets go of the capture before the default handling, which therefore
// sends nothing, and posts its own command.
class SelfNotifyingButton : public CButton {
protected:
    void OnLButtonUp(UINT flags, CPoint point) override {
        ReleaseCapture();
        CButton::OnLButtonUp(flags, point);
        GetParent()->PostMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID()), 0),
                                 reinterpret_cast<LPARAM>(m_hWnd));
    }
};

class ButtonTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        ASSERT_TRUE(m_parent.CreatePopup(CRect(0, 0, 300, 200)));
        ShowActive(&m_parent);
        m_log.clear();
    }

    CRect Place(int index) const { return CRect(10 + 60 * index, 10, 60 + 60 * index, 40); }

    MessageLog m_log;
    LoggingWnd m_parent{&m_log, "parent"};
};

TEST_F(ButtonTest, AClickSendsClickedToTheParentOnRelease) {
    CButton ok;
    ASSERT_TRUE(ok.Create("OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, Place(0), &m_parent, IDOK));
    PressAt(&ok, CPoint(5, 5));
    EXPECT_TRUE(ok.GetState() & BST_PUSHED);
    EXPECT_TRUE(m_log.empty());
    ReleaseAt(&ok, CPoint(5, 5));

    EXPECT_FALSE(ok.GetState() & BST_PUSHED);
    EXPECT_THAT(m_log, ElementsAre("parent command 1 code 0 from OK"));
}

TEST_F(ButtonTest, LeavingWhilePressedShowsReleasedAndAReleaseOutsideSendsNothing) {
    CButton ok;
    ASSERT_TRUE(ok.Create("OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, Place(0), &m_parent, IDOK));
    PressAt(&ok, CPoint(5, 5));
    MoveTo(&m_parent, CPoint(200, 150));
    EXPECT_FALSE(ok.GetState() & BST_PUSHED);
    MoveTo(&ok, CPoint(6, 6));
    EXPECT_TRUE(ok.GetState() & BST_PUSHED);
    MoveTo(&m_parent, CPoint(200, 150));
    ReleaseAt(&m_parent, CPoint(200, 150));
    PumpMessages();

    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_TRUE(m_log.empty());
}

TEST_F(ButtonTest, OwnerDrawnButtonsAreDrawnInEachStateTheyPassThrough) {
    DrawLoggingButton button(&m_log);
    ASSERT_TRUE(button.Create("Print", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, Place(0), &m_parent, 1007));
    PumpMessages();
    PressAt(&button, CPoint(5, 5));
    ReleaseAt(&button, CPoint(5, 5));
    EXPECT_THAT(m_log, ElementsAre("draw 50x30", "draw focus 50x30", "draw selected focus 50x30",
                                   "draw focus 50x30", "parent command 1007 code 0 from Print"));
    m_log.clear();
    button.EnableWindow(FALSE);
    PumpMessages();
    ASSERT_FALSE(m_log.empty());
    EXPECT_EQ(m_log.back(), "draw disabled 50x30");
}

TEST_F(ButtonTest, AButtonThatReleasesTheCaptureFirstNotifiesOnlyByItself) {
    SelfNotifyingButton laden;
    ASSERT_TRUE(laden.Create("Laden", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, Place(0), &m_parent, 2047));
    ClickAt(&laden, CPoint(5, 5));
    PumpMessages();

    EXPECT_THAT(m_log, ElementsAre("parent command 2047 code 0 from Laden"));
}

TEST_F(ButtonTest, ADoubleClickOnAnOwnerDrawnButtonSendsDoubleClicked) {
    SelfNotifyingButton colors;
    ASSERT_TRUE(colors.Create("2 Colors", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, Place(0), &m_parent, 2082));
    DoubleClickAt(&colors, CPoint(5, 5));
    PumpMessages();

    EXPECT_THAT(m_log, ElementsAre("parent command 2082 code 5 from 2 Colors",
                                   "parent command 2082 code 0 from 2 Colors",
                                   "parent command 2082 code 0 from 2 Colors"));
}

TEST_F(ButtonTest, AutomaticCheckBoxesToggleAndRadioButtonsClearTheirGroup) {
    CButton check;
    CButton first;
    CButton second;
    CButton otherGroup;
    ASSERT_TRUE(check.Create("Ton", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, Place(0), &m_parent, 1006));
    ASSERT_TRUE(
        first.Create("Ja", WS_CHILD | WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, Place(1), &m_parent, 1007));
    ASSERT_TRUE(second.Create("Nein", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, Place(2), &m_parent, 1008));
    ASSERT_TRUE(otherGroup.Create("Andere", WS_CHILD | WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, Place(3),
                                  &m_parent, 1009));
    otherGroup.SetCheck(BST_CHECKED);

    ClickAt(&check, CPoint(5, 5));
    EXPECT_EQ(check.GetCheck(), BST_CHECKED);
    ClickAt(&check, CPoint(5, 5));
    EXPECT_EQ(check.GetCheck(), BST_UNCHECKED);

    ClickAt(&first, CPoint(5, 5));
    second.SendMessage(BM_CLICK);
    EXPECT_EQ(first.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(second.GetCheck(), BST_CHECKED);
    EXPECT_EQ(otherGroup.GetCheck(), BST_CHECKED);
    EXPECT_EQ(m_parent.GetCheckedRadioButton(1007, 1008), 1008);
    EXPECT_EQ(m_log.size(), 4u) << "every click notifies";
}

TEST_F(ButtonTest, ABitmapButtonShowsTheBitmapOfItsState) {
    struct Face {
        CBitmap* bitmap;
        COLORREF color;
    };
    CBitmapButton button;
    ASSERT_TRUE(button.Create("Knopf", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, Place(0), &m_parent, 1));
    CClientDC screen(&button);
    const Face faces[] = {{&button.m_bitmap, RGB(10, 20, 30)},
                          {&button.m_bitmapSel, RGB(40, 50, 60)},
                          {&button.m_bitmapFocus, RGB(70, 80, 90)}};
    for (const Face& face : faces) {
        face.bitmap->CreateCompatibleBitmap(&screen, 20, 10);
        CDC memory;
        memory.CreateCompatibleDC(&screen);
        CBitmap* previous = memory.SelectObject(face.bitmap);
        memory.FillSolidRect(0, 0, 20, 10, face.color);
        memory.SelectObject(previous);
    }
    button.SizeToContent();
    CRect size;
    button.GetClientRect(&size);
    EXPECT_EQ(size, CRect(0, 0, 20, 10));

    EXPECT_EQ(WindowPixel(&button, CPoint(3, 3)), RGB(10, 20, 30));
    PressAt(&button, CPoint(3, 3));
    EXPECT_EQ(WindowPixel(&button, CPoint(3, 3)), RGB(40, 50, 60));
    ReleaseAt(&button, CPoint(3, 3));
    EXPECT_EQ(WindowPixel(&button, CPoint(3, 3)), RGB(70, 80, 90));
}

} // namespace
