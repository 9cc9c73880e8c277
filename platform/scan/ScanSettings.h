#pragma once
// How a source delivers: what the user chose in its panel, kept per source for the program's run.

#include "platform/base/String.h"

#include <vector>

struct ScanSettings {
    enum class Mode { kColor, kGray, kLineart };
    Mode mode = Mode::kColor;
    int resolution = 150;
    // The device's document source ("Flatbed", "Automatic Document Feeder" ...); empty: its default.
    CString documentSource;
    // A camera's chosen pictures as "folder/name"; none: every picture on it.
    std::vector<CString> pictures;
};

ScanSettings GetScanSettings(const CString& sourceName);
void SetScanSettings(const CString& sourceName, const ScanSettings& settings);
