#pragma once
// How a strength of 1..100 becomes an effect's parameter.

#include <algorithm>

// The strength as a fraction: 0.01 .. 1.
inline double StrengthFraction(int strength) {
    return strength / 100.0;
}

// The shorter side of a picture: effects whose look should not change between the dialog's small
// preview and the full picture measure their reach in it.
inline int ShorterSide(int width, int height) {
    return std::min(width, height);
}
