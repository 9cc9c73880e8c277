// The save-picture dialog through the scripted chooser, on the program's codecs and resource module:
// the preselected depth, a type change, message 409, the size fields and the result size.

#include "editing/PreviewSaveFileDlg.h"

#include "image/ExtMgr.h"
#include "platform/base/Module.h"
#include "platform/base/Resource.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/ScriptedFileChooser.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UiTestSupport.h"

#include <gmock/gmock.h>
#include <string>
#include <vector>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// PNG offers 1, 4, 8 and 24 bits; JPEG 24 bits with quality; nobody saves "xyz".
constexpr const char* kFilter =
    "PNG-Bild (*.png)|*.png|JPEG-Bild (*.jpg)|*.jpg;*.jpeg|Rohdaten (*.xyz)|*.xyz||";
constexpr int kJpeg = 1;
constexpr int kNoDepths = 2;

constexpr int kDepthList = 7001;
constexpr int kPresetList = 1153;
constexpr int kPercentField = 1144;
constexpr int kSizeMode = 1146;
constexpr int kWidthField = 1147;
constexpr int kHeightField = 1149;
constexpr int kKeepProportions = 1151;

class PreviewSaveFileDlgTest : public UiTest {
protected:
    static void SetUpTestSuite() {
        UiTest::SetUpTestSuite();
        s_resources = LoadLibrary(VC_PROGRAM_DIR "/qz_res.deu");
    }
    static void TearDownTestSuite() { FreeLibrary(s_resources); }

    void SetUp() override {
        UiTest::SetUp();
        ASSERT_NE(s_resources, nullptr);
        AfxSetResourceHandle(s_resources);
        m_codecs.LoadPlugins();
    }
    void TearDown() override {
        AfxSetResourceHandle(nullptr);
        UiTest::TearDown();
    }

    // A dialog for a picture of that size and colour count, starting in the test's folder.
    void Prepare(CPreviewSaveFileDlg& dialog, int width, int height, int colours) {
        dialog.m_ofn.lpstrInitialDir = m_folderPath.GetString();
        dialog.SetWidth(width);
        dialog.SetHeight(height);
        dialog.SetAspectRatio(static_cast<double>(width) / height);
        dialog.SetColorsUsed(colours);
    }

    static CComboBox& List(CPreviewSaveFileDlg& dialog, int id) {
        return *static_cast<CComboBox*>(dialog.GetDlgItem(id));
    }
    // The depth list's entries as "name=bits", the selected one marked with '*'.
    static std::vector<std::string> Depths(CPreviewSaveFileDlg& dialog) {
        CComboBox& list = List(dialog, kDepthList);
        std::vector<std::string> entries;
        for (int i = 0; i < list.GetCount(); ++i) {
            CString name;
            list.GetLBText(i, name);
            entries.push_back((i == list.GetCurSel() ? "*" : "") + name.str() + "=" +
                              std::to_string(list.GetItemData(i)));
        }
        return entries;
    }
    static CString Field(const CPreviewSaveFileDlg& dialog, int id) {
        CString text;
        dialog.GetDlgItemText(id, text);
        return text;
    }
    // What the user does: a click on a button, a text typed into a field.
    static void Click(CPreviewSaveFileDlg& dialog, int id) { ClickAt(dialog.GetDlgItem(id), CPoint(4, 4)); }
    static void Type(CPreviewSaveFileDlg& dialog, int id, const char* text) {
        dialog.SetDlgItemText(id, text);
    }
    static void Choose(CPreviewSaveFileDlg& dialog, int id, int index) {
        List(dialog, id).SetCurSel(index);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), CBN_SELCHANGE), 0);
    }

    static HMODULE s_resources;
    FakeAppServices m_services;
    ScriptedFileChooser m_chooser;
    TempFolder m_folder;
    CString m_folderPath = m_folder.Path();
    CExtMgr m_codecs{VC_PROGRAM_DIR};
};

HMODULE PreviewSaveFileDlgTest::s_resources = nullptr;

struct PreselectionCase {
    const char* name;
    int colours;
    std::vector<std::string> depths;
};

class PreselectionTest : public PreviewSaveFileDlgTest,
                         public ::testing::WithParamInterface<PreselectionCase> {};

