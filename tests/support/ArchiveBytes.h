#pragma once
// Archives over memory, for tests of what objects store: the bytes a store leaves, and a load from given
// bytes.

#include "platform/base/Archive.h"

#include <functional>
#include <initializer_list>
#include <vector>

// The bytes that write stores through an archive over memory, read after the archive is closed.
std::vector<BYTE> StoredBytes(const std::function<void(CArchive&)>& write);
// Runs read over an archive that loads from a copy of bytes.
void LoadFromBytes(std::vector<BYTE> bytes, const std::function<void(CArchive&)>& read);
// The parts' bytes one after another, to spell out a stored form.
std::vector<BYTE> Joined(std::initializer_list<std::vector<BYTE>> parts);
