#include "platform/imaging/TiffCodec.h"

#include "platform/imaging/DeflateLimits.h"
#include "platform/imaging/DepthConversion.h"
#include "platform/imaging/MagickReader.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <tiffio.h>

namespace {

// No single allocation of libtiff may exceed this: a strip of the largest picture of 32 bits.
constexpr tmsize_t kMaxTiffAllocation = tmsize_t{kMaxDibPixels} * 4;

// A file image in memory that libtiff reads from, or a growing block it writes into.
struct MemoryStream {
    const BYTE* data = nullptr;
    std::vector<BYTE>* out = nullptr;
    std::size_t size = 0;
    std::size_t offset = 0;
};

MemoryStream& StreamOf(thandle_t handle) {
    return *static_cast<MemoryStream*>(handle);
}

tmsize_t ReadStream(thandle_t handle, void* buffer, tmsize_t count) {
    MemoryStream& s = StreamOf(handle);
    if (count < 0 || s.offset > s.size)
        return -1;
    const std::size_t n = std::min(std::size_t(count), s.size - s.offset);
    std::memcpy(buffer, (s.out ? s.out->data() : s.data) + s.offset, n);
    s.offset += n;
    return tmsize_t(n);
}

tmsize_t WriteStream(thandle_t handle, void* buffer, tmsize_t count) {
    MemoryStream& s = StreamOf(handle);
    if (!s.out || count < 0)
        return -1;
    try {
        if (s.offset + std::size_t(count) > s.out->size())
            s.out->resize(s.offset + std::size_t(count));
    } catch (const std::bad_alloc&) {
        return -1;
    }
    std::memcpy(s.out->data() + s.offset, buffer, std::size_t(count));
    s.offset += std::size_t(count);
    s.size = std::max(s.size, s.offset);
    return count;
}

toff_t SeekStream(thandle_t handle, toff_t offset, int whence) {
    MemoryStream& s = StreamOf(handle);
    std::uint64_t base = 0;
    if (whence == SEEK_CUR)
        base = s.offset;
    else if (whence == SEEK_END)
        base = s.size;
    const std::uint64_t target = base + offset;
    // Reading never goes past the end; writing may leave a gap that the next write fills.
    if (target < base || (!s.out && target > s.size) || target > std::uint64_t{1} << 40)
        return toff_t(-1);
    s.offset = std::size_t(target);
    return target;
}

int CloseStream(thandle_t) {
    return 0;
}

toff_t StreamSize(thandle_t handle) {
    return StreamOf(handle).size;
}

int MapNothing(thandle_t, void**, toff_t*) {
    return 0;
}

void UnmapNothing(thandle_t, void*, toff_t) {}

int IgnoreMessage(TIFF*, void*, const char*, const char*, va_list) {
    return 1; // handled: nothing reaches libtiff's global handlers
}

struct TiffCloser {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
using TiffHandle = std::unique_ptr<TIFF, TiffCloser>;

TiffHandle OpenStream(MemoryStream& stream, const char* mode) {
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    if (!options)
        return nullptr;
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, kMaxTiffAllocation);
    TIFFOpenOptionsSetErrorHandlerExtR(options, IgnoreMessage, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options, IgnoreMessage, nullptr);
    TIFF* tiff = TIFFClientOpenExt("memory", mode, &stream, ReadStream, WriteStream, SeekStream, CloseStream,
                                   StreamSize, MapNothing, UnmapNothing, options);
    TIFFOpenOptionsFree(options);
    return TiffHandle(tiff);
}

// The tags that decide how a page is read.
struct TiffPage {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint16_t bitsPerSample = 1;
    std::uint16_t samplesPerPixel = 1;
    std::uint16_t photometric = PHOTOMETRIC_MINISWHITE;
    std::uint16_t compression = COMPRESSION_NONE;
    std::uint16_t sampleFormat = SAMPLEFORMAT_UINT;
    bool hasAlpha = false;
    bool tiled = false;
};

TiffPage ReadPage(TIFF* tiff) {
    TiffPage page;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &page.width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &page.height);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &page.bitsPerSample);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &page.samplesPerPixel);
    if (!TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &page.photometric))
        page.photometric = page.samplesPerPixel >= 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_COMPRESSION, &page.compression);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLEFORMAT, &page.sampleFormat);
    std::uint16_t extraCount = 0;
    std::uint16_t* extra = nullptr;
    if (TIFFGetField(tiff, TIFFTAG_EXTRASAMPLES, &extraCount, &extra) && extra)
        for (std::uint16_t i = 0; i < extraCount; ++i)
            if (extra[i] == EXTRASAMPLE_ASSOCALPHA || extra[i] == EXTRASAMPLE_UNASSALPHA)
                page.hasAlpha = true;
    page.tiled = TIFFIsTiled(tiff) != 0;
    return page;
}

