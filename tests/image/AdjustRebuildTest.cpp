// The rebuild of the adjusted picture: crop, effects from the outside libraries, conversion, the kept
// unrotated result and the rotation.
#include "image/AdjustImage.h"
#include "image/DibConvert.h"
#include "image/PictureInfo.h"
#include "platform/base/GlobalMemory.h"
#include "platform/base/MessageBeep.h"
#include "platform/base/Module.h"
#include "rastrum/RastrumExports.h"
#include "tests/image/DibBuilder.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/TempFolder.h"

#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

using Picture = std::unique_ptr<CPictureInfo>;
using Pixels = std::vector<unsigned>;

int g_beeps = 0;
void CountBeep(UINT) {
    ++g_beeps;
}

// Every pixel different: red rises to the right, green downwards.
Picture Gradient(int width, int height) {
    DibBuilder dib(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            dib.SetPixel(x, y, static_cast<unsigned>((x * 10 % 256) << 16 | (y * 10 % 256) << 8 | 0x40));
    return Picture(PictureOf(dib));
}

Picture Flat(int width, int height, unsigned rgb) {
    DibBuilder dib(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            dib.SetPixel(x, y, rgb);
    return Picture(PictureOf(dib));
}

Pixels PixelsOf(const CPictureInfo* picture) {
    Pixels out;
    if (!picture)
        return out;
    for (int y = 0; y < picture->GetHeight(); ++y)
        for (int x = 0; x < picture->GetWidth(); ++x)
            out.push_back(PixelOf(*picture, x, y));
    return out;
}

unsigned Channel(unsigned rgb, int shift) {
    return (rgb >> shift) & 0xFF;
}

class RebuildTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_standIn = LoadLibrary(VC_TEST_BINARY_DIR "/libstand_in_effects.so");
        s_recordingCurl = LoadLibrary(VC_TEST_BINARY_DIR "/librecording_curl.so");
        s_rastrum = LoadLibrary(VC_PROGRAM_DIR "/libRastrum.so");
        ASSERT_NE(s_standIn, nullptr);
        ASSERT_NE(s_recordingCurl, nullptr);
        ASSERT_NE(s_rastrum, nullptr);
    }
    static void TearDownTestSuite() {
        FreeLibrary(s_standIn);
        FreeLibrary(s_recordingCurl);
        FreeLibrary(s_rastrum);
    }
    void SetUp() override {
        g_beeps = 0;
        m_previousBeep = SetMessageBeepHandler(CountBeep);
    }
    void TearDown() override { SetMessageBeepHandler(m_previousBeep); }

    // The object shares the picture as its original; the picture must outlive the object.
    static void Hold(CAdjustImage& adjust, const Picture& picture) { adjust.SetOriginalDib(picture.get()); }

    static HMODULE s_standIn;
    static HMODULE s_recordingCurl;
    static HMODULE s_rastrum;
    FakeAppServices m_services;
    MessageBeepHandler m_previousBeep = nullptr;
};

HMODULE RebuildTest::s_standIn = nullptr;
HMODULE RebuildTest::s_recordingCurl = nullptr;
HMODULE RebuildTest::s_rastrum = nullptr;

TEST_F(RebuildTest, WithoutAnOriginalThereIsNothing) {
    CAdjustImage adjust(true);
    EXPECT_FALSE(adjust.Rebuild(true));
    EXPECT_EQ(adjust.GetAdjustedDib(), nullptr);
    EXPECT_FALSE(adjust.ApplyAdjustments(true, true));
}

TEST_F(RebuildTest, DefaultSettingsReproduceTheOriginalInTrueColour) {
    const Picture gradient = Gradient(9, 7);
    CAdjustImage adjust(true);
    Hold(adjust, gradient);
    ASSERT_TRUE(adjust.Rebuild(true));
    EXPECT_EQ(PixelsOf(adjust.GetAdjustedDib()), PixelsOf(gradient.get()));

    DibBuilder paletted(4, 2, 8, {Rgb(0x102030), Rgb(0xC0B0A0)});
    paletted.Pixels({0, 1, 1, 0, 1, 0, 0, 1});
    const Picture indexed(PictureOf(paletted));
    CAdjustImage fromIndexes(true);
    Hold(fromIndexes, indexed);
    ASSERT_TRUE(fromIndexes.Rebuild(true));
    EXPECT_TRUE(fromIndexes.GetAdjustedDib()->Is24Bit());
    EXPECT_EQ(PixelsOf(fromIndexes.GetAdjustedDib()),
              Pixels({0x102030, 0xC0B0A0, 0xC0B0A0, 0x102030, 0xC0B0A0, 0x102030, 0x102030, 0xC0B0A0}));
    EXPECT_EQ(indexed->GetHeader()->biBitCount, 8) << "the original stays as it was";
}

