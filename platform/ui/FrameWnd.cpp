// The frame: its pane and bars laid out over the client area, the active view, and the way commands of
// bars and accelerators take: the active view first, then the frame.
#include "platform/ui/FrameWnd.h"

#include "platform/ui/CmdUI.h"
#include "platform/ui/ControlBar.h"
#include "platform/ui/Document.h"
#include "platform/ui/View.h"
#include "platform/ui/WindowRecord.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

namespace {

constexpr WORD kAcceleratorCode = 1;

bool IsInput(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST && message != WM_MOUSEMOVE);
}

bool IsButtonDown(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
           message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK;
}

// Only records whether an update handler disabled the command.
class EnabledProbe final : public CCmdUI {
public:
    void Enable(BOOL on) override {
        CCmdUI::Enable(on);
        m_enabled = on != FALSE;
    }
    bool m_enabled = true;
};

} // namespace

CFrameWnd::~CFrameWnd() = default;

BOOL CFrameWnd::Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                       LPCTSTR menuName, DWORD exStyle, CCreateContext* context) {
    if (menuName)
        return FALSE;
    return CreateEx(exStyle, className, windowName, style, rect, parent, 0, context);
}

int CFrameWnd::OnCreate(LPCREATESTRUCT create) {
    if (CWnd::OnCreate(create) == -1)
        return -1;
    auto* context = static_cast<CCreateContext*>(create->lpCreateParams);
    if (!OnCreateClient(create, context))
        return -1;
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT /*create*/, CCreateContext* context) {
    if (context && context->m_pNewViewClass && !CreateView(context, AFX_IDW_PANE_FIRST))
        return FALSE;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* context, UINT id) {
    if (!context || !context->m_pNewViewClass)
        return nullptr;
    CObject* object = context->m_pNewViewClass->CreateObject();
    auto* view = object && object->IsKindOf(RUNTIME_CLASS(CWnd)) ? static_cast<CWnd*>(object) : nullptr;
    if (!view) {
        delete object;
        return nullptr;
    }
    // A view that fails deletes itself when its window goes; one that never had a window is deleted here.
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, id, context)) {
        if (!view->m_hWnd)
            delete view;
        return nullptr;
    }
    return view;
}

void CFrameWnd::SetActiveView(CView* view, BOOL notify) {
    CView* previous = m_pViewActive;
    if (view == previous)
        return;
    m_pViewActive = view;
    if (!notify)
        return;
    if (previous)
        previous->OnActivateView(FALSE, view, previous);
    if (view)
        view->OnActivateView(TRUE, view, previous);
}

CDocument* CFrameWnd::GetActiveDocument() const {
    return m_pViewActive ? m_pViewActive->GetDocument() : nullptr;
}

void CFrameWnd::ActivateFrame(int showCommand) {
    ShowWindow(showCommand == -1 ? SW_SHOW : showCommand);
    RecalcLayout();
    UpdateCommandUI();
}

void CFrameWnd::RecalcLayout(BOOL /*notify*/) {
    if (!IsLiveWindow(m_hWnd))
        return;
    CRect client;
    GetClientRect(&client);
    int top = client.top;
    int bottom = client.bottom;
    CWnd* pane = nullptr;
    // Children in the order they were made: tool bars stack downwards, bottom bars upwards.
    for (CWnd* child = GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT)) {
        if (static_cast<UINT>(child->GetDlgCtrlID()) == AFX_IDW_PANE_FIRST) {
            pane = child;
            continue;
        }
        auto* bar = DYNAMIC_DOWNCAST(CControlBar, FromHandlePermanent(child->m_hWnd));
        if (!bar || !(bar->GetStyle() & WS_VISIBLE))
            continue;
        const int height = bar->CalcHeight();
        if (bar->GetBarStyle() & CBRS_ALIGN_BOTTOM) {
            bottom = std::max(top, bottom - height);
            bar->MoveWindow(client.left, bottom, client.Width(), height);
        } else {
            bar->MoveWindow(client.left, top, client.Width(), height);
            top = std::min(bottom, top + height);
        }
    }
    if (pane)
        pane->MoveWindow(client.left, top, client.Width(), std::max(0, bottom - top));
}

