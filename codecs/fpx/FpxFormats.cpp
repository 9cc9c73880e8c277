// codecfpx: Photo CD, read only.

#include "codecs/CodecFormats.h"
#include "platform/imaging/ImagingFile.h"

const CodecDescription& ThisCodec() {
    static const CodecDescription codec{
        .open = {{"pcd", "PhotoCD Dateien", kFormatPhotoCd, {}}},
        .save = {},
    };
    return codec;
}
