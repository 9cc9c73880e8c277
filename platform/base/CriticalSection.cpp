#include "platform/base/CriticalSection.h"

#include <chrono>

BOOL CCriticalSection::Lock(DWORD timeoutMs) {
    if (timeoutMs == INFINITE) {
        m_mutex.lock();
        return TRUE;
    }
    return m_mutex.try_lock_for(std::chrono::milliseconds(timeoutMs)) ? TRUE : FALSE;
}

BOOL CCriticalSection::Unlock() {
    m_mutex.unlock();
    return TRUE;
}
