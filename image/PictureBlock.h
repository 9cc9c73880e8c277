#pragma once
// The memory of large pictures.

#include "platform/base/WinTypes.h"

#include <cstddef>
#include <memory>

// A new block of bytes, left unset, for a picture that is filled at once (freed with delete[]). The whole
// 2 MB pages inside a large block are asked for as huge pages, so that filling it takes a small part of the
// page faults.
std::unique_ptr<BYTE[]> NewPictureBlock(std::size_t bytes);