bool IsNativePage(const TiffPage& page) {
    const bool grey =
        page.photometric == PHOTOMETRIC_MINISBLACK || page.photometric == PHOTOMETRIC_MINISWHITE;
    const bool palette = page.photometric == PHOTOMETRIC_PALETTE;
    const int bits = page.bitsPerSample;
    return !page.tiled && page.samplesPerPixel == 1 && page.sampleFormat == SAMPLEFORMAT_UINT &&
           ((grey && (bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16)) ||
            (palette && (bits == 1 || bits == 2 || bits == 4 || bits == 8)));
}

int DibDepthOf(const TiffPage& page) {
    if (IsNativePage(page)) {
        if (page.photometric == PHOTOMETRIC_PALETTE)
            return page.bitsPerSample == 2 ? 4 : page.bitsPerSample;
        return page.bitsPerSample == 1 ? 1 : 8;
    }
    return page.hasAlpha ? 32 : 24;
}

const char* CompressionName(std::uint16_t compression) {
    switch (compression) {
    case COMPRESSION_NONE:
        return "None";
    case COMPRESSION_CCITTRLE:
    case COMPRESSION_CCITTRLEW:
    case COMPRESSION_CCITTFAX3:
    case COMPRESSION_CCITTFAX4:
        return "CCITT";
    case COMPRESSION_LZW:
        return "LZW";
    case COMPRESSION_OJPEG:
    case COMPRESSION_JPEG:
        return "JPEG";
    case COMPRESSION_ADOBE_DEFLATE:
    case COMPRESSION_DEFLATE:
        return "Deflate";
    case COMPRESSION_PACKBITS:
        return "PackBits";
    default:
        return "Other";
    }
}

std::vector<RGBQUAD> NativePalette(TIFF* tiff, const TiffPage& page, int dibDepth) {
    std::vector<RGBQUAD> palette(std::size_t{1} << dibDepth, RGBQUAD{0, 0, 0, 0});
    const std::size_t fileEntries = std::size_t{1} << page.bitsPerSample;
    if (page.photometric == PHOTOMETRIC_PALETTE) {
        std::uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;
        if (!TIFFGetField(tiff, TIFFTAG_COLORMAP, &red, &green, &blue) || !red || !green || !blue)
            return {};
        // Some writers store 8-bit values in the 16-bit colour map.
        bool eightBit = true;
        for (std::size_t i = 0; i < fileEntries; ++i)
            eightBit = eightBit && red[i] < 256 && green[i] < 256 && blue[i] < 256;
        // Writers make 16-bit levels as 257 times the 8-bit ones.
        auto level = [&](std::uint16_t v) { return BYTE(eightBit ? v : v / 257); };
        for (std::size_t i = 0; i < fileEntries; ++i)
            palette[i] = RGBQUAD{level(blue[i]), level(green[i]), level(red[i]), 0};
        return palette;
    }
    const bool inverted = page.photometric == PHOTOMETRIC_MINISWHITE;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const BYTE grey = BYTE(palette.size() == 2 ? i * 255 : i);
        palette[i] = RGBQUAD{BYTE(inverted ? 255 - grey : grey), BYTE(inverted ? 255 - grey : grey),
                             BYTE(inverted ? 255 - grey : grey), 0};
    }
    return palette;
}

