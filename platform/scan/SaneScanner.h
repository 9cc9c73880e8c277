#pragma once
// One opened scanner: its options set from the scan settings and its pictures read into packed DIBs.

#include "platform/scan/ImageSource.h"
#include "platform/scan/SaneLibrary.h"
#include "platform/scan/ScanDib.h"

#include <atomic>
#include <vector>

class CSaneScanner : public CImageSource {
public:
    CSaneScanner(const SaneLibrary& library, SANE_Handle handle) : m_library(library), m_handle(handle) {}
    ~CSaneScanner() override;
    CSaneScanner(const CSaneScanner&) = delete;
    CSaneScanner& operator=(const CSaneScanner&) = delete;

    // Sets mode, resolution, the whole scan area and the document source; false when the device refuses
    // one of them.
    bool Apply(const ScanSettings& settings) override;
    // One picture from a flatbed; from a feeder, pictures until it runs empty.
    TW_UINT16 PendingCount() const override { return m_pending; }
    // Scans one picture, every frame of it.
    Result Acquire(HGLOBAL& dib) override;
    void Cancel() override;
    int Progress() const override { return m_progress; }
    UINT FailureMessage() const override;
    double AreaWidthMm() const override { return m_areaWidth; }
    double AreaHeightMm() const override { return m_areaHeight; }

    // What the panel offers: the resolutions the device allows, ascending, and its document sources
    // (empty when it has no choice).
    std::vector<int> Resolutions() const;
    std::vector<CString> DocumentSources() const;

private:
    // A single-pass picture of known height, converted line by line as it arrives.
    Result ReadIntoDib(const SANE_Parameters& parameters, HGLOBAL& dib);
    // A frame of unknown height or one pass of three, read whole.
    bool ReadFrame(ScanFrame& frame);
    // Ends the device's frame: what it still brings is read and dropped, then the device is cancelled.
    void StopFrame();
    // A failure with the frame ended; the failure's status stays.
    Result Failed();
    // The user stopped the run: the device stops and nothing more is pending.
    Result Cancelled();
    // Ends a page: a flatbed stops, the DIB goes to the caller; no DIB is a failure for lack of memory.
    Result Finish(HGLOBAL made, HGLOBAL& dib);
    int FindOption(const char* name) const;
    bool SetString(const char* name, const char* value);
    bool SetNumber(const char* name, double value);
    bool SetToLimit(const char* name, bool maximum, double* set);

    const SaneLibrary& m_library;
    SANE_Handle m_handle;
    bool m_feeder = false;
    TW_UINT16 m_pending = 0;
    SANE_Status m_status = SANE_STATUS_GOOD;
    double m_areaWidth = 0;
    double m_areaHeight = 0;
    std::atomic<bool> m_cancelled{false};
    std::atomic<int> m_progress{-1};
};
