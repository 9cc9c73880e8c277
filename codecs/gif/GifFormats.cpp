// codecgif: reads GIF files with the program's own reader; saves nothing.

#include "codecs/CodecFormats.h"

const CodecDescription& ThisCodec() {
    static const CodecDescription codec{
        .open = {{"gif", "GIF Dateien", 0, {}}},
        .save = {},
    };
    return codec;
}
