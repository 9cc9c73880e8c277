#pragma once
// Tone tables and the per-pixel converters of the DIB conversion. One conversion builds five tables of 256
// floats from an ADJUST record; every pixel then costs a few table lookups and adds.

#include "image/Adjust.h"
#include "platform/base/WinStructs.h"

inline constexpr int kToneTableCount = 5;
using ToneTables = float[kToneTableCount][256];

// T0: colour weight, T1..T3: red, green and blue parts of the grey sum (T1 also carries the offset),
// T4: the whole curve for a grey level. Without settings the tables reproduce the source colours.
void BuildConversionTables(const ADJUST* s, ToneTables& tables);

// The last step of ToByte: truncation, clamped to 0..255 (not-a-number gives 0).
inline BYTE TruncateToByte(double scaled) {
    double clamped = scaled >= 1.0 ? scaled : 0.0;
    clamped = clamped < 255.0 ? clamped : 255.0;
    return static_cast<BYTE>(clamped);
}

// trunc(v * 255 + 0.5) clamped to 0..255. The float form multiplies in single precision like the stored
// tables; the double form serves sums kept in double precision.
inline BYTE ToByte(double v) {
    return TruncateToByte(v * 255 + 0.5);
}
inline BYTE ToByte(float v) {
    return TruncateToByte(static_cast<double>(v * 255.0f) + 0.5);
}

// 255 from one half up, else 0.
BYTE ThresholdByte(double v);

// The grey sum T1[R] + T2[G] + T3[B], kept in double precision.
inline double GreySum(RGBTRIPLE p, const ToneTables& t) {
    return static_cast<double>(t[1][p.rgbtRed]) + t[2][p.rgbtGreen] + t[3][p.rgbtBlue];
}

// Each channel k becomes ToByte(y + T0[k]), with the grey sum y rounded to single precision.
inline RGBTRIPLE ConvertColorPixel(RGBTRIPLE p, const ToneTables& t) {
    const float y = t[1][p.rgbtRed] + t[2][p.rgbtGreen] + t[3][p.rgbtBlue];
    return {ToByte(y + t[0][p.rgbtBlue]), ToByte(y + t[0][p.rgbtGreen]), ToByte(y + t[0][p.rgbtRed])};
}

inline BYTE GreyLevel(RGBTRIPLE p, const ToneTables& t) {
    return ToByte(GreySum(p, t));
}

RGBTRIPLE ConvertGreyPixel(RGBTRIPLE pixel, const ToneTables& t);
RGBTRIPLE ConvertTwoColorPixel(RGBTRIPLE pixel, const ToneTables& t, COLORREF dark, COLORREF light);

// Colour-table entry for grey level i of a true-colour source.
RGBTRIPLE ConvertGreyLevel(int i, const ToneTables& t);
RGBTRIPLE ConvertTwoColorLevel(int i, const ToneTables& t, COLORREF dark, COLORREF light);

RGBTRIPLE ToTriple(COLORREF colour);