// Every level of every channel once: pixel x has red x, green 255 - x and blue x * 7 mod 256.
Picture EveryLevel() {
    DibBuilder dib(256, 3, 24);
    for (int y = 0; y < 3; ++y)
        for (unsigned x = 0; x < 256; ++x)
            dib.SetPixel(static_cast<int>(x), y, x << 16 | (255 - x) << 8 | (x * 7 + y) % 256);
    return Picture(PictureOf(dib));
}

std::vector<BYTE> BytesOf(const CPictureInfo* picture) {
    const BYTE* block = reinterpret_cast<const BYTE*>(picture->GetHeader());
    return {block, block + picture->GetLength()};
}

// The picture the conversion alone makes of the original with the settings.
std::vector<BYTE> ConvertedBytes(const CPictureInfo& original, const CAdjustImage& settings) {
    CAdjustImage plain(false);
    plain.CopyFrom(&settings);
    plain.cropOn = 0;
    plain.effectCount = 0;
    plain.rotation = 0;
    const int width = original.GetWidth();
    const int height = original.GetHeight();
    // ReadFileToMemory frees the block.
    HGLOBAL block = ConvertDib(original.GetHeader(), 0, height, CRect(0, 0, width, height), width, height,
                               &plain, 2, 1, plain.GetDarkColor(), plain.GetLightColor());
    const Picture converted(block ? plain.ReadFileToMemory(block) : nullptr);
    return converted ? BytesOf(converted.get()) : std::vector<BYTE>{};
}

// Settings that change nothing give the original itself, without a copy; any setting that changes a
// pixel still makes its own picture, byte for byte the one the conversion makes.
TEST_F(RebuildTest, SettingsThatChangeNothingShareTheOriginal) {
    struct Case {
        const char* name;
        void (*set)(CAdjustImage&);
        bool shared;
    };
    const Case cases[] = {
        {"defaults", [](CAdjustImage&) {}, true},
        {"sharpen flag without amount", [](CAdjustImage& a) { a.sharpen = 0; }, true},
        {"zoom and shift", [](CAdjustImage& a) { a.zoom = 250, a.shiftX = 30; }, true},
        {"brightness 51", [](CAdjustImage& a) { a.SetAdjustPercent(kAdjustBrightness, 51); }, false},
        {"contrast 49", [](CAdjustImage& a) { a.SetAdjustPercent(kAdjustContrast, 49); }, false},
        {"gamma 51", [](CAdjustImage& a) { a.SetAdjustPercent(kAdjustGamma, 51); }, false},
        {"saturation 51", [](CAdjustImage& a) { a.SetAdjustPercent(kAdjustSaturation, 51); }, false},
        {"sharpness 52", [](CAdjustImage& a) { a.SetAdjustPercent(kAdjustSharpness, 52); }, false},
        {"grey", [](CAdjustImage& a) { a.colourMode = 1; }, false},
        {"256 colours", [](CAdjustImage& a) { a.colourMode = 2; }, false},
        {"mirror", [](CAdjustImage& a) { a.mirror = 1; }, false},
        {"flip", [](CAdjustImage& a) { a.flip = 1; }, false},
    };
    const Picture original = EveryLevel();
    for (const Case& c : cases) {
        CAdjustImage adjust(true);
        Hold(adjust, original);
        c.set(adjust);
        ASSERT_TRUE(adjust.Rebuild(true)) << c.name;
        const CPictureInfo* adjusted = adjust.GetAdjustedDib();
        EXPECT_EQ(adjusted == original.get(), c.shared) << c.name;
        EXPECT_EQ(BytesOf(adjusted), ConvertedBytes(*original, adjust)) << c.name;
        EXPECT_EQ(BytesOf(adjusted) == BytesOf(original.get()), c.shared) << c.name;
        CPictureInfo kept;
        ASSERT_TRUE(kept.ReadFromHandle(adjust.GetTempFile())) << c.name;
        EXPECT_EQ(BytesOf(&kept), BytesOf(adjusted)) << c.name << ": the temporary file keeps the result";
    }
}

