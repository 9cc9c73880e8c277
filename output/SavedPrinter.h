#pragma once
// The printer saved in the profile's "Printer" section, which the program only reads: its device names,
// its device mode as one record, and its settings one value each. Whatever does not fit is not taken.

#include "platform/base/GlobalMemory.h"
#include "platform/print/DevMode.h"

// Whether the section holds a saved printer: its "Orientation" is there.
bool HasSavedPrinter();
// A new movable block with the saved DEVNAMES and its three names, built only when every offset and name
// fits in the block (each name with its terminator behind the header, inside the block and apart from
// the other two); null otherwise, or when the printer has no name.
UniqueGlobal ReadSavedDevNames();
// The saved "DevMode" record as a new movable block when it is one whole valid record; null otherwise.
UniqueGlobal ReadSavedDevMode();
// Lays the saved single settings over the device mode of bytes: "DeviceName", "Orientation", "PageSize",
// "PageLength", "PageWidth", "Copies" and "PrintQuality"; the fields mask stays. FALSE, with the device
// mode untouched, when a number does not fit its field, the name is longer than 31 bytes, or the result
// is no valid device mode.
BOOL RestoreSavedSettings(DEVMODE* devMode, SIZE_T bytes);
