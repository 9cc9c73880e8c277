#pragma once
// The file names of a desktop drop, read from its CF_HDROP block.

#include "platform/base/String.h"

#include <vector>

class COleDataObject;

// In drop order; empty when the drop holds no local files.
std::vector<CString> ReadDroppedFiles(COleDataObject* data);
