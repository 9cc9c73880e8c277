#pragma once
// MulDiv: number x numerator / denominator through a 64-bit product, rounded half away from zero; -1 for
// a zero denominator, as the system's.

#include <cstdint>

inline int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0)
        return -1;
    const std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    const bool negative = (product < 0) != (denominator < 0);
    const std::int64_t magnitude = product < 0 ? -product : product;
    const std::int64_t divisor = denominator < 0 ? -static_cast<std::int64_t>(denominator) : denominator;
    const std::int64_t quotient = (magnitude + divisor / 2) / divisor;
    return static_cast<int>(negative ? -quotient : quotient);
}
