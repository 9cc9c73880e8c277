#pragma once
// The program's source manager: scanners found by the scanner library (SANE) and cameras found by the
// camera library (libgphoto2) offered as sources through the acquisition protocol's one entry point. A
// source enabled with its user interface shows its panel first; one enabled without reports a picture
// ready at once and delivers with the settings kept for it. Transfers with a parent window read on a
// worker thread beside a progress window whose Cancel stops them.

#include "platform/base/String.h"
#include "platform/scan/TwainTypes.h"

#include <vector>

TW_UINT16 DSM_Entry(TW_IDENTITY* origin, TW_IDENTITY* destination, TW_UINT32 group, TW_UINT16 argument,
                    TW_UINT16 message, TW_MEMREF data);

// Adds a folder camera ("Directory Browse" on "disk:<folder>") per folder to the sources the manager finds
// when it is next opened.
void SetCameraFoldersForTesting(std::vector<CString> folders);
