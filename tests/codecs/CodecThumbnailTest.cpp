// Thumbnails through the manager, as the file browser makes them on its worker thread, and Photo CD.

#include "CodecTestSupport.h"

#include <gtest/gtest.h>
#include <thread>

namespace {

constexpr COLORREF kMagenta = 0xFF00FF;
constexpr DWORD kMagentaRgb = 0xFF00FF; // the same in 0xRRGGBB

std::string SavedPhoto(int width, int height, const char* extension) {
    const PicturePtr picture = MakePhoto(width, height);
    const std::string path = ScratchPath("photo." + std::string(extension));
    EXPECT_EQ(1, Codecs().SaveFile(picture.get(), path.c_str(), 24, 2));
    return path;
}

struct ThumbnailCase {
    const char* name;
    int width, height; // of the photo
    int forceSize;
    int thumbWidth, thumbHeight;   // of the result
    int pictureTop, pictureHeight; // rows of the photo inside the result; the rest is background
};

class Thumbnails : public ::testing::TestWithParam<ThumbnailCase> {};

TEST_P(Thumbnails, FitThePhotoKeepingItsShape) {
    const ThumbnailCase& c = GetParam();
    const std::string path = SavedPhoto(c.width, c.height, "jpg");
    const PicturePtr thumbnail(
        Codecs().CreateThumbnailForFile(path.c_str(), CSize(160, 120), kMagenta, c.forceSize, 1));
    ASSERT_NE(nullptr, thumbnail);
    EXPECT_EQ(c.thumbWidth, thumbnail->GetWidth());
    EXPECT_EQ(c.thumbHeight, thumbnail->GetHeight());
    const PixelGrid pixels = PixelsOf(*thumbnail);
    const int middle = c.thumbWidth / 2;
    for (int y = 0; y < c.thumbHeight; ++y) {
        const bool inPicture = y >= c.pictureTop && y < c.pictureTop + c.pictureHeight;
        EXPECT_EQ(!inPicture, pixels[y][middle] == kMagentaRgb) << "row " << y;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Photos, Thumbnails,
    ::testing::Values(ThumbnailCase{"SameShapeFillsTheBox", 400, 300, 1, 160, 120, 0, 120},
                      ThumbnailCase{"WideIsCentredOnTheBackground", 400, 200, 1, 160, 120, 20, 80},
                      ThumbnailCase{"WideWithoutForceSize", 400, 200, 0, 160, 80, 0, 80},
                      ThumbnailCase{"SmallIsNeverEnlarged", 50, 40, 0, 50, 40, 0, 40},
                      ThumbnailCase{"SmallIsCentredWithForceSize", 50, 40, 1, 160, 120, 40, 40}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ThumbnailsOnAWorkerThread, AreTheSameAsOnTheCallersThread) {
    std::vector<std::string> files;
    for (const char* extension : {"jpg", "png", "tif", "bmp", "pcx"})
        files.push_back(SavedPhoto(300, 200, extension));
    std::vector<PixelGrid> here;
    for (const std::string& file : files) {
        const PicturePtr thumbnail(
            Codecs().CreateThumbnailForFile(file.c_str(), CSize(160, 120), kMagenta, 1, 1));
        ASSERT_NE(nullptr, thumbnail) << file;
        here.push_back(PixelsOf(*thumbnail));
    }

    // Two browser threads at once, while this thread goes on loading and saving through the manager.
    std::vector<PixelGrid> there[2];
    std::thread workers[2];
    for (int t = 0; t < 2; ++t)
        workers[t] = std::thread([&, t] {
            for (const std::string& file : files) {
                const PicturePtr thumbnail(
                    Codecs().CreateThumbnailForFile(file.c_str(), CSize(160, 120), kMagenta, 1, 1));
                there[t].push_back(thumbnail ? PixelsOf(*thumbnail) : PixelGrid{});
            }
        });
    for (const std::string& file : files) {
        CPictureInfo* mask = nullptr;
        const PicturePtr picture(Codecs().LoadFile(file.c_str(), mask, 0));
        EXPECT_NE(nullptr, picture);
        EXPECT_EQ(1, Codecs().SaveFile(picture.get(), ScratchPath("again.png").c_str(), 24, 2));
    }
    for (std::thread& worker : workers)
        worker.join();
    EXPECT_EQ(here, there[0]);
    EXPECT_EQ(here, there[1]);
}

TEST(PhotoCd, IsReadThroughItsOwnPlugInAndNeverWritten) {
    const PicturePtr source = MakePhoto(96, 64);
    const std::string ppm = ScratchPath("source.bmp");
    ASSERT_TRUE(source->SaveFile(ppm.c_str()));
    const std::string pcd = ScratchPath("photo.pcd");
    ASSERT_EQ(0, RunTool("/usr/bin/gm convert '" + ppm + "' '" + pcd + "'"));

    CPictureInfo* mask = nullptr;
    const PicturePtr picture(Codecs().LoadFile(pcd.c_str(), mask, 0));
    ASSERT_NE(nullptr, picture);
    EXPECT_EQ(nullptr, mask);
    EXPECT_EQ(24, BitsOf(*picture));
    EXPECT_EQ(picture->GetWidth() * 2, picture->GetHeight() * 3);
    const PicturePtr thumbnail(Codecs().CreateThumbnailForFile(pcd.c_str(), CSize(90, 90), kMagenta, 1, 1));
    ASSERT_NE(nullptr, thumbnail);
    EXPECT_EQ(90, thumbnail->GetWidth());
    EXPECT_EQ(-1, Codecs().SaveFile(picture.get(), ScratchPath("copy.pcd").c_str(), 24, 2));
}

} // namespace
