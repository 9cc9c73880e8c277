#include "platform/imaging/PngCodec.h"

#include "platform/imaging/DeflateLimits.h"
#include "platform/imaging/DepthConversion.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <png.h>

namespace {

constexpr BYTE kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// Ancillary chunks the decoder has no use for. libpng allocates a text chunk at the length its header
// claims before reading it, so a hostile file could make it ask for gigabytes; skipped chunks are only
// read past.
constexpr png_byte kSkippedChunks[] = "bKGD\0cHRM\0eXIf\0gAMA\0hIST\0iCCP\0iTXt\0oFFs\0pCAL\0pHYs\0"
                                      "sBIT\0sCAL\0sPLT\0sRGB\0tEXt\0tIME\0zTXt";

[[noreturn]] void LeaveOnError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp) {}

// The facts of a file's header, gathered inside the guarded call.
struct PngHeader {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 0;
    int colourType = 0;
    int interlace = 0;
    int paletteEntries = 0;
    png_color palette[256] = {};
    bool hasTransparency = false;
    int transparentEntries = 0;
    BYTE entryAlpha[256] = {};
};

struct PngReader {
    png_structp png = nullptr;
    png_infop info = nullptr;
    const BYTE* data = nullptr;
    std::size_t size = 0;
    std::size_t offset = 0;
    PngHeader header;

    ~PngReader() {
        if (png)
            png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    }
};

void ReadFromMemory(png_structp png, png_bytep out, std::size_t count) {
    auto* reader = static_cast<PngReader*>(png_get_io_ptr(png));
    if (count > reader->size - reader->offset)
        png_error(png, "cut short");
    std::memcpy(out, reader->data + reader->offset, count);
    reader->offset += count;
}

bool ReadHeader(PngReader& r) {
    r.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, LeaveOnError, IgnoreWarning);
    if (!r.png)
        return false;
    r.info = png_create_info_struct(r.png);
    if (!r.info)
        return false;
    if (setjmp(png_jmpbuf(r.png)))
        return false;
    png_set_read_fn(r.png, &r, ReadFromMemory);
    png_set_user_limits(r.png, png_uint_32(kMaxDibSide), png_uint_32(kMaxDibSide));
    png_set_keep_unknown_chunks(r.png, PNG_HANDLE_CHUNK_NEVER, nullptr, 0);
    png_set_keep_unknown_chunks(r.png, PNG_HANDLE_CHUNK_NEVER, kSkippedChunks,
                                int(sizeof kSkippedChunks / 5));
    png_read_info(r.png, r.info);
    PngHeader& h = r.header;
    png_get_IHDR(r.png, r.info, &h.width, &h.height, &h.bitDepth, &h.colourType, &h.interlace, nullptr,
                 nullptr);
    png_colorp palette = nullptr;
    if (png_get_PLTE(r.png, r.info, &palette, &h.paletteEntries) != 0) {
        h.paletteEntries = std::clamp(h.paletteEntries, 0, 256);
        std::memcpy(h.palette, palette, sizeof(png_color) * std::size_t(h.paletteEntries));
    }
    png_bytep alpha = nullptr;
    png_color_16p colour = nullptr;
    if (png_get_tRNS(r.png, r.info, &alpha, &h.transparentEntries, &colour) != 0) {
        h.hasTransparency = true;
        h.transparentEntries = std::clamp(h.transparentEntries, 0, 256);
        if (alpha && h.colourType == PNG_COLOR_TYPE_PALETTE)
            std::memcpy(h.entryAlpha, alpha, std::size_t(h.transparentEntries));
    }
    if (h.colourType & PNG_COLOR_MASK_ALPHA)
        h.hasTransparency = true;
    return true;
}

// How the rows come out of libpng and where they go.
enum class Output {
    Indexes,     // palette or 1-bit grey indexes at the DIB's depth, straight into the DIB
    WideIndexes, // 2-bit palette indexes, one a byte, widened to 4 bits afterwards
    Grey,        // 8-bit grey into an 8-bit DIB
    GreyAlpha,   // grey and alpha bytes, split afterwards
    Bgr,         // straight into a 24-bit DIB
    BgrAlpha,    // blue, green, red, alpha, split afterwards (a transparent colour)
    Bgra,        // straight into a 32-bit DIB
};

Output OutputOf(const PngHeader& h) {
    switch (h.colourType) {
    case PNG_COLOR_TYPE_PALETTE:
        return h.bitDepth == 2 ? Output::WideIndexes : Output::Indexes;
    case PNG_COLOR_TYPE_GRAY:
        if (h.hasTransparency)
            return Output::GreyAlpha;
        return h.bitDepth == 1 ? Output::Indexes : Output::Grey;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
    case PNG_COLOR_TYPE_RGB_ALPHA:
        return Output::Bgra;
    default:
        return h.hasTransparency ? Output::BgrAlpha : Output::Bgr;
    }
}

