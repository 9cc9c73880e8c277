#pragma once
// CControlBar: the common part of tool bars and status bars, the bars a frame places along its top or
// bottom edge. A bar's CBRS_ styles are its own (GetBarStyle), apart from the window style; commands of
// its controls go on to the frame.

#include "platform/ui/FrameIds.h"
#include "platform/ui/Wnd.h"

class CFrameWnd;

// Bar styles.
inline constexpr DWORD CBRS_TOOLTIPS = 0x0010;
inline constexpr DWORD CBRS_FLYBY = 0x0020;
inline constexpr DWORD CBRS_SIZE_DYNAMIC = 0x0080;
inline constexpr DWORD CBRS_BORDER_LEFT = 0x0100;
inline constexpr DWORD CBRS_BORDER_TOP = 0x0200;
inline constexpr DWORD CBRS_BORDER_RIGHT = 0x0400;
inline constexpr DWORD CBRS_BORDER_BOTTOM = 0x0800;
inline constexpr DWORD CBRS_ALIGN_TOP = 0x1000;
inline constexpr DWORD CBRS_ALIGN_BOTTOM = 0x8000;
inline constexpr DWORD CBRS_GRIPPER = 0x00400000;
inline constexpr DWORD CBRS_BORDER_3D = 0x00800000;
inline constexpr DWORD CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
inline constexpr DWORD CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;
inline constexpr DWORD CBRS_ALIGN_ANY = 0xF000;

// The id of a separator in tool bar and status bar lists.
inline constexpr UINT ID_SEPARATOR = 0;

class CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)
public:
    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD style) { m_dwStyle = style; }
    // Height of the bar (width: the frame's), for the frame's layout.
    virtual int CalcHeight() const = 0;
    // Asks target for the state of the bar's commands.
    virtual void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) = 0;

    // Notifications of the bar's controls that a derived bar does not handle go on to the frame.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

protected:
    // Creates the bar's window with the WS_ part of style; the CBRS_ part becomes the bar style.
    BOOL CreateBar(LPCTSTR className, DWORD style, CWnd* parent, UINT id);

    DWORD m_dwStyle = 0;
};
