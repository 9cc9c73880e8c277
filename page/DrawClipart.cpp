// The clipart object: archive record, its turned copy, drawing on screen and printer, and its frame.
#include "page/DrawClipart.h"

#include "image/PictureInfo.h"
#include "library/Clipart.h"
#include "page/ObjectTools.h"
#include "platform/base/Archive.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiTypes.h"

#include <memory>

IMPLEMENT_SERIAL(CDrawClipart, CDrawObj, 0)

namespace {

constexpr int kFullTurn = 3600;
constexpr COLORREF kPlaceholderGrey = 0x808080;
constexpr COLORREF kBlinkRed = 0x0000FF;
constexpr COLORREF kBlinkWhite = 0xFFFFFF;
constexpr double kTenthsOfMmPerInch = 254.0;

} // namespace

CDrawClipart::CDrawClipart() = default;

CDrawClipart::CDrawClipart(const CRect& position, CClipart* clipart)
    : CDrawObj(position), m_pClipart(clipart) {
    m_bPen = TRUE;
    m_logpen = {PS_INSIDEFRAME, {1, 1}, 0};
    // The placeholder is filled with the hatch.
    m_bBrush = TRUE;
    m_logbrush = {BS_HATCHED, kPlaceholderGrey, HS_DIAGCROSS};
}

CDrawClipart::~CDrawClipart() {
    delete m_pClipart;
}

void CDrawClipart::Serialize(CArchive& ar) {
    CDrawObj::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nRotation << static_cast<DWORD>(m_pClipart ? 1 : 0);
        if (m_pClipart)
            m_pClipart->Serialize(ar);
        return;
    }
    DWORD attached = 0;
    ar >> m_nRotation >> attached;
    std::unique_ptr<CClipart> clipart;
    if (attached != 0) {
        clipart = std::make_unique<CClipart>();
        clipart->Serialize(ar);
    }
    delete m_pClipart;
    m_pClipart = clipart.release();
}

int CDrawClipart::GetKind() {
    return kDrawKindClipart;
}

void CDrawClipart::SetClipart(CClipart* clipart) {
    delete m_pClipart;
    m_pClipart = clipart;
    if (m_pClipart && !m_pClipart->IsLoaded())
        m_pClipart->LoadData();
}

void CDrawClipart::TurnClipart() {
    CRect size = m_position;
    size.NormalizeRect();
    m_rotated.Rotate(&m_pClipart->GetPicturePair(), size.Size(), m_nRotation);
}

BOOL CDrawClipart::RebuildRotated() {
    if (!m_pClipart)
        return TRUE;
    if (!m_pClipart->LoadData())
        return FALSE;
    TurnClipart();
    return TRUE;
}

void CDrawClipart::UpdateRotated() {
    m_rotated.Free();
    if (m_pClipart && m_pClipart->IsLoaded())
        TurnClipart();
}

void CDrawClipart::Draw(CDC* pDC, int dx, int dy, float scale) {
    const CRect bounds = GetRotatedBounds();
    const CRect rect(ScaleCoordinate(bounds.left, scale, dx), ScaleCoordinate(bounds.top, scale, dy),
                     ScaleCoordinate(bounds.right, scale, dx), ScaleCoordinate(bounds.bottom, scale, dy));
    if (!m_pClipart || !m_pClipart->IsLoaded()) {
        const CObjectTools tools(pDC, *this);
        if (tools.IsReady())
            pDC->Rectangle(rect);
        return;
    }
    if (m_nRotation % kFullTurn == 0) {
        m_pClipart->DrawMasked(pDC, rect, rect, FALSE);
        return;
    }
    m_rotated.Draw(pDC, rect, rect, FALSE);
}

void CDrawClipart::DrawFrame(CDC* pDC, float scale, int dx, int dy) {
    m_bBlink = m_bBlink ? FALSE : TRUE;
    const std::array<CPoint, 4> corners = RotatedCorners(ScaledPosition(dx, dy, scale), m_nRotation);
    const std::array<CPoint, 5> outline = {corners[0], corners[1], corners[2], corners[3], corners[0]};
    CPen dotted(PS_DOT, 1, m_bBlink ? kBlinkRed : kBlinkWhite);
    CGdiObject* oldBrush = pDC->SelectStockObject(NULL_BRUSH);
    CPen* oldPen = pDC->SelectObject(&dotted);
    const COLORREF oldBackground = pDC->SetBkColor(m_bBlink ? kBlinkWhite : kBlinkRed);
    pDC->Polyline(outline.data(), static_cast<int>(outline.size()));
    pDC->SetBkColor(oldBackground);
    pDC->SelectObject(oldPen);
    pDC->SelectObject(oldBrush);
}

void CDrawClipart::DrawToPrinter(CDC* pDC) {
    CRect rect = m_position;
    rect.NormalizeRect();
    if (!m_pClipart || !m_pClipart->IsLoaded() || rect.Width() == 0 || rect.Height() == 0)
        return;
    rect = m_position;
    // Offsets below an inch must not vanish: divide in floating point.
    const int dpiX = pDC->GetDeviceCaps(LOGPIXELSX);
    const int dpiY = pDC->GetDeviceCaps(LOGPIXELSY);
    const int ox =
        dpiX > 0 ? static_cast<int>(pDC->GetDeviceCaps(PHYSICALOFFSETX) * kTenthsOfMmPerInch / dpiX) : 0;
    const int oy =
        dpiY > 0 ? static_cast<int>(pDC->GetDeviceCaps(PHYSICALOFFSETY) * kTenthsOfMmPerInch / dpiY) : 0;
    rect.OffsetRect(-ox, -oy);
    rect.top = -rect.top;
    rect.bottom = -rect.bottom;
    const int oldMode = pDC->SetStretchBltMode(COLORONCOLOR);
    m_rotated.Draw(pDC, rect, rect, FALSE);
    pDC->SetStretchBltMode(oldMode);
}

CDrawObj* CDrawClipart::Clone() {
    CClipart* clipart = m_pClipart ? DYNAMIC_DOWNCAST(CClipart, m_pClipart->Clone()) : nullptr;
    auto* clone = new CDrawClipart(m_position, clipart);
    CopyPenAndBrushTo(*clone);
    return clone;
}
