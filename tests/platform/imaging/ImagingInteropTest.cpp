// The file side against real tools: files that GraphicsMagick, ImageMagick and libjpeg's djpeg write or
// read, in the variants the formats allow, decode to the pixels those tools see; files we write are read
// by them to our pixels, and Python reads their headers to show that the variant meant was written.

#include "ImagingFixtures.h"
#include "image/PictureBmpReader.h"
#include "platform/imaging/ImagingFile.h"
#include "tests/support/TempFolder.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <ostream>

namespace {

class InteropEnvironment : public ::testing::Environment {
public:
    void SetUp() override { InstallPictureBmpReader(); }
};
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new InteropEnvironment);

constexpr int kWidth = 45;
constexpr int kHeight = 29;

// A picture with gradients, a hard edge and a transparent corner for the tools to convert.
const std::string kSource =
    "gm convert -size 45x29 gradient:'#ff8000-#0040c0' -fill '#20c040' -draw 'circle 30,14 38,20' -depth 8 ";
// Tools and libraries round 16-bit samples to 8 bits in slightly different ways.
constexpr int kSixteenBitRounding = 1;
const std::string kTransparentSource = "/usr/bin/convert -size 45x29 gradient:'#ff8000-#0040c0' -alpha set "
                                       "-channel A -fx 'i<20 && j<10 ? 0 : 1' +channel -depth 8 ";

struct ToolFileCase {
    const char* name;
    std::string command; // writes the file named `file`
    const char* file;
    int bitsPerPixel;        // as the file information gives it, and as loading at depth 0 gives
    const char* compression; // as the file information names it
    bool transparency;
    int tolerance; // largest channel difference from GraphicsMagick's pixels
};
void PrintTo(const ToolFileCase& c, std::ostream* os) {
    *os << c.name;
}

