#include "platform/imaging/BmpCodec.h"

#include "platform/base/ByteOrder.h"
#include "platform/imaging/DepthConversion.h"

#include <atomic>
#include <cstring>

namespace {

constexpr std::size_t kFileHeaderBytes = sizeof(BITMAPFILEHEADER);
constexpr DWORD kCoreHeaderBytes = sizeof(BITMAPCOREHEADER);
constexpr DWORD kInfoHeaderBytes = sizeof(BITMAPINFOHEADER);
// Bit-field masks of 32-bit pixels laid out as blue, green, red and an unused byte.
constexpr DWORD kPlainRedMask = 0x00FF0000, kPlainGreenMask = 0x0000FF00, kPlainBlueMask = 0x000000FF;

std::atomic<BmpFileReader> g_reader{nullptr};

const char* CompressionName(DWORD compression) {
    switch (compression) {
    case BI_RGB:
        return "None";
    case BI_RLE8:
    case BI_RLE4:
        return "RLE";
    case BI_BITFIELDS:
        return "Bitfields";
    default:
        return "Other";
    }
}

// Bit-field pixels come out of the picture's reader at 24 bits unless they are plain 32-bit ones.
int DepthOfBitFields(std::span<const BYTE> file, DWORD headerBytes, int bitCount) {
    const std::size_t masks = kFileHeaderBytes + 40; // inside a longer header, or right behind a 40-byte one
    if (bitCount != 32 || file.size() < masks + 12 || (headerBytes < 52 && headerBytes != kInfoHeaderBytes))
        return 24;
    const bool plain = ReadLe32(&file[masks]) == kPlainRedMask &&
                       ReadLe32(&file[masks + 4]) == kPlainGreenMask &&
                       ReadLe32(&file[masks + 8]) == kPlainBlueMask;
    return plain ? 32 : 24;
}

// Readers that take the fourth byte of 32-bit pixels for alpha would show a picture of zeros there as
// fully transparent: an opaque picture stores 255.
void MakeOpaque(std::vector<BYTE>& dib) {
    BYTE* pixel = DibBottomRow(dib);
    for (BYTE* end = dib.data() + dib.size(); pixel + 3 < end; pixel += 4)
        pixel[3] = 0xFF;
}

} // namespace

void SetBmpFileReader(BmpFileReader reader) {
    g_reader.store(reader);
}

bool IsBmpFile(std::span<const BYTE> file) {
    return file.size() >= kFileHeaderBytes + kCoreHeaderBytes && file[0] == 'B' && file[1] == 'M';
}

bool ReadBmpInfo(std::span<const BYTE> file, ImagingFileInfo& info) {
    if (!IsBmpFile(file))
        return false;
    const BYTE* header = file.data() + kFileHeaderBytes;
    const DWORD headerBytes = ReadLe32(header);
    int bitCount = 0;
    DWORD compression = BI_RGB;
    if (headerBytes == kCoreHeaderBytes) {
        info.width = ReadLe16(header + 4);
        info.height = ReadLe16(header + 6);
        bitCount = ReadLe16(header + 10);
    } else {
        if (headerBytes < kInfoHeaderBytes || file.size() < kFileHeaderBytes + kInfoHeaderBytes)
            return false;
        const std::int64_t height = std::int32_t(ReadLe32(header + 8));
        info.width = std::int32_t(ReadLe32(header + 4));
        info.height = int(height < 0 ? std::max<std::int64_t>(-height, 0) : height);
        bitCount = ReadLe16(header + 14);
        compression = ReadLe32(header + 16);
    }
    if (!IsDibDepth(bitCount))
        return false;
    info.bitsPerPixel =
        compression == BI_BITFIELDS ? DepthOfBitFields(file, headerBytes, bitCount) : bitCount;
    info.compression = CompressionName(compression);
    info.hasTransparency = false;
    return true;
}

bool DecodeBmp(std::span<const BYTE> file, CImagingBitmap& bitmap) {
    const BmpFileReader reader = g_reader.load();
    std::vector<BYTE> dib;
    if (!reader || !reader(file.data(), file.size(), dib))
        return false;
    DibLayout layout;
    if (!ReadDibLayout(reinterpret_cast<const BITMAPINFOHEADER*>(dib.data()), dib.size(), layout))
        return false;
    BITMAPINFOHEADER header;
    std::memcpy(&header, dib.data(), sizeof header);
    // The library's own form counts every palette entry and has its rows right behind the palette.
    if (header.biSize != kInfoHeaderBytes || header.biHeight < 0 ||
        (header.biBitCount <= 8 && header.biClrUsed == 0)) {
        dib = WriteDib(ReadBytePixels(layout), layout.bitsPerPixel,
                       std::vector<RGBQUAD>(layout.palette, layout.palette + layout.paletteEntries));
    }
    bitmap.Attach(std::move(dib));
    return true;
}

int EncodeBmp(const CImagingBitmap& bitmap, int bitsPerPixel, std::vector<BYTE>& file) {
    if (bitsPerPixel == 0)
        bitsPerPixel = bitmap.GetBitsPerPixel();
    if (!IsDibDepth(bitsPerPixel))
        return kImagingErrorFormat;
    std::vector<BYTE> dib = ConvertedDib(bitmap, bitsPerPixel, 1 << std::min(bitsPerPixel, 8));
    if (bitsPerPixel == 32 && !bitmap.HasTransparency())
        MakeOpaque(dib);
    BITMAPINFOHEADER header;
    std::memcpy(&header, dib.data(), sizeof header);
    const DWORD paletteBytes = header.biBitCount <= 8 ? header.biClrUsed * sizeof(RGBQUAD) : 0;

    file.clear();
    file.reserve(kFileHeaderBytes + dib.size());
    file.push_back('B');
    file.push_back('M');
    AppendLe32(file, DWORD(kFileHeaderBytes + dib.size())); // bfSize: the whole file
    AppendLe16(file, 0);
    AppendLe16(file, 0);
    AppendLe32(file, DWORD(kFileHeaderBytes + header.biSize + paletteBytes)); // bfOffBits: the rows
    file.insert(file.end(), dib.begin(), dib.end());
    return kImagingSuccess;
}
