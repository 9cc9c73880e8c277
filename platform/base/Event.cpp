#include "platform/base/Event.h"

CEvent::CEvent(BOOL initiallySignalled, BOOL manualReset, LPCTSTR, void*)
    : m_state(detail::MakeWaitable(manualReset != FALSE, initiallySignalled != FALSE)) {}

BOOL CEvent::SetEvent() {
    m_state->Set();
    return TRUE;
}

BOOL CEvent::ResetEvent() {
    m_state->Reset();
    return TRUE;
}

BOOL CEvent::Lock(DWORD timeoutMs) {
    return m_state->Wait(timeoutMs) ? TRUE : FALSE;
}

BOOL CEvent::Unlock() {
    return TRUE;
}

CEvent::operator HANDLE() const {
    return m_state->Handle();
}
