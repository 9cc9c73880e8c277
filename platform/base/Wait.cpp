#include "platform/base/Wait.h"

#include <chrono>
#include <cstdint>
#include <unordered_map>

namespace detail {
namespace {

// Handles start far above any file handle (descriptor + 1), so the two kinds never meet.
constexpr std::uintptr_t kFirstHandle = std::uintptr_t{1} << 40;

struct HandleTable {
    std::mutex lock;
    std::uintptr_t next = kFirstHandle;
    std::unordered_map<std::uintptr_t, std::weak_ptr<Waitable>> objects;
};

HandleTable& Table() {
    static HandleTable table;
    return table;
}

std::uintptr_t HandleValue(HANDLE handle) {
    return reinterpret_cast<std::uintptr_t>(handle);
}

} // namespace

Waitable::Waitable(bool manualReset, bool signalled)
    : m_manualReset(manualReset), m_signalled(signalled), m_handle(nullptr) {}

Waitable::~Waitable() {
    if (!m_handle)
        return;
    HandleTable& table = Table();
    std::lock_guard guard(table.lock);
    table.objects.erase(HandleValue(m_handle));
}

void Waitable::Set() {
    {
        std::lock_guard guard(m_lock);
        m_signalled = true;
    }
    m_changed.notify_all();
}

void Waitable::Reset() {
    std::lock_guard guard(m_lock);
    m_signalled = false;
}

bool Waitable::Wait(DWORD timeoutMs) {
    std::unique_lock guard(m_lock);
    const auto isSignalled = [this] { return m_signalled; };
    if (timeoutMs == INFINITE)
        m_changed.wait(guard, isSignalled);
    else if (!m_changed.wait_for(guard, std::chrono::milliseconds(timeoutMs), isSignalled))
        return false;
    if (!m_manualReset)
        m_signalled = false;
    return true;
}

std::shared_ptr<Waitable> MakeWaitable(bool manualReset, bool signalled) {
    auto object = std::make_shared<Waitable>(manualReset, signalled);
    HandleTable& table = Table();
    std::lock_guard guard(table.lock);
    const std::uintptr_t value = table.next++;
    object->m_handle = reinterpret_cast<HANDLE>(value);
    table.objects.emplace(value, object);
    return object;
}

} // namespace detail

DWORD WaitForSingleObject(HANDLE handle, DWORD timeoutMs) {
    std::shared_ptr<detail::Waitable> object;
    {
        detail::HandleTable& table = detail::Table();
        std::lock_guard guard(table.lock);
        const auto found = table.objects.find(detail::HandleValue(handle));
        if (found != table.objects.end())
            object = found->second.lock();
    }
    if (!object)
        return WAIT_FAILED;
    return object->Wait(timeoutMs) ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}
