#include "DibFixtures.h"
#include "image/PictureInfo.h"
#include "platform/base/FileApi.h"
#include "platform/base/GlobalMemory.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/TempFolder.h"

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <ostream>
#include <sys/resource.h>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<BYTE>;

Bytes ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// A 256-colour picture with a 40-byte header and biClrUsed 0.
Bytes Paletted8Dib() {
    DibSpec layout;
    layout.width = 2;
    layout.height = 2;
    layout.bitCount = 8;
    for (int i = 0; i < 256; ++i)
        layout.table.push_back(RGBQUAD{BYTE(i), BYTE(255 - i), BYTE(i / 2), 0});
    layout.bits = {1, 2, 0, 0, 3, 4, 0, 0};
    layout.sizeImage = 8;
    return BuildDib(layout);
}

Bytes True24Dib() {
    DibSpec layout;
    layout.width = 3;
    layout.height = 1;
    layout.bits = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0};
    layout.sizeImage = 12;
    return BuildDib(layout);
}

std::unique_ptr<CPictureInfo> PictureOf(const Bytes& dib) {
    auto picture = std::make_unique<CPictureInfo>();
    std::memcpy(picture->Allocate(DWORD(dib.size())), dib.data(), dib.size());
    return picture;
}

Bytes BlockOf(CPictureInfo& picture) {
    const BYTE* block = picture.LoadFile("");
    return block ? Bytes(block, block + picture.GetLength()) : Bytes();
}

class PictureFileTest : public testing::Test {
protected:
    fs::path Path(const char* name) const { return m_folder / name; }

    TempFolder m_temp;
    fs::path m_folder{m_temp.Path().GetString()};
};

// ---- Writers: every BMP writer puts the same 14-byte file header in front of the unchanged block ----

struct WriterCase {
    const char* name;
    std::function<Bytes(CPictureInfo&, const fs::path&)> write;
};

void PrintTo(const WriterCase& c, std::ostream* os) {
    *os << c.name;
}

const WriterCase kWriters[] = {
    {"SaveFile",
     [](CPictureInfo& picture, const fs::path& folder) {
         EXPECT_TRUE(picture.SaveFile((folder / "out.bmp").c_str()));
         return ReadAll(folder / "out.bmp");
     }},
    {"SaveToHandleOverLongerFile",
     [](CPictureInfo& picture, const fs::path& folder) {
         const fs::path path = folder / "temp.bmp";
         WriteAll(path, Bytes(5000, 0xAB));
         HANDLE file =
             CreateFile(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
         EXPECT_TRUE(picture.SaveToHandle(file));
         CloseHandle(file);
         return ReadAll(path);
     }},
    {"ToBmpHGlobal",
     [](CPictureInfo& picture, const fs::path&) {
         DWORD size = 0;
         HGLOBAL data = picture.ToBmpHGlobal(size);
         EXPECT_EQ(GlobalSize(data), size);
         const BYTE* bytes = static_cast<const BYTE*>(GlobalLock(data));
         Bytes out(bytes, bytes + size);
         GlobalUnlock(data);
         GlobalFree(data);
         return out;
     }},
};

// A packed DIB and the file header that every writer puts before it.
struct BmpForm {
    const char* name;
    Bytes (*dib)();
    Bytes header;
};

const BmpForm kBmpForms[] = {
    // "BM", bfSize = length + 14 = 1086, two reserved words, bfOffBits = 14 + 40 + 1024.
    {"PaletteOf256ColoursPutsRowsAt1078",
     Paletted8Dib,
     {0x42, 0x4D, 0x3E, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x36, 0x04, 0x00, 0x00}},
    {"TrueColourPutsRowsBehindTheHeader",
     True24Dib,
     {0x42, 0x4D, 0x42, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x36, 0x00, 0x00, 0x00}},
};

void PrintTo(const BmpForm& form, std::ostream* os) {
    *os << form.name;
}

class BmpWriterTest : public PictureFileTest,
                      public testing::WithParamInterface<std::tuple<WriterCase, BmpForm>> {};

TEST_P(BmpWriterTest, PutsTheFileHeaderBeforeThePackedDib) {
    const auto& [writer, form] = GetParam();
    const Bytes dib = form.dib();
    const Bytes written = writer.write(*PictureOf(dib), m_folder);
    ASSERT_EQ(written.size(), 14 + dib.size());
    EXPECT_EQ(Bytes(written.begin(), written.begin() + 14), form.header);
    EXPECT_EQ(Bytes(written.begin() + 14, written.end()), dib);
}

INSTANTIATE_TEST_SUITE_P(Writers, BmpWriterTest,
                         testing::Combine(testing::ValuesIn(kWriters), testing::ValuesIn(kBmpForms)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::get<1>(info.param).name;
                         });

TEST_F(PictureFileTest, WritersOfAnEmptyPictureWriteNothing) {
    CPictureInfo empty;
    DWORD size = 77;
    EXPECT_EQ(empty.ToBmpHGlobal(size), nullptr);
    EXPECT_EQ(size, 77u);
    EXPECT_FALSE(empty.SaveFile(Path("empty.bmp").c_str()));
    EXPECT_FALSE(fs::exists(Path("empty.bmp")));
    EXPECT_FALSE(empty.SaveToHandle(INVALID_HANDLE_VALUE));
}

TEST_F(PictureFileTest, SaveFileThatCannotCreateShowsTheFileErrorAndFails) {
    FakeAppServices app;
    const auto picture = PictureOf(True24Dib());
    EXPECT_FALSE(picture->SaveFile(Path("missing-folder/out.bmp").c_str()));
    ASSERT_EQ(app.Messages().size(), 1u);
    EXPECT_EQ(app.Messages()[0].stringId, 0u);
    EXPECT_FALSE(app.Messages()[0].text.IsEmpty());
    EXPECT_EQ(app.Messages()[0].style, MB_OK | MB_ICONEXCLAMATION);
}

TEST_F(PictureFileTest, FailedSaveLeavesTheOldFileAndShowsTheError) {
    FakeAppServices app;
    const Bytes old = {'o', 'l', 'd'};
    WriteAll(Path("keep.bmp"), old);
    CPictureInfo big;
    big.Allocate(40 + 100 * 300);
    std::memcpy(big.GetHeader(), True24Dib().data(), 40);
    big.GetHeader()->biWidth = 100;
    big.GetHeader()->biHeight = 100;

    // The file system refuses to grow any file beyond 4 KiB while the picture is written.
    signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit limited = previous;
    limited.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const BOOL saved = big.SaveFile(Path("keep.bmp").c_str());
    setrlimit(RLIMIT_FSIZE, &previous);

    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadAll(Path("keep.bmp")), old);
    ASSERT_EQ(app.Messages().size(), 1u);
    EXPECT_FALSE(app.Messages()[0].text.IsEmpty());
}

