#pragma once
// CInstanceLock: one running copy of the program per user. A lock file in a folder (the runtime
// folder) is held while the program runs. The lock of a process that no longer runs (killed, crashed)
// is taken over; a lock is never broken for its age, however long the first copy runs.

#include "platform/base/String.h"

#include <memory>

class QLockFile;

class CInstanceLock {
public:
    CInstanceLock();
    ~CInstanceLock();
    CInstanceLock(const CInstanceLock&) = delete;
    CInstanceLock& operator=(const CInstanceLock&) = delete;

    // Takes the lock "<folder>/<name>.lock" (the folder is made when missing, private to the user).
    // False when a running process holds it or the file cannot be made.
    bool Acquire(const CString& folder, const CString& name);
    bool IsHeld() const;

private:
    std::unique_ptr<QLockFile> m_lock;
};
