#include "platform/base/RccFormat.h"

#include <QString>
#include <cstring>
#include <zlib.h>

// The layout follows Qt's resource reader (qresource.cpp). Every number is big-endian.
//   header: "qres", u32 version (1-3), u32 tree offset, u32 data offset, u32 names offset,
//           version 3 adds u32 flags of the whole file
//   tree:   nodes of 14 bytes (version 1) or 22 (version 2 and 3, a u64 modification time at the end);
//           node 0 is the root folder
//   node:   u32 name offset, u16 flags, then for a folder u32 child count and u32 index of its first
//           child, for a file u16 territory, u16 language and u32 data offset
//   name:   u16 length in UTF-16 units, u32 hash, the UTF-16 units
//   data:   u32 length, the bytes; a compressed file's bytes are a u32 inflated length and a zlib stream

namespace {

constexpr BYTE kSignature[4] = {'q', 'r', 'e', 's'};
constexpr DWORD kHeaderBytes = 20;
constexpr DWORD kVersion3HeaderBytes = 24;
constexpr WORD kCompressedZlib = 0x01;
constexpr WORD kDirectory = 0x02;
constexpr WORD kCompressedZstd = 0x04;
// Modules hold two levels ("bitmap/MAIN_WND"); anything much deeper is damage.
constexpr int kMaxDepth = 16;
// The largest skin picture is a few megabytes; these bound what a damaged length can make us allocate.
constexpr std::uint64_t kMaxEntryBytes = 64u << 20;
constexpr std::uint64_t kMaxTotalBytes = 512u << 20;

class CRccReader {
public:
    CRccReader(const BYTE* data, size_t size) : m_data(data), m_size(size) {}

    bool Read(std::map<std::string, RccEntry>& out) {
        if (!ReadHeader()) {
            return false;
        }
        WORD flags = 0;
        if (!NodeFlags(0, flags) || !(flags & kDirectory)) {
            return false;
        }
        m_visited[0] = true;
        return ReadFolder(0, "", 0, out);
    }

private:
    bool Has(std::uint64_t offset, std::uint64_t length) const {
        return offset <= m_size && length <= m_size - offset;
    }
    std::uint32_t U32(std::uint64_t offset) const {
        const BYTE* p = m_data + offset;
        return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
    }
    WORD U16(std::uint64_t offset) const {
        return static_cast<WORD>((m_data[offset] << 8) | m_data[offset + 1]);
    }

    bool ReadHeader() {
        if (!HasRccSignature(m_data, m_size) || !Has(0, kHeaderBytes)) {
            return false;
        }
        m_version = U32(4);
        if (m_version < 1 || m_version > 3 || (m_version == 3 && !Has(0, kVersion3HeaderBytes))) {
            return false;
        }
        m_tree = U32(8);
        m_dataSection = U32(12);
        m_names = U32(16);
        m_nodeBytes = m_version == 1 ? 14 : 22;
        if (m_tree > m_size || m_dataSection > m_size || m_names > m_size) {
            return false;
        }
        m_visited.assign((m_size - m_tree) / m_nodeBytes, false);
        return true;
    }

    bool NodeAt(std::uint64_t index, std::uint64_t& offset) const {
        if (index >= m_visited.size()) {
            return false;
        }
        offset = m_tree + index * m_nodeBytes;
        return true;
    }
    bool NodeFlags(std::uint64_t index, WORD& flags) const {
        std::uint64_t node = 0;
        if (!NodeAt(index, node)) {
            return false;
        }
        flags = U16(node + 4);
        return (flags & ~(kCompressedZlib | kDirectory | kCompressedZstd)) == 0;
    }

    // The node's name as UTF-8; false when it leaves the names section or is empty.
    bool NodeName(std::uint64_t node, std::string& name) const {
        const std::uint64_t offset = std::uint64_t{m_names} + U32(node);
        if (!Has(offset, 6)) {
            return false;
        }
        const WORD units = U16(offset);
        if (units == 0 || !Has(offset + 6, std::uint64_t{units} * 2)) {
            return false;
        }
        QString text(units, Qt::Uninitialized);
        for (WORD i = 0; i < units; ++i) {
            text[i] = QChar(U16(offset + 6 + std::uint64_t{i} * 2));
        }
        name = text.toStdString();
        return name.find('/') == std::string::npos;
    }

