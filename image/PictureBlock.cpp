#include "image/PictureBlock.h"

#include <cstdint>
#include <sys/mman.h>

namespace {

constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;

void AdviseHugePages(BYTE* block, std::size_t bytes) {
    const auto begin = reinterpret_cast<std::uintptr_t>(block);
    const std::uintptr_t first = (begin + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t last = (begin + bytes) & ~(kHugePage - 1);
    // Advice only: where the system has no huge pages the block works the same.
    if (last > first)
        madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

} // namespace

std::unique_ptr<BYTE[]> NewPictureBlock(std::size_t bytes) {
    auto block = std::make_unique_for_overwrite<BYTE[]>(bytes);
    AdviseHugePages(block.get(), bytes);
    return block;
}
