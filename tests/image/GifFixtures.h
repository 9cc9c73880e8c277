#pragma once
// GIF files written field by field for the reader's tests and the fuzz seeds. The image data is coded
// without compression: a clear code before the code table could grow past the first code size, so the
// codes are the pixels themselves and any mistake shows in the test, not in a coder.

#include "platform/base/WinTypes.h"

#include <string>
#include <vector>

struct GifLayout {
    std::string version = "89a";
    int width = 1;
    int height = 1;
    std::vector<DWORD> globalTable{0x000000, 0xFFFFFF}; // 0xRRGGBB; empty for none
    std::vector<DWORD> localTable;                      // empty for none
    int transparentIndex = -1;                          // a graphic control block when >= 0
    bool interlaced = false;
    int minimumCodeSize = 2;
    std::vector<BYTE> pixels; // in file order (interlace passes as they come)
};

// The whole file: header, tables, control block, one image, trailer.
std::string BuildGif(const GifLayout& layout);
// The image data alone: the minimum code size, the codes in sub-blocks of up to 255 bytes, the terminator.
std::string UncompressedGifData(const std::vector<BYTE>& pixels, int minimumCodeSize);
// A colour table of 2^n entries with the colours first and black after them.
std::string GifColourTable(const std::vector<DWORD>& colours);
// The flags' size field for a table of that many colours.
int GifTableSizeBits(std::size_t colours);
