#include "platform/imaging/IconCodec.h"

#include "platform/base/ByteOrder.h"
#include "platform/imaging/DepthConversion.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr WORD kTypeIcon = 1;
constexpr WORD kTypeCursor = 2;
constexpr std::size_t kDirectoryBytes = 6;
constexpr std::size_t kEntryBytes = 16;
constexpr int kLargestSide = 256; // a directory entry stores 1 to 255, and 0 for 256
constexpr BYTE kPngSignature[4] = {0x89, 'P', 'N', 'G'};
// A PNG picture's width and height lie in its IHDR chunk, right behind the signature and chunk header.
constexpr std::size_t kPngWidthOffset = 16;

// Pictures of an icon store the XOR picture and the AND mask one above the other: twice the height.
constexpr int kStackedPictures = 2;

int DepthOf(int bitCount) {
    if (bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 32)
        return bitCount;
    return 24;
}

DWORD ReadBe32(const BYTE* p) {
    return DWORD(p[0]) << 24 | DWORD(p[1]) << 16 | DWORD(p[2]) << 8 | p[3];
}

} // namespace

int IconFormatOf(std::span<const BYTE> file) {
    if (file.size() < kDirectoryBytes + kEntryBytes || ReadLe16(&file[0]) != 0 || ReadLe16(&file[4]) == 0)
        return 0;
    const WORD type = ReadLe16(&file[2]);
    return type == kTypeIcon ? kFormatIco : type == kTypeCursor ? kFormatCur : 0;
}

bool ReadIconInfo(std::span<const BYTE> file, ImagingFileInfo& info) {
    if (IconFormatOf(file) == 0)
        return false;
    const BYTE* entry = &file[kDirectoryBytes];
    const std::uint64_t offset = ReadLe32(entry + 12);
    if (offset > file.size() || file.size() - offset < sizeof(BITMAPINFOHEADER))
        return false;
    const BYTE* picture = &file[std::size_t(offset)];
    if (std::memcmp(picture, kPngSignature, sizeof kPngSignature) == 0) {
        info.width = int(std::min<DWORD>(ReadBe32(picture + kPngWidthOffset), 0x7FFFFFFF));
        info.height = int(std::min<DWORD>(ReadBe32(picture + kPngWidthOffset + 4), 0x7FFFFFFF));
        info.bitsPerPixel = 32;
        info.compression = "PNG";
    } else {
        info.width = std::int32_t(ReadLe32(picture + 4));
        info.height = std::int32_t(ReadLe32(picture + 8)) / kStackedPictures;
        info.bitsPerPixel = DepthOf(ReadLe16(picture + 14));
        info.compression = "None";
    }
    info.hasTransparency = true;
    return info.width > 0 && info.height > 0;
}

int EncodeCursor(const CImagingBitmap& bitmap, int bitsPerPixel, std::vector<BYTE>& file) {
    if (bitsPerPixel == 0)
        bitsPerPixel = bitmap.GetBitsPerPixel() > 8 ? 24 : bitmap.GetBitsPerPixel();
    const int width = bitmap.GetWidth(), height = bitmap.GetHeight();
    if ((bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 24) ||
        width > kLargestSide || height > kLargestSide)
        return kImagingErrorFormat;

    // Transparent pixels are made black before the colours are chosen: the screen shows through them
    // only when the XOR picture is black there.
    const std::vector<BYTE>& alpha = bitmap.GetAlpha();
    BytePixels bgr = BgrPixelsOf(bitmap);
    for (std::size_t i = 0; i < alpha.size(); ++i)
        if (alpha[i] < 128)
            std::fill_n(bgr.bytes.begin() + std::ptrdiff_t(3 * i), 3, BYTE(0));
    CImagingBitmap blackened;
    blackened.Attach(WriteDib(bgr, 24, {}));
    CImagingBitmap prepared;
    prepared.Attach(ConvertedDib(blackened, bitsPerPixel, 1 << std::min(bitsPerPixel, 8)));
    DibLayout dib;
    const std::vector<BYTE>& block = prepared.GetDib();
    ReadDibLayout(reinterpret_cast<const BITMAPINFOHEADER*>(block.data()), block.size(), dib);

    const std::size_t paletteEntries = bitsPerPixel <= 8 ? std::size_t{1} << bitsPerPixel : 0;
    const std::size_t xorBytes = std::size_t(DibRowBytes(width, bitsPerPixel)) * std::size_t(height);
    const std::size_t maskRowBytes = std::size_t(DibRowBytes(width, 1));
    const std::size_t andBytes = maskRowBytes * std::size_t(height);
    const std::size_t pictureBytes = sizeof(BITMAPINFOHEADER) + 4 * paletteEntries + xorBytes + andBytes;

    file.clear();
    // ICONDIR: reserved, type, number of pictures.
    AppendLe16(file, 0);
    AppendLe16(file, kTypeCursor);
    AppendLe16(file, 1);
    // ICONDIRENTRY: size, colour count, reserved, hot spot x and y, picture bytes and offset.
    file.push_back(BYTE(width == kLargestSide ? 0 : width));
    file.push_back(BYTE(height == kLargestSide ? 0 : height));
    file.push_back(BYTE(paletteEntries < 256 ? paletteEntries : 0));
    file.push_back(0);
    AppendLe16(file, 0);
    AppendLe16(file, 0);
    AppendLe32(file, DWORD(pictureBytes));
    AppendLe32(file, DWORD(kDirectoryBytes + kEntryBytes));
    // The picture's BITMAPINFOHEADER counts the XOR picture and the AND mask in its height.
    AppendLe32(file, sizeof(BITMAPINFOHEADER));
    AppendLe32(file, DWORD(width));
    AppendLe32(file, DWORD(height * kStackedPictures));
    AppendLe16(file, 1);
    AppendLe16(file, WORD(bitsPerPixel));
    AppendLe32(file, BI_RGB);
    AppendLe32(file, DWORD(xorBytes + andBytes));
    for (int i = 0; i < 4; ++i)
        AppendLe32(file, 0); // resolution, colours used and important: all of the palette
    for (std::size_t i = 0; i < paletteEntries; ++i) {
        const RGBQUAD entry = int(i) < dib.paletteEntries ? dib.palette[i] : RGBQUAD{};
        file.push_back(entry.rgbBlue), file.push_back(entry.rgbGreen), file.push_back(entry.rgbRed);
        file.push_back(0);
    }
    for (int y = 0; y < height; ++y)
        file.insert(file.end(), dib.Row(y), dib.Row(y) + DibRowBytes(width, bitsPerPixel));
    // The AND mask: 1 where the screen shows through.
    for (int y = 0; y < height; ++y) {
        std::vector<BYTE> row(maskRowBytes, 0);
        for (int x = 0; x < width && !alpha.empty(); ++x)
            if (alpha[std::size_t(y) * std::size_t(width) + std::size_t(x)] < 128)
                row[std::size_t(x >> 3)] |= BYTE(0x80 >> (x & 7));
        file.insert(file.end(), row.begin(), row.end());
    }
    return kImagingSuccess;
}
