// The library that ships with the program, as the build drew it into the program folder: its archives
// against unzip and Python, a new user's first start, and later starts.
#include "image/ExtMgr.h"
#include "image/PictureInfo.h"
#include "library/Clipart.h"
#include "library/DSAlbum.h"
#include "library/DSObjMgr.h"
#include "library/LibrarySetup.h"
#include "library/Mat.h"
#include "library/Photo.h"
#include "library/ResType.h"
#include "library/Stencil.h"
#include "page/DrawClipart.h"
#include "page/DrawRect.h"
#include "page/Template.h"
#include "page/TemplateList.h"
#include "platform/base/Module.h"
#include "platform/base/Profile.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/RunTool.h"
#include "tests/support/TempFolder.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::string kShipped = VC_PROGRAM_DIR "/library";

std::string ReadBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// Every file below the folder by its relative path, with its bytes.
std::map<std::string, std::string> Tree(const fs::path& folder) {
    std::map<std::string, std::string> files;
    if (!fs::exists(folder))
        return files;
    for (const auto& item : fs::recursive_directory_iterator(folder)) {
        if (item.is_regular_file())
            files[fs::relative(item.path(), folder).string()] = ReadBytes(item.path());
    }
    return files;
}

std::vector<fs::path> ShippedArchives() {
    std::vector<fs::path> archives;
    for (const auto& item : fs::recursive_directory_iterator(kShipped)) {
        if (item.path().extension() == ".zip")
            archives.push_back(item.path());
    }
    std::sort(archives.begin(), archives.end());
    return archives;
}

// The brightness (0..255) of a pixel of a DIB of 1, 4, 8, 24 or 32 bits, y from the top.
int Brightness(const CPictureInfo& picture, int x, int y) {
    const BITMAPINFOHEADER* header = picture.GetHeader();
    const int bits = header->biBitCount;
    const int height = std::abs(static_cast<int>(header->biHeight));
    const int row = header->biHeight > 0 ? height - 1 - y : y;
    const BYTE* line = picture.GetBits() + DibRowBytes(header->biWidth, bits) * row;
    if (bits >= 24) {
        const BYTE* p = line + x * (bits / 8);
        return (p[0] + p[1] + p[2]) / 3;
    }
    const int perByte = 8 / bits;
    const int index = (line[x / perByte] >> ((perByte - 1 - x % perByte) * bits)) & ((1 << bits) - 1);
    const auto* table = reinterpret_cast<const BYTE*>(header) + header->biSize;
    return (table[4 * index] + table[4 * index + 1] + table[4 * index + 2]) / 3;
}

// The box of the mask's black pixels (the mat's opening): left, top, right and bottom borders in pixels.
struct Borders {
    int left, top, right, bottom;
};

Borders OpeningBorders(const CPictureInfo& mask) {
    const int width = mask.GetWidth(), height = std::abs(mask.GetHeight());
    int left = width, top = height, right = -1, bottom = -1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (Brightness(mask, x, y) < 128) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
        }
    }
    return {left, top, width - 1 - right, height - 1 - bottom};
}

TEST(ShippedLibraryFiles, EveryArchivePassesUnzipAndItsIndexParsesInPython) {
    const std::vector<fs::path> archives = ShippedArchives();
    ASSERT_EQ(archives.size(), 5u);
    for (const fs::path& archive : archives) {
        std::string output;
        EXPECT_EQ(RunTool("unzip -t '" + archive.string() + "'", &output), 0) << archive << output;
        EXPECT_NE(output.find("No errors detected"), std::string::npos) << output;
        EXPECT_EQ(RunTool("unzip -p '" + archive.string() +
                          "' index.xml | /usr/bin/python3 -c 'import sys, xml.etree.ElementTree as E; "
                          "r = E.parse(sys.stdin.buffer).getroot(); "
                          "sys.exit(0 if r.tag == \"ALBUM\" and len(r.find(\"OBJECTS\")) > 0 else 1)'"),
                  0)
            << archive;
    }
}

