#include "platform/base/MemFile.h"

#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

std::string Contents(CMemFile& file) {
    std::string bytes(static_cast<size_t>(file.GetLength()), '\0');
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

bool ThrowsMemoryException(const auto& call) {
    try {
        call();
    } catch (CMemoryException* e) {
        e->Delete();
        return true;
    }
    return false;
}

TEST(MemFileTest, GrowsInStepsAndReadsBack) {
    CMemFile file(4096);
    std::string written;
    for (int i = 0; i < 3000; ++i) {
        const std::string piece = std::to_string(i) + ";";
        file.Write(piece.data(), static_cast<UINT>(piece.size()));
        written += piece;
    }
    EXPECT_EQ(file.GetLength(), written.size());
    EXPECT_EQ(Contents(file), written);
    char tail[4];
    EXPECT_EQ(file.Read(tail, sizeof tail), 0u);
}

TEST(MemFileTest, WritingPastTheEndFillsTheGapWithZeros) {
    CMemFile file;
    file.Write("ab", 2);
    EXPECT_EQ(file.Seek(3, CFile::current), 5u);
    file.Write("z", 1);
    EXPECT_EQ(Contents(file), std::string("ab\0\0\0z", 6));
    file.SetLength(1);
    EXPECT_EQ(file.GetPosition(), 1u);
    file.SetLength(3);
    EXPECT_EQ(Contents(file), std::string("a\0\0", 3));
    try {
        file.Seek(-1, CFile::begin);
        FAIL();
    } catch (CFileException* e) {
        EXPECT_EQ(e->m_cause, CFileException::badSeek);
        e->Delete();
    }
}

TEST(MemFileTest, FixedAttachedBlockIsTheWholeFileAndCannotGrow) {
    BYTE block[4] = {'d', 'a', 't', 'a'};
    CMemFile file(block, sizeof block);
    EXPECT_EQ(Contents(file), "data");
    file.SeekToBegin();
    file.Write("DA", 2);
    EXPECT_EQ(block[0], 'D');
    file.SeekToEnd();
    EXPECT_TRUE(ThrowsMemoryException([&] { file.Write("!", 1); }));
    EXPECT_EQ(file.Detach(), block);
    EXPECT_EQ(file.GetLength(), 0u);
}

TEST(MemFileTest, GrowableAttachedBlockIsCopiedNotReallocated) {
    // The caller's block may be memory that realloc must never see (a locked global block).
    BYTE block[8] = {};
    CMemFile file;
    file.Attach(block, sizeof block, 16);
    EXPECT_EQ(file.GetLength(), 0u); // room to write, not contents
    file.Write("12345678", 8);
    EXPECT_EQ(std::memcmp(block, "12345678", 8), 0);
    file.Write("9", 1);
    EXPECT_EQ(Contents(file), "123456789");
    BYTE* own = file.Detach();
    ASSERT_NE(own, block);
    EXPECT_EQ(std::memcmp(own, "123456789", 9), 0);
    std::free(own); // the detached block came from malloc
    EXPECT_EQ(file.GetLength(), 0u);
}

TEST(MemFileTest, CloseFreesOnlyItsOwnBlock) {
    BYTE block[2] = {'x', 'y'};
    CMemFile borrowed(block, sizeof block);
    borrowed.Close();
    EXPECT_EQ(block[0], 'x');
    EXPECT_EQ(borrowed.GetLength(), 0u);

    CMemFile own;
    own.Write("abc", 3);
    own.Close();
    EXPECT_EQ(own.GetLength(), 0u);
    own.Write("d", 1); // usable again after Close
    EXPECT_EQ(Contents(own), "d");
}

} // namespace
