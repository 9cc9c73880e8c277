#pragma once
// Whole-file reads and rewrites of the delete-on-close temporary files that picture objects keep.

#include "platform/base/WinTypes.h"

#include <functional>
#include <optional>
#include <vector>

// The file from its start; nothing when it cannot be read.
std::optional<std::vector<BYTE>> ReadWholeTempFile(HANDLE file);
// Truncates the file and writes size bytes; false on any failure or short write.
bool RewriteTempFile(HANDLE file, const BYTE* data, DWORD size);
// The file's size; nothing when it cannot be told or is 4 GB or more.
std::optional<DWORD> TempFileSize(HANDLE file);
// Hands size bytes from the file's start to use in pieces, so that a large file needs no block of its
// size; false when they cannot be read.
bool ReadTempFilePieces(HANDLE file, DWORD size, const std::function<void(const BYTE*, DWORD)>& use);
// Truncates the file and writes size bytes that fill(piece, count) provides in pieces; false when fill or
// a write fails.
bool RewriteTempFilePieces(HANDLE file, DWORD size, const std::function<bool(BYTE*, DWORD)>& fill);
// The target's contents become a copy of the source's; false when either cannot be used.
bool CopyTempFile(HANDLE target, HANDLE source);