const ToolFileCase kToolFiles[] = {
    {"JpegBaseline", kSource + "-quality 90 a.jpg", "a.jpg", 24, "JPEG", false, 0},
    {"JpegProgressive", kSource + "-interlace line -quality 80 a.jpg", "a.jpg", 24, "JPEG", false, 0},
    {"JpegGrey", kSource + "-colorspace gray -quality 90 a.jpg", "a.jpg", 8, "JPEG", false, 0},
    // djpeg decodes a file without its end marker whole, with a warning.
    {"JpegWithoutEndMarker", kSource + "-quality 90 b.jpg && head -c -2 b.jpg > a.jpg", "a.jpg", 24, "JPEG",
     false, 0},
    {"JpegProgressiveWithoutEndMarker",
     kSource + "-interlace line -quality 80 b.jpg && head -c -2 b.jpg > a.jpg", "a.jpg", 24, "JPEG", false,
     0},
    {"JpegCmyk", "/usr/bin/convert -size 45x29 gradient:'#ff8000-#0040c0' -colorspace CMYK -quality 95 a.jpg",
     "a.jpg", 24, "JPEG", false, 2},
    {"PngPalette4", kSource + "-colors 12 PNG8:a.png", "a.png", 8, "Deflate", false, 0},
    {"PngPalette2Bits",
     "/usr/bin/python3 " VC_SOURCE_DIR "/tests/platform/imaging/write_png.py palette2 45 29 a.png", "a.png",
     4, "Deflate", false, 0},
    {"PngGrey", kSource + "-colorspace gray a.png", "a.png", 8, "Deflate", false, 0},
    {"PngGrey16", kSource + "-colorspace gray -depth 16 a.png", "a.png", 8, "Deflate", false,
     kSixteenBitRounding},
    {"PngBilevel", kSource + "-monochrome a.png", "a.png", 1, "Deflate", false, 0},
    {"PngRgb16Interlaced", kSource + "-depth 16 -interlace line a.png", "a.png", 24, "Deflate", false,
     kSixteenBitRounding},
    {"PngRgba", kTransparentSource + "PNG32:a.png", "a.png", 32, "Deflate", true, 0},
    {"PngGreyAlpha", kTransparentSource + "-colorspace gray a.png", "a.png", 32, "Deflate", true, 0},
    {"PngPaletteWithTransparentEntry", kTransparentSource + "-colors 16 PNG8:a.png", "a.png", 8, "Deflate",
     true, 0},
    {"TiffLzw", kSource + "-compress LZW a.tif", "a.tif", 24, "LZW", false, 0},
    {"TiffDeflateTiled", kSource + "-compress Zip -define tiff:tile-geometry=16x16 a.tif", "a.tif", 24,
     "Deflate", false, 0},
    {"TiffPackBitsPalette", kSource + "-colors 16 -type palette -compress RLE a.tif", "a.tif", 4, "PackBits",
     false, 0},
    {"TiffPalette256", kSource + "-colors 200 -type palette a.tif", "a.tif", 8, "None", false, 0},
    {"TiffGroup4", kSource + "-monochrome -compress Group4 a.tif", "a.tif", 1, "CCITT", false, 0},
    {"TiffMinIsWhite", kSource + "-monochrome -compress None -define tiff:photometric=min-is-white a.tif",
     "a.tif", 1, "None", false, 0},
    {"TiffGrey4", kSource + "-colorspace gray -depth 4 a.tif", "a.tif", 8, "None", false, 0},
    {"TiffJpeg", kSource + "-compress JPEG -quality 95 a.tif", "a.tif", 24, "JPEG", false, 3},
    {"TiffRgb16", kSource + "-depth 16 a.tif", "a.tif", 24, "None", false, kSixteenBitRounding},
    {"TiffCmyk", "/usr/bin/convert -size 45x29 gradient:'#ff8000-#0040c0' -colorspace CMYK -depth 8 a.tif",
     "a.tif", 24, "None", false, 2},
    // ImageMagick warns about a tag it writes itself and fails; the file is whole.
    {"TiffFloatingPoint",
     "/usr/bin/convert -size 45x29 gradient:'#ff8000-#0040c0' -define quantum:format=floating-point -depth "
     "32 "
     "a.tif; test -s a.tif",
     "a.tif", 24, "None", false, kSixteenBitRounding},
    {"TiffUnassociatedAlpha", kTransparentSource + "-define tiff:alpha=unassociated a.tif", "a.tif", 32,
     "None", true, 1},
    {"Pcx8", kSource + "-colors 200 a.pcx", "a.pcx", 8, "RLE", false, 0},
    {"Pcx24", kSource + "a.pcx", "a.pcx", 24, "RLE", false, 0},
    {"PcxBilevel", kSource + "-monochrome a.pcx", "a.pcx", 1, "RLE", false, 0},
    {"Icon32", kTransparentSource + "a.ico", "a.ico", 32, "None", true, 0},
    {"BmpRle8", kSource + "-colors 50 -compress RLE BMP3:a.bmp", "a.bmp", 8, "RLE", false, 0},
};

class ToolFileTest : public ::testing::TestWithParam<ToolFileCase> {};

TEST_P(ToolFileTest, DecodesToTheToolsPixels) {
    const ToolFileCase& c = GetParam();
    TempFolder folder;
    const std::string path = folder.Path().str() + "/" + c.file;
    ASSERT_TRUE(RunCommand("cd '" + folder.Path().str() + "' && " + c.command + " 2>/dev/null")) << c.command;

    ImagingFileInfo info;
    ASSERT_TRUE(ReadImagingFileInfo(CString(path), info));
    EXPECT_EQ(kWidth, info.width);
    EXPECT_EQ(kHeight, info.height);
    EXPECT_EQ(c.bitsPerPixel, info.bitsPerPixel);
    EXPECT_EQ(c.compression, info.compression.str());
    EXPECT_EQ(c.transparency, info.hasTransparency);

    CImagingBitmap bitmap;
    ASSERT_TRUE(LoadImagingFile(CString(path), 0, bitmap));
    EXPECT_EQ(c.bitsPerPixel, bitmap.GetBitsPerPixel());
    EXPECT_EQ(c.transparency, bitmap.HasTransparency());
    EXPECT_TRUE(InProgramForm(bitmap));
    // djpeg decodes JPEG files; GraphicsMagick the rest.
    std::vector<COLORREF> expected;
    if (info.format == kFormatJpeg) {
        const std::string ppm = folder.Path().str() + "/djpeg.ppm";
        // djpeg warns (and exits with 2) where the data ends without the end marker.
        ASSERT_TRUE(RunCommand("djpeg -pnm -outfile '" + ppm + "' '" + path + "'; test -s '" + ppm + "'"));
        expected = GmColours(ppm, kWidth, kHeight);
    } else {
        expected = GmColours(path, kWidth, kHeight);
    }
    std::vector<COLORREF> decoded = ColoursOf(bitmap);
    // Under full transparency a colour means nothing, and premultiplying readers lose it.
    const std::vector<BYTE> alpha = AlphaOf(bitmap);
    for (std::size_t i = 0; i < alpha.size() && i < expected.size(); ++i)
        if (alpha[i] == 0)
            decoded[i] = expected[i];
    EXPECT_LE(LargestDifference(expected, decoded), c.tolerance);
    if (c.transparency) {
        // Alpha as the tool sees it, at the mask's threshold.
        std::vector<BYTE> toolOpaque, ourOpaque;
        for (BYTE a : GmAlpha(path, kWidth, kHeight))
            toolOpaque.push_back(a >= 128);
        for (BYTE a : AlphaOf(bitmap))
            ourOpaque.push_back(a >= 128);
        EXPECT_EQ(toolOpaque, ourOpaque);
    }
}