TEST_F(RebuildTest, CropEffectsAndOtherHeadersStillMakeTheirOwnPicture) {
    const Picture original = EveryLevel();
    CAdjustImage cropped(false);
    Hold(cropped, original);
    cropped.SetCrop(true, 0.0, 0.5, 0.0, 1.0);
    ASSERT_TRUE(cropped.Rebuild(true));
    EXPECT_EQ(cropped.GetAdjustedDib()->GetWidth(), 128);

    m_services.SetEffectsModule(s_standIn);
    CAdjustImage negative(false);
    Hold(negative, original);
    negative.SetEffect(kAdjustNegative, 1);
    ASSERT_TRUE(negative.Rebuild(true));
    EXPECT_NE(negative.GetAdjustedDib(), original.get());
    EXPECT_EQ(PixelOf(*negative.GetAdjustedDib(), 0, 0), 0xFFFFFFu ^ PixelOf(*original, 0, 0));

    // A header with a resolution: the conversion writes its own header, so the picture is made anew.
    const Picture withResolution(original->Clone());
    withResolution->GetHeader()->biXPelsPerMeter = 2835;
    CAdjustImage adjust(false);
    Hold(adjust, withResolution);
    ASSERT_TRUE(adjust.Rebuild(true));
    EXPECT_NE(adjust.GetAdjustedDib(), withResolution.get());
    EXPECT_EQ(BytesOf(adjust.GetAdjustedDib()), BytesOf(original.get()));
    // Without the conversion any 24-bit original is its own result.
    ASSERT_TRUE(adjust.ApplyAdjustments(false, true));
    EXPECT_EQ(adjust.GetAdjustedDib(), withResolution.get());
}

TEST_F(RebuildTest, CropCutsTheRelativeRectangleCountedFromTheTop) {
    struct Case {
        const char* what;
        double left, right, top, bottom;
        int width, height, firstX, firstY;
    };
    const Case cases[] = {
        {"right half", 0.5, 1.0, 0.0, 1.0, 10, 10, 10, 0},
        {"top band", 0.0, 1.0, 0.0, 0.3, 20, 3, 0, 0},
        {"middle", 0.25, 0.75, 0.2, 0.6, 10, 4, 5, 2},
        {"swapped sides are put in order", 0.75, 0.25, 0.6, 0.2, 10, 4, 5, 2},
        {"fractions are truncated", 0.33, 0.66, 0.05, 0.99, 7, 9, 6, 0},
    };
    const Picture gradient = Gradient(20, 10);
    for (const Case& c : cases) {
        CAdjustImage adjust(false);
        Hold(adjust, gradient);
        adjust.SetCrop(true, c.left, c.right, c.top, c.bottom);
        ASSERT_TRUE(adjust.Rebuild(true)) << c.what;
        const CPictureInfo* cut = adjust.GetAdjustedDib();
        EXPECT_EQ(cut->GetWidth(), c.width) << c.what;
        EXPECT_EQ(cut->GetHeight(), c.height) << c.what;
        EXPECT_EQ(PixelOf(*cut, 0, 0), PixelOf(*gradient, c.firstX, c.firstY)) << c.what;
    }
}

TEST_F(RebuildTest, AnEmptyCropFailsAndLeavesNoPicture) {
    const Picture gradient = Gradient(20, 10);
    for (const auto& crop :
         {std::vector<double>{0.4, 0.4, 0.0, 1.0}, std::vector<double>{0.0, 1.0, 0.5, 0.52}}) {
        CAdjustImage adjust(false);
        Hold(adjust, gradient);
        adjust.SetCrop(true, crop[0], crop[1], crop[2], crop[3]);
        EXPECT_FALSE(adjust.Rebuild(true));
        EXPECT_EQ(adjust.GetAdjustedDib(), nullptr);
    }
}