// The fewest coded bytes from which a codec can make `decoded` bytes of `rows` rows of `width` pixels:
// its largest expansion. Codecs not listed here are given no bound but one byte.
std::uint64_t LeastCodedBytes(std::uint16_t compression, std::uint64_t decoded, std::uint64_t rows,
                              std::uint64_t width) {
    if (decoded == 0)
        return 0;
    switch (compression) {
    case COMPRESSION_NONE:
        return decoded;
    case COMPRESSION_PACKBITS: // two bytes repeat one up to 128 times
        return (decoded + 63) / 64;
    case COMPRESSION_LZW: // a code of at least 9 bits stands for at most 4096 bytes
        return (decoded * 9 + 4096 * 8 - 1) / (4096 * 8);
    case COMPRESSION_ADOBE_DEFLATE:
    case COMPRESSION_DEFLATE:
        return (decoded + kLargestDeflateRatio - 1) / kLargestDeflateRatio;
    case COMPRESSION_CCITTRLE:
    case COMPRESSION_CCITTRLEW:
    case COMPRESSION_CCITTFAX3:
    case COMPRESSION_CCITTFAX4: // a row like the one above costs a single bit
        return (rows + 7) / 8;
    case COMPRESSION_JPEG: // every block of 8 x 8 pixels costs at least a bit
        return ((width + 7) / 8 * ((rows + 7) / 8) + 7) / 8;
    default:
        return 1;
    }
}

