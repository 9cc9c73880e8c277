#include "image/ExtMgr.h"
#include "image/FileHelpers.h"
#include "library/Clipart.h"
#include "library/ClipartAlbum.h"
#include "library/KindClasses.h"
#include "library/Mat.h"
#include "library/MatAlbum.h"
#include "library/Stencil.h"
#include "library/StencilAlbum.h"
#include "platform/base/Archive.h"
#include "tests/image/DibBuilder.h"
#include "tests/library/LibraryFixture.h"
#include "tests/support/ArchiveBytes.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

constexpr unsigned kWhite = 0xFFFFFF;

class KindsTest : public LibraryFixture {
protected:
    KindsTest() { m_codecs.LoadPlugins(); }

    // A 24-bit picture of width x height in one colour, as a BMP file at path.
    static void WriteBmp(const CString& path, int width, int height, unsigned colour) {
        DibBuilder dib(width, height, 24);
        dib.Pixels(std::vector<unsigned>(static_cast<size_t>(width * height), colour));
        const std::unique_ptr<CPictureInfo> picture(PictureOf(dib));
        WriteFile(path, ""); // makes the folders
        ASSERT_TRUE(picture->WriteBmpFile(path));
    }

    CString Res(const char* name) const { return m_folder.Path() + "/res/" + name; }

    template <typename Entry>
    std::unique_ptr<Entry> EntryOf(const char* name) {
        auto entry = std::make_unique<Entry>();
        entry->SetFilePath(Res(name));
        return entry;
    }

    CExtMgr m_codecs{VC_MASK_CODEC_DIR};
};

Bytes Store(CObject& object, bool tagged = false) {
    return StoredBytes([&](CArchive& ar) {
        if (tagged)
            ar << &object;
        else
            object.Serialize(ar);
    });
}

void Load(CObject& object, Bytes bytes) {
    LoadFromBytes(std::move(bytes), [&](CArchive& ar) { object.Serialize(ar); });
}

// An archive string under 255 bytes: its length in one byte, then the bytes.
Bytes Str(const std::string& text) {
    Bytes out(text.begin(), text.end());
    out.insert(out.begin(), static_cast<BYTE>(text.size()));
    return out;
}

struct CompanionCase {
    const char* name;
    const char* path;
    const char* extension;
    const char* expected;
};

class CompanionPath : public testing::TestWithParam<CompanionCase> {};

