#pragma once
// CSyncObject: what CSingleLock locks and unlocks, an event or a critical section.

#include "platform/base/Wait.h"

class CSyncObject {
public:
    virtual ~CSyncObject() = default;
    // TRUE when the object was taken within timeoutMs milliseconds.
    virtual BOOL Lock(DWORD timeoutMs = INFINITE) = 0;
    virtual BOOL Unlock() = 0;
};
