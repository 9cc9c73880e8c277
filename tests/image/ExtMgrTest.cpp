#include "image/ExtMgr.h"

#include "image/PictureInfo.h"
#include "platform/base/GlobalMemory.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/TempFolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

using StubLastCallFunction = const char*();

// A plugins folder made of stub codecs, each copied under the file name the test gives it, so that a
// test decides the load order. Copies (not links) load as separate libraries.
class ExtMgrTest : public ::testing::Test {
protected:
    // stub: "first", "second", "bitmaps", "gifs", "refusing" or "partial".
    void Install(const std::string& stub, const std::string& fileName) {
        fs::create_directories(PluginsFolder());
        fs::copy_file(std::string(VC_STUB_CODEC_DIR) + "/stubcodec_" + stub + ".phl",
                      PluginsFolder() / fileName);
    }
    void WriteFile(const std::string& fileName, const std::string& content) {
        fs::create_directories(PluginsFolder());
        std::ofstream(PluginsFolder() / fileName, std::ios::binary) << content;
    }
    CExtMgr& Manager() {
        if (!m_manager) {
            m_manager = std::make_unique<CExtMgr>(m_folder.Path());
            m_manager->LoadPlugins();
        }
        return *m_manager;
    }
    // The last call that the plug-in of that file name saw.
    std::string LastCall(const std::string& fileName) {
        for (POSITION pos = Manager().GetHeadPosition(); pos;) {
            const CPluginExt* plugin = Manager().GetNext(pos);
            if (fs::path(plugin->m_path.str()).filename() == fileName) {
                auto* lastCall = plugin->FindExport<StubLastCallFunction>("StubLastCall");
                return lastCall ? lastCall() : "(no log)";
            }
        }
        return "(no plug-in)";
    }
    fs::path PluginsFolder() const { return fs::path(m_folder.Path().str()) / "plugins"; }

    FakeAppServices m_services;
    TempFolder m_folder;
    std::unique_ptr<CExtMgr> m_manager;
};

// The stub's number that the loads put into the red byte of their 1x1 picture; 0 for no picture.
int StubOf(CPictureInfo* picture) {
    const std::unique_ptr<CPictureInfo> owned(picture);
    return picture ? picture->GetBits()[2] : 0;
}

std::vector<std::string> Items(const CStringList& list) {
    std::vector<std::string> items;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        items.push_back(list.GetNext(pos).str());
    return items;
}

struct MatchCase {
    const char* name;
    const char* path;
    int stub; // 0: no plug-in takes the path
};

class ExtensionMatching : public ExtMgrTest, public ::testing::WithParamInterface<MatchCase> {};

TEST_P(ExtensionMatching, LoadsThroughThePlugInThatListsTheLowerCaseExtension) {
    Install("first", "a.phl");
    Install("second", "b.phl");
    CPictureInfo* mask = nullptr;
    EXPECT_EQ(GetParam().stub, StubOf(Manager().LoadFile(GetParam().path, mask, 0)));
    EXPECT_EQ(nullptr, mask);
    if (GetParam().stub != 0) {
        const std::string file = GetParam().stub == 1 ? "a.phl" : "b.phl";
        EXPECT_EQ(std::string("LoadFile|") + GetParam().path + "|0|nomask", LastCall(file));
    }
}

