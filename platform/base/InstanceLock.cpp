#include "platform/base/InstanceLock.h"

#include "platform/base/Path.h"

#include <QLockFile>
#include <sys/stat.h>

CInstanceLock::CInstanceLock() = default;

CInstanceLock::~CInstanceLock() = default;

bool CInstanceLock::Acquire(const CString& folder, const CString& name) {
    m_lock.reset();
    struct stat existing {};
    const bool made = stat(folder.GetString(), &existing) != 0;
    if (!MakeFolderPath(folder))
        return false;
    if (made)
        chmod(folder.GetString(), S_IRWXU);
    auto lock = std::make_unique<QLockFile>(QString::fromUtf8((folder + "/" + name + ".lock").GetString()));
    // Only a dead owner makes a lock stale: the default age limit would let a second copy in after
    // the first had run for half a minute.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return false;
    m_lock = std::move(lock);
    return true;
}

bool CInstanceLock::IsHeld() const {
    return m_lock && m_lock->isLocked();
}
