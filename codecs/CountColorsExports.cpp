// The colour counts of files, for the plug-ins that read the formats a save dialog starts from.

#include "codecs/CodecFormats.h"
#include "codecs/CodecPictures.h"
#include "image/CodecExports.h"
#include "platform/imaging/ImagingFile.h"

namespace {

constexpr int kUnknown = -1;

} // namespace

int CountColorsUsedFile(const CString& path) {
    return Guarded(kUnknown, [&] {
        CImagingBitmap bitmap;
        if (!FindCodecFormat(ThisCodec().open, CodecExtensionOf(path)) || !LoadImagingFile(path, 0, bitmap))
            return kUnknown;
        return bitmap.CountColorsUsed();
    });
}

int CountColorsUsedMemory(void* data, DWORD size, const CString& extension) {
    return Guarded(kUnknown, [&] {
        if (!data || !FindCodecFormat(ThisCodec().open, extension))
            return kUnknown;
        const CMemoryFile file(data, size);
        CImagingBitmap bitmap;
        if (!file.Bytes() || !LoadImagingMemory(file.Bytes(), file.Size(), 0, bitmap))
            return kUnknown;
        return bitmap.CountColorsUsed();
    });
}
