// Accelerator tables from the resource module, and the translation of a key press into its command.
#include "platform/ui/Accelerator.h"

#include "platform/base/AcceleratorTemplate.h"
#include "platform/ui/Wnd.h"

#include <map>
#include <memory>
#include <vector>

struct AcceleratorTable {
    std::vector<ACCEL> entries;
};

namespace {

// The code of WM_COMMAND's high word for a command that came from an accelerator.
constexpr WORD kAcceleratorCode = 1;

std::unique_ptr<AcceleratorTable> TableOf(const AcceleratorTemplate& source) {
    auto table = std::make_unique<AcceleratorTable>();
    for (const AcceleratorKey& key : source.keys) {
        BYTE flags = FVIRTKEY;
        if (key.control)
            flags |= FCONTROL;
        if (key.shift)
            flags |= FSHIFT;
        if (key.alt)
            flags |= FALT;
        table->entries.push_back(ACCEL{flags, key.virtualKey, key.command});
    }
    return table;
}

bool IsDown(int virtualKey) {
    return (GetKeyState(virtualKey) & 0x8000) != 0;
}

} // namespace

HACCEL LoadAccelerators(HINSTANCE module, LPCTSTR name) {
    if (!module || !IS_INTRESOURCE(name))
        return nullptr;
    const HRSRC resource = FindResource(module, name, RT_ACCELERATOR);
    if (!resource)
        return nullptr;
    // Made once per resource and shared, as the module's cursors are.
    static std::map<HRSRC, std::unique_ptr<AcceleratorTable>> tables;
    auto& table = tables[resource];
    if (!table) {
        AcceleratorTemplate source;
        const auto id = static_cast<UINT>(reinterpret_cast<std::uintptr_t>(name));
        if (!LoadAcceleratorTemplate(module, id, source))
            return nullptr;
        table = TableOf(source);
    }
    return table.get();
}

int CopyAcceleratorTable(HACCEL table, ACCEL* entries, int count) {
    if (!table)
        return 0;
    const int size = static_cast<int>(table->entries.size());
    if (!entries)
        return size;
    const int copied = std::min(size, std::max(count, 0));
    for (int i = 0; i < copied; ++i)
        entries[i] = table->entries[static_cast<size_t>(i)];
    return copied;
}

int TranslateAccelerator(HWND window, HACCEL table, LPMSG message) {
    if (!table || !message || !IsWindow(window) ||
        (message->message != WM_KEYDOWN && message->message != WM_SYSKEYDOWN))
        return 0;
    BYTE held = 0;
    if (IsDown(VK_CONTROL))
        held |= FCONTROL;
    if (IsDown(VK_SHIFT))
        held |= FSHIFT;
    if (IsDown(VK_MENU))
        held |= FALT;
    const auto key = static_cast<WORD>(message->wParam);
    for (const ACCEL& entry : table->entries) {
        if (entry.key != key || (entry.fVirt & (FCONTROL | FSHIFT | FALT)) != held)
            continue;
        ::SendMessage(window, WM_COMMAND, MAKEWPARAM(entry.cmd, kAcceleratorCode), 0);
        return 1;
    }
    return 0;
}
