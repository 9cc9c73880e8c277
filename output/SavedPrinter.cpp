// The saved printer of the "Printer" section, validated value by value.

#include "output/SavedPrinter.h"

#include "platform/base/Profile.h"

#include <array>
#include <climits>
#include <cstring>
#include <vector>

namespace {

constexpr char kSection[] = "Printer";
// The saved device names' block is as long as the three names and this much more.
constexpr size_t kDevNamesSlack = 151;

// A saved number that has to fit a SHORT field; false when it does not.
bool ReadShort(LPCTSTR entry, SHORT* value) {
    const int number = static_cast<int>(GetProfileInt(kSection, entry, 0));
    if (number < SHRT_MIN || number > SHRT_MAX)
        return false;
    *value = static_cast<SHORT>(number);
    return true;
}

} // namespace

bool HasSavedPrinter() {
    return static_cast<int>(GetProfileInt(kSection, "Orientation", -1)) != -1;
}

UniqueGlobal ReadSavedDevNames() {
    struct Name {
        CString text;
        UINT offset;
    };
    const std::array<Name, 3> names = {{
        {GetProfileString(kSection, "Driver"), GetProfileInt(kSection, "wDriverOffset", 0)},
        {GetProfileString(kSection, "Device"), GetProfileInt(kSection, "wDeviceOffset", 0)},
        {GetProfileString(kSection, "Output"), GetProfileInt(kSection, "wOutputOffset", 0)},
    }};
    const UINT defaultFlag = GetProfileInt(kSection, "wDefault", 0);
    if (names[1].text.IsEmpty() || defaultFlag > 0xFFFF)
        return nullptr;
    size_t bytes = kDevNamesSlack;
    for (const Name& name : names)
        bytes += static_cast<size_t>(name.text.GetLength());
    if (bytes > 0xFFFF)
        return nullptr;
    for (size_t i = 0; i < names.size(); ++i) {
        const size_t begin = names[i].offset;
        const size_t end = begin + static_cast<size_t>(names[i].text.GetLength()) + 1;
        if (begin < sizeof(DEVNAMES) || end > bytes)
            return nullptr;
        for (size_t j = 0; j < i; ++j) {
            const size_t otherBegin = names[j].offset;
            const size_t otherEnd = otherBegin + static_cast<size_t>(names[j].text.GetLength()) + 1;
            if (begin < otherEnd && otherBegin < end)
                return nullptr;
        }
    }

    UniqueGlobal block(GlobalAlloc(GHND, bytes));
    auto* data = block ? static_cast<BYTE*>(GlobalLock(block.get())) : nullptr;
    if (!data)
        return nullptr;
    const DEVNAMES header{static_cast<WORD>(names[0].offset), static_cast<WORD>(names[1].offset),
                          static_cast<WORD>(names[2].offset), static_cast<WORD>(defaultFlag)};
    std::memcpy(data, &header, sizeof header);
    for (const Name& name : names)
        std::memcpy(data + name.offset, name.text.GetString(),
                    static_cast<size_t>(name.text.GetLength()) + 1);
    GlobalUnlock(block.get());
    return block;
}

UniqueGlobal ReadSavedDevMode() {
    BYTE* data = nullptr;
    UINT bytes = 0;
    if (!GetProfileBinary(kSection, "DevMode", &data, &bytes))
        return nullptr;
    const std::unique_ptr<BYTE[]> value(data);
    if (!IsValidDevMode(value.get(), bytes))
        return nullptr;
    UniqueGlobal block(GlobalAlloc(GHND, bytes));
    if (!block)
        return nullptr;
    std::memcpy(CGlobalLock(block.get()).Bytes(), value.get(), bytes);
    return block;
}

BOOL RestoreSavedSettings(DEVMODE* devMode, SIZE_T bytes) {
    if (!IsValidDevMode(devMode, bytes))
        return FALSE;
    const CString name = GetProfileString(kSection, "DeviceName");
    if (name.GetLength() >= CCHDEVICENAME)
        return FALSE;
    std::vector<BYTE> copy(bytes);
    std::memcpy(copy.data(), devMode, bytes);
    auto* restored = reinterpret_cast<DEVMODE*>(copy.data());
    std::memset(restored->dmDeviceName, 0, sizeof restored->dmDeviceName);
    std::memcpy(restored->dmDeviceName, name.GetString(), static_cast<size_t>(name.GetLength()));
    if (!ReadShort("Orientation", &restored->dmOrientation) ||
        !ReadShort("PageSize", &restored->dmPaperSize) ||
        !ReadShort("PageLength", &restored->dmPaperLength) ||
        !ReadShort("PageWidth", &restored->dmPaperWidth) || !ReadShort("Copies", &restored->dmCopies) ||
        !ReadShort("PrintQuality", &restored->dmPrintQuality))
        return FALSE;
    if (!IsValidDevMode(copy.data(), bytes))
        return FALSE;
    std::memcpy(devMode, copy.data(), bytes);
    return TRUE;
}
