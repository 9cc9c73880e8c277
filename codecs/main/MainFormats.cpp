// codecmain: the everyday raster formats.

#include "codecs/CodecFormats.h"
#include "platform/imaging/ImagingFile.h"

const CodecDescription& ThisCodec() {
    static const CodecDescription codec{
        .open =
            {
                {"bmp", "bitmap Dateien", kFormatBmp, {}},
                {"jpg", "JPEG Dateien", kFormatJpeg, {}},
                {"jpeg", "JPEG Dateien", kFormatJpeg, {}},
                {"pcx", "pcx Dateien", kFormatPcx, {}},
                {"png", "png Dateien", kFormatPng, {}},
                {"ico", "icons Dateien", kFormatIco, {}},
                {"cur", "cursors Dateien", kFormatCur, {}},
            },
        .save =
            {
                {"bmp",
                 "bitmap Dateien",
                 kFormatBmp,
                 {{"8-bits", 8},
                  {"16-bits", 16},
                  {"24-bits", 24},
                  {"32-bits", 32},
                  {"4-bits", 4},
                  {"1-bit", 1}}},
                {"jpg", "JPEG Dateien", kFormatJpeg, {{"24-bits", 24}}, true},
                {"jpeg", "JPEG Dateien", kFormatJpeg, {{"24-bits", 24}}, true},
                {"pcx",
                 "pcx Dateien",
                 kFormatPcx,
                 {{"1-bit", 1}, {"4-bits", 4}, {"8-bits", 8}, {"24-bits", 24}}},
                {"png",
                 "png Dateien",
                 kFormatPng,
                 {{"1-bit", 1}, {"4-bits", 4}, {"8-bits", 8}, {"24-bits", 24}}},
                // Icons are read, never written; cursors are written under a description of their own.
                {"cur",
                 "Cursor Dateien",
                 kFormatCur,
                 {{"1-bits", 1}, {"4-bits", 4}, {"8-bits", 8}, {"24-bits", 24}}},
            },
        .levelIsQuality = true,
        .noMaskAt16Bits = true,
    };
    return codec;
}
