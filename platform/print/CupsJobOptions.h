#pragma once
// The IPP job attributes that carry a device mode's colour and duplex choice to a CUPS queue.

#include "platform/base/WinTypes.h"

#include <utility>
#include <vector>

using CupsJobOption = std::pair<const char*, const char*>;

// "print-color-mode" and "sides" for DMCOLOR_* and DMDUP_* values; a value outside them leaves its
// attribute to the queue's default.
std::vector<CupsJobOption> CupsJobOptions(SHORT color, SHORT duplex);
