#include "platform/imaging/JpegCodec.h"

#include "platform/imaging/DepthConversion.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

namespace {

// Progressive files can hold any number of scans, each a pass over the whole picture; real encoders
// write about ten. More than this is a file made to keep the decoder busy.
constexpr int kMaxScans = 1000;
// Rows read from libjpeg per call.
constexpr JDIMENSION kRowsPerRead = 16;
// Reduction factors libjpeg scales by while decoding, largest first.
constexpr int kScaleDenominators[] = {8, 4, 2};
// Bytes of one block of 8 x 8 coefficients in libjpeg's whole-picture buffer.
constexpr std::int64_t kCoefficientBlockBytes = DCTSIZE2 * sizeof(JCOEF);
// Every block of a scan costs at least one bit of entropy-coded data.
constexpr std::int64_t kMinBitsPerBlock = 1;
// The most memory libjpeg may take: the whole-picture coefficient buffer of the largest picture
// allowed, three components at full resolution, and its working rows besides.
constexpr long kMaxLibjpegMemory = long(kMaxDibPixels * 3 * sizeof(JCOEF) + (std::int64_t{64} << 20));
// The quality from which colour is stored at full resolution: chroma subsampling blurs coloured edges
// more than the quantisation of the better settings does.
constexpr int kFullChromaQuality = 90;

struct ErrorManager {
    jpeg_error_mgr base; // first: libjpeg hands the callbacks a pointer to it
    std::jmp_buf jump;
    bool reachedEnd; // the data ran out where libjpeg looked for more
    bool cutShort;   // the data ran out, or a marker came, in the middle of a segment
};

ErrorManager& ErrorsOf(j_common_ptr info) {
    return *reinterpret_cast<ErrorManager*>(info->err);
}

[[noreturn]] void LeaveOnError(j_common_ptr info) {
    std::longjmp(ErrorsOf(info).jump, 1);
}

// Warnings are not shown. Data that ends inside a segment, at the end of the file or at a marker in the
// middle of the picture's data, makes the whole picture fail: libjpeg would fill the rest with grey.
// A file that only lacks its end marker holds every pixel.
void NoteMessage(j_common_ptr info, int level) {
    if (level >= 0)
        return;
    if (info->err->msg_code == JWRN_JPEG_EOF)
        ErrorsOf(info).reachedEnd = true;
    else if (info->err->msg_code == JWRN_HIT_MARKER)
        ErrorsOf(info).cutShort = true;
}

void StayQuiet(j_common_ptr) {}

void LimitScans(j_common_ptr info) {
    if (info->is_decompressor && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans) {
        info->err->msg_code = JERR_NOT_COMPILED; // any code: the message is not shown
        LeaveOnError(info);
    }
}

void InstallErrors(jpeg_error_mgr& base) {
    jpeg_std_error(&base);
    base.error_exit = LeaveOnError;
    base.emit_message = NoteMessage;
    base.output_message = StayQuiet;
}

// One decompression. The functions that call libjpeg set their jump target first; nothing between
// the jump target and libjpeg's frames has a destructor.
struct Decompressor {
    jpeg_decompress_struct info;
    ErrorManager errors;
    jpeg_progress_mgr progress;
    bool created = false;

