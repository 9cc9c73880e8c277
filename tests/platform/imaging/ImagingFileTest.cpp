// The file side of the imaging library on its own: what we encode decodes to the pixels of the picture
// at that depth, loading at a chosen depth, file information, save failures and hostile files.

#include "platform/imaging/ImagingFile.h"

#include "ImagingFixtures.h"
#include "LimitedChild.h"
#include "TestDibs.h"
#include "image/PictureBmpReader.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <ostream>
#include <set>
#include <sys/resource.h>

namespace {

class ImagingFileEnvironment : public ::testing::Environment {
public:
    void SetUp() override { InstallPictureBmpReader(); }
};
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new ImagingFileEnvironment);

// 8 distinct colours in a 12 x 7 picture.
CImagingBitmap FewColours() {
    const COLORREF kColours[] = {RGB(0, 0, 0),     RGB(255, 255, 255), RGB(200, 30, 40),   RGB(20, 180, 90),
                                 RGB(40, 60, 220), RGB(250, 240, 10),  RGB(128, 128, 128), RGB(90, 20, 120)};
    std::vector<COLORREF> colours;
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 12; ++x)
            colours.push_back(kColours[(x / 2 + y) % 8]);
    return ColourBitmap(12, 7, colours);
}

CImagingBitmap FourColours() {
    std::vector<COLORREF> colours;
    for (int i = 0; i < 9 * 5; ++i)
        colours.push_back(i % 4 == 0   ? RGB(10, 200, 30)
                          : i % 4 == 1 ? RGB(0, 0, 0)
                          : i % 4 == 2 ? RGB(77, 77, 250)
                                       : RGB(255, 255, 255));
    return ColourBitmap(9, 5, colours);
}

CImagingBitmap TwoColours() {
    std::vector<COLORREF> colours;
    for (int i = 0; i < 13 * 5; ++i)
        colours.push_back(i % 3 ? RGB(255, 255, 255) : RGB(0, 0, 0));
    return ColourBitmap(13, 5, colours);
}

std::size_t DistinctCount(const std::vector<COLORREF>& colours) {
    return std::set<COLORREF>(colours.begin(), colours.end()).size();
}

struct RoundTripCase {
    const char* name;
    int format;
    int bitsPerPixel;
    CImagingBitmap (*source)();
    int decodedBits; // the depth the file decodes to
    int tolerance;   // largest channel difference from the picture at that depth
};
void PrintTo(const RoundTripCase& c, std::ostream* os) {
    *os << c.name;
}

CImagingBitmap Photo() {
    return PhotoLike(37, 23);
}

class RoundTripTest : public ::testing::TestWithParam<RoundTripCase> {};

// What we encode decodes to the pixels of the picture reduced to that depth, and the file keeps the depth.
TEST_P(RoundTripTest, DecodesToThePictureAtItsDepth) {
    const RoundTripCase& c = GetParam();
    const CImagingBitmap source = c.source();
    std::vector<BYTE> file;
    ASSERT_EQ(kImagingSuccess, SaveImagingMemory(file, source, c.format, c.bitsPerPixel, kQualityBest));
    CImagingBitmap decoded;
    ImagingFileInfo info;
    ASSERT_TRUE(LoadImagingMemory(file.data(), file.size(), 0, decoded, &info));
    EXPECT_EQ(c.format, info.format);
    EXPECT_EQ(c.decodedBits, info.bitsPerPixel);
    EXPECT_EQ(c.decodedBits, decoded.GetBitsPerPixel());
    EXPECT_EQ(std::int64_t(file.size()), info.fileSize);
    EXPECT_TRUE(InProgramForm(decoded));

    CImagingBitmap reduced = source;
    // 2-bit files are made from the picture at 4 bits with 4 colours.
    const int reducedBits = c.bitsPerPixel == 0   ? source.GetBitsPerPixel()
                            : c.bitsPerPixel == 2 ? 4
                                                  : c.bitsPerPixel;
    if (reducedBits <= 8 || reducedBits == 16) {
        ASSERT_TRUE(reduced.ConvertDepth(reducedBits));
    }
    EXPECT_LE(LargestDifference(ColoursOf(reduced), ColoursOf(decoded)), c.tolerance);
}

