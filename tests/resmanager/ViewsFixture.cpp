#include "tests/resmanager/ViewsFixture.h"

#include "resmanager/ResManagerMessages.h"

namespace {

bool IsPrivateMessage(UINT message) {
    for (const UINT privateMessage :
         {WM_RM_SHOWRESTYPE,     WM_RM_SHOWALBUM,       WM_RM_NEWITEM,       WM_RM_ALBUMRENAMED,
          WM_RM_OBJECTRENAMED,   WM_RM_BLOCKDRAG,       WM_RM_ENDDRAG,       WM_RM_TREESELECTALBUM,
          WM_RM_TREEUPDATEALBUM, WM_RM_TREEDELETEALBUM, WM_RM_TREEDRAGOVER,  WM_RM_TREEDROP,
          WM_RM_TREESORTALBUMS,  WM_RM_PROGRESSBEGIN,   WM_RM_PROGRESSSTEP,  WM_RM_STATUSTEXT,
          WM_RM_SHOWDETAILS,     WM_RM_FILLSORTCHOICES, WM_RM_GETSORTCHOICE, WM_RM_RELAY32890,
          WM_RM_RELAY32889,      WM_RM_RELAY32896})
        if (message == privateMessage)
            return true;
    return false;
}

} // namespace

BOOL RecordingFrame::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (!IsPrivateMessage(message))
        return CFrameWnd::OnWndMsg(message, wParam, lParam, result);
    m_sent.push_back({message, wParam, lParam});
    *result = 0;
    return TRUE;
}

std::vector<RecordingFrame::Sent> RecordingFrame::Of(UINT message) const {
    std::vector<Sent> found;
    for (const Sent& sent : m_sent)
        if (sent.message == message)
            found.push_back(sent);
    return found;
}

UINT RecordingMenus::Track(HWND, CMenu& menu, POINT) {
    m_items.clear();
    for (int i = 0; i < menu.GetMenuItemCount(); ++i) {
        CString text;
        menu.GetMenuString(static_cast<UINT>(i), text, MF_BYPOSITION);
        m_items.push_back(std::to_string(menu.GetMenuItemID(i)) + " " + text.str());
    }
    ++m_shown;
    return 0;
}

void ViewsTest::SetUp() {
    AlbumDialogsTest::SetUp();
    UseTexts({45, 46, 62017, 62019, 62020, 62021, 62024, 62053, 65519});
    m_frame = new RecordingFrame;
    ASSERT_TRUE(m_frame->Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 300), &m_owner));
}

void ViewsTest::TearDown() {
    if (IsWindow(m_frame->m_hWnd))
        m_frame->DestroyWindow();
    AlbumDialogsTest::TearDown();
}
