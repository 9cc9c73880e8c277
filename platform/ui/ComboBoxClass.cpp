// The combo box window class: the closed field drawn by this layer (or the owner, or a subclass's
// OnPaint), an editor for CBS_DROPDOWN, the keys that move the selection, and the drop-down list that a
// press opens.

#include "platform/gdi/Dc.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/ComboBoxState.h"
#include "platform/ui/ControlClasses.h"
#include "platform/ui/Messages.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/WindowInternals.h"
#include "platform/ui/WindowWidget.h"

#include <QWidget>
#include <algorithm>
#include <cstring>

namespace {

constexpr UINT kEditorId = 1001;

DWORD KindOf(HWND combo) {
    return combo->style & 0x3;
}

int Count(HWND combo) {
    return static_cast<int>(ComboStateOf(combo).items.size());
}

bool InRange(HWND combo, int index) {
    return index >= 0 && index < Count(combo);
}

CRect FieldItemRect(HWND combo) {
    const QSize client = ClientSize(combo);
    return CRect(kComboFrame, kComboFrame, client.width() - kComboFrame - ComboArrowWidth(),
                 client.height() - kComboFrame);
}

void Redraw(HWND combo) {
    InvalidateWindow(combo, ClientArea(combo), false);
}

void ResizeToField(HWND combo) {
    const ComboState& state = ComboStateOf(combo);
    const QWidget* widget = WidgetOf(combo);
    CWnd::FromHandle(combo)->SetWindowPos(nullptr, 0, 0, widget->width(), state.fieldHeight + 2 * kComboFrame,
                                          SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlaceEditor(HWND combo) {
    const HWND editor = ComboStateOf(combo).editor;
    if (!IsLiveWindow(editor))
        return;
    const CRect r = FieldItemRect(combo);
    CWnd::FromHandle(editor)->MoveWindow(r.left, r.top, std::max(0, static_cast<int>(r.Width())),
                                         std::max(0, static_cast<int>(r.Height())));
}

void ShowSelectionInEditor(HWND combo) {
    ComboState& state = ComboStateOf(combo);
    if (!IsLiveWindow(state.editor))
        return;
    state.settingEditor = true;
    const CString text =
        InRange(combo, state.selection) ? state.items[static_cast<size_t>(state.selection)].text : CString();
    SendToWindow(state.editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.GetString()));
    state.settingEditor = false;
}

void Measure(HWND combo) {
    ComboState& state = ComboStateOf(combo);
    if (!IsOwnerDrawn(combo) || !IsLiveWindow(combo->parent))
        return;
    for (const int item : {-1, 0}) {
        MEASUREITEMSTRUCT measure{ODT_COMBOBOX,
                                  combo->id,
                                  static_cast<UINT>(item),
                                  0,
                                  static_cast<UINT>(item < 0 ? state.fieldHeight : state.itemHeight),
                                  0};
        SendToWindow(combo->parent, WM_MEASUREITEM, combo->id, reinterpret_cast<LPARAM>(&measure));
        (item < 0 ? state.fieldHeight : state.itemHeight) = static_cast<int>(measure.itemHeight);
    }
}

void PaintField(HWND combo) {
    PAINTSTRUCT paint;
    HDC hdc = BeginPaint(combo, &paint);
    CDC* dc = CDC::FromHandle(hdc);
    const QSize size = ClientSize(combo);
    CRect client(0, 0, size.width(), size.height());
    const bool enabled = WidgetOf(combo)->isEnabled();
    dc->DrawEdge(&client, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    dc->FillSolidRect(&client, GetSysColor(enabled ? COLOR_WINDOW : COLOR_3DFACE));
    CRect arrow(client.right - ComboArrowWidth(), client.top, client.right, client.bottom);
    const ComboState& state = ComboStateOf(combo);
    dc->DrawFrameControl(&arrow, DFC_SCROLL,
                         DFCS_SCROLLCOMBOBOX | (state.list ? DFCS_PUSHED : 0) |
                             (enabled ? 0 : DFCS_INACTIVE));
    if (KindOf(combo) == CBS_DROPDOWNLIST) {
        UINT itemState = ODS_COMBOBOXEDIT | (enabled ? 0 : ODS_DISABLED);
        if (GetFocus() == combo && !state.list)
            itemState |= ODS_SELECTED | ODS_FOCUS;
        DrawComboItem(combo, hdc, state.selection, FieldItemRect(combo), itemState, ODA_DRAWENTIRE);
    }
    EndPaint(combo, &paint);
}

int Find(HWND combo, int startAfter, LPCTSTR text) {
    const int count = Count(combo);
    if (count == 0 || !text)
        return CB_ERR;
    const int first = startAfter < 0 || startAfter >= count ? 0 : startAfter + 1;
    for (int step = 0; step < count; ++step) {
        const int index = (first + step) % count;
        if (ComboStateOf(combo).items[static_cast<size_t>(index)].text.CompareNoCase(text) == 0)
            return index;
    }
    return CB_ERR;
}

LRESULT Insert(HWND combo, int index, LPCTSTR text) {
    ComboState& state = ComboStateOf(combo);
    ComboItem item;
    if (HasStrings(combo))
        item.text = text ? text : "";
    else
        item.data = reinterpret_cast<DWORD_PTR>(text); // owner-drawn items without strings keep the value
    if (index < 0 || index > Count(combo))
        index = Count(combo);
    if ((combo->style & CBS_SORT) && HasStrings(combo)) {
        index = 0;
        while (index < Count(combo) &&
               state.items[static_cast<size_t>(index)].text.CompareNoCase(item.text) <= 0)
            ++index;
    }
    state.items.insert(state.items.begin() + index, item);
    if (state.selection >= index)
        ++state.selection;
    Redraw(combo);
    return index;
}

LRESULT Delete(HWND combo, int index) {
    ComboState& state = ComboStateOf(combo);
    if (!InRange(combo, index))
        return CB_ERR;
    state.items.erase(state.items.begin() + index);
    if (state.selection == index)
        state.selection = -1;
    else if (state.selection > index)
        --state.selection;
    Redraw(combo);
    return Count(combo);
}

// Keys of the closed field move the selection; with the list open they move its highlight.
void HandleKey(HWND combo, UINT key) {
    ComboState& state = ComboStateOf(combo);
    const int count = Count(combo);
    if (state.list) {
        const int highlight = ComboListHighlight(combo);
        switch (key) {
        case VK_UP:
            SetComboListHighlight(combo, std::max(0, highlight - 1));
            return;
        case VK_DOWN:
            SetComboListHighlight(combo, std::min(count - 1, highlight + 1));
            return;
        case VK_RETURN:
        case VK_F1 + 3: // F4
            CloseComboList(combo, highlight);
            return;
        case VK_ESCAPE:
            CloseComboList(combo, -1);
            return;
        default:
            return;
        }
    }
    if (key == VK_F1 + 3) {
        OpenComboList(combo, false);
        return;
    }
    if (count == 0)
        return;
    int next = state.selection;
    switch (key) {
    case VK_DOWN:
    case VK_RIGHT:
        next = state.selection + 1;
        break;
    case VK_UP:
    case VK_LEFT:
        next = state.selection < 0 ? 0 : state.selection - 1;
        break;
    case VK_HOME:
        next = 0;
        break;
    case VK_END:
        next = count - 1;
        break;
    default:
        return;
    }
    ChooseComboItem(combo, std::clamp(next, 0, count - 1), true);
}

void Press(HWND combo) {
    ComboState& state = ComboStateOf(combo);
    SetFocus(IsLiveWindow(state.editor) ? state.editor : combo);
    if (state.list)
        CloseComboList(combo, -1);
    else
        OpenComboList(combo, true);
}

LRESULT ItemText(HWND combo, int index, LPTSTR buffer) {
    if (!InRange(combo, index))
        return CB_ERR;
    const CString& text = ComboStateOf(combo).items[static_cast<size_t>(index)].text;
    if (buffer)
        std::memcpy(buffer, text.GetString(), static_cast<size_t>(text.GetLength()) + 1);
    return text.GetLength();
}

LRESULT FromEditor(HWND combo, WORD code) {
    ComboState& state = ComboStateOf(combo);
    switch (code) {
    case EN_CHANGE:
        if (!state.settingEditor)
            NotifyComboParent(combo, CBN_EDITCHANGE);
        return 0;
    case EN_SETFOCUS:
        NotifyComboParent(combo, CBN_SETFOCUS);
        return 0;
    case EN_KILLFOCUS:
        if (state.list)
            CloseComboList(combo, -1);
        NotifyComboParent(combo, CBN_KILLFOCUS);
        return 0;
    default:
        return 0;
    }
}

LRESULT CreateCombo(HWND combo, const CREATESTRUCT* create) {
    ComboState& state = ComboStateOf(combo);
    state.droppedHeight = create->cy;
    Measure(combo);
    if (KindOf(combo) == CBS_DROPDOWN || KindOf(combo) == CBS_SIMPLE) {
        state.editor =
            CreateWindowEx(0, WC_EDIT, "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 0, 0, combo,
                           reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(kEditorId)), nullptr, nullptr);
        if (!state.editor)
            return -1;
    }
    ResizeToField(combo);
    return 0;
}

LRESULT ComboWindowProc(HWND combo, UINT message, WPARAM wParam, LPARAM lParam) {
    ComboState& state = ComboStateOf(combo);
    switch (message) {
    case WM_CREATE:
        return CreateCombo(combo, reinterpret_cast<const CREATESTRUCT*>(lParam));
    case WM_SIZE:
        PlaceEditor(combo);
        return 0;
    case WM_DESTROY:
        if (state.list)
            CloseComboList(combo, -1);
        return 0;
    case WM_PAINT:
        PaintField(combo);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        Press(combo);
        return 0;
    case WM_KEYDOWN:
        HandleKey(combo, static_cast<UINT>(wParam));
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_DOWN || wParam == VK_UP)
            state.list ? CloseComboList(combo, ComboListHighlight(combo)) : (void)OpenComboList(combo, false);
        return 0;
    case WM_GETDLGCODE:
        return state.list ? DLGC_WANTALLKEYS : DLGC_WANTARROWS;
    case WM_SETFOCUS:
        if (IsLiveWindow(state.editor)) {
            SetFocus(state.editor);
            return 0;
        }
        Redraw(combo);
        NotifyComboParent(combo, CBN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        if (state.list && reinterpret_cast<HWND>(wParam) != state.editor)
            CloseComboList(combo, -1);
        Redraw(combo);
        NotifyComboParent(combo, CBN_KILLFOCUS);
        return 0;
    case WM_ENABLE:
        Redraw(combo);
        return 0;
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) == state.editor && state.editor)
            return FromEditor(combo, HIWORD(static_cast<DWORD>(wParam)));
        return 0;
    case WM_SETTEXT:
        if (IsLiveWindow(state.editor))
            return SendToWindow(state.editor, message, wParam, lParam);
        return FALSE;
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
        if (IsLiveWindow(state.editor))
            return SendToWindow(state.editor, message, wParam, lParam);
        combo->text = InRange(combo, state.selection) ? state.items[static_cast<size_t>(state.selection)].text
                                                      : CString();
        return DefWindowProc(combo, message, wParam, lParam);
    case WM_SETFONT:
        if (IsLiveWindow(state.editor))
            SendToWindow(state.editor, message, wParam, lParam);
        return DefWindowProc(combo, message, wParam, lParam);
    case CB_ADDSTRING:
        return Insert(combo, -1, reinterpret_cast<LPCTSTR>(lParam));
    case CB_INSERTSTRING:
        return Insert(combo, static_cast<int>(wParam), reinterpret_cast<LPCTSTR>(lParam));
    case CB_DELETESTRING:
        return Delete(combo, static_cast<int>(wParam));
    case CB_RESETCONTENT:
        state.items.clear();
        state.selection = -1;
        ShowSelectionInEditor(combo);
        Redraw(combo);
        return CB_OKAY;
    case CB_GETCOUNT:
        return Count(combo);
    case CB_GETCURSEL:
        return state.selection;
    case CB_SETCURSEL: {
        const int index = static_cast<int>(static_cast<INT_PTR>(wParam));
        ChooseComboItem(combo, InRange(combo, index) ? index : -1, false);
        return InRange(combo, index) ? index : CB_ERR;
    }
    case CB_GETLBTEXT:
        return ItemText(combo, static_cast<int>(wParam), reinterpret_cast<LPTSTR>(lParam));
    case CB_GETLBTEXTLEN:
        return ItemText(combo, static_cast<int>(wParam), nullptr);
    case CB_GETITEMDATA:
        return InRange(combo, static_cast<int>(wParam)) ? static_cast<LRESULT>(state.items[wParam].data)
                                                        : CB_ERR;
    case CB_SETITEMDATA:
        if (!InRange(combo, static_cast<int>(wParam)))
            return CB_ERR;
        state.items[wParam].data = static_cast<DWORD_PTR>(lParam);
        return CB_OKAY;
    case CB_FINDSTRINGEXACT:
        return Find(combo, static_cast<int>(static_cast<INT_PTR>(wParam)), reinterpret_cast<LPCTSTR>(lParam));
    case CB_SETITEMHEIGHT: {
        const int height = static_cast<int>(lParam);
        if (height <= 0 || height > 255)
            return CB_ERR;
        if (static_cast<INT_PTR>(wParam) < 0) {
            state.fieldHeight = height;
            ResizeToField(combo);
        } else {
            state.itemHeight = height;
        }
        Redraw(combo);
        return CB_OKAY;
    }
    case CB_GETITEMHEIGHT:
        return static_cast<INT_PTR>(wParam) < 0 ? state.fieldHeight : state.itemHeight;
    case CB_SETHORIZONTALEXTENT:
        state.horizontalExtent = static_cast<UINT>(wParam);
        return 0;
    case CB_GETHORIZONTALEXTENT:
        return state.horizontalExtent;
    case CB_SHOWDROPDOWN:
        if (wParam && !state.list)
            OpenComboList(combo, false);
        else if (!wParam && state.list)
            CloseComboList(combo, -1);
        return TRUE;
    case CB_GETDROPPEDSTATE:
        return state.list ? TRUE : FALSE;
    case CB_LIMITTEXT:
        if (!IsLiveWindow(state.editor))
            return FALSE;
        SendToWindow(state.editor, EM_LIMITTEXT, wParam, 0);
        return TRUE;
    default:
        return DefWindowProc(combo, message, wParam, lParam);
    }
}