    Decompressor() {
        std::memset(&info, 0, sizeof info);
        std::memset(&errors, 0, sizeof errors);
        std::memset(&progress, 0, sizeof progress);
    }
    ~Decompressor() {
        if (created)
            jpeg_destroy_decompress(&info);
    }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;
};

bool ReadHeader(Decompressor& d, const BYTE* data, std::size_t size) {
    d.info.err = &d.errors.base;
    InstallErrors(d.errors.base);
    if (setjmp(d.errors.jump))
        return false;
    jpeg_create_decompress(&d.info);
    d.created = true;
    d.progress.progress_monitor = LimitScans;
    d.info.progress = &d.progress;
    d.info.mem->max_memory_to_use = kMaxLibjpegMemory;
    jpeg_mem_src(&d.info, data, static_cast<unsigned long>(size));
    return jpeg_read_header(&d.info, TRUE) == JPEG_HEADER_OK;
}

// A file of several scans is decoded into a buffer of the whole picture's coefficients before the
// first row comes out. A file too small to code each block of it even once claims more than it holds,
// and is refused before that buffer is made.
bool HoldsEnoughData(jpeg_decompress_struct& info, std::size_t fileBytes) {
    if (!jpeg_has_multiple_scans(&info))
        return true;
    std::int64_t blocks = 0;
    for (int c = 0; c < info.num_components; ++c)
        blocks += std::int64_t{info.comp_info[c].width_in_blocks} * info.comp_info[c].height_in_blocks;
    return blocks * kMinBitsPerBlock <= std::int64_t(fileBytes) * 8 &&
           blocks * kCoefficientBlockBytes <= kMaxLibjpegMemory;
}

// A progressive file cut between two scans decodes without complaint but lacks the later scans: every
// coefficient of every component must have come to its last bit.
bool HasEveryScan(const jpeg_decompress_struct& info) {
    if (!info.progressive_mode || !info.coef_bits)
        return true;
    for (int c = 0; c < info.num_components; ++c)
        for (int k = 0; k < DCTSIZE2; ++k)
            if (info.coef_bits[c][k] != 0)
                return false;
    return true;
}

bool IsCutShort(const Decompressor& d) {
    return d.errors.cutShort || (d.errors.reachedEnd && !HasEveryScan(d.info));
}

bool CalcOutputSize(Decompressor& d) {
    if (setjmp(d.errors.jump))
        return false;
    jpeg_calc_output_dimensions(&d.info);
    return true;
}

bool StartDecoding(Decompressor& d) {
    if (setjmp(d.errors.jump))
        return false;
    return jpeg_start_decompress(&d.info) == TRUE;
}

bool ReadRows(Decompressor& d, JSAMPARRAY rows, JDIMENSION count, JDIMENSION& read) {
    if (setjmp(d.errors.jump))
        return false;
    read = jpeg_read_scanlines(&d.info, rows, count);
    return true;
}

bool IsCmyk(const jpeg_decompress_struct& info) {
    return info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
}

std::vector<RGBQUAD> GreyPalette() {
    std::vector<RGBQUAD> palette(256);
    for (int i = 0; i < 256; ++i)
        palette[std::size_t(i)] = RGBQUAD{BYTE(i), BYTE(i), BYTE(i), 0};
    return palette;
}

// Adobe's encoders store CMYK inverted (0 is full ink), which is what the Adobe marker says.
void CmykRowToBgr(const BYTE* cmyk, int width, bool inverted, BYTE* bgr) {
    for (int x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
        const int c = inverted ? cmyk[0] : 255 - cmyk[0], m = inverted ? cmyk[1] : 255 - cmyk[1];
        const int y = inverted ? cmyk[2] : 255 - cmyk[2], k = inverted ? cmyk[3] : 255 - cmyk[3];
        bgr[0] = BYTE((y * k + 127) / 255), bgr[1] = BYTE((m * k + 127) / 255),
        bgr[2] = BYTE((c * k + 127) / 255);
    }
}

// The scale that keeps the decoded picture at least minWidth x minHeight.
int ScaleDenominator(const jpeg_decompress_struct& info, int minWidth, int minHeight) {
    if (minWidth <= 0 || minHeight <= 0)
        return 1;
    for (int denominator : kScaleDenominators) {
        const std::int64_t width = (std::int64_t{info.image_width} + denominator - 1) / denominator;
        const std::int64_t height = (std::int64_t{info.image_height} + denominator - 1) / denominator;
        if (width >= minWidth && height >= minHeight)
            return denominator;
    }
    return 1;
}

// An 8-bit picture whose palette holds only greys.
bool IsGreyPicture(const CImagingBitmap& bitmap) {
    DibLayout layout;
    const std::vector<BYTE>& dib = bitmap.GetDib();
    if (!ReadDibLayout(reinterpret_cast<const BITMAPINFOHEADER*>(dib.data()), dib.size(), layout) ||
        layout.bitsPerPixel != 8)
        return false;
    for (int i = 0; i < layout.paletteEntries; ++i)
        if (layout.palette[i].rgbRed != layout.palette[i].rgbGreen ||
            layout.palette[i].rgbRed != layout.palette[i].rgbBlue)
            return false;
    return true;
}

bool DecodeRows(Decompressor& d, DibBlockMaker make, void* context) {
    // Progressive files are read whole before the first row comes out.
    if (IsCutShort(d))
        return false;
    const int width = int(d.info.output_width), height = int(d.info.output_height);
    const int bitsPerPixel = d.info.out_color_space == JCS_GRAYSCALE ? 8 : 24;
    const std::int64_t rowBytes = DibRowBytes(width, bitsPerPixel);
    const std::size_t pixelBytes = std::size_t(width) * std::size_t(bitsPerPixel / 8);
    // The first rows go to a buffer of their own: a file that claims a large picture but holds no data
    // for it fails there, before room for the whole picture is made.
    std::vector<BYTE> firstRows(std::size_t(rowBytes) * std::min(kRowsPerRead, d.info.output_height));
    BYTE* bottom = nullptr;
    auto rowAt = [&](JDIMENSION line) {
        return bottom ? bottom + rowBytes * (height - 1 - std::int64_t{line})
                      : firstRows.data() + rowBytes * line;
    };

    const bool cmyk = d.info.out_color_space == JCS_CMYK;
    std::vector<BYTE> cmykRows(cmyk ? std::size_t(width) * 4 * kRowsPerRead : 0);
    JSAMPROW rows[kRowsPerRead];
    while (d.info.output_scanline < d.info.output_height) {
        const JDIMENSION first = d.info.output_scanline;
        const JDIMENSION count = std::min(kRowsPerRead, d.info.output_height - first);
        for (JDIMENSION i = 0; i < count; ++i)
            rows[i] = cmyk ? cmykRows.data() + std::size_t(width) * 4 * i : rowAt(first + i);
        JDIMENSION read = 0;
        if (!ReadRows(d, rows, count, read) || read == 0 || IsCutShort(d))
            return false;
        for (JDIMENSION i = 0; i < read; ++i) {
            if (cmyk)
                CmykRowToBgr(rows[i], width, d.info.saw_Adobe_marker, rowAt(first + i));
            // The block is not cleared beforehand: the bytes that round a row up to whole words are.
            std::memset(rowAt(first + i) + pixelBytes, 0, std::size_t(rowBytes) - pixelBytes);
        }
        if (!bottom) {
            const std::vector<RGBQUAD> palette = bitsPerPixel == 8 ? GreyPalette() : std::vector<RGBQUAD>{};
            BYTE* block = make(DibBlockBytes(width, height, bitsPerPixel, palette.size()), context);
            if (!block)
                return false;
            bottom = WriteDibHead(block, width, height, bitsPerPixel, palette);
            for (JDIMENSION i = 0; i < read; ++i)
                std::memcpy(rowAt(i), firstRows.data() + rowBytes * i, std::size_t(rowBytes));
        }
    }
    return !IsCutShort(d);
}

} // namespace

