#pragma once
// The largest picture the program takes in, checked before anything is allocated.

#include <cstdint>

// Wider or taller pictures do not fit the 16-bit sizes of the core header and of the page code.
inline constexpr std::int64_t kMaxDibSide = 65535;
// At 32 bits per pixel this is 1 GiB of rows, which keeps every block length below 2^31: lengths are
// signed 32-bit numbers in the picture type and in its archive form.
inline constexpr std::int64_t kMaxDibPixels = std::int64_t{1} << 28;
