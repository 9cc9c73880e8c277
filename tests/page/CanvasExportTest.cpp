// Page pictures and the HTML export: the files and their order, the positions in the HTML, the page put
// together from them by ImageMagick, names that need encoding read back by Python's HTML parser, tidy's
// verdict, the GIFs' transparency as ImageMagick sees it, a failure midway, and temporary bitmaps that
// never stay, also after message 165.

#include "image/ExtMgr.h"
#include "image/ImageGIF.h"
#include "image/PictureInfo.h"
#include "page/DrawImage.h"
#include "page/DrawText.h"
#include "platform/base/Arrays.h"
#include "tests/page/CanvasFixture.h"
#include "tests/support/RunTool.h"
#include "tests/support/TempFolder.h"

#include <QDir>
#include <cstdlib>
#include <filesystem>
#include <gmock/gmock.h>
#include <optional>
#include <regex>

using ::testing::ElementsAre;

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Names(const CStringArray& files) {
    std::vector<std::string> names;
    for (INT_PTR i = 0; i < files.GetSize(); ++i)
        names.emplace_back(fs::path(files[i].GetString()).filename().string());
    return names;
}

// The (top, left) of every div in order.
std::vector<std::pair<int, int>> Places(const std::string& html) {
    std::vector<std::pair<int, int>> places;
    const std::regex div("top:(-?[0-9]+); left:(-?[0-9]+);");
    for (auto it = std::sregex_iterator(html.begin(), html.end(), div); it != std::sregex_iterator(); ++it)
        places.emplace_back(std::stoi((*it)[1]), std::stoi((*it)[2]));
    return places;
}

// Every div's image with its place, in the order the page stacks them.
struct PlacedImage {
    int top;
    int left;
    std::string source;
};

std::vector<PlacedImage> PlacedImages(const std::string& html) {
    std::vector<PlacedImage> images;
    const std::regex div("top:(-?[0-9]+); left:(-?[0-9]+);\">\r\n<img src=\"([^\"]+)\">");
    for (auto it = std::sregex_iterator(html.begin(), html.end(), div); it != std::sregex_iterator(); ++it)
        images.push_back({std::stoi((*it)[1]), std::stoi((*it)[2]), (*it)[3]});
    return images;
}

