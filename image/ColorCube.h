#pragma once
// The colour cube that 8-bit output uses: nr x ng x nb levels, blue outermost and red innermost, reached by
// error diffusion along each row with half the error carried to the next pixel and half down the column.

#include "image/DibKernels.h"

struct CubeLevels {
    int red;
    int green;
    int blue;
    int Count() const { return red * green * blue; }
    // At least two levels per channel, and indexes that fit a byte; the routines do nothing otherwise.
    bool IsUsable() const;
};

// The cube of every conversion: 240 entries, leaving room in a 256-entry palette.
inline constexpr CubeLevels kColorCube{6, 8, 5};

// Entry r + nr * (g + ng * b) = (r * 255 / (nr - 1), g * 255 / (ng - 1), b * 255 / (nb - 1)).
void BuildColorCubePalette(RGBQUAD* table, int nr, int ng, int nb);

// Stretches a true-colour source, converts each pixel (copies it without tables) and diffuses it into cube
// indexes.
void DitherToColorCube(const StretchBand& band, const ToneTables* tables, CubeLevels levels);
// Diffuses a 24-bit picture into cube indexes of an 8-bit one of the same size.
void DiffuseToColorCube(const CDibRows& src, const CDibRows& dst, int rowCount, CubeLevels levels);
