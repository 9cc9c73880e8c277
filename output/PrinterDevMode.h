#pragma once
// A printer's current settings as the driver gives them: the size first, then the settings, then the
// settings merged over themselves so that the driver completes and checks them.

#include "platform/base/WinTypes.h"
#include "platform/print/DevMode.h"

#include <memory>

// A block of the device mode's size; null when the printer cannot be opened or gives no device mode.
// deviceName is the name the printer's driver is asked with.
std::unique_ptr<BYTE[]> FetchPrinterDevMode(LPCTSTR printerName, LPCTSTR deviceName);

// The same block as a new BYTE[] the caller frees, also stored in out; null (out left alone) when there
// is none.
DEVMODE* GetPrinterDevMode(LPCTSTR printerName, LPCTSTR deviceName, DEVMODE*& out);