TEST_F(PictureFileTest, SaveToHandleRefusesTheInvalidHandle) {
    const auto picture = PictureOf(True24Dib());
    EXPECT_FALSE(picture->SaveToHandle(INVALID_HANDLE_VALUE));
}

// ---- Readers of the BMP file ----

struct FileReadCase {
    const char* name;
    std::function<Bytes()> file;
    bool accepted;
};

void PrintTo(const FileReadCase& c, std::ostream* os) {
    *os << c.name;
}

// A BMP file of a DIB as the program keeps it: the rows follow the colour table.
Bytes FileOf(const Bytes& dib) {
    BITMAPINFOHEADER header;
    std::memcpy(&header, dib.data(), sizeof header);
    const BITMAPFILEHEADER fileHeader{0x4D42, DWORD(dib.size() + 14), 0, 0,
                                      DWORD(14 + 40 + (header.biBitCount <= 8 ? 4 << header.biBitCount : 0))};
    Bytes file(14 + dib.size());
    std::memcpy(file.data(), &fileHeader, 14);
    std::copy(dib.begin(), dib.end(), file.begin() + 14);
    return file;
}

const FileReadCase kFileReads[] = {
    {"Exact", [] { return FileOf(Paletted8Dib()); }, true},
    {"SizeFieldOneMore",
     [] {
         auto f = FileOf(Paletted8Dib());
         ++f[2];
         return f;
     },
     false},
    {"SizeFieldOneLess",
     [] {
         auto f = FileOf(Paletted8Dib());
         --f[2];
         return f;
     },
     false},
    {"TypeNotBM",
     [] {
         auto f = FileOf(Paletted8Dib());
         f[1] = 'A';
         return f;
     },
     false},
    {"ShorterThanFileHeader", [] { return Bytes{0x42, 0x4D, 10, 0, 0, 0, 0, 0, 0, 0}; }, false},
    {"RowsCutShort",
     [] {
         auto dib = Paletted8Dib();
         dib.pop_back();
         return FileOf(dib);
     },
     false},
};

class BmpFileReadTest : public PictureFileTest, public testing::WithParamInterface<FileReadCase> {};

TEST_P(BmpFileReadTest, ReadBmpFileAcceptsOnlyAWholeSoundFile) {
    const fs::path path = Path("in.bmp");
    WriteAll(path, GetParam().file());
    const auto picture = PictureOf(True24Dib()); // whatever it held goes either way
    EXPECT_EQ(bool(picture->ReadBmpFile(path.c_str())), GetParam().accepted);
    if (GetParam().accepted) {
        EXPECT_EQ(BlockOf(*picture), Paletted8Dib());
    } else {
        EXPECT_FALSE(picture->IsValid());
        EXPECT_EQ(picture->GetLength(), 0u);
    }
}

