// The colour questions of a bitmap: colours used, red-eye correction, depth conversion onto a palette
// made for the picture, and the mask pair.

#include "ImagingFixtures.h"
#include "TestDibs.h"
#include "platform/imaging/ImagingFile.h"

#include <gtest/gtest.h>
#include <ostream>
#include <set>

namespace {

struct CountCase {
    const char* name;
    CImagingBitmap (*make)();
    int colours;
};
void PrintTo(const CountCase& c, std::ostream* os) {
    *os << c.name;
}

CImagingBitmap GreyRamp() {
    std::vector<int> indexes;
    for (int i = 0; i < 256; ++i)
        indexes.push_back(i);
    return BitmapOf(IndexedDib(16, 16, 8, indexes));
}

// 256 x 256 pixels, every one a colour of its own.
CImagingBitmap AllDifferent() {
    std::vector<COLORREF> colours;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            colours.push_back(RGB(x, y, (x + y) & 0xFF));
    return ColourBitmap(256, 256, colours);
}

const CountCase kCounts[] = {
    {"OneColour", [] { return ColourBitmap(5, 3, std::vector<COLORREF>(15, RGB(1, 2, 3))); }, 1},
    {"BlackAndWhiteAtOneBit",
     [] {
         return BitmapOf(IndexedDib(9, 2, 1, {0, 1, 0, 1, 1, 1, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1}, 2));
     },
     2},
    {"UnusedPaletteEntriesDoNotCount",
     [] {
         return BitmapOf(IndexedDib(3, 1, 8, {5, 9, 5}));
     },
     2},
    {"TwoEntriesOfOneColourCountOnce",
     [] {
         std::vector<BYTE> dib = IndexedDib(2, 1, 4, {0, 1}, 16);
         std::fill_n(dib.begin() + 40, 8, BYTE(77)); // entries 0 and 1 the same grey
         return BitmapOf(dib);
     },
     1},
    {"GreyRampOf256", GreyRamp, 256},
    {"EveryPixelItsOwnColour", AllDifferent, 65536},
    {"SixteenBitsCountTheirWords",
     [] {
         // Black and a grey of 2 are the same 5-5-5 word.
         CImagingBitmap bitmap = ColourBitmap(3, 1, {RGB(0, 0, 0), RGB(2, 2, 2), RGB(255, 255, 255)});
         bitmap.ConvertDepth(16);
         return bitmap;
     },
     2},
};

class CountColoursTest : public ::testing::TestWithParam<CountCase> {};

TEST_P(CountColoursTest, CountsTheDistinctColoursShown) {
    EXPECT_EQ(GetParam().colours, GetParam().make().CountColorsUsed());
}

INSTANTIATE_TEST_SUITE_P(Pictures, CountColoursTest, ::testing::ValuesIn(kCounts),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ImagingColoursTest, EmptyPictureUsesNoColours) {
    EXPECT_EQ(0, CImagingBitmap().CountColorsUsed());
}

// A 12 x 8 grey picture with red dots at (2, 2), (8, 2) and (8, 6), top row 0; the rectangle covers
// the first two only.
constexpr COLORREF kGrey = RGB(90, 90, 90);
constexpr COLORREF kRed = RGB(200, 30, 40);
constexpr COLORREF kDarkRed = RGB(100, 10, 20);
const RECT kEyes = {0, 0, 12, 4};

CImagingBitmap RedDots() {
    std::vector<COLORREF> colours(12 * 8, kGrey);
    colours[2 * 12 + 2] = kRed;
    colours[2 * 12 + 8] = kDarkRed;
    colours[6 * 12 + 8] = kRed;
    return ColourBitmap(12, 8, colours);
}

int Brightness(COLORREF c) {
    return (GetRValue(c) * 299 + GetGValue(c) * 587 + GetBValue(c) * 114 + 500) / 1000;
}

TEST(ImagingColoursTest, RedEyesInTheRectangleTakeTheEyeColourAtTheirBrightness) {
    const COLORREF eye = RGB(0x43, 0x7B, 0x8A);
    for (int bits : {24, 32}) {
        CImagingBitmap bitmap = RedDots();
        ASSERT_TRUE(bitmap.ConvertDepth(bits));
        ASSERT_TRUE(bitmap.CorrectRedEye(kEyes, eye, 150));
        const std::vector<COLORREF> colours = ColoursOf(bitmap);
        const std::vector<COLORREF> original = ColoursOf(RedDots());
        for (int i : {2 * 12 + 2, 2 * 12 + 8}) {
            const COLORREF before = original[std::size_t(i)];
            const COLORREF after = colours[std::size_t(i)];
            EXPECT_NEAR(Brightness(before), Brightness(after), 2) << bits;
            // The hue of the eye colour: its channels in the same proportions.
            EXPECT_NEAR(double(GetGValue(after)) / GetBValue(after), double(GetGValue(eye)) / GetBValue(eye),
                        0.05);
            EXPECT_NEAR(double(GetRValue(after)) / GetBValue(after), double(GetRValue(eye)) / GetBValue(eye),
                        0.05);
        }
        EXPECT_EQ(kRed, colours[6 * 12 + 8]) << "outside the rectangle";
        EXPECT_EQ(kGrey, colours[2 * 12 + 5]) << "not red";
    }
}

TEST(ImagingColoursTest, RedEyeThresholdAndRectangle) {
    // Redness of kRed: 255 * 200 / 270 = 188; of kDarkRed 196.
    CImagingBitmap bitmap = RedDots();
    ASSERT_TRUE(bitmap.CorrectRedEye(kEyes, RGB(0, 0, 255), 190));
    std::vector<COLORREF> colours = ColoursOf(bitmap);
    EXPECT_EQ(kRed, colours[2 * 12 + 2]) << "below the threshold";
    EXPECT_NE(kDarkRed, colours[2 * 12 + 8]);

    const RECT bottomRows = {0, 4, 12, 8};
    bitmap = RedDots();
    ASSERT_TRUE(bitmap.CorrectRedEye(bottomRows, RGB(0, 0, 255), 100));
    colours = ColoursOf(bitmap);
    EXPECT_EQ(kRed, colours[2 * 12 + 2]) << "the rectangle counts rows from the top";
    EXPECT_NE(kRed, colours[6 * 12 + 8]);

    EXPECT_FALSE(bitmap.CorrectRedEye(RECT{20, 20, 30, 30}, RGB(0, 0, 255), 100)) << "outside the picture";
    CImagingBitmap palette = RedDots();
    ASSERT_TRUE(palette.ConvertDepth(8));
    EXPECT_FALSE(palette.CorrectRedEye(kEyes, RGB(0, 0, 255), 100)) << "palette pictures are not corrected";
}

// Converting a picture of many colours makes a palette for it: a picture of reds gets only reds, where
// a fixed palette would spend its entries on every hue.
TEST(ImagingColoursTest, ReducedPicturesGetAPaletteMadeForThem) {
    std::vector<COLORREF> reds;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            reds.push_back(RGB((x * 8 + y) & 0xFF, 0, 0));
    for (int bits : {1, 4, 8}) {
        CImagingBitmap bitmap = ColourBitmap(32, 32, reds);
        ASSERT_TRUE(bitmap.ConvertDepth(bits));
        EXPECT_EQ(bits, bitmap.GetBitsPerPixel());
        const std::vector<COLORREF> colours = ColoursOf(bitmap);
        for (COLORREF c : colours)
            ASSERT_EQ(0, GetGValue(c) | GetBValue(c)) << bits;
        EXPECT_LT(MeanDifference(reds, colours), bits == 1 ? 70 : bits == 4 ? 8 : 1.5) << bits;
        EXPECT_LE(std::set<COLORREF>(colours.begin(), colours.end()).size(), std::size_t{1} << bits);
    }
}

TEST(ImagingColoursTest, WideningKeepsThePalette) {
    CImagingBitmap bitmap = BitmapOf(IndexedDib(5, 1, 1, {0, 1, 1, 0, 1}, 2));
    const std::vector<COLORREF> before = ColoursOf(bitmap);
    ASSERT_TRUE(bitmap.ConvertDepth(8));
    EXPECT_EQ(before, ColoursOf(bitmap));
    EXPECT_FALSE(bitmap.ConvertDepth(3));
}

TEST(ImagingColoursTest, MaskNeedsTransparency) {
    CImagingBitmap picture = PhotoLike(4, 4), mask;
    EXPECT_FALSE(picture.GetMask(mask));
    EXPECT_TRUE(mask.IsEmpty());
}

// Whitening under a mask gives palette pictures a white entry, or 24 bits when the palette is full.
TEST(ImagingColoursTest, WhitenMaskedAtEveryDepth) {
    const CImagingBitmap mask = BitmapOf(IndexedDib(4, 1, 1, {0, 1, 1, 0}, 2));
    struct Case {
        CImagingBitmap picture;
        int bitsAfter;
    };
    std::vector<BYTE> roomForWhite = IndexedDib(4, 1, 4, {1, 2, 3, 4}, 5);
    roomForWhite[40 + 4 * 4] = 10; // entry 4 no longer white: white is added as entry 5
    std::vector<Case> cases = {{BitmapOf(roomForWhite), 4},
                               {BitmapOf(IndexedDib(4, 1, 8, {1, 2, 3, 4}, 256)), 8},
                               {ColourBitmap(4, 1, {kRed, kRed, kGrey, kGrey}), 24}};
    for (int bits : {16, 32}) {
        cases.push_back({ColourBitmap(4, 1, {kRed, kRed, kGrey, kGrey}), bits});
        ASSERT_TRUE(cases.back().picture.ConvertDepth(bits));
    }
    CImagingBitmap full = BitmapOf(IndexedDib(4, 1, 4, {1, 2, 3, 4}, 16)); // greys, white among them
    cases.push_back({full, 4});
    std::vector<BYTE> noWhite = IndexedDib(4, 1, 1, {0, 1, 1, 0}, 2);
    noWhite[44] = noWhite[45] = noWhite[46] = 200; // entry 1 light grey: no room for white
    cases.push_back({BitmapOf(noWhite), 24});
    for (Case& c : cases) {
        const std::vector<COLORREF> before = ColoursOf(c.picture);
        ASSERT_TRUE(c.picture.WhitenMasked(mask));
        EXPECT_EQ(c.bitsAfter, c.picture.GetBitsPerPixel());
        const std::vector<COLORREF> after = ColoursOf(c.picture);
        EXPECT_EQ(RGB(255, 255, 255), after[0]);
        EXPECT_EQ(RGB(255, 255, 255), after[3]);
        EXPECT_EQ(before[1], after[1]);
        EXPECT_EQ(before[2], after[2]);
    }
    CImagingBitmap wrongSize = PhotoLike(5, 1);
    EXPECT_FALSE(wrongSize.WhitenMasked(mask));
}

} // namespace
