#pragma once
// The exports of the resampling library Rastrum, for the library and for the program that loads it
// from its own folder and looks each export up by name at run time.

#include "platform/base/WinStructs.h"

#include <cstddef>

// The library's file in the program folder.
inline constexpr char kRastrumFileName[] = "libRastrum.so";

inline constexpr char kResampleExportName[] = "Resample";
inline constexpr char kPageCurlExportName[] = "PageCurl";

// The page curl's settings, as the adjustment engine fills them.
struct CurlSettings {
    LONG curlWidth;  // pixels of the bottom edge that the curl takes up, from the corner
    LONG curlHeight; // pixels of the side edge
    BYTE backRed;    // the colour that the curled-away corner uncovers
    BYTE backGreen;
    BYTE backBlue;
    BYTE reserved1[5];
    double shading;      // 0..1: how strongly the curled flap is shaded towards its tip
    double transparency; // 0..1: how much of the picture shows through the flap's back
    LONG corner;         // the curled corner: 0 top left, 1 top right, 2 bottom left, 3 bottom right
    BYTE shadow;         // 1: the flap casts a soft shadow on the page
    BYTE reserved2[3];
};
static_assert(sizeof(CurlSettings) == 40);
static_assert(offsetof(CurlSettings, backRed) == 8 && offsetof(CurlSettings, shading) == 16 &&
              offsetof(CurlSettings, transparency) == 24 && offsetof(CurlSettings, corner) == 32 &&
              offsetof(CurlSettings, shadow) == 36);

// The exports are plain C functions of these types.

// source: a packed DIB (40-byte header, uncompressed, 1 to 32 bits) that stays the caller's.
// Returns a new 24-bit packed DIB of exactly width x height, scaled with a Lanczos-3 filter that widens
// with the reduction; it lies in a global memory block that is returned locked: the caller finds the
// block with GlobalHandle, unlocks and frees it. Null on failure. The flag is accepted and not used.
using ResampleFunction = BITMAPINFOHEADER* (*)(BITMAPINFOHEADER* source, DWORD width, DWORD height,
                                               bool flag);

// source as above; returns a new 24-bit packed DIB of the same size with the corner curled as the
// settings say, in a locked global memory block as above, or null on failure.
using PageCurlFunction = BITMAPINFOHEADER* (*)(BITMAPINFOHEADER* source, CurlSettings* settings);