TEST_P(BmpFileReadTest, ReadFromHandleAgreesAndLeavesTheFileOpen) {
    const fs::path path = Path("in.bmp");
    WriteAll(path, GetParam().file());
    HANDLE handle = CreateFile(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    CPictureInfo picture;
    EXPECT_EQ(bool(picture.ReadFromHandle(handle)), GetParam().accepted);
    EXPECT_EQ(SetFilePointer(handle, 1, nullptr, FILE_BEGIN), 1u);
    EXPECT_TRUE(CloseHandle(handle));
}

INSTANTIATE_TEST_SUITE_P(Files, BmpFileReadTest, testing::ValuesIn(kFileReads),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PictureFileTest, MissingFileEmptiesThePicture) {
    const auto picture = PictureOf(True24Dib());
    EXPECT_FALSE(picture->ReadBmpFile(Path("missing.bmp").c_str()));
    EXPECT_FALSE(picture->IsValid());
}

TEST_F(PictureFileTest, ReadFromNullHandleFails) {
    CPictureInfo picture;
    EXPECT_FALSE(picture.ReadFromHandle(nullptr));
    EXPECT_FALSE(picture.ReadRawFromHandle(nullptr));
}

TEST_F(PictureFileTest, SavedFileReadsBackByteForByte) {
    const auto source = PictureOf(Paletted8Dib());
    ASSERT_TRUE(source->SaveFile(Path("round.bmp").c_str()));
    CPictureInfo copy;
    ASSERT_TRUE(copy.ReadBmpFile(Path("round.bmp").c_str()));
    EXPECT_EQ(BlockOf(copy), Paletted8Dib());
}

TEST_F(PictureFileTest, LoadFileOfAnEmptyPictureReadsThePath) {
    const auto source = PictureOf(True24Dib());
    ASSERT_TRUE(source->SaveFile(Path("load.bmp").c_str()));
    CPictureInfo picture;
    ASSERT_NE(picture.LoadFile(Path("load.bmp").c_str()), nullptr);
    EXPECT_EQ(BlockOf(picture), True24Dib());
    CPictureInfo missing;
    EXPECT_EQ(missing.LoadFile(Path("nothing.bmp").c_str()), nullptr);
}

TEST_F(PictureFileTest, RawHandleIsAWholePackedDib) {
    Bytes dib = Paletted8Dib();
    WriteAll(Path("raw.dib"), dib);
    HANDLE handle = CreateFile(Path("raw.dib").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFilePointer(handle, 100, nullptr, FILE_BEGIN); // read from the start whatever the position
    CPictureInfo picture;
    EXPECT_TRUE(picture.ReadRawFromHandle(handle));
    EXPECT_EQ(BlockOf(picture), dib);
    CloseHandle(handle);

    dib.resize(60);
    WriteAll(Path("cut.dib"), dib);
    handle = CreateFile(Path("cut.dib").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_FALSE(picture.ReadRawFromHandle(handle));
    EXPECT_FALSE(picture.IsValid());
    CloseHandle(handle);
}

// ---- The BMP file image in global memory ----

HGLOBAL GlobalOf(const Bytes& bytes) {
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(data), bytes.data(), bytes.size());
    GlobalUnlock(data);
    return data;
}

TEST(PictureGlobalMemoryTest, RoundTripIsByteEqual) {
    const auto source = PictureOf(Paletted8Dib());
    DWORD size = 0;
    const UniqueGlobal data(source->ToBmpHGlobal(size));
    ASSERT_TRUE(data);
    CPictureInfo copy;
    ASSERT_TRUE(copy.FromBmpHGlobal(data.get(), size));
    EXPECT_EQ(BlockOf(copy), BlockOf(*source));
    EXPECT_EQ(GlobalFlags(data.get()) & GMEM_LOCKCOUNT, 0u);
}

TEST(PictureGlobalMemoryTest, RefusesWhatCannotBeAFileImage) {
    const Bytes file = FileOf(Paletted8Dib());
    const UniqueGlobal data(GlobalOf(file));
    CPictureInfo picture;
    EXPECT_FALSE(picture.FromBmpHGlobal(nullptr, DWORD(file.size())));
    EXPECT_FALSE(picture.FromBmpHGlobal(data.get(), 0));
    EXPECT_FALSE(picture.FromBmpHGlobal(data.get(), 13));
    EXPECT_FALSE(picture.FromBmpHGlobal(data.get(), DWORD(file.size() + 1))) << "size past the block";
    EXPECT_FALSE(picture.FromBmpHGlobal(data.get(), DWORD(file.size() - 1))) << "rows cut short";
    EXPECT_FALSE(picture.IsValid());
    EXPECT_TRUE(picture.FromBmpHGlobal(data.get(), DWORD(file.size())));
}

TEST(PictureGlobalMemoryTest, FileHeaderTypeIsNotChecked) {
    Bytes file = FileOf(True24Dib());
    file[0] = 'X';
    file[2] = 0;
    const UniqueGlobal data(GlobalOf(file));
    CPictureInfo picture;
    EXPECT_TRUE(picture.FromBmpHGlobal(data.get(), DWORD(file.size())));
}

} // namespace
