#include "TestDibs.h"
#include "effects/EffectsExports.h"
#include "platform/base/GlobalMemory.h"
#include "platform/base/Module.h"
#include "tests/support/RunTool.h"
#include "tests/support/TempFolder.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <ostream>
#include <set>
#include <string>

namespace {

// A small picture with what photos have: a sky gradient, a bright sun, a dark trunk with sharp edges
// and a textured meadow, with tones from black to white. 97 pixels wide, so rows carry padding.
std::vector<BYTE> PhotoLike(int w = 97, int h = 64) {
    std::vector<COLORREF> colours(std::size_t(w * h));
    unsigned grain = 12345;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            grain = grain * 1103515245u + 12345u;
            const int noise = int(grain >> 16) % 40;
            COLORREF c;
            if (y < h / 2)
                c = RGB(90 + y * 3, 140 + y * 2, 255 - y);
            else
                c = RGB(40 + noise, 110 + noise + x / 4, 20 + noise / 2);
            const int sx = x - w * 3 / 4, sy = y - h / 5;
            if (sx * sx + sy * sy < (h / 8) * (h / 8))
                c = RGB(255, 250, 235);
            if (x >= w / 5 && x < w / 5 + 6 && y > h / 4)
                c = RGB(25, 15, 5);
            colours[std::size_t(y * w + x)] = c;
        }
    return ColourDib(w, h, colours);
}

// A picture whose red and green tell where each pixel came from: red = 4 x, green = 4 y.
std::vector<BYTE> Coordinates(int side = 64) {
    std::vector<COLORREF> colours(std::size_t(side * side));
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            colours[std::size_t(y * side + x)] = RGB(4 * x, 4 * y, 0);
    return ColourDib(side, side, colours);
}

std::vector<BYTE> Uniform(int w, int h, COLORREF colour) {
    return ColourDib(w, h, std::vector<COLORREF>(std::size_t(w * h), colour));
}

double MeanDifference(const std::vector<BYTE>& a, const std::vector<BYTE>& b) {
    const std::vector<COLORREF> pa = PixelColours(a), pb = PixelColours(b);
    double sum = 0;
    for (std::size_t i = 0; i < pa.size(); ++i)
        sum += std::abs(GetRValue(pa[i]) - GetRValue(pb[i])) + std::abs(GetGValue(pa[i]) - GetGValue(pb[i])) +
               std::abs(GetBValue(pa[i]) - GetBValue(pb[i]));
    return sum / (3.0 * double(pa.size()));
}

class EffectsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_module = LoadLibrary(CString(VC_PROGRAM_DIR "/") + kEffectsFileName);
        ASSERT_NE(nullptr, s_module);
    }
    static void TearDownTestSuite() { FreeLibrary(s_module); }

    // Calls an export by name the way the program does and takes its result out of global memory;
    // checks that it came locked once, as a bottom-up 24-bit DIB of the source's size, and that the
    // source was left alone.
    static std::vector<BYTE> Apply(const char* name, std::vector<BYTE> source, int strength = 50) {
        const std::vector<BYTE> before = source;
        auto* dib = reinterpret_cast<BITMAPINFOHEADER*>(source.data());
        FARPROC address = GetProcAddress(s_module, name);
        if (address == nullptr) {
            ADD_FAILURE() << "no export " << name;
            return {};
        }
        BITMAPINFOHEADER* result = std::strcmp(name, kNegativeExportName) == 0
                                       ? reinterpret_cast<NegativeFunction>(address)(dib)
                                       : reinterpret_cast<EffectFunction>(address)(dib, strength);
        EXPECT_EQ(before, source) << name << " changed its source";
        if (result == nullptr)
            return {};
        HGLOBAL block = GlobalHandle(result);
        EXPECT_NE(nullptr, block);
        EXPECT_EQ(1u, GlobalFlags(block) & GMEM_LOCKCOUNT);
        std::vector<BYTE> out(GlobalSize(block));
        std::memcpy(out.data(), result, out.size());
        GlobalUnlock(block);
        GlobalFree(block);
        const BITMAPINFOHEADER& h = HeaderOf(out);
        EXPECT_EQ(40u, h.biSize);
        EXPECT_EQ(24, h.biBitCount);
        EXPECT_EQ(DWORD(BI_RGB), h.biCompression);
        EXPECT_EQ(HeaderOf(source).biWidth, h.biWidth) << name;
        EXPECT_EQ(std::abs(HeaderOf(source).biHeight), h.biHeight) << name;
        EXPECT_EQ(out.size(), 40 + std::size_t(h.biSizeImage));
        EXPECT_EQ(std::size_t(h.biSizeImage),
                  std::size_t((h.biWidth * 3 + 3) / 4 * 4) * std::size_t(h.biHeight));
        return out;
    }

    static HMODULE s_module;
};