TEST_F(RebuildTest, RotationTurnsByQuarterTurnsUnlessExact) {
    struct Case {
        const char* what;
        int rotation;
        bool exact;
        int width, height;
        bool mask;
    };
    const Case cases[] = {
        {"unrotated", 0, true, 12, 8, false},
        {"450 in quarter turns is no turn", 450, false, 12, 8, true},
        {"950 in quarter turns is one", 950, false, 8, 12, true},
        {"900 exact", 900, true, 8, 12, true},
        {"450 exact grows to the turned corners", 450, true, 13, 14, true},
    };
    const Picture gradient = Gradient(12, 8);
    for (const Case& c : cases) {
        CAdjustImage adjust(false);
        Hold(adjust, gradient);
        adjust.rotation = c.rotation;
        ASSERT_TRUE(adjust.Rebuild(c.exact)) << c.what;
        EXPECT_EQ(adjust.GetAdjustedDib()->GetWidth(), c.width) << c.what;
        EXPECT_EQ(adjust.GetAdjustedDib()->GetHeight(), c.height) << c.what;
        EXPECT_EQ(adjust.GetRotatedDib() != nullptr, c.mask) << c.what;
        if (c.rotation == 450 && !c.exact) {
            EXPECT_EQ(PixelsOf(adjust.GetAdjustedDib()), PixelsOf(gradient.get())) << c.what;
        }
    }
}

TEST_F(RebuildTest, ToneAndModesApplyInTheConversion) {
    const Picture grey = Flat(6, 4, 0x646464);
    {
        CAdjustImage adjust(false);
        Hold(adjust, grey);
        adjust.SetAdjustPercent(kAdjustBrightness, 80); // +0.3 of full scale
        ASSERT_TRUE(adjust.Rebuild(true));
        EXPECT_NEAR(Channel(PixelOf(*adjust.GetAdjustedDib(), 3, 2), 8), 100 + 76.5, 1);
    }
    const Picture gradient = Gradient(12, 8);
    const Picture halves = Flat(12, 8, 0x202020);
    for (int y = 0; y < 8; ++y)
        for (int x = 6; x < 12; ++x)
            std::memset(halves->GetBits() + y * 36 + x * 3, 0xE0, 3);
    {
        CAdjustImage adjust(false);
        Hold(adjust, halves);
        adjust.colourMode = 0;
        adjust.SetTwoColors(RGB(0, 0, 0x80), RGB(0xFF, 0xEE, 0));
        ASSERT_TRUE(adjust.Rebuild(true));
        const CPictureInfo* twoColour = adjust.GetAdjustedDib();
        EXPECT_EQ(twoColour->GetHeader()->biBitCount, 8);
        bool dark = false, light = false;
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 12; ++x) {
                const RGBQUAD colour =
                    reinterpret_cast<const RGBQUAD*>(twoColour->GetHeader() + 1)[PixelOf(*twoColour, x, y)];
                const unsigned rgb = colour.rgbRed << 16 | colour.rgbGreen << 8 | colour.rgbBlue;
                dark |= rgb == 0x000080;
                light |= rgb == 0xFFEE00;
                EXPECT_TRUE(rgb == 0x000080 || rgb == 0xFFEE00) << x << "," << y;
            }
        }
        EXPECT_TRUE(dark && light);
    }
    {
        CAdjustImage adjust(false);
        Hold(adjust, gradient);
        adjust.mirror = 1;
        ASSERT_TRUE(adjust.Rebuild(true));
        for (int y = 0; y < 8; ++y)
            EXPECT_EQ(PixelOf(*adjust.GetAdjustedDib(), 0, y), PixelOf(*gradient, 11, y));
    }
}

TEST_F(RebuildTest, AFailedConversionBeepsAndLeavesNoPicture) {
    const Picture gradient = Gradient(6, 4);
    CAdjustImage adjust(false);
    Hold(adjust, gradient);
    adjust.colourMode = 9;
    EXPECT_FALSE(adjust.Rebuild(true));
    EXPECT_EQ(adjust.GetAdjustedDib(), nullptr);
    EXPECT_EQ(g_beeps, 1);
}