INSTANTIATE_TEST_SUITE_P(Tools, ToolFileTest, ::testing::ValuesIn(kToolFiles),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ImagingInteropTest, PhotoCdIsReadAtItsBaseResolution) {
    TempFolder folder;
    const std::string path = folder.Path().str() + "/a.pcd";
    ASSERT_TRUE(RunCommand(kSource + "'" + path + "'"));
    CImagingBitmap bitmap;
    ImagingFileInfo info;
    ASSERT_TRUE(LoadImagingFile(CString(path), 0, bitmap, &info));
    EXPECT_EQ(kFormatPhotoCd, info.format);
    EXPECT_EQ(768, bitmap.GetWidth());
    EXPECT_EQ(512, bitmap.GetHeight());
    EXPECT_EQ(24, bitmap.GetBitsPerPixel());
    EXPECT_LE(LargestDifference(GmColours(path, 768, 512), ColoursOf(bitmap)), 0);
}

// Files we write, read by GraphicsMagick to our pixels; Python reads the header fields that show the
// variant written.
struct WrittenCase {
    const char* name;
    int format;
    const char* file;
    int bitsPerPixel;
    std::string headerProbe; // a Python expression over the file's bytes `d`
    std::string header;
    int tolerance = 0;
};
void PrintTo(const WrittenCase& c, std::ostream* os) {
    *os << c.name;
}

const std::string kPngDepthAndType = "(d[24], d[25])";
const std::string kPcxBitsAndPlanes = "(d[3], d[65])";
const std::string kTiffTags =
    "__import__('subprocess').run(['tiffinfo', sys.argv[1]], capture_output=True, text=True)."
    "stdout.count('Bits/Sample: ' + sys.argv[2])";

