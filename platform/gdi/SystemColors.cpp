#include "platform/gdi/SystemColors.h"

#include "platform/gdi/GdiObjects.h"

#include <array>

namespace {

// System colours of a light desktop theme.
constexpr std::array<COLORREF, kSystemColorCount> kSystemColors{
    RGB(200, 200, 200), RGB(0, 0, 0),       RGB(153, 180, 209), RGB(191, 205, 219), RGB(240, 240, 240),
    RGB(255, 255, 255), RGB(100, 100, 100), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(180, 180, 180), RGB(244, 247, 252), RGB(171, 171, 171), RGB(0, 120, 215),   RGB(255, 255, 255),
    RGB(240, 240, 240), RGB(160, 160, 160), RGB(109, 109, 109), RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(255, 255, 255), RGB(105, 105, 105), RGB(227, 227, 227), RGB(0, 0, 0),       RGB(255, 255, 225)};

} // namespace

COLORREF GetSysColor(int index) {
    return index >= 0 && index < kSystemColorCount ? kSystemColors[static_cast<size_t>(index)] : 0;
}

HBRUSH GetSysColorBrush(int index) {
    // Made once, on whichever thread asks first.
    static const std::array<HBRUSH, kSystemColorCount> brushes = [] {
        std::array<HBRUSH, kSystemColorCount> made{};
        for (size_t i = 0; i < made.size(); ++i)
            made[i] = CreateSolidBrush(kSystemColors[i]);
        return made;
    }();
    return index >= 0 && index < kSystemColorCount ? brushes[static_cast<size_t>(index)] : nullptr;
}
