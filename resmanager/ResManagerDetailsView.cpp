// The forms are members: their windows are made on first use, then only hidden and shown. A form is laid
// out at least as large as the pane, so every resize brings it back to the top-left corner.

#include "resmanager/ResManagerDetailsView.h"

#include "library/DSAlbum.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/ScrollBar.h"
#include "resmanager/FrameMessage.h"
#include "resmanager/ResManagerMessages.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CResManagerDetailsView, CView)

namespace {

constexpr int kLineStep = 1;
constexpr int kPageStep = 10;
constexpr UINT kPlaceFlags = SWP_NOZORDER | SWP_NOACTIVATE;

} // namespace

CResManagerDetailsView::CResManagerDetailsView() : m_albumDialog(nullptr) {}

CResManagerDetailsView::~CResManagerDetailsView() = default;

BOOL CResManagerDetailsView::PreCreateWindow(CREATESTRUCT& create) {
    create.style |= WS_HSCROLL | WS_VSCROLL;
    return CView::PreCreateWindow(create);
}

void CResManagerDetailsView::OnDraw(CDC* /*dc*/) {}

bool CResManagerDetailsView::EnsureForm(CDialog& form, UINT templateId) {
    return form.m_hWnd || form.Create(templateId, this);
}

void CResManagerDetailsView::LetGoOfShownForm(bool drop) {
    if (m_pShownDialog == &m_albumDialog && m_albumDialog.m_hWnd) {
        m_albumDialog.ApplyChanges(nullptr, &drop);
        m_albumDialog.ShowWindow(SW_HIDE);
    } else if (m_pShownDialog == &m_objectDialog && m_objectDialog.m_hWnd) {
        m_objectDialog.SetObject(nullptr, &drop);
        m_objectDialog.ShowWindow(SW_HIDE);
    }
    m_nShownKind = kDetailsNothing;
    m_pShownDialog = nullptr;
}

LRESULT CResManagerDetailsView::ShowDetails(BOOL dropEdits, int kind, void* item) {
    const bool drop = dropEdits != FALSE;
    if (kind == m_nShownKind) {
        if (kind == kDetailsAlbum)
            m_albumDialog.ApplyChanges(static_cast<CDSAlbum*>(item), &drop);
        else if (kind == kDetailsObject)
            m_objectDialog.SetObject(static_cast<ObjectRef*>(item), &drop);
        return 0;
    }
    LetGoOfShownForm(drop);
    LRESULT result = 0;
    if (kind == kDetailsAlbum || kind == kDetailsObject) {
        CDialog& form = kind == kDetailsAlbum ? static_cast<CDialog&>(m_albumDialog) : m_objectDialog;
        const UINT templateId = kind == kDetailsAlbum ? CAlbumPropertiesDialog::kTemplateId
                                                      : CObjectPropertiesDialog::kTemplateId;
        if (EnsureForm(form, templateId)) {
            form.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | kPlaceFlags);
            form.ShowWindow(SW_SHOW);
            if (kind == kDetailsAlbum)
                m_albumDialog.ApplyChanges(static_cast<CDSAlbum*>(item), &drop);
            else
                m_objectDialog.SetObject(static_cast<ObjectRef*>(item), &drop);
            m_pShownDialog = &form;
            m_nShownKind = kind;
        } else {
            // The record is the form's once handed over; with no form it goes here.
            if (kind == kDetailsObject)
                delete static_cast<ObjectRef*>(item);
            result = -1;
        }
    }
    Layout();
    return result;
}

