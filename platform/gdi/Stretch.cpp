#include "platform/gdi/Stretch.h"

#include <cstdint>

void ColorOnColorSteps(int srcExtent, int destExtent, int first, int count, int* sourceIndexes) {
    if (srcExtent <= 0 || destExtent <= 0 || count <= 0)
        return;
    const std::int64_t quotient = srcExtent / destExtent;
    const std::int64_t remainder = srcExtent % destExtent;
    // After k steps the accumulator has wrapped (r / 2 + k * r) / destExtent times, so a clipped walk
    // can start in the middle without replaying the pixels before it.
    const std::int64_t start = static_cast<std::int64_t>(first) * remainder + remainder / 2;
    std::int64_t accumulator = start % destExtent;
    std::int64_t source = static_cast<std::int64_t>(first) * quotient + start / destExtent;
    for (int i = 0; i < count; ++i) {
        sourceIndexes[i] = static_cast<int>(source);
        source += quotient;
        accumulator += remainder;
        if (accumulator >= destExtent) {
            accumulator -= destExtent;
            ++source;
        }
    }
}
