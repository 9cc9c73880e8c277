#pragma once
// A picture's pixels with whole bytes per pixel, the form the geometric operations work on.

#include "platform/imaging/DibLayout.h"
#include "platform/imaging/Resampler.h"

#include <cstdint>
#include <vector>

// Rows in DIB order (bottom row first), tightly packed: 1 byte per pixel for 1, 4 and 8 bits
// (1- and 4-bit indexes widened), 2, 3 or 4 for 16, 24 and 32 bits.
struct BytePixels {
    int width = 0;
    int height = 0;
    int bytesPerPixel = 0;
    std::vector<BYTE> bytes;

    BytePixels() = default;
    BytePixels(int w, int h, int pixelBytes)
        : width(w), height(h), bytesPerPixel(pixelBytes),
          bytes(static_cast<std::size_t>(std::int64_t{w} * h * pixelBytes)) {}

    std::ptrdiff_t RowBytes() const { return std::ptrdiff_t{width} * bytesPerPixel; }
    BYTE* Row(int y) { return bytes.data() + RowBytes() * y; }
    const BYTE* Row(int y) const { return bytes.data() + RowBytes() * y; }
    PixelRows Rows() { return {bytes.data(), RowBytes(), width, height}; }
    ConstPixelRows Rows() const { return {bytes.data(), RowBytes(), width, height}; }
};

// Bytes per pixel of the byte form of a depth.
int BytesPerPixelOf(int bitsPerPixel);

// The pixels of a DIB in byte form.
BytePixels ReadBytePixels(const DibLayout& dib);

// A packed DIB of the given depth (1, 4, 8, 16, 24 or 32) holding pixels in the byte form of that
// depth; palette is used for 8 bits or fewer.
std::vector<BYTE> WriteDib(const BytePixels& pixels, int bitsPerPixel, const std::vector<RGBQUAD>& palette);
