#include "platform/imaging/Resampler.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

namespace {

struct Plane {
    int width, height, channels;
    std::vector<BYTE> bytes;

    Plane(int w, int h, int c, BYTE value = 0)
        : width(w), height(h), channels(c), bytes(std::size_t(w * h * c), value) {}
    BYTE& At(int x, int y, int c) { return bytes[std::size_t((y * width + x) * channels + c)]; }
    BYTE At(int x, int y, int c) const { return bytes[std::size_t((y * width + x) * channels + c)]; }
    ConstPixelRows Source() const { return {bytes.data(), std::ptrdiff_t(width * channels), width, height}; }
    PixelRows Target() { return {bytes.data(), std::ptrdiff_t(width * channels), width, height}; }
};

Plane Resampled(const Plane& source, int width, int height, ResampleFilter filter) {
    Plane target(width, height, source.channels, 0xCD);
    ResamplePixels(source.Source(), target.Target(), source.channels, filter);
    return target;
}

const char* NameOf(ResampleFilter filter) {
    switch (filter) {
    case ResampleFilter::Nearest:
        return "Nearest";
    case ResampleFilter::Area:
        return "Area";
    case ResampleFilter::Bicubic:
        return "Bicubic";
    default:
        return "Lanczos3";
    }
}

class EveryFilterTest : public ::testing::TestWithParam<ResampleFilter> {};

TEST_P(EveryFilterTest, KeepsAFlatPictureFlatInEveryDirection) {
    for (auto [sw, sh] : {std::pair{9, 7}, {1, 1}, {1, 5}}) {
        Plane flat(sw, sh, 3);
        for (int y = 0; y < sh; ++y)
            for (int x = 0; x < sw; ++x)
                flat.At(x, y, 0) = 10, flat.At(x, y, 1) = 128, flat.At(x, y, 2) = 250;
        for (auto [w, h] : {std::pair{9, 7}, {3, 2}, {20, 31}, {1, 1}, {4, 19}}) {
            const Plane out = Resampled(flat, w, h, GetParam());
            for (int i = 0; i < w * h; ++i)
                ASSERT_EQ((std::vector<BYTE>{10, 128, 250}),
                          (std::vector<BYTE>{out.bytes[std::size_t(3 * i)], out.bytes[std::size_t(3 * i + 1)],
                                             out.bytes[std::size_t(3 * i + 2)]}))
                    << sw << "x" << sh << " to " << w << "x" << h << " pixel " << i;
        }
    }
}

TEST_P(EveryFilterTest, LeavesAPictureOfTheSameSizeUnchanged) {
    Plane noise(13, 11, 4);
    for (std::size_t i = 0; i < noise.bytes.size(); ++i)
        noise.bytes[i] = BYTE(i * 7919 % 251);
    EXPECT_EQ(noise.bytes, Resampled(noise, 13, 11, GetParam()).bytes);
}

// Rows stored last first and walked with a negative step give the same picture.
TEST_P(EveryFilterTest, WalksNegativeSteps) {
    Plane source(5, 4, 1);
    for (std::size_t i = 0; i < source.bytes.size(); ++i)
        source.bytes[i] = BYTE(i * 13);
    const Plane forwards = Resampled(source, 3, 7, GetParam());

    Plane reversed(5, 4, 1);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            reversed.At(x, 3 - y, 0) = source.At(x, y, 0);
    Plane target(3, 7, 1);
    ResamplePixels({reversed.bytes.data() + 3 * 5, -5, 5, 4}, {target.bytes.data() + 6 * 3, -3, 3, 7}, 1,
                   GetParam());
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 3; ++x)
            ASSERT_EQ(forwards.At(x, y, 0), target.At(x, 6 - y, 0)) << x << "," << y;
}

