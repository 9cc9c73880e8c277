#pragma once
// Pictures a camera hands over, decoded by the program's codecs for the source manager.

#include "platform/base/GlobalMemory.h"
#include "platform/base/String.h"

#include <cstddef>

class CExtMgr;

// The picture file's bytes as a new packed DIB; null when no codec reads them.
HGLOBAL DecodeCameraPicture(CExtMgr& codecs, const void* data, std::size_t size, const CString& extension);

// Lets the source manager's cameras decode through codecs from now on.
void UseCodecsForCameras(CExtMgr& codecs);
