#include "skin/SkinButton.h"

#include "platform/gdi/Dc.h"
#include "skin/SkinBitmap.h"

BOOL CSkinButton::SetRegions(CRgn* shape, CRgn* hit, BOOL redraw) {
    if (!shape || !hit || !shape->m_hObject || !hit->m_hObject)
        return FALSE;
    m_hitRegion.DeleteObject();
    if (!m_hitRegion.CreateRectRgn(0, 0, 0, 0))
        return FALSE;
    m_hitRegion.CopyRgn(hit);
    return SetSkinShape(*this, shape, m_clipRegion, redraw);
}

BOOL CSkinButton::LoadBitmaps(LPCTSTR up, LPCTSTR down, LPCTSTR focus, LPCTSTR disabled) {
    m_bitmap.DeleteObject();
    m_bitmapSel.DeleteObject();
    m_bitmapFocus.DeleteObject();
    m_bitmapDisabled.DeleteObject();
    if (!LoadSkinBitmap(m_bitmap, up, this))
        return FALSE;
    BOOL all = TRUE;
    const std::pair<CBitmap*, LPCTSTR> optional[] = {
        {&m_bitmapSel, down}, {&m_bitmapFocus, focus}, {&m_bitmapDisabled, disabled}};
    for (const auto& [bitmap, name] : optional) {
        if (name && !LoadSkinBitmap(*bitmap, name, this))
            all = FALSE;
    }
    return all;
}

BOOL CSkinButton::InHitRegion(CPoint point) const {
    return m_hitRegion.m_hObject && m_hitRegion.PtInRegion(point);
}

BOOL CSkinButton::BeginPress(CPoint point) {
    if (!InHitRegion(point)) {
        m_pressed = 0;
        SendMessage(BM_SETSTATE, FALSE);
        return FALSE;
    }
    m_pressed = 1;
    return TRUE;
}

void CSkinButton::EndPress() {
    m_pressed = 0;
    ReleaseCapture();
}

BOOL CSkinButton::UnpushOutside(CPoint point) {
    if (InHitRegion(point))
        return FALSE;
    if ((GetState() & BST_PUSHED) && m_pressed)
        SendMessage(BM_SETSTATE, FALSE);
    return TRUE;
}

void CSkinButton::PostCommand(WORD code) {
    if (CWnd* parent = GetParent())
        parent->PostMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID()), code),
                            reinterpret_cast<LPARAM>(m_hWnd));
}

void CSkinButton::DrawBitmap(LPDRAWITEMSTRUCT drawItem, CBitmap& bitmap) {
    DrawSkinBitmap(CDC::FromHandle(drawItem->hDC), drawItem->rcItem, bitmap, &m_clipRegion);
}

BOOL CSkinButton::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CSkinButton::OnDestroy() {
    m_clipRegion.DeleteObject();
    m_hitRegion.DeleteObject();
    CBitmapButton::OnDestroy();
}
