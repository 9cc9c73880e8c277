#pragma once
// Qt's binary resource format, as `rcc --binary` writes it: the container of the language modules.

#include "platform/base/WinTypes.h"

#include <map>
#include <string>
#include <vector>

// Every file of the resource tree, keyed by its path from the root ("string/208"), with its contents
// uncompressed. False, with out emptied, when the bytes are not a complete, consistent resource file:
// an offset or length that leaves the bytes, a node reached twice, a path met twice, an unknown
// compression or a stream that does not inflate to its stated size.
bool ReadRccEntries(const BYTE* data, size_t size, std::map<std::string, std::vector<BYTE>>& out);

// True when the bytes begin with the signature of a resource file, whatever follows.
bool HasRccSignature(const BYTE* data, size_t size);
