#pragma once
// How far deflate can expand data: a file too small to hold its picture's rows even at this rate is
// cut short, and is refused before room for the picture is made.

#include <cstdint>

// Deflate shrinks data by 1032 to 1 at the very most.
inline constexpr std::int64_t kLargestDeflateRatio = 1032;
