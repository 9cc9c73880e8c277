// codectiff: TIFF, with every depth from 1 to 8 bits and the true-colour ones.

#include "codecs/CodecFormats.h"
#include "platform/imaging/ImagingFile.h"

const CodecDescription& ThisCodec() {
    static const CodecDescription codec{
        .open = {{"tif", "Tiff Dateien", kFormatTiff, {}}},
        .save = {{"tif",
                  "Tiff Dateien",
                  kFormatTiff,
                  {{"8-bits", 8},
                   {"16-bits", 16},
                   {"24-bits", 24},
                   {"32-bits", 32},
                   {"7-bits", 7},
                   {"6-bits", 6},
                   {"5-bits", 5},
                   {"4-bits", 4},
                   {"3-bits", 3},
                   {"2-bits", 2},
                   {"1-bit", 1}}}},
    };
    return codec;
}
