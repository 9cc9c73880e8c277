#include "page/DrawImage.h"

#include "image/PictureInfo.h"
#include "library/Mat.h"
#include "library/Stencil.h"
#include "page/TempFileData.h"
#include "platform/base/Archive.h"
#include "platform/base/GlobalMemory.h"
#include "tests/image/DibBuilder.h"
#include "tests/page/PageFixture.h"
#include "tests/page/PageTestSupport.h"
#include "tests/support/ArchiveBytes.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

// Picture colours as the DIB holds them (0xRRGGBB) and as the canvas reports them (COLORREF).
constexpr unsigned kRedRgb = 0xFF0000, kGreenRgb = 0x00FF00, kBlueRgb = 0x0000FF, kGreyRgb = 0x808080;
constexpr COLORREF kRed = 0x0000FF, kGreen = 0x00FF00, kGrey = 0x808080;
constexpr COLORREF kPage = 0x00FFFF; // yellow

// A 2 x 2 picture: red, green / blue, grey.
CPictureInfo* Quarters() {
    DibBuilder dib(2, 2, 24);
    dib.Pixels({kRedRgb, kGreenRgb, kBlueRgb, kGreyRgb});
    return PictureOf(dib);
}

CPictureInfo* Solid(unsigned rgb, int width = 2, int height = 2) {
    DibBuilder dib(width, height, 24);
    dib.Pixels(std::vector<unsigned>(static_cast<size_t>(width * height), rgb));
    return PictureOf(dib);
}

// A picture object whose adjusted picture is picture, in a frame of the given rectangle.
std::unique_ptr<CDrawImage> Showing(CPictureInfo* picture, const CRect& frame) {
    auto image = std::make_unique<CDrawImage>(frame);
    image->SetAdjustedDib(picture);
    picture->Release();
    return image;
}

Bytes StoreVersion(CDrawImage& image, const char* tag) {
    return StoredBytes([&](CArchive& ar) { image.SerializeVersion(ar, tag); });
}

Bytes RectPart(CDrawImage& image) {
    return StoredBytes([&](CArchive& ar) { image.CDrawRect::Serialize(ar); });
}

class DrawImageTest : public PageFixture {};

TEST_F(DrawImageTest, ArchiveOfAPictureWithSettingsStencilAndMat) {
    CDrawImage image(CRect(1, 2, 3, 4));
    CPictureInfo* original = Quarters();
    image.SetOriginalPicture(original, FALSE);
    original->Release();
    image.zoom = 150;
    image.SetFilePath("/bilder/see.jpg");
    image.SetStencil(GreenStepStencil().release());
    image.SetMat(OpenMat("Gold").release());

    CAdjustImage settings(false);
    settings.CAdjustImage::CopyFrom(&image);
    const Bytes settingsBytes = StoredBytes([&](CArchive& ar) { settings.SerializeSettings(ar, "4.1.b"); });
    const Bytes stencilBytes = StoredBytes([&](CArchive& ar) { image.GetStencil()->Serialize(ar); });
    const Bytes matBytes = StoredBytes([&](CArchive& ar) { image.GetMat()->Serialize(ar); });
    const Bytes stored = StoreVersion(image, "4.1.b");
    EXPECT_EQ(stored,
              Joined({RectPart(image), Dword(1), settingsBytes, Dword(1), stencilBytes, Dword(1), matBytes}));

    CDrawImage loaded;
    LoadFromBytes(stored, [&](CArchive& ar) { loaded.SerializeVersion(ar, "4.1.b"); });
    EXPECT_EQ(loaded.zoom, 150);
    EXPECT_EQ(loaded.GetFilePath(), CString("/bilder/see.jpg"));
    ASSERT_TRUE(loaded.HasStencil());
    EXPECT_TRUE(loaded.GetStencil()->IsLoaded()) << "loaded from its album after reading";
    ASSERT_TRUE(loaded.HasMat());
    EXPECT_EQ(loaded.GetMat()->GetFrameName(), CString("Gold"));
    EXPECT_EQ(loaded.GetPosition(), CRect(1, 2, 3, 4));
}

