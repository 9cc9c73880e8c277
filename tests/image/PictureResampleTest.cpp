#include "image/ConversionSurface.h"
#include "image/PictureInfo.h"
#include "platform/base/Module.h"
#include "tests/image/DibBuilder.h"
#include "tests/support/FakeAppServices.h"

#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

using Picture = std::unique_ptr<CPictureInfo>;

constexpr COLORREF kBackground = RGB(0x33, 0x66, 0x99);
constexpr unsigned kBackgroundRgb = 0x336699;

Picture Coordinates(int width, int height) {
    DibBuilder dib(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            dib.SetPixel(x, y, static_cast<unsigned>((x * 9 & 0xFF) << 16 | (y * 5 & 0xFF) << 8 | 7));
    return Picture(PictureOf(dib));
}

Picture Checkerboard(int side) {
    DibBuilder dib(side, side, 24);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            dib.SetPixel(x, y, (x + y) % 2 ? 0xFFFFFF : 0);
    return Picture(PictureOf(dib));
}

// White inside (2, 2)-(6, 6), black around: a stencil's mask.
Picture SquareMask() {
    DibBuilder dib(8, 8, 24);
    for (int y = 2; y < 6; ++y)
        for (int x = 2; x < 6; ++x)
            dib.SetPixel(x, y, 0xFFFFFF);
    return Picture(PictureOf(dib));
}

std::vector<unsigned> AllPixelsOf(const Picture& p) {
    return p ? AllPixelsOf(*p) : std::vector<unsigned>{};
}

// What a draw leaves on a surface of the background colour.
std::vector<unsigned> Drawn(int width, int height, const std::function<void(CDC*)>& draw) {
    CConversionSurface surface(width, height);
    surface.Fill(kBackground);
    draw(&surface.Dc());
    return AllPixelsOf(Picture(surface.TakePicture()));
}

std::vector<unsigned> Background(int width, int height) {
    return std::vector<unsigned>(static_cast<std::size_t>(width * height), kBackgroundRgb);
}

bool IsNearUniformGrey(const std::vector<unsigned>& pixels) {
    for (unsigned rgb : pixels)
        for (int shift : {0, 8, 16})
            if (std::abs(static_cast<int>(rgb >> shift & 0xFF) - 128) > 12)
                return false;
    return !pixels.empty();
}

// The program's situations: the real library, a library without Resample, one whose Resample fails,
// and none. The libraries stay loaded for the suite, so that each handle stays one module.
class PictureResampleTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_rastrum = LoadLibrary(VC_PROGRAM_DIR "/libRastrum.so");
        s_withoutExport = LoadLibrary(VC_TEST_BINARY_DIR "/librastrum_without_resample.so");
        s_failing = LoadLibrary(VC_TEST_BINARY_DIR "/libfailing_rastrum.so");
        s_failingCalls = reinterpret_cast<int (*)()>(GetProcAddress(s_failing, "ResampleCalls"));
    }
    static void TearDownTestSuite() {
        FreeLibrary(s_rastrum);
        FreeLibrary(s_withoutExport);
        FreeLibrary(s_failing);
    }

    void SetUp() override {
        ASSERT_NE(nullptr, s_rastrum);
        ASSERT_NE(nullptr, s_withoutExport);
        ASSERT_NE(nullptr, s_failingCalls);
    }

    void Use(HMODULE module) { m_services.SetRastrumModule(module); }

    FakeAppServices m_services;
    static HMODULE s_rastrum, s_withoutExport, s_failing;
    static int (*s_failingCalls)();
};

HMODULE PictureResampleTest::s_rastrum = nullptr;
HMODULE PictureResampleTest::s_withoutExport = nullptr;
HMODULE PictureResampleTest::s_failing = nullptr;
int (*PictureResampleTest::s_failingCalls)() = nullptr;