INSTANTIATE_TEST_SUITE_P(Formats, RoundTripTest,
                         ::testing::Values(RoundTripCase{"Bmp1", kFormatBmp, 1, TwoColours, 1, 0},
                                           RoundTripCase{"Bmp4", kFormatBmp, 4, FewColours, 4, 0},
                                           RoundTripCase{"Bmp8Photo", kFormatBmp, 8, Photo, 8, 0},
                                           RoundTripCase{"Bmp16", kFormatBmp, 16, Photo, 16, 0},
                                           RoundTripCase{"Bmp24", kFormatBmp, 24, Photo, 24, 0},
                                           RoundTripCase{"Bmp32", kFormatBmp, 32, Photo, 32, 0},
                                           RoundTripCase{"Png1", kFormatPng, 1, TwoColours, 1, 0},
                                           RoundTripCase{"Png4", kFormatPng, 4, FewColours, 4, 0},
                                           RoundTripCase{"Png4Photo", kFormatPng, 4, Photo, 4, 0},
                                           RoundTripCase{"Png8Photo", kFormatPng, 8, Photo, 8, 0},
                                           RoundTripCase{"Png24", kFormatPng, 24, Photo, 24, 0},
                                           RoundTripCase{"PngOwnDepth", kFormatPng, 0, Photo, 24, 0},
                                           RoundTripCase{"Pcx1", kFormatPcx, 1, TwoColours, 1, 0},
                                           RoundTripCase{"Pcx4", kFormatPcx, 4, FewColours, 4, 0},
                                           RoundTripCase{"Pcx8Photo", kFormatPcx, 8, Photo, 8, 0},
                                           RoundTripCase{"Pcx24", kFormatPcx, 24, Photo, 24, 0},
                                           RoundTripCase{"Tiff1", kFormatTiff, 1, TwoColours, 1, 0},
                                           RoundTripCase{"Tiff2", kFormatTiff, 2, FourColours, 4, 0},
                                           RoundTripCase{"Tiff4", kFormatTiff, 4, FewColours, 4, 0},
                                           RoundTripCase{"Tiff8", kFormatTiff, 8, Photo, 8, 0},
                                           RoundTripCase{"Tiff16", kFormatTiff, 16, Photo, 24, 0},
                                           RoundTripCase{"Tiff24", kFormatTiff, 24, Photo, 24, 0},
                                           RoundTripCase{"Cur1", kFormatCur, 1, TwoColours, 1, 0},
                                           RoundTripCase{"Cur4", kFormatCur, 4, FewColours, 4, 0},
                                           RoundTripCase{"Cur8Photo", kFormatCur, 8, Photo, 8, 0},
                                           RoundTripCase{"Cur24", kFormatCur, 24, Photo, 24, 0},
                                           RoundTripCase{"JpegBest", kFormatJpeg, 24, Photo, 24, 24},
                                           RoundTripCase{"JpegGrey", kFormatJpeg, 8, TwoColours, 8, 8}),
                         [](const auto& info) { return std::string(info.param.name); });

// TIFF depths of 2, 3, 5, 6 and 7 bits are that many bits' worth of colours (2 bits in a 2-bit file, read
// back at 4, the others in 4- or 8-bit files).
TEST(ImagingFileTest, TiffDepthsWithoutDibDepthKeepTheirColourCount) {
    for (auto [bits, storedBits] : {std::pair{2, 4}, {3, 4}, {5, 8}, {6, 8}, {7, 8}}) {
        std::vector<BYTE> file;
        ASSERT_EQ(kImagingSuccess,
                  SaveImagingMemory(file, PhotoLike(40, 30), kFormatTiff, bits, kQualityBest));
        CImagingBitmap decoded;
        ImagingFileInfo info;
        ASSERT_TRUE(LoadImagingMemory(file.data(), file.size(), 0, decoded, &info)) << bits;
        EXPECT_EQ(storedBits, info.bitsPerPixel) << bits;
        const std::size_t colours = DistinctCount(ColoursOf(decoded));
        EXPECT_LE(colours, std::size_t{1} << bits) << bits;
        EXPECT_GT(colours, std::size_t{1} << (bits - 1)) << bits << " bits use what they have";
    }
}

