#pragma once
// A printer's paper names in the driver's order, as DC_PAPERNAMES lists them.

#include "platform/base/String.h"
#include "platform/print/DevMode.h"

#include <optional>
#include <vector>

// Each name up to its terminator, at most kPaperNameChars bytes; nullopt when the count or the list call
// gives 0 or -1. Position i is the paper index of a page mapping.
std::optional<std::vector<CString>> ReadPaperNames(LPCTSTR device, LPCTSTR port, const DEVMODE* devMode);
