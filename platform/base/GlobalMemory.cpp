#include "platform/base/GlobalMemory.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <sys/mman.h>

// The bookkeeping in front of the data. Its size keeps the data on malloc's 16-byte alignment.
struct GlobalBlock {
    std::uint32_t magic;
    std::uint32_t flags; // GMEM_MOVEABLE or GMEM_FIXED
    std::uint32_t lockCount;
    std::uint32_t reserved;
    std::size_t size;
    std::size_t padding;
};

namespace {

static_assert(sizeof(GlobalBlock) % 16 == 0);
static_assert(alignof(std::max_align_t) >= 16, "malloc must align the block for the data to be aligned");

constexpr std::uint32_t kLiveMagic = 0x6B6C4247;  // "GBlk"
constexpr std::uint32_t kFreedMagic = 0x64656546; // "Feed"
// The program keeps block sizes in DWORDs (file lengths, picture lengths), so no block may be larger.
constexpr SIZE_T kMaxBytes = std::numeric_limits<DWORD>::max();

// Blocks from this size on (pictures, files read whole) lie on huge pages where the system offers them
// on request: a first touch of their memory then costs one fault in 512.
constexpr SIZE_T kHugePageBytes = SIZE_T{2} << 20;
constexpr SIZE_T kHugeBlockBytes = 4 * kHugePageBytes;

// zero: the whole block reads 0. calloc hands out fresh pages of smaller blocks untouched, where a memset
// would fault each one in.
void* AllocateBlock(SIZE_T bytes, bool zero) {
    if (bytes < kHugeBlockBytes)
        return zero ? std::calloc(1, bytes) : std::malloc(bytes);
    const SIZE_T rounded = (bytes + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes;
    void* memory = std::aligned_alloc(kHugePageBytes, rounded);
    if (memory != nullptr) {
        madvise(memory, rounded, MADV_HUGEPAGE); // only advice: without it the block is as good
        if (zero)
            std::memset(memory, 0, bytes);
    }
    return memory;
}

BYTE* DataOf(GlobalBlock* block) {
    return reinterpret_cast<BYTE*>(block) + sizeof(GlobalBlock);
}

bool IsBlock(const GlobalBlock* block) {
    return block && block->magic == kLiveMagic;
}

bool IsMoveable(const GlobalBlock* block) {
    return (block->flags & GMEM_MOVEABLE) != 0;
}

} // namespace

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
    if (bytes > kMaxBytes) {
        return nullptr;
    }
    auto* block =
        static_cast<GlobalBlock*>(AllocateBlock(sizeof(GlobalBlock) + bytes, (flags & GMEM_ZEROINIT) != 0));
    if (!block) {
        return nullptr;
    }
    *block = GlobalBlock{.magic = kLiveMagic,
                         .flags = flags & GMEM_MOVEABLE,
                         .lockCount = 0,
                         .reserved = 0,
                         .size = bytes,
                         .padding = 0};
    return block;
}

HGLOBAL GlobalFree(HGLOBAL block) {
    if (!block) {
        return nullptr;
    }
    if (!IsBlock(block)) {
        return block;
    }
    block->magic = kFreedMagic;
    std::free(block);
    return nullptr;
}

LPVOID GlobalLock(HGLOBAL block) {
    if (!IsBlock(block)) {
        return nullptr;
    }
    if (IsMoveable(block)) {
        ++block->lockCount;
    }
    return DataOf(block);
}

BOOL GlobalUnlock(HGLOBAL block) {
    if (!IsBlock(block) || block->lockCount == 0) {
        return FALSE;
    }
    --block->lockCount;
    return block->lockCount > 0 ? TRUE : FALSE;
}

SIZE_T GlobalSize(HGLOBAL block) {
    return IsBlock(block) ? block->size : 0;
}

HGLOBAL GlobalHandle(LPCVOID data) {
    if (!data) {
        return nullptr;
    }
    auto* block = reinterpret_cast<GlobalBlock*>(const_cast<BYTE*>(static_cast<const BYTE*>(data)) -
                                                 sizeof(GlobalBlock));
    return IsBlock(block) ? block : nullptr;
}

UINT GlobalFlags(HGLOBAL block) {
    if (!IsBlock(block)) {
        return GMEM_INVALID_HANDLE;
    }
    return std::min<UINT>(block->lockCount, GMEM_LOCKCOUNT);
}

HGLOBAL GlobalReAlloc(HGLOBAL block, SIZE_T bytes, UINT flags) {
    if (!IsBlock(block)) {
        return nullptr;
    }
    if (flags & GMEM_MODIFY) {
        if (flags & GMEM_MOVEABLE) {
            block->flags |= GMEM_MOVEABLE;
        }
        return block;
    }
    if (bytes > kMaxBytes) {
        return nullptr;
    }
    const bool pinned = !IsMoveable(block) || block->lockCount > 0;
    if (pinned && !(flags & GMEM_MOVEABLE)) {
        if (bytes > block->size) {
            return nullptr;
        }
        block->size = bytes;
        return block;
    }
    const SIZE_T oldSize = block->size;
    auto* moved = static_cast<GlobalBlock*>(std::realloc(block, sizeof(GlobalBlock) + bytes));
    if (!moved) {
        return nullptr;
    }
    moved->size = bytes;
    if ((flags & GMEM_ZEROINIT) && bytes > oldSize) {
        std::memset(DataOf(moved) + oldSize, 0, bytes - oldSize);
    }
    return moved;
}
