// The dialog window class: creation from a template, the modal loop, EndDialog, and the dialog keys.

#include "platform/base/DialogTemplate.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/ui/ControlClasses.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Messages.h"
#include "platform/ui/StyleNames.h"
#include "platform/ui/WindowInternals.h"
#include "platform/ui/WindowWidget.h"

#include <QEventLoop>
#include <QWidget>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

struct ModalRun {
    QEventLoop loop;
    bool ended = false;
    INT_PTR result = -1;
};

struct DialogState final : WindowClassData {
    bool modal = false;
    bool ended = false; // EndDialog came before the loop started
    INT_PTR result = -1;
    ModalRun* run = nullptr;
    UINT defaultId = 0; // 0: the BS_DEFPUSHBUTTON, else IDOK
    HWND initialFocus = nullptr;
    CFont font;
};

DialogState& StateOf(HWND window) {
    if (!window->classData)
        window->classData = std::make_unique<DialogState>();
    return static_cast<DialogState&>(*window->classData);
}

HFONT MakeFont(const DialogTemplate& dialogTemplate, DialogState& state) {
    if (dialogTemplate.fontFace.IsEmpty())
        return GetStockObject(DEFAULT_GUI_FONT);
    LOGFONT font{};
    // Points at the screen's 96 pixels per inch.
    font.lfHeight = -static_cast<LONG>(std::lround(dialogTemplate.fontPoints * 96.0 / 72.0));
    font.lfWeight = FW_NORMAL;
    std::strncpy(font.lfFaceName, dialogTemplate.fontFace.GetString(), LF_FACESIZE - 1);
    state.font.CreateFontIndirect(&font);
    return static_cast<HFONT>(state.font.m_hObject);
}

// Centred over the owner when it shows, else over the screen.
POINT CentredPosition(HWND owner, SIZE size) {
    CRect area;
    CWnd* ownerWindow = CWnd::FromHandle(owner);
    if (ownerWindow && ownerWindow->IsWindowVisible())
        ownerWindow->GetWindowRect(&area);
    else if (CWnd* desktop = CWnd::GetDesktopWindow())
        desktop->GetWindowRect(&area);
    return POINT{area.left + (area.Width() - size.cx) / 2, area.top + (area.Height() - size.cy) / 2};
}

bool IsPushButton(HWND window) {
    if (window->windowClass != &kButtonClass)
        return false;
    const DWORD type = window->style & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

UINT DefaultId(HWND dialog) {
    const DialogState& state = StateOf(dialog);
    if (state.defaultId)
        return state.defaultId;
    for (HWND child : ChildWindowsOf(dialog, false)) {
        if (child->windowClass == &kButtonClass && (child->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            return child->id;
    }
    return IDOK;
}

void SendButtonCommand(HWND dialog, UINT id) {
    CWnd* control = CWnd::FromHandle(dialog)->GetDlgItem(static_cast<int>(id));
    if (control && !control->IsWindowEnabled())
        return;
    SendToWindow(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
                 reinterpret_cast<LPARAM>(control ? control->m_hWnd : nullptr));
}

// The controls that Tab stops at, in order, those of WS_EX_CONTROLPARENT children (a sheet's page) in
// their child's place.
void AddTabStops(HWND window, std::vector<HWND>& stops) {
    for (HWND child : ChildWindowsOf(window, false)) {
        const QWidget* widget = WidgetOf(child);
        if (widget->isHidden() || !widget->isEnabled())
            continue;
        if (child->exStyle & WS_EX_CONTROLPARENT)
            AddTabStops(child, stops);
        else if (child->style & WS_TABSTOP)
            stops.push_back(child);
    }
}

bool WantsReturn(HWND control) {
    return control && control->windowClass == &kEditClass && (control->style & ES_MULTILINE) &&
           (control->style & ES_WANTRETURN);
}

// Shows the dialog and gives the focus to the control that WM_INITDIALOG chose; Qt focuses only widgets
// that show.
void ShowDialog(HWND dialog) {
    CWnd::FromHandle(dialog)->ShowWindow(SW_SHOW);
    const HWND focus = StateOf(dialog).initialFocus;
    if (IsWindow(focus) && IsWindow(dialog))
        SetFocus(focus);
}

LRESULT DialogWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DialogState& state = StateOf(window);
    switch (message) {
    case WM_CLOSE:
        SendButtonCommand(window, IDCANCEL);
        return 0;
    case WM_NCDESTROY:
        if (state.run) {
            state.run->ended = true;
            state.run->loop.quit();
            state.run = nullptr;
        }
        return DefWindowProc(window, message, wParam, lParam);
    case DM_GETDEFID:
        return MAKELONG(static_cast<WORD>(DefaultId(window)), DC_HASDEFID);
    case DM_SETDEFID:
        state.defaultId = static_cast<UINT>(wParam);
        return TRUE;
    default:
        return DefWindowProc(window, message, wParam, lParam);
    }
}

WindowHost* MakeDialogWidget(const CREATESTRUCT&, QWidget* parent, Qt::WindowFlags flags) {
    return new WindowWidget<QWidget>(parent, flags);
}

CWnd* MakeDialogWrapper() {
    return new CDialog;
}

} // namespace

const WindowClass kDialogClass{.name = WC_DIALOG,
                               .style = CS_DBLCLKS | CS_SAVEBITS,
                               .standardCursor = IDC_ARROW,
                               .background =
                                   reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(COLOR_BTNFACE + 1)),
                               .proc = DialogWindowProc,
                               .makeWidget = MakeDialogWidget,
                               .makeWrapper = MakeDialogWrapper};

