#pragma once
// The program's source manager: scanners found by the scanner library (SANE) offered as sources through
// the acquisition protocol's one entry point. A source enabled without its own panel reports a picture
// ready at once and scans with the settings kept for it.

#include "platform/scan/TwainTypes.h"

TW_UINT16 DSM_Entry(TW_IDENTITY* origin, TW_IDENTITY* destination, TW_UINT32 group, TW_UINT16 argument,
                    TW_UINT16 message, TW_MEMREF data);

