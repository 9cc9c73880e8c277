#include "library/zip/ZipExtraField.h"

#include "platform/base/ByteOrder.h"

namespace {

constexpr size_t kBlockHeader = 4;
constexpr size_t kMaxField = 0xFFFF;
constexpr size_t kLocalZip64Sizes = 16; // uncompressed, then compressed size, 8 bytes each

} // namespace

std::optional<std::string_view> FindZipExtraBlock(std::string_view extra, WORD tag) {
    while (extra.size() >= kBlockHeader) {
        const auto* header = reinterpret_cast<const BYTE*>(extra.data());
        const size_t size = ReadLe16(header + 2);
        if (size > extra.size() - kBlockHeader)
            return std::nullopt;
        if (ReadLe16(header) == tag)
            return extra.substr(kBlockHeader, size);
        extra.remove_prefix(kBlockHeader + size);
    }
    return std::nullopt;
}

std::optional<ZipSizes> LocalZip64Sizes(std::string_view extra) {
    const auto block = FindZipExtraBlock(extra, kZip64ExtraTag);
    if (!block || block->size() < kLocalZip64Sizes)
        return std::nullopt;
    const auto* data = reinterpret_cast<const BYTE*>(block->data());
    return ZipSizes{ReadLe64(data + 8), ReadLe64(data)};
}

bool AppendZipExtraBlock(std::string& extra, WORD tag, std::string_view data) {
    if (extra.size() + kBlockHeader + data.size() > kMaxField)
        return false;
    AppendLe16(extra, tag);
    AppendLe16(extra, static_cast<WORD>(data.size()));
    extra += data;
    return true;
}
