#include "skin/CheckBitmapButton.h"

#include "platform/gdi/Dc.h"
#include "skin/SkinBitmap.h"

BOOL CCheckBitmapButton::LoadBitmaps(LPCTSTR up, LPCTSTR down, LPCTSTR focus, LPCTSTR disabled,
                                     LPCTSTR checkedFocus) {
    for (CBitmap* slot : {&m_bitmap, &m_bitmapSel, &m_bitmapFocus, &m_bitmapDisabled, &m_bitmapCheckedFocus})
        slot->DeleteObject();
    if (!LoadSkinBitmap(m_bitmap, up, this))
        return FALSE;
    const std::pair<CBitmap*, LPCTSTR> optional[] = {{&m_bitmapSel, down},
                                                     {&m_bitmapFocus, focus},
                                                     {&m_bitmapDisabled, disabled},
                                                     {&m_bitmapCheckedFocus, checkedFocus}};
    for (const auto& [bitmap, name] : optional) {
        if (name && !LoadSkinBitmap(*bitmap, name, this))
            LoadSkinBitmap(*bitmap, up, this);
    }
    return TRUE;
}

BOOL CCheckBitmapButton::SetRegion(CRgn* shape, BOOL redraw) {
    if (!SetSkinShape(*this, shape, m_clipRegion, redraw))
        return FALSE;
    if (CWnd* parent = GetParent()) {
        CRect placed;
        GetWindowRect(&placed);
        parent->ScreenToClient(&placed);
        parent->InvalidateRect(&placed, TRUE);
        parent->UpdateWindow();
    }
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return TRUE;
}

void CCheckBitmapButton::DrawItem(LPDRAWITEMSTRUCT drawItem) {
    const UINT state = drawItem->itemState;
    CBitmap* bitmap = m_checked ? &m_bitmapSel : &m_bitmap;
    if ((state & ODS_SELECTED) && m_bitmapSel.m_hObject)
        bitmap = &m_bitmapSel;
    else if ((state & ODS_FOCUS) && m_bitmapFocus.m_hObject) {
        if (!m_checked)
            bitmap = &m_bitmapFocus;
        else if (m_bitmapCheckedFocus.m_hObject)
            bitmap = &m_bitmapCheckedFocus;
    } else if ((state & ODS_DISABLED) && m_bitmapDisabled.m_hObject)
        bitmap = &m_bitmapDisabled;
    DrawSkinBitmap(CDC::FromHandle(drawItem->hDC), drawItem->rcItem, *bitmap, &m_clipRegion);
}

BOOL CCheckBitmapButton::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CCheckBitmapButton::OnDestroy() {
    m_clipRegion.DeleteObject();
    CBitmapButton::OnDestroy();
}

void CCheckBitmapButton::OnLButtonDown(UINT flags, CPoint point) {
    m_checked = m_checked ? 0 : 1;
    CBitmapButton::OnLButtonDown(flags, point);
}

void CCheckBitmapButton::OnKeyDown(UINT key, UINT repeatCount, UINT flags) {
    if (CWnd* parent = GetParent()) {
        const MSG* message = GetCurrentMessage();
        parent->SendMessage(WM_KEYDOWN, key,
                            message ? message->lParam
                                    : MAKELPARAM(static_cast<WORD>(repeatCount), static_cast<WORD>(flags)));
    }
    CBitmapButton::OnKeyDown(key, repeatCount, flags);
}