TEST_P(CompanionPath, ReplacesTheFileNamesExtension) {
    const CompanionCase& c = GetParam();
    EXPECT_EQ(MakeCompanionPath(c.path, c.extension), CString(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Names, CompanionPath,
    testing::Values(CompanionCase{"MatDescription", "c:\\mats\\gold.jpg", ".frm", "c:\\mats\\gold.frm"},
                    CompanionCase{"ClipartMask", "/x/rose.png", ".msk", "/x/rose.msk"},
                    CompanionCase{"OnlyTheLastDot", "/x/rose.v2.png", ".msk", "/x/rose.v2.msk"},
                    CompanionCase{"NameWithoutDotGetsItAppended", "/x/rose", ".msk", "/x/rose.msk"},
                    CompanionCase{"DotInFolderDoesNotCount", "/home/u/.local/rose", ".msk",
                                  "/home/u/.local/rose.msk"},
                    CompanionCase{"DotInWindowsFolder", "c:\\a.b\\rose", ".frm", "c:\\a.b\\rose.frm"},
                    CompanionCase{"BareName", "rose", ".msk", "rose.msk"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ClipartExtension, TakenFromTheFileNameOnly) {
    EXPECT_EQ(CClipart::GetExtension("/x/logo.WMF"), CString("WMF"));
    EXPECT_EQ(CClipart::GetExtension("c:\\x.wmf\\logo"), CString(""));
    EXPECT_EQ(CClipart::GetExtension("logo"), CString(""));
}

struct FrameCase {
    const char* name;
    const char* text; // nullptr: no description file
    bool result;
    double left, top, right, bottom;
    const char* frameName;
};

class FrameFile : public KindsTest, public testing::WithParamInterface<FrameCase> {};

TEST_P(FrameFile, FractionsAndName) {
    const FrameCase& c = GetParam();
    if (c.text != nullptr)
        WriteFile(Res("gold.frm"), c.text);
    const auto mat = EntryOf<CMat>("gold.jpg");
    mat->SetFrameName("vorher");
    EXPECT_EQ(mat->ReadFrameFile(), c.result);
    EXPECT_DOUBLE_EQ(mat->GetLeft(), c.left);
    EXPECT_DOUBLE_EQ(mat->GetTop(), c.top);
    EXPECT_DOUBLE_EQ(mat->GetRight(), c.right);
    EXPECT_DOUBLE_EQ(mat->GetBottom(), c.bottom);
    EXPECT_EQ(mat->GetFrameName(), CString(c.frameName));
}

INSTANTIATE_TEST_SUITE_P(
    Descriptions, FrameFile,
    testing::Values(
        FrameCase{"Example", "200\n100\n20\n11\n18\n8\nGold\n", true, 20.0 / 202, 10.0 / 102, 0.9, 0.9,
                  "Gold"},
        FrameCase{"WindowsLineEnds", "200\r\n100\r\n20\r\n11\r\n18\r\n8\r\nGold\r\n", true, 20.0 / 202,
                  10.0 / 102, 0.9, 0.9, "Gold"},
        FrameCase{"BlanksSignsAndLetters", " 42abc\n+98\nabc\n-1\n 8 \n3\nRahmen mit Leerzeichen\nmehr\n",
                  true, 0.0, -2.0 / 100, 1.0 - 10.0 / 42, 1.0 - 5.0 / 98, "Rahmen mit Leerzeichen"},
        FrameCase{"FiveLinesKeepTheName", "200\n100\n20\n11\n18\n", false, -1, -1, -1, -1, "vorher"},
        FrameCase{"NoNameLine", "200\n100\n20\n11\n18\n8\n", false, -1, -1, -1, -1, ""},
        FrameCase{"ZeroWidth", "0\n100\n20\n11\n18\n8\nGold\n", false, -1, -1, -1, -1, ""},
        FrameCase{"NegativeHeight", "200\n-2\n20\n11\n18\n8\nGold\n", false, -1, -1, -1, -1, ""},
        FrameCase{"MissingFile", nullptr, false, -1, -1, -1, -1, ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct MaskCase {
    const char* name;
    const char* picture;
    const char* maskFile; // nullptr: none written
    int maskWidth, maskHeight;
    unsigned maskPixel; // top-left, 0xRRGGBB (1-bit masks: the index)
};

class ClipartMask : public KindsTest, public testing::WithParamInterface<MaskCase> {};

TEST_P(ClipartMask, FromMetafileMaskFileOrWhite) {
    const MaskCase& c = GetParam();
    WriteBmp(Res(c.picture), 4, 3, 0x112233);
    if (c.maskFile != nullptr)
        WriteBmp(Res(c.maskFile), 4, 3, 0x00FF00);
    const auto clipart = EntryOf<CClipart>(c.picture);
    clipart->SetImageInfo(100, CSize(6, 5), 24);
    ASSERT_TRUE(clipart->LoadData());
    ASSERT_TRUE(clipart->IsLoaded());
    EXPECT_EQ(clipart->GetImageWidth(), 4);
    EXPECT_EQ(clipart->GetImageHeight(), 3);
    // Loading keeps a mask the loader returned; rebuilding makes it anew.
    ASSERT_TRUE(clipart->RebuildMask());
    const CPictureInfo* mask = clipart->GetPicturePair().GetMask();
    EXPECT_EQ(mask->GetWidth(), c.maskWidth);
    EXPECT_EQ(mask->GetHeight(), c.maskHeight);
    EXPECT_EQ(PixelOf(*mask, 0, 0), c.maskPixel);
}

INSTANTIATE_TEST_SUITE_P(
    Sources, ClipartMask,
    // The stand-in metafile plug-in gives a 1x1 mask whose red is the depth asked for: 24.
    testing::Values(MaskCase{"MetafileUpperCase", "logo.WMF", nullptr, 1, 1, 24u << 16},
                    MaskCase{"MaskFileBeside", "rose.png", "rose.msk", 4, 3, 0x00FF00},
                    MaskCase{"MaskFileOfOtherCase", "rose.png", "rose.MSK", 4, 3, 0x00FF00},
                    // White at one bit: the stored size, opaque everywhere.
                    MaskCase{"WhiteOfStoredSize", "rose.png", nullptr, 6, 5, 1},
                    MaskCase{"OtherFilesMaskIsNotTaken", "tulip.png", "rose.msk", 6, 5, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(KindsTest, MetafileLoaderMaskIsKept) {
    WriteBmp(Res("logo.wmf"), 4, 3, 0x112233);
    const auto clipart = EntryOf<CClipart>("logo.wmf");
    ASSERT_TRUE(clipart->LoadData());
    // The stand-in's mask of the pair's own load, at the file's own depth (0).
    EXPECT_EQ(PixelOf(*clipart->GetPicturePair().GetMask(), 0, 0), 0u);
}

TEST_F(KindsTest, MaskOfPictureNameWithoutDot) {
    WriteBmp(Res("rose.msk"), 4, 3, 0x00FF00);
    const auto clipart = EntryOf<CClipart>("rose");
    DibBuilder image(4, 3, 24);
    clipart->GetPicturePair().SetImage(PictureOf(image));
    ASSERT_TRUE(clipart->RebuildMask());
    EXPECT_EQ(PixelOf(*clipart->GetPicturePair().GetMask(), 0, 0), 0x00FF00u);
}

TEST_F(KindsTest, ClipartWithoutFileStaysUnloaded) {
    const auto clipart = EntryOf<CClipart>("missing.png");
    EXPECT_FALSE(clipart->LoadData());
    EXPECT_FALSE(clipart->IsLoaded());
    EXPECT_EQ(clipart->GetImageWidth(), -1);
    EXPECT_EQ(clipart->GetImageHeight(), -1);
}

TEST_F(KindsTest, ClipartWithoutStoredSizeGetsMaskOfPictureSize) {
    WriteBmp(Res("rose.png"), 4, 3, 0x112233);
    const auto clipart = EntryOf<CClipart>("rose.png");
    ASSERT_TRUE(clipart->LoadData());
    EXPECT_EQ(clipart->GetPicturePair().GetMask()->GetWidth(), 4);
    EXPECT_EQ(clipart->GetPicturePair().GetMask()->GetHeight(), 3);
}

TEST_F(KindsTest, ClipartCloneCopiesFieldsAndPair) {
    WriteBmp(Res("rose.png"), 4, 3, 0x112233);
    auto clipart = EntryOf<CClipart>("rose.png");
    clipart->SetTitle("Rose");
    clipart->SetSecondName("zweiter");
    ASSERT_TRUE(clipart->LoadData());
    const std::unique_ptr<CDSObj> clone(clipart->Clone());
    clipart.reset();
    auto* copy = dynamic_cast<CClipart*>(clone.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetTitle(), CString("Rose"));
    EXPECT_EQ(copy->GetSecondName(), CString("zweiter"));
    EXPECT_EQ(copy->GetFilePath(), Res("rose.png"));
    ASSERT_TRUE(copy->IsLoaded());
    EXPECT_EQ(PixelOf(*copy->GetPicturePair().GetImage(), 0, 0), 0x112233u);
}

TEST(ClipartArchive, PathSecondNameTitleFlag) {
    CClipart clipart;
    clipart.SetFilePath("a\\b.png");
    clipart.SetSecondName("zwei");
    clipart.SetTitle("Rosé");
    clipart.SetRelative(true);
    // "Rosé" in Windows-1252, for the Windows program.
    const Bytes expected = Joined({Str("a\\b.png"), Str("zwei"), Str("Ros\xE9"), {1, 0, 0, 0}});
    EXPECT_EQ(Store(clipart), expected);

    for (const BYTE flag : {BYTE(1), BYTE(0), BYTE(2)}) {
        CClipart loaded;
        Bytes bytes = expected;
        bytes[bytes.size() - 4] = flag;
        Load(loaded, bytes);
        EXPECT_EQ(loaded.GetFilePath(), CString("a\\b.png"));
        EXPECT_EQ(loaded.GetSecondName(), CString("zwei"));
        EXPECT_EQ(loaded.GetTitle(), CString("Rosé"));
        EXPECT_EQ(loaded.IsRelative(), flag == 1) << "flag " << int(flag);
        EXPECT_FALSE(loaded.IsLoaded());
    }
}

TEST(MatAndStencilArchive, EntryFieldsOnly) {
    // Mats and stencils keep the entry's own form: title, relative flag, path; nothing of their pictures.
    const Bytes expected = Joined({Str("Gold"), {0, 0, 0, 0}, Str("/Rahmen/gold.jpg")});
    CMat mat;
    mat.SetTitle("Gold");
    mat.SetFilePath("/Rahmen/gold.jpg");
    EXPECT_EQ(Store(mat), expected);
    CStencil stencil;
    stencil.SetTitle("Gold");
    stencil.SetFilePath("/Rahmen/gold.jpg");
    EXPECT_EQ(Store(stencil), expected);
}

TEST(StencilArchive, TaggedObjectOfItsClass) {
    CStencil stencil;
    stencil.SetTitle("Herz");
    stencil.SetFilePath("/herz.bmp");
    stencil.SetRelative(true);
    // New class tag, schema 0, the class name, then the fields.
    const Bytes expected = Joined({{0xFF, 0xFF, 0, 0, 8, 0},
                                   Bytes{'C', 'S', 't', 'e', 'n', 'c', 'i', 'l'},
                                   Str("Herz"),
                                   {1, 0, 0, 0},
                                   Str("/herz.bmp")});
    const Bytes stored = Store(stencil, true);
    EXPECT_EQ(stored, expected);

    CObject* object = nullptr;
    LoadFromBytes(stored, [&](CArchive& ar) { ar >> object; });
    const std::unique_ptr<CObject> owner(object);
    auto* loaded = dynamic_cast<CStencil*>(object);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->GetTitle(), CString("Herz"));
    EXPECT_EQ(loaded->GetFilePath(), CString("/herz.bmp"));
    EXPECT_TRUE(loaded->IsRelative());
}

struct MatFiles {
    const char* name;
    bool picture, mask, description;
    bool loaded;
};

class MatLoad : public KindsTest, public testing::WithParamInterface<MatFiles> {};

TEST_P(MatLoad, NeedsAllThreeFiles) {
    const MatFiles& c = GetParam();
    if (c.picture)
        WriteBmp(Res("gold.jpg"), 4, 3, 0xC0A040);
    if (c.mask)
        WriteBmp(Res("gold.msk"), 4, 3, kWhite);
    if (c.description)
        WriteFile(Res("gold.frm"), "200\n100\n20\n11\n18\n8\nGold\n");
    const auto mat = EntryOf<CMat>("gold.jpg");
    EXPECT_EQ(mat->LoadData(), c.loaded);
    EXPECT_EQ(mat->IsLoaded(), c.picture && c.mask);
}

INSTANTIATE_TEST_SUITE_P(Files, MatLoad,
                         testing::Values(MatFiles{"All", true, true, true, true},
                                         MatFiles{"MaskMissing", true, false, true, false},
                                         MatFiles{"PictureMissing", false, true, true, false},
                                         MatFiles{"DescriptionMissing", true, true, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(KindsTest, MatCloneNeedsValidDescriptionAndIsIndependent) {
    WriteBmp(Res("gold.jpg"), 4, 3, 0xC0A040);
    WriteBmp(Res("gold.msk"), 4, 3, kWhite);
    WriteFile(Res("gold.frm"), "200\n100\n20\n11\n18\n");
    auto mat = EntryOf<CMat>("gold.jpg");
    EXPECT_FALSE(mat->LoadData());
    EXPECT_EQ(std::unique_ptr<CDSObj>(mat->Clone()), nullptr) << "five lines: no clone";

    WriteFile(Res("gold.frm"), "200\n100\n20\n11\n18\n8\nGold\n");
    ASSERT_TRUE(mat->LoadData());
    const std::unique_ptr<CDSObj> clone(mat->Clone());
    mat.reset();
    auto* copy = dynamic_cast<CMat*>(clone.get());
    ASSERT_NE(copy, nullptr);
    ASSERT_TRUE(copy->IsLoaded());
    EXPECT_EQ(PixelOf(*copy->GetImageDib(), 0, 0), 0xC0A040u);
    EXPECT_DOUBLE_EQ(copy->GetRight(), 0.9);
    EXPECT_EQ(copy->GetFrameName(), CString("Gold"));

    const std::unique_ptr<CMat> unloaded(copy->CloneUnloaded());
    EXPECT_TRUE(unloaded->GetFilePath().IsEmpty());
    EXPECT_EQ(unloaded->GetImageDib(), nullptr);
    EXPECT_DOUBLE_EQ(unloaded->GetLeft(), 20.0 / 202);
    EXPECT_EQ(unloaded->GetFrameName(), CString("Gold"));
}

TEST_F(KindsTest, StencilLoadsAt24BitsAndClonesIndependently) {
    const auto missing = EntryOf<CStencil>("missing.bmp");
    EXPECT_TRUE(missing->LoadData()) << "a missing file is not reported";
    EXPECT_FALSE(missing->IsLoaded());
    EXPECT_EQ(missing->GetBitmap(), nullptr);

    WriteBmp(Res("herz.bmp"), 5, 4, 0x808080);
    auto stencil = EntryOf<CStencil>("herz.bmp");
    ASSERT_TRUE(stencil->LoadData());
    ASSERT_TRUE(stencil->IsLoaded());
    const std::unique_ptr<CDSObj> clone(stencil->Clone());
    stencil.reset();
    auto* copy = dynamic_cast<CStencil*>(clone.get());
    ASSERT_NE(copy, nullptr);
    ASSERT_NE(copy->GetBitmap(), nullptr);
    EXPECT_EQ(copy->GetBitmap()->GetWidth(), 5);
    EXPECT_EQ(PixelOf(*copy->GetBitmap(), 4, 3), 0x808080u);
}

TEST_F(KindsTest, FrameAndStencilPicturesKeepTheFilesDepth) {
    DibBuilder dib(3, 2, 8, {Rgb(0x102030), Rgb(kWhite)});
    dib.Pixels({0, 1, 0, 1, 0, 1});
    const std::unique_ptr<CPictureInfo> written(PictureOf(dib));
    WriteFile(Res("grau.bmp"), ""); // makes the folders
    ASSERT_TRUE(written->WriteBmpFile(Res("grau.bmp")));

    std::vector<std::unique_ptr<CDSObj>> entries;
    entries.push_back(EntryOf<CMat>("grau.bmp"));
    entries.push_back(EntryOf<CStencil>("grau.bmp"));
    for (const auto& entry : entries) {
        SCOPED_TRACE(entry->GetRuntimeClass()->m_lpszClassName);
        const std::unique_ptr<CPictureInfo> picture(entry->LoadPicture());
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->GetHeader()->biBitCount, 8) << "not the 24 bits of LoadData";
        EXPECT_EQ(PixelOf(*picture, 1, 0), 1u);
        entry->SetFilePath("");
        EXPECT_EQ(std::unique_ptr<CPictureInfo>(entry->LoadPicture()), nullptr) << "no path";
    }
}

TEST(KindClasses, AlbumsAndEntriesByTypeId) {
    for (const int typeId : {kResTypeStencils, kResTypeFrames, kResTypeClipart}) {
        const std::unique_ptr<CDSAlbum> album(CreateKindAlbum(typeId));
        ASSERT_NE(album, nullptr) << typeId;
        EXPECT_EQ(GetKindOfAlbum(album.get()), typeId);
        const std::unique_ptr<CDSObj> entry(album->NewObject());
        EXPECT_EQ(GetKindOfEntry(entry.get()), typeId);
        const std::unique_ptr<CDSObj> created(CreateKindEntry(typeId));
        EXPECT_EQ(GetKindOfEntry(created.get()), typeId);
    }
}

} // namespace