// The effects library is looked up at every call: a missing library or export, a failing call and a
// result that is no picture each leave the picture as the conversion alone makes it.
TEST_F(RebuildTest, EffectsComeFromTheEffectsLibraryByName) {
    struct Case {
        const char* what;
        bool library;
        int id;
        int value;
        enum { Unchanged, Inverted, Painted } want;
    };
    const Case cases[] = {
        {"negative", true, kAdjustNegative, 1, Case::Inverted},
        {"emboss gets its strength", true, kAdjustEmboss, 30, Case::Painted},
        {"missing export", true, kAdjustSwirl, 40, Case::Unchanged},
        {"failing export", true, kAdjustWave, 40, Case::Unchanged},
        {"result is no picture", true, kAdjustMosaic, 40, Case::Unchanged},
        {"no library", false, kAdjustNegative, 1, Case::Unchanged},
    };
    const Picture gradient = Gradient(10, 6);
    CAdjustImage plain(false);
    Hold(plain, gradient);
    plain.SetAdjustPercent(kAdjustBrightness, 60);
    ASSERT_TRUE(plain.Rebuild(true));
    const Pixels converted = PixelsOf(plain.GetAdjustedDib());

    for (const Case& c : cases) {
        m_services.SetEffectsModule(c.library ? s_standIn : nullptr);
        CAdjustImage adjust(false);
        Hold(adjust, gradient);
        adjust.SetAdjustPercent(kAdjustBrightness, 60);
        adjust.SetEffect(c.id, c.value);
        ASSERT_TRUE(adjust.Rebuild(true)) << c.what;
        const CPictureInfo* result = adjust.GetAdjustedDib();
        EXPECT_EQ(result->GetWidth(), 10) << c.what;
        switch (c.want) {
        case Case::Unchanged:
            EXPECT_EQ(PixelsOf(result), converted) << c.what;
            break;
        case Case::Inverted:
            // Inverted first (green 30 at row 3), then brightened by 0.1 of full scale.
            EXPECT_NEAR(Channel(PixelOf(*result, 2, 3), 8), 255 - 30 + 25.5, 1) << c.what;
            break;
        case Case::Painted:
            EXPECT_NEAR(Channel(PixelOf(*result, 7, 1), 0), 30 + 25.5, 1) << c.what;
            break;
        }
    }
}

// Every effect id reaches its own export of the real library: the picture keeps its size and changes.
TEST_F(RebuildTest, EveryEffectOfTheEffectsLibraryReachesThePicture) {
    const HMODULE effects = LoadLibrary(VC_PROGRAM_DIR "/libEffects.so");
    ASSERT_NE(effects, nullptr);
    const Picture gradient = Gradient(48, 32);
    std::vector<Pixels> results;
    for (int id = kAdjustEmboss; id <= kAdjustSwirl; ++id) {
        for (HMODULE module : {effects, static_cast<HMODULE>(nullptr)}) {
            m_services.SetEffectsModule(module);
            CAdjustImage adjust(false);
            Hold(adjust, gradient);
            adjust.SetAdjustPercent(id, id == kAdjustNegative ? 0 : 50);
            ASSERT_TRUE(adjust.Rebuild(true)) << CAdjustImage::GetAdjustName(id);
            EXPECT_EQ(adjust.GetAdjustedDib()->GetWidth(), 48);
            EXPECT_EQ(adjust.GetAdjustedDib()->GetHeight(), 32);
            const Pixels pixels = PixelsOf(adjust.GetAdjustedDib());
            EXPECT_EQ(pixels != PixelsOf(gradient.get()), module != nullptr)
                << CAdjustImage::GetAdjustName(id);
            if (module)
                results.push_back(pixels);
        }
    }
    for (size_t i = 0; i < results.size(); ++i)
        for (size_t j = i + 1; j < results.size(); ++j)
            EXPECT_NE(results[i], results[j])
                << "effects " << i + kAdjustEmboss << " and " << j + kAdjustEmboss;
    FreeLibrary(effects);
}

