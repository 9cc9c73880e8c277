#pragma once
// A source opened through the source manager, a scanner or a camera: it takes the settings kept for it
// and hands over one picture per transfer as a packed bottom-up DIB.

#include "platform/base/GlobalMemory.h"
#include "platform/scan/ScanSettings.h"
#include "platform/scan/TwainTypes.h"

// The pending count of a feeder that has not yet run empty.
constexpr TW_UINT16 kUnknownPendingCount = 0xFFFF;

class CImageSource {
public:
    enum class Result { kDone, kNoMorePictures, kCancelled, kFailed };

    virtual ~CImageSource() = default;

    // Takes the settings and starts a new run of transfers; false when the device refuses them.
    virtual bool Apply(const ScanSettings& settings) = 0;
    // Pictures still to come in this run.
    virtual TW_UINT16 PendingCount() const = 0;
    // The next picture as a new DIB. Runs on a worker thread while the user-interface thread shows the
    // progress; Cancel and Progress are then called from that thread.
    virtual Result Acquire(HGLOBAL& dib) = 0;
    // Asks the running transfer to stop: it answers kCancelled and the run ends.
    virtual void Cancel() = 0;
    // Per cent of the running transfer done; -1 while unknown.
    virtual int Progress() const { return -1; }
    // The string id of the message for the last failure.
    virtual UINT FailureMessage() const = 0;
    // The area the source scans, in millimetres; 0 for a source without one.
    virtual double AreaWidthMm() const { return 0; }
    virtual double AreaHeightMm() const { return 0; }
};