// Without transparency, 32-bit files are opaque: the DIB's fourth byte is not taken for alpha.
TEST(ImagingFileTest, ThirtyTwoBitsWithoutTransparencyAreOpaque) {
    for (int format : {kFormatPng, kFormatTiff}) {
        std::vector<BYTE> file;
        ASSERT_EQ(kImagingSuccess, SaveImagingMemory(file, PhotoLike(6, 4), format, 32, 2));
        CImagingBitmap decoded;
        ImagingFileInfo info;
        ASSERT_TRUE(LoadImagingMemory(file.data(), file.size(), 0, decoded, &info)) << format;
        EXPECT_EQ(32, decoded.GetBitsPerPixel()) << format;
        EXPECT_TRUE(info.hasTransparency) << format;
        EXPECT_EQ(std::vector<BYTE>(24, 255), AlphaOf(decoded)) << format;
        EXPECT_EQ(ColoursOf(PhotoLike(6, 4)), ColoursOf(decoded)) << format;
    }
}

struct LoadDepthCase {
    const char* name;
    int bitsPerPixel;
    std::vector<COLORREF> expected; // of the 4 x 1 picture below
};
void PrintTo(const LoadDepthCase& c, std::ostream* os) {
    *os << c.name;
}

// Dark red, grey just below and just at half brightness, light blue.
const std::vector<COLORREF> kFourColours = {RGB(120, 0, 0), RGB(127, 127, 127), RGB(128, 128, 128),
                                            RGB(160, 200, 255)};

class LoadDepthTest : public ::testing::TestWithParam<LoadDepthCase> {};

TEST_P(LoadDepthTest, GivesThePictureAtTheRequestedDepth) {
    const LoadDepthCase& c = GetParam();
    std::vector<BYTE> file;
    ASSERT_EQ(kImagingSuccess, SaveImagingMemory(file, ColourBitmap(4, 1, kFourColours), kFormatPng, 24, 2));
    CImagingBitmap bitmap;
    ASSERT_TRUE(LoadImagingMemory(file.data(), file.size(), c.bitsPerPixel, bitmap));
    EXPECT_EQ(c.bitsPerPixel, bitmap.GetBitsPerPixel());
    EXPECT_EQ(c.expected, ColoursOf(bitmap));
}

INSTANTIATE_TEST_SUITE_P(Depths, LoadDepthTest,
                         ::testing::Values(LoadDepthCase{"OneBitThresholdsAtHalfBrightness",
                                                         1,
                                                         {RGB(0, 0, 0), RGB(0, 0, 0), RGB(255, 255, 255),
                                                          RGB(255, 255, 255)}},
                                           LoadDepthCase{"FourBitsKeepFewColoursExactly", 4, kFourColours},
                                           LoadDepthCase{"EightBitsKeepFewColoursExactly", 8, kFourColours},
                                           LoadDepthCase{"TwentyFourBits", 24, kFourColours}),
                         [](const auto& info) { return std::string(info.param.name); });

// A mask file read at 1 bit is never dithered: a flat mid-grey just below half stays all black.
TEST(ImagingFileTest, OneBitLoadNeverDithers) {
    std::vector<BYTE> file;
    ASSERT_EQ(kImagingSuccess,
              SaveImagingMemory(file, ColourBitmap(16, 16, std::vector<COLORREF>(256, RGB(120, 120, 120))),
                                kFormatBmp, 24, 2));
    CImagingBitmap mask;
    ASSERT_TRUE(LoadImagingMemory(file.data(), file.size(), 1, mask));
    EXPECT_EQ(std::vector<COLORREF>(256, RGB(0, 0, 0)), ColoursOf(mask));
}

