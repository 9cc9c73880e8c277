#pragma once
// Printer device contexts: contexts that answer GetDeviceCaps for a printer's page as a device mode sets
// it up (paper, orientation, resolution and the printer's unprintable edges).

#include "platform/gdi/Dc.h"
#include "platform/print/DevMode.h"

// A context for the printer named device; the driver and port are not needed to find it. A null device
// mode takes the printer's own settings; a given one is laid over them as DocumentProperties does. Null
// when the printer cannot be opened. DeleteDC frees it.
HDC CreateDC(LPCTSTR driver, LPCTSTR device, LPCTSTR port, const DEVMODE* devMode);