TEST_F(RebuildTest, CurlPassesItsSettingsRecord) {
    m_services.SetRastrumModule(s_recordingCurl);
    const Picture gradient = Gradient(40, 30);
    CAdjustImage adjust(false);
    Hold(adjust, gradient);
    adjust.SetAdjustPercent(kAdjustCurl, 55);
    ASSERT_TRUE(adjust.Rebuild(true));

    using LastSettings = void (*)(BYTE*);
    auto lastSettings = reinterpret_cast<LastSettings>(GetProcAddress(s_recordingCurl, "LastCurlSettings"));
    ASSERT_NE(lastSettings, nullptr);
    BYTE got[40];
    lastSettings(got);
    BYTE want[40] = {};
    const LONG width = 40 * 55 / 100, height = 30 * 55 / 100;
    const double shading = 1.0, transparency = 0.0;
    const LONG corner = 3;
    std::memcpy(want + 0, &width, 4);
    std::memcpy(want + 4, &height, 4);
    want[8] = want[9] = want[10] = 0xFF;
    std::memcpy(want + 16, &shading, 8);
    std::memcpy(want + 24, &transparency, 8);
    std::memcpy(want + 32, &corner, 4);
    want[36] = 1;
    EXPECT_EQ(std::vector<BYTE>(got, got + 40), std::vector<BYTE>(want, want + 40));
}

TEST_F(RebuildTest, CurlFoldsTheBottomRightCornerThroughRastrum) {
    const Picture gradient = Gradient(40, 30);
    for (HMODULE module : {s_rastrum, static_cast<HMODULE>(nullptr)}) {
        m_services.SetRastrumModule(module);
        CAdjustImage adjust(false);
        Hold(adjust, gradient);
        adjust.SetAdjustPercent(kAdjustCurl, 50);
        ASSERT_TRUE(adjust.Rebuild(true));
        const CPictureInfo* curled = adjust.GetAdjustedDib();
        EXPECT_EQ(curled->GetWidth(), 40);
        EXPECT_EQ(curled->GetHeight(), 30);
        EXPECT_EQ(PixelOf(*curled, 0, 0), PixelOf(*gradient, 0, 0));
        EXPECT_EQ(PixelOf(*curled, 39, 29) != PixelOf(*gradient, 39, 29), module != nullptr);
    }
}

// Red dots on grey: the regions are relative to the cropped picture and counted from its top.
TEST_F(RebuildTest, RedEyeChangesRedDotsInsideItsRegionsOnly) {
    DibBuilder dib(40, 20, 24);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            dib.SetPixel(x, y, 0x707070);
    const std::vector<std::pair<int, int>> dots{{5, 5}, {25, 5}, {26, 6}, {35, 15}, {22, 16}};
    for (const auto& [x, y] : dots)
        dib.SetPixel(x, y, 0xE01010);
    const Picture photo(PictureOf(dib));

    CAdjustImage adjust(false);
    Hold(adjust, photo);
    adjust.SetCrop(true, 0.5, 1.0, 0.0, 1.0);        // x 20..39
    adjust.SetCurrentShapeEntry(0.0, 0.5, 0.0, 0.5); // cropped x 0..9, y 0..9
    adjust.SetCurrentShapeColor(RGB(0x40, 0x30, 0x20));
    adjust.SetAdjustPercent(kAdjustRedEye, 50); // threshold 155 of this region
    adjust.PushShapeEntry();
    adjust.SetCurrentShapeEntry(0.0, 0.25, 0.75, 1.0); // cropped x 0..4, y 15..19
    ASSERT_TRUE(adjust.Rebuild(true));
    const CPictureInfo* result = adjust.GetAdjustedDib();
    ASSERT_EQ(result->GetWidth(), 20);
    EXPECT_NE(PixelOf(*result, 5, 5), 0xE01010u);
    EXPECT_NE(PixelOf(*result, 6, 6), 0xE01010u);
    EXPECT_NE(PixelOf(*result, 2, 16), 0xE01010u);
    EXPECT_EQ(PixelOf(*result, 15, 15), 0xE01010u) << "outside every region";
    EXPECT_LT(Channel(PixelOf(*result, 5, 5), 16), 0x80u) << "the red is gone";
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            if (PixelOf(*photo, x + 20, y) == 0x707070) {
                EXPECT_EQ(PixelOf(*result, x, y), 0x707070u) << "grey is not red: " << x << "," << y;
            }
}