void CResManagerDetailsView::Layout() {
    CSize content;
    if (m_pShownDialog == &m_albumDialog)
        content = m_albumDialog.GetInitialSize();
    else if (m_pShownDialog == &m_objectDialog)
        content = m_objectDialog.GetInitialSize();
    // Showing or hiding a bar changes the client area: the ranges are set again for the new one.
    CRect client;
    int width = 0;
    int height = 0;
    for (int pass = 0; pass < 2; ++pass) {
        GetClientRect(&client);
        width = std::max(content.cx, client.Width());
        height = std::max(content.cy, client.Height());
        SetScrollRange(SB_HORZ, 0, width - client.Width(), TRUE);
        SetScrollPos(SB_HORZ, 0, TRUE);
        SetScrollRange(SB_VERT, 0, height - client.Height(), TRUE);
        SetScrollPos(SB_VERT, 0, TRUE);
    }
    if (m_pShownDialog)
        m_pShownDialog->SetWindowPos(nullptr, 0, 0, width, height, kPlaceFlags);
}

void CResManagerDetailsView::OnSize(UINT type, int cx, int cy) {
    CView::OnSize(type, cx, cy);
    Layout();
}

int CResManagerDetailsView::ScrollTarget(UINT request, int position, int thumb, int minimum, int maximum) {
    switch (request) {
    case SB_LINEUP:
        return std::max(position - kLineStep, minimum);
    case SB_LINEDOWN:
        return std::min(position + kLineStep, maximum);
    case SB_PAGEUP:
        return std::max(position - kPageStep, minimum);
    case SB_PAGEDOWN:
        return std::min(position + kPageStep, maximum);
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        return thumb;
    case SB_TOP:
        return minimum;
    case SB_BOTTOM:
        return maximum;
    default:
        return position;
    }
}

void CResManagerDetailsView::Scroll(int bar, UINT code, UINT thumb) {
    int minimum = 0;
    int maximum = 0;
    GetScrollRange(bar, &minimum, &maximum);
    const int old = GetScrollPos(bar);
    const int position = ScrollTarget(code, old, static_cast<int>(thumb), minimum, maximum);
    if (position == old)
        return;
    SetScrollPos(bar, position, TRUE);
    if (bar == SB_HORZ)
        ScrollWindow(old - position, 0);
    else
        ScrollWindow(0, old - position);
}

void CResManagerDetailsView::OnHScroll(UINT code, UINT position, CScrollBar* scrollBar) {
    Scroll(SB_HORZ, code, position);
    CView::OnHScroll(code, position, scrollBar);
}

void CResManagerDetailsView::OnVScroll(UINT code, UINT position, CScrollBar* scrollBar) {
    Scroll(SB_VERT, code, position);
    CView::OnVScroll(code, position, scrollBar);
}

bool CResManagerDetailsView::IsShownFormModified() {
    if (m_pShownDialog == &m_albumDialog)
        return m_albumDialog.LoadFields();
    if (m_pShownDialog == &m_objectDialog)
        return m_objectDialog.IsModified();
    return false;
}

void CResManagerDetailsView::OnApply() {
    const bool notify = true;
    if (m_pShownDialog == &m_albumDialog)
        m_albumDialog.StoreFields(&notify);
    else if (m_pShownDialog == &m_objectDialog)
        m_objectDialog.ApplyChanges(&notify);
}

BOOL CResManagerDetailsView::HasCommandHandler(UINT id) const {
    return id == ID_RM_APPLY || id == ID_RM_SORTDESCENDING || id == ID_RM_SORTASCENDING ||
           id == ID_RM_THUMBSETTINGS || CView::HasCommandHandler(id);
}

BOOL CResManagerDetailsView::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (lParam != 0)
        return CView::OnCommand(wParam, lParam);
    switch (LOWORD(wParam)) {
    case ID_RM_APPLY:
        OnApply();
        return TRUE;
    default:
        return RelayObjectViewCommand(this, LOWORD(wParam)) || CView::OnCommand(wParam, lParam);
    }
}

BOOL CResManagerDetailsView::OnUpdateCommandUI(CCmdUI* cmdUI) {
    if (cmdUI->m_nID != ID_RM_APPLY)
        return CView::OnUpdateCommandUI(cmdUI);
    cmdUI->Enable(IsShownFormModified());
    return TRUE;
}
