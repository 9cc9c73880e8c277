#pragma once
// The format tables of one codec plug-in. The shared plug-in frame implements every export over the
// imaging library from these tables; each plug-in defines ThisCodec() with its own.

#include "platform/base/String.h"

#include <vector>

struct CodecDepth {
    const char* name; // shown in the save dialog, e.g. "24-bits"
    int bits;
};

// One format in one direction; an extension in both lists has two separate entries.
struct CodecFormat {
    const char* extension;          // lower case, without the dot
    const char* description;        // shown in the file dialogs
    int formatCode;                 // the imaging library's format code used when saving
    std::vector<CodecDepth> depths; // in the order a save dialog offers them; empty for open entries
    bool hasQuality = false;        // the format takes a compression quality
};

struct CodecDescription {
    std::vector<CodecFormat> open; // formats read, in list order
    std::vector<CodecFormat> save; // formats written
    // The quality level the caller gives is passed to the encoder as it is where no preset maps it;
    // otherwise the best quality is.
    bool levelIsQuality = false;
    // Files of 16 bits per pixel get no mask.
    bool noMaskAt16Bits = false;
};

// The plug-in's tables, built once on first use.
const CodecDescription& ThisCodec();

// The first entry of the list whose extension equals extension without regard to case, or null.
const CodecFormat* FindCodecFormat(const std::vector<CodecFormat>& list, const CString& extension);

// The text after the path's last "."; empty when there is none.
CString CodecExtensionOf(const CString& path);
