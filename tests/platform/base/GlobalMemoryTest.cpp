#include "platform/base/GlobalMemory.h"

#include "platform/base/Module.h"

#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace {

struct AllocCase {
    const char* name;
    UINT flags;
    bool zeroed;
    bool countsLocks;
};

class GlobalAllocTest : public testing::TestWithParam<AllocCase> {};

TEST_P(GlobalAllocTest, AllocatesAlignedBlocksWithTheirKindOfLocking) {
    const AllocCase& c = GetParam();
    for (const SIZE_T size : {SIZE_T{0}, SIZE_T{1}, SIZE_T{17}, SIZE_T{4096}}) {
        HGLOBAL block = GlobalAlloc(c.flags, size);
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(GlobalSize(block), size);
        auto* data = static_cast<BYTE*>(GlobalLock(block));
        ASSERT_NE(data, nullptr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(data) % 16, 0u);
        if (c.zeroed) {
            EXPECT_EQ(std::vector<BYTE>(data, data + size), std::vector<BYTE>(size, 0));
        }
        EXPECT_EQ(GlobalFlags(block) & GMEM_LOCKCOUNT, c.countsLocks ? 1u : 0u);
        EXPECT_EQ(GlobalHandle(data), block);
        GlobalUnlock(block);
        EXPECT_EQ(GlobalFree(block), nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(Flags, GlobalAllocTest,
                         testing::Values(AllocCase{"Fixed", GMEM_FIXED, false, false},
                                         AllocCase{"Moveable", GMEM_MOVEABLE, false, true},
                                         AllocCase{"Ghnd", GHND, true, true},
                                         AllocCase{"Gptr", GPTR, true, false},
                                         AllocCase{"DdeShare", GMEM_MOVEABLE | GMEM_DDESHARE, false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GlobalMemoryTest, CountsLocksOfMoveableBlocks) {
    HGLOBAL block = GlobalAlloc(GHND, 64);
    void* first = GlobalLock(block);
    void* second = GlobalLock(block);
    EXPECT_EQ(first, second);
    EXPECT_EQ(GlobalFlags(block), 2u);
    EXPECT_TRUE(GlobalUnlock(block));  // still locked once
    EXPECT_FALSE(GlobalUnlock(block)); // now unlocked
    EXPECT_FALSE(GlobalUnlock(block)); // was not locked
    EXPECT_EQ(GlobalFlags(block), 0u);
    GlobalFree(block);
}

TEST(GlobalMemoryTest, RefusesWhatIsNoBlock) {
    EXPECT_EQ(GlobalFree(nullptr), nullptr);
    EXPECT_EQ(GlobalLock(nullptr), nullptr);
    EXPECT_FALSE(GlobalUnlock(nullptr));
    EXPECT_EQ(GlobalSize(nullptr), 0u);
    EXPECT_EQ(GlobalFlags(nullptr), GMEM_INVALID_HANDLE);
    EXPECT_EQ(GlobalHandle(nullptr), nullptr);
    EXPECT_EQ(GlobalReAlloc(nullptr, 10, GMEM_MOVEABLE), nullptr);

    // A pointer into the middle of a block is not the start of its data.
    HGLOBAL block = GlobalAlloc(GMEM_FIXED, 256);
    auto* data = static_cast<BYTE*>(GlobalLock(block));
    std::memset(data, 0, 256);
    EXPECT_EQ(GlobalHandle(data + 64), nullptr);
    GlobalFree(block);
}

TEST(GlobalMemoryTest, FailsOnSizesThatOverflow) {
    constexpr SIZE_T kMax = std::numeric_limits<SIZE_T>::max();
    for (const SIZE_T size : {kMax, kMax - 8, kMax / 2 + 1, SIZE_T{1} << 32}) {
        EXPECT_EQ(GlobalAlloc(GHND, size), nullptr) << size;
    }
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 8);
    std::memcpy(GlobalLock(block), "keepme!", 8);
    GlobalUnlock(block);
    EXPECT_EQ(GlobalReAlloc(block, kMax - 4, GMEM_MOVEABLE), nullptr);
    EXPECT_EQ(GlobalSize(block), 8u);
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(block)), "keepme!");
    GlobalUnlock(block);
    GlobalFree(block);
}

TEST(GlobalMemoryTest, ReallocationKeepsDataAndZeroesTheNewTail) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 5);
    std::memcpy(GlobalLock(block), "abcde", 5);
    GlobalUnlock(block);

    block = GlobalReAlloc(block, 1 << 20, GMEM_MOVEABLE | GMEM_ZEROINIT);
    ASSERT_NE(block, nullptr);
    ASSERT_EQ(GlobalSize(block), SIZE_T{1} << 20);
    const auto* data = static_cast<const BYTE*>(GlobalLock(block));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(data), 5), "abcde");
    EXPECT_EQ(std::vector<BYTE>(data + 5, data + (1 << 20)), std::vector<BYTE>((1 << 20) - 5, 0));
    GlobalUnlock(block);

    block = GlobalReAlloc(block, 3, 0);
    EXPECT_EQ(GlobalSize(block), 3u);
    EXPECT_EQ(std::string(static_cast<const char*>(GlobalLock(block)), 3), "abc");
    GlobalUnlock(block);
    GlobalFree(block);
}

