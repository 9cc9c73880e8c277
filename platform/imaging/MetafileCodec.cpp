// Windows metafiles as files: recognition, size and our own writer. Layouts after [MS-WMF] 2.3.2 (the
// placeable header and the metafile header) and 2.3.5 (records), and [MS-EMF] 2.3.4.2 (the EMF header).

#include "platform/imaging/MetafileCodec.h"

#include "platform/base/ByteOrder.h"
#include "platform/base/DibLimits.h"
#include "platform/imaging/DepthConversion.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr DWORD kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kPlaceableSize = 22;
constexpr std::size_t kWmfHeaderSize = 18;
constexpr WORD kWmfHeaderWords = 9;
constexpr WORD kWmfVersion = 0x0300;
constexpr std::size_t kRecordHeaderSize = 6; // size in words, then the function
constexpr WORD kSetWindowOrg = 0x020B;
constexpr WORD kSetWindowExt = 0x020C;
constexpr WORD kStretchDib = 0x0F43;
constexpr WORD kEndOfFile = 0x0000;
constexpr DWORD kSrcCopy = 0x00CC0020;
constexpr int kUnitsPerInch = 96;

constexpr DWORD kEmrHeader = 1;
constexpr DWORD kEmfSignature = 0x464D4520; // " EMF"
constexpr std::size_t kEmfHeaderMinimum = 88;
constexpr double kHundredthMillimetresPerInch = 2540.0;

bool HasPlaceableHeader(std::span<const BYTE> file) {
    return file.size() >= kPlaceableSize && ReadLe32(file.data()) == kPlaceableKey;
}

// The metafile proper: after the placeable header when there is one, as long as its size field says, and
// at least its header; empty when the header is not one of a WMF or the size leaves the file.
std::span<const BYTE> WmfBody(std::span<const BYTE> file) {
    const std::span<const BYTE> body = HasPlaceableHeader(file) ? file.subspan(kPlaceableSize) : file;
    if (body.size() < kWmfHeaderSize)
        return {};
    const WORD type = ReadLe16(body.data());
    const WORD headerWords = ReadLe16(body.data() + 2);
    const std::uint64_t bytes = std::uint64_t{ReadLe32(body.data() + 6)} * 2;
    if ((type != 1 && type != 2) || headerWords != kWmfHeaderWords || bytes < kWmfHeaderSize ||
        bytes > body.size())
        return {};
    return body.first(static_cast<std::size_t>(bytes));
}

// The first window extent record's size, walking records that each stay inside the metafile.
bool FirstWindowExtent(std::span<const BYTE> body, int& width, int& height) {
    std::size_t at = kWmfHeaderSize;
    while (at + kRecordHeaderSize <= body.size()) {
        const std::uint64_t bytes = std::uint64_t{ReadLe32(body.data() + at)} * 2;
        const WORD function = ReadLe16(body.data() + at + 4);
        if (bytes < kRecordHeaderSize || bytes > body.size() - at || function == kEndOfFile)
            return false;
        if (function == kSetWindowExt && bytes >= kRecordHeaderSize + 4) {
            // The parameters come in reverse order: y extent, then x extent.
            height = std::abs(static_cast<short>(ReadLe16(body.data() + at + 6)));
            width = std::abs(static_cast<short>(ReadLe16(body.data() + at + 8)));
            return true;
        }
        at += static_cast<std::size_t>(bytes);
    }
    return false;
}

bool ReadWmfSize(std::span<const BYTE> file, int& width, int& height) {
    const std::span<const BYTE> body = WmfBody(file);
    if (body.empty())
        return false;
    if (!HasPlaceableHeader(file))
        return FirstWindowExtent(body, width, height);
    // Bounding box left, top, right, bottom, then units per inch.
    const BYTE* box = file.data() + 6;
    const int units = ReadLe16(box + 8);
    if (units == 0)
        return false;
    const int boxWidth = std::abs(static_cast<short>(ReadLe16(box + 4)) - static_cast<short>(ReadLe16(box)));
    const int boxHeight =
        std::abs(static_cast<short>(ReadLe16(box + 6)) - static_cast<short>(ReadLe16(box + 2)));
    width = static_cast<int>(std::lround(double(boxWidth) * kUnitsPerInch / units));
    height = static_cast<int>(std::lround(double(boxHeight) * kUnitsPerInch / units));
    return true;
}