std::string Quoted(const CString& path) {
    std::string quoted = "'";
    for (const char c : std::string(path.GetString()))
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// TMPDIR set to a folder for the object's lifetime.
class ScopedTmpdir {
public:
    explicit ScopedTmpdir(const CString& folder) {
        if (const char* previous = std::getenv("TMPDIR"))
            m_previous = previous;
        setenv("TMPDIR", folder.GetString(), 1);
    }
    ~ScopedTmpdir() {
        if (m_previous)
            setenv("TMPDIR", m_previous->c_str(), 1);
        else
            unsetenv("TMPDIR");
    }
    ScopedTmpdir(const ScopedTmpdir&) = delete;
    ScopedTmpdir& operator=(const ScopedTmpdir&) = delete;

private:
    std::optional<std::string> m_previous;
};

class CanvasExportTest : public CanvasFixture {
protected:
    void SetUp() override {
        CanvasFixture::SetUp();
        m_codecs2.LoadPlugins();
        m_text = Add(Text(CRect(200, 150, 1200, 450), "Hallo"));
        m_text->SetTemplate(m_host.m_page.get());
        m_picture = Add(SolidPicture(CRect(300, 600, 1800, 1800), 0x3366CC, 4, 3));
        m_picture->SetStateFlag(false);
        m_picture->SetMat(BorderMat().release());
        ASSERT_TRUE(m_canvas->RedrawTemplate());
    }

    // A mat whose left tenth is a brown border: its mask is white where the mat covers the page.
    std::unique_ptr<CMat> BorderMat() {
        std::vector<unsigned> frame(100, 0xFFFFFF);
        std::vector<unsigned> mask(100, 0x000000);
        for (int y = 0; y < 10; ++y) {
            frame[static_cast<size_t>(y * 10)] = 0x804020;
            mask[static_cast<size_t>(y * 10)] = 0xFFFFFF;
        }
        WriteBmp(Res("rand.bmp"), 10, 10, frame);
        WriteBmp(Res("rand.msk"), 10, 10, mask);
        WriteFile(Res("rand.frm"), "100\n100\n10\n1\n98\n98\nRand\n");
        auto mat = std::make_unique<CMat>();
        mat->SetFilePath(Res("rand.bmp"));
        mat->LoadData();
        return mat;
    }

    CString Out(const char* name) const { return m_out.Path() + "/" + name; }

    CExtMgr m_codecs2{VC_PROGRAM_DIR};
    TempFolder m_out;
    CDrawText* m_text = nullptr;
    CDrawImage* m_picture = nullptr;
};

TEST_F(CanvasExportTest, ObjectsBecomeFilesInLayerOrderAtTheirPageCoordinates) {
    CStringArray files;
    ASSERT_TRUE(m_canvas->ExportHtml(Out("page.htm"), files, 2100, 0xFFFFFF));
    EXPECT_THAT(Names(files), ElementsAre("page1.gif", "page3.jpg", "page2.gif"));
    const std::string html = ReadFile(Out("page.htm"));
    EXPECT_EQ(html.rfind("<HTML><HEAD><TITLE>Name</TITLE></HEAD><BODY BGCOLOR=#FFFFFF>", 0), 0U);
    EXPECT_NE(html.find("</A></BODY></HTML>"), std::string::npos);
    // Width 2100 across a 2100 page: scale 1, so the divs stand at page coordinates; the mat's opening
    // begins 10 / 102 of the frame's 1500 to the right.
    EXPECT_THAT(Places(html), ElementsAre(std::pair{150, 200}, std::pair{600, 447}, std::pair{600, 300}));
    for (INT_PTR i = 0; i < files.GetSize(); ++i)
        EXPECT_TRUE(fs::is_regular_file(files[i].GetString())) << files[i].GetString();

    const int tidy = RunTool("tidy -q -e " + Quoted(Out("page.htm")) + " 2>/dev/null");
    EXPECT_GE(tidy, 0);
    EXPECT_LT(tidy, 2) << "warnings only";
}

// A browser stacks the images at their places on the background; ImageMagick does the same, and the result
// is the page picture but for the JPEG's and the GIFs' losses.
TEST_F(CanvasExportTest, TheImagesAtTheirPlacesMakeThePagePicture) {
    const OwnedPicture page(m_canvas->RenderPagePicture());
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(page->WriteBmpFile(Out("seite.bmp")));
    CStringArray files;
    ASSERT_TRUE(m_canvas->ExportHtml(Out("page.htm"), files, page->GetWidth(), 0xFFFFFF));
    const std::vector<PlacedImage> images = PlacedImages(ReadFile(Out("page.htm")));
    ASSERT_EQ(images.size(), 3U);
    std::string command = "cd " + Quoted(m_out.Path()) + " && /usr/bin/convert -size " +
                          std::to_string(page->GetWidth()) + "x" + std::to_string(page->GetHeight()) +
                          " xc:white";
    for (const PlacedImage& image : images)
        command += " " + Quoted(image.source.c_str()) + " -geometry +" + std::to_string(image.left) + "+" +
                   std::to_string(image.top) + " -composite";
    ASSERT_EQ(RunTool(command + " -type TrueColor BMP3:zusammen.bmp"), 0);
    // Pixels that differ by more than the GIF colour cube's dithering (a fifth), of all the page's: the
    // edges may lie a pixel or two apart, as the page picture rounds its scale down.
    std::string differing;
    RunTool("/usr/bin/compare -metric AE -fuzz 20% " + Quoted(Out("zusammen.bmp")) + " " +
                Quoted(Out("seite.bmp")) + " null: 2>&1",
            &differing);
    ASSERT_FALSE(differing.empty());
    const double pixels = double(page->GetWidth()) * page->GetHeight();
    EXPECT_LT(std::stod(differing), pixels / 100) << differing << " of " << pixels;
    // The picture's blue fills its place in both.
    std::string mean;
    ASSERT_EQ(RunTool("/usr/bin/convert " + Quoted(Out("zusammen.bmp")) +
                          " -crop 300x300+200+250 -format "
                          "'%[fx:mean.b*255]' info:",
                      &mean),
              0);
    EXPECT_NEAR(std::stod(mean), 0xCC, 8) << "the mat's opening shows the picture";
}

TEST_F(CanvasExportTest, GifsAreTransparentExactlyAtTheBackgroundEntry) {
    CStringArray files;
    ASSERT_TRUE(m_canvas->ExportHtml(Out("seite.htm"), files, 700, 0xFFFFFF));
    for (const char* name : {"seite1.gif", "seite2.gif"}) {
        CImageGIF gif;
        ASSERT_TRUE(gif.Read(Out(name))) << name;
        const int transparent = gif.GetTransparentIndex();
        std::string alpha;
        ASSERT_EQ(
            RunTool("/usr/bin/convert " + Quoted(Out(name)) + " -alpha extract -depth 8 gray:-", &alpha), 0);
        ASSERT_EQ(alpha.size(), static_cast<size_t>(gif.GetWidth() * gif.GetHeight())) << name;
        int mismatches = 0;
        int clear = 0;
        for (int y = 0; y < gif.GetHeight(); ++y)
            for (int x = 0; x < gif.GetWidth(); ++x) {
                // ImageMagick's rows run from the top; the image's from the bottom.
                const bool seeThrough = alpha[static_cast<size_t>(y * gif.GetWidth() + x)] == 0;
                const bool background = gif.GetPixelIndex(x, gif.GetHeight() - 1 - y) == transparent;
                mismatches += seeThrough != background;
                clear += seeThrough;
            }
        EXPECT_EQ(mismatches, 0) << name;
        EXPECT_GT(clear, 0) << name;
    }
}

TEST_F(CanvasExportTest, NamesThatNeedEncodingReadBackToTheirFiles) {
    const CString folder = Out("Mappe.alt");
    QDir().mkpath(folder.GetString());
    struct NameCase {
        const char* page;
        const char* firstImage;
    };
    const NameCase cases[] = {{"seite", "seite1.gif"}, {"Fotos \"Ä & <b>\".htm", "Fotos \"Ä & <b>\"1.gif"}};
    for (const NameCase& c : cases) {
        CStringArray files;
        const CString page = folder + "/" + c.page;
        ASSERT_TRUE(m_canvas->ExportHtml(page, files, 700, 0xFFFFFF)) << c.page;
        EXPECT_EQ(Names(files)[0], c.firstImage) << "a dot in the folder's name is no extension";
        const std::string sources =
            ToolOutput("/usr/bin/python3 " VC_SOURCE_DIR "/tests/page/html_sources.py " + Quoted(page));
        EXPECT_EQ(sources, std::string(c.firstImage) + " exists\n" + Names(files)[1] + " exists\n" +
                               Names(files)[2] + " exists\n")
            << c.page;
    }
}

TEST_F(CanvasExportTest, AFailureMidwayLeavesNoHtmlAndListsWhatWasWritten) {
    fs::create_directory(Out("page3.jpg").GetString()); // the picture cannot be written there
    CStringArray files;
    EXPECT_FALSE(m_canvas->ExportHtml(Out("page.htm"), files, 2100, 0xFFFFFF));
    EXPECT_FALSE(fs::exists(Out("page.htm").GetString()));
    EXPECT_THAT(Names(files), ElementsAre("page1.gif", "page2.gif"));
    size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(m_out.Path().GetString()))
        ++entries;
    EXPECT_EQ(entries, 3U) << "the two images and the blocking folder, no temporary page";
}

