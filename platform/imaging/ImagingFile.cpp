// The file side's entry points: telling the format by content, and handing each call to its codec.
#include "platform/imaging/ImagingFile.h"

#include "platform/base/AtomicFileWriter.h"
#include "platform/base/Path.h"
#include "platform/imaging/BmpCodec.h"
#include "platform/imaging/DepthConversion.h"
#include "platform/imaging/FileFormats.h"
#include "platform/imaging/IconCodec.h"
#include "platform/imaging/JpegCodec.h"
#include "platform/imaging/MetafileCodec.h"
#include "platform/imaging/PcxCodec.h"
#include "platform/imaging/PngCodec.h"
#include "platform/imaging/TiffCodec.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

namespace {

// Loading at 1 bit reads mask files: black and white at half brightness, never dithered.
bool ToLoadDepth(int bitsPerPixel, CImagingBitmap& decoded) {
    if (bitsPerPixel == 1) {
        std::vector<BYTE> alpha = decoded.GetAlpha();
        decoded.Attach(ThresholdedDib(decoded), std::move(alpha));
        return true;
    }
    return bitsPerPixel == 0 || decoded.ConvertDepth(bitsPerPixel);
}

bool Load(std::span<const BYTE> file, int bitsPerPixel, CImagingBitmap& bitmap, ImagingFileInfo* info) {
    if (bitsPerPixel != 0 && !IsDibDepth(bitsPerPixel))
        return false;
    try {
        ImagingFileInfo fileInfo;
        CImagingBitmap decoded;
        if (!DecodeFileImage(file, decoded, fileInfo) || !ToLoadDepth(bitsPerPixel, decoded))
            return false;
        bitmap = std::move(decoded);
        if (info)
            *info = fileInfo;
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

} // namespace

bool ReadImagingFileInfo(const CString& path, ImagingFileInfo& info) {
    std::vector<BYTE> file;
    return ReadFileImage(path, file) && ReadImagingMemoryInfo(file.data(), file.size(), info);
}

bool ReadImagingMemoryInfo(const void* data, std::size_t size, ImagingFileInfo& info) {
    if (!data)
        return false;
    return ReadFileImageInfo({static_cast<const BYTE*>(data), size}, info);
}

bool LoadImagingFile(const CString& path, int bitsPerPixel, CImagingBitmap& bitmap, ImagingFileInfo* info) {
    std::vector<BYTE> file;
    return ReadFileImage(path, file) && Load(file, bitsPerPixel, bitmap, info);
}

bool LoadImagingMemory(const void* data, std::size_t size, int bitsPerPixel, CImagingBitmap& bitmap,
                       ImagingFileInfo* info) {
    return data && Load({static_cast<const BYTE*>(data), size}, bitsPerPixel, bitmap, info);
}

bool LoadImagingFileToBlock(const CString& path, DibBlockMaker make, void* context,
                            CImagingBitmap& transparent, ImagingFileInfo* info) {
    std::vector<BYTE> file;
    if (!ReadFileImage(path, file))
        return false;
    try {
        ImagingFileInfo fileInfo;
        if (!ReadFileImageInfo(file, fileInfo) || !IsDibSizeAllowed(fileInfo.width, fileInfo.height))
            return false;
        if (fileInfo.format == kFormatJpeg) {
            if (!DecodeJpegToBlock(file, make, context))
                return false;
        } else {
            CImagingBitmap decoded;
            if (!DecodeFileImage(file, decoded, fileInfo))
                return false;
            if (decoded.HasTransparency()) {
                transparent = std::move(decoded);
            } else {
                const std::vector<BYTE>& dib = decoded.GetDib();
                BYTE* block = make(dib.size(), context);
                if (!block)
                    return false;
                std::memcpy(block, dib.data(), dib.size());
            }
        }
        if (info)
            *info = fileInfo;
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

int SaveImagingMemory(std::vector<BYTE>& file, const CImagingBitmap& bitmap, int format, int bitsPerPixel,
                      int quality) {
    if (bitmap.IsEmpty())
        return kImagingErrorInvalid;
    try {
        std::vector<BYTE> encoded;
        int result = kImagingErrorFormat;
        switch (format) {
        case kFormatBmp:
            result = EncodeBmp(bitmap, bitsPerPixel, encoded);
            break;
        case kFormatJpeg:
            result = EncodeJpeg(bitmap, bitsPerPixel, quality, encoded);
            break;
        case kFormatPng:
            result = EncodePng(bitmap, bitsPerPixel, encoded);
            break;
        case kFormatTiff:
            result = EncodeTiff(bitmap, bitsPerPixel, encoded);
            break;
        case kFormatPcx:
            result = EncodePcx(bitmap, bitsPerPixel, encoded);
            break;
        case kFormatCur:
            result = EncodeCursor(bitmap, bitsPerPixel, encoded);
            break;
        case kFormatMetafile:
            result = EncodeWmf(bitmap, bitsPerPixel, encoded);
            break;
        default:
            break;
        }
        if (result == kImagingSuccess)
            file = std::move(encoded);
        return result;
    } catch (const std::bad_alloc&) {
        return kImagingErrorMemory;
    }
}

int SaveImagingFile(const CString& path, const CImagingBitmap& bitmap, int format, int bitsPerPixel,
                    int quality) {
    std::vector<BYTE> file;
    const int result = SaveImagingMemory(file, bitmap, format, bitsPerPixel, quality);
    if (result != kImagingSuccess)
        return result;
    return WriteFileAtomically(BackslashesToSlashes(path), file.data(), file.size()) ? kImagingSuccess
                                                                                     : kImagingErrorFile;
}

int JpegQualityOfFactor(int quality) {
    const double q = 100.0 - std::round((quality - kQualityBest) * 99.0 / (kQualitySmallest - kQualityBest));
    return int(std::clamp(q, 1.0, 100.0));
}
