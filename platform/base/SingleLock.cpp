#include "platform/base/SingleLock.h"

CSingleLock::CSingleLock(CSyncObject* object, BOOL lockNow) : m_object(object) {
    if (lockNow)
        Lock();
}

CSingleLock::~CSingleLock() {
    Unlock();
}

BOOL CSingleLock::Lock(DWORD timeoutMs) {
    if (!m_object || m_locked)
        return FALSE;
    m_locked = m_object->Lock(timeoutMs) != FALSE;
    return m_locked ? TRUE : FALSE;
}

BOOL CSingleLock::Unlock() {
    if (!m_locked)
        return FALSE;
    m_locked = false;
    return m_object->Unlock();
}