WindowHost* MakeComboWidget(const CREATESTRUCT& create, QWidget* parent, Qt::WindowFlags flags) {
    auto* widget = new WindowWidget<QWidget>(parent, flags);
    if (create.style & WS_TABSTOP)
        widget->setFocusPolicy(Qt::TabFocus);
    return widget;
}

CWnd* MakeComboWrapper() {
    return new CComboBox;
}

} // namespace

ComboState& ComboStateOf(HWND combo) {
    if (!combo->classData)
        combo->classData = std::make_unique<ComboState>();
    return static_cast<ComboState&>(*combo->classData);
}

bool IsOwnerDrawn(HWND combo) {
    return (combo->style & CBS_OWNERDRAWFIXED) != 0;
}

bool HasStrings(HWND combo) {
    return !IsOwnerDrawn(combo) || (combo->style & CBS_HASSTRINGS);
}

int ComboArrowWidth() {
    return GetSystemMetrics(SM_CXVSCROLL);
}

void NotifyComboParent(HWND combo, WORD code) {
    if (IsLiveWindow(combo) && IsLiveWindow(combo->parent))
        SendToWindow(combo->parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(combo->id), code),
                     reinterpret_cast<LPARAM>(combo));
}

bool ChooseComboItem(HWND combo, int index, bool notify) {
    ComboState& state = ComboStateOf(combo);
    const bool changed = state.selection != index;
    state.selection = index;
    ShowSelectionInEditor(combo);
    Redraw(combo);
    if (changed && notify)
        NotifyComboParent(combo, CBN_SELCHANGE);
    return changed;
}

