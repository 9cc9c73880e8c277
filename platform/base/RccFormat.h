#pragma once
// Qt's binary resource format, as `rcc --binary` writes it: the container of the language modules.

#include "platform/base/WinTypes.h"

#include <map>
#include <string>
#include <vector>

// One file of the resource tree as stored: where its bytes are and how large it is uncompressed.
struct RccEntry {
    const BYTE* stored = nullptr; // a compressed file's zlib stream, else the file's bytes
    size_t storedSize = 0;
    size_t size = 0; // the bytes once inflated
    bool compressed = false;
};

// Every file of the resource tree, keyed by its path, with the container's structure checked but no
// stream inflated: false, with out emptied, on every fault ReadRccEntries refuses short of inflating.
bool ReadRccIndex(const BYTE* data, size_t size, std::map<std::string, RccEntry>& out);

// Writes the entry's size bytes to out; false when its stream does not inflate to exactly that size.
bool InflateRccEntry(const RccEntry& entry, BYTE* out);

// Every file of the resource tree, keyed by its path from the root ("string/208"), with its contents
// uncompressed. False, with out emptied, when the bytes are not a complete, consistent resource file:
// an offset or length that leaves the bytes, a node reached twice, a path met twice, an unknown
// compression or a stream that does not inflate to its stated size.
bool ReadRccEntries(const BYTE* data, size_t size, std::map<std::string, std::vector<BYTE>>& out);

// True when the bytes begin with the signature of a resource file, whatever follows.
bool HasRccSignature(const BYTE* data, size_t size);