// Every strip or tile lies inside the file and is large enough to decode to the rows it claims: a
// tiny file that claims a huge picture is refused before room for the picture is made.
bool StripsFitTheFile(TIFF* tiff, const TiffPage& page, std::size_t fileBytes) {
    const std::uint32_t count = TIFFNumberOfStrips(tiff);
    if (count == 0)
        return false;
    std::uint32_t rowsPerStrip = 0, tileWidth = 0, tileHeight = 0;
    if (page.tiled) {
        TIFFGetField(tiff, TIFFTAG_TILEWIDTH, &tileWidth);
        TIFFGetField(tiff, TIFFTAG_TILELENGTH, &tileHeight);
    } else {
        TIFFGetFieldDefaulted(tiff, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
        rowsPerStrip = std::clamp<std::uint32_t>(rowsPerStrip, 1, page.height);
    }
    const std::uint32_t stripsPerPlane = page.tiled ? count : (page.height - 1) / rowsPerStrip + 1;
    for (std::uint32_t strip = 0; strip < count; ++strip) {
        int error = 0;
        const std::uint64_t offset = TIFFGetStrileOffsetWithErr(tiff, strip, &error);
        const std::uint64_t bytes = TIFFGetStrileByteCountWithErr(tiff, strip, &error);
        if (error || offset > fileBytes || bytes > fileBytes - offset)
            return false;
        std::uint64_t rows = tileHeight, width = tileWidth, decoded = 0;
        if (page.tiled) {
            decoded = std::uint64_t(TIFFTileSize64(tiff));
        } else {
            const std::uint32_t first = strip % stripsPerPlane * rowsPerStrip;
            rows = first < page.height ? std::min(rowsPerStrip, page.height - first) : 0;
            width = page.width;
            decoded = std::uint64_t(TIFFVStripSize64(tiff, std::uint32_t(rows)));
        }
        if (bytes < LeastCodedBytes(page.compression, decoded, rows, width))
            return false;
    }
    return true;
}

// One row of a bilevel, palette or grey page moved into the DIB's own form.
void NativeRowToDib(const BYTE* in, int width, int bits, int depth, std::int64_t neededLineBytes, BYTE* out) {
    if (bits == depth) { // 1, 4 or 8 bits: the same packing as the DIB
        std::memcpy(out, in, std::size_t(neededLineBytes));
        return;
    }
    for (int x = 0; x < width; ++x) {
        if (bits == 2) {
            const int value = (in[x >> 2] >> (6 - 2 * (x & 3))) & 3;
            if (depth == 4)
                out[x >> 1] |= BYTE((x & 1) ? value : value << 4);
            else
                out[x] = BYTE(value * 85);
        } else if (bits == 4) { // grey
            out[x] = BYTE(((in[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F) * 17);
        } else { // 16-bit grey, in the machine's byte order after libtiff's swapping
            std::uint16_t value;
            std::memcpy(&value, in + 2 * x, 2);
            out[x] = BYTE(value >> 8);
        }
    }
}

// Bilevel, palette and grey pages read row by row: rowTarget(y) gives where row y goes in the DIB's own
// form, rowDone(y) follows once it is there.
template <typename RowTarget, typename RowDone>
bool ReadNativeRows(TIFF* tiff, const TiffPage& page, int depth, RowTarget rowTarget, RowDone rowDone) {
    const tmsize_t lineBytes = TIFFScanlineSize(tiff);
    const std::int64_t neededLineBytes = (std::int64_t{page.width} * page.bitsPerSample + 7) / 8;
    if (lineBytes < neededLineBytes)
        return false;
    std::vector<BYTE> line(static_cast<std::size_t>(lineBytes));
    for (std::uint32_t y = 0; y < page.height; ++y) {
        if (TIFFReadScanline(tiff, line.data(), y, 0) < 0)
            return false;
        NativeRowToDib(line.data(), int(page.width), page.bitsPerSample, depth, neededLineBytes,
                       rowTarget(y));
        rowDone(y);
    }
    return true;
}

// The picture is the only large block.
bool DecodeNative(TIFF* tiff, const TiffPage& page, CImagingBitmap& bitmap) {
    const int width = int(page.width), height = int(page.height);
    const int depth = DibDepthOf(page);
    std::vector<RGBQUAD> palette = NativePalette(tiff, page, depth);
    if (palette.empty())
        return false;
    std::vector<BYTE> dib = MakeDib(width, height, depth, palette);
    BYTE* bottom = DibBottomRow(dib);
    const std::int64_t dibRowBytes = DibRowBytes(width, depth);
    auto rowTarget = [&](std::uint32_t y) { return bottom + dibRowBytes * (height - 1 - std::int64_t{y}); };
    if (!ReadNativeRows(tiff, page, depth, rowTarget, [](std::uint32_t) {}))
        return false;
    bitmap.Attach(std::move(dib));
    return true;
}

// The index of pixel x of a DIB row of 1, 4 or 8 bits.
int IndexAt(const BYTE* row, int depth, int x) {
    if (depth == 8)
        return row[x];
    if (depth == 4)
        return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F;
    return (row[x >> 3] >> (7 - (x & 7))) & 1;
}

// Native pages row by row through one DIB row, handed on as grey where every palette entry is grey, else
// as blue-green-red.
bool StreamNative(TIFF* tiff, const TiffPage& page, CRowReceiver& receiver) {
    const int width = int(page.width);
    const int depth = DibDepthOf(page);
    const std::vector<RGBQUAD> palette = NativePalette(tiff, page, depth);
    if (palette.empty())
        return false;
    const bool grey = std::all_of(palette.begin(), palette.end(), [](const RGBQUAD& q) {
        return q.rgbRed == q.rgbGreen && q.rgbGreen == q.rgbBlue;
    });
    const int channels = grey ? 1 : 3;
    std::vector<BYTE> dibRow(std::size_t(DibRowBytes(width, depth)));
    std::vector<BYTE> pixels(std::size_t(width) * std::size_t(channels));
    receiver.Begin(width, int(page.height), channels);
    auto rowTarget = [&](std::uint32_t) {
        std::fill(dibRow.begin(), dibRow.end(), BYTE(0));
        return dibRow.data();
    };
    auto rowDone = [&](std::uint32_t) {
        BYTE* out = pixels.data();
        for (int x = 0; x < width; ++x) {
            const RGBQUAD& entry = palette[std::size_t(IndexAt(dibRow.data(), depth, x))];
            if (grey) {
                *out++ = entry.rgbBlue;
            } else {
                *out++ = entry.rgbBlue, *out++ = entry.rgbGreen, *out++ = entry.rgbRed;
            }
        }
        receiver.Row(pixels.data());
    };
    return ReadNativeRows(tiff, page, depth, rowTarget, rowDone);
}

// Everything else through libtiff's RGBA reader, rows bottom first as the DIB has them.
bool DecodeRgba(TIFF* tiff, const TiffPage& page, CImagingBitmap& bitmap) {
    char message[1024] = {};
    if (!TIFFRGBAImageOK(tiff, message))
        return false;
    TIFFRGBAImage image;
    if (!TIFFRGBAImageBegin(&image, tiff, 1, message))
        return false;
    // The file's own orientation is ignored; rows come bottom first.
    image.req_orientation = ORIENTATION_BOTLEFT;
    image.orientation = ORIENTATION_TOPLEFT;
    const std::size_t pixels = std::size_t(page.width) * page.height;
    // Left uninitialised: a file that claims a large picture and fails early touches little memory.
    std::unique_ptr<std::uint32_t[]> raster(new (std::nothrow) std::uint32_t[pixels]);
    const bool read = raster && TIFFRGBAImageGet(&image, raster.get(), page.width, page.height) != 0;
    const bool alpha = image.alpha != 0;
    TIFFRGBAImageEnd(&image);
    if (!read)
        return false;

    const int width = int(page.width), height = int(page.height);
    const int depth = alpha ? 32 : 24;
    std::vector<BYTE> dib = MakeDib(width, height, depth, {});
    std::vector<BYTE> alphaBytes(alpha ? pixels : 0);
    BYTE* bottom = DibBottomRow(dib);
    const std::int64_t rowBytes = DibRowBytes(width, depth);
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* in = raster.get() + std::size_t(y) * page.width;
        BYTE* out = bottom + rowBytes * y;
        for (int x = 0; x < width; ++x, out += depth / 8) {
            const std::uint32_t p = in[x];
            int red = int(TIFFGetR(p)), green = int(TIFFGetG(p)), blue = int(TIFFGetB(p));
            if (alpha) {
                // The RGBA reader premultiplies; the DIB keeps plain colours.
                const int a = int(TIFFGetA(p));
                if (a != 0 && a != 255) {
                    red = std::min(255, (red * 255 + a / 2) / a);
                    green = std::min(255, (green * 255 + a / 2) / a);
                    blue = std::min(255, (blue * 255 + a / 2) / a);
                }
                out[3] = BYTE(a);
                alphaBytes[std::size_t(y) * std::size_t(width) + std::size_t(x)] = BYTE(a);
            }
            out[0] = BYTE(blue), out[1] = BYTE(green), out[2] = BYTE(red);
        }
    }
    bitmap.Attach(std::move(dib), std::move(alphaBytes));
    return true;
}

} // namespace

bool IsTiffFile(std::span<const BYTE> file) {
    return file.size() >= 4 &&
           ((file[0] == 'I' && file[1] == 'I' && (file[2] == 42 || file[2] == 43) && file[3] == 0) ||
            (file[0] == 'M' && file[1] == 'M' && file[2] == 0 && (file[3] == 42 || file[3] == 43)));
}

bool ReadTiffInfo(std::span<const BYTE> file, ImagingFileInfo& info) {
    MemoryStream stream{file.data(), nullptr, file.size(), 0};
    TiffHandle tiff = OpenStream(stream, "r");
    if (!tiff)
        return false;
    const TiffPage page = ReadPage(tiff.get());
    info.width = int(std::min<std::uint32_t>(page.width, 0x7FFFFFFF));
    info.height = int(std::min<std::uint32_t>(page.height, 0x7FFFFFFF));
    info.bitsPerPixel = DibDepthOf(page);
    info.compression = CompressionName(page.compression);
    info.hasTransparency = page.hasAlpha;
    return true;
}

bool DecodeTiff(std::span<const BYTE> file, CImagingBitmap& bitmap) {
    MemoryStream stream{file.data(), nullptr, file.size(), 0};
    TiffHandle tiff = OpenStream(stream, "r");
    if (!tiff)
        return false;
    const TiffPage page = ReadPage(tiff.get());
    if (!IsDibSizeAllowed(page.width, page.height) || !StripsFitTheFile(tiff.get(), page, file.size()))
        return false;
    // libtiff's RGBA reader takes whole numbers only; GraphicsMagick reads floating-point samples.
    if (page.sampleFormat == SAMPLEFORMAT_IEEEFP)
        return DecodeWithMagick(file, kFormatTiff, DibDepthOf(page), bitmap);
    return IsNativePage(page) ? DecodeNative(tiff.get(), page, bitmap) : DecodeRgba(tiff.get(), page, bitmap);
}

RowStreaming StreamTiffRows(std::span<const BYTE> file, CRowReceiver& receiver) {
    MemoryStream stream{file.data(), nullptr, file.size(), 0};
    TiffHandle tiff = OpenStream(stream, "r");
    if (!tiff)
        return RowStreaming::Failed;
    const TiffPage page = ReadPage(tiff.get());
    if (!IsNativePage(page))
        return RowStreaming::NotStreamable;
    if (!IsDibSizeAllowed(page.width, page.height) || !StripsFitTheFile(tiff.get(), page, file.size()))
        return RowStreaming::Failed;
    return StreamNative(tiff.get(), page, receiver) ? RowStreaming::Done : RowStreaming::Failed;
}

namespace {

struct TiffLayout {
    int bitsPerSample;
    int samplesPerPixel;
    int photometric;
};

bool WritePage(TIFF* tiff, const DibLayout& dib, const TiffLayout& layout, const std::vector<BYTE>& alpha) {
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, std::uint32_t(dib.width));
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, std::uint32_t(dib.height));
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, std::uint16_t(layout.bitsPerSample));
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, std::uint16_t(layout.samplesPerPixel));
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, std::uint16_t(layout.photometric));
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, std::uint16_t(PLANARCONFIG_CONTIG));
    TIFFSetField(tiff, TIFFTAG_ORIENTATION, std::uint16_t(ORIENTATION_TOPLEFT));
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, std::uint16_t(COMPRESSION_LZW));
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tiff, 0));
    if (layout.samplesPerPixel == 4) {
        const std::uint16_t extra[] = {EXTRASAMPLE_UNASSALPHA};
        TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, std::uint16_t(1), extra);
    }
    std::vector<std::uint16_t> colourMap;
    if (layout.photometric == PHOTOMETRIC_PALETTE) {
        const std::size_t entries = std::size_t{1} << layout.bitsPerSample;
        colourMap.assign(3 * entries, 0);
        for (std::size_t i = 0; i < entries && i < std::size_t(dib.paletteEntries); ++i) {
            colourMap[i] = std::uint16_t(dib.palette[i].rgbRed * 257);
            colourMap[entries + i] = std::uint16_t(dib.palette[i].rgbGreen * 257);
            colourMap[2 * entries + i] = std::uint16_t(dib.palette[i].rgbBlue * 257);
        }
        TIFFSetField(tiff, TIFFTAG_COLORMAP, colourMap.data(), colourMap.data() + entries,
                     colourMap.data() + 2 * entries);
    }

    const std::size_t lineBytes =
        (std::size_t(dib.width) * std::size_t(layout.bitsPerSample * layout.samplesPerPixel) + 7) / 8;
    std::vector<BYTE> line(lineBytes);
    for (int y = 0; y < dib.height; ++y) {
        const int dibRow = dib.height - 1 - y;
        const BYTE* in = dib.Row(dibRow);
        std::fill(line.begin(), line.end(), 0);
        for (int x = 0; x < dib.width; ++x) {
            if (layout.bitsPerSample == 2) { // from 4-bit indexes
                const int index = (in[x >> 1] >> ((x & 1) ? 0 : 4)) & 3;
                line[std::size_t(x >> 2)] |= BYTE(index << (6 - 2 * (x & 3)));
            } else if (layout.samplesPerPixel >= 3) {
                const BYTE* p = in + std::ptrdiff_t(x) * (dib.bitsPerPixel / 8);
                BYTE* q = line.data() + std::size_t(x) * std::size_t(layout.samplesPerPixel);
                q[0] = p[2], q[1] = p[1], q[2] = p[0];
                if (layout.samplesPerPixel == 4)
                    q[3] = alpha.empty()
                               ? 255
                               : alpha[std::size_t(dibRow) * std::size_t(dib.width) + std::size_t(x)];
            }
        }
        if (layout.bitsPerSample != 2 && layout.samplesPerPixel == 1)
            std::memcpy(line.data(), in, lineBytes); // 1, 4 and 8 bits pack like the DIB
        if (TIFFWriteScanline(tiff, line.data(), std::uint32_t(y), 0) < 0)
            return false;
    }
    return TIFFWriteDirectory(tiff) != 0;
}

} // namespace