TEST_F(PictureResampleTest, ResampleWithoutTheLibraryStretchesLikeTheScreen) {
    Use(nullptr);
    const Picture picture = Coordinates(4, 2);
    const CRect dest(1, 0, 9, 4);
    const std::vector<unsigned> printed =
        Drawn(10, 4, [&](CDC* dc) { EXPECT_TRUE(picture->Resample(dc, dest, SRCCOPY)); });
    EXPECT_EQ(Drawn(10, 4, [&](CDC* dc) { picture->DrawStretched(dc, dest, SRCCOPY); }), printed);
    EXPECT_FALSE(picture->Resample(nullptr, dest, SRCCOPY));
}

TEST_F(PictureResampleTest, ResampleThroughTheLibraryAveragesInsteadOfAliasing) {
    Use(s_rastrum);
    const Picture board = Checkerboard(64);
    EXPECT_TRUE(IsNearUniformGrey(Drawn(8, 8, [&](CDC* dc) {
        dc->SetStretchBltMode(HALFTONE);
        EXPECT_TRUE(board->Resample(dc, CRect(0, 0, 8, 8), SRCCOPY));
        EXPECT_EQ(HALFTONE, dc->GetStretchBltMode()) << "the context's stretch mode is restored";
    })));
    Use(nullptr);
    EXPECT_FALSE(IsNearUniformGrey(
        Drawn(8, 8, [&](CDC* dc) { EXPECT_TRUE(board->Resample(dc, CRect(0, 0, 8, 8), SRCCOPY)); })));
}

