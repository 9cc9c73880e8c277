// The format tables of the three plug-ins as the program sees them through the manager, and the
// quality that each save dialog preset gives a JPEG file.

#include "CodecTestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

TEST(CodecTables, OpenFilterListsEveryReadFormatInPlugInOrder) {
    EXPECT_EQ("Alle Grafiken |; *.pcd; *.bmp; *.jpg; *.jpeg; *.pcx; *.png; *.ico; *.cur; *.tif|"
              "PhotoCD Dateien (*.pcd)|*.pcd|bitmap Dateien (*.bmp)|*.bmp|JPEG Dateien (*.jpg)|*.jpg|"
              "JPEG Dateien (*.jpeg)|*.jpeg|pcx Dateien (*.pcx)|*.pcx|png Dateien (*.png)|*.png|"
              "icons Dateien (*.ico)|*.ico|cursors Dateien (*.cur)|*.cur|Tiff Dateien (*.tif)|*.tif||",
              Codecs().BuildOpenFilter(true).str());
}

TEST(CodecTables, SaveFilterListsEveryWrittenFormat) {
    EXPECT_EQ("bitmap Dateien (*.bmp)|*.bmp|JPEG Dateien (*.jpg)|*.jpg|JPEG Dateien (*.jpeg)|*.jpeg|"
              "pcx Dateien (*.pcx)|*.pcx|png Dateien (*.png)|*.png|Cursor Dateien (*.cur)|*.cur|"
              "Tiff Dateien (*.tif)|*.tif||",
              Codecs().BuildSaveFilter(false).str());
    EXPECT_EQ("pcd", Codecs().GetFirstOpenExtension().str());
    EXPECT_EQ("bmp", Codecs().GetFirstSaveExtension().str());
}

struct SaveFormatCase {
    const char* name;
    const char* extension;
    const char* depths; // "name:bits" in offered order, comma-separated
    bool quality;
};

class SaveFormats : public ::testing::TestWithParam<SaveFormatCase> {};

TEST_P(SaveFormats, OfferTheirDepthsAndQuality) {
    CColorDepthList depths;
    Codecs().GetColorDepthsForExtension(depths, GetParam().extension);
    std::string listed;
    while (!depths.IsEmpty()) {
        const std::unique_ptr<CColorDepth> depth(depths.RemoveHead());
        listed += (listed.empty() ? "" : ",") + depth->m_name.str() + ":" + std::to_string(depth->m_bits);
    }
    EXPECT_EQ(GetParam().depths, listed);
    EXPECT_EQ(GetParam().quality, Codecs().ExtensionHasQuality(GetParam().extension));
}

INSTANTIATE_TEST_SUITE_P(
    Extensions, SaveFormats,
    ::testing::Values(
        SaveFormatCase{"Bitmap", "bmp", "8-bits:8,16-bits:16,24-bits:24,32-bits:32,4-bits:4,1-bit:1", false},
        SaveFormatCase{"Jpg", "jpg", "24-bits:24", true},
        SaveFormatCase{"JpegInCapitals", "JPEG", "24-bits:24", true},
        SaveFormatCase{"Pcx", "pcx", "1-bit:1,4-bits:4,8-bits:8,24-bits:24", false},
        SaveFormatCase{"Png", "png", "1-bit:1,4-bits:4,8-bits:8,24-bits:24", false},
        SaveFormatCase{"Cursor", "cur", "1-bits:1,4-bits:4,8-bits:8,24-bits:24", false},
        SaveFormatCase{
            "Tiff", "tif",
            "8-bits:8,16-bits:16,24-bits:24,32-bits:32,7-bits:7,6-bits:6,5-bits:5,4-bits:4,3-bits:3,"
            "2-bits:2,1-bit:1",
            false},
        SaveFormatCase{"IconsAreOnlyRead", "ico", "", false},
        SaveFormatCase{"PhotoCdIsOnlyRead", "pcd", "", false},
        SaveFormatCase{"NoImagingLibraryFormat", "cmp", "", false},
        SaveFormatCase{"NoFlashPix", "fpx", "", false}),
    [](const auto& info) { return std::string(info.param.name); });