void DrawComboItem(HWND combo, HDC hdc, int index, const RECT& rect, UINT state, UINT action) {
    const ComboState& combos = ComboStateOf(combo);
    const bool valid = index >= 0 && index < static_cast<int>(combos.items.size());
    if (IsOwnerDrawn(combo)) {
        DRAWITEMSTRUCT drawItem{
            ODT_COMBOBOX, combo->id, static_cast<UINT>(index),
            action,       state,     combo,
            hdc,          rect,      valid ? combos.items[static_cast<size_t>(index)].data : 0};
        if (IsLiveWindow(combo->parent))
            SendToWindow(combo->parent, WM_DRAWITEM, combo->id, reinterpret_cast<LPARAM>(&drawItem));
        return;
    }
    CDC* dc = CDC::FromHandle(hdc);
    const bool selected = (state & ODS_SELECTED) != 0;
    CRect area(rect);
    dc->FillSolidRect(&area, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (!valid)
        return;
    CFont* previous =
        dc->SelectObject(CFont::FromHandle(combo->font ? combo->font : GetStockObject(DEFAULT_GUI_FONT)));
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(GetSysColor((state & ODS_DISABLED) ? COLOR_GRAYTEXT
                                 : selected             ? COLOR_HIGHLIGHTTEXT
                                                        : COLOR_WINDOWTEXT));
    area.left += 2;
    dc->DrawText(combos.items[static_cast<size_t>(index)].text, &area,
                 DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    dc->SelectObject(previous);
}

const WindowClass kComboBoxClass{.name = WC_COMBOBOX,
                                 .style = CS_DBLCLKS,
                                 .standardCursor = IDC_ARROW,
                                 .proc = ComboWindowProc,
                                 .makeWidget = MakeComboWidget,
                                 .makeWrapper = MakeComboWrapper};
