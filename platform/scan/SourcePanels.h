#pragma once
// The sources' own panels, shown modal to the program's window when a source is enabled with its user
// interface: a scanner's mode, resolution and document source, or the pictures to take from a camera.

#include "platform/scan/ScanSettings.h"

class CImageSource;
class CWnd;

// Shows the panel for the opened source with the settings kept for it and returns true with the user's
// choice in settings, or false when the user cancelled.
bool RunSourcePanel(CImageSource& source, CWnd* parent, ScanSettings& settings);
