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

// trunc(v * 255 + 0.5) clamped to 0..255 (TruncateToByte does the last step). The float form multiplies in
// single precision like the stored tables; the double form serves sums kept in double precision.
BYTE ToByte(float v);
BYTE TruncateToByte(double scaled);
BYTE ToByte(double v);
// 255 from one half up, else 0.
BYTE ThresholdByte(double v);

RGBTRIPLE ConvertColorPixel(RGBTRIPLE pixel, const ToneTables& t);
RGBTRIPLE ConvertGreyPixel(RGBTRIPLE pixel, const ToneTables& t);
RGBTRIPLE ConvertTwoColorPixel(RGBTRIPLE pixel, const ToneTables& t, COLORREF dark, COLORREF light);
BYTE GreyLevel(RGBTRIPLE pixel, const ToneTables& t);

// Colour-table entry for grey level i of a true-colour source.
RGBTRIPLE ConvertGreyLevel(int i, const ToneTables& t);
RGBTRIPLE ConvertTwoColorLevel(int i, const ToneTables& t, COLORREF dark, COLORREF light);

RGBTRIPLE ToTriple(COLORREF colour);