TEST(ImagingFileTest, BmpFilesAreReadOnlyThroughTheInstalledReader) {
    std::vector<BYTE> file;
    ASSERT_EQ(kImagingSuccess, SaveImagingMemory(file, FewColours(), kFormatBmp, 8, 2));
    CImagingBitmap bitmap;
    SetBmpFileReader(nullptr);
    EXPECT_FALSE(LoadImagingMemory(file.data(), file.size(), 0, bitmap));
    InstallPictureBmpReader();
    EXPECT_TRUE(LoadImagingMemory(file.data(), file.size(), 0, bitmap));
}

TEST(ImagingFileTest, JpegQualityOfTheFactors) {
    const std::pair<int, int> kCases[] = {{2, 100}, {25, 91}, {50, 81},   {150, 42}, {255, 1},
                                          {9, 97},  {0, 100}, {-40, 100}, {1000, 1}};
    for (auto [factor, quality] : kCases)
        EXPECT_EQ(quality, JpegQualityOfFactor(factor)) << factor;

    // A larger factor gives a smaller file further from the picture.
    const CImagingBitmap photo = PhotoLike(64, 48);
    std::vector<BYTE> best, small;
    ASSERT_EQ(kImagingSuccess, SaveImagingMemory(best, photo, kFormatJpeg, 24, 2));
    ASSERT_EQ(kImagingSuccess, SaveImagingMemory(small, photo, kFormatJpeg, 24, 150));
    EXPECT_LT(small.size(), best.size() / 2);
    CImagingBitmap a, b;
    ASSERT_TRUE(LoadImagingMemory(best.data(), best.size(), 0, a));
    ASSERT_TRUE(LoadImagingMemory(small.data(), small.size(), 0, b));
    EXPECT_LT(MeanDifference(ColoursOf(photo), ColoursOf(a)), MeanDifference(ColoursOf(photo), ColoursOf(b)));
}

struct SaveFailureCase {
    const char* name;
    int format;
    int bitsPerPixel;
    int width;
    int result;
};
void PrintTo(const SaveFailureCase& c, std::ostream* os) {
    *os << c.name;
}

class SaveFailureTest : public ::testing::TestWithParam<SaveFailureCase> {};

