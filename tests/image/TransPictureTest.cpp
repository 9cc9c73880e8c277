#include "image/TransPicture.h"

#include "image/ConversionSurface.h"
#include "platform/base/Archive.h"
#include "tests/image/DibBuilder.h"
#include "tests/support/ArchiveBytes.h"

#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;
using Picture = std::unique_ptr<CPictureInfo>;

constexpr unsigned kWhite = 0xFFFFFF;
constexpr unsigned kRed = 0xFF0000;
constexpr unsigned kBackground = 0x336699;

// A 2x1 clipart: a red pixel that shows and a white one that lets the page through.
CPictureInfo* Image() {
    DibBuilder dib(2, 1, 24);
    dib.Pixels({kRed, kWhite});
    return PictureOf(dib);
}

// Its mask at 1 bit: white (index 1) where the picture is opaque, black around it.
CPictureInfo* Mask() {
    DibBuilder dib(2, 1, 1, {Rgb(0), Rgb(kWhite)});
    dib.Pixels({1, 0});
    return PictureOf(dib);
}

Bytes Store(CTransPicture& pair) {
    return StoredBytes([&](CArchive& ar) { pair.Serialize(ar); });
}

void Load(CTransPicture& pair, Bytes bytes) {
    LoadFromBytes(std::move(bytes), [&](CArchive& ar) { pair.Serialize(ar); });
}

Bytes Dword(DWORD value) {
    return {BYTE(value), BYTE(value >> 8), BYTE(value >> 16), BYTE(value >> 24)};
}

// The picture's own archive form: its length, then its block.
Bytes FormOf(const CPictureInfo& picture) {
    Bytes out = Dword(picture.GetLength());
    const BYTE* block = reinterpret_cast<const BYTE*>(picture.GetHeader());
    const std::size_t at = out.size();
    out.resize(at + picture.GetLength());
    std::memcpy(out.data() + at, block, picture.GetLength());
    return out;
}

struct ArchiveCase {
    const char* name;
    bool image;
    bool mask;
};

class TransPictureArchive : public testing::TestWithParam<ArchiveCase> {};

TEST_P(TransPictureArchive, FlagsAndPicturesInOrder) {
    const ArchiveCase& c = GetParam();
    const Picture image(Image());
    const Picture mask(Mask());
    CTransPicture pair;
    pair.SetImage(c.image ? image->Clone() : nullptr);
    pair.SetMask(c.mask ? mask->Clone() : nullptr);

    const Bytes expected = Joined({Dword(c.image ? 1 : 0), c.image ? FormOf(*image) : Bytes{},
                                   Dword(c.mask ? 1 : 0), c.mask ? FormOf(*mask) : Bytes{}});
    const Bytes stored = Store(pair);
    EXPECT_EQ(stored, expected);

    // Loading replaces what the pair held.
    CTransPicture loaded;
    loaded.SetImage(Image());
    loaded.SetMask(Mask());
    Load(loaded, stored);
    ASSERT_EQ(loaded.GetImage() != nullptr, c.image);
    ASSERT_EQ(loaded.GetMask() != nullptr, c.mask);
    if (c.image) {
        EXPECT_EQ(FormOf(*loaded.GetImage()), FormOf(*image));
    }
    if (c.mask) {
        EXPECT_EQ(FormOf(*loaded.GetMask()), FormOf(*mask));
    }
    EXPECT_EQ(loaded.IsValid(), c.image && c.mask);
}