HWND CreateDialogWindow(const DialogTemplate& dialogTemplate, HWND owner, CWnd* object, bool modal) {
    DWORD style = 0;
    DWORD exStyle = 0;
    if (!ResolveStyleNames(dialogTemplate.style, &style) ||
        !ResolveStyleNames(dialogTemplate.exStyle, &exStyle)) {
        std::fprintf(stderr, "dialog %u: unknown style name\n", dialogTemplate.id);
        return nullptr;
    }
    if (dialogTemplate.style.empty())
        style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    const bool visible = (style & WS_VISIBLE) != 0;
    const POINT position = CentredPosition(owner, dialogTemplate.size);
    const CREATESTRUCT create{nullptr,
                              nullptr,
                              nullptr,
                              owner,
                              dialogTemplate.size.cy,
                              dialogTemplate.size.cx,
                              position.y,
                              position.x,
                              static_cast<LONG>(style & ~WS_VISIBLE),
                              dialogTemplate.caption,
                              WC_DIALOG,
                              exStyle};
    const HWND dialog = CreateWindowFor(create, object);
    if (!dialog)
        return nullptr;
    DialogState& state = StateOf(dialog);
    state.modal = modal;
    const HFONT font = MakeFont(dialogTemplate, state);
    SendToWindow(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    for (const DialogControl& control : dialogTemplate.controls) {
        DWORD controlStyle = 0;
        HWND child = nullptr;
        if (ResolveStyleNames(control.style, &controlStyle)) {
            const CRect& r = control.rect;
            child = CreateWindowEx(0, control.className, control.text, controlStyle | WS_CHILD, r.left, r.top,
                                   r.Width(), r.Height(), dialog,
                                   reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(control.id & 0xFFFF)),
                                   nullptr, nullptr);
        }
        if (!child) {
            std::fprintf(stderr, "dialog %u: control %d (%s) cannot be made\n", dialogTemplate.id, control.id,
                         control.className.GetString());
            DestroyWindow(dialog);
            return nullptr;
        }
        SendToWindow(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    const HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
    if (SendToWindow(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), 0) && IsWindow(first))
        StateOf(dialog).initialFocus = first;
    if (IsWindow(dialog) && visible && !StateOf(dialog).ended)
        ShowDialog(dialog);
    return IsWindow(dialog) ? dialog : nullptr;
}

INT_PTR RunModalDialog(HWND dialog) {
    DialogState& state = StateOf(dialog);
    if (state.ended)
        return state.result;
    ModalRun run;
    state.run = &run;
    ShowDialog(dialog);
    if (!run.ended && IsWindow(dialog))
        run.loop.exec();
    // The window may be gone with its state; the run on this stack has the result.
    if (IsWindow(dialog))
        StateOf(dialog).run = nullptr;
    return run.result;
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
    if (!IsWindow(dialog) || dialog->windowClass != &kDialogClass)
        return FALSE;
    DialogState& state = StateOf(dialog);
    state.ended = true;
    state.result = result;
    if (state.run) {
        state.run->ended = true;
        state.run->result = result;
        state.run->loop.quit();
    } else if (!state.modal) {
        CWnd::FromHandle(dialog)->ShowWindow(SW_HIDE);
    }
    return TRUE;
}

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
    if (!IsWindow(dialog))
        return nullptr;
    std::vector<HWND> stops;
    AddTabStops(dialog, stops);
    if (stops.empty())
        return nullptr;
    const auto self = std::find(stops.begin(), stops.end(), control);
    if (self == stops.end())
        return previous ? stops.back() : stops.front();
    const auto index = static_cast<size_t>(self - stops.begin());
    return previous ? stops[(index + stops.size() - 1) % stops.size()] : stops[(index + 1) % stops.size()];
}

BOOL IsDialogMessage(HWND dialog, LPMSG message) {
    if (!IsWindow(dialog) || message->message != WM_KEYDOWN)
        return FALSE;
    const HWND focus = GetFocus();
    // The control with the focus says which keys it handles itself.
    const auto wants = IsLiveWindow(focus)
                           ? static_cast<UINT>(SendToWindow(focus, WM_GETDLGCODE, message->wParam,
                                                            reinterpret_cast<LPARAM>(message)))
                           : 0u;
    if (wants & DLGC_WANTALLKEYS)
        return FALSE;
    switch (message->wParam) {
    case VK_TAB:
        if (wants & DLGC_WANTTAB)
            return FALSE;
        if (const HWND next = GetNextDlgTabItem(dialog, focus, GetKeyState(VK_SHIFT) < 0))
            SetFocus(next);
        return TRUE;
    case VK_RETURN:
        if (WantsReturn(focus))
            return FALSE;
        SendButtonCommand(
            dialog, focus && IsPushButton(focus) && focus->parent == dialog ? focus->id : DefaultId(dialog));
        return TRUE;
    case VK_ESCAPE:
        SendButtonCommand(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}