TEST(ShippedLibraryFiles, AGeneratorRunWritesTheSameBytesAsTheBuild) {
    TempFolder folder;
    const std::string output = (folder.Path() + "/library").str();
    ASSERT_EQ(RunTool("'" LIBGEN_PATH "' --out '" + output + "'"), 0);
    const auto again = Tree(output), built = Tree(kShipped);
    ASSERT_EQ(again.size(), built.size());
    std::uintmax_t total = 0;
    for (const auto& [name, bytes] : built) {
        EXPECT_TRUE(again.count(name) && again.at(name) == bytes) << name;
        total += bytes.size();
    }
    EXPECT_LT(total, 15u * 1024 * 1024);
}

class FirstStartTest : public testing::Test {
protected:
    FirstStartTest() {
        if (const char* previous = getenv("XDG_DATA_HOME"))
            m_previousDataHome = previous;
        setenv("XDG_DATA_HOME", (m_folder.Path() + "/share").GetString(), 1);
        SetProfileFolderForTesting(m_folder.Path() + "/profile");
        SetProgramFolderForTesting(VC_PROGRAM_DIR);
        m_app.SetString(31443, "Bilder");
    }
    ~FirstStartTest() override {
        SetProgramFolderForTesting("");
        SetProfileFolderForTesting("");
        if (m_previousDataHome.empty())
            unsetenv("XDG_DATA_HOME");
        else
            setenv("XDG_DATA_HOME", m_previousDataHome.c_str(), 1);
    }

    fs::path Data() const { return (m_folder.Path() + "/share/Vellumcraft").str(); }

    TempFolder m_folder;
    FakeAppServices m_app;
    std::string m_previousDataHome;
};

