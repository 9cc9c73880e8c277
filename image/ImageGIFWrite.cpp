// Writing GIF89a files: one 8-bit image with a global colour table of 256 entries, an optional
// transparent index, and its pixels in LZW codes.

#include "image/DibGeometry.h"
#include "image/GifLzwEncoder.h"
#include "image/ImageGIF.h"
#include "image/ImagePalette.h"
#include "platform/base/AppServices.h"
#include "platform/base/AtomicFileWriter.h"

#include <vector>

namespace {

constexpr char kSignature[] = "GIF89a";
// Global colour table, colour resolution 8 bits, 256 entries.
constexpr BYTE kScreenFlags = 0xE7;
constexpr int kTableEntries = 256;
constexpr BYTE kMinimumCodeSize = 8;
constexpr BYTE kTrailer = 0x3B;

void PutWord(std::vector<BYTE>& out, int value) {
    out.push_back(static_cast<BYTE>(value));
    out.push_back(static_cast<BYTE>(value >> 8));
}

// 19. Global colour table: the palette's entries, black past them. An image without palette has its
// colours in the DIB's colour table.
void PutColourTable(std::vector<BYTE>& out, const CImageImpl& image) {
    PALETTEENTRY entries[kTableEntries] = {};
    if (const CImagePalette* palette = image.GetPalette()) {
        palette->GetEntries(0, kTableEntries, entries);
    } else {
        const auto* quads = reinterpret_cast<const RGBQUAD*>(DibColorTablePtr(image.GetInfo()));
        for (int i = 0; i < DibNumColors(image.GetInfo()) && i < kTableEntries; ++i)
            entries[i] = {quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue, 0};
    }
    for (const PALETTEENTRY& entry : entries)
        out.insert(out.end(), {entry.peRed, entry.peGreen, entry.peBlue});
}

std::vector<BYTE> EncodeGifFile(const CImageImpl& image, int transparentIndex) {
    std::vector<BYTE> out(kSignature, kSignature + sizeof kSignature - 1);
    // 18. Logical screen descriptor: width, height, flags, background index, aspect ratio.
    PutWord(out, image.GetWidth());
    PutWord(out, image.GetHeight());
    out.insert(out.end(), {kScreenFlags, 0, 0});
    PutColourTable(out, image);
    if (transparentIndex >= 0 && transparentIndex < kTableEntries) {
        // 23. Graphic control extension: transparent flag, no delay, the index, terminator.
        out.insert(out.end(),
                   {0x21, 0xF9, 0x04, 0x01, 0x00, 0x00, static_cast<BYTE>(transparentIndex), 0x00});
    }
    // 20. Image descriptor at (0, 0), no local table, not interlaced; 22. the data.
    out.push_back(0x2C);
    PutWord(out, 0);
    PutWord(out, 0);
    PutWord(out, image.GetWidth());
    PutWord(out, image.GetHeight());
    out.push_back(0);
    out.push_back(kMinimumCodeSize);
    EncodeGifPixels(image, out);
    out.push_back(0);
    out.push_back(kTrailer);
    return out;
}

} // namespace

bool CImageGIF::Write(const CString& path) {
    SetPath(path);
    // The pixel scan takes one byte per pixel: deeper and shallower images alike would be misread.
    if (!GetBits() || GetBitsPerPixel() != 8) {
        AppServices().MessageBox(kMessageNotEightBits);
        return false;
    }
    const std::vector<BYTE> file = EncodeGifFile(*this, GetWriteTransparentIndex());
    CAtomicFileWriter writer;
    if (!writer.Open(path)) {
        AppServices().MessageBox(kMessageCannotCreate);
        return false;
    }
    if (!writer.Write(file.data(), file.size()) || !writer.Commit()) {
        AppServices().MessageBox(kMessageNotWritten);
        return false;
    }
    return true;
}
