// Measuring text blocks line by line, without a window.
#include "page/TextMeasure.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiTypes.h"

#include <string_view>

namespace {

constexpr UINT kMeasureFormat = DT_CALCRECT | DT_EXPANDTABS;

} // namespace

CSize MeasureTextBlock(CDC* pDC, const CString& text) {
    const std::string_view all(text.GetString(), static_cast<size_t>(text.GetLength()));
    CRect widest;
    size_t start = 0;
    while (start <= all.size()) {
        size_t end = all.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = all.size();
        const std::string_view line = all.substr(start, end - start);
        CRect lineRect;
        pDC->DrawText(line.data(), static_cast<int>(line.size()), &lineRect, kMeasureFormat);
        if (lineRect.Width() > widest.Width())
            widest = lineRect;
        if (end == all.size())
            break;
        // CR LF is one break.
        start = end + ((all[end] == '\r' && end + 1 < all.size() && all[end + 1] == '\n') ? 2 : 1);
    }
    if (all.empty())
        return {0, 0};
    pDC->DrawText(text, &widest, kMeasureFormat);
    return widest.Size();
}
