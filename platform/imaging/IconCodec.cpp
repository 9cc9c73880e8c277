#include "platform/imaging/IconCodec.h"

#include "platform/base/ByteOrder.h"
#include "platform/imaging/DepthConversion.h"
#include "platform/imaging/PngCodec.h"

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

// The first picture of the directory, from its offset to the end of the file; empty when it points
// outside.
std::span<const BYTE> FirstPicture(std::span<const BYTE> file) {
    const std::uint64_t offset = ReadLe32(&file[kDirectoryBytes + 12]);
    if (offset > file.size() || file.size() - offset < sizeof(BITMAPINFOHEADER))
        return {};
    return file.subspan(std::size_t(offset));
}

bool IsPng(std::span<const BYTE> picture) {
    return std::memcmp(picture.data(), kPngSignature, sizeof kPngSignature) == 0;
}

// A PNG picture at 32 bits, opaque where it has no transparency.
bool DecodePngPicture(std::span<const BYTE> picture, CImagingBitmap& bitmap) {
    CImagingBitmap decoded;
    if (!DecodePng(picture, decoded))
        return false;
    if (!decoded.HasTransparency()) {
        const std::size_t pixels = std::size_t(decoded.GetWidth()) * std::size_t(decoded.GetHeight());
        std::vector<BYTE> dib = decoded.GetDib();
        decoded.Attach(std::move(dib), std::vector<BYTE>(pixels, 255));
    }
    if (decoded.GetBitsPerPixel() != 32 && !decoded.ConvertDepth(32))
        return false;
    bitmap = std::move(decoded);
    return true;
}

// The alpha of the AND mask behind the XOR rows: 0 where its bit is set (the screen shows through).
std::vector<BYTE> MaskAlpha(const BYTE* mask, int width, int height) {
    const std::int64_t rowBytes = DibRowBytes(width, 1);
    std::vector<BYTE> alpha(std::size_t(width) * std::size_t(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            alpha[std::size_t(y) * std::size_t(width) + std::size_t(x)] =
                (mask[rowBytes * y + (x >> 3)] & (0x80 >> (x & 7))) ? 0 : 255;
    return alpha;
}

// A picture stored as a DIB: its header counts the XOR rows and the AND mask in its height. 32-bit
// pictures carry their alpha in the fourth byte; old ones, whose fourth bytes are all 0, take the AND
// mask, and so does every other depth where the mask hides any pixel.
bool DecodeDibPicture(std::span<const BYTE> picture, CImagingBitmap& bitmap) {
    const DWORD headerBytes = ReadLe32(&picture[0]);
    const std::int64_t width = std::int32_t(ReadLe32(&picture[4]));
    const std::int64_t height = std::int32_t(ReadLe32(&picture[8])) / kStackedPictures;
    const int bitCount = ReadLe16(&picture[14]);
    const DWORD compression = ReadLe32(&picture[16]);
    if (headerBytes < sizeof(BITMAPINFOHEADER) || headerBytes > picture.size() || compression != BI_RGB ||
        !IsDibDepth(bitCount) || !IsDibSizeAllowed(width, height))
        return false;
    const DWORD colourCount = ReadLe32(&picture[32]);
    const std::uint64_t paletteEntries =
        bitCount <= 8
            ? (colourCount != 0 ? std::min<std::uint64_t>(colourCount, 1u << bitCount) : 1u << bitCount)
            : 0;
    const std::uint64_t xorBytes = std::uint64_t(DibRowBytes(int(width), bitCount)) * std::uint64_t(height);
    const std::uint64_t andBytes = std::uint64_t(DibRowBytes(int(width), 1)) * std::uint64_t(height);
    const std::uint64_t rowsAt = headerBytes + 4 * paletteEntries;
    const bool hasMask = rowsAt + xorBytes + andBytes <= picture.size();
    if (rowsAt + xorBytes > picture.size() || (!hasMask && bitCount != 32))
        return false;

    std::vector<RGBQUAD> palette(std::size_t(bitCount <= 8 ? 1u << bitCount : 0), RGBQUAD{0, 0, 0, 0});
    for (std::size_t i = 0; i < paletteEntries; ++i) {
        const BYTE* entry = &picture[headerBytes + 4 * i];
        palette[i] = RGBQUAD{entry[0], entry[1], entry[2], 0};
    }
    std::vector<BYTE> dib = MakeDib(int(width), int(height), bitCount, palette);
    std::memcpy(DibBottomRow(dib), &picture[std::size_t(rowsAt)], std::size_t(xorBytes));
    const int w = int(width), h = int(height);
    std::vector<BYTE> alpha;
    if (bitCount == 32) {
        const BYTE* pixel = DibBottomRow(dib);
        alpha.resize(std::size_t(w) * std::size_t(h));
        bool anyAlpha = false;
        for (std::size_t i = 0; i < alpha.size(); ++i)
            anyAlpha = (alpha[i] = pixel[4 * i + 3]) != 0 || anyAlpha;
        if (!anyAlpha) {
            if (!hasMask)
                return false;
            alpha = MaskAlpha(&picture[std::size_t(rowsAt + xorBytes)], w, h);
            BYTE* out = DibBottomRow(dib);
            for (std::size_t i = 0; i < alpha.size(); ++i)
                out[4 * i + 3] = alpha[i];
        }
    } else {
        alpha = MaskAlpha(&picture[std::size_t(rowsAt + xorBytes)], w, h);
        // A mask that hides nothing is no transparency.
        if (std::all_of(alpha.begin(), alpha.end(), [](BYTE a) { return a == 255; }))
            alpha.clear();
    }
    CImagingBitmap decoded;
    decoded.Attach(std::move(dib), std::move(alpha));
    // 16-bit pictures come out at 24 bits, as the file information says.
    if (bitCount == 16 && !decoded.ConvertDepth(24))
        return false;
    bitmap = std::move(decoded);
    return true;
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
    const std::span<const BYTE> first = FirstPicture(file);
    if (first.empty())
        return false;
    const BYTE* picture = first.data();
    if (IsPng(first)) {
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

bool DecodeIcon(std::span<const BYTE> file, CImagingBitmap& bitmap) {
    if (IconFormatOf(file) == 0)
        return false;
    const std::span<const BYTE> picture = FirstPicture(file);
    if (picture.empty())
        return false;
    return IsPng(picture) ? DecodePngPicture(picture, bitmap) : DecodeDibPicture(picture, bitmap);
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
