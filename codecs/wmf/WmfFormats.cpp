// codecwmf: Windows metafiles, played by our own player; pictures saved as WMF.

#include "codecs/CodecFormats.h"
#include "platform/imaging/ImagingFile.h"

const CodecDescription& ThisCodec() {
    static const CodecDescription codec{
        .open = {{"wmf", "WMF Dateien", kFormatMetafile, {}}},
        .save = {{"wmf", "WMF Dateien", kFormatMetafile, {{"8-bits", 8}, {"24-bits", 24}}}},
    };
    return codec;
}
