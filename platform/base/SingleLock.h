#pragma once
// CSingleLock: holds an event or critical section for one scope; the destructor lets go of what it holds.

#include "platform/base/SyncObject.h"

class CSingleLock {
public:
    explicit CSingleLock(CSyncObject* object, BOOL lockNow = FALSE);
    ~CSingleLock();
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

    // FALSE when the object was not taken within the time or is held by this lock already.
    BOOL Lock(DWORD timeoutMs = INFINITE);
    // FALSE when this lock holds nothing.
    BOOL Unlock();
    BOOL IsLocked() const { return m_locked ? TRUE : FALSE; }

private:
    CSyncObject* m_object;
    bool m_locked = false;
};
