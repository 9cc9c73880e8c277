#pragma once
// A printer's current settings as the driver gives them, merged and checked by the driver.

#include "platform/base/WinTypes.h"
#include "platform/print/DevMode.h"

// A new block (new BYTE[], the caller's) with the device mode of the printer, also stored in out; null
// when the printer cannot be opened or gives no device mode (out is then left alone, or null when the
// block could not be filled).
DEVMODE* GetPrinterDevMode(LPCTSTR printerName, LPCTSTR deviceName, DEVMODE*& out);
