#pragma once
// Builders of packed DIBs and BMP files with any header field, and a reader of the pixels of a picture in
// the program's form, for the picture tests and the fuzz seed generator.

#include "platform/base/WinStructs.h"

#include <optional>
#include <vector>

struct DibSpec {
    DWORD headerSize = 40;
    LONG width = 1;
    LONG height = 1;
    WORD planes = 1;
    WORD bitCount = 24;
    DWORD compression = BI_RGB;
    DWORD sizeImage = 0;
    DWORD colorsUsed = 0;
    DWORD colorsImportant = 0;
    std::vector<DWORD> masks;   // at offset 40: inside the larger headers, behind a 40-byte one
    std::vector<RGBQUAD> table; // RGBTRIPLEs behind a core header
    std::vector<BYTE> bits;     // everything behind the colour table
};

std::vector<BYTE> BuildDib(const DibSpec& layout);

// A BMP file: file header, then the DIB, with gap bytes between colour table and rows; bfOffBits and bfSize
// are right unless given.
std::vector<BYTE> BuildBmpFile(const DibSpec& layout, std::size_t gap = 0, std::optional<DWORD> offBits = {},
                               std::optional<DWORD> fileSize = {});

// Rows of 24-bit pixels, bottom row first, padded; colours given top row first as 0xRRGGBB.
std::vector<BYTE> Rows24(const std::vector<std::vector<DWORD>>& topDownColors, bool topDown = false);

// The colour (0xRRGGBB) of pixel (x, y), y counted from the top, of a DIB in the program's form.
DWORD PixelAt(const BYTE* dib, int x, int y);

// Every pixel of a DIB in the program's form, top row first.
std::vector<std::vector<DWORD>> AllPixels(const BYTE* dib);