TEST_F(DrawImageTest, ArchiveWithoutPictureHoldsThreeZeroDwordsAndOldTagsTheRectangleOnly) {
    CDrawImage image(CRect(5, 6, 7, 8));
    EXPECT_EQ(StoreVersion(image, "4.1.b"), Joined({RectPart(image), Dword(0), Dword(0), Dword(0)}));
    EXPECT_EQ(StoreVersion(image, "1.0.a"), RectPart(image));
    EXPECT_EQ(RectPart(image).size(), 58u);

    // Loading reads the three parts whatever the tag.
    CDrawImage loaded;
    const Bytes bytes = Joined({RectPart(image), Dword(0), Dword(0), Dword(0)});
    LoadFromBytes(bytes, [&](CArchive& ar) {
        loaded.SerializeVersion(ar, "1.0.a");
        EXPECT_TRUE(ar.IsBufferEmpty());
    });
    EXPECT_FALSE(loaded.HasStencil());
    EXPECT_EQ(loaded.GetOriginalDib(), nullptr);
}

TEST_F(DrawImageTest, SerializeUsesTheApplicationsTag) {
    CDrawImage image(CRect(5, 6, 7, 8));
    m_app.SetEditMode(FALSE);
    EXPECT_EQ(StoredBytes([&](CArchive& ar) { image.Serialize(ar); }), StoreVersion(image, "4.1.a"));
}

TEST_F(DrawImageTest, ImageDataTravelsWithItsLength) {
    CDrawImage image;
    ASSERT_TRUE(RewriteTempFile(image.GetTempFile(), reinterpret_cast<const BYTE*>("abc"), 3));
    const Bytes stored = StoredBytes([&](CArchive& ar) { image.SerializeImageData(ar); });
    EXPECT_EQ(stored, Joined({Dword(3), Bytes{'a', 'b', 'c'}}));

    CDrawImage other;
    LoadFromBytes(Joined({Dword(2), Bytes{'x', 'y'}}), [&](CArchive& ar) { other.SerializeImageData(ar); });
    EXPECT_EQ(*ReadWholeTempFile(other.GetTempFile()), (Bytes{'x', 'y'}));
}

// After a rebuild the result waits in memory until its file is asked for; copies and the clipboard take
// it from there, byte for byte as the file would give it.
TEST_F(DrawImageTest, AResultNotYetWrittenTravelsAsItsFileHoldsIt) {
    CDrawImage image(CRect(0, 0, 10, 10));
    CPictureInfo* original = Quarters();
    ASSERT_TRUE(image.SetOriginalPicture(original, TRUE));
    original->Release();
    ASSERT_NE(image.GetUnwrittenResult(), nullptr);
    const Bytes fromMemory = StoredBytes([&](CArchive& ar) { image.SerializeImageData(ar); });
    std::unique_ptr<CDrawObj> cloned(image.Clone());
    auto* clone = DYNAMIC_DOWNCAST(CDrawImage, cloned.get());
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->GetAdjustedDib(), image.GetOriginalDib())
        << "settings that change nothing: the original";

    const Bytes file = *ReadWholeTempFile(image.GetTempFile());
    EXPECT_EQ(image.GetUnwrittenResult(), nullptr) << "written once asked for";
    ASSERT_EQ(file.size(), 14u + original->GetLength());
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(fromMemory, Joined({Dword(static_cast<DWORD>(file.size())), file}));
    EXPECT_EQ(StoredBytes([&](CArchive& ar) { image.SerializeImageData(ar); }), fromMemory)
        << "from the file";
    EXPECT_EQ(*ReadWholeTempFile(clone->GetTempFile()), file) << "the clone's own file";
}

struct HostileImageData {
    const char* name;
    Bytes bytes;
    int cause;
};