// Rows handed in one at a time give the picture that the whole source gives, within rounding, for
// reductions, enlargements and single rows and columns, bottom-up targets too.
TEST_P(EveryFilterTest, RowByRowMatchesTheWholeSource) {
    Plane source(37, 29, 3);
    for (int y = 0; y < source.height; ++y)
        for (int x = 0; x < source.width; ++x)
            for (int c = 0; c < 3; ++c)
                source.At(x, y, c) = BYTE((x * 7 + y * 13 + c * 50 + (x * y) % 17) % 256);
    for (auto [w, h] : {std::pair{9, 7}, {37, 29}, {5, 28}, {1, 1}, {50, 40}}) {
        const Plane whole = Resampled(source, w, h, GetParam());
        Plane rows(w, h, 3, 0xCD);
        PixelRows upsideDown = rows.Target();
        upsideDown.row0 += upsideDown.step * (h - 1);
        upsideDown.step = -upsideDown.step;
        // Both sides walked from their last row: the same picture as the whole source gives.
        CRowResampler resampler(source.width, source.height, upsideDown, 3, GetParam());
        for (int y = source.height - 1; y >= 0; --y)
            resampler.AddRow(&source.At(0, y, 0));
        for (std::size_t i = 0; i < whole.bytes.size(); ++i)
            ASSERT_LE(std::abs(int(whole.bytes[i]) - int(rows.bytes[i])), 1) << w << "x" << h << " at " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Filters, EveryFilterTest,
                         ::testing::Values(ResampleFilter::Nearest, ResampleFilter::Area,
                                           ResampleFilter::Bicubic, ResampleFilter::Lanczos3),
                         [](const auto& info) { return std::string(NameOf(info.param)); });

struct AliasCase {
    ResampleFilter filter;
    int side;
    int targetSide;
    bool averages;
};
void PrintTo(const AliasCase& c, std::ostream* os) {
    *os << NameOf(c.filter) << " " << c.side << "->" << c.targetSide;
}

class CheckerboardTest : public ::testing::TestWithParam<AliasCase> {};

// A one-pixel checkerboard has all its energy at the highest frequency: a filter that widens with
// the reduction gives flat grey, one that does not gives black, white or moire.
TEST_P(CheckerboardTest, ReductionAveragesOrAliases) {
    const AliasCase& c = GetParam();
    Plane board(c.side, c.side, 3);
    for (int y = 0; y < c.side; ++y)
        for (int x = 0; x < c.side; ++x)
            for (int ch = 0; ch < 3; ++ch)
                board.At(x, y, ch) = (x + y) % 2 ? 255 : 0;
    const Plane out = Resampled(board, c.targetSide, c.targetSide, c.filter);
    int worst = 0;
    for (BYTE b : out.bytes)
        worst = std::max(worst, std::abs(int(b) - 128));
    if (c.averages)
        EXPECT_LE(worst, 12);
    else
        EXPECT_GT(worst, 12);
}

INSTANTIATE_TEST_SUITE_P(Reductions, CheckerboardTest,
                         ::testing::Values(AliasCase{ResampleFilter::Lanczos3, 800, 100, true},
                                           AliasCase{ResampleFilter::Lanczos3, 300, 77, true},
                                           AliasCase{ResampleFilter::Area, 800, 100, true},
                                           AliasCase{ResampleFilter::Area, 300, 77, true},
                                           AliasCase{ResampleFilter::Bicubic, 800, 100, true},
                                           AliasCase{ResampleFilter::Nearest, 800, 100, false}));

TEST(ResamplerTest, LanczosEnlargementPassesThroughOrOvershootsNear) {
    // A step enlarged: both sides stay at their levels away from the edge, and the edge is crossed
    // by in-between values instead of a jump.
    Plane step(8, 1, 1);
    for (int x = 4; x < 8; ++x)
        step.At(x, 0, 0) = 200;
    const Plane out = Resampled(step, 32, 1, ResampleFilter::Lanczos3);
    EXPECT_EQ(0, out.bytes[0]);
    EXPECT_EQ(200, out.bytes[31]);
    int between = 0;
    for (BYTE b : out.bytes)
        between += b > 20 && b < 180;
    EXPECT_GE(between, 2);
}

TEST(ResamplerTest, ChannelsDoNotBleedIntoEachOther) {
    Plane source(16, 16, 4);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            source.At(x, y, 2) = 255;
    for (ResampleFilter filter : {ResampleFilter::Area, ResampleFilter::Bicubic, ResampleFilter::Lanczos3}) {
        const Plane out = Resampled(source, 5, 9, filter);
        for (int i = 0; i < 5 * 9; ++i) {
            ASSERT_EQ(0, out.bytes[std::size_t(4 * i)]) << NameOf(filter);
            ASSERT_EQ(0, out.bytes[std::size_t(4 * i + 1)]) << NameOf(filter);
            ASSERT_EQ(255, out.bytes[std::size_t(4 * i + 2)]) << NameOf(filter);
            ASSERT_EQ(0, out.bytes[std::size_t(4 * i + 3)]) << NameOf(filter);
        }
    }
}

} // namespace
