// codecwmf: Windows metafiles played by our own player, enhanced metafiles drawn through SVG; pictures
// saved as WMF.

#include "codecs/CodecFormats.h"
#include "platform/imaging/ImagingFile.h"

const CodecDescription& ThisCodec() {
    static const CodecDescription codec{
        .open = {{"wmf", "WMF Dateien", kFormatMetafile, {}}, {"emf", "EMF Dateien", kFormatMetafile, {}}},
        .save = {{"wmf", "WMF Dateien", kFormatMetafile, {{"8-bits", 8}, {"24-bits", 24}}}},
    };
    return codec;
}