const WrittenCase kWrittenFiles[] = {
    {"Png1", kFormatPng, "ours.png", 1, kPngDepthAndType, "(1, 3)"},
    {"Png4", kFormatPng, "ours.png", 4, kPngDepthAndType, "(4, 3)"},
    {"Png8", kFormatPng, "ours.png", 8, kPngDepthAndType, "(8, 3)"},
    {"Png24", kFormatPng, "ours.png", 24, kPngDepthAndType, "(8, 2)"},
    {"Png32", kFormatPng, "ours.png", 32, kPngDepthAndType, "(8, 6)"},
    {"Pcx1", kFormatPcx, "ours.pcx", 1, kPcxBitsAndPlanes, "(1, 1)"},
    {"Pcx4", kFormatPcx, "ours.pcx", 4, kPcxBitsAndPlanes, "(1, 4)"},
    {"Pcx8", kFormatPcx, "ours.pcx", 8, kPcxBitsAndPlanes, "(8, 1)"},
    {"Pcx24", kFormatPcx, "ours.pcx", 24, kPcxBitsAndPlanes, "(8, 3)"},
    {"Bmp4", kFormatBmp, "ours.bmp", 4, "(d[0:2], d[28])", "(b'BM', 4)"},
    // GraphicsMagick widens 5-bit channels by a scale of its own, not by repeating their high bits.
    {"Bmp16", kFormatBmp, "ours.bmp", 16, "(d[0:2], d[28])", "(b'BM', 16)", 8},
    {"Bmp32", kFormatBmp, "ours.bmp", 32, "(d[0:2], d[28])", "(b'BM', 32)"},
    {"Cursor1", kFormatCur, "ours.cur", 1, "(d[2], d[22 + 14])", "(2, 1)"},
    {"Cursor8", kFormatCur, "ours.cur", 8, "(d[2], d[22 + 14])", "(2, 8)"},
    {"Cursor24", kFormatCur, "ours.cur", 24, "(d[2], d[22 + 14])", "(2, 24)"},
    {"Tiff2", kFormatTiff, "ours.tif", 2, "1", "1"},
    {"Tiff8", kFormatTiff, "ours.tif", 8, "1", "1"},
    {"Tiff24", kFormatTiff, "ours.tif", 24, "1", "1"},
    {"Jpeg", kFormatJpeg, "ours.jpg", 24, "d[0:3]", "b'\\xff\\xd8\\xff'"},
};

class WrittenFileTest : public ::testing::TestWithParam<WrittenCase> {};

TEST_P(WrittenFileTest, ToolsReadOurPixels) {
    const WrittenCase& c = GetParam();
    TempFolder folder;
    // GraphicsMagick tells cursors by their name only.
    const std::string path = folder.Path().str() + "/" + c.file;
    const CImagingBitmap photo = PhotoLike(kWidth, kHeight);
    ASSERT_EQ(kImagingSuccess, SaveImagingFile(CString(path), photo, c.format, c.bitsPerPixel, kQualityBest));

    CImagingBitmap ours;
    ASSERT_TRUE(LoadImagingFile(CString(path), 0, ours));
    EXPECT_LE(LargestDifference(ColoursOf(ours), GmColours(path, kWidth, kHeight)), c.tolerance);

    const std::string probe = c.format == kFormatTiff ? kTiffTags : c.headerProbe;
    const std::string script = "import sys; d=open(sys.argv[1],'rb').read(); print(" + probe + ", end='')";
    const std::string expected = c.format == kFormatTiff ? "1" : c.header;
    EXPECT_EQ(expected, ToolOutput("/usr/bin/python3 -c \"" + script + "\" '" + path + "' " +
                                   std::to_string(c.bitsPerPixel == 24 ? 8 : c.bitsPerPixel)));
}

INSTANTIATE_TEST_SUITE_P(Ours, WrittenFileTest, ::testing::ValuesIn(kWrittenFiles),
                         [](const auto& info) { return std::string(info.param.name); });

// A progressive file cut between two scans lacks the later scans: it is refused like any file cut short,
// though libjpeg decodes it without complaint.
TEST(ImagingInteropTest, ProgressiveJpegCutBetweenScansIsRefused) {
    TempFolder folder;
    const std::string path = folder.Path().str() + "/a.jpg";
    ASSERT_TRUE(RunCommand(kSource + "-interlace line -quality 80 '" + path + "'"));
    std::vector<BYTE> file = ReadBytes(path);
    std::size_t lastScan = 0;
    for (std::size_t i = 0; i + 1 < file.size(); ++i)
        if (file[i] == 0xFF && file[i + 1] == 0xDA)
            lastScan = i;
    ASSERT_GT(lastScan, 0u);
    file.resize(lastScan);
    CImagingBitmap bitmap;
    EXPECT_FALSE(LoadImagingMemory(file.data(), file.size(), 0, bitmap));
}