TEST_F(CanvasExportTest, PagePicturesAndTheirTemporaryBitmaps) {
    CPictureInfo* picture = m_canvas->RenderPagePicture();
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->GetWidth(), 700);
    EXPECT_EQ(picture->GetHeight(), 990);
    picture->Release();
    picture = m_canvas->RenderPagePictureScaled(50);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->GetWidth(), 350) << "2100 / 3 x 50 / 100";
    EXPECT_EQ(picture->GetHeight(), 495);
    picture->Release();

    TempFolder temporary;
    CStringArray files;
    {
        const ScopedTmpdir tmpdir(temporary.Path());
        EXPECT_TRUE(m_canvas->SavePageImageAs(Out("seite.bmp")));
        EXPECT_TRUE(m_canvas->SavePageImageScaled(Out("klein.bmp"), 20));
        EXPECT_TRUE(m_canvas->ExportHtmlImage(Out("ganz.htm"), files));
        CStringArray objectFiles;
        EXPECT_TRUE(m_canvas->ExportHtml(Out("page.htm"), objectFiles, 2100, 0xFFFFFF));
        EXPECT_FALSE(m_canvas->SavePageImageAs(Out("kein/Ordner/seite.bmp")));
    }
    EXPECT_TRUE(fs::is_empty(temporary.Path().GetString())) << "no temporary bitmap stays";
    EXPECT_THAT(Names(files), ElementsAre("ganz.jpg"));
    EXPECT_NE(ReadFile(Out("ganz.htm")).find("<IMG SRC=\"ganz.jpg\" >"), std::string::npos);
    CPictureInfo small;
    ASSERT_TRUE(small.ReadBmpFile(Out("klein.bmp")));
    EXPECT_EQ(small.GetWidth(), 140);
}

// A temporary bitmap that no codec reads back: message 165, nothing saved (no HTML page either), and the
// bitmap is gone.
TEST_F(CanvasExportTest, APagePictureThatCannotBeCachedGivesMessage165AndLeavesNoFile) {
    TempFolder temporary;
    TempFolder noPlugins;
    {
        const ScopedTmpdir tmpdir(temporary.Path());
        const CExtMgr withoutCodecs(noPlugins.Path()); // the current manager while it lives
        m_app.ClearMessages();
        EXPECT_FALSE(m_canvas->SavePageImageAs(Out("seite.jpg")));
        EXPECT_FALSE(m_canvas->SavePageImageScaled(Out("klein.jpg"), 20));
        CStringArray files;
        EXPECT_FALSE(m_canvas->ExportHtmlImage(Out("ganz.htm"), files));
        EXPECT_EQ(files.GetSize(), 0);
    }
    EXPECT_THAT(m_app.MessageIds(), ElementsAre(165U, 165U, 165U));
    EXPECT_TRUE(fs::is_empty(temporary.Path().GetString())) << "no temporary bitmap stays";
    EXPECT_TRUE(fs::is_empty(m_out.Path().GetString())) << "nothing saved";
}

} // namespace
