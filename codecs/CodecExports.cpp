// The loading and saving exports of the plug-ins that work over the imaging library.

#include "image/CodecExports.h"

#include "codecs/CodecFormats.h"
#include "codecs/CodecPictures.h"
#include "codecs/CodecSaving.h"
#include "image/PictureBlock.h"
#include "image/PictureBmpReader.h"
#include "image/PictureInfo.h"
#include "platform/base/GlobalMemory.h"
#include "platform/imaging/ImagingFile.h"

#include <cstring>
#include <memory>

namespace {

// The picture's own block, made for the imaging library to decode into.
struct PictureBlock {
    std::unique_ptr<BYTE[]> bytes;
    std::size_t size = 0;
};

BYTE* MakePictureBlock(std::size_t bytes, void* context) {
    auto& block = *static_cast<PictureBlock*>(context);
    block.bytes = NewPictureBlock(bytes);
    block.size = bytes;
    return block.bytes.get();
}

// A transparent picture comes with its mask; unless the codec shows none for 16-bit files.
CPictureInfo* PictureWithMask(CImagingBitmap& bitmap, const ImagingFileInfo& info, CPictureInfo*& mask) {
    if (info.hasTransparency && !(ThisCodec().noMaskAt16Bits && info.bitsPerPixel == 16))
        TakeMask(bitmap, true, mask);
    return PictureFromBitmap(bitmap);
}

} // namespace

bool LoadLibraries() {
    // BMP files reach the imaging library's reader through this plug-in's own copy of the picture gate.
    InstallPictureBmpReader();
    return true;
}

CPictureInfo* LoadFile(const CString& path, int bitsPerPixel, CPictureInfo*& mask) {
    return Guarded<CPictureInfo*>(nullptr, [&]() -> CPictureInfo* {
        const CodecDescription& codec = ThisCodec();
        if (!FindCodecFormat(codec.open, CodecExtensionOf(path)))
            return nullptr;
        CImagingBitmap bitmap;
        ImagingFileInfo info;
        if (bitsPerPixel != 0)
            return LoadImagingFile(path, bitsPerPixel, bitmap, &info) ? PictureWithMask(bitmap, info, mask)
                                                                      : nullptr;
        // At the file's own depth the picture is decoded into its own block, unless it is transparent.
        PictureBlock block;
        if (!LoadImagingFileToBlock(path, MakePictureBlock, &block, bitmap, &info))
            return nullptr;
        return block.bytes ? PictureFromBlock(std::move(block.bytes), block.size)
                           : PictureWithMask(bitmap, info, mask);
    });
}

CPictureInfo* LoadFileAs(const CString& path, const CString& asExtension, int bitsPerPixel,
                         CPictureInfo*& mask) {
    return Guarded<CPictureInfo*>(nullptr, [&]() -> CPictureInfo* {
        if (!FindCodecFormat(ThisCodec().open, asExtension))
            return nullptr;
        // A file with transparency is always read with its alpha channel.
        ImagingFileInfo info;
        const bool transparent = ReadImagingFileInfo(path, info) && info.hasTransparency;
        CImagingBitmap bitmap;
        if (!LoadImagingFile(path, transparent ? 32 : bitsPerPixel, bitmap, &info))
            return nullptr;
        if (info.hasTransparency)
            TakeMask(bitmap, false, mask);
        return PictureFromBitmap(bitmap);
    });
}

CPictureInfo* LoadFromMemory(void* data, DWORD size, const CString& extension, CPictureInfo*& mask) {
    return Guarded<CPictureInfo*>(nullptr, [&]() -> CPictureInfo* {
        if (!data || !FindCodecFormat(ThisCodec().open, extension))
            return nullptr;
        const CMemoryFile file(data, size);
        CImagingBitmap bitmap;
        ImagingFileInfo info;
        // Pictures from memory are always wanted in true colour.
        if (!file.Bytes() || !LoadImagingMemory(file.Bytes(), file.Size(), 24, bitmap, &info))
            return nullptr;
        if (info.hasTransparency)
            TakeMask(bitmap, false, mask);
        return PictureFromBitmap(bitmap);
    });
}

int SaveFile(const CPictureInfo* picture, const CString& path, int bitsPerPixel, int qualityLevel) {
    if (!picture)
        return 0;
    return Guarded(kImagingErrorMemory, [&] {
        const int startValue = ThisCodec().levelIsQuality ? qualityLevel : kQualityBest;
        const int quality =
            QualityForLevel(qualityLevel, startValue, ExtensionHasQuality(CodecExtensionOf(path)));
        return SavePictureFile(*picture, path, bitsPerPixel, quality);
    });
}

bool SaveFileInMemory(const CPictureInfo* picture, const CString& extension, int bitsPerPixel, int quality,
                      void*& data, DWORD& size) {
    return Guarded(false, [&] {
        return picture && SavePictureInMemory(*picture, extension, bitsPerPixel, quality, data, size);
    });
}

CPictureInfo* CreateThumbnailForFile(const CString& path, const CSize& size, COLORREF background,
                                     int forceSize, int resample) {
    return Guarded<CPictureInfo*>(nullptr, [&]() -> CPictureInfo* {
        const ThumbnailOptions options{.width = size.cx,
                                       .height = size.cy,
                                       .forceSize = forceSize != 0,
                                       .background = background,
                                       .resample = resample != 0};
        CImagingBitmap thumbnail;
        if (!CreateImagingThumbnail(path, options, thumbnail))
            return nullptr;
        return PictureFromBitmap(thumbnail);
    });
}
