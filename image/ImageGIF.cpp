// Reading GIF files (GIF89a, which GIF87a files are a subset of): the header, the colour tables, the
// graphic control extension and the first image. Later images of an animation are not read: the first
// one is the picture as a viewer shows it first.

#include "image/ImageGIF.h"

#include "image/DibMemory.h"
#include "image/GifByteSource.h"
#include "image/GifLzwDecoder.h"
#include "image/ImagePalette.h"
#include "platform/base/File.h"

#include <array>
#include <cstring>

namespace {

constexpr BYTE kSignature[4] = {'G', 'I', 'F', '8'};
constexpr BYTE kExtensionIntroducer = 0x21;
constexpr BYTE kImageSeparator = 0x2C;
constexpr BYTE kGraphicControlLabel = 0xF9;
constexpr BYTE kGraphicControlSize = 4;
constexpr BYTE kTransparentFlag = 0x01;
constexpr BYTE kColourTableFlag = 0x80;
constexpr BYTE kInterlaceFlag = 0x40;
constexpr BYTE kColourTableSizeMask = 0x07;
// Bytes after the signature: version, logical screen width, height, flags, background, aspect.
constexpr std::size_t kHeaderRest = 9;
// Image descriptor after its separator: left, top, width, height, flags.
constexpr std::size_t kDescriptorSize = 9;
constexpr int kPaletteEntries = 256;

struct ColourTable {
    int count = 0;
    std::array<BYTE, 3 * kPaletteEntries> rgb{};
};

// 19. Global colour table / 21. Local colour table: 2^(size + 1) triples red, green, blue.
bool ReadColourTable(CGifByteSource& source, BYTE flags, ColourTable& table) {
    const int count = 1 << ((flags & kColourTableSizeMask) + 1);
    if (!source.Read(table.rgb.data(), static_cast<std::size_t>(3 * count)))
        return false;
    table.count = count;
    return true;
}

// 15. Data sub-blocks: size bytes, each followed by that many bytes, up to a size of 0.
bool SkipSubBlocks(CGifByteSource& source) {
    BYTE size = 0;
    while (source.Next(size) && size != 0) {
        if (!source.Skip(size))
            return false;
    }
    return size == 0;
}

// 23. Graphic control extension, after its label: block size 4, packed fields, delay time, transparent
// colour index, then the terminator among the sub-blocks skipped afterwards.
bool ReadGraphicControl(CGifByteSource& source, int& transparentIndex) {
    BYTE size = 0;
    BYTE fields[kGraphicControlSize];
    if (!source.Next(size) || size != kGraphicControlSize || !source.Read(fields, sizeof fields))
        return false;
    if (fields[0] & kTransparentFlag)
        transparentIndex = fields[3];
    return true;
}

// The table's colours; with a transparent index, 256 entries where that one is black, those past the
// table white, and at least one white, so that the masked draw finds its black and white.
void AttachPalette(CImageImpl& image, const ColourTable& table, int transparentIndex) {
    BYTE red[kPaletteEntries] = {}, green[kPaletteEntries] = {}, blue[kPaletteEntries] = {};
    for (int i = 0; i < table.count; ++i) {
        red[i] = table.rgb[3 * i];
        green[i] = table.rgb[3 * i + 1];
        blue[i] = table.rgb[3 * i + 2];
    }
    int count = table.count;
    if (transparentIndex >= 0) {
        red[transparentIndex] = green[transparentIndex] = blue[transparentIndex] = 0;
        std::memset(red + table.count, 255, kPaletteEntries - table.count);
        std::memset(green + table.count, 255, kPaletteEntries - table.count);
        std::memset(blue + table.count, 255, kPaletteEntries - table.count);
        bool hasWhite = false;
        for (int i = 0; i < kPaletteEntries; ++i)
            hasWhite = hasWhite || (red[i] == 255 && green[i] == 255 && blue[i] == 255);
        if (!hasWhite)
            red[kPaletteEntries - 1] = green[kPaletteEntries - 1] = blue[kPaletteEntries - 1] = 255;
        count = kPaletteEntries;
    }
    image.SetPalette(count, red, green, blue);
}

// 20. Image descriptor, 21. its local colour table, 22. table-based image data.
GifFault ReadImage(CGifByteSource& source, ColourTable& table, int transparentIndex, CImageImpl& image,
                   int& badCodes) {
    BYTE descriptor[kDescriptorSize];
    if (!source.Read(descriptor, sizeof descriptor))
        return GifFault::DescriptorCut;
    const int width = descriptor[4] | descriptor[5] << 8;
    const int height = descriptor[6] | descriptor[7] << 8;
    const BYTE flags = descriptor[8];
    if ((flags & kColourTableFlag) && !ReadColourTable(source, flags, table))
        return GifFault::ColourTableCut;
    if (width == 0 || height == 0)
        return GifFault::EmptyImage;
    if (!IsPictureSizeAllowed(width, height))
        return GifFault::TooLarge;

    if (!image.Create(width, height, 8, -1))
        return GifFault::OutOfMemory;
    image.SetTransparentIndex(transparentIndex);
    if (table.count > 0)
        AttachPalette(image, table, transparentIndex);
    CGifRowCursor rows(image, (flags & kInterlaceFlag) != 0);
    badCodes = DecodeGifData(source, rows).badCodes;
    return GifFault::None;
}

GifFault ReadFirstImage(CGifByteSource& source, CImageImpl& image, int& badCodes) {
    // 17. Header and 18. logical screen descriptor.
    BYTE signature[sizeof kSignature];
    if (!source.Read(signature, sizeof signature) ||
        std::memcmp(signature, kSignature, sizeof signature) != 0)
        return GifFault::Signature;
    BYTE header[kHeaderRest];
    if (!source.Read(header, sizeof header))
        return GifFault::HeaderCut;
    const BYTE screenFlags = header[6];
    ColourTable table;
    if ((screenFlags & kColourTableFlag) && !ReadColourTable(source, screenFlags, table))
        return GifFault::ColourTableCut;

    int transparentIndex = -1;
    BYTE introducer = 0;
    while (source.Next(introducer)) {
        if (introducer == kImageSeparator)
            return ReadImage(source, table, transparentIndex, image, badCodes);
        BYTE label = 0;
        if (introducer != kExtensionIntroducer || !source.Next(label))
            break;
        if (label == kGraphicControlLabel && !ReadGraphicControl(source, transparentIndex))
            return GifFault::GraphicControl;
        if (!SkipSubBlocks(source))
            break;
    }
    return GifFault::NoImage;
}

} // namespace

bool CImageGIF::Read(const CString& path) {
    if (!path.IsEmpty())
        SetPath(path);
    CFile file;
    if (!file.Open(GetPath(), CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary)) {
        m_lastFault = GifFault::Unreadable;
        return false;
    }
    CGifByteSource source(file);
    return ReadFrom(source) == GifFault::None;
}

GifFault CImageGIF::ReadFrom(CGifByteSource& source) {
    CImageImpl image;
    m_lastFault = ReadFirstImage(source, image, m_badCodes);
    if (m_lastFault == GifFault::None)
        TakeOver(image);
    return m_lastFault;
}