INSTANTIATE_TEST_SUITE_P(Paths, ExtensionMatching,
                         ::testing::Values(MatchCase{"UpperCase", "/p/photo.TST", 1},
                                           MatchCase{"LowerCase", "/p/photo.tst", 1},
                                           MatchCase{"MixedCase", "/p/photo.tSt", 1},
                                           MatchCase{"LastDotCounts", "/p/photo.bbb.tst", 1},
                                           MatchCase{"OnlyTheSecondListsIt", "/p/photo.BBB", 2},
                                           MatchCase{"NoDot", "/p/photo", 0},
                                           MatchCase{"EmptyExtension", "/p/photo.", 0},
                                           MatchCase{"LongerExtension", "/p/photo.tstx", 0},
                                           MatchCase{"DotOnlyInAFolderName", "/p/album.tst/photo", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

struct OrderCase {
    const char* name;
    const char* firstFile;  // file name of the stub "first"
    const char* secondFile; // file name of the stub "second"
    int winner;
};

class FirstPlugInWins : public ExtMgrTest, public ::testing::WithParamInterface<OrderCase> {};

TEST_P(FirstPlugInWins, ForEveryOperationOnASharedExtension) {
    // Installed in the opposite order to the names, so only sorting can put the winner first.
    Install("second", GetParam().secondFile);
    Install("first", GetParam().firstFile);
    const int winner = GetParam().winner;
    const std::string winnerFile = winner == 1 ? GetParam().firstFile : GetParam().secondFile;
    CPictureInfo* mask = nullptr;

    EXPECT_EQ(winner, StubOf(Manager().LoadFile("/p/x.tst", mask, 0)));
    EXPECT_EQ(winner, StubOf(Manager().LoadFileAs("/p/x.msk", "tst", mask, 1)));
    EXPECT_EQ(winner, StubOf(Manager().CreateThumbnailForFile("/p/x.tst", CSize(160, 120), 0xFF00FF, 1, 1)));
    EXPECT_EQ(100 + winner, Manager().CountColorsUsed("/p/x.tst"));
    const UniqueGlobal file(GlobalAlloc(GMEM_MOVEABLE, 4));
    EXPECT_EQ(winner, StubOf(Manager().LoadFromMemory(file.get(), 4, "tst", mask)));
    EXPECT_EQ(200 + winner, Manager().CountColorsUsedInMemory(file.get(), 4, "tst"));

    const std::unique_ptr<CPictureInfo> picture(CPictureInfo::CreateFilled(CSize(2, 2), 0, 24));
    EXPECT_EQ(1, Manager().SaveFile(picture.get(), "/p/out.tst", 24, 0));
    EXPECT_EQ("SaveFile|/p/out.tst|24|0", LastCall(winnerFile));
    // Only the first stub's tst takes a quality.
    EXPECT_EQ(winner == 1, Manager().ExtensionHasQuality("tst"));
    CColorDepthList depths;
    Manager().GetColorDepthsForExtension(depths, "tst");
    ASSERT_EQ(2, depths.GetCount());
    EXPECT_EQ(winner, depths.GetTail()->m_bits);
    while (!depths.IsEmpty())
        delete depths.RemoveHead();
}

INSTANTIATE_TEST_SUITE_P(Orders, FirstPlugInWins,
                         ::testing::Values(OrderCase{"FirstByName", "a.phl", "b.phl", 1},
                                           OrderCase{"SecondByName", "b.phl", "a.phl", 2},
                                           OrderCase{"DigitsBeforeLetters", "codec.phl", "9codec.phl", 2}),
                         [](const auto& info) { return std::string(info.param.name); });

struct SaveCase {
    const char* name;
    bool picture;
    const char* path;
    int result;
    bool reachesPlugIn;
};

class SaveFileResults : public ExtMgrTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SaveFileResults, FollowPictureAndExtension) {
    Install("first", "a.phl");
    Install("bitmaps", "b.phl");
    const std::unique_ptr<CPictureInfo> picture(
        GetParam().picture ? CPictureInfo::CreateFilled(CSize(2, 2), 0, 24) : nullptr);
    EXPECT_EQ(GetParam().result, Manager().SaveFile(picture.get(), GetParam().path, 8, 3));
    const std::string expectedCall = std::string("SaveFile|") + GetParam().path + "|8|3";
    EXPECT_EQ(GetParam().reachesPlugIn, LastCall("a.phl") == expectedCall);
}

INSTANTIATE_TEST_SUITE_P(Cases, SaveFileResults,
                         ::testing::Values(SaveCase{"NullPicture", false, "/p/x.tst", 0, false},
                                           SaveCase{"UnknownExtension", true, "/p/x.xyz", -1, false},
                                           SaveCase{"NoDot", true, "/p/tst", -1, false},
                                           SaveCase{"OnlyAnOpenListHoldsIt", true, "/p/x.bmp", -1, false},
                                           SaveCase{"Saved", true, "/p/x.TST", 1, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ExtMgrTest, SaveFileInMemoryAsksForBestQualityAndHandsBackTheBlock) {
    Install("first", "a.phl");
    const std::unique_ptr<CPictureInfo> picture(CPictureInfo::CreateFilled(CSize(2, 2), 0, 24));
    void* data = nullptr;
    DWORD size = 0;
    EXPECT_EQ(0, Manager().SaveFileInMemory(nullptr, "tst", 24, data, size));
    EXPECT_EQ(0, Manager().SaveFileInMemory(picture.get(), "xyz", 24, data, size));
    EXPECT_EQ(nullptr, data);

    ASSERT_EQ(1, Manager().SaveFileInMemory(picture.get(), "TST", 4, data, size));
    EXPECT_EQ("SaveFileInMemory|TST|4|2", LastCall("a.phl"));
    const UniqueGlobal block(static_cast<HGLOBAL>(data));
    ASSERT_EQ(3u, size);
    EXPECT_EQ("enc", std::string(reinterpret_cast<const char*>(CGlobalLock(block.get()).Bytes()), size));
}

TEST_F(ExtMgrTest, PassesEveryArgumentInTheExportsOrder) {
    Install("first", "a.phl");
    CPictureInfo* mask = CPictureInfo::CreateFilled(CSize(1, 1), 0, 24);

    EXPECT_EQ(1, StubOf(Manager().LoadFile("/p/plain.tst", mask, 24)));
    EXPECT_EQ("LoadFile|/p/plain.tst|24|mask", LastCall("a.phl"));
    EXPECT_EQ(0, mask->GetBits()[2]) << "a file without a mask leaves the caller's picture";

    // The plug-in frees the earlier picture and stores the new mask.
    EXPECT_EQ(1, StubOf(Manager().LoadFile("/p/masked.tst", mask, 0)));
    ASSERT_NE(nullptr, mask);
    EXPECT_EQ(200, mask->GetBits()[2]);
    delete mask;
    mask = nullptr;

    EXPECT_EQ(1, StubOf(Manager().LoadFileAs("/p/frame.bmp", "TST", mask, 1)));
    EXPECT_EQ("LoadFileAs|/p/frame.bmp|TST|1|nomask", LastCall("a.phl"));

    const UniqueGlobal file(GlobalAlloc(GMEM_MOVEABLE, 5));
    std::memcpy(CGlobalLock(file.get()).Bytes(), "bytes", 5);
    EXPECT_EQ(1, StubOf(Manager().LoadFromMemory(file.get(), 5, "Tst", mask)));
    EXPECT_EQ("LoadFromMemory|bytes|Tst|nomask", LastCall("a.phl"));
    EXPECT_EQ(0u, GlobalFlags(file.get()) & GMEM_LOCKCOUNT) << "the plug-in unlocks the caller's block";

    EXPECT_EQ(1, StubOf(Manager().CreateThumbnailForFile("/p/t.tst", CSize(160, 120), 0xFF00FF, 1, 0)));
    EXPECT_EQ("CreateThumbnailForFile|/p/t.tst|160x120|16711935|1|0", LastCall("a.phl"));
}

TEST_F(ExtMgrTest, PlugInWithoutTheExportsGivesEachOperationsFailureValue) {
    Install("partial", "a.phl");
    CPictureInfo* mask = nullptr;
    const std::unique_ptr<CPictureInfo> picture(CPictureInfo::CreateFilled(CSize(2, 2), 0, 24));
    const UniqueGlobal file(GlobalAlloc(GMEM_MOVEABLE, 4));
    void* data = nullptr;
    DWORD size = 0;

    ASSERT_EQ("ref", Manager().GetFirstOpenExtension().str());
    EXPECT_EQ(nullptr, Manager().LoadFile("/p/x.ref", mask, 0));
    EXPECT_EQ(nullptr, Manager().LoadFileAs("/p/x.bmp", "ref", mask, 0));
    EXPECT_EQ(nullptr, Manager().LoadFromMemory(file.get(), 4, "ref", mask));
    EXPECT_EQ(nullptr, Manager().CreateThumbnailForFile("/p/x.ref", CSize(10, 10), 0, 1, 1));
    EXPECT_EQ(0, Manager().CountColorsUsed("/p/x.ref"));
    EXPECT_EQ(0, Manager().CountColorsUsedInMemory(file.get(), 4, "ref"));
    EXPECT_EQ(-1, Manager().SaveFile(picture.get(), "/p/x.ref", 24, 2));
    EXPECT_EQ(-1, Manager().SaveFileInMemory(picture.get(), "ref", 24, data, size));
    EXPECT_FALSE(Manager().ExtensionHasQuality("ref"));
    CColorDepthList depths;
    Manager().GetColorDepthsForExtension(depths, "ref");
    EXPECT_TRUE(depths.IsEmpty());
}

TEST_F(ExtMgrTest, RefusingAndNonLibraryPlugInsAreSkippedWithoutAMessage) {
    Install("refusing", "a_refusing.phl");
    WriteFile("b_text.phl", "not a library\n");
    WriteFile("c_empty.phl", "");
    Install("first", "d_first.phl");
    WriteFile("e_first.txt", "not a plug-in name");

    EXPECT_EQ(4, Manager().GetCount());
    EXPECT_TRUE(m_services.Messages().empty());
    CPictureInfo* mask = nullptr;
    EXPECT_EQ(nullptr, Manager().LoadFile("/p/x.ref", mask, 0));
    const std::unique_ptr<CPictureInfo> picture(CPictureInfo::CreateFilled(CSize(1, 1), 0, 24));
    EXPECT_EQ(-1, Manager().SaveFile(picture.get(), "/p/x.ref", 24, 2));
    EXPECT_EQ("(no log)", LastCall("b_text.phl"));
    CStringList extensions;
    Manager().GetOpenExtensions(extensions);
    EXPECT_EQ((std::vector<std::string>{"tst", "aaa"}), Items(extensions));
    EXPECT_EQ("Test A (*.tst)|*.tst|Nur A (*.aaa)|*.aaa||", Manager().BuildOpenFilter(false).str());
    EXPECT_EQ("tst", Manager().GetFirstOpenExtension().str());
}

struct FilterCase {
    const char* name;
    std::vector<std::pair<std::string, std::string>> stubs; // stub, file name
    bool save;
    bool withAllEntry;
    const char* filter;
};

class FilterStrings : public ExtMgrTest, public ::testing::WithParamInterface<FilterCase> {};

TEST_P(FilterStrings, ListEveryFormatInLoadOrder) {
    for (const auto& [stub, fileName] : GetParam().stubs)
        Install(stub, fileName);
    const CString filter = GetParam().save ? Manager().BuildSaveFilter(GetParam().withAllEntry)
                                           : Manager().BuildOpenFilter(GetParam().withAllEntry);
    EXPECT_EQ(GetParam().filter, filter.str());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FilterStrings,
    ::testing::Values(
        FilterCase{"BitmapAndGifWithAllEntry",
                   {{"gifs", "b.phl"}, {"bitmaps", "a.phl"}},
                   false,
                   true,
                   "Alle Grafiken |; *.bmp; *.gif|bitmap Dateien (*.bmp)|*.bmp|GIF Dateien (*.gif)|*.gif||"},
        FilterCase{"BitmapAndGif",
                   {{"gifs", "b.phl"}, {"bitmaps", "a.phl"}},
                   false,
                   false,
                   "bitmap Dateien (*.bmp)|*.bmp|GIF Dateien (*.gif)|*.gif||"},
        FilterCase{"NoPlugInsWithAllEntry", {}, false, true, "Alle Grafiken |||"},
        FilterCase{"NoPlugIns", {}, true, false, "|"},
        FilterCase{"SaveListsKeepDuplicates",
                   {{"first", "a.phl"}, {"second", "b.phl"}, {"bitmaps", "c.phl"}},
                   true,
                   true,
                   "Alle Grafiken |; *.tst; *.aaa; *.tst; *.bbb|Test A (*.tst)|*.tst|Nur A (*.aaa)|*.aaa|"
                   "Test B (*.tst)|*.tst|Nur B (*.bbb)|*.bbb||"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ExtMgrTest, ListsAndFirstExtensionsComeFromLoadedPlugInsInOrder) {
    Install("refusing", "a.phl");
    Install("bitmaps", "b.phl");
    Install("second", "c.phl");
    CStringList openExtensions, openDescriptions, saveExtensions, saveDescriptions;
    Manager().GetOpenExtensions(openExtensions);
    Manager().GetOpenDescriptions(openDescriptions);
    Manager().GetSaveExtensions(saveExtensions);
    Manager().GetSaveDescriptions(saveDescriptions);
    EXPECT_EQ((std::vector<std::string>{"bmp", "tst", "bbb"}), Items(openExtensions));
    EXPECT_EQ((std::vector<std::string>{"bitmap Dateien", "Test B", "Nur B"}), Items(openDescriptions));
    EXPECT_EQ((std::vector<std::string>{"tst", "bbb"}), Items(saveExtensions));
    EXPECT_EQ((std::vector<std::string>{"Test B", "Nur B"}), Items(saveDescriptions));
    EXPECT_EQ("bmp", Manager().GetFirstOpenExtension().str());
    EXPECT_EQ("tst", Manager().GetFirstSaveExtension().str());
}

TEST_F(ExtMgrTest, EmptyFolderGivesNoPlugInsAndNoExtensions) {
    EXPECT_EQ(0, Manager().GetCount());
    EXPECT_EQ("", Manager().GetFirstOpenExtension().str());
    EXPECT_EQ("", Manager().GetFirstSaveExtension().str());
    CPictureInfo* mask = nullptr;
    EXPECT_EQ(nullptr, Manager().LoadFile("/p/x.jpg", mask, 0));
}

TEST_F(ExtMgrTest, ColorDepthsOutliveTheManager) {
    Install("first", "a.phl");
    CColorDepthList depths;
    depths.AddTail(new CColorDepth("kept", 99));
    Manager().GetColorDepthsForExtension(depths, "xyz");
    EXPECT_EQ(1, depths.GetCount()) << "an extension nobody saves leaves the list as it was";
    Manager().GetColorDepthsForExtension(depths, "TST");
    m_manager.reset(); // unloads the plug-in that made them

    std::vector<std::pair<std::string, int>> seen;
    while (!depths.IsEmpty()) {
        const std::unique_ptr<CColorDepth> depth(depths.RemoveHead());
        seen.emplace_back(depth->m_name.str(), depth->m_bits);
    }
    EXPECT_EQ((std::vector<std::pair<std::string, int>>{{"kept", 99}, {"24-bits", 24}, {"Stub 1", 1}}), seen);
}

TEST_F(ExtMgrTest, DefaultsToTheProgramFolderAndIsReachedThroughOnePointer) {
    Install("bitmaps", "a.phl");
    SetProgramFolderForTesting(m_folder.Path());
    {
        CExtMgr manager;
        EXPECT_EQ(&manager, GetExtMgr());
        EXPECT_EQ(m_folder.Path(), manager.GetDirectory());
        manager.LoadPlugins();
        EXPECT_EQ("bmp", manager.GetFirstOpenExtension().str());
    }
    SetProgramFolderForTesting("");
    EXPECT_EQ(nullptr, GetExtMgr());
}

} // namespace
