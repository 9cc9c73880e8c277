#pragma once
// IProgressReport: the modeless progress window that long page operations step; the application's
// progress dialog implements it, tests record it.

#include "platform/base/String.h"

class IProgressReport {
public:
    virtual ~IProgressReport() = default;
    // Shows the window centred, with the title.
    virtual void Open(const CString& title) = 0;
    virtual void SetRange(int low, int high) = 0;
    virtual void SetStep(float step) = 0;
    // Returns the position before.
    virtual int StepIt() = 0;
    virtual void Close() = 0;
};