TEST_F(DrawImageTest, HostileImageDataIsRefusedAndChangesNothing) {
    const HostileImageData cases[] = {
        {"FourGigabytes", Joined({Dword(0xFFFFFFFF), Bytes{'x'}}), CArchiveException::generic},
        {"AboveTheLimit", Joined({Dword(CDrawImage::kMaxImageData + 1)}), CArchiveException::generic},
        {"CutShort", Joined({Dword(10), Bytes{'x', 'y'}}), CArchiveException::endOfFile},
    };
    for (const HostileImageData& c : cases) {
        CDrawImage image;
        ASSERT_TRUE(RewriteTempFile(image.GetTempFile(), reinterpret_cast<const BYTE*>("abc"), 3));
        EXPECT_EQ(ArchiveCause(
                      [&] { LoadFromBytes(c.bytes, [&](CArchive& ar) { image.SerializeImageData(ar); }); }),
                  c.cause)
            << c.name;
        EXPECT_EQ(*ReadWholeTempFile(image.GetTempFile()), (Bytes{'a', 'b', 'c'})) << c.name;
    }
}

TEST_F(DrawImageTest, WriteImageDataReplacesTheTemporaryFile) {
    CDrawImage image;
    HGLOBAL none = nullptr;
    DWORD size = 0;
    EXPECT_TRUE(image.WriteImageData(&none, &size));
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 4);
    std::memcpy(GlobalLock(block), "wxyz", 4);
    GlobalUnlock(block);
    size = 4;
    EXPECT_TRUE(image.WriteImageData(&block, &size));
    GlobalFree(block);
    EXPECT_EQ(*ReadWholeTempFile(image.GetTempFile()), (Bytes{'w', 'x', 'y', 'z'}));
}

struct ZoomCase {
    const char* name;
    int zoom;
    int rotation;
    CPoint shift;
    CPoint redAt;  // inside the red quarter
    CPoint greyAt; // inside the grey quarter
    CPoint pageAt; // left as the page was
};

TEST_F(DrawImageTest, RenderShiftsZoomsAboutTheCentreAndIgnoresWholeTurns) {
    const ZoomCase cases[] = {
        {"Zoom100", 100, 0, {0, 0}, {11, 11}, {28, 28}, {9, 9}},
        {"Zoom200DoublesBothSides", 200, 0, {0, 0}, {1, 1}, {38, 38}, {41, 41}},
        {"Rotation3600DrawsLikeZero", 100, 3600, {0, 0}, {11, 11}, {28, 28}, {9, 9}},
        {"Shifted", 100, 0, {5, 3}, {16, 14}, {33, 31}, {14, 12}},
    };
    for (const ZoomCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto image = Showing(Quarters(), CRect(10, 10, 30, 30));
        image->zoom = c.zoom;
        image->rotation = c.rotation;
        image->shiftX = c.shift.x;
        image->shiftY = c.shift.y;
        CCanvas canvas(44, 44, kPage);
        image->Render(&canvas.Dc(), CRect(10, 10, 30, 30), 1.0f, FALSE);
        EXPECT_EQ(canvas.Pixel(c.redAt.x, c.redAt.y), kRed);
        EXPECT_EQ(canvas.Pixel(c.greyAt.x, c.greyAt.y), kGrey);
        EXPECT_EQ(canvas.Pixel(c.pageAt.x, c.pageAt.y), kPage);
    }
}

TEST_F(DrawImageTest, RenderDrawsNothingWithoutPictureOrForAnEmptyOrHugeFrame) {
    CDrawImage empty(CRect(0, 0, 10, 10));
    CCanvas canvas(20, 20, kPage);
    empty.Render(&canvas.Dc(), CRect(0, 0, 10, 10), 1.0f, FALSE);
    EXPECT_TRUE(empty.RenderResampled(&canvas.Dc(), CRect(0, 0, 10, 10), 1.0f, FALSE));
    auto image = Showing(Quarters(), CRect(0, 0, 10, 10));
    image->Render(&canvas.Dc(), CRect(5, 5, 5, 15), 1.0f, FALSE);
    EXPECT_FALSE(image->RenderResampled(&canvas.Dc(), CRect(5, 5, 15, 5), 1.0f, FALSE));
    image->zoom = ADJUST::kMaxZoom;
    image->Render(&canvas.Dc(), CRect(-2000000000, 0, 2000000000, 10), 1.0f, FALSE);
    EXPECT_EQ(canvas.CountOther(kPage), 0);
}

