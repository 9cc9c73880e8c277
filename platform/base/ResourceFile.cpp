#include "platform/base/ResourceFile.h"

#include "platform/base/Module.h"
#include "platform/base/RccFormat.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <zlib.h>

namespace {

// The skin pictures make the resource module a few megabytes; a file far larger is not ours.
constexpr std::uint64_t kMaxModuleBytes = 512u << 20;

class CResourceModule final : public ModuleRecord {
public:
    CResourceModule(CString modulePath, std::unique_ptr<CResourceFile> resources)
        : ModuleRecord(std::move(modulePath)), m_resources(std::move(resources)) {}

    void* FindExport(const char*) const override { return nullptr; }
    CResourceFile* Resources() override { return m_resources.get(); }

private:
    std::unique_ptr<CResourceFile> m_resources;
};

bool ReadWholeFile(const CString& path, std::vector<BYTE>& bytes) {
    std::ifstream file(path.GetString(), std::ios::binary | std::ios::ate);
    if (!file) {
        return false;
    }
    const std::streamoff size = file.tellg();
    if (size < 0 || static_cast<std::uint64_t>(size) > kMaxModuleBytes) {
        return false;
    }
    bytes.resize(static_cast<size_t>(size));
    file.seekg(0);
    return static_cast<bool>(file.read(reinterpret_cast<char*>(bytes.data()), size));
}

} // namespace

std::string MakeResourceManifest(const std::map<std::string, std::vector<BYTE>>& entries) {
    uLong crc = crc32(0, nullptr, 0);
    for (const auto& [path, contents] : entries) {
        // The path's terminating zero keeps "ab" + "c" apart from "a" + "bc".
        crc = crc32(crc, reinterpret_cast<const Bytef*>(path.c_str()), static_cast<uInt>(path.size() + 1));
        crc = crc32_z(crc, contents.data(), contents.size());
    }
    char text[64];
    std::snprintf(text, sizeof(text), "entries %zu\ncrc32 %08lx\n", entries.size(), crc);
    return text;
}

std::unique_ptr<CResourceFile> CResourceFile::FromBytes(const BYTE* data, size_t size) {
    std::map<std::string, std::vector<BYTE>> contents;
    if (!ReadRccEntries(data, size, contents)) {
        return nullptr;
    }
    const auto manifest = contents.find(kResourceManifestPath);
    if (manifest == contents.end()) {
        return nullptr;
    }
    const std::string stored(manifest->second.begin(), manifest->second.end());
    contents.erase(manifest);
    if (stored != MakeResourceManifest(contents)) {
        return nullptr;
    }
    auto file = std::unique_ptr<CResourceFile>(new CResourceFile);
    for (auto& [path, bytes] : contents) {
        UniqueGlobal block(GlobalAlloc(GMEM_FIXED, bytes.size()));
        if (!block) {
            return nullptr;
        }
        if (!bytes.empty()) {
            std::memcpy(GlobalLock(block.get()), bytes.data(), bytes.size());
        }
        file->m_entries.emplace(path, ResourceEntry{std::move(block)});
    }
    return file;
}

ResourceEntry* CResourceFile::Find(const std::string& path) {
    const auto found = m_entries.find(path);
    return found == m_entries.end() ? nullptr : &found->second;
}

HMODULE LoadResourceModule(const CString& path) {
    std::vector<BYTE> bytes;
    if (!ReadWholeFile(path, bytes)) {
        return nullptr;
    }
    std::unique_ptr<CResourceFile> resources = CResourceFile::FromBytes(bytes.data(), bytes.size());
    if (!resources) {
        return nullptr;
    }
    return new CResourceModule(path, std::move(resources));
}