// The best quality keeps colour at full resolution: a picture of fine coloured detail comes back from
// djpeg above 45 dB.
TEST(ImagingInteropTest, BestQualityJpegKeepsFineColour) {
    constexpr int kSide = 96;
    std::vector<COLORREF> colours;
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
            colours.push_back((x / 2 + y / 2) % 3 == 0   ? RGB(220, 30, 40)
                              : (x / 2 + y / 2) % 3 == 1 ? RGB(30, 200, 60)
                                                         : RGB(40, 50, 230));
    const CImagingBitmap picture = ColourBitmap(kSide, kSide, colours);
    TempFolder folder;
    const std::string path = folder.Path().str() + "/a.jpg", ppm = folder.Path().str() + "/a.ppm";
    ASSERT_EQ(kImagingSuccess, SaveImagingFile(CString(path), picture, kFormatJpeg, 24, kQualityBest));
    ASSERT_TRUE(RunCommand("djpeg -pnm -outfile '" + ppm + "' '" + path + "'"));
    const std::vector<COLORREF> decoded = GmColours(ppm, kSide, kSide);
    ASSERT_EQ(colours.size(), decoded.size());
    double squares = 0;
    for (std::size_t i = 0; i < colours.size(); ++i)
        for (int shift : {0, 8, 16}) {
            const double d = double((colours[i] >> shift) & 0xFF) - double((decoded[i] >> shift) & 0xFF);
            squares += d * d;
        }
    const double psnr = 10 * std::log10(255.0 * 255.0 / (squares / (3.0 * double(colours.size()))));
    EXPECT_GT(psnr, 45.0);
}

// The fourth byte of a 32-bit BMP is 255: GraphicsMagick takes it for alpha and would show zeros as a
// fully transparent picture.
TEST(ImagingInteropTest, OpaqueBmpOf32BitsIsOpaqueForGm) {
    TempFolder folder;
    const std::string path = folder.Path().str() + "/a.bmp";
    ASSERT_EQ(kImagingSuccess, SaveImagingFile(CString(path), PhotoLike(kWidth, kHeight), kFormatBmp, 32, 2));
    const std::vector<BYTE> alpha = GmAlpha(path, kWidth, kHeight);
    ASSERT_EQ(std::size_t(kWidth * kHeight), alpha.size());
    EXPECT_EQ(std::vector<BYTE>(alpha.size(), 255), alpha);
}

// Icons of 32 bits keep their alpha as ImageMagick reads it, whatever their AND mask says: one of 48 x 48
// pixels with a horizontal ramp of alpha, the same with its AND mask cleared, and a PNG picture inside an
// icon of 256 x 256.
struct IconAlphaCase {
    const char* name;
    int side;
    bool clearAndMask;
    bool png; // the picture is stored as PNG
};
void PrintTo(const IconAlphaCase& c, std::ostream* os) {
    *os << c.name;
}

const IconAlphaCase kIconAlphaCases[] = {
    {"Dib32", 48, false, false},
    {"Dib32WithEmptyAndMask", 48, true, false},
    {"Png", 256, false, true},
};

class IconAlphaTest : public ::testing::TestWithParam<IconAlphaCase> {};

TEST_P(IconAlphaTest, AlphaAsImageMagickReadsIt) {
    const IconAlphaCase& c = GetParam();
    TempFolder folder;
    const std::string path = folder.Path().str() + "/a.ico";
    const std::string side = std::to_string(c.side);
    ASSERT_TRUE(RunCommand("/usr/bin/convert -size " + side + "x" + side +
                           " gradient:'#ff8000-#0040c0' -alpha set -channel A -fx 'i/w' +channel -depth 8 '" +
                           path + "'"));
    std::vector<BYTE> file = ReadBytes(path);
    ASSERT_EQ(c.png, file[22] == 0x89 && file[23] == 'P') << "the picture's form";
    if (c.clearAndMask) {
        const std::size_t maskAt = 22 + 40 + std::size_t(c.side) * std::size_t(c.side) * 4;
        ASSERT_LT(maskAt, file.size());
        std::fill(file.begin() + std::ptrdiff_t(maskAt), file.end(), BYTE(0));
        WriteBytes(path, file);
    }
    const std::string rgba = ToolOutput("/usr/bin/convert 'ico:" + path + "' -depth 8 RGBA:-");
    const std::size_t pixels = std::size_t(c.side) * std::size_t(c.side);
    ASSERT_EQ(pixels * 4, rgba.size());

    CImagingBitmap bitmap;
    ASSERT_TRUE(LoadImagingFile(CString(path), 0, bitmap));
    EXPECT_EQ(32, bitmap.GetBitsPerPixel());
    const std::vector<BYTE> alpha = AlphaOf(bitmap);
    const std::vector<COLORREF> colours = ColoursOf(bitmap);
    ASSERT_EQ(pixels, alpha.size());
    int wrongAlpha = 0, largestColourDifference = 0;
    for (std::size_t i = 0; i < pixels; ++i) {
        const BYTE* tool = reinterpret_cast<const BYTE*>(rgba.data()) + 4 * i;
        wrongAlpha += alpha[i] != tool[3];
        if (tool[3] != 0)
            largestColourDifference =
                std::max({largestColourDifference, std::abs(int(GetRValue(colours[i])) - tool[0]),
                          std::abs(int(GetGValue(colours[i])) - tool[1]),
                          std::abs(int(GetBValue(colours[i])) - tool[2])});
    }
    EXPECT_EQ(0, wrongAlpha);
    EXPECT_LE(largestColourDifference, 1);
}

