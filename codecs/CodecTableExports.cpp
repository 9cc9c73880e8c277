// The exports that answer from the plug-in's format tables alone, and GetBitsPtr: the same in every plug-in.

#include "codecs/CodecFormats.h"
#include "codecs/CodecPictures.h"
#include "image/CodecExports.h"
#include "image/ColorDepth.h"
#include "image/DibGeometry.h"
#include "platform/base/Lists.h"

namespace {

void AppendExtensions(const std::vector<CodecFormat>& list, CStringList& extensions,
                      CStringList& descriptions) {
    for (const CodecFormat& format : list) {
        extensions.AddTail(format.extension);
        descriptions.AddTail(format.description);
    }
}

} // namespace

void GetOpenExtensionsAvailable(CStringList& extensions, CStringList& descriptions) {
    Guarded([&] { AppendExtensions(ThisCodec().open, extensions, descriptions); });
}

void GetSaveExtensionsAvailable(CStringList& extensions, CStringList& descriptions) {
    Guarded([&] { AppendExtensions(ThisCodec().save, extensions, descriptions); });
}

void GetColorDepthsForExtension(CColorDepthList& depths, const CString& extension) {
    Guarded([&] {
        if (const CodecFormat* format = FindCodecFormat(ThisCodec().save, extension)) {
            for (const CodecDepth& depth : format->depths)
                depths.AddTail(new CColorDepth(depth.name, depth.bits));
        }
    });
}

bool ExtensionHasQuality(const CString& extension) {
    return Guarded(false, [&] {
        const CodecFormat* format = FindCodecFormat(ThisCodec().save, extension);
        return format && format->hasQuality;
    });
}

void* GetBitsPtr(void* dib) {
    return dib ? DibBitsPtr(static_cast<BITMAPINFOHEADER*>(dib)) : nullptr;
}