TEST(GlobalMemoryTest, PinnedBlocksOnlyShrinkUnlessAllowedToMove) {
    // A locked movable block and a fixed block both have pointers out that must stay valid.
    for (const UINT flags : {GMEM_MOVEABLE, GMEM_FIXED}) {
        HGLOBAL block = GlobalAlloc(flags, 16);
        auto* data = static_cast<char*>(GlobalLock(block));
        std::memcpy(data, "pinned", 7);

        EXPECT_EQ(GlobalReAlloc(block, 4096, 0), nullptr);
        EXPECT_EQ(GlobalSize(block), 16u);
        EXPECT_EQ(GlobalReAlloc(block, 8, 0), block);
        EXPECT_EQ(GlobalSize(block), 8u);
        EXPECT_STREQ(data, "pinned");

        HGLOBAL moved = GlobalReAlloc(block, 4096, GMEM_MOVEABLE);
        ASSERT_NE(moved, nullptr);
        EXPECT_EQ(GlobalSize(moved), 4096u);
        EXPECT_STREQ(static_cast<const char*>(GlobalLock(moved)), "pinned");
        GlobalFree(moved);
    }
}

TEST(GlobalMemoryTest, ModifyMakesAFixedBlockMoveable) {
    HGLOBAL block = GlobalAlloc(GPTR, 32);
    EXPECT_EQ(GlobalReAlloc(block, 0, GMEM_MODIFY | GMEM_MOVEABLE), block);
    EXPECT_EQ(GlobalSize(block), 32u);
    GlobalLock(block);
    EXPECT_EQ(GlobalFlags(block), 1u);
    GlobalUnlock(block);
    GlobalFree(block);
}

TEST(GlobalMemoryTest, ScopedLockAndOwnerReleaseTheBlock) {
    UniqueGlobal owned(GlobalAlloc(GHND, 10));
    {
        CGlobalLock lock(owned.get());
        ASSERT_NE(lock.Bytes(), nullptr);
        EXPECT_EQ(lock.Size(), 10u);
        EXPECT_EQ(GlobalFlags(owned.get()), 1u);
    }
    EXPECT_EQ(GlobalFlags(owned.get()), 0u);
    CGlobalLock none(nullptr);
    EXPECT_EQ(none.Bytes(), nullptr);
}

// The effect and resampling libraries hand back locked blocks that the program frees, and the program
// hands blocks to plug-ins that may free them: both sides must agree on one heap and one layout.
TEST(GlobalMemoryTest, BlocksCrossModuleBoundariesBothWays) {
    HMODULE module = LoadLibrary(VC_TEST_BINARY_DIR "/TestModule.so");
    ASSERT_NE(module, nullptr);
    using AllocateFn = void* (*)(SIZE_T, BYTE);
    using FreeFn = HGLOBAL (*)(HGLOBAL);
    auto allocate = reinterpret_cast<AllocateFn>(GetProcAddress(module, "AllocateLockedBlock"));
    auto freeBlock = reinterpret_cast<FreeFn>(GetProcAddress(module, "FreeBlock"));
    ASSERT_NE(allocate, nullptr);
    ASSERT_NE(freeBlock, nullptr);

    const auto* data = static_cast<const BYTE*>(allocate(3000, 0xA5));
    HGLOBAL theirs = GlobalHandle(data);
    ASSERT_NE(theirs, nullptr);
    EXPECT_EQ(GlobalSize(theirs), 3000u);
    EXPECT_EQ(std::vector<BYTE>(data, data + 3000), std::vector<BYTE>(3000, 0xA5));
    EXPECT_FALSE(GlobalUnlock(theirs));
    EXPECT_EQ(GlobalFree(theirs), nullptr);

    HGLOBAL ours = GlobalAlloc(GHND, 100);
    GlobalLock(ours);
    EXPECT_EQ(freeBlock(ours), nullptr);
    EXPECT_TRUE(FreeLibrary(module));
}

} // namespace