INSTANTIATE_TEST_SUITE_P(Icons, IconAlphaTest, ::testing::ValuesIn(kIconAlphaCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A transparent PNG gives the mask pair: the mask white where the picture is opaque and black around
// it, and the picture white where it is transparent.
TEST(ImagingInteropTest, TransparentPngAndIconGiveTheMaskPair) {
    TempFolder folder;
    for (const char* name : {"a.png", "a.ico"}) {
        const std::string path = folder.Path().str() + "/" + name;
        ASSERT_TRUE(RunCommand(kTransparentSource + "'" + path + "'"));
        CImagingBitmap picture;
        ASSERT_TRUE(LoadImagingFile(CString(path), 0, picture)) << name;
        CImagingBitmap mask;
        ASSERT_TRUE(picture.GetMask(mask)) << name;
        ASSERT_EQ(1, mask.GetBitsPerPixel());
        ASSERT_TRUE(picture.WhitenMasked(mask)) << name;

        const std::vector<COLORREF> maskColours = ColoursOf(mask);
        const std::vector<COLORREF> pictureColours = ColoursOf(picture);
        const std::vector<COLORREF> toolColours = GmColours(path, kWidth, kHeight);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const std::size_t i = std::size_t(y * kWidth + x);
                const bool transparent = x < 20 && y < 10;
                EXPECT_EQ(transparent ? RGB(0, 0, 0) : RGB(255, 255, 255), maskColours[i])
                    << name << x << "," << y;
                EXPECT_EQ(transparent ? RGB(255, 255, 255) : toolColours[i], pictureColours[i])
                    << name << x << "," << y;
            }
    }
}

// A cursor we write keeps the transparency as its AND mask, the pixels under it black, as GraphicsMagick
// and ImageMagick read it.
TEST(ImagingInteropTest, CursorKeepsTheMask) {
    TempFolder folder;
    const std::string png = folder.Path().str() + "/a.png", cur = folder.Path().str() + "/a.cur";
    ASSERT_TRUE(RunCommand(kTransparentSource + "PNG32:'" + png + "'"));
    CImagingBitmap picture;
    ASSERT_TRUE(LoadImagingFile(CString(png), 0, picture));
    ASSERT_EQ(kImagingSuccess, SaveImagingFile(CString(cur), picture, kFormatCur, 24, 2));
    EXPECT_EQ("CUR 45 29\n", ToolOutput("gm identify -format '%m %w %h' '" + cur + "'"));
    const std::vector<BYTE> alpha = GmAlpha(cur, kWidth, kHeight);
    const std::vector<COLORREF> colours = GmColours(cur, kWidth, kHeight);
    ASSERT_EQ(std::size_t(kWidth * kHeight), alpha.size());
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const bool transparent = x < 20 && y < 10;
            EXPECT_EQ(transparent ? 0 : 255, alpha[std::size_t(y * kWidth + x)]) << x << "," << y;
        }
    EXPECT_EQ(colours[30], ColoursOf(picture)[30]);
    EXPECT_EQ("45x29", ToolOutput("/usr/bin/identify -format '%wx%h' 'cur:" + cur + "' 2>/dev/null"));
}

} // namespace