    bool ReadFolder(std::uint64_t index, const std::string& prefix, int depth,
                    std::map<std::string, RccEntry>& out) {
        std::uint64_t node = 0;
        NodeAt(index, node);
        const std::uint64_t count = U32(node + 6);
        const std::uint64_t first = U32(node + 10);
        if (depth >= kMaxDepth || first + count > m_visited.size()) {
            return false;
        }
        for (std::uint64_t child = first; child < first + count; ++child) {
            if (m_visited[child]) {
                return false;
            }
            m_visited[child] = true;
            std::uint64_t childNode = 0;
            WORD flags = 0;
            std::string name;
            if (!NodeAt(child, childNode) || !NodeFlags(child, flags) || !NodeName(childNode, name)) {
                return false;
            }
            const std::string path = prefix + name;
            const bool read = (flags & kDirectory) ? ReadFolder(child, path + "/", depth + 1, out)
                                                   : ReadFile(childNode, flags, path, out);
            if (!read) {
                return false;
            }
        }
        return true;
    }

    bool ReadFile(std::uint64_t node, WORD flags, const std::string& path,
                  std::map<std::string, RccEntry>& out) {
        const std::uint64_t offset = std::uint64_t{m_dataSection} + U32(node + 10);
        if (!Has(offset, 4) || !Has(offset + 4, U32(offset)) || (flags & kCompressedZstd)) {
            return false;
        }
        const std::uint64_t length = U32(offset);
        RccEntry entry;
        entry.compressed = (flags & kCompressedZlib) != 0;
        // A compressed file's bytes start with its inflated length, then the zlib stream.
        if (entry.compressed && length < 4) {
            return false;
        }
        const std::uint64_t size = entry.compressed ? U32(offset + 4) : length;
        if (!Reserve(size)) {
            return false;
        }
        const std::uint64_t skip = entry.compressed ? 4 : 0;
        entry.stored = m_data + offset + 4 + skip;
        entry.storedSize = static_cast<size_t>(length - skip);
        entry.size = static_cast<size_t>(size);
        return out.emplace(path, entry).second;
    }

    bool Reserve(std::uint64_t length) {
        if (length > kMaxEntryBytes || length > kMaxTotalBytes - m_total) {
            return false;
        }
        m_total += length;
        return true;
    }

    const BYTE* m_data;
    size_t m_size;
    std::uint32_t m_version = 0;
    std::uint32_t m_tree = 0;
    std::uint32_t m_dataSection = 0;
    std::uint32_t m_names = 0;
    std::uint64_t m_nodeBytes = 14;
    std::uint64_t m_total = 0;
    std::vector<bool> m_visited; // one per node that fits between the tree offset and the end
};

} // namespace

bool HasRccSignature(const BYTE* data, size_t size) {
    return data && size >= sizeof(kSignature) && std::memcmp(data, kSignature, sizeof(kSignature)) == 0;
}

bool ReadRccIndex(const BYTE* data, size_t size, std::map<std::string, RccEntry>& out) {
    out.clear();
    if (!CRccReader(data, size).Read(out)) {
        out.clear();
        return false;
    }
    return true;
}

bool InflateRccEntry(const RccEntry& entry, BYTE* out) {
    if (!entry.compressed) {
        if (entry.size != 0) {
            std::memcpy(out, entry.stored, entry.size);
        }
        return true;
    }
    uLongf inflated = static_cast<uLongf>(entry.size);
    BYTE empty = 0; // uncompress wants somewhere to write even for an empty file
    const int result = uncompress(entry.size == 0 ? &empty : out, &inflated, entry.stored,
                                  static_cast<uLong>(entry.storedSize));
    return result == Z_OK && inflated == entry.size;
}

bool ReadRccEntries(const BYTE* data, size_t size, std::map<std::string, std::vector<BYTE>>& out) {
    out.clear();
    std::map<std::string, RccEntry> index;
    if (!ReadRccIndex(data, size, index)) {
        return false;
    }
    for (const auto& [path, entry] : index) {
        std::vector<BYTE> contents(entry.size);
        if (!InflateRccEntry(entry, contents.data())) {
            out.clear();
            return false;
        }
        out.emplace(path, std::move(contents));
    }
    return true;
}
