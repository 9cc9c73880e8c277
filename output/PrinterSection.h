#pragma once
// The profile section that holds one printer's own values ("PrintOffsetX", "PrintOffsetY"): the printer
// name with every '\' turned into '/', as one key of the profile root. Keys ignore letter case.

#include "platform/base/String.h"

CString PrinterSection(const CString& printerName);
