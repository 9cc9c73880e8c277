#include "image/DibValidation.h"

#include "image/DibBitFields.h"
#include "image/DibGeometry.h"
#include "image/DibRle.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

static_assert(std::endian::native == std::endian::little, "DIB fields are read in place");

namespace {

// Header sizes of the BMP format (Microsoft's BITMAPCOREHEADER, BITMAPINFOHEADER, BITMAPV2/V3 headers
// with their colour masks, BITMAPV4HEADER, BITMAPV5HEADER).
constexpr std::int64_t kCoreHeaderSize = 12;
constexpr std::int64_t kInfoHeaderSize = 40;
constexpr std::int64_t kV2HeaderSize = 52;
constexpr std::int64_t kV3HeaderSize = 56;
constexpr std::int64_t kV4HeaderSize = 108;
constexpr std::int64_t kV5HeaderSize = 124;
// The red, green and blue masks sit at this offset: inside the larger headers, or right behind a 40-byte
// header with BI_BITFIELDS.
constexpr std::int64_t kMaskOffset = 40;
constexpr std::int64_t kMaskBytes = 12;

// The source picture as its header describes it, every offset and size in 64 bits.
struct SourceLayout {
    std::int64_t headerSize = 0;
    std::int64_t width = 0;
    std::int64_t height = 0; // always positive; topDown keeps the sign
    bool topDown = false;
    int bitCount = 0;
    DWORD compression = BI_RGB;
    ColorMasks masks;
    LONG xPelsPerMeter = 0;
    LONG yPelsPerMeter = 0;
    std::int64_t colorsUsed = 0;
    std::int64_t colorsImportant = 0;
    std::int64_t tableOffset = 0;    // colour table, behind header and masks
    std::int64_t tableEntrySize = 4; // RGBTRIPLE behind a core header, else RGBQUAD
    std::int64_t storedEntries = 0;  // entries a packed DIB holds in front of its rows
    std::int64_t keptEntries = 0;    // entries the picture keeps: at most 2^bpp, none from 16 bits up
    std::int64_t bitsOffset = 0;
    std::int64_t rowBytes = 0; // of an uncompressed source row
};

template <typename T>
T ReadField(const BYTE* dib, std::int64_t offset) {
    T value;
    std::memcpy(&value, dib + offset, sizeof value);
    return value;
}

bool IsKnownHeaderSize(std::int64_t size) {
    return size == kCoreHeaderSize || size == kInfoHeaderSize || size == kV2HeaderSize ||
           size == kV3HeaderSize || size == kV4HeaderSize || size == kV5HeaderSize;
}

bool IsKnownBitCount(int bitCount) {
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
           bitCount == 32;
}

void ReadCoreHeader(const BYTE* dib, SourceLayout& layout, WORD& planes) {
    const auto core = ReadField<BITMAPCOREHEADER>(dib, 0);
    layout.width = core.bcWidth;
    layout.height = core.bcHeight;
    planes = core.bcPlanes;
    layout.bitCount = core.bcBitCount;
    layout.tableEntrySize = 3;
}

void ReadInfoHeader(const BYTE* dib, SourceLayout& layout, WORD& planes) {
    const auto info = ReadField<BITMAPINFOHEADER>(dib, 0);
    layout.width = info.biWidth;
    layout.topDown = info.biHeight < 0;
    layout.height = info.biHeight < 0 ? -std::int64_t{info.biHeight} : std::int64_t{info.biHeight};
    planes = info.biPlanes;
    layout.bitCount = info.biBitCount;
    layout.compression = info.biCompression;
    layout.xPelsPerMeter = info.biXPelsPerMeter;
    layout.yPelsPerMeter = info.biYPelsPerMeter;
    layout.colorsUsed = info.biClrUsed;
    layout.colorsImportant = info.biClrImportant;
}

DibFault ReadHeader(const BYTE* dib, std::int64_t size, SourceLayout& layout) {
    if (size < 4)
        return DibFault::HeaderOutside;
    layout.headerSize = ReadField<DWORD>(dib, 0);
    if (!IsKnownHeaderSize(layout.headerSize))
        return DibFault::HeaderSize;
    if (size < layout.headerSize)
        return DibFault::HeaderOutside;
    WORD planes = 0;
    if (layout.headerSize == kCoreHeaderSize)
        ReadCoreHeader(dib, layout, planes);
    else
        ReadInfoHeader(dib, layout, planes);
    if (planes != 1)
        return DibFault::Planes;
    if (layout.width <= 0)
        return DibFault::Width;
    if (layout.height == 0)
        return DibFault::Height;
    if (!IsKnownBitCount(layout.bitCount))
        return DibFault::BitCount;
    return DibFault::None;
}

DibFault CheckCompression(const SourceLayout& layout) {
    switch (layout.compression) {
    case BI_RGB:
        return DibFault::None;
    case BI_RLE8:
    case BI_RLE4:
        // Run-length pictures are bottom-up by definition.
        if (layout.topDown || layout.bitCount != (layout.compression == BI_RLE8 ? 8 : 4))
            return DibFault::Compression;
        return DibFault::None;
    case BI_BITFIELDS:
        return layout.bitCount == 16 || layout.bitCount == 32 ? DibFault::None : DibFault::Compression;
    default:
        return DibFault::Compression;
    }
}

DibFault CheckSize(const SourceLayout& layout) {
    if (layout.width > kMaxDibSide || layout.height > kMaxDibSide ||
        layout.width * layout.height > kMaxDibPixels)
        return DibFault::TooLarge;
    return DibFault::None;
}

// Colour masks and colour table: where they are, and that they lie inside the block.
DibFault LocateColorTable(const BYTE* dib, std::int64_t size, SourceLayout& layout) {
    layout.tableOffset = layout.headerSize;
    if (layout.compression == BI_BITFIELDS) {
        if (layout.headerSize == kInfoHeaderSize)
            layout.tableOffset += kMaskBytes;
        if (size < kMaskOffset + kMaskBytes)
            return DibFault::ColorTableOutside;
        layout.masks = {ReadField<DWORD>(dib, kMaskOffset), ReadField<DWORD>(dib, kMaskOffset + 4),
                        ReadField<DWORD>(dib, kMaskOffset + 8)};
    }
    const std::int64_t fullTable = std::int64_t{1} << layout.bitCount;
    if (layout.bitCount <= 8) {
        layout.storedEntries = layout.colorsUsed != 0 ? layout.colorsUsed : fullTable;
        layout.keptEntries = std::min(layout.storedEntries, fullTable);
    } else {
        // Deeper pictures may carry an optimisation palette, which the program has no use for.
        layout.storedEntries = layout.colorsUsed;
        layout.keptEntries = 0;
    }
    if (layout.tableOffset + layout.keptEntries * layout.tableEntrySize > size)
        return DibFault::ColorTableOutside;
    return DibFault::None;
}

DibFault LocateRows(std::int64_t size, std::optional<std::int64_t> bitsOffset, SourceLayout& layout) {
    if (bitsOffset) {
        if (*bitsOffset < layout.tableOffset + layout.keptEntries * layout.tableEntrySize)
            return DibFault::BitsOffset;
        layout.bitsOffset = *bitsOffset;
    } else {
        layout.bitsOffset = layout.tableOffset + layout.storedEntries * layout.tableEntrySize;
        if (layout.bitsOffset > size)
            return DibFault::ColorTableOutside;
    }
    if (layout.bitsOffset > size)
        return DibFault::RowsOutside;
    layout.rowBytes = DibRowBytes(layout.width, layout.bitCount);
    const bool compressed = layout.compression == BI_RLE8 || layout.compression == BI_RLE4;
    if (!compressed && layout.bitsOffset + layout.rowBytes * layout.height > size)
        return DibFault::RowsOutside;
    return DibFault::None;
}

DibFault ReadLayout(const BYTE* dib, std::int64_t size, std::optional<std::int64_t> bitsOffset,
                    SourceLayout& layout) {
    DibFault fault = ReadHeader(dib, size, layout);
    if (fault == DibFault::None)
        fault = CheckCompression(layout);
    if (fault == DibFault::None)
        fault = CheckSize(layout);
    if (fault == DibFault::None)
        fault = LocateColorTable(dib, size, layout);
    if (fault == DibFault::None)
        fault = LocateRows(size, bitsOffset, layout);
    return fault;
}

int TargetBitCount(const SourceLayout& layout) {
    if (layout.compression == BI_BITFIELDS)
        return layout.bitCount == 32 && IsPlain32BitMasks(layout.masks) ? 32 : 24;
    return layout.bitCount;
}

// biClrUsed of the result: the source's count when it is a real subset of the table, else 0 (full table).
DWORD TargetColorsUsed(const SourceLayout& layout) {
    if (layout.bitCount > 8 || layout.colorsUsed > (std::int64_t{1} << layout.bitCount))
        return 0;
    return static_cast<DWORD>(layout.colorsUsed);
}

DWORD TargetColorsImportant(const SourceLayout& layout) {
    return layout.colorsImportant <= layout.keptEntries ? static_cast<DWORD>(layout.colorsImportant) : 0;
}

bool IsProgramForm(const SourceLayout& layout) {
    return layout.headerSize == kInfoHeaderSize && layout.compression == BI_RGB && !layout.topDown &&
           layout.bitsOffset == layout.tableOffset + layout.keptEntries * 4;
}

NormalizedDib Accept(std::unique_ptr<BYTE[]> block, std::int64_t length) {
    return {std::move(block), static_cast<DWORD>(length), DibFault::None};
}

// A block already in the program's form stays where it is; only the counts in its header are set right.
NormalizedDib KeepInPlace(std::unique_ptr<BYTE[]> dib, const SourceLayout& layout) {
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(dib.get());
    const std::int64_t imageBytes = layout.rowBytes * layout.height;
    header->biSizeImage = static_cast<DWORD>(imageBytes);
    header->biClrUsed = TargetColorsUsed(layout);
    header->biClrImportant = TargetColorsImportant(layout);
    return Accept(std::move(dib), layout.bitsOffset + imageBytes);
}

void CopyColorTable(const BYTE* dib, const SourceLayout& layout, BYTE* target) {
    for (std::int64_t i = 0; i < layout.keptEntries; ++i) {
        const BYTE* entry = dib + layout.tableOffset + i * layout.tableEntrySize;
        std::memcpy(target + 4 * i, entry, 3);
        target[4 * i + 3] = layout.tableEntrySize == 4 ? entry[3] : 0;
    }
}

void CopyRows(const BYTE* dib, const SourceLayout& layout, int targetBitCount, BYTE* target,
              std::int64_t targetRowBytes) {
    for (std::int64_t y = 0; y < layout.height; ++y) {
        const std::int64_t sourceRow = layout.topDown ? layout.height - 1 - y : y;
        const BYTE* source = dib + layout.bitsOffset + sourceRow * layout.rowBytes;
        BYTE* row = target + y * targetRowBytes;
        if (layout.compression == BI_BITFIELDS && targetBitCount == 24)
            BitFieldRowTo24Bit(source, layout.bitCount, layout.masks, layout.width, row);
        else
            std::memcpy(row, source, static_cast<std::size_t>(layout.rowBytes));
    }
}

// Builds a new block in the program's form from any accepted source. A run-length source tells the highest
// colour index it wrote.
NormalizedDib Rebuild(const BYTE* dib, std::int64_t size, const SourceLayout& layout,
                      std::optional<std::int64_t>& highestIndex) {
    const int targetBitCount = TargetBitCount(layout);
    const std::int64_t targetRowBytes = DibRowBytes(layout.width, targetBitCount);
    const std::int64_t imageBytes = targetRowBytes * layout.height;
    const std::int64_t tableBytes = 4 * layout.keptEntries;
    const std::int64_t length = kInfoHeaderSize + tableBytes + imageBytes;
    auto block = std::make_unique<BYTE[]>(static_cast<std::size_t>(length));

    BITMAPINFOHEADER header{};
    header.biSize = kInfoHeaderSize;
    header.biWidth = static_cast<LONG>(layout.width);
    header.biHeight = static_cast<LONG>(layout.height);
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(targetBitCount);
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(imageBytes);
    header.biXPelsPerMeter = layout.xPelsPerMeter;
    header.biYPelsPerMeter = layout.yPelsPerMeter;
    header.biClrUsed = TargetColorsUsed(layout);
    header.biClrImportant = TargetColorsImportant(layout);
    std::memcpy(block.get(), &header, sizeof header);

    CopyColorTable(dib, layout, block.get() + kInfoHeaderSize);
    BYTE* rows = block.get() + kInfoHeaderSize + tableBytes;
    if (layout.compression == BI_RLE8 || layout.compression == BI_RLE4) {
        const std::span<const BYTE> encoded(dib + layout.bitsOffset,
                                            static_cast<std::size_t>(size - layout.bitsOffset));
        highestIndex =
            DecodeBmpRle(encoded, layout.bitCount, layout.width, layout.height, targetRowBytes, rows);
    } else {
        CopyRows(dib, layout, targetBitCount, rows, targetRowBytes);
    }
    return Accept(std::move(block), length);
}

// The highest colour index that a pixel of a paletted picture uses, a byte at a time.
std::int64_t HighestIndexUsed(const BITMAPINFOHEADER* header) {
    const int bitCount = header->biBitCount;
    const int topIndex = (1 << bitCount) - 1;
    std::array<BYTE, 256> highestInByte{};
    for (int byte = 0; byte < 256; ++byte)
        for (int shift = 0; shift < 8; shift += bitCount)
            highestInByte[byte] =
                std::max<BYTE>(highestInByte[byte], static_cast<BYTE>((byte >> shift) & topIndex));
    const std::int64_t rowBits = std::int64_t{header->biWidth} * bitCount;
    const std::int64_t fullBytes = rowBits / 8;
    // The pixels of a last, partly used byte sit in its high bits; the padding bits are masked off.
    const auto lastByteMask = static_cast<BYTE>(0xFF00 >> (rowBits % 8));
    const std::int64_t rowBytes = DibRowBytes(header->biWidth, bitCount);
    const BYTE* rows = DibBitsPtr(header);
    int highest = 0;
    for (std::int64_t y = 0; y < header->biHeight && highest < topIndex; ++y) {
        const BYTE* row = rows + y * rowBytes;
        for (std::int64_t i = 0; i < fullBytes; ++i)
            highest = std::max<int>(highest, highestInByte[row[i]]);
        if (rowBits % 8 != 0)
            highest = std::max<int>(highest, highestInByte[row[fullBytes] & lastByteMask]);
    }
    return highest;
}

// A pixel that points past a short colour table would make every reader of the table run off its end:
// such a picture gets the full table, the missing entries black.
NormalizedDib WidenColorTableIfNeeded(NormalizedDib dib, std::optional<std::int64_t> highestIndex) {
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(dib.block.get());
    if (header->biBitCount > 8 || header->biClrUsed == 0 ||
        header->biClrUsed >= (DWORD{1} << header->biBitCount))
        return dib;
    if ((highestIndex ? *highestIndex : HighestIndexUsed(header)) < header->biClrUsed)
        return dib;
    const std::int64_t oldTable = 4 * std::int64_t{header->biClrUsed};
    const std::int64_t newTable = 4 * (std::int64_t{1} << header->biBitCount);
    const std::int64_t imageBytes = dib.length - kInfoHeaderSize - oldTable;
    const std::int64_t length = kInfoHeaderSize + newTable + imageBytes;
    auto block = std::make_unique<BYTE[]>(static_cast<std::size_t>(length));
    std::memcpy(block.get(), dib.block.get(), static_cast<std::size_t>(kInfoHeaderSize + oldTable));
    std::memcpy(block.get() + kInfoHeaderSize + newTable, dib.block.get() + kInfoHeaderSize + oldTable,
                static_cast<std::size_t>(imageBytes));
    auto* widened = reinterpret_cast<BITMAPINFOHEADER*>(block.get());
    widened->biClrUsed = 0;
    return Accept(std::move(block), length);
}

} // namespace