TEST_F(FirstStartTest, CopiesTheListsAndArchivesAndEveryEntryLoadsFromTheInstallFolder) {
    ASSERT_TRUE(PrepareLibrarySettings());
    EXPECT_EQ(GetProfileString("Settings", "Template", ""), "Einzelbilder");
    for (const char* file :
         {"Bilder/albums.dat", "Bilder/album0.zip", "Cliparts/albums.dat", "Cliparts/album0.zip",
          "Cliparts/album1.zip", "Rahmen/albums.dat", "Rahmen/album0.zip", "Schablonen/albums.dat",
          "Schablonen/album0.zip", "Vorlagen/Templ.dat"}) {
        EXPECT_EQ(ReadBytes(Data() / file), ReadBytes(fs::path(kShipped) / file)) << file;
    }
    EXPECT_FALSE(fs::exists(Data() / "Bilder/abendrot.jpg"))
        << "the entries' files stay in the install folder";

    CExtMgr codecs(VC_PROGRAM_DIR);
    codecs.LoadPlugins();
    CDSObjMgr manager;
    manager.LoadInstallSettings();
    struct Kind {
        int typeId;
        std::vector<std::pair<std::string, int>> albums;
    };
    for (const Kind& kind :
         {Kind{kResTypePictures, {{"Beispielbilder", 8}}},
          Kind{kResTypeClipart, {{"Verzierungen", 10}, {"Feste und Feiern", 10}}},
          Kind{kResTypeFrames, {{"Rahmen", 8}}}, Kind{kResTypeStencils, {{"Schablonen", 8}}}}) {
        CResType* type = manager.GetResType(kind.typeId);
        ASSERT_NE(type, nullptr);
        auto& albums = type->GetAlbumList(false);
        ASSERT_EQ(albums.GetCount(), static_cast<INT_PTR>(kind.albums.size()));
        POSITION pos = albums.GetHeadPosition();
        for (const auto& [title, count] : kind.albums) {
            CDSAlbum* album = albums.GetNext(pos);
            EXPECT_EQ(album->GetTitle().str(), title);
            ASSERT_TRUE(manager.LoadAlbum(album));
            ASSERT_EQ(album->GetObjectCount(), count) << title;
            for (int i = 0; i < count; ++i) {
                CDSObj* entry = album->GetObjectAt(i);
                const std::string path = manager.GetObjectFilePath(entry).str();
                EXPECT_EQ(path.rfind(kShipped + "/", 0), 0u) << path;
                EXPECT_TRUE(manager.VerifyObjectCrc(entry)) << path;
                ASSERT_TRUE(entry->LoadData()) << path;
                if (auto* photo = dynamic_cast<CPhoto*>(entry)) {
                    std::unique_ptr<CPictureInfo, void (*)(CPictureInfo*)> picture(photo->LoadPicture(),
                                                                                   [](CPictureInfo* p) {
                                                                                       if (p)
                                                                                           p->Release();
                                                                                   });
                    ASSERT_NE(picture, nullptr) << path;
                    EXPECT_EQ(std::max(picture->GetWidth(), std::abs(picture->GetHeight())), 2400);
                } else if (auto* clipart = dynamic_cast<CClipart*>(entry)) {
                    ASSERT_TRUE(clipart->IsLoaded()) << path;
                    const CPictureInfo& mask = *clipart->GetPicturePair().GetMask();
                    const int width = mask.GetWidth(), height = std::abs(mask.GetHeight());
                    EXPECT_GE(std::max(width, height), 300);
                    EXPECT_LE(std::max(width, height), 500);
                    EXPECT_LT(Brightness(mask, 0, 0), 128) << path << ": the corner is transparent";
                    int opaque = 0;
                    for (int y = 0; y < height; y += 4)
                        for (int x = 0; x < width; x += 4)
                            opaque += Brightness(mask, x, y) >= 128;
                    EXPECT_GT(opaque, 0) << path;
                } else if (auto* mat = dynamic_cast<CMat*>(entry)) {
                    ASSERT_TRUE(mat->IsLoaded()) << path;
                    const CPictureInfo& mask = *mat->GetMaskDib();
                    const double width = mask.GetWidth(), height = std::abs(mask.GetHeight());
                    const Borders drawn = OpeningBorders(mask);
                    EXPECT_NEAR(mat->GetLeft() * width, drawn.left, 1.0) << path;
                    EXPECT_NEAR(mat->GetTop() * height, drawn.top, 1.0) << path;
                    EXPECT_NEAR(mat->GetRight() * width, drawn.right, 1.0) << path;
                    EXPECT_NEAR(mat->GetBottom() * height, drawn.bottom, 1.0) << path;
                    EXPECT_GT(Brightness(*mat->GetImageDib(), static_cast<int>(width / 2),
                                         static_cast<int>(height / 2)),
                              250)
                        << path << ": white in the opening";
                    EXPECT_EQ(mat->GetFrameName() == "ellipse", path.find("ovales") != std::string::npos);
                } else if (auto* stencil = dynamic_cast<CStencil*>(entry)) {
                    ASSERT_TRUE(stencil->IsLoaded()) << path;
                    const CPictureInfo& shape = *stencil->GetBitmap();
                    EXPECT_EQ(shape.GetWidth(), 1000);
                    EXPECT_GT(Brightness(shape, 500, 375), 250)
                        << path << ": the picture shows in the middle";
                    EXPECT_LT(Brightness(shape, 0, 0), 5) << path;
                }
            }
        }
    }
}