int DibDepthOf(const PngHeader& h) {
    switch (OutputOf(h)) {
    case Output::Indexes:
        return h.bitDepth;
    case Output::WideIndexes:
        return 4;
    case Output::Grey:
    case Output::GreyAlpha:
        return 8;
    case Output::Bgr:
    case Output::BgrAlpha:
        return 24;
    default:
        return 32;
    }
}

// Sets up libpng's transformations and reads all rows; rowBytes is what each row must hold.
bool ReadImage(PngReader& r, Output output, png_bytepp rows, std::size_t rowBytes) {
    if (setjmp(png_jmpbuf(r.png)))
        return false;
    png_set_scale_16(r.png);
    switch (output) {
    case Output::WideIndexes:
        png_set_packing(r.png);
        break;
    case Output::Grey:
        png_set_expand_gray_1_2_4_to_8(r.png);
        break;
    case Output::GreyAlpha:
        png_set_tRNS_to_alpha(r.png);
        break;
    case Output::BgrAlpha:
        png_set_tRNS_to_alpha(r.png);
        png_set_bgr(r.png);
        break;
    case Output::Bgra:
        png_set_gray_to_rgb(r.png);
        png_set_bgr(r.png);
        break;
    case Output::Bgr:
        png_set_bgr(r.png);
        break;
    case Output::Indexes:
        break;
    }
    png_set_interlace_handling(r.png);
    png_read_update_info(r.png, r.info);
    if (png_get_rowbytes(r.png, r.info) > rowBytes)
        return false;
    png_read_image(r.png, rows);
    return true;
}

bool HoldsEnoughData(const PngHeader& h, std::size_t fileBytes) {
    const int channels = h.colourType == PNG_COLOR_TYPE_PALETTE || h.colourType == PNG_COLOR_TYPE_GRAY ? 1
                         : h.colourType == PNG_COLOR_TYPE_GRAY_ALPHA                                   ? 2
                         : h.colourType == PNG_COLOR_TYPE_RGB                                          ? 3
                                                                                                       : 4;
    const std::int64_t rowBytes = 1 + (std::int64_t{h.width} * channels * h.bitDepth + 7) / 8; // filter byte
    return rowBytes * h.height <= std::int64_t(fileBytes) * kLargestDeflateRatio;
}

std::vector<RGBQUAD> PaletteOf(const PngHeader& h, int dibDepth) {
    std::vector<RGBQUAD> palette(std::size_t{1} << dibDepth, RGBQUAD{0, 0, 0, 0});
    if (h.colourType == PNG_COLOR_TYPE_PALETTE) {
        // Entries the file does not give stay black, so that every index has a colour.
        for (int i = 0; i < h.paletteEntries && i < int(palette.size()); ++i)
            palette[std::size_t(i)] = RGBQUAD{h.palette[i].blue, h.palette[i].green, h.palette[i].red, 0};
    } else {
        const int step = 255 / (int(palette.size()) - 1);
        for (std::size_t i = 0; i < palette.size(); ++i)
            palette[i] = RGBQUAD{BYTE(i * step), BYTE(i * step), BYTE(i * step), 0};
    }
    return palette;
}

bool IsGrey(const PngHeader& h) {
    return h.colourType == PNG_COLOR_TYPE_GRAY || h.colourType == PNG_COLOR_TYPE_GRAY_ALPHA;
}

// Reads the rows one by one into `row` as grey or blue-green-red bytes, with alpha where the file has
// transparency, and hands each on.
bool ReadRowsOneByOne(PngReader& r, std::vector<BYTE>& row, CRowReceiver& receiver) {
    if (setjmp(png_jmpbuf(r.png)))
        return false;
    png_set_scale_16(r.png);
    png_set_expand(r.png); // palettes to colours, small greys to 8 bits, a transparent colour to alpha
    if (!IsGrey(r.header))
        png_set_bgr(r.png);
    png_read_update_info(r.png, r.info);
    if (png_get_rowbytes(r.png, r.info) != row.size())
        return false;
    for (png_uint_32 y = 0; y < r.header.height; ++y) {
        png_read_row(r.png, row.data(), nullptr);
        receiver.Row(row.data());
    }
    return true;
}

} // namespace

bool IsPngFile(std::span<const BYTE> file) {
    return file.size() >= sizeof kSignature && std::memcmp(file.data(), kSignature, sizeof kSignature) == 0;
}