HMODULE EffectsTest::s_module = nullptr;

TEST_F(EffectsTest, ExportsEveryEffectOfTheEffectRangeByPlainName) {
    for (int id = 5; id <= 17; ++id) {
        ASSERT_NE(nullptr, EffectExportName(id)) << id;
        EXPECT_NE(nullptr, GetProcAddress(s_module, EffectExportName(id))) << EffectExportName(id);
    }
    EXPECT_EQ(nullptr, EffectExportName(4));
    EXPECT_EQ(nullptr, EffectExportName(18));
    EXPECT_STREQ(kNegativeExportName, EffectExportName(kNegativeAdjustId));
}

TEST_F(EffectsTest, ExportsNothingButTheEffects) {
    // The library's own functions stay hidden; what nm lists as strong code symbols are the exports.
    const std::string command =
        std::string("nm -D --defined-only --format=posix ") + VC_PROGRAM_DIR "/" + kEffectsFileName;
    FILE* pipe = popen(InToolLocale(command).c_str(), "r");
    ASSERT_NE(nullptr, pipe);
    std::set<std::string> code;
    char name[512], type = 0;
    while (std::fscanf(pipe, "%511s %c %*[^\n]", name, &type) == 2)
        if (type == 'T')
            code.insert(name);
    ASSERT_EQ(0, pclose(pipe));
    std::set<std::string> expected;
    for (int id = 5; id <= 17; ++id)
        expected.insert(EffectExportName(id));
    EXPECT_EQ(expected, code);
}

struct EffectCase {
    const char* name;
};
void PrintTo(const EffectCase& c, std::ostream* os) {
    *os << c.name;
}

class StrengthEffectTest : public EffectsTest, public ::testing::WithParamInterface<EffectCase> {};

TEST_P(StrengthEffectTest, KeepsThePicturesSizeAndRisesWithItsStrength) {
    const char* name = GetParam().name;
    const std::vector<BYTE> photo = PhotoLike();
    double previous = 0;
    for (int strength : {10, 50, 100}) {
        const std::vector<BYTE> out = Apply(name, photo, strength);
        ASSERT_FALSE(out.empty()) << name << " at " << strength;
        const double difference = MeanDifference(photo, out);
        EXPECT_GT(difference, previous) << name << " at " << strength;
        previous = difference;
    }
}

TEST_P(StrengthEffectTest, IsRepeatableAndTakesStrengthsOutsideAtTheNearestEnd) {
    const char* name = GetParam().name;
    const std::vector<BYTE> photo = PhotoLike();
    const std::vector<BYTE> weakest = Apply(name, photo, 1);
    ASSERT_FALSE(weakest.empty());
    EXPECT_EQ(weakest, Apply(name, photo, 1)) << "a second run gives the same picture";
    EXPECT_EQ(weakest, Apply(name, photo, 0));
    EXPECT_EQ(weakest, Apply(name, photo, -7));
    EXPECT_EQ(Apply(name, photo, 100), Apply(name, photo, 1000));
}

TEST_P(StrengthEffectTest, ReadsATopDownSourceAsTheSamePicture) {
    const char* name = GetParam().name;
    const std::vector<BYTE> photo = PhotoLike();
    // The same rows in the other order, announced by a negative height.
    std::vector<BYTE> topDown = photo;
    const BITMAPINFOHEADER& h = HeaderOf(photo);
    const std::size_t rowBytes = std::size_t((h.biWidth * 3 + 3) / 4 * 4);
    for (int y = 0; y < h.biHeight; ++y)
        std::memcpy(topDown.data() + 40 + rowBytes * std::size_t(y),
                    photo.data() + 40 + rowBytes * std::size_t(h.biHeight - 1 - y), rowBytes);
    reinterpret_cast<BITMAPINFOHEADER*>(topDown.data())->biHeight = -h.biHeight;
    EXPECT_EQ(Apply(name, photo), Apply(name, topDown));
}