TEST_F(FirstStartTest, EveryTemplateLoadsWithItsFramesOnItsPage) {
    ASSERT_TRUE(PrepareLibrarySettings());
    CExtMgr codecs(VC_PROGRAM_DIR);
    codecs.LoadPlugins();
    CDSObjMgr manager;
    manager.LoadInstallSettings();
    std::ifstream list(GetTemplateListPath().str());
    std::string line;
    std::vector<std::string> groups;
    int count = 0;
    while (std::getline(list, line)) {
        const std::vector<CString> fields = SplitTemplateListLine(CString(line.c_str()));
        ASSERT_EQ(fields.size(), 9u) << line;
        if (groups.empty() || groups.back() != fields[6].str())
            groups.push_back(fields[6].str());
        EXPECT_EQ(fields[5], "Vellumcraft");
        const CString file =
            manager.FindResourceFile(manager.GetResType(kResTypePrintTemplates), "\\" + fields[3]);
        EXPECT_EQ(file.str().rfind(kShipped + "/Vorlagen/", 0), 0u) << file.str();
        CTemplate page;
        ASSERT_EQ(ReadTemplateFile(file, page), TemplateFileRead::kRead) << line;
        const short paper = fields[1] == "A4" ? 9 : fields[1] == "A5" ? 11 : fields[1] == "A6" ? 70 : 0;
        EXPECT_EQ(page.GetPaperNumber(), paper) << line;
        const bool landscape = fields[2] == "Querformat";
        EXPECT_EQ(page.GetOrientation(), landscape ? 2 : 1) << line;
        const CSize stored = page.GetPageSize();
        EXPECT_LT(stored.cx, stored.cy) << line << ": the upright size is stored";
        const CRect shown(0, 0, landscape ? stored.cy : stored.cx, landscape ? stored.cx : stored.cy);
        int frames = 0;
        for (POSITION pos = page.GetObjectList().GetHeadPosition(); pos;) {
            CDrawObj* object = page.GetObjectList().GetNext(pos);
            const CRect position = object->GetPosition();
            EXPECT_TRUE(position.left >= 0 && position.top >= 0 && position.right <= shown.right &&
                        position.bottom <= shown.bottom && position.left < position.right &&
                        position.top < position.bottom)
                << line;
            if (auto* clipart = dynamic_cast<CDrawClipart*>(object)) {
                ASSERT_NE(clipart->GetClipart(), nullptr);
                EXPECT_TRUE(clipart->GetClipart()->LoadData()) << line;
            } else {
                ASSERT_NE(dynamic_cast<CDrawRect*>(object), nullptr);
                ++frames;
            }
        }
        EXPECT_EQ(CString(std::to_string(frames).c_str()), fields[4]) << line;
        ++count;
    }
    EXPECT_EQ(count, 12);
    EXPECT_EQ(groups, (std::vector<std::string>{"Einzelbilder", "Collagen", "Karten"}));
}

TEST_F(FirstStartTest, ASecondStartChangesNothing) {
    ASSERT_TRUE(PrepareLibrarySettings());
    const auto data = Tree(Data());
    const std::string profile = ReadBytes(GetProfileFilePath().str());
    ASSERT_TRUE(PrepareLibrarySettings());
    EXPECT_EQ(Tree(Data()), data);
    EXPECT_EQ(ReadBytes(GetProfileFilePath().str()), profile);
}

TEST_F(FirstStartTest, AUsersOwnListsStay) {
    const std::string own = "<ALBUMS/>\n";
    fs::create_directories(Data() / "Bilder");
    std::ofstream(Data() / "Bilder/albums.dat", std::ios::binary) << own;
    // An archive of the user's where no list names it: the shipped list would name it, so the kind is
    // left alone.
    fs::create_directories(Data() / "Rahmen");
    std::ofstream(Data() / "Rahmen/album0.zip", std::ios::binary) << "mine";
    fs::create_directories(Data() / "Vorlagen");
    std::ofstream(Data() / "Vorlagen/Templ.dat", std::ios::binary) << "Meine;A4\n";
    ASSERT_TRUE(PrepareLibrarySettings());
    EXPECT_EQ(ReadBytes(Data() / "Bilder/albums.dat"), own);
    EXPECT_FALSE(fs::exists(Data() / "Bilder/album0.zip"));
    EXPECT_EQ(ReadBytes(Data() / "Rahmen/album0.zip"), "mine");
    EXPECT_FALSE(fs::exists(Data() / "Rahmen/albums.dat"));
    EXPECT_EQ(ReadBytes(Data() / "Vorlagen/Templ.dat"), "Meine;A4\n");
    EXPECT_TRUE(fs::exists(Data() / "Cliparts/albums.dat")) << "other kinds get the shipped lists";
}

} // namespace
