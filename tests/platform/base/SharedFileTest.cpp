// The shared memory file: what it hands over as a block, and that a block it only borrowed stays the
// owner's, unlocked and unchanged.

#include "platform/base/SharedFile.h"

#include "platform/base/Exception.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::string BlockText(HGLOBAL block, std::size_t length) {
    CGlobalLock lock(block);
    return std::string(reinterpret_cast<const char*>(lock.Bytes()), length);
}

HGLOBAL BlockOf(const std::string& text) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size());
    {
        CGlobalLock lock(block);
        std::copy(text.begin(), text.end(), reinterpret_cast<char*>(lock.Bytes()));
    }
    return block;
}

TEST(SharedFileTest, HandsOverAnUnlockedMovableBlockGrownInSteps) {
    const std::string text(5000, 'q');
    HGLOBAL block;
    {
        CSharedFile file;
        file.Write(text.data(), static_cast<UINT>(text.size()));
        block = file.Detach();
        EXPECT_EQ(0u, file.GetLength());
    }
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(8192u, GlobalSize(block));
    EXPECT_EQ(0u, GlobalFlags(block) & GMEM_LOCKCOUNT);
    EXPECT_EQ(text, BlockText(block, text.size()));
    GlobalFree(block);
}

TEST(SharedFileTest, ReadsABorrowedBlockAndGivesItBackUnlocked) {
    HGLOBAL block = BlockOf("Zwischenablage");
    CSharedFile file;
    file.SetHandle(block, FALSE);
    EXPECT_EQ(14u, file.GetLength());
    char read[14];
    EXPECT_EQ(14u, file.Read(read, sizeof read));
    EXPECT_EQ("Zwischenablage", std::string(read, sizeof read));
    EXPECT_EQ(block, file.Detach());
    EXPECT_EQ(0u, GlobalFlags(block) & GMEM_LOCKCOUNT);
    GlobalFree(block);
}

TEST(SharedFileTest, GrowingPastABorrowedBlockLeavesItAlone) {
    HGLOBAL borrowed = BlockOf("alt");
    HGLOBAL grown;
    {
        CSharedFile file;
        file.SetHandle(borrowed, TRUE);
        file.Seek(0, CFile::end);
        file.Write("-neu", 4);
        grown = file.Detach();
    }
    EXPECT_NE(borrowed, grown);
    EXPECT_EQ("alt-neu", BlockText(grown, 7));
    EXPECT_EQ("alt", BlockText(borrowed, 3));
    EXPECT_EQ(0u, GlobalFlags(borrowed) & GMEM_LOCKCOUNT);
    GlobalFree(grown);
    GlobalFree(borrowed);
}

TEST(SharedFileTest, ABorrowedBlockThatMayNotGrowRefusesMore) {
    HGLOBAL borrowed = BlockOf("voll");
    {
        CSharedFile file;
        file.SetHandle(borrowed, FALSE);
        file.Seek(0, CFile::end);
        EXPECT_THROW(
            try { file.Write("x", 1); } catch (CException* error) {
                error->Delete();
                throw 1;
            },
            int);
    }
    EXPECT_EQ(0u, GlobalFlags(borrowed) & GMEM_LOCKCOUNT) << "destroying the file lets go of it";
    EXPECT_EQ("voll", BlockText(borrowed, 4));
    GlobalFree(borrowed);
}

} // namespace