INSTANTIATE_TEST_SUITE_P(Pairs, TransPictureArchive,
                         testing::Values(ArchiveCase{"ImageAndMask", true, true},
                                         ArchiveCase{"ImageWithoutMask", true, false},
                                         ArchiveCase{"MaskWithoutImage", false, true},
                                         ArchiveCase{"Empty", false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TransPictureArchive, FlagOtherThanOneMeansAbsent) {
    const Picture mask(Mask());
    CTransPicture pair;
    Load(pair, Joined({Dword(2), Dword(1), FormOf(*mask)}));
    EXPECT_EQ(pair.GetImage(), nullptr);
    ASSERT_NE(pair.GetMask(), nullptr);
    EXPECT_EQ(FormOf(*pair.GetMask()), FormOf(*mask));
}

struct Page {
    CConversionSurface surface{4, 2};
    Page() { surface.Fill(RGB(0x33, 0x66, 0x99)); }
    std::vector<unsigned> Pixels() const {
        const Picture result(surface.TakePicture());
        std::vector<unsigned> out;
        for (int y = 0; y < result->GetHeight(); ++y) {
            for (int x = 0; x < result->GetWidth(); ++x)
                out.push_back(PixelOf(*result, x, y));
        }
        return out;
    }
};

TEST(TransPictureDraw, PageShowsWhereTheMaskIsBlack) {
    CTransPicture pair;
    pair.SetImage(Image());
    pair.SetMask(Mask());
    Page page;
    // Each picture pixel becomes 2x2 on the page.
    pair.Draw(&page.surface.Dc(), CRect(0, 0, 4, 2), CRect(0, 0, 4, 2), FALSE);
    EXPECT_EQ(page.Pixels(), (std::vector<unsigned>{kRed, kRed, kBackground, kBackground, kRed, kRed,
                                                    kBackground, kBackground}));
    EXPECT_EQ(page.surface.Dc().GetStretchBltMode(), Page().surface.Dc().GetStretchBltMode())
        << "the context's stretch mode is restored";
}

TEST(TransPictureDraw, ClipRectangleLimitsTheDrawing) {
    // The page under the picture's red pixel: the mask's white would cover it if the clip let it.
    CTransPicture pair;
    DibBuilder image(2, 1, 24);
    image.Pixels({kRed, kRed});
    DibBuilder mask(2, 1, 1, {Rgb(0), Rgb(kWhite)});
    mask.Pixels({1, 1});
    pair.SetImage(PictureOf(image));
    pair.SetMask(PictureOf(mask));
    Page page;
    pair.Draw(&page.surface.Dc(), CRect(0, 0, 4, 2), CRect(0, 0, 2, 2), FALSE);
    EXPECT_EQ(page.Pixels(), (std::vector<unsigned>{kRed, kRed, kBackground, kBackground, kRed, kRed,
                                                    kBackground, kBackground}));
}

TEST(TransPictureDraw, PairWithoutMaskDrawsNothing) {
    CTransPicture pair;
    pair.SetImage(Image());
    Page page;
    pair.Draw(&page.surface.Dc(), CRect(0, 0, 4, 2), CRect(0, 0, 4, 2), FALSE);
    EXPECT_EQ(page.Pixels(), std::vector<unsigned>(8, kBackground));
}

TEST(TransPicture, CopyIsIndependentOfTheSource) {
    auto source = std::make_unique<CTransPicture>();
    source->SetImage(Image());
    CTransPicture copy;
    copy.SetMask(Mask());
    copy.Copy(*source);
    EXPECT_EQ(copy.GetMask(), nullptr) << "the copy holds only what the source holds";
    ASSERT_NE(copy.GetImage(), nullptr);
    EXPECT_NE(copy.GetImage(), source->GetImage());
    source.reset();
    EXPECT_EQ(PixelOf(*copy.GetImage(), 0, 0), kRed);
}

TEST(TransPictureRotate, WholeTurnsLeaveThePairEmpty) {
    CTransPicture source;
    source.SetImage(Image());
    source.SetMask(Mask());
    for (const int tenths : {0, 3600, -3600, 7200}) {
        CTransPicture target;
        target.SetImage(Image());
        EXPECT_TRUE(target.Rotate(&source, CSize(2, 1), tenths)) << tenths;
        EXPECT_EQ(target.GetImage(), nullptr) << tenths;
        EXPECT_EQ(target.GetMask(), nullptr) << tenths;
    }
}

TEST(TransPictureRotate, SourceWithoutMaskFails) {
    CTransPicture source;
    source.SetImage(Image());
    CTransPicture target;
    EXPECT_FALSE(target.Rotate(&source, CSize(2, 1), 900));
    EXPECT_FALSE(target.IsValid());
    EXPECT_FALSE(target.Rotate(nullptr, CSize(2, 1), 900));
}

TEST(TransPictureRotate, ScalesThenTurnsWithTransparentCorners) {
    CTransPicture source;
    source.SetImage(Image());
    DibBuilder opaque(2, 1, 1, {Rgb(0), Rgb(kWhite)});
    opaque.Pixels({1, 1});
    source.SetMask(PictureOf(opaque));
    CTransPicture target;
    ASSERT_TRUE(target.Rotate(&source, CSize(20, 20), 450));
    ASSERT_TRUE(target.IsValid());
    const CPictureInfo& image = *target.GetImage();
    const CPictureInfo& mask = *target.GetMask();
    EXPECT_GT(image.GetWidth(), 20) << "grown to the turned bounds";
    EXPECT_EQ(image.GetWidth(), mask.GetWidth());
    EXPECT_EQ(image.GetHeight(), mask.GetHeight());
    // Uncovered corners: white in the image and black in the mask, so the page shows there.
    EXPECT_EQ(PixelOf(image, 0, 0), kWhite);
    const unsigned maskCorner = PixelOf(mask, 0, 0);
    const unsigned maskCentre = PixelOf(mask, mask.GetWidth() / 2, mask.GetHeight() / 2);
    EXPECT_NE(maskCorner, maskCentre);
}

} // namespace
