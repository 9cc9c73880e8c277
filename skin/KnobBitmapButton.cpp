#include "skin/KnobBitmapButton.h"

#include "platform/gdi/Dc.h"
#include "skin/SkinBitmap.h"

// Zones 4 and 5 post the scanner and camera commands, which their tool tips name.
const std::array<CKnobBitmapButton::Zone, CKnobBitmapButton::kPositions> CKnobBitmapButton::kZones = {{
    {{61, 12, 111, 22}, 2047, 144},
    {{60, 22, 110, 32}, 2048, 0},
    {{25, 35, 55, 47}, 2029, 145},
    {{3, 82, 38, 92}, 2051, 146},
    {{3, 94, 35, 104}, 2050, 147},
    {{7, 105, 33, 116}, 1004, 149},
    {{4, 150, 36, 160}, 1014, 148},
    {{3, 183, 71, 193}, 2040, 150},
    {{85, 200, 125, 210}, 2024, 151},
}};

int CKnobBitmapButton::OnCreate(LPCREATESTRUCT create) {
    if (CBitmapButton::OnCreate(create) == -1)
        return -1;
    m_toolTip.Create(this);
    m_toolTip.Activate(TRUE);
    // Position 2 has no tip; the others are added in the order the tips were laid out.
    for (const int position : {1, 3, 4, 5, 7, 6, 8, 9}) {
        const Zone& zone = kZones[position - 1];
        m_toolTip.AddTool(this, zone.toolTipText, &zone.rect, zone.command);
    }
    return 0;
}

BOOL CKnobBitmapButton::PreTranslateMessage(MSG* message) {
    m_toolTip.RelayEvent(message);
    return CBitmapButton::PreTranslateMessage(message);
}

BOOL CKnobBitmapButton::SetRegion(CRgn* shape, CRgn*, BOOL redraw) {
    return SetSkinShape(*this, shape, m_clipRegion, redraw);
}

BOOL CKnobBitmapButton::LoadBitmaps(const std::array<LPCTSTR, kPositions>& names) {
    for (CBitmap& bitmap : m_positionBitmaps)
        bitmap.DeleteObject();
    constexpr int kRequired = 2;
    BOOL all = TRUE;
    for (int i = 0; i < kPositions; ++i) {
        if (i >= kRequired && !names[i])
            continue;
        if (LoadSkinBitmap(m_positionBitmaps[i], names[i], this))
            continue;
        if (i < kRequired)
            return FALSE;
        all = FALSE;
    }
    return all;
}

void CKnobBitmapButton::SetPosition(int position) {
    if (position >= 1 && position <= kPositions)
        m_currentPosition = position;
}

void CKnobBitmapButton::DrawItem(LPDRAWITEMSTRUCT drawItem) {
    DrawSkinBitmap(CDC::FromHandle(drawItem->hDC), drawItem->rcItem, m_positionBitmaps[m_currentPosition - 1],
                   &m_clipRegion);
}

BOOL CKnobBitmapButton::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CKnobBitmapButton::OnDestroy() {
    m_clipRegion.DeleteObject();
    CBitmapButton::OnDestroy();
}

void CKnobBitmapButton::OnMouseMove(UINT flags, CPoint point) {
    SetFocus();
    CBitmapButton::OnMouseMove(flags, point);
}

void CKnobBitmapButton::OnLButtonDown(UINT flags, CPoint point) {
    for (int i = 0; i < kPositions; ++i) {
        if (!CRect(kZones[i].rect).PtInRect(point))
            continue;
        m_pressed = 1;
        m_currentPosition = i + 1;
        CBitmapButton::OnLButtonDown(flags, point);
        return;
    }
}

// The release point is not tested: a press in a zone always turns the knob and posts.
void CKnobBitmapButton::OnLButtonUp(UINT flags, CPoint point) {
    if (!m_pressed)
        return;
    m_pressed = 0;
    ReleaseCapture();
    CBitmapButton::OnLButtonUp(flags, point);
    if (CWnd* parent = GetParent())
        parent->PostMessage(WM_COMMAND,
                            MAKEWPARAM(static_cast<WORD>(kZones[m_currentPosition - 1].command), 0),
                            reinterpret_cast<LPARAM>(m_hWnd));
}
