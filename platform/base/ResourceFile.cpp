#include "platform/base/ResourceFile.h"

#include "platform/base/Module.h"
#include "platform/base/Parallel.h"
#include "platform/base/RccFormat.h"

#include <algorithm>
#include <atomic>
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

namespace {

std::string FormatManifest(size_t count, uLong crc) {
    char text[64];
    std::snprintf(text, sizeof(text), "entries %zu\ncrc32 %08lx\n", count, crc);
    return text;
}

// The CRC-32 of one entry's share of the manifest: its path, the path's zero and its contents. The
// shares are taken in parallel and joined with crc32_combine.
uLong EntryCrc(const std::string& path, const BYTE* contents, size_t size) {
    // The path's terminating zero keeps "ab" + "c" apart from "a" + "bc".
    const uLong crc = crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(path.c_str()),
                            static_cast<uInt>(path.size() + 1));
    return crc32_z(crc, contents, size);
}

// Below this many inflated bytes a module is read on the calling thread; threads would cost more.
constexpr size_t kBytesPerThread = 256u << 10;

struct PendingEntry {
    const std::string* path;
    const RccEntry* stored;
    UniqueGlobal block;
    uLong crc = 0;
};

// Inflates every entry into its block and takes its CRC, the largest first, spread over the cores.
bool InflateAll(std::vector<PendingEntry>& entries) {
    std::vector<PendingEntry*> order;
    size_t total = 0;
    for (PendingEntry& entry : entries) {
        order.push_back(&entry);
        total += entry.stored->size;
    }
    std::sort(order.begin(), order.end(),
              [](const PendingEntry* a, const PendingEntry* b) { return a->stored->size > b->stored->size; });
    std::atomic<size_t> next{0};
    std::atomic<bool> failed{false};
    const auto threads = static_cast<std::int64_t>(
        std::min<size_t>(static_cast<size_t>(ParallelThreadCount()), total / kBytesPerThread + 1));
    // One range per thread; each takes the next entry left until none is.
    ParallelFor(threads, 1, [&](std::int64_t, std::int64_t) {
        for (size_t i = next++; i < order.size() && !failed; i = next++) {
            PendingEntry& entry = *order[i];
            BYTE* bytes = static_cast<BYTE*>(GlobalLock(entry.block.get()));
            if (!InflateRccEntry(*entry.stored, bytes)) {
                failed = true;
                return;
            }
            entry.crc = EntryCrc(*entry.path, bytes, entry.stored->size);
        }
    });
    return !failed;
}

} // namespace

std::string MakeResourceManifest(const std::map<std::string, std::vector<BYTE>>& entries) {
    uLong crc = crc32(0, nullptr, 0);
    for (const auto& [path, contents] : entries) {
        crc = crc32(crc, reinterpret_cast<const Bytef*>(path.c_str()), static_cast<uInt>(path.size() + 1));
        crc = crc32_z(crc, contents.data(), contents.size());
    }
    return FormatManifest(entries.size(), crc);
}

std::unique_ptr<CResourceFile> CResourceFile::FromBytes(const BYTE* data, size_t size) {
    std::map<std::string, RccEntry> index;
    if (!ReadRccIndex(data, size, index)) {
        return nullptr;
    }
    const auto manifestEntry = index.find(kResourceManifestPath);
    if (manifestEntry == index.end()) {
        return nullptr;
    }
    std::string stored(manifestEntry->second.size, '\0');
    if (!InflateRccEntry(manifestEntry->second, reinterpret_cast<BYTE*>(stored.data()))) {
        return nullptr;
    }
    index.erase(manifestEntry);

    std::vector<PendingEntry> pending;
    pending.reserve(index.size());
    for (const auto& [path, entry] : index) {
        UniqueGlobal block(GlobalAlloc(GMEM_FIXED, entry.size));
        if (!block) {
            return nullptr;
        }
        pending.push_back(PendingEntry{&path, &entry, std::move(block)});
    }
    if (!InflateAll(pending)) {
        return nullptr;
    }
    uLong crc = crc32(0, nullptr, 0);
    for (const PendingEntry& entry : pending) {
        crc =
            crc32_combine(crc, entry.crc, static_cast<z_off_t>(entry.path->size() + 1 + entry.stored->size));
    }
    if (stored != FormatManifest(pending.size(), crc)) {
        return nullptr;
    }
    auto file = std::unique_ptr<CResourceFile>(new CResourceFile);
    for (PendingEntry& entry : pending) {
        file->m_entries.emplace(*entry.path, ResourceEntry{std::move(entry.block)});
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