struct ExportCase {
    const char* name;
    const char* plugin;
    bool countsColours;
    bool loadsBitmaps;
};

class PlugInExports : public ::testing::TestWithParam<ExportCase> {};

TEST_P(PlugInExports, AreTheContractsWithTheOptionalFormsWhereTheyBelong) {
    const CPluginExt* plugin = nullptr;
    for (POSITION pos = Codecs().GetHeadPosition(); pos;) {
        const CPluginExt* candidate = Codecs().GetNext(pos);
        if (std::filesystem::path(candidate->m_path.str()).filename() == GetParam().plugin)
            plugin = candidate;
    }
    ASSERT_NE(nullptr, plugin);
    for (const char* name :
         {kLoadLibrariesExport, kGetOpenExtensionsAvailableExport, kGetSaveExtensionsAvailableExport,
          kLoadFileExport, kLoadFileAsExport, kLoadFromMemoryExport, kSaveFileExport, kSaveFileInMemoryExport,
          kCreateThumbnailForFileExport, kGetColorDepthsForExtensionExport, kExtensionHasQualityExport,
          kGetBitsPtrExport})
        EXPECT_NE(nullptr, plugin->FindExport<void()>(name)) << name;
    EXPECT_EQ(GetParam().countsColours, plugin->FindExport<void()>(kCountColorsUsedFileExport) != nullptr);
    EXPECT_EQ(GetParam().countsColours, plugin->FindExport<void()>(kCountColorsUsedMemoryExport) != nullptr);
    EXPECT_EQ(GetParam().loadsBitmaps, plugin->FindExport<void()>(kMyLoadBitmapFileExport) != nullptr);
    EXPECT_EQ(GetParam().loadsBitmaps, plugin->FindExport<void()>(kMyLoadBitmapZipExport) != nullptr);
    // Nothing of the plug-in's own copies of the program's code is visible.
    EXPECT_EQ(nullptr, plugin->FindExport<void()>("_ZN12CPictureInfo4FreeEv"));
}

INSTANTIATE_TEST_SUITE_P(PlugIns, PlugInExports,
                         ::testing::Values(ExportCase{"Main", "codecmain.phl", true, false},
                                           ExportCase{"PhotoCd", "codecfpx.phl", false, false},
                                           ExportCase{"Tiff", "codectiff.phl", false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

struct QualityCase {
    const char* name;
    const char* extension;
    int level;
    int jpegQuality; // as ImageMagick reads it back from the quantisation tables
};

class SavePresets : public ::testing::TestWithParam<QualityCase> {};

TEST_P(SavePresets, GiveTheJpegQualityOfTheirQualityFactor) {
    const PicturePtr picture = MakePhoto(64, 48);
    const std::string path = ScratchPath(std::string("preset.") + GetParam().extension);
    ASSERT_EQ(1, Codecs().SaveFile(picture.get(), path.c_str(), 24, GetParam().level));
    std::string quality;
    ASSERT_EQ(0, RunTool("/usr/bin/identify -format '%Q' '" + path + "'", &quality));
    EXPECT_EQ(std::to_string(GetParam().jpegQuality), quality);
}

INSTANTIATE_TEST_SUITE_P(
    Levels, SavePresets,
    ::testing::Values(QualityCase{"PrintSimple", "jpg", 0, 81}, QualityCase{"PrintMedium", "jpg", 1, 91},
                      QualityCase{"PrintHigh", "jpg", 2, 100}, QualityCase{"WebSimple", "jpg", 3, 42},
                      QualityCase{"WebMedium", "jpeg", 4, 81}, QualityCase{"WebHigh", "JPG", 5, 100},
                      // Not a preset: the level itself is the quality factor.
                      QualityCase{"LevelNinePassedOn", "jpg", 9, 97}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
