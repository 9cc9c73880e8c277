#pragma once
// A printer's own device mode, fetched the spooler's way: the size first, then the settings, then the
// settings merged over themselves so that the driver completes them.

#include "platform/base/WinTypes.h"

#include <memory>

// A block of the device mode's size; null when the printer cannot be opened or reports no size.
// deviceName is the name the printer's driver is asked with.
std::unique_ptr<BYTE[]> FetchPrinterDevMode(LPCTSTR printerName, LPCTSTR deviceName);
