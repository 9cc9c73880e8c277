#pragma once
// Whole-file reads and rewrites of the delete-on-close temporary files that picture objects keep.

#include "platform/base/WinTypes.h"

#include <optional>
#include <vector>

// The file from its start; nothing when it cannot be read.
std::optional<std::vector<BYTE>> ReadWholeTempFile(HANDLE file);
// Truncates the file and writes size bytes; false on any failure or short write.
bool RewriteTempFile(HANDLE file, const BYTE* data, DWORD size);
// The target's contents become a copy of the source's; false when either cannot be used.
bool CopyTempFile(HANDLE target, HANDLE source);