NormalizedDib NormalizeExternalDib(std::unique_ptr<BYTE[]> dib, std::size_t size,
                                   std::optional<std::int64_t> bitsOffset) {
    if (!dib)
        return {nullptr, 0, DibFault::HeaderOutside};
    const auto blockSize = static_cast<std::int64_t>(size);
    SourceLayout layout;
    if (const DibFault fault = ReadLayout(dib.get(), blockSize, bitsOffset, layout); fault != DibFault::None)
        return {nullptr, 0, fault};
    std::optional<std::int64_t> highestIndex;
    NormalizedDib result = IsProgramForm(layout) ? KeepInPlace(std::move(dib), layout)
                                                 : Rebuild(dib.get(), blockSize, layout, highestIndex);
    return WidenColorTableIfNeeded(std::move(result), highestIndex);
}

NormalizedDib NormalizeExternalDib(std::span<const BYTE> dib, std::optional<std::int64_t> bitsOffset) {
    auto copy = std::make_unique_for_overwrite<BYTE[]>(dib.size());
    if (!dib.empty())
        std::memcpy(copy.get(), dib.data(), dib.size());
    return NormalizeExternalDib(std::move(copy), dib.size(), bitsOffset);
}

std::int64_t BmpFileBitsOffset(const BITMAPFILEHEADER& fileHeader) {
    return std::int64_t{fileHeader.bfOffBits} - std::int64_t{sizeof(BITMAPFILEHEADER)};
}

NormalizedDib NormalizeBmpFileImage(std::span<const BYTE> file) {
    if (file.size() < sizeof(BITMAPFILEHEADER))
        return {nullptr, 0, DibFault::HeaderOutside};
    BITMAPFILEHEADER fileHeader;
    std::memcpy(&fileHeader, file.data(), sizeof fileHeader);
    return NormalizeExternalDib(file.subspan(sizeof fileHeader), BmpFileBitsOffset(fileHeader));
}
