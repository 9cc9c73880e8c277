// Measuring text blocks without a window.
#include "page/TextMeasure.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiTypes.h"

namespace {

constexpr UINT kMeasureFormat = DT_CALCRECT | DT_EXPANDTABS;

} // namespace

CSize MeasureTextBlock(CDC* pDC, const CString& text) {
    // Without word breaks the measurement breaks only at CR LF, CR and LF and takes the widest line:
    // exactly the block that measuring each line and then the whole text in the widest line's
    // rectangle gives, in one call instead of one per line.
    CRect block;
    pDC->DrawText(text, &block, kMeasureFormat);
    return block.Size();
}