TEST_F(PictureResampleTest, ResampleTakesPalettedPicturesThroughATrueColourCopy) {
    Use(s_rastrum);
    DibBuilder dib(4, 4, 8, {Rgb(0), Rgb(0x102030)});
    dib.Pixels({1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
    const Picture picture(PictureOf(dib));
    EXPECT_EQ(std::vector<unsigned>(35, 0x102030u),
              Drawn(7, 5, [&](CDC* dc) { EXPECT_TRUE(picture->Resample(dc, CRect(0, 0, 7, 5), SRCCOPY)); }));
}

TEST_F(PictureResampleTest, ResampleWithALibraryThatCannotDrawsNothing) {
    const Picture picture = Coordinates(4, 2);
    for (HMODULE module : {s_withoutExport, s_failing}) {
        Use(module);
        EXPECT_EQ(Background(8, 4), Drawn(8, 4, [&](CDC* dc) {
                      EXPECT_FALSE(picture->Resample(dc, CRect(0, 0, 8, 4), SRCCOPY));
                  }));
    }
}

TEST_F(PictureResampleTest, ResampleAtThePicturesOwnSizeNeverCallsTheLibrary) {
    Use(s_failing);
    const Picture picture = Coordinates(4, 2);
    const int calls = s_failingCalls();
    EXPECT_EQ(AllPixelsOf(*picture),
              Drawn(4, 2, [&](CDC* dc) { EXPECT_TRUE(picture->Resample(dc, CRect(0, 0, 4, 2), SRCCOPY)); }));
    EXPECT_EQ(calls, s_failingCalls());
    Drawn(8, 4, [&](CDC* dc) { picture->Resample(dc, CRect(0, 0, 8, 4), SRCCOPY); });
    EXPECT_EQ(calls + 1, s_failingCalls());
}

TEST_F(PictureResampleTest, ResampleRefusesAnEmptyDestinationInEverySituation) {
    const Picture picture = Coordinates(4, 2);
    for (HMODULE module : {HMODULE{}, s_rastrum, s_withoutExport, s_failing}) {
        Use(module);
        Drawn(4, 4, [&](CDC* dc) {
            EXPECT_FALSE(picture->Resample(dc, CRect(0, 0, 0, 4), SRCCOPY));
            EXPECT_FALSE(picture->Resample(dc, CRect(0, 0, 4, 0), SRCCOPY));
        });
    }
}

TEST_F(PictureResampleTest, DrawResampledFallsBackToThePictureInTiles) {
    const Picture board = Checkerboard(64);
    const CRect dest(0, 0, 8, 8);
    Use(nullptr);
    const std::vector<unsigned> tiled = Drawn(8, 8, [&](CDC* dc) { board->DrawSmooth(dc, dest, SRCCOPY); });
    for (HMODULE module : {HMODULE{}, s_withoutExport, s_failing}) {
        Use(module);
        EXPECT_EQ(tiled, Drawn(8, 8, [&](CDC* dc) { board->DrawResampled(dc, dest, SRCCOPY); }));
    }
    Use(s_rastrum);
    EXPECT_TRUE(IsNearUniformGrey(Drawn(8, 8, [&](CDC* dc) { board->DrawResampled(dc, dest, SRCCOPY); })));
    CPictureInfo empty;
    EXPECT_EQ(Background(8, 8), Drawn(8, 8, [&](CDC* dc) { empty.DrawResampled(dc, dest, SRCCOPY); }));
}

TEST_F(PictureResampleTest, RenderZoomedResampledAtZoomZeroIsBackgroundInEverySituation) {
    const Picture picture = Coordinates(10, 6);
    for (HMODULE module : {HMODULE{}, s_rastrum, s_withoutExport, s_failing}) {
        Use(module);
        EXPECT_EQ(
            Background(12, 9),
            AllPixelsOf(Picture(picture->RenderZoomedResampled(CRect(0, 0, 12, 9), {2, 3}, 0, kBackground))));
    }
}

TEST_F(PictureResampleTest, RenderZoomedResampledWithoutTheLibraryIsTheScreenRendering) {
    Use(nullptr);
    const Picture picture = Coordinates(10, 6);
    const CRect frame(0, 0, 12, 9);
    EXPECT_EQ(AllPixelsOf(Picture(picture->RenderZoomed(frame, {3, -2}, 150, kBackground))),
              AllPixelsOf(Picture(picture->RenderZoomedResampled(frame, {3, -2}, 150, kBackground))));
}

TEST_F(PictureResampleTest, RenderZoomedResampledShowsTheSameBandAsTheScreenUnderAShift) {
    Use(s_rastrum);
    // 15 pixels make rows of 45 bytes, padded to 48.
    const Picture picture = Coordinates(15, 40);
    const CRect frame(0, 0, 15, 40);
    // At the picture's own size the band is resampled 1:1, so it matches the stretched one exactly.
    const std::vector<unsigned> resampled =
        AllPixelsOf(Picture(picture->RenderZoomedResampled(frame, {0, 10}, 100, kBackground)));
    EXPECT_EQ(AllPixelsOf(Picture(picture->RenderZoomed(frame, {0, 10}, 100, kBackground))), resampled);
    EXPECT_EQ(kBackgroundRgb, resampled[0]) << "shifted down: background on top";
    EXPECT_EQ(PixelOf(*picture, 0, 0), resampled[10 * 15]);
}

TEST_F(PictureResampleTest, RenderZoomedResampledThroughALibraryThatCannot) {
    const Picture picture = Coordinates(10, 6);
    const CRect frame(0, 0, 12, 9);
    Use(s_withoutExport);
    EXPECT_EQ(Background(12, 9),
              AllPixelsOf(Picture(picture->RenderZoomedResampled(frame, {}, 100, kBackground))));
    Use(s_failing);
    EXPECT_EQ(nullptr, Picture(picture->RenderZoomedResampled(frame, {}, 100, kBackground)));
}

TEST_F(PictureResampleTest, RenderZoomedResampledRefusesEmptyFramesAndDestinations) {
    const Picture picture = Coordinates(10, 6);
    CPictureInfo empty;
    for (HMODULE module : {HMODULE{}, s_rastrum}) {
        Use(module);
        EXPECT_EQ(nullptr,
                  Picture(picture->RenderZoomedResampled(CRect(0, 0, 12, 9), {50, 0}, 100, kBackground)))
            << "shifted out of the frame";
        EXPECT_EQ(nullptr, Picture(picture->RenderZoomedResampled(CRect(0, 0, 0, 9), {}, 100, kBackground)));
        EXPECT_EQ(nullptr, Picture(empty.RenderZoomedResampled(CRect(0, 0, 12, 9), {}, 100, kBackground)));
    }
}

// The photo where the mask is white, black around it (the picture object's black background).
std::vector<unsigned> PhotoInSquare(const CPictureInfo& photo) {
    std::vector<unsigned> expected;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            expected.push_back(x >= 2 && x < 6 && y >= 2 && y < 6 ? PixelOf(photo, x, y) : 0u);
    return expected;
}

TEST_F(PictureResampleTest, RenderZoomedMaskedResampledCutsThePhotoByTheMask) {
    const Picture mask = SquareMask();
    const Picture photo = Coordinates(8, 8);
    const CRect frame(0, 0, 8, 8);
    for (HMODULE module : {HMODULE{}, s_rastrum}) {
        Use(module);
        EXPECT_EQ(PhotoInSquare(*photo), AllPixelsOf(Picture(mask->RenderZoomedMaskedResampled(
                                             frame, {}, 100, RGB(0, 0, 0), photo.get()))));
        EXPECT_EQ(
            AllPixelsOf(*mask),
            AllPixelsOf(Picture(mask->RenderZoomedMaskedResampled(frame, {}, 100, RGB(0, 0, 0), nullptr))))
            << "without a photo the mask itself";
        EXPECT_EQ(nullptr,
                  Picture(mask->RenderZoomedMaskedResampled(frame, {}, 0, RGB(0, 0, 0), photo.get())));
    }
}

TEST_F(PictureResampleTest, RenderZoomedMaskedResampledThroughALibraryThatCannot) {
    const Picture mask = SquareMask();
    const Picture photo = Coordinates(8, 8);
    const CRect frame(0, 0, 8, 8);
    Use(s_withoutExport);
    EXPECT_EQ(
        std::vector<unsigned>(64, 0u),
        AllPixelsOf(Picture(mask->RenderZoomedMaskedResampled(frame, {}, 100, RGB(0, 0, 0), photo.get()))))
        << "nothing drawn";
    EXPECT_EQ(AllPixelsOf(*mask),
              AllPixelsOf(Picture(mask->RenderZoomedMaskedResampled(frame, {}, 100, RGB(0, 0, 0), nullptr))));
    Use(s_failing);
    EXPECT_EQ(nullptr, Picture(mask->RenderZoomedMaskedResampled(frame, {}, 100, RGB(0, 0, 0), photo.get())));
    EXPECT_EQ(nullptr, Picture(mask->RenderZoomedMaskedResampled(frame, {}, 100, RGB(0, 0, 0), nullptr)));
}

} // namespace

TEST_F(PictureResampleTest, ResampledCopyFiltersThroughTheLibraryExceptInNormalMode) {
    const Picture board = Checkerboard(64);
    struct Case {
        HMODULE module;
        int mode;
        bool filtered;
    };
    for (const Case c : {Case{s_rastrum, 2, true}, Case{s_rastrum, 4, true}, Case{s_rastrum, 0, false},
                         Case{nullptr, 2, false}}) {
        Use(c.module);
        const Picture copy(board->ResampledCopy(CSize(8, 8), c.mode));
        ASSERT_NE(copy, nullptr) << c.mode;
        EXPECT_EQ(copy->GetWidth(), 8);
        EXPECT_EQ(copy->GetHeight(), 8);
        EXPECT_TRUE(copy->Is24Bit());
        EXPECT_EQ(IsNearUniformGrey(AllPixelsOf(copy)), c.filtered) << c.mode;
    }
}

TEST_F(PictureResampleTest, ResampledCopyFailsWithTheLibraryOrAnEmptySize) {
    const Picture picture = Coordinates(4, 2);
    Use(s_failing);
    EXPECT_EQ(picture->ResampledCopy(CSize(8, 4), 2), nullptr);
    Use(s_rastrum);
    EXPECT_EQ(picture->ResampledCopy(CSize(0, 4), 2), nullptr);
    EXPECT_EQ(picture->ResampledCopy(CSize(8, -1), 0), nullptr);
}
