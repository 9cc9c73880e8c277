// The preview's painting: a white field, then one cell (size mode) or four (spacing mode) laid out from
// the two fractions, each showing the top-left 100 × 100 pixels of the sample picture.

#include "albums/StaticThmbSize.h"

#include "platform/ui/PaintDC.h"
#include "skin/SkinBitmap.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CStaticThmbSize, CStatic)

namespace {

constexpr char kSampleBitmap[] = "#6008";
constexpr int kSampleSide = 100;
// The smallest thumbnail cell, and the cell of the spacing mode.
constexpr int kCellSide = 32;
// The spacing mode's gaps grow over what two cells and a 20-pixel margin leave.
constexpr int kSpacingFixed = 84;

int Round(double value) {
    return static_cast<int>(value + 0.5);
}

// Fills the whole rectangle with a stock brush: without a pen, a rectangle leaves out its right and
// bottom edges, which would show what lay under the control.
void FillWithStockBrush(CDC* dc, const CRect& rect, int brush) {
    CGdiObject* previousBrush = dc->SelectStockObject(brush);
    dc->Rectangle(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
    dc->SelectObject(previousBrush);
}

} // namespace

CStaticThmbSize::CStaticThmbSize() = default;

CStaticThmbSize::~CStaticThmbSize() {
    FreeMemDC();
}

void CStaticThmbSize::SetHorizontalValue(int value) {
    m_nHorizontalValue = std::max(value, 0);
}

void CStaticThmbSize::SetHorizontalRange(int range) {
    m_nHorizontalRange = std::max(range, 0);
}

void CStaticThmbSize::SetVerticalValue(int value) {
    m_nVerticalValue = std::max(value, 0);
}

void CStaticThmbSize::SetVerticalRange(int range) {
    m_nVerticalRange = std::max(range, 0);
}

BOOL CStaticThmbSize::CreateMemDC() {
    FreeMemDC();
    CDC* windowDc = GetDC();
    m_pMemDC = std::make_unique<CDC>();
    m_pMemDC->CreateCompatibleDC(windowDc);
    ReleaseDC(windowDc);
    if (LoadSkinBitmap(m_sample, kSampleBitmap, this))
        m_pOldBitmap = m_pMemDC->SelectObject(&m_sample);
    return TRUE;
}

void CStaticThmbSize::FreeMemDC() {
    if (!m_pMemDC)
        return;
    if (m_pOldBitmap)
        m_pMemDC->SelectObject(m_pOldBitmap);
    m_pOldBitmap = nullptr;
    m_sample.DeleteObject();
    m_pMemDC->DeleteDC();
    m_pMemDC.reset();
}

void CStaticThmbSize::OnDestroy() {
    FreeMemDC();
    CStatic::OnDestroy();
}

void CStaticThmbSize::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CGdiObject* previousPen = dc.SelectStockObject(NULL_PEN);
    FillWithStockBrush(&dc, client, WHITE_BRUSH);
    if (m_nHorizontalRange >= 1 && m_nVerticalRange >= 1) {
        const double fx = static_cast<double>(m_nHorizontalValue) / m_nHorizontalRange;
        const double fy = static_cast<double>(m_nVerticalValue) / m_nVerticalRange;
        const int width = client.Width();
        const int height = client.Height();
        if (m_nMode == kSizeMode) {
            const int w = Round((width - kCellSide) * fx) + kCellSide;
            const int h = Round((height - kCellSide) * fy) + kCellSide;
            DrawCell(&dc, CRect(CPoint((width - w) / 2, (height - h) / 2), CSize(w, h)));
        } else if (m_nMode == kSpacingMode) {
            const int gx = Round((width - kSpacingFixed) * fx);
            const int gy = Round((height - kSpacingFixed) * fy);
            const int left = (width - gx - 2 * kCellSide) / 2;
            const int top = (height - gy - 2 * kCellSide) / 2;
            for (const int x : {left, left + kCellSide + gx}) {
                for (const int y : {top, top + kCellSide + gy})
                    DrawCell(&dc, CRect(CPoint(x, y), CSize(kCellSide, kCellSide)));
            }
        }
    }
    dc.SelectObject(previousPen);
}

void CStaticThmbSize::DrawCell(CDC* dc, const CRect& cell) {
    if (!m_pMemDC || !m_sample.m_hObject) {
        FillWithStockBrush(dc, cell, BLACK_BRUSH);
        return;
    }
    const int previousMode = dc->SetStretchBltMode(COLORONCOLOR);
    dc->StretchBlt(cell.left, cell.top, cell.Width(), cell.Height(), m_pMemDC.get(), 0, 0, kSampleSide,
                   kSampleSide, SRCCOPY);
    dc->SetStretchBltMode(previousMode);
}