int EncodeTiff(const CImagingBitmap& bitmap, int bitsPerPixel, std::vector<BYTE>& file) {
    if (bitsPerPixel == 0)
        bitsPerPixel = bitmap.GetBitsPerPixel();
    CImagingBitmap prepared;
    TiffLayout layout{8, 3, PHOTOMETRIC_RGB};
    if (bitsPerPixel >= 1 && bitsPerPixel <= 8) {
        // Bits a pixel as stored; 2-bit pixels are made at 4 bits with 4 colours and packed on writing.
        static constexpr int kStoredBits[] = {0, 1, 2, 4, 4, 8, 8, 8, 8};
        const int stored = kStoredBits[bitsPerPixel];
        layout = TiffLayout{stored, 1, PHOTOMETRIC_PALETTE};
        prepared.Attach(ConvertedDib(bitmap, stored == 2 ? 4 : stored, 1 << bitsPerPixel));
    } else if (bitsPerPixel == 16) {
        // 5 bits a channel, stored in a 24-bit file: TIFF has no 5-5-5 pixels that readers agree on.
        CImagingBitmap highColour;
        highColour.Attach(ConvertedDib(bitmap, 16, 0));
        prepared.Attach(ConvertedDib(highColour, 24, 0));
    } else if (bitsPerPixel == 24) {
        prepared.Attach(ConvertedDib(bitmap, 24, 0));
    } else if (bitsPerPixel == 32) {
        layout.samplesPerPixel = 4;
        prepared.Attach(ConvertedDib(bitmap, 24, 0));
    } else {
        return kImagingErrorFormat;
    }

    DibLayout dib;
    const std::vector<BYTE>& block = prepared.GetDib();
    if (!ReadDibLayout(reinterpret_cast<const BITMAPINFOHEADER*>(block.data()), block.size(), dib))
        return kImagingErrorMemory;
    std::vector<BYTE> out;
    MemoryStream stream{nullptr, &out, 0, 0};
    TiffHandle tiff = OpenStream(stream, "w");
    if (!tiff)
        return kImagingErrorMemory;
    if (!WritePage(tiff.get(), dib, layout, bitmap.GetAlpha()))
        return kImagingErrorMemory;
    tiff.reset(); // closing writes the last of the file
    file = std::move(out);
    return kImagingSuccess;
}