bool IsJpegFile(std::span<const BYTE> file) {
    return file.size() >= 3 && file[0] == 0xFF && file[1] == 0xD8 && file[2] == 0xFF;
}

bool ReadJpegInfo(std::span<const BYTE> file, ImagingFileInfo& info) {
    Decompressor d;
    if (!ReadHeader(d, file.data(), file.size()))
        return false;
    info.width = int(d.info.image_width);
    info.height = int(d.info.image_height);
    info.bitsPerPixel = d.info.jpeg_color_space == JCS_GRAYSCALE ? 8 : 24;
    info.compression = "JPEG";
    info.hasTransparency = false;
    return true;
}

bool DecodeJpegToBlock(std::span<const BYTE> file, DibBlockMaker make, void* context, int minWidth,
                       int minHeight) {
    Decompressor d;
    if (!ReadHeader(d, file.data(), file.size()))
        return false;
    if (!IsDibSizeAllowed(d.info.image_width, d.info.image_height) || !HoldsEnoughData(d.info, file.size()))
        return false;
    if (d.info.jpeg_color_space == JCS_GRAYSCALE)
        d.info.out_color_space = JCS_GRAYSCALE;
    else if (IsCmyk(d.info))
        d.info.out_color_space = JCS_CMYK;
    else
        d.info.out_color_space = JCS_EXT_BGR;
    const int denominator = ScaleDenominator(d.info, minWidth, minHeight);
    if (denominator > 1 || minWidth > 0) {
        // A thumbnail is smoothed afterwards: the quick transform and plain upsampling lose nothing.
        d.info.scale_num = 1;
        d.info.scale_denom = unsigned(denominator);
        d.info.dct_method = JDCT_IFAST;
        d.info.do_fancy_upsampling = FALSE;
        d.info.do_block_smoothing = FALSE;
    }
    return CalcOutputSize(d) && StartDecoding(d) && DecodeRows(d, make, context);
}