TEST_F(DrawImageTest, StencilGreenDecidesBetweenPictureAndPage) {
    auto image = Showing(Solid(kRedRgb), CRect(0, 0, 30, 10));
    image->SetStencil(GreenStepStencil().release());
    ASSERT_TRUE(image->GetStencil()->IsLoaded());
    CCanvas canvas(30, 10, kBlack);
    image->Render(&canvas.Dc(), CRect(0, 0, 30, 10), 1.0f, FALSE);
    EXPECT_EQ(canvas.Pixel(4, 5), kRed) << "green 255 shows the picture";
    EXPECT_EQ(canvas.Pixel(14, 5), kBlack) << "green 0 shows the page";
    const COLORREF half = canvas.Pixel(25, 5);
    EXPECT_NEAR(GetRValue(half), 128, 2) << "green 128 about half of each";
    EXPECT_EQ(GetBValue(half), 0);
}

TEST_F(DrawImageTest, DrawFitsThePictureUnlessTheFillFlagIsSet) {
    // A 2 x 1 picture in a 20 x 20 frame: 20 x 10 in the middle.
    auto fitted = Showing(Solid(kRedRgb, 2, 1), CRect(10, 10, 30, 30));
    CCanvas canvas(40, 40, kPage);
    fitted->Draw(&canvas.Dc(), 0, 0, 1.0f);
    EXPECT_EQ(canvas.InkBounds(kPage), CRect(10, 15, 30, 25));

    auto filled = Showing(Solid(kRedRgb, 2, 1), CRect(10, 10, 30, 30));
    filled->SetStateFlag(false); // fill flag set: stretched to the frame
    CCanvas full(40, 40, kPage);
    filled->Draw(&full.Dc(), 0, 0, 1.0f);
    EXPECT_EQ(full.InkBounds(kPage), CRect(10, 10, 30, 30));
}

TEST_F(DrawImageTest, DrawClipsToTheShapeAndLeavesTheClipAsItWas) {
    auto image = Showing(Solid(kRedRgb), CRect(0, 0, 40, 40));
    image->SetShape(kShapeEllipse);
    CCanvas canvas(40, 40, kPage);
    image->Draw(&canvas.Dc(), 0, 0, 1.0f);
    EXPECT_EQ(canvas.Pixel(20, 20), kRed);
    EXPECT_EQ(canvas.Pixel(1, 1), kPage) << "the corner lies outside the ellipse";
    canvas.Dc().FillSolidRect(0, 0, 40, 40, kGreen);
    EXPECT_EQ(canvas.CountOther(kGreen), 0) << "no clip left behind";
}

TEST_F(DrawImageTest, MatsClipByFrameNameAndOpening) {
    struct MatCase {
        const char* name;
        const char* frameName;
        COLORREF corner;
    };
    const MatCase cases[] = {
        {"Ellipse", "ellipse", kPage}, {"OtherName", "Oval", kRed}, {"Case", "Ellipse", kRed}};
    for (const MatCase& c : cases) {
        auto image = Showing(Solid(kRedRgb), CRect(0, 0, 40, 40));
        image->SetStateFlag(false);
        image->SetMat(OpenMat(c.frameName).release());
        ASSERT_TRUE(image->GetMat()->IsLoaded());
        EXPECT_EQ(image->GetPictureRect(CRect(0, 0, 40, 40)), CRect(0, 0, 40, 40)) << "fractions 0";
        CCanvas canvas(40, 40, kPage);
        image->Draw(&canvas.Dc(), 0, 0, 1.0f);
        EXPECT_EQ(canvas.Pixel(20, 20), kRed) << c.name;
        EXPECT_EQ(canvas.Pixel(1, 1), c.corner) << c.name;
    }
    CDrawImage image(CRect(0, 0, 40, 40));
    image.SetMat(OpenMat("Gold", true).release());
    EXPECT_EQ(image.GetPictureRect(CRect(40, 0, 0, 40)).left, 40)
        << "a left fraction of 1 stops at the right edge";
}

