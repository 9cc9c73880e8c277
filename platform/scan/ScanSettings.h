#pragma once
// How a scanner scans: what the user chose in the scan panel, kept per source for the program's run.

#include "platform/base/String.h"

struct ScanSettings {
    enum class Mode { kColor, kGray, kLineart };
    Mode mode = Mode::kColor;
    int resolution = 150;
    // The device's document source ("Flatbed", "Automatic Document Feeder" ...); empty: its default.
    CString documentSource;
};

ScanSettings GetScanSettings(const CString& sourceName);
void SetScanSettings(const CString& sourceName, const ScanSettings& settings);
