#pragma once
// One opened scanner: its options set from the scan settings and its pictures read into packed DIBs.

#include "platform/base/GlobalMemory.h"
#include "platform/scan/SaneLibrary.h"
#include "platform/scan/ScanSettings.h"

class CSaneScanner {
public:
    enum class Result { kDone, kNoDocuments, kCancelled, kFailed };

    CSaneScanner(const SaneLibrary& library, SANE_Handle handle) : m_library(library), m_handle(handle) {}
    ~CSaneScanner();
    CSaneScanner(const CSaneScanner&) = delete;
    CSaneScanner& operator=(const CSaneScanner&) = delete;

    // Sets mode, resolution, the whole scan area and the document source; false when the device refuses
    // one of them.
    bool Apply(const ScanSettings& settings);
    // Whether the chosen document source feeds several sheets.
    bool IsFeeder() const { return m_feeder; }
    // Scans one picture (every frame of it) into a new packed bottom-up DIB.
    Result Scan(HGLOBAL& dib);
    // The last failure, as SANE names it.
    SANE_Status LastStatus() const { return m_status; }
    // The whole scan area in millimetres.
    double AreaWidthMm() const { return m_areaWidth; }
    double AreaHeightMm() const { return m_areaHeight; }

private:
    int FindOption(const char* name) const;
    bool SetString(const char* name, const char* value);
    bool SetNumber(const char* name, double value);
    bool SetToLimit(const char* name, bool maximum, double* set);

    const SaneLibrary& m_library;
    SANE_Handle m_handle;
    bool m_feeder = false;
    SANE_Status m_status = SANE_STATUS_GOOD;
    double m_areaWidth = 0;
    double m_areaHeight = 0;
};
