#include "app/ProgressPercent.h"

#include <cstdint>

int ProgressPercent(int pos, int low, int high) {
    if (high <= low)
        return pos >= high ? 100 : 0;
    // 64 bits: the range may span the whole int range.
    const std::int64_t percent = (std::int64_t{pos} - low) * 100 / (std::int64_t{high} - low);
    return static_cast<int>(percent == 100 ? percent : percent % 100);
}

CString ProgressPercentText(int pos, int low, int high) {
    CString text;
    text.Format("%d%c", ProgressPercent(pos, low, high), '%');
    return text;
}