// The frame, in hundredths of a millimetre, inclusive.
bool ReadEmfSize(std::span<const BYTE> file, int& width, int& height) {
    const BYTE* frame = file.data() + 24;
    const double frameWidth = double(std::int32_t(ReadLe32(frame + 8))) - std::int32_t(ReadLe32(frame));
    const double frameHeight = double(std::int32_t(ReadLe32(frame + 12))) - std::int32_t(ReadLe32(frame + 4));
    width =
        static_cast<int>(std::lround(std::abs(frameWidth) * kUnitsPerInch / kHundredthMillimetresPerInch));
    height =
        static_cast<int>(std::lround(std::abs(frameHeight) * kUnitsPerInch / kHundredthMillimetresPerInch));
    return true;
}

void AppendRecord(std::vector<BYTE>& file, WORD function, std::initializer_list<WORD> parameters) {
    AppendLe32(file, static_cast<DWORD>(3 + parameters.size()));
    AppendLe16(file, function);
    for (WORD parameter : parameters)
        AppendLe16(file, parameter);
}

} // namespace

bool IsWmfFile(std::span<const BYTE> file) {
    return !WmfBody(file).empty();
}

bool IsEmfFile(std::span<const BYTE> file) {
    return file.size() >= kEmfHeaderMinimum && ReadLe32(file.data()) == kEmrHeader &&
           ReadLe32(file.data() + 40) == kEmfSignature;
}

bool ReadMetafileInfo(std::span<const BYTE> file, ImagingFileInfo& info) {
    int width = 0, height = 0;
    const bool sized = IsEmfFile(file) ? ReadEmfSize(file, width, height) : ReadWmfSize(file, width, height);
    if (!sized || width <= 0 || height <= 0 || width > kMaxDibSide || height > kMaxDibSide)
        return false;
    info.width = width;
    info.height = height;
    info.bitsPerPixel = 24;
    info.compression = "None";
    return true;
}

int EncodeWmf(const CImagingBitmap& bitmap, int bitsPerPixel, std::vector<BYTE>& file) {
    if (bitsPerPixel == 0)
        bitsPerPixel = bitmap.GetBitsPerPixel() > 8 ? 24 : 8;
    const int width = bitmap.GetWidth(), height = bitmap.GetHeight();
    // Sizes go into 16-bit signed fields.
    if ((bitsPerPixel != 8 && bitsPerPixel != 24) || width > 0x7FFF || height > 0x7FFF)
        return kImagingErrorFormat;
    const std::vector<BYTE> dib = ConvertedDib(bitmap, bitsPerPixel, bitsPerPixel == 8 ? 256 : 0);
    if (dib.empty() || dib.size() % 2 != 0)
        return kImagingErrorMemory;
    const DWORD dibRecordWords = static_cast<DWORD>(3 + 2 + 9 + dib.size() / 2);

    file.clear();
    // Placeable header: key, handle, bounding box, units per inch, reserved, checksum of the ten words.
    AppendLe32(file, kPlaceableKey);
    for (WORD word :
         {WORD(0), WORD(0), WORD(0), WORD(width), WORD(height), WORD(kUnitsPerInch), WORD(0), WORD(0)})
        AppendLe16(file, word);
    WORD checksum = 0;
    for (std::size_t i = 0; i < 20; i += 2)
        checksum ^= ReadLe16(file.data() + i);
    AppendLe16(file, checksum);

    // Metafile header: on disk, 9 words, version 3, size in words, no objects, largest record, no parameters.
    const DWORD words = kWmfHeaderWords + 5 + 5 + dibRecordWords + 3;
    AppendLe16(file, 2);
    AppendLe16(file, kWmfHeaderWords);
    AppendLe16(file, kWmfVersion);
    AppendLe32(file, words);
    AppendLe16(file, 0);
    AppendLe32(file, dibRecordWords);
    AppendLe16(file, 0);

    AppendRecord(file, kSetWindowOrg, {0, 0});
    AppendRecord(file, kSetWindowExt, {WORD(height), WORD(width)});
    // Stretch-DIB: raster operation, colour usage, source height, width, y, x, destination height,
    // width, y, x, then the packed DIB.
    AppendLe32(file, dibRecordWords);
    AppendLe16(file, kStretchDib);
    AppendLe32(file, kSrcCopy);
    for (WORD word :
         {WORD(0), WORD(height), WORD(width), WORD(0), WORD(0), WORD(height), WORD(width), WORD(0), WORD(0)})
        AppendLe16(file, word);
    file.insert(file.end(), dib.begin(), dib.end());
    AppendRecord(file, kEndOfFile, {});
    return kImagingSuccess;
}
