#include "image/PictureInfo.h"
#include "platform/base/AcceleratorTemplate.h"
#include "platform/base/DialogTemplate.h"
#include "platform/base/Module.h"
#include "platform/base/RccFormat.h"
#include "platform/base/Resource.h"
#include "platform/base/ResourceFile.h"
#include "platform/base/TextEncoding.h"
#include "platform/base/ToolBarTemplate.h"
#include "tests/support/TempFolder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <ostream>
#include <regex>
#include <vector>

// The language modules as the build puts them into the program folder, loaded by name as the program
// loads them.
namespace {

class ProgramFolderModules : public testing::Environment {
public:
    void SetUp() override {
        SetProgramFolderForTesting(VC_PROGRAM_DIR);
        s_text = LoadLibrary("qz_txt.deu");
        s_resources = LoadLibrary("qz_res.deu");
    }
    void TearDown() override {
        FreeLibrary(s_text);
        FreeLibrary(s_resources);
        SetProgramFolderForTesting("");
    }
    static HMODULE s_text;
    static HMODULE s_resources;
};
HMODULE ProgramFolderModules::s_text = nullptr;
HMODULE ProgramFolderModules::s_resources = nullptr;
const auto* const kEnvironment = testing::AddGlobalTestEnvironment(new ProgramFolderModules);

struct StringCase {
    const char* meaning;
    UINT id;
    const char* conversions; // the printf conversions the program formats the text with, in order
};

void PrintTo(const StringCase& c, std::ostream* os) {
    *os << c.meaning << " (" << c.id << ")";
}

const StringCase kStrings[] = {
    // Start-up, shutdown and the main window
    {"EffectsLibraryMissing", 121, ""},
    {"ScreenTooSmallOrTooFewColours", 126, ""},
    {"ProgramAlreadyRunning", 157, "%s"},
    {"NoPrinterInstalled", 173, ""},
    {"ModuleFileMissing", 208, "%s"},
    {"DefaultPrinterGivesNoDeviceMode", 201, ""},
    {"NoDefaultPrinter", 212, ""},
    {"NoneTextOfAnUnsetTemplate", 292, ""},
    {"ProgressCaption", 175, ""},
    // Tool tips of the main window's buttons and knob zones
    {"TipTwoColours", 127, ""},
    {"Tip256Colours", 128, ""},
    {"TipGreyscale", 129, ""},
    {"TipTrueColours", 130, ""},
    {"TipMirror", 131, ""},
    {"TipRotate", 132, ""},
    {"TipLoadProject", 144, ""},
    {"TipAlbum", 145, ""},
    {"TipScanner", 146, ""},
    {"TipCamera", 147, ""},
    {"TipEffects", 148, ""},
    {"TipDisk", 149, ""},
    {"TipSettings", 150, ""},
    {"TipPrintWithDialog", 151, ""},
    {"TipPrintAtOnce", 152, ""},
    {"TipSave", 176, ""},
    {"TipEditMode", 177, ""},
    {"TipNormalMode", 178, ""},
    {"TipMerge", 226, ""},
    {"TipOriginalPicture", 227, ""},
    {"TipMovePad", 230, ""},
    {"TipText", 245, ""},
    {"TipInternet", 270, ""},
    // Display names of the adjustments and effects; 221 to 225 are also tool tips
    {"Brightness", 221, ""},
    {"Saturation", 222, ""},
    {"Contrast", 223, ""},
    {"Sharpness", 224, ""},
    {"Gamma", 225, ""},
    {"Emboss", 279, ""},
    {"Wave", 280, ""},
    {"AddNoise", 281, ""},
    {"Cone", 282, ""},
    {"FindEdge", 283, ""},
    {"FishEye", 284, ""},
    {"Mosaic", 285, ""},
    {"Negative", 286, ""},
    {"OilPaint", 287, ""},
    {"Raise", 288, ""},
    {"Solarize", 289, ""},
    {"Spread", 290, ""},
    {"Swirl", 291, ""},
    {"Curl", 312, ""},
    {"RedEyeReduction", 406, ""},
    // Working picture
    {"CompressedDibRefused", 104, ""},
    {"SixteenBitPictureRefused", 124, ""},
    // Resource library
    {"KindNameClipart", 278, ""},
    {"KindNameFrames", 31441, ""},
    {"KindNamePictures", 31443, ""},
    {"KindNameStencils", 31444, ""},
    {"BuiltInAlbumTitleOfPictures", 31447, ""},
    {"BuiltInAlbumTitleOfPictures2", 31448, ""},
    {"BuiltInAlbumTitleOfPicturesAndClipart", 31548, ""},
    {"BuiltInAlbumTitleOfEveryKind", 31549, ""},
    {"KindSortChoiceKey0", 65400, ""},
    {"KindSortChoiceKey1", 65401, ""},
    {"KindSortChoiceKey2", 65402, ""},
    {"AlbumSortChoiceKey0", 65512, ""},
    {"AlbumSortChoiceKey1", 65513, ""},
    {"AlbumEntryUnreadable", 65509, "%s%s"},
    // Thumbnail settings
    {"DefaultColourBoxCaption", 61527, ""},
};

class StringIdTest : public testing::TestWithParam<StringCase> {};

TEST_P(StringIdTest, HasAGermanTextWithTheConversionsThatTheProgramFormats) {
    ASSERT_NE(ProgramFolderModules::s_text, nullptr);
    const CString text = LoadWholeString(ProgramFolderModules::s_text, GetParam().id, 255);
    ASSERT_FALSE(text.IsEmpty());
    EXPECT_TRUE(IsValidUtf8(text.view()));
    std::string conversions;
    static const std::regex kConversion("%[-+ #0]*[0-9]*[a-z%]");
    for (std::sregex_iterator it(text.str().begin(), text.str().end(), kConversion), end; it != end; ++it) {
        conversions += it->str();
    }
    EXPECT_EQ(conversions, GetParam().conversions) << text.GetString();
}

INSTANTIATE_TEST_SUITE_P(WaveOne, StringIdTest, testing::ValuesIn(kStrings),
                         [](const testing::TestParamInfo<StringCase>& info) { return info.param.meaning; });

TEST(StringIdTest, TheStringsLieInTheTextModuleOnly) {
    ASSERT_NE(ProgramFolderModules::s_resources, nullptr);
    EXPECT_EQ(FindResource(ProgramFolderModules::s_resources, MAKEINTRESOURCE(208), RT_STRING), nullptr);
    EXPECT_EQ(FindResource(ProgramFolderModules::s_text, "MAIN_WND", RT_BITMAP), nullptr);
}

struct BitmapCase {
    const char* name;
    int width; // 0: whatever the skin draws
    int height;
};

void PrintTo(const BitmapCase& c, std::ostream* os) {
    *os << c.name;
}

// Every skin bitmap the main window, its buttons and the knob load, and the other skinned windows'
// backgrounds.
const BitmapCase kBitmaps[] = {
    {"MAIN_WND", 800, 600},   {"CATEG_WND", 800, 116},  {"EINSTELLUNGEN_WND", 0, 0},
    {"ALBUM_WND", 0, 0},      {"MINIMIZEU", 0, 0},      {"MINIMIZED", 0, 0},
    {"MINIMIZEF", 0, 0},      {"CLOSEU", 0, 0},         {"CLOSED", 0, 0},
    {"CLOSEF", 0, 0},         {"ABOUTU", 0, 0},         {"ABOUTD", 0, 0},
    {"ABOUTF", 0, 0},         {"KNOBLADENU", 0, 0},     {"KNOBSPEICHERNU", 0, 0},
    {"KNOBALBUMU", 0, 0},     {"KNOBSCANNERU", 0, 0},   {"KNOBCAMERAU", 0, 0},
    {"KNOBDISKU", 0, 0},      {"KNOBEFFEKTEU", 0, 0},   {"KNOBEINSTELLUNGENU", 0, 0},
    {"KNOBDRUCKENU", 0, 0},   {"PRINTU", 0, 0},         {"PRINTD", 0, 0},
    {"PRINTF", 0, 0},         {"LADENU", 0, 0},         {"LADEND", 0, 0},
    {"LADENF", 0, 0},         {"SPEICHERNU", 0, 0},     {"SPEICHERND", 0, 0},
    {"SPEICHERNF", 0, 0},     {"ALBUMU", 0, 0},         {"ALBUMD", 0, 0},
    {"ALBUMF", 0, 0},         {"SCANNERU", 0, 0},       {"SCANNERD", 0, 0},
    {"SCANNERF", 0, 0},       {"CAMERAU", 0, 0},        {"CAMERAD", 0, 0},
    {"CAMERAF", 0, 0},        {"DISKU", 0, 0},          {"DISKD", 0, 0},
    {"DISKF", 0, 0},          {"EFFEKTEU", 0, 0},       {"EFFEKTED", 0, 0},
    {"EFFEKTEF", 0, 0},       {"EINSTELLUNGENU", 0, 0}, {"EINSTELLUNGEND", 0, 0},
    {"EINSTELLUNGENF", 0, 0}, {"DRUCKENU", 0, 0},       {"DRUCKEND", 0, 0},
    {"DRUCKENF", 0, 0},       {"EDIT_MODE_UU", 0, 0},   {"EDIT_MODE_UF", 0, 0},
    {"EDIT_MODE_DU", 0, 0},   {"EDIT_MODE_DF", 0, 0},   {"NORMAL_MODE_UU", 0, 0},
    {"NORMAL_MODE_UF", 0, 0}, {"NORMAL_MODE_DU", 0, 0}, {"NORMAL_MODE_DF", 0, 0},
    {"INTERNET_U", 46, 48},   {"INTERNET_D", 46, 48},   {"INTERNET_F", 46, 48},
    {"RES_MGR_U", 56, 48},    {"RES_MGR_D", 56, 48},    {"RES_MGR_F", 56, 48},
    {"MS_2COLORSU", 0, 0},    {"MS_2COLORSD", 0, 0},    {"MS_2COLORSF", 0, 0},
    {"MS_2COLORSX", 0, 0},    {"MS_GRAYU", 0, 0},       {"MS_GRAYD", 0, 0},
    {"MS_GRAYF", 0, 0},       {"MS_GRAYX", 0, 0},       {"MS_256COLORSU", 0, 0},
    {"MS_256COLORSD", 0, 0},  {"MS_256COLORSF", 0, 0},  {"MS_256COLORSX", 0, 0},
    {"MS_TRUECOLORSU", 0, 0}, {"MS_TRUECOLORSD", 0, 0}, {"MS_TRUECOLORSF", 0, 0},
    {"MS_TRUECOLORSX", 0, 0}, {"MS_BRIGHTNESSU", 0, 0}, {"MS_BRIGHTNESSD", 0, 0},
    {"MS_BRIGHTNESSF", 0, 0}, {"MS_BRIGHTNESSX", 0, 0}, {"MS_SATURATIONU", 0, 0},
    {"MS_SATURATIOND", 0, 0}, {"MS_SATURATIONF", 0, 0}, {"MS_SATURATIONX", 0, 0},
    {"MS_CONTRASTU", 0, 0},   {"MS_CONTRASTD", 0, 0},   {"MS_CONTRASTF", 0, 0},
    {"MS_CONTRASTX", 0, 0},   {"MS_SHARPNESSU", 0, 0},  {"MS_SHARPNESSD", 0, 0},
    {"MS_SHARPNESSF", 0, 0},  {"MS_SHARPNESSX", 0, 0},  {"MS_GAMMAU", 0, 0},
    {"MS_GAMMAD", 0, 0},      {"MS_GAMMAF", 0, 0},      {"MS_GAMMAX", 0, 0},
    {"MS_ROTATEU", 0, 0},     {"MS_ROTATED", 0, 0},     {"MS_ROTATEF", 0, 0},
    {"MS_ROTATEX", 0, 0},     {"MS_MIRRORU", 0, 0},     {"MS_MIRRORD", 0, 0},
    {"MS_MIRRORF", 0, 0},     {"MS_MIRRORX", 0, 0},     {"MS_MOVEU", 0, 0},
    {"MS_MOVED", 0, 0},       {"MS_MOVEF", 0, 0},       {"MS_MOVEX", 0, 0},
    {"MS_MERGEU", 0, 0},      {"MS_MERGED", 0, 0},      {"MS_MERGEF", 0, 0},
    {"MS_MERGEX", 0, 0},      {"MS_ORIGPICTU", 0, 0},   {"MS_ORIGPICTD", 0, 0},
    {"MS_ORIGPICTF", 0, 0},   {"MS_ORIGPICTX", 0, 0},   {"MAIN_TEXTU", 0, 0},
    {"MAIN_TEXTD", 0, 0},     {"MAIN_TEXTF", 0, 0},     {"MAIN_TEXTX", 0, 0},
};

class BitmapNameTest : public testing::TestWithParam<BitmapCase> {};

// Skin bitmaps are true-colour: the buttons load them without a colour table.
TEST_P(BitmapNameTest, IsATrueColourPictureOfTheResourceModule) {
    ASSERT_NE(ProgramFolderModules::s_resources, nullptr);
    CPictureInfo picture;
    ASSERT_TRUE(picture.LoadResource(GetParam().name, ProgramFolderModules::s_resources));
    EXPECT_TRUE(picture.Is24Bit());
    EXPECT_GT(picture.GetWidth(), 0);
    if (GetParam().width) {
        EXPECT_EQ(picture.GetWidth(), GetParam().width);
        EXPECT_EQ(picture.GetHeight(), GetParam().height);
    }
}

INSTANTIATE_TEST_SUITE_P(WaveOne, BitmapNameTest, testing::ValuesIn(kBitmaps),
                         [](const testing::TestParamInfo<BitmapCase>& info) { return info.param.name; });

struct DialogCase {
    const char* meaning;
    UINT id;
    std::vector<int> controls; // ids the dialog's code addresses
};

void PrintTo(const DialogCase& c, std::ostream* os) {
    *os << c.meaning << " (" << c.id << ")";
}

const DialogCase kDialogs[] = {
    {"AboutBox", 100, {1}},
    {"ProgressDialog", 174, {1003, 1004, 2}},
    {"SaveProjectPrompt", 201, {1006, 1007, 1008, 6, 7, 2}},
    {"SplashWindow", 270, {}},
    {"SelfPumpingProgressDialog", 388, {1113, 1003, 1004, 2}},
    {"ThumbnailSettings", 6010, {1369, 1370, 6011, 6012, 6013, 6014, 6015, 6016, 6017, 1, 2}},
};

class DialogTemplateIdTest : public testing::TestWithParam<DialogCase> {};

TEST_P(DialogTemplateIdTest, HasEveryControlItsCodeAddresses) {
    DialogTemplate dialog;
    ASSERT_TRUE(LoadDialogTemplate(ProgramFolderModules::s_resources, GetParam().id, dialog));
    for (int id : GetParam().controls) {
        EXPECT_TRUE(std::any_of(dialog.controls.begin(), dialog.controls.end(),
                                [id](const DialogControl& control) { return control.id == id; }))
            << "control " << id;
    }
}

INSTANTIATE_TEST_SUITE_P(WaveOne, DialogTemplateIdTest, testing::ValuesIn(kDialogs),
                         [](const testing::TestParamInfo<DialogCase>& info) { return info.param.meaning; });

TEST(DialogTemplateIdTest, SplashStaysAboveTheFullScreenMainWindowAndAboutBoxHasItsSize) {
    DialogTemplate splash;
    ASSERT_TRUE(LoadDialogTemplate(ProgramFolderModules::s_resources, 270, splash));
    EXPECT_NE(std::find(splash.exStyle.begin(), splash.exStyle.end(), CString("WS_EX_TOPMOST")),
              splash.exStyle.end());
    DialogTemplate about;
    ASSERT_TRUE(LoadDialogTemplate(ProgramFolderModules::s_resources, 100, about));
    EXPECT_EQ(about.size, CSize(550, 579)) << "the size it keeps without its bitmap";
}

struct ToolBarCase {
    const char* meaning;
    UINT id;
    std::vector<UINT> buttons;
};

const ToolBarCase kToolBars[] = {
    {"ResourceManager", 704, {32873, 32878, 32875, 32876, 0, 32883, 32940, 0, 32881, 0, 32896}},
    {"ResourceManagerSort", 720, {32884, 32885, 32886, 32887, 0, 0, 0, 32890, 32889}},
};

void PrintTo(const ToolBarCase& bar, std::ostream* out) {
    *out << bar.meaning;
}

class ToolBarIdTest : public testing::TestWithParam<ToolBarCase> {};

// Each button has its picture in the strip and a tip after the line break of its command's string.
TEST_P(ToolBarIdTest, HasItsButtonsPicturesAndTips) {
    ToolBarTemplate bar;
    ASSERT_TRUE(LoadToolBarTemplate(ProgramFolderModules::s_resources, GetParam().id, bar));
    EXPECT_EQ(bar.buttons, GetParam().buttons);
    CPictureInfo strip;
    ASSERT_TRUE(strip.LoadResource(bar.bitmap, ProgramFolderModules::s_resources));
    const auto pictures =
        std::count_if(bar.buttons.begin(), bar.buttons.end(), [](UINT id) { return id != 0; });
    EXPECT_EQ(strip.GetWidth(), bar.imageWidth * pictures);
    EXPECT_EQ(strip.GetHeight(), bar.imageHeight);
    for (UINT id : bar.buttons) {
        if (id == 0)
            continue;
        const CString text = LoadWholeString(ProgramFolderModules::s_text, id, 255);
        const int lineBreak = text.Find('\n');
        EXPECT_GT(lineBreak, 0) << id;
        EXPECT_LT(lineBreak, text.GetLength() - 1) << id;
    }
}

INSTANTIATE_TEST_SUITE_P(WaveOne, ToolBarIdTest, testing::ValuesIn(kToolBars),
                         [](const testing::TestParamInfo<ToolBarCase>& info) { return info.param.meaning; });

TEST(AcceleratorIdTest, ResourceManagerKeysReachTheirCommands) {
    AcceleratorTemplate table;
    ASSERT_TRUE(LoadAcceleratorTemplate(ProgramFolderModules::s_resources, 704, table));
    struct Key {
        WORD virtualKey;
        bool control;
        WORD command;
    };
    const Key expected[] = {{0x2E, false, 32876},
                            {0x0D, false, 32883},
                            {0x71, false, 32875},
                            {'A', true, 32877},
                            {'N', true, 32873}};
    ASSERT_EQ(table.keys.size(), std::size(expected));
    for (size_t i = 0; i < table.keys.size(); ++i) {
        EXPECT_EQ(table.keys[i].virtualKey, expected[i].virtualKey) << i;
        EXPECT_EQ(table.keys[i].control, expected[i].control) << i;
        EXPECT_FALSE(table.keys[i].shift || table.keys[i].alt) << i;
        EXPECT_EQ(table.keys[i].command, expected[i].command) << i;
    }
}

TEST(LanguagePictureTest, SplashAndAboutPicturesAreBmpFilesInTheProgramFolder) {
    for (const char* name : {"/qz_splash.deu", "/qz_about.deu"}) {
        CPictureInfo picture;
        EXPECT_TRUE(picture.ReadBmpFile(CString(VC_PROGRAM_DIR) + name)) << name;
    }
}

std::vector<BYTE> ResourceModuleBytes() {
    std::ifstream file(CString(VC_PROGRAM_DIR) + "/qz_res.deu", std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The resource module is large enough to be read on several threads: every entry lands in its own block
// with the bytes the plain reader gives.
TEST(ResourceModuleReadTest, EveryEntryHoldsWhatThePlainReaderReads) {
    const std::vector<BYTE> bytes = ResourceModuleBytes();
    std::map<std::string, std::vector<BYTE>> plain;
    ASSERT_TRUE(ReadRccEntries(bytes.data(), bytes.size(), plain));
    const std::unique_ptr<CResourceFile> module = CResourceFile::FromBytes(bytes.data(), bytes.size());
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->GetCount(), plain.size() - 1) << "all but the manifest";
    for (const auto& [path, contents] : plain) {
        if (path == kResourceManifestPath)
            continue;
        ResourceEntry* entry = module->Find(path);
        ASSERT_NE(entry, nullptr) << path;
        ASSERT_EQ(GlobalSize(entry->data.get()), contents.size()) << path;
        EXPECT_TRUE(contents.empty() || std::equal(contents.begin(), contents.end(),
                                                   static_cast<BYTE*>(GlobalLock(entry->data.get()))))
            << path;
    }
}

// A changed byte inside one stream, read on whichever thread takes it, refuses the whole module.
TEST(ResourceModuleReadTest, ADamagedStreamRefusesTheModule) {
    const std::vector<BYTE> intact = ResourceModuleBytes();
    std::map<std::string, RccEntry> index;
    ASSERT_TRUE(ReadRccIndex(intact.data(), intact.size(), index));
    const auto bySize = [](const auto& a, const auto& b) {
        return a.second.storedSize < b.second.storedSize;
    };
    const RccEntry largest = std::max_element(index.begin(), index.end(), bySize)->second;
    const RccEntry smallest = std::min_element(index.begin(), index.end(), bySize)->second;
    for (const RccEntry& damaged : {largest, smallest}) {
        ASSERT_GT(damaged.storedSize, 0u);
        std::vector<BYTE> bytes = intact;
        bytes[static_cast<size_t>(damaged.stored - intact.data()) + damaged.storedSize / 2] ^= 0x10;
        EXPECT_EQ(CResourceFile::FromBytes(bytes.data(), bytes.size()), nullptr) << damaged.storedSize;
    }
}

TEST(DamagedLanguageModuleTest, ATruncatedModuleCountsAsMissing) {
    TempFolder folder;
    for (const char* name : {"qz_txt.deu", "qz_res.deu"}) {
        const std::filesystem::path copy = (folder.Path() + "/" + name).GetString();
        std::filesystem::copy_file(std::filesystem::path(VC_PROGRAM_DIR) / name, copy);
        std::filesystem::resize_file(copy, std::filesystem::file_size(copy) * 3 / 4);
    }
    SetProgramFolderForTesting(folder.Path());
    EXPECT_EQ(LoadLibrary("qz_txt.deu"), nullptr);
    EXPECT_EQ(LoadLibrary("qz_res.deu"), nullptr);
    SetProgramFolderForTesting(VC_PROGRAM_DIR);
}

} // namespace
