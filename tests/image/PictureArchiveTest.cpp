#include "DibFixtures.h"
#include "image/PictureInfo.h"
#include "platform/base/Archive.h"
#include "tests/support/ArchiveBytes.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<BYTE>;

Bytes SmallDib() {
    DibSpec layout;
    layout.width = 2;
    layout.height = 1;
    layout.bits = {1, 2, 3, 4, 5, 6, 0, 0};
    layout.sizeImage = 8;
    return BuildDib(layout);
}

Bytes Store(CPictureInfo& picture, DWORD trailer = 0) {
    return StoredBytes([&](CArchive& ar) {
        picture.Serialize(ar);
        ar << trailer;
    });
}

// Loads a picture from bytes and then the DWORD that follows it, to show where the picture's form ends.
DWORD Load(CPictureInfo& picture, Bytes bytes) {
    DWORD trailer = 0;
    LoadFromBytes(std::move(bytes), [&](CArchive& ar) {
        picture.Serialize(ar);
        ar >> trailer;
    });
    return trailer;
}

Bytes LittleEndian(DWORD value) {
    return {BYTE(value), BYTE(value >> 8), BYTE(value >> 16), BYTE(value >> 24)};
}

TEST(PictureArchiveTest, StoresLengthThenTheBlock) {
    const Bytes dib = SmallDib();
    CPictureInfo picture;
    std::memcpy(picture.Allocate(DWORD(dib.size())), dib.data(), dib.size());
    Bytes expected = LittleEndian(48);
    expected.insert(expected.end(), dib.begin(), dib.end());
    const Bytes trailer = LittleEndian(0xC0FFEE);
    expected.insert(expected.end(), trailer.begin(), trailer.end());

    const Bytes stored = Store(picture, 0xC0FFEE);

    EXPECT_EQ(stored, expected);
    CPictureInfo loaded;
    EXPECT_EQ(Load(loaded, stored), 0xC0FFEEu);
    ASSERT_TRUE(loaded.IsValid());
    EXPECT_EQ(Bytes(loaded.LoadFile(""), loaded.LoadFile("") + loaded.GetLength()), dib);
}

TEST(PictureArchiveTest, EmptyPictureStoresLengthZeroAndNothingElse) {
    CPictureInfo empty;
    EXPECT_EQ(Store(empty, 0x11223344), Bytes({0, 0, 0, 0, 0x44, 0x33, 0x22, 0x11}));
}

TEST(PictureArchiveTest, LoadingLengthZeroFreesTheOldBlock) {
    const Bytes dib = SmallDib();
    CPictureInfo picture;
    std::memcpy(picture.Allocate(DWORD(dib.size())), dib.data(), dib.size());
    EXPECT_EQ(Load(picture, {0, 0, 0, 0, 7, 0, 0, 0}), 7u);
    EXPECT_FALSE(picture.IsValid());
    EXPECT_EQ(picture.GetLength(), 0u);
}

TEST(PictureArchiveTest, RefusedBlockLeavesThePictureEmptyAndTheArchiveInStep) {
    Bytes broken = SmallDib();
    broken[12] = 2; // two planes
    Bytes bytes = LittleEndian(DWORD(broken.size()));
    bytes.insert(bytes.end(), broken.begin(), broken.end());
    bytes.insert(bytes.end(), {9, 0, 0, 0});
    CPictureInfo picture;
    EXPECT_EQ(Load(picture, bytes), 9u);
    EXPECT_FALSE(picture.IsValid());
}

TEST(PictureArchiveTest, LengthBeyondTheArchiveThrows) {
    Bytes bytes = LittleEndian(0xFFFFFFF0);
    const Bytes dib = SmallDib();
    bytes.insert(bytes.end(), dib.begin(), dib.end());
    CPictureInfo picture;
    try {
        Load(picture, bytes);
        ADD_FAILURE() << "no exception";
    } catch (CArchiveException* e) {
        EXPECT_EQ(e->m_cause, CArchiveException::endOfFile);
        e->Delete();
    }
    EXPECT_FALSE(picture.IsValid());
}

} // namespace