TEST_P(SaveFailureTest, ReportsTheFailureAndWritesNothing) {
    const SaveFailureCase& c = GetParam();
    CImagingBitmap bitmap;
    if (c.width > 0)
        bitmap = PhotoLike(c.width, 3);
    std::vector<BYTE> file = {1, 2, 3};
    EXPECT_EQ(c.result, SaveImagingMemory(file, bitmap, c.format, c.bitsPerPixel, 2));
    EXPECT_EQ((std::vector<BYTE>{1, 2, 3}), file);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, SaveFailureTest,
    ::testing::Values(SaveFailureCase{"EmptyPicture", kFormatPng, 24, 0, kImagingErrorInvalid},
                      SaveFailureCase{"FormatWithoutEncoder", 5, 24, 4, kImagingErrorFormat},
                      SaveFailureCase{"IconsAreNotWritten", kFormatIco, 24, 4, kImagingErrorFormat},
                      SaveFailureCase{"PngAtSixteenBits", kFormatPng, 16, 4, kImagingErrorFormat},
                      SaveFailureCase{"JpegAtFourBits", kFormatJpeg, 4, 4, kImagingErrorFormat},
                      SaveFailureCase{"PcxAtThirtyTwoBits", kFormatPcx, 32, 4, kImagingErrorFormat},
                      SaveFailureCase{"BmpAtThreeBits", kFormatBmp, 3, 4, kImagingErrorFormat},
                      SaveFailureCase{"CursorWiderThan256", kFormatCur, 8, 257, kImagingErrorFormat}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ImagingFileTest, FailedFileSaveLeavesTheOldFile) {
    TempFolder folder;
    const std::string path = folder.Path().str() + "/picture.png";
    WriteBytes(path, {'o', 'l', 'd'});
    EXPECT_EQ(kImagingErrorFormat, SaveImagingFile(CString(path), PhotoLike(4, 4), kFormatPng, 16, 2));
    EXPECT_EQ((std::vector<BYTE>{'o', 'l', 'd'}), ReadBytes(path));
    EXPECT_EQ(kImagingErrorFile, SaveImagingFile(CString(folder.Path().str() + "/missing/picture.png"),
                                                 PhotoLike(4, 4), kFormatPng, 24, 2));
    EXPECT_EQ(kImagingSuccess, SaveImagingFile(CString(path), PhotoLike(4, 4), kFormatPng, 24, 2));
    ImagingFileInfo info;
    ASSERT_TRUE(ReadImagingFileInfo(CString(path), info));
    EXPECT_EQ(kFormatPng, info.format);
    EXPECT_EQ(std::int64_t(ReadBytes(path).size()), info.fileSize);
}

TEST(ImagingFileTest, FilesAreFoundIgnoringLetterCaseAndBackslashes) {
    TempFolder folder;
    ASSERT_EQ(kImagingSuccess, SaveImagingFile(folder.Path() + "/Foto.JPG", Photo(), kFormatJpeg, 24, 2));
    CImagingBitmap bitmap;
    EXPECT_TRUE(LoadImagingFile(folder.Path() + "\\foto.jpg", 0, bitmap));
    EXPECT_EQ(37, bitmap.GetWidth());
    EXPECT_FALSE(LoadImagingFile(folder.Path() + "/other.jpg", 0, bitmap));
    EXPECT_FALSE(LoadImagingFile(folder.Path(), 0, bitmap)) << "a folder is no picture";
}

// Hostile files: cut short, claiming huge sizes, or not pictures at all. Each fails without a crash,
// and a large claimed size is refused before anything is allocated for it.
struct HostileCase {
    const char* name;
    std::vector<BYTE> (*make)();
};
void PrintTo(const HostileCase& c, std::ostream* os) {
    *os << c.name;
}

std::vector<BYTE> Encoded(int format, int bits) {
    std::vector<BYTE> file;
    SaveImagingMemory(file, PhotoLike(64, 48), format, bits, 2);
    return file;
}

std::vector<BYTE> CutInHalf(int format, int bits) {
    std::vector<BYTE> file = Encoded(format, bits);
    file.resize(file.size() / 2);
    return file;
}

void PutBe32(std::vector<BYTE>& file, std::size_t at, DWORD value) {
    for (int i = 0; i < 4; ++i)
        file[at + std::size_t(i)] = BYTE(value >> (24 - 8 * i));
}

void PutLe16(std::vector<BYTE>& file, std::size_t at, WORD value) {
    file[at] = BYTE(value), file[at + 1] = BYTE(value >> 8);
}

// The start-of-frame record of a baseline JPEG holds the height and width behind its marker.
std::size_t FrameHeader(const std::vector<BYTE>& jpeg) {
    for (std::size_t i = 2; i + 9 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0)
            return i;
    return 0;
}

const HostileCase kHostileFiles[] = {
    {"Empty", [] { return std::vector<BYTE>{}; }},
    {"Garbage", [] { return std::vector<BYTE>(300, 0x5A); }},
    {"JpegCutShort", [] { return CutInHalf(kFormatJpeg, 24); }},
    {"PngCutShort", [] { return CutInHalf(kFormatPng, 24); }},
    {"TiffCutShort", [] { return CutInHalf(kFormatTiff, 24); }},
    {"PcxCutShort", [] { return CutInHalf(kFormatPcx, 24); }},
    {"CursorCutShort", [] { return CutInHalf(kFormatCur, 8); }},
    {"BmpCutShort", [] { return CutInHalf(kFormatBmp, 24); }},
    // libjpeg and libpng leave through their error handlers here.
    {"JpegBogusMarkerLength",
     [] { return std::vector<BYTE>{0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x01, 0x08, 0x00}; }},
    {"PngWithBrokenChecksum",
     [] {
         std::vector<BYTE> file = Encoded(kFormatPng, 24);
         file[30] ^= 0xFF; // the IHDR checksum
         return file;
     }},
    {"PngTextClaimingAGigabyte",
     [] {
         // A text chunk whose length field claims 1 GB, cut off after its type.
         std::vector<BYTE> file = Encoded(kFormatPng, 24);
         file.resize(33);
         for (int b : {0x40, 0x00, 0x00, 0x00, int('t'), int('E'), int('X'), int('t'), int('a')})
             file.push_back(BYTE(b));
         return file;
     }},
    {"JpegHuge",
     [] {
         std::vector<BYTE> file = Encoded(kFormatJpeg, 24);
         const std::size_t frame = FrameHeader(file);
         file[frame + 5] = 0xFF, file[frame + 6] = 0xF0, file[frame + 7] = 0xFF, file[frame + 8] = 0xF0;
         return file;
     }},
    {"PngWiderThanAnyDib",
     [] {
         std::vector<BYTE> file = Encoded(kFormatPng, 24);
         PutBe32(file, 16, 70000); // IHDR width
         return file;
     }},
    {"PngOfTooManyPixels",
     [] {
         std::vector<BYTE> file = Encoded(kFormatPng, 24);
         PutBe32(file, 16, 60000), PutBe32(file, 20, 60000);
         return file;
     }},
    {"PcxHuge",
     [] {
         std::vector<BYTE> file = Encoded(kFormatPcx, 8);
         PutLe16(file, 8, 0xFFFE), PutLe16(file, 10, 0xFFFE);
         return file;
     }},
    {"CursorPointingOutside",
     [] {
         std::vector<BYTE> file = Encoded(kFormatCur, 8);
         file[18] = 0xFF, file[19] = 0xFF, file[20] = 0xFF;
         return file;
     }},
};

class HostileFileTest : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileFileTest, FailsWithoutCrashing) {
    const std::vector<BYTE> file = GetParam().make();
    CImagingBitmap bitmap;
    for (int bits : {0, 1, 24})
        EXPECT_FALSE(LoadImagingMemory(file.data(), file.size(), bits, bitmap)) << bits;
    EXPECT_TRUE(bitmap.IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Files, HostileFileTest, ::testing::ValuesIn(kHostileFiles),
                         [](const auto& info) { return std::string(info.param.name); });

// Loading into a block of the caller's gives the DIB that loading into a bitmap gives, byte for byte
// (the bytes that round rows up to whole words included, though the block is not cleared); a
// transparent picture goes to the bitmap instead, and no block is made for it.
TEST(ImagingFileTest, LoadingIntoABlockGivesTheBitmapsDib) {
    struct Block {
        std::vector<BYTE> bytes;
        int made = 0;
    };
    auto make = [](std::size_t size, void* context) {
        auto& block = *static_cast<Block*>(context);
        block.bytes.assign(size, 0xA5); // not zeros: every byte must be written
        ++block.made;
        return block.bytes.data();
    };
    TempFolder folder;
    for (int format : {kFormatJpeg, kFormatPng, kFormatTiff}) {
        const CString path = folder.Path() + "/odd";
        ASSERT_EQ(kImagingSuccess, SaveImagingFile(path, PhotoLike(37, 23), format, 24, kQualityBest));
        CImagingBitmap bitmap, transparent;
        ASSERT_TRUE(LoadImagingFile(path, 0, bitmap));
        Block block;
        ASSERT_TRUE(LoadImagingFileToBlock(path, make, &block, transparent)) << format;
        EXPECT_EQ(1, block.made);
        EXPECT_EQ(bitmap.GetDib(), block.bytes) << format;
        EXPECT_TRUE(transparent.IsEmpty());
    }
    CImagingBitmap picture = PhotoLike(9, 5), transparent;
    picture.Attach(std::vector<BYTE>(picture.GetDib()), std::vector<BYTE>(45, 0));
    const CString path = folder.Path() + "/alpha.png";
    ASSERT_EQ(kImagingSuccess, SaveImagingFile(path, picture, kFormatPng, 32, kQualityBest));
    Block block;
    ASSERT_TRUE(LoadImagingFileToBlock(path, make, &block, transparent));
    EXPECT_EQ(0, block.made);
    EXPECT_TRUE(transparent.HasTransparency());
}

// Files that claim huge pictures, each read in a child process under limits the test sets. Hostile ones
// (tiny files whose data cannot fill what they claim) are refused in little time and memory; valid bombs
// (pictures of 16000 x 16000 zeros in small files) give a thumbnail in the memory of a few rows and load
// whole in the memory of the picture, allocated once.
struct LimitCase {
    const char* name;
    std::string command; // writes the file `a` in the current folder
    bool valid;
    long pictureMegabytes; // the picture at its own depth
};
void PrintTo(const LimitCase& c, std::ostream* os) {
    *os << c.name;
}

const std::string kWriteTiff = "/usr/bin/python3 " VC_SOURCE_DIR "/tests/platform/imaging/write_tiff.py ";
const std::string kWritePng = "/usr/bin/python3 " VC_SOURCE_DIR "/tests/platform/imaging/write_png.py ";

const LimitCase kLimitCases[] = {
    // A progressive file of a few hundred bytes whose frame claims 16000 x 16000 pixels: libjpeg would
    // make room for the coefficients of every scan.
    {"JpegProgressiveClaimingHugeSize",
     "gm convert -size 64x48 xc:'#808080' -interlace line -quality 80 b.jpg && /usr/bin/python3 -c \"d = "
     "bytearray(open('b.jpg', 'rb').read()); i = d.find(b'\\xff\\xc2'); d[i + 5:i + 9] = "
     "b'\\x3e\\x80\\x3e\\x80'; "
     "open('a', 'wb').write(d)\"",
     false, 0},
    {"TiffClaimingHugeSize", kWriteTiff + "claim 16000 16000 a", false, 0},
    {"TiffDeflateClaimingHugeSize", kWriteTiff + "claim-deflate 16000 16000 a", false, 0},
    {"PngBombOfZeros", kWritePng + "zeros 16000 16000 a", true, 16000 * 16000 >> 20},
    {"TiffGroup4BombOfZeros", kWriteTiff + "zeros 16000 16000 raw && tiffcp -c g4 -r 16000 raw a && rm raw",
     true, 2000 * 16000 >> 20},
};

// The limits of the child: processor seconds (generous for a build with sanitizers, whose code runs
// several times slower) and memory added.
constexpr int kHostileSeconds = 2;
constexpr int kBombSeconds = 60;
constexpr long kSmallMegabytes = 64;

class LimitTest : public ::testing::TestWithParam<LimitCase> {};

TEST_P(LimitTest, StaysWithinTimeAndMemory) {
    const LimitCase& c = GetParam();
    TempFolder folder;
    ASSERT_TRUE(RunCommand("cd '" + folder.Path().str() + "' && " + c.command)) << c.command;
    const CString path = folder.Path() + "/a";
    const int seconds = c.valid ? kBombSeconds : kHostileSeconds;

    const ChildOutcome thumbnail = RunInLimitedChild(
        [&] {
            CImagingBitmap small;
            const ThumbnailOptions options{.width = 160, .height = 120};
            return CreateImagingThumbnail(path, options, small) && small.GetWidth() == 120 &&
                   small.GetHeight() == 120;
        },
        seconds);
    EXPECT_TRUE(thumbnail.finished) << "killed at the limit of " << seconds << " s";
    EXPECT_EQ(c.valid, thumbnail.result);
    EXPECT_LT(thumbnail.peakMegabytes, kSmallMegabytes);

    const ChildOutcome load = RunInLimitedChild(
        [&] {
            CImagingBitmap whole;
            return LoadImagingFile(path, 0, whole);
        },
        seconds);
    EXPECT_TRUE(load.finished) << "killed at the limit of " << seconds << " s";
    EXPECT_EQ(c.valid, load.result);
    EXPECT_LT(load.peakMegabytes, c.pictureMegabytes + kSmallMegabytes);
}

INSTANTIATE_TEST_SUITE_P(Files, LimitTest, ::testing::ValuesIn(kLimitCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The peak of memory this process has used, in MB.
long PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

// A small PNG that claims 16000 x 16000 pixels (within the limits) cannot hold them even at deflate's
// best ratio: it is refused before 768 MB are made ready for its rows.
TEST(ImagingFileTest, PngTooSmallForItsSizeIsRefusedBeforeAllocating) {
    TempFolder folder;
    const std::string path = folder.Path().str() + "/claim.png";
    ASSERT_TRUE(RunCommand("/usr/bin/python3 " VC_SOURCE_DIR
                           "/tests/platform/imaging/write_png.py claim 16000 16000 '" +
                           path + "'"));
    const long before = PeakMegabytes();
    CImagingBitmap bitmap;
    EXPECT_FALSE(LoadImagingFile(CString(path), 0, bitmap));
    EXPECT_LT(PeakMegabytes() - before, 200);
}

// The same for a JPEG: its header claims 16000 x 16000 pixels, and its data ends in the first rows.
TEST(ImagingFileTest, JpegWithoutDataForItsSizeFailsBeforeAllocating) {
    std::vector<BYTE> file = Encoded(kFormatJpeg, 24);
    const std::size_t frame = FrameHeader(file);
    file[frame + 5] = 0x3E, file[frame + 6] = 0x80, file[frame + 7] = 0x3E, file[frame + 8] = 0x80;
    const long before = PeakMegabytes();
    CImagingBitmap bitmap;
    EXPECT_FALSE(LoadImagingMemory(file.data(), file.size(), 0, bitmap));
    EXPECT_LT(PeakMegabytes() - before, 200);
}

TEST(ImagingFileTest, TiffTagsClaimingHugeSizesFail) {
    // A TIFF of a few bytes that claims 65535 x 65535 pixels of one strip.
    const std::vector<BYTE> header = {'I', 'I', 42, 0, 8, 0, 0, 0};
    std::vector<BYTE> file = header;
    auto entry = [&](WORD tag, WORD type, DWORD value) {
        file.push_back(BYTE(tag)), file.push_back(BYTE(tag >> 8));
        file.push_back(BYTE(type)), file.push_back(BYTE(type >> 8));
        for (DWORD v : {DWORD(1), value})
            for (int i = 0; i < 4; ++i)
                file.push_back(BYTE(v >> (8 * i)));
    };
    file.push_back(6), file.push_back(0);
    entry(256, 4, 65535); // width
    entry(257, 4, 65535); // height
    entry(258, 3, 8);     // bits per sample
    entry(262, 3, 1);     // grey
    entry(273, 4, 100);   // strip offset
    entry(279, 4, 100);   // strip bytes
    file.insert(file.end(), 4 + 100, 0);
    CImagingBitmap bitmap;
    EXPECT_FALSE(LoadImagingMemory(file.data(), file.size(), 0, bitmap));
    ImagingFileInfo info;
    ASSERT_TRUE(ReadImagingMemoryInfo(file.data(), file.size(), info)) << "the header itself reads";
    EXPECT_EQ(65535, info.width);
}

} // namespace