TEST_F(RebuildTest, SetRotationTurnsTheKeptResultWithoutARebuild) {
    const Picture gradient = Gradient(12, 8);
    CAdjustImage turned(false);
    Hold(turned, gradient);
    turned.rotation = 900;
    ASSERT_TRUE(turned.Rebuild(true));

    CAdjustImage adjust(true);
    Hold(adjust, gradient);
    ASSERT_TRUE(adjust.Rebuild(true));
    adjust.FreeOriginalDib(); // proves that nothing is rebuilt from it
    adjust.SetRotation(900);
    EXPECT_EQ(PixelsOf(adjust.GetAdjustedDib()), PixelsOf(turned.GetAdjustedDib()));
    ASSERT_NE(adjust.GetRotatedDib(), nullptr);
    EXPECT_EQ(adjust.GetRotatedDib()->GetHeader()->biBitCount, 1);
    adjust.SetRotation(3600);
    EXPECT_EQ(adjust.rotation, 0);
    EXPECT_EQ(PixelsOf(adjust.GetAdjustedDib()), PixelsOf(gradient.get()));

    CAdjustImage withoutFile(false);
    Hold(withoutFile, gradient);
    ASSERT_TRUE(withoutFile.Rebuild(true));
    withoutFile.SetRotation(900);
    EXPECT_EQ(withoutFile.GetAdjustedDib(), nullptr);
}

TEST_F(RebuildTest, ResetAndRebuildForgetsTheSettings) {
    const Picture gradient = Gradient(12, 8);
    CAdjustImage adjust(false);
    Hold(adjust, gradient);
    adjust.SetCrop(true, 0.0, 0.5, 0.0, 0.5);
    adjust.SetAdjustPercent(kAdjustContrast, 90);
    ASSERT_TRUE(adjust.ResetAndRebuild());
    EXPECT_EQ(PixelsOf(adjust.GetAdjustedDib()), PixelsOf(gradient.get()));
}

TEST_F(RebuildTest, ApplyEffectChangesThePictureInPlaceOrNotAtAll) {
    CAdjustImage adjust(false);
    struct Case {
        const char* what;
        int id;
        int value;
        bool applied;
    };
    const Case cases[] = {
        {"brightness alone", kAdjustBrightness, 80, true},
        {"gamma alone", kAdjustGamma, 20, true},
        {"unknown id", 25, 50, false},
        {"effect without its library", kAdjustOilPaint, 50, false},
    };
    for (const Case& c : cases) {
        const Picture grey = Flat(5, 3, 0x646464);
        const bool applied = adjust.ApplyEffect(grey.get(), c.id, c.value);
        EXPECT_EQ(applied, c.applied) << c.what;
        EXPECT_EQ(PixelOf(*grey, 1, 1) != 0x646464u, c.applied) << c.what;
        EXPECT_EQ(grey->GetWidth(), 5);
    }
    EXPECT_FALSE(adjust.ApplyEffect(nullptr, kAdjustBrightness, 80));
}

TEST_F(RebuildTest, ReadFileToMemoryTakesABlockOrTheFileAtThePath) {
    CAdjustImage adjust(false);
    const Picture gradient = Gradient(5, 4);

    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, gradient->GetLength());
    std::memcpy(CGlobalLock(block).Bytes(), gradient->GetHeader(), gradient->GetLength());
    const Picture fromBlock(adjust.ReadFileToMemory(block));
    ASSERT_NE(fromBlock, nullptr);
    EXPECT_EQ(PixelsOf(fromBlock.get()), PixelsOf(gradient.get()));

    HGLOBAL garbage = GlobalAlloc(GHND, 30);
    EXPECT_EQ(adjust.ReadFileToMemory(garbage), nullptr);

    TempFolder folder;
    adjust.SetFilePath(folder.Path() + "/bild.bmp");
    EXPECT_EQ(adjust.ReadFileToMemory(nullptr), nullptr);
    ASSERT_TRUE(gradient->WriteBmpFile(adjust.GetFilePath()));
    const Picture fromFile(adjust.ReadFileToMemory(nullptr));
    ASSERT_NE(fromFile, nullptr);
    EXPECT_EQ(PixelsOf(fromFile.get()), PixelsOf(gradient.get()));
}

} // namespace