TEST_P(StrengthEffectTest, GivesTinyPicturesTheirSizeOrNothing) {
    // A neighbourhood wider than the picture may be refused (null), but never read outside it.
    for (auto [w, h] : {std::pair{1, 1}, {2, 2}, {3, 5}, {7, 2}}) {
        const std::vector<BYTE> out = Apply(GetParam().name, PhotoLike(w, h), 100);
        if (!out.empty()) {
            EXPECT_EQ(std::size_t(w * h), PixelColours(out).size());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Effects, StrengthEffectTest,
                         ::testing::Values(EffectCase{kEmbossExportName}, EffectCase{kWaveExportName},
                                           EffectCase{kAddNoiseExportName}, EffectCase{kConeExportName},
                                           EffectCase{kFindEdgesExportName}, EffectCase{kFishEyeExportName},
                                           EffectCase{kMosaicExportName}, EffectCase{kOilPaintExportName},
                                           EffectCase{kRaiseExportName}, EffectCase{kSolarizeExportName},
                                           EffectCase{kSpreadExportName}, EffectCase{kSwirlExportName}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EffectsTest, NegativeInvertsEveryChannelExactly) {
    const std::vector<BYTE> photo = PhotoLike();
    const std::vector<BYTE> negative = Apply(kNegativeExportName, photo);
    const std::vector<COLORREF> in = PixelColours(photo), out = PixelColours(negative);
    ASSERT_EQ(in.size(), out.size());
    for (std::size_t i = 0; i < in.size(); ++i)
        ASSERT_EQ(RGB(255 - GetRValue(in[i]), 255 - GetGValue(in[i]), 255 - GetBValue(in[i])), out[i]) << i;
    EXPECT_EQ(in, PixelColours(Apply(kNegativeExportName, negative)));
}

TEST_F(EffectsTest, RefusesWhatIsNotA24BitDib) {
    auto emboss = reinterpret_cast<EffectFunction>(GetProcAddress(s_module, kEmbossExportName));
    auto negative = reinterpret_cast<NegativeFunction>(GetProcAddress(s_module, kNegativeExportName));
    EXPECT_EQ(nullptr, emboss(nullptr, 50));
    EXPECT_EQ(nullptr, negative(nullptr));

    struct Damage {
        const char* what;
        void (*apply)(BITMAPINFOHEADER&);
    };
    const Damage damages[] = {
        {"EightBits", [](BITMAPINFOHEADER& h) { h.biBitCount = 8; }},
        {"ThirtyTwoBits", [](BITMAPINFOHEADER& h) { h.biBitCount = 32; }},
        {"Compressed", [](BITMAPINFOHEADER& h) { h.biCompression = BI_RLE8; }},
        {"NoWidth", [](BITMAPINFOHEADER& h) { h.biWidth = 0; }},
        {"NoHeight", [](BITMAPINFOHEADER& h) { h.biHeight = 0; }},
        {"ShortHeader", [](BITMAPINFOHEADER& h) { h.biSize = 12; }},
        {"AbsurdSize", [](BITMAPINFOHEADER& h) { h.biWidth = 40000, h.biHeight = 40000; }},
    };
    for (const Damage& damage : damages) {
        std::vector<BYTE> dib = PhotoLike(8, 8);
        damage.apply(*reinterpret_cast<BITMAPINFOHEADER*>(dib.data()));
        EXPECT_EQ(nullptr, emboss(reinterpret_cast<BITMAPINFOHEADER*>(dib.data()), 50)) << damage.what;
        EXPECT_EQ(nullptr, negative(reinterpret_cast<BITMAPINFOHEADER*>(dib.data()))) << damage.what;
    }
}

TEST_F(EffectsTest, SolarizeInvertsTheTonesAboveItsThresholdOnly) {
    // At full strength the threshold is a quarter of white: 63.75.
    const std::vector<BYTE> photo = PhotoLike();
    const std::vector<COLORREF> in = PixelColours(photo),
                                out = PixelColours(Apply(kSolarizeExportName, photo, 100));
    ASSERT_EQ(in.size(), out.size());
    for (std::size_t i = 0; i < in.size(); ++i)
        for (int shift : {0, 8, 16}) {
            const int before = int(in[i] >> shift & 0xFF), after = int(out[i] >> shift & 0xFF);
            ASSERT_EQ(before <= 63 ? before : 255 - before, after) << i;
        }
}

TEST_F(EffectsTest, MosaicFillsEachTileWithItsMeanColour) {
    // 64 pixels on the shorter side at full strength: tiles of 2 + 64 / 20 = 5 pixels from the top left.
    const int w = 97, h = 64, tile = 5;
    const std::vector<BYTE> photo = PhotoLike(w, h);
    const std::vector<COLORREF> in = PixelColours(photo),
                                out = PixelColours(Apply(kMosaicExportName, photo, 100));
    ASSERT_EQ(in.size(), out.size());
    for (int top = 0; top < h; top += tile)
        for (int left = 0; left < w; left += tile) {
            double sums[3] = {};
            int count = 0;
            for (int y = top; y < std::min(top + tile, h); ++y)
                for (int x = left; x < std::min(left + tile, w); ++x, ++count)
                    for (int c = 0; c < 3; ++c)
                        sums[c] += in[std::size_t(y * w + x)] >> (8 * c) & 0xFF;
            const COLORREF mean =
                RGB(std::lround(sums[0] / count), std::lround(sums[1] / count), std::lround(sums[2] / count));
            for (int y = top; y < std::min(top + tile, h); ++y)
                for (int x = left; x < std::min(left + tile, w); ++x)
                    ASSERT_EQ(mean, out[std::size_t(y * w + x)]) << "tile at " << left << "," << top;
        }
}

TEST_F(EffectsTest, LensesBulgeAndPinchInsideTheEllipseOnly) {
    const int side = 64;
    const std::vector<BYTE> grid = Coordinates(side);
    const std::vector<COLORREF> fishEye = PixelColours(Apply(kFishEyeExportName, grid, 100));
    const std::vector<COLORREF> cone = PixelColours(Apply(kConeExportName, grid, 100));
    const std::vector<COLORREF> in = PixelColours(grid);
    ASSERT_EQ(in.size(), fishEye.size());
    ASSERT_EQ(in.size(), cone.size());
    for (std::size_t corner : {std::size_t{0}, std::size_t(side - 1), in.size() - 1})
        EXPECT_TRUE(fishEye[corner] == in[corner] && cone[corner] == in[corner]) << "corners stay";
    // A pixel halfway between the centre (x = 32) and the rim on the middle row: the fish-eye takes
    // its colour from nearer the centre (scale 1 - 0.6 * 0.75), the cone from farther (1 + 0.9 * 0.5).
    const std::size_t probe = std::size_t(32 * side + 48);
    const double offset = 48.5 - 32;
    EXPECT_NEAR(32 + offset * 0.55 - 0.5, GetRValue(fishEye[probe]) / 4.0, 0.5);
    EXPECT_NEAR(32 + offset * 1.45 - 0.5, GetRValue(cone[probe]) / 4.0, 0.5);
    EXPECT_NEAR(32, GetGValue(fishEye[probe]) / 4.0, 0.5) << "along the same ray";
}

TEST_F(EffectsTest, SpreadTakesEveryPixelFromNearby) {
    // Reach at full strength on 64 pixels: 0.5 + 64 * 0.025 = 2.1, so at most 2 pixels each way.
    const int side = 64;
    const std::vector<COLORREF> out = PixelColours(Apply(kSpreadExportName, Coordinates(side), 100));
    ASSERT_EQ(std::size_t(side * side), out.size());
    int moved = 0;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const COLORREF c = out[std::size_t(y * side + x)];
            const int fromX = GetRValue(c) / 4, fromY = GetGValue(c) / 4;
            ASSERT_LE(std::abs(fromX - x), 2);
            ASSERT_LE(std::abs(fromY - y), 2);
            moved += fromX != x || fromY != y;
        }
    EXPECT_GT(moved, side * side / 2);
}

TEST_F(EffectsTest, AddNoiseIsGaussianAroundTheTone) {
    // Half strength: a standard deviation of 32 tones, centred on the picture's grey.
    const int side = 128;
    const std::vector<COLORREF> out =
        PixelColours(Apply(kAddNoiseExportName, Uniform(side, side, RGB(128, 128, 128))));
    double sum = 0, squares = 0;
    int withinOneSigma = 0;
    for (COLORREF c : out)
        for (int v : {GetRValue(c), GetGValue(c), GetBValue(c)}) {
            sum += v - 128, squares += (v - 128) * (v - 128);
            withinOneSigma += std::abs(v - 128) <= 32;
        }
    const double n = 3.0 * out.size();
    EXPECT_NEAR(0, sum / n, 1.0);
    EXPECT_NEAR(32, std::sqrt(squares / n), 1.5);
    EXPECT_NEAR(0.683, withinOneSigma / n, 0.02);
}

TEST_F(EffectsTest, WaveShiftsEachColumnAlongASine) {
    // Rows numbered in green: each column comes out moved up or down as a whole, by up to the
    // amplitude (64 / 20 = 3.2 rows at full strength), three wavelengths across.
    const int side = 64;
    const std::vector<COLORREF> out = PixelColours(Apply(kWaveExportName, Coordinates(side), 100));
    ASSERT_EQ(std::size_t(side * side), out.size());
    double lowest = 0, highest = 0;
    std::vector<int> halfWaves; // the sign of each run of clear shifts
    for (int x = 0; x < side; ++x) {
        const double shift = GetGValue(out[std::size_t(side / 2 * side + x)]) / 4.0 - side / 2;
        EXPECT_NEAR(shift, GetGValue(out[std::size_t(side / 4 * side + x)]) / 4.0 - side / 4, 1.0) << x;
        lowest = std::min(lowest, shift), highest = std::max(highest, shift);
        const int sign = shift > 1 ? 1 : shift < -1 ? -1 : 0;
        if (sign != 0 && (halfWaves.empty() || halfWaves.back() != sign))
            halfWaves.push_back(sign);
    }
    EXPECT_NEAR(-3.2, lowest, 1.0);
    EXPECT_NEAR(3.2, highest, 1.0);
    EXPECT_EQ(6u, halfWaves.size()) << "three wavelengths";
}

TEST_F(EffectsTest, FindEdgesLightsEdgesAndDarkensFlatAreas) {
    // A vertical edge between two flat halves.
    const int w = 40, h = 20;
    std::vector<COLORREF> halves(std::size_t(w * h));
    for (int i = 0; i < w * h; ++i)
        halves[std::size_t(i)] = i % w < w / 2 ? RGB(30, 30, 30) : RGB(220, 220, 220);
    const std::vector<COLORREF> out = PixelColours(Apply(kFindEdgesExportName, ColourDib(w, h, halves), 100));
    ASSERT_EQ(std::size_t(w * h), out.size());
    const int row = h / 2 * w;
    EXPECT_LT(GetRValue(out[std::size_t(row + 5)]), 10);
    EXPECT_LT(GetRValue(out[std::size_t(row + w - 5)]), 10);
    EXPECT_GT(
        std::max(GetRValue(out[std::size_t(row + w / 2 - 1)]), GetRValue(out[std::size_t(row + w / 2)])),
        150);
}

// The effects drawn on the picture's rows keep the look of GraphicsMagick's operations with the
// parameters the strength gives (full strength on the 97 x 64 photo), within rounding: the swirl takes
// its colours between pixels with weights of 8 bits.
TEST_F(EffectsTest, LooksAsGraphicsMagicksOperations) {
    struct Case {
        const char* name;
        const char* operation;
        int tolerance;
    };
    const Case cases[] = {
        {kEmbossExportName, "-emboss 8x2.5", 1},
        {kFindEdgesExportName, "-edge 3", 0},
        {kOilPaintExportName, "-paint 5", 0},
        {kSwirlExportName, "-swirl 360", 2},
    };
    const std::vector<BYTE> photo = PhotoLike();
    const std::vector<COLORREF> colours = PixelColours(photo);
    const int w = HeaderOf(photo).biWidth, h = HeaderOf(photo).biHeight;
    const TempFolder folder;
    const std::string in = std::string(folder.Path().GetString()) + "/in.ppm";
    const std::string out = std::string(folder.Path().GetString()) + "/out.ppm";
    std::string ppm = "P6\n" + std::to_string(w) + " " + std::to_string(h) + "\n255\n";
    for (COLORREF c : colours)
        ppm += {char(GetRValue(c)), char(GetGValue(c)), char(GetBValue(c))};
    std::FILE* file = std::fopen(in.c_str(), "wb");
    ASSERT_NE(nullptr, file);
    std::fwrite(ppm.data(), 1, ppm.size(), file);
    std::fclose(file);
    for (const Case& c : cases) {
        ASSERT_EQ(0, RunTool("gm convert " + in + " " + c.operation + " " + out)) << c.name;
        const std::string theirs = ToolOutput("cat " + out);
        ASSERT_EQ(ppm.size(), theirs.size()) << c.name;
        const std::vector<COLORREF> ours = PixelColours(Apply(c.name, photo, 100));
        int worst = 0;
        for (std::size_t i = 0; i < ours.size(); ++i) {
            const BYTE* rgb =
                reinterpret_cast<const BYTE*>(theirs.data() + theirs.size() - 3 * ours.size() + 3 * i);
            worst = std::max({worst, std::abs(GetRValue(ours[i]) - rgb[0]),
                              std::abs(GetGValue(ours[i]) - rgb[1]), std::abs(GetBValue(ours[i]) - rgb[2])});
        }
        EXPECT_LE(worst, c.tolerance) << c.name;
    }
}

// The relief bit for bit as it was drawn before it was computed once per picture: checksums (FNV-1a, 64
// bits) of the whole result, for pictures narrower than the neighbourhood, with row padding and taller
// than one band of rows, at the least, a middle and the full strength.
TEST_F(EffectsTest, EmbossKeepsItsReliefBitForBit) {
    struct Case {
        int width;
        int height;
        int strength;
        std::uint64_t checksum;
    };
    const Case cases[] = {
        {1, 1, 100, 15823551783025133633ull},     {5, 3, 50, 14557116898554913927ull},
        {97, 64, 0, 7918435501085469851ull},      {97, 64, 20, 15500374195001273310ull},
        {97, 64, 100, 2842849463415436156ull},    {301, 150, 37, 12853368402968238948ull},
        {301, 150, 100, 18139867098188927267ull}, {64, 257, 75, 13220943734272009789ull},
    };
    for (const Case& c : cases) {
        std::uint64_t checksum = 14695981039346656037ull;
        for (BYTE b : Apply(kEmbossExportName, PhotoLike(c.width, c.height), c.strength))
            checksum = (checksum ^ b) * 1099511628211ull;
        EXPECT_EQ(c.checksum, checksum) << c.width << " x " << c.height << " at " << c.strength;
    }
}

TEST_F(EffectsTest, OilPaintPaintsWithTheSourcesColoursOnly) {
    const std::vector<BYTE> photo = PhotoLike();
    const std::vector<COLORREF> in = PixelColours(photo);
    const std::set<COLORREF> palette(in.begin(), in.end());
    for (COLORREF c : PixelColours(Apply(kOilPaintExportName, photo, 100)))
        ASSERT_TRUE(palette.count(c)) << std::hex << c;
}

TEST_F(EffectsTest, RaiseLightsTheTopLeftBevelAndShadesTheBottomRight) {
    const int side = 60; // bevel at full strength: 6 pixels
    const std::vector<COLORREF> out =
        PixelColours(Apply(kRaiseExportName, Uniform(side, side, RGB(128, 128, 128)), 100));
    ASSERT_EQ(std::size_t(side * side), out.size());
    auto at = [&](int x, int y) { return int(GetGValue(out[std::size_t(y * side + x)])); };
    EXPECT_GT(at(side / 2, 2), 128) << "top";
    EXPECT_GT(at(2, side / 2), 128) << "left";
    EXPECT_LT(at(side / 2, side - 3), 128) << "bottom";
    EXPECT_LT(at(side - 3, side / 2), 128) << "right";
    EXPECT_EQ(128, at(side / 2, side / 2)) << "inside the bevel";
    EXPECT_EQ(128, at(side / 2, 7));
}

} // namespace