bool DecodeJpeg(std::span<const BYTE> file, CImagingBitmap& bitmap, int minWidth, int minHeight) {
    std::vector<BYTE> dib;
    auto intoVector = [](std::size_t bytes, void* context) {
        auto& block = *static_cast<std::vector<BYTE>*>(context);
        block.resize(bytes);
        return block.data();
    };
    if (!DecodeJpegToBlock(file, intoVector, &dib, minWidth, minHeight))
        return false;
    bitmap.Attach(std::move(dib));
    return true;
}

namespace {

struct Compressor {
    jpeg_compress_struct info;
    ErrorManager errors;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    bool created = false;

    Compressor() {
        std::memset(&info, 0, sizeof info);
        std::memset(&errors, 0, sizeof errors);
    }
    ~Compressor() {
        if (created)
            jpeg_destroy_compress(&info);
        std::free(buffer); // jpeg_mem_dest allocates with malloc
    }
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;
};

bool StartEncoding(Compressor& c, int width, int height, bool grey, int quality) {
    c.info.err = &c.errors.base;
    InstallErrors(c.errors.base);
    if (setjmp(c.errors.jump))
        return false;
    jpeg_create_compress(&c.info);
    c.created = true;
    jpeg_mem_dest(&c.info, &c.buffer, &c.size);
    c.info.image_width = JDIMENSION(width);
    c.info.image_height = JDIMENSION(height);
    c.info.input_components = grey ? 1 : 3;
    c.info.in_color_space = grey ? JCS_GRAYSCALE : JCS_EXT_BGR;
    jpeg_set_defaults(&c.info);
    jpeg_set_quality(&c.info, quality, TRUE);
    if (!grey && quality >= kFullChromaQuality)
        for (int i = 0; i < c.info.num_components; ++i)
            c.info.comp_info[i].h_samp_factor = c.info.comp_info[i].v_samp_factor = 1;
    jpeg_start_compress(&c.info, TRUE);
    return true;
}

bool WriteRows(Compressor& c, JSAMPARRAY rows, JDIMENSION count) {
    if (setjmp(c.errors.jump))
        return false;
    jpeg_write_scanlines(&c.info, rows, count);
    return true;
}

bool FinishEncoding(Compressor& c) {
    if (setjmp(c.errors.jump))
        return false;
    jpeg_finish_compress(&c.info);
    return true;
}

} // namespace

int EncodeJpeg(const CImagingBitmap& bitmap, int bitsPerPixel, int quality, std::vector<BYTE>& file) {
    if (bitsPerPixel == 0)
        bitsPerPixel = IsGreyPicture(bitmap) ? 8 : 24;
    if (bitsPerPixel != 8 && bitsPerPixel != 24)
        return kImagingErrorFormat;
    const bool grey = bitsPerPixel == 8;
    CImagingBitmap prepared;
    prepared.Attach(ConvertedDib(bitmap, 24, 0));
    DibLayout layout;
    const std::vector<BYTE>& dib = prepared.GetDib();
    ReadDibLayout(reinterpret_cast<const BITMAPINFOHEADER*>(dib.data()), dib.size(), layout);
    std::vector<BYTE> greyRow(grey ? std::size_t(layout.width) : 0);

    Compressor c;
    if (!StartEncoding(c, layout.width, layout.height, grey, JpegQualityOfFactor(quality)))
        return kImagingErrorMemory;
    for (int y = layout.height - 1; y >= 0; --y) {
        JSAMPROW row = const_cast<BYTE*>(layout.Row(y));
        if (grey) {
            for (int x = 0; x < layout.width; ++x)
                greyRow[std::size_t(x)] = BYTE(Brightness(row[3 * x + 2], row[3 * x + 1], row[3 * x]));
            row = greyRow.data();
        }
        if (!WriteRows(c, &row, 1))
            return kImagingErrorMemory;
    }
    if (!FinishEncoding(c))
        return kImagingErrorMemory;
    file.assign(c.buffer, c.buffer + c.size);
    return kImagingSuccess;
}