TEST_P(PreselectionTest, PicksTheSmallestDepthHoldingMoreColoursThanThePictureUses) {
    const PreselectionCase& c = GetParam();
    CPreviewSaveFileDlg dialog(FALSE, "bmp", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kFilter);
    Prepare(dialog, 40, 30, c.colours);
    std::vector<std::string> shown;
    m_chooser.Do([&] { shown = Depths(dialog); });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(shown, c.depths);
}

INSTANTIATE_TEST_SUITE_P(
    Colours, PreselectionTest,
    ::testing::Values(
        PreselectionCase{
            "ThreeHundredColoursTake24Bits", 300, {"1-bit=1", "4-bits=4", "8-bits=8", "*24-bits=24"}},
        PreselectionCase{
            "TwoColoursNeedMoreThanOneBit", 2, {"1-bit=1", "*4-bits=4", "8-bits=8", "24-bits=24"}},
        PreselectionCase{"UnknownCountTakesTheFirst", 0, {"*1-bit=1", "4-bits=4", "8-bits=8", "24-bits=24"}},
        PreselectionCase{"MoreThanAnyDepthHoldsTakesTheFirst",
                         20000000,
                         {"*1-bit=1", "4-bits=4", "8-bits=8", "24-bits=24"}}),
    [](const ::testing::TestParamInfo<PreselectionCase>& info) { return info.param.name; });

TEST_F(PreviewSaveFileDlgTest, ATypeChangeRefillsTheDepthsAndTheQualityChoice) {
    CPreviewSaveFileDlg dialog(FALSE, "bmp", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kFilter);
    Prepare(dialog, 40, 30, 300);
    std::vector<std::string> png, jpeg, none;
    bool pngPresets = true, jpegPresets = false, noneDepths = true;
    int jpegDepth = 0;
    m_chooser.Do([&] {
        png = Depths(dialog);
        pngPresets = dialog.GetDlgItem(kPresetList)->IsWindowEnabled();
        Choose(dialog, kPresetList, 4);
    });
    m_chooser.ChooseType(kJpeg);
    m_chooser.Do([&] {
        jpeg = Depths(dialog);
        jpegDepth = dialog.GetColorDepth();
        jpegPresets = dialog.GetDlgItem(kPresetList)->IsWindowEnabled();
    });
    m_chooser.ChooseType(kNoDepths);
    m_chooser.Do([&] {
        none = Depths(dialog);
        noneDepths = dialog.GetDlgItem(kDepthList)->IsWindowEnabled();
    });
    m_chooser.Pick({"Bild.xyz"});
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(png.size(), 4u);
    EXPECT_FALSE(pngPresets);
    EXPECT_THAT(jpeg, ElementsAre("*24-bits=24"));
    EXPECT_EQ(jpegDepth, 24);
    EXPECT_TRUE(jpegPresets);
    EXPECT_THAT(none, IsEmpty());
    EXPECT_FALSE(noneDepths);
    // No depths: the plug-in's default, and nothing to warn about.
    EXPECT_EQ(dialog.GetColorDepth(), 0);
    EXPECT_THAT(m_services.MessageIds(), IsEmpty());
    EXPECT_EQ(dialog.GetPreset(), 4);
    EXPECT_EQ(dialog.GetFileExt(), "xyz");
}

TEST_F(PreviewSaveFileDlgTest, FewerColoursAskFirstAndNoKeepsTheDialogOpen) {
    CPreviewSaveFileDlg dialog(FALSE, "bmp", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kFilter);
    Prepare(dialog, 40, 30, 300);
    m_chooser.Do([&] { Choose(dialog, kDepthList, 2); });
    m_services.QueueAnswers({IDNO, IDYES});
    m_chooser.Pick({"Erst.png"});
    m_chooser.Pick({"Dann.png"});
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_THAT(m_chooser.PickResults(), ElementsAre(false, true));
    EXPECT_THAT(m_services.MessageIds(), ElementsAre(409u, 409u));
    EXPECT_EQ(dialog.GetFileName(), "Dann.png");
    EXPECT_EQ(dialog.GetColorDepth(), 8);
}

TEST_F(PreviewSaveFileDlgTest, EnoughColoursAskNothing) {
    CPreviewSaveFileDlg dialog(FALSE, "bmp", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kFilter);
    Prepare(dialog, 40, 30, 256);
    m_chooser.Do([&] { Choose(dialog, kDepthList, 2); });
    m_chooser.Pick({"Bild.png"});
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_THAT(m_services.MessageIds(), IsEmpty());
    EXPECT_EQ(dialog.GetColorDepth(), 8);
}

