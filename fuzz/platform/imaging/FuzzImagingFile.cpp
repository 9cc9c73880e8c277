// Fuzzes one family of the imaging library's decoders (chosen at build time by VC_FUZZ_FAMILY) with
// hostile files: information, decoding at the file's depth and at others, and the scaled JPEG decoding
// of thumbnails. Every picture that comes out must pass the picture gate unchanged.
#include "image/DibValidation.h"
#include "platform/imaging/FileFormats.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

// Inputs that claim more pixels are skipped: the size limits have tests of their own, and huge
// pictures only make each run slow.
constexpr std::int64_t kLargestFuzzedPixels = std::int64_t{1} << 20;

bool InFamily(int format) {
    switch (format) {
    case kFormatJpeg:
        return VC_FUZZ_FAMILY == 1;
    case kFormatPng:
        return VC_FUZZ_FAMILY == 2;
    case kFormatTiff:
        return VC_FUZZ_FAMILY == 3;
    case kFormatPcx:
    case kFormatIco:
    case kFormatCur:
        return VC_FUZZ_FAMILY == 4;
    default:
        return false;
    }
}

void CheckPicture(const CImagingBitmap& bitmap) {
    const std::vector<BYTE>& dib = bitmap.GetDib();
    const NormalizedDib normalized = NormalizeExternalDib(std::span<const BYTE>(dib));
    if (!normalized || normalized.length != dib.size() ||
        std::memcmp(normalized.block.get(), dib.data(), dib.size()) != 0)
        __builtin_trap();
    const std::size_t pixels = std::size_t(bitmap.GetWidth()) * std::size_t(bitmap.GetHeight());
    if (bitmap.HasTransparency() && bitmap.GetAlpha().size() != pixels)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const BYTE> file(data, size);
    ImagingFileInfo info;
    if (!ReadFileImageInfo(file, info) || !InFamily(info.format) ||
        std::int64_t{info.width} * info.height > kLargestFuzzedPixels || info.width <= 0 || info.height <= 0)
        return 0;
    CImagingBitmap bitmap;
    if (!DecodeFileImage(file, bitmap, info))
        return 0;
    CheckPicture(bitmap);
    for (int bits : {1, 8, 32}) {
        CImagingBitmap converted;
        if (LoadImagingMemory(data, size, bits, converted))
            CheckPicture(converted);
    }
    CImagingBitmap mask;
    if (bitmap.GetMask(mask)) {
        CheckPicture(mask);
        bitmap.WhitenMasked(mask);
        CheckPicture(bitmap);
    }
    if (info.format == kFormatJpeg) {
        CImagingBitmap scaled;
        if (DecodeFileImage(file, scaled, info, 1 + info.width / 9, 1 + info.height / 9))
            CheckPicture(scaled);
    }
    return 0;
}
