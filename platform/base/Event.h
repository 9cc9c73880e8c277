#pragma once
// CEvent: a manual- or automatic-reset event for one process. Names are accepted and ignored: the
// program runs as a single instance, so no other process shares them.

#include "platform/base/SyncObject.h"

#include <memory>

class CEvent : public CSyncObject {
public:
    explicit CEvent(BOOL initiallySignalled = FALSE, BOOL manualReset = FALSE, LPCTSTR name = nullptr,
                    void* security = nullptr);
    CEvent(const CEvent&) = delete;
    CEvent& operator=(const CEvent&) = delete;

    BOOL SetEvent();
    BOOL ResetEvent();
    // Waits for the event; an automatic-reset event is reset by the wait that takes it.
    BOOL Lock(DWORD timeoutMs = INFINITE) override;
    // Nothing to give back: an event is not owned.
    BOOL Unlock() override;
    // The handle for WaitForSingleObject; it names nothing once the event is destroyed.
    operator HANDLE() const;

private:
    std::shared_ptr<detail::Waitable> m_state;
};
