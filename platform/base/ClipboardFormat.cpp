#include "platform/base/ClipboardFormat.h"

#include "platform/base/String.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <vector>

namespace {

// Windows hands out ids up to 0xFFFF.
constexpr size_t kMaxRegisteredFormats = 0x10000 - kFirstRegisteredFormat;

struct FormatTable {
    std::mutex mutex;
    std::vector<CString> names; // index = id - kFirstRegisteredFormat
};

FormatTable& Table() {
    static FormatTable table;
    return table;
}

} // namespace

UINT RegisterClipboardFormat(LPCTSTR name) {
    if (name == nullptr || *name == '\0')
        return 0;
    FormatTable& table = Table();
    const std::lock_guard lock(table.mutex);
    const auto found = std::find_if(table.names.begin(), table.names.end(),
                                    [name](const CString& known) { return known.CompareNoCase(name) == 0; });
    if (found != table.names.end())
        return kFirstRegisteredFormat + static_cast<UINT>(found - table.names.begin());
    if (table.names.size() >= kMaxRegisteredFormats)
        return 0;
    table.names.emplace_back(name);
    return kFirstRegisteredFormat + static_cast<UINT>(table.names.size() - 1);
}

int GetClipboardFormatName(UINT format, LPTSTR buffer, int size) {
    if (buffer == nullptr || size <= 0)
        return 0;
    FormatTable& table = Table();
    const std::lock_guard lock(table.mutex);
    if (format < kFirstRegisteredFormat || format - kFirstRegisteredFormat >= table.names.size())
        return 0;
    const CString& name = table.names[format - kFirstRegisteredFormat];
    const int copied = std::min(name.GetLength(), size - 1);
    std::memcpy(buffer, name.GetString(), static_cast<size_t>(copied));
    buffer[copied] = '\0';
    return copied;
}