bool ReadPngInfo(std::span<const BYTE> file, ImagingFileInfo& info) {
    PngReader r;
    r.data = file.data();
    r.size = file.size();
    if (!ReadHeader(r))
        return false;
    info.width = int(r.header.width);
    info.height = int(r.header.height);
    info.bitsPerPixel = DibDepthOf(r.header);
    info.compression = "Deflate";
    info.hasTransparency = r.header.hasTransparency;
    return true;
}

bool DecodePng(std::span<const BYTE> file, CImagingBitmap& bitmap) {
    PngReader r;
    r.data = file.data();
    r.size = file.size();
    if (!ReadHeader(r))
        return false;
    const PngHeader& h = r.header;
    if (!IsDibSizeAllowed(h.width, h.height) || !HoldsEnoughData(h, file.size()))
        return false;
    const int width = int(h.width), height = int(h.height);
    const Output output = OutputOf(h);
    const int depth = DibDepthOf(h);

    std::vector<BYTE> dib =
        MakeDib(width, height, depth, depth <= 8 ? PaletteOf(h, depth) : std::vector<RGBQUAD>{});
    // Rows that need work afterwards go through a buffer of their own, top row first.
    int bufferPixelBytes = 0;
    if (output == Output::WideIndexes)
        bufferPixelBytes = 1;
    else if (output == Output::GreyAlpha)
        bufferPixelBytes = 2;
    else if (output == Output::BgrAlpha)
        bufferPixelBytes = 4;
    std::vector<BYTE> buffer(std::size_t(width) * std::size_t(height) * std::size_t(bufferPixelBytes));
    const std::int64_t dibRowBytes = DibRowBytes(width, depth);
    const std::size_t rowBytes =
        bufferPixelBytes ? std::size_t(width) * std::size_t(bufferPixelBytes) : std::size_t(dibRowBytes);
    std::vector<png_bytep> rows(static_cast<std::size_t>(height));
    BYTE* bottom = DibBottomRow(dib);
    for (int y = 0; y < height; ++y)
        rows[std::size_t(y)] = bufferPixelBytes ? buffer.data() + rowBytes * std::size_t(y)
                                                : bottom + dibRowBytes * (height - 1 - y);
    if (!ReadImage(r, output, rows.data(), rowBytes))
        return false;

    std::vector<BYTE> alpha;
    if (h.hasTransparency)
        alpha.resize(std::size_t(width) * std::size_t(height));
    for (int y = 0; y < height && (bufferPixelBytes || h.hasTransparency); ++y) {
        const BYTE* in = rows[std::size_t(y)];
        BYTE* out = bottom + dibRowBytes * (height - 1 - y);
        BYTE* a = alpha.empty() ? nullptr : alpha.data() + std::size_t(width) * std::size_t(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            switch (output) {
            case Output::WideIndexes:
                out[x >> 1] |= BYTE((x & 1) ? in[x] & 0x0F : in[x] << 4);
                if (a)
                    a[x] = in[x] < h.transparentEntries ? h.entryAlpha[in[x]] : 255;
                break;
            case Output::GreyAlpha:
                out[x] = in[2 * x];
                a[x] = in[2 * x + 1];
                break;
            case Output::BgrAlpha:
                std::memcpy(out + 3 * x, in + 4 * x, 3);
                a[x] = in[4 * x + 3];
                break;
            case Output::Bgra:
                a[x] = out[4 * x + 3];
                break;
            default: { // palette indexes of 1, 4 or 8 bits straight in the DIB
                const int index = depth == 8   ? out[x]
                                  : depth == 4 ? (out[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F
                                               : (out[x >> 3] >> (7 - (x & 7))) & 1;
                a[x] = index < h.transparentEntries ? h.entryAlpha[index] : 255;
                break;
            }
            }
        }
    }
    bitmap.Attach(std::move(dib), std::move(alpha));
    return true;
}

RowStreaming StreamPngRows(std::span<const BYTE> file, CRowReceiver& receiver) {
    PngReader r;
    r.data = file.data();
    r.size = file.size();
    if (!ReadHeader(r))
        return RowStreaming::Failed;
    const PngHeader& h = r.header;
    if (h.interlace != PNG_INTERLACE_NONE)
        return RowStreaming::NotStreamable;
    if (!IsDibSizeAllowed(h.width, h.height) || !HoldsEnoughData(h, file.size()))
        return RowStreaming::Failed;
    const int channels = (IsGrey(h) ? 1 : 3) + (h.hasTransparency ? 1 : 0);
    std::vector<BYTE> row(std::size_t(h.width) * std::size_t(channels));
    receiver.Begin(int(h.width), int(h.height), channels);
    return ReadRowsOneByOne(r, row, receiver) ? RowStreaming::Done : RowStreaming::Failed;
}

namespace {

struct PngWriter {
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::vector<BYTE>* file = nullptr;

    ~PngWriter() {
        if (png)
            png_destroy_write_struct(&png, info ? &info : nullptr);
    }
};

void WriteToMemory(png_structp png, png_bytep data, std::size_t count) {
    auto* writer = static_cast<PngWriter*>(png_get_io_ptr(png));
    bool stored = true;
    try {
        writer->file->insert(writer->file->end(), data, data + count);
    } catch (const std::bad_alloc&) {
        stored = false;
    }
    if (!stored)
        png_error(png, "out of memory");
}

void FlushNothing(png_structp) {}

struct PngLayout {
    int width;
    int height;
    int bitDepth;
    int colourType;
    const png_color* palette;
    int paletteEntries;
};

bool WriteImage(PngWriter& w, const PngLayout& layout, png_bytepp rows) {
    w.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, LeaveOnError, IgnoreWarning);
    if (!w.png)
        return false;
    w.info = png_create_info_struct(w.png);
    if (!w.info)
        return false;
    if (setjmp(png_jmpbuf(w.png)))
        return false;
    png_set_write_fn(w.png, &w, WriteToMemory, FlushNothing);
    png_set_IHDR(w.png, w.info, png_uint_32(layout.width), png_uint_32(layout.height), layout.bitDepth,
                 layout.colourType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (layout.palette)
        png_set_PLTE(w.png, w.info, layout.palette, layout.paletteEntries);
    png_write_info(w.png, w.info);
    if (layout.colourType & PNG_COLOR_MASK_COLOR)
        png_set_bgr(w.png);
    png_write_image(w.png, rows);
    png_write_end(w.png, nullptr);
    return true;
}

} // namespace

int EncodePng(const CImagingBitmap& bitmap, int bitsPerPixel, std::vector<BYTE>& file) {
    if (bitsPerPixel == 0)
        bitsPerPixel = bitmap.GetBitsPerPixel() == 16 ? 24 : bitmap.GetBitsPerPixel();
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 24 &&
        bitsPerPixel != 32)
        return kImagingErrorFormat;
    CImagingBitmap prepared;
    prepared.Attach(ConvertedDib(bitmap, bitsPerPixel, 1 << std::min(bitsPerPixel, 8)));
    DibLayout dib;
    const std::vector<BYTE>& block = prepared.GetDib();
    ReadDibLayout(reinterpret_cast<const BITMAPINFOHEADER*>(block.data()), block.size(), dib);

    PngLayout layout{dib.width, dib.height, 8, PNG_COLOR_TYPE_RGB, nullptr, 0};
    std::vector<png_color> palette;
    std::vector<BYTE> quads; // 32-bit rows with the alpha the bitmap's transparency gives
    std::vector<png_bytep> rows(static_cast<std::size_t>(dib.height));
    for (int y = 0; y < dib.height; ++y)
        rows[std::size_t(y)] = const_cast<BYTE*>(dib.Row(dib.height - 1 - y));
    if (dib.bitsPerPixel <= 8) {
        layout.bitDepth = dib.bitsPerPixel;
        layout.colourType = PNG_COLOR_TYPE_PALETTE;
        for (int i = 0; i < dib.paletteEntries; ++i)
            palette.push_back(
                png_color{dib.palette[i].rgbRed, dib.palette[i].rgbGreen, dib.palette[i].rgbBlue});
        layout.palette = palette.data();
        layout.paletteEntries = int(palette.size());
    } else if (dib.bitsPerPixel == 32) {
        layout.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
        const std::size_t rowBytes = std::size_t(dib.width) * 4;
        quads.resize(rowBytes * std::size_t(dib.height));
        const std::vector<BYTE>& alpha = bitmap.GetAlpha();
        for (int y = 0; y < dib.height; ++y) {
            BYTE* out = quads.data() + rowBytes * std::size_t(dib.height - 1 - y);
            std::memcpy(out, dib.Row(y), rowBytes);
            for (int x = 0; x < dib.width; ++x)
                out[4 * x + 3] =
                    alpha.empty() ? 255 : alpha[std::size_t(y) * std::size_t(dib.width) + std::size_t(x)];
            rows[std::size_t(dib.height - 1 - y)] = out;
        }
    }

    PngWriter w;
    std::vector<BYTE> out;
    w.file = &out;
    if (!WriteImage(w, layout, rows.data()))
        return kImagingErrorMemory;
    file = std::move(out);
    return kImagingSuccess;
}
