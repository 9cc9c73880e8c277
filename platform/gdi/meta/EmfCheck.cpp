// EMF records walked and checked one by one, after [MS-EMF] 2.3.4.2 (the header) and 2.3.4.1 (the end
// record).

#include "platform/gdi/meta/EmfCheck.h"

#include "platform/base/ByteOrder.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <uemf_safe.h>

namespace {

constexpr DWORD kEmrHeader = 1;
constexpr DWORD kEmrEof = 14;
// The last record type the format defines.
constexpr DWORD kEmrLast = 122;
// Defined types libuemf has no check for: it passes them after a warning on standard error. The
// converter draws none of them.
constexpr std::array<DWORD, 17> kUncheckedTypes{69,  96,  97,  102, 103, 105, 106, 107, 109,
                                                110, 111, 112, 113, 117, 119, 120, 121};
constexpr DWORD kEmfSignature = 0x464D4520; // " EMF"
constexpr std::size_t kRecordMinimum = 8;
constexpr std::size_t kHeaderMinimum = 88;
constexpr std::size_t kDescriptionCount = 64;
constexpr std::size_t kDescriptionOffset = 68;

// The description's UTF-16 characters lie after the fixed fields and inside the header record.
bool DescriptionInsideHeader(std::span<const BYTE> header) {
    const std::uint64_t count = ReadLe32(header.data() + kDescriptionCount);
    const std::uint64_t offset = ReadLe32(header.data() + kDescriptionOffset);
    if (count == 0 && offset == 0)
        return true;
    return offset >= kHeaderMinimum && offset + 2 * count <= header.size();
}

} // namespace

std::vector<BYTE> CheckedEmfCopy(std::span<const BYTE> file) {
    if (file.size() < kHeaderMinimum || ReadLe32(file.data()) != kEmrHeader ||
        ReadLe32(file.data() + 40) != kEmfSignature)
        return {};
    std::size_t at = 0;
    bool ended = false;
    while (at < file.size() && !ended) {
        if (file.size() - at < kRecordMinimum)
            return {};
        const DWORD type = ReadLe32(file.data() + at);
        const std::size_t size = ReadLe32(file.data() + at + 4);
        if (size < kRecordMinimum || size % 4 != 0 || size > file.size() - at)
            return {};
        if ((at == 0 && size < kHeaderMinimum) || type == 0 || type > kEmrLast)
            return {};
        // The record check reads no further than the record's own size, which now lies inside the file.
        const bool checkable =
            std::find(kUncheckedTypes.begin(), kUncheckedTypes.end(), type) == kUncheckedTypes.end();
        if (checkable && !U_emf_record_safe(reinterpret_cast<const char*>(file.data() + at)))
            return {};
        ended = type == kEmrEof;
        at += size;
    }
    if (!ended || at != file.size())
        return {};
    std::vector<BYTE> copy(file.begin(), file.end());
    const std::size_t headerSize = ReadLe32(file.data() + 4);
    if (!DescriptionInsideHeader(file.first(headerSize))) {
        // Count and offset, side by side.
        std::fill(copy.begin() + kDescriptionCount, copy.begin() + kDescriptionOffset + 4, BYTE{0});
    }
    return copy;
}
