// Drawing and measuring the text object: font heights, effects, fitting the rectangle and the printed
// font height.
#include "page/DrawText.h"
#include "page/TextMeasure.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiTypes.h"

#include <cmath>
#include <cstdlib>

namespace {

// Stored heights are in page units; on screen they are 3.35 times larger at scale 1.
constexpr double kHeightFactor = 3.35;
constexpr UINT kWrapFormat = DT_WORDBREAK | DT_EXPANDTABS;
constexpr UINT kOneLineFormat = DT_WORDBREAK | DT_SINGLELINE | DT_EXPANDTABS;
constexpr COLORREF kShadowGrey = 0x999999;
constexpr COLORREF kReliefGrey = 0xC0C0C0;
constexpr int kFitSteps = 10;

// Selects a font into a context for its lifetime, with the text colour and a transparent background.
class CTextScope {
public:
    CTextScope(CDC* pDC, const LOGFONT& font) : m_pDC(pDC) {
        if (!m_font.CreateFontIndirect(&font))
            return;
        m_pOldFont = m_pDC->SelectObject(&m_font);
        m_oldMode = m_pDC->SetBkMode(TRANSPARENT);
        m_bReady = true;
    }
    ~CTextScope() {
        if (!m_bReady)
            return;
        m_pDC->SetBkMode(m_oldMode);
        m_pDC->SelectObject(m_pOldFont);
    }
    CTextScope(const CTextScope&) = delete;
    CTextScope& operator=(const CTextScope&) = delete;
    bool IsReady() const { return m_bReady; }

private:
    CDC* m_pDC;
    CFont m_font;
    CFont* m_pOldFont = nullptr;
    int m_oldMode = 0;
    bool m_bReady = false;
};

// The relief's distance grows with the font's point size: about one unit per 18 points.
int ReliefOffset(int height) {
    CDC screen;
    screen.CreateCompatibleDC(nullptr);
    const int dpi = screen.GetDeviceCaps(LOGPIXELSY);
    const double points = std::abs(static_cast<int>(-height * 72.0 / dpi + 0.5));
    return std::max(1, static_cast<int>(points * 0.0555 + 0.5));
}

int Truncated(int value, float scale) {
    return static_cast<int>(static_cast<float>(value) * scale);
}

} // namespace

int CDrawText::ScaledHeight(int height, float scale) {
    const int scaled = static_cast<int>(height * static_cast<double>(scale) * kHeightFactor - 0.5);
    return scaled == 0 ? -1 : scaled;
}

LOGFONT CDrawText::FontOfHeight(int height) {
    m_logfont.lfWidth = 0;
    LOGFONT font = m_logfont;
    font.lfHeight = height;
    return font;
}

bool CDrawText::MeasureBlock(CDC* pDC, int height, CSize& block) {
    const CTextScope scope(pDC, FontOfHeight(height));
    if (!scope.IsReady())
        return false;
    block = MeasureTextBlock(pDC, m_strText);
    return true;
}

void CDrawText::DrawWithEffect(CDC* pDC, const CRect& rect, UINT format, int height, int shadowOffset) {
    int offset = 0;
    COLORREF grey = kShadowGrey;
    switch (m_nEffect) {
    case kTextShadowLowerRight:
        offset = shadowOffset;
        break;
    case kTextShadowUpperLeft:
        offset = -shadowOffset;
        break;
    case kTextRelief:
        offset = ReliefOffset(height);
        grey = kReliefGrey;
        break;
    default:
        break;
    }
    if (offset != 0) {
        CRect copy = rect;
        copy.OffsetRect(offset, offset);
        pDC->SetTextColor(grey);
        pDC->DrawText(m_strText, &copy, format);
    }
    pDC->SetTextColor(m_colour);
    CRect place = rect;
    pDC->DrawText(m_strText, &place, format);
}

void CDrawText::Draw(CDC* pDC, int dx, int dy, float scale) {
    const int height = m_nHeightOverride != 0 ? m_nHeightOverride : ScaledHeight(m_logfont.lfHeight, scale);
    const CTextScope scope(pDC, FontOfHeight(height));
    if (!scope.IsReady())
        return;
    const CSize block = MeasureTextBlock(pDC, m_strText);
    const CPoint corner(Truncated(m_position.left, scale) + dx, Truncated(m_position.top, scale) + dy);
    DrawWithEffect(pDC, CRect(corner, block), kWrapFormat, height, 1);
}

void CDrawText::DrawInRect(CDC* pDC, CRect rect) {
    CRect normal = rect;
    normal.NormalizeRect();
    if (normal.IsRectEmpty())
        return;
    const int height = m_logfont.lfHeight;
    const CTextScope scope(pDC, FontOfHeight(height));
    if (!scope.IsReady())
        return;
    DrawWithEffect(pDC, rect, kOneLineFormat, height, 1);
}

void CDrawText::FitToText(CDC* pDC, float scale) {
    // A page without a size is shown at no scale: there is nothing to fit to.
    if (scale <= 0.0f)
        return;
    CSize block;
    if (!MeasureBlock(pDC, ScaledHeight(m_logfont.lfHeight, scale), block))
        return;
    m_position.right = static_cast<int>(m_position.left + block.cx / scale);
    m_position.bottom = static_cast<int>(m_position.top + block.cy / scale);
    m_savedPosition = m_position;
}

void CDrawText::CalcTextRect(CRect* out, CDC* pDC, float scale) {
    const int height = m_nHeightOverride != 0 ? m_nHeightOverride : ScaledHeight(m_logfont.lfHeight, scale);
    m_nHeightOverride = 0;
    CSize block;
    if (!MeasureBlock(pDC, height, block))
        return;
    *out = CRect(CPoint(Truncated(m_position.left, scale), Truncated(m_position.top, scale)), block);
}

void CDrawText::FitPrintFontHeight(CDC* pDC, float scale) {
    CRect target = ScaledPosition(0, 0, scale);
    target.NormalizeRect();
    const int start = ScaledHeight(m_logfont.lfHeight, scale);
    auto error = [&](int height, int& result) {
        CSize block;
        if (!MeasureBlock(pDC, height, block))
            return false;
        result = std::abs(block.cx - target.Width()) + std::abs(block.cy - target.Height());
        return true;
    };
    int best = 0;
    if (!error(start, best))
        return;
    m_nHeightOverride = start;
    auto tryHeight = [&](int height) {
        int e = 0;
        if (error(height, e) && e < best) {
            best = e;
            m_nHeightOverride = height;
        }
    };
    // Larger fonts first (more negative heights), then smaller ones while the height stays negative.
    for (int step = 1; step <= kFitSteps; ++step)
        tryHeight(start - step);
    for (int step = 1; step <= kFitSteps && start + step < 0; ++step)
        tryHeight(start + step);
}
