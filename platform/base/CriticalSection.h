#pragma once
// CCriticalSection: a lock one thread may take again while it holds it, as a Windows critical section.

#include "platform/base/SyncObject.h"

#include <mutex>

class CCriticalSection : public CSyncObject {
public:
    CCriticalSection() = default;
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;

    // TRUE once held; with a time-out, FALSE when another thread still holds it after that time.
    BOOL Lock(DWORD timeoutMs = INFINITE) override;
    BOOL Unlock() override;

private:
    std::recursive_timed_mutex m_mutex;
};
