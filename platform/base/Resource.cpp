#include "platform/base/Resource.h"

#include "platform/base/GlobalMemory.h"
#include "platform/base/Module.h"
#include "platform/base/ResourceFile.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <string>

namespace {

std::atomic<HINSTANCE> g_resourceHandle{nullptr};

// The folder of a resource type in a module; empty for a type the modules do not hold.
std::string TypeFolder(LPCTSTR type) {
    if (!IS_INTRESOURCE(type)) {
        return {};
    }
    switch (reinterpret_cast<std::uintptr_t>(type)) {
    case 2:
        return "bitmap";
    case 4:
        return "menu";
    case 5:
        return "dialog";
    case 6:
        return "string";
    case 9:
        return "accelerator";
    case 12:
        return "cursor";
    case 241:
        return "toolbar";
    default:
        return {};
    }
}

bool IsAllDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The decimal form of an id given as digits; empty beyond 16 bits, where no id lies.
std::string IdKey(std::string_view digits) {
    unsigned long value = 0;
    for (char c : digits) {
        value = value * 10 + static_cast<unsigned long>(c - '0');
        if (value > 0xFFFF) {
            return {};
        }
    }
    return std::to_string(value);
}

// Ids are stored as decimal numbers, names in upper case. A name of digits alone names no resource, for
// names and ids are told apart: "#208" is id 208, "208" a name.
std::string ResourceKey(LPCTSTR name) {
    if (IS_INTRESOURCE(name)) {
        return std::to_string(reinterpret_cast<std::uintptr_t>(name));
    }
    std::string key(name);
    if (key.size() > 1 && key[0] == '#' && IsAllDigits(key.substr(1))) {
        return IdKey(std::string_view(key).substr(1));
    }
    if (IsAllDigits(key)) {
        return {};
    }
    std::transform(key.begin(), key.end(), key.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    return key;
}

} // namespace

HRSRC FindResource(HMODULE module, LPCTSTR name, LPCTSTR type) {
    if (!module || !name || !type || !module->Resources()) {
        return nullptr;
    }
    const std::string folder = TypeFolder(type);
    const std::string key = ResourceKey(name);
    if (folder.empty() || key.empty()) {
        return nullptr;
    }
    return module->Resources()->Find(folder + "/" + key);
}

HGLOBAL LoadResource(HMODULE, HRSRC resource) {
    return resource ? resource->data.get() : nullptr;
}

LPVOID LockResource(HGLOBAL data) {
    return GlobalLock(data);
}

DWORD SizeofResource(HMODULE, HRSRC resource) {
    return resource ? static_cast<DWORD>(GlobalSize(resource->data.get())) : 0;
}

BOOL FreeResource(HGLOBAL) {
    return FALSE;
}

int LoadString(HINSTANCE module, UINT id, LPTSTR buffer, int bufferMax) {
    if (!buffer || bufferMax <= 0) {
        return 0;
    }
    buffer[0] = '\0';
    if (id > 0xFFFF) {
        return 0;
    }
    const HRSRC resource = FindResource(module, MAKEINTRESOURCE(static_cast<WORD>(id)), RT_STRING);
    if (!resource) {
        return 0;
    }
    const size_t copied =
        std::min<size_t>(SizeofResource(module, resource), static_cast<size_t>(bufferMax) - 1);
    std::memcpy(buffer, LockResource(LoadResource(module, resource)), copied);
    buffer[copied] = '\0';
    return static_cast<int>(copied);
}

CString LoadWholeString(HINSTANCE module, UINT id, int size) {
    for (int n = std::max(size, 1);; n += 256) {
        std::string buffer(static_cast<size_t>(n) + 1, '\0');
        const int length = LoadString(module, id, buffer.data(), n);
        if (length + 1 < n) {
            buffer.resize(static_cast<size_t>(length));
            return CString(std::move(buffer));
        }
    }
}

HINSTANCE AfxGetResourceHandle() {
    return g_resourceHandle.load();
}

void AfxSetResourceHandle(HINSTANCE module) {
    g_resourceHandle.store(module);
}
