#pragma once
// Waiting on the program's kernel objects: events and threads. Their handles are ids in a process-wide
// table, not addresses, so a wait on a handle whose object is gone fails instead of touching freed memory.

#include "platform/base/WinTypes.h"

#include <condition_variable>
#include <memory>
#include <mutex>

inline constexpr DWORD INFINITE = 0xFFFFFFFF;
inline constexpr DWORD WAIT_OBJECT_0 = 0;
inline constexpr DWORD WAIT_TIMEOUT = 258;
inline constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;

// Waits until the event or thread behind handle is signalled or timeoutMs milliseconds have passed:
// 0 only tests, INFINITE waits for ever. A wait that takes an automatic-reset event resets it.
// WAIT_FAILED for a handle that names no living event or thread.
DWORD WaitForSingleObject(HANDLE handle, DWORD timeoutMs);

namespace detail {

// The signalled state of one kernel object, shared by its owner and the waits on it.
class Waitable {
public:
    Waitable(bool manualReset, bool signalled);
    ~Waitable();
    Waitable(const Waitable&) = delete;
    Waitable& operator=(const Waitable&) = delete;

    void Set();
    void Reset();
    // True when the object was signalled within the time (and taken, for automatic reset).
    bool Wait(DWORD timeoutMs);
    HANDLE Handle() const { return m_handle; }

private:
    friend std::shared_ptr<Waitable> MakeWaitable(bool manualReset, bool signalled);

    const bool m_manualReset;
    bool m_signalled;
    std::mutex m_lock;
    std::condition_variable m_changed;
    HANDLE m_handle;
};

// A new object, entered in the handle table for as long as it lives.
std::shared_ptr<Waitable> MakeWaitable(bool manualReset, bool signalled);

} // namespace detail
