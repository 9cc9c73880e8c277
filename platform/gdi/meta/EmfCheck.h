#pragma once
// Checks on EMF bytes before the converter sees them: the converter trusts sizes and offsets that a
// damaged file can set to anything.

#include "platform/gdi/GdiTypes.h"

#include <span>
#include <vector>

// A copy of the file that is safe to convert, or an empty vector. Every record is at least 8 bytes, a
// multiple of 4 and inside the file, passes libuemf's record check, and the file ends with its end
// record. A header description that lies outside the header is cleared in the copy.
std::vector<BYTE> CheckedEmfCopy(std::span<const BYTE> file);