void CFrameWnd::OnSize(UINT type, int cx, int cy) {
    CWnd::OnSize(type, cx, cy);
    RecalcLayout();
}

void CFrameWnd::OnDestroy() {
    m_pViewActive = nullptr;
    CWnd::OnDestroy();
}

void CFrameWnd::PostNcDestroy() {
    delete this;
}

BOOL CFrameWnd::LoadAccelTable(LPCTSTR resourceName) {
    m_hAccelTable = LoadAccelerators(AfxGetResourceHandle(), resourceName);
    return m_hAccelTable != nullptr;
}

void CFrameWnd::UpdateCommandUI() {
    m_updatePosted = false;
    for (CWnd* child = GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT)) {
        auto* bar = DYNAMIC_DOWNCAST(CControlBar, FromHandlePermanent(child->m_hWnd));
        if (bar)
            bar->OnUpdateCmdUI(this, TRUE);
    }
}

void CFrameWnd::UpdateCommand(CCmdUI* cmdUI, BOOL disableIfNoHandler) {
    if (m_pViewActive && IsLiveWindow(m_pViewActive->m_hWnd) && cmdUI->DoUpdate(m_pViewActive, FALSE))
        return;
    cmdUI->DoUpdate(this, disableIfNoHandler);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* message) {
    if (IsInput(message->message) && !m_updatePosted)
        m_updatePosted = PostMessage(WM_IDLEUPDATECMDUI) != FALSE;
    if (IsButtonDown(message->message)) {
        // The view that holds the window clicked becomes the active one.
        for (HWND window = message->hwnd; window && window != m_hWnd; window = ::GetParent(window)) {
            auto* view = DYNAMIC_DOWNCAST(CView, FromHandlePermanent(window));
            if (view && view->GetParentFrame() == this) {
                SetActiveView(view);
                break;
            }
        }
    }
    if (m_hAccelTable && message->message >= WM_KEYFIRST && message->message <= WM_KEYLAST &&
        TranslateAccelerator(m_hWnd, m_hAccelTable, message))
        return TRUE;
    return CWnd::PreTranslateMessage(message);
}

bool CFrameWnd::IsRoutedCommand(WPARAM wParam, LPARAM lParam) const {
    const WORD code = HIWORD(static_cast<DWORD>(wParam));
    if (lParam == 0)
        return code == 0 || code == kAcceleratorCode;
    // A button of one of the frame's own bars.
    auto* bar = DYNAMIC_DOWNCAST(CControlBar, FromHandlePermanent(reinterpret_cast<HWND>(lParam)));
    return code == 0 && bar && bar->GetParent() == this;
}

BOOL CFrameWnd::RouteToActiveView(WPARAM wParam, LPARAM /*lParam*/) {
    CView* view = m_pViewActive;
    if (!view || !IsLiveWindow(view->m_hWnd))
        return FALSE;
    const UINT id = LOWORD(static_cast<DWORD>(wParam));
    // Views see every routed command as a plain one, as from a menu.
    return view->OnCommand(MAKEWPARAM(static_cast<WORD>(id), 0), 0);
}

BOOL CFrameWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_IDLEUPDATECMDUI) {
        UpdateCommandUI();
        *result = 0;
        return TRUE;
    }
    if (message == WM_COMMAND && IsRoutedCommand(wParam, lParam)) {
        // An accelerator of a command that its update handler disables does nothing, as its button would.
        EnabledProbe probe;
        probe.m_nID = LOWORD(static_cast<DWORD>(wParam));
        UpdateCommand(&probe, FALSE);
        if (!probe.m_enabled || RouteToActiveView(wParam, lParam)) {
            *result = 0;
            return TRUE;
        }
        // The frame's own handlers, as for a menu command.
        *result = 0;
        return OnCommand(MAKEWPARAM(LOWORD(static_cast<DWORD>(wParam)), 0), 0);
    }
    return CWnd::OnWndMsg(message, wParam, lParam, result);
}