TEST_F(DrawImageTest, SharingAndCopiesOfPictures) {
    CDrawImage image(CRect(0, 0, 10, 10));
    CPictureInfo* original = Quarters();
    image.SetOriginalPicture(original, FALSE);
    image.SetAdjustedDib(original);
    original->Release();
    image.SetStencil(GreenStepStencil().release());
    image.SetMat(OpenMat("Gold").release());
    image.SetShape(kShapeEllipse);
    ASSERT_TRUE(RewriteTempFile(image.GetTempFile(), reinterpret_cast<const BYTE*>("tmp"), 3));

    std::unique_ptr<CDrawObj> cloned(image.Clone());
    auto* clone = DYNAMIC_DOWNCAST(CDrawImage, cloned.get());
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->GetOriginalDib(), image.GetOriginalDib()) << "shared";
    ASSERT_NE(clone->GetAdjustedDib(), nullptr);
    EXPECT_NE(clone->GetAdjustedDib(), image.GetAdjustedDib()) << "its own copy";
    EXPECT_EQ(clone->GetShape(), kShapeEllipse);
    EXPECT_NE(clone->GetStencil(), image.GetStencil());
    EXPECT_TRUE(clone->GetMat()->IsLoaded());
    EXPECT_EQ(*ReadWholeTempFile(clone->GetTempFile()), (Bytes{'t', 'm', 'p'}));

    std::unique_ptr<CDrawImage> duplicate(image.Duplicate());
    EXPECT_EQ(duplicate->GetOriginalDib(), nullptr);
    ASSERT_TRUE(duplicate->HasMat());
    ASSERT_TRUE(duplicate->HasStencil());
    EXPECT_EQ(duplicate->GetMat()->GetFilePath(), image.GetMat()->GetFilePath()) << "loads again on undo";
    EXPECT_EQ(duplicate->GetStencil()->GetFilePath(), image.GetStencil()->GetFilePath());
    EXPECT_FALSE(duplicate->GetStencil()->IsLoaded());
    EXPECT_TRUE(ReadWholeTempFile(duplicate->GetTempFile())->empty());

    CDrawImage copy;
    copy.CopyFrom(&image);
    EXPECT_EQ(copy.GetPosition(), image.GetPosition());
    EXPECT_EQ(copy.GetOriginalDib(), image.GetOriginalDib());
    copy.CopyFrom(nullptr);
    EXPECT_EQ(copy.GetOriginalDib(), nullptr);
    EXPECT_FALSE(copy.HasMat());
}

TEST_F(DrawImageTest, BlinkFrameAlternatesRedAndWhite) {
    CDrawImage image(CRect(0, 0, 10, 10));
    CCanvas canvas(12, 12, kPage);
    auto edge = [&] {
        std::string colours;
        for (int y = 2; y < 10; ++y)
            colours += canvas.Pixel(1, y) == kRed ? 'r' : canvas.Pixel(1, y) == kWhite ? 'w' : '?';
        return colours;
    };
    image.DrawBlinkFrame(&canvas.Dc(), CRect(1, 1, 11, 11));
    const std::string first = edge();
    EXPECT_NE(first.find('r'), std::string::npos) << first;
    EXPECT_NE(first.find('w'), std::string::npos) << first;
    image.DrawBlinkFrame(&canvas.Dc(), CRect(1, 1, 11, 11));
    std::string swapped = first;
    for (char& c : swapped)
        c = c == 'r' ? 'w' : 'r';
    EXPECT_EQ(edge(), swapped) << "the colours change places";
}

} // namespace