struct SizeCase {
    const char* name;
    std::vector<std::pair<int, const char*>> typed; // field id and text, in order; 0 clicks the id's button
    CSize result;                                   // for the 101 x 75 picture
};

class ResultSizeTest : public PreviewSaveFileDlgTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(ResultSizeTest, FollowsTheSizeFields) {
    const SizeCase& c = GetParam();
    CPreviewSaveFileDlg dialog(FALSE, "bmp", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kFilter);
    Prepare(dialog, 101, 75, 0);
    m_chooser.Do([&] {
        for (const auto& [id, text] : c.typed) {
            if (text)
                Type(dialog, id, text);
            else
                Click(dialog, id);
        }
    });
    m_chooser.Pick({"Bild.png"});
    ASSERT_EQ(dialog.DoModal(), IDOK);
    CSize size;
    dialog.GetResultSize(size, 101, 75);
    EXPECT_EQ(size.cx, c.result.cx);
    EXPECT_EQ(size.cy, c.result.cy);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ResultSizeTest,
    ::testing::Values(
        SizeCase{"HundredPercentIsTheSourceSize", {}, CSize(101, 75)},
        SizeCase{"HalfDividesInIntegers", {{kPercentField, "50"}}, CSize(50, 37)},
        SizeCase{"PercentBeyondTheRangeIsClamped", {{kPercentField, "9000"}}, CSize(3030, 2250)},
        SizeCase{"PercentZeroBecomesOneAndEachSideAtLeastOnePixel", {{kPercentField, "0"}}, CSize(1, 1)},
        SizeCase{
            "ExplicitSizeWithoutProportions",
            {{kSizeMode, nullptr}, {kKeepProportions, nullptr}, {kWidthField, "40"}, {kHeightField, "10"}},
            CSize(40, 10)},
        SizeCase{"KeptProportionsTakeTheHeightFromTheWidth",
                 {{kSizeMode, nullptr}, {kWidthField, "40"}},
                 CSize(40, 29)},
        SizeCase{"TickingKeepProportionsAgainRecomputesTheHeight",
                 {{kSizeMode, nullptr},
                  {kKeepProportions, nullptr},
                  {kWidthField, "202"},
                  {kKeepProportions, nullptr}},
                 CSize(202, 150)},
        SizeCase{"ANonNumberKeepsTheLastValue", {{kPercentField, "30"}, {kPercentField, ""}}, CSize(30, 22)}),
    [](const ::testing::TestParamInfo<SizeCase>& info) { return info.param.name; });

TEST_F(PreviewSaveFileDlgTest, AWrittenValueFiresNoRuleSoATypedWidthStays) {
    CPreviewSaveFileDlg dialog(FALSE, "bmp", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kFilter);
    // The height that a width of 100 gives (74) gives back 99.65 as the width.
    Prepare(dialog, 101, 75, 0);
    CString opening[3], afterWidth[2], afterHeight[2], afterLarge[2];
    m_chooser.Do([&] {
        opening[0] = Field(dialog, kPercentField);
        opening[1] = Field(dialog, kWidthField);
        opening[2] = Field(dialog, kHeightField);
        Click(dialog, kSizeMode);
        Type(dialog, kWidthField, "100");
        afterWidth[0] = Field(dialog, kWidthField);
        afterWidth[1] = Field(dialog, kHeightField);
        Type(dialog, kHeightField, "30");
        afterHeight[0] = Field(dialog, kWidthField);
        afterHeight[1] = Field(dialog, kHeightField);
        Type(dialog, kWidthField, "5000");
        afterLarge[0] = Field(dialog, kWidthField);
        afterLarge[1] = Field(dialog, kHeightField);
        Type(dialog, kWidthField, "100");
    });
    m_chooser.Pick({"Bild.png"});
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(opening[0], "100");
    EXPECT_EQ(opening[1], "101");
    EXPECT_EQ(opening[2], "75");
    EXPECT_EQ(afterWidth[0], "100");
    EXPECT_EQ(afterWidth[1], "74");
    EXPECT_EQ(afterHeight[0], "40");
    EXPECT_EQ(afterHeight[1], "30");
    // The member stays within 3000; the height follows it.
    EXPECT_EQ(afterLarge[1], "2227");
    EXPECT_FALSE(dialog.IsPercentMode());
    CSize size;
    dialog.GetResultSize(size, 101, 75);
    EXPECT_EQ(size.cx, 100);
    EXPECT_EQ(size.cy, 74);
}

} // namespace
