#pragma once
// A language module: a Qt binary resource file whose files are the module's resources, each at
// "<type>/<key>" with one folder per resource type ("string/208", "dialog/270", "bitmap/MAIN_WND"), plus a
// manifest with the entry count and the CRC-32 of the contents. A module whose container or manifest does
// not hold is refused whole, so a truncated or damaged module behaves like a missing one.

#include "platform/base/GlobalMemory.h"
#include "platform/base/String.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

// One resource. Its bytes sit in a fixed global block that the module owns, so LockResource needs no
// unlock and the bytes live until the module is freed.
struct ResourceEntry {
    UniqueGlobal data;
};

inline constexpr char kResourceManifestPath[] = "manifest";

class CResourceFile {
public:
    // The module in these bytes; null when they are not a complete, undamaged module.
    static std::unique_ptr<CResourceFile> FromBytes(const BYTE* data, size_t size);

    // The resource at a path such as "bitmap/MAIN_WND", or null.
    ResourceEntry* Find(const std::string& path);
    // The number of resources, the manifest not counted.
    size_t GetCount() const { return m_entries.size(); }

private:
    std::map<std::string, ResourceEntry> m_entries;
};

// The manifest a module with these resources carries (the manifest itself not among them): the entry
// count and the CRC-32 over every path, a zero byte and the contents, in path order.
std::string MakeResourceManifest(const std::map<std::string, std::vector<BYTE>>& entries);

// The module file at path loaded as a module record, or null when it cannot be read or is refused.
HMODULE LoadResourceModule(const CString& path);
