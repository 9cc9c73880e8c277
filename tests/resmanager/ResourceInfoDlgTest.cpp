// The resource information dialog: the file facts of a real JPEG and of a missing file, the comments
// button, the picture fitted into its well and the long path cut in its middle, read from the pixels.

#include "resmanager/ResourceInfoDlg.h"

#include "image/PictureInfo.h"
#include "library/DSAlbum.h"
#include "library/Photo.h"
#include "library/ResType.h"
#include "library/Stencil.h"
#include "platform/gdi/Dc.h"
#include "tests/albums/AlbumDialogsFixture.h"
#include "tests/support/RunTool.h"

#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

constexpr UINT kTemplate = 596;
constexpr COLORREF kWellGrey = RGB(221, 221, 221);
constexpr COLORREF kThumbnailRed = RGB(200, 20, 20);

struct FitCase {
    const char* name;
    CRect well;
    CSize picture;
    CRect fitted;
};

TEST(ResourceInfoFitTest, KeepsProportionsWithEqualBands) {
    const FitCase cases[] = {
        {"square in a wide well leaves two 50-pixel bands", CRect(0, 0, 200, 100), CSize(100, 100),
         CRect(50, 0, 150, 100)},
        {"wide in a tall well is centred vertically", CRect(10, 20, 110, 220), CSize(200, 100),
         CRect(10, 95, 110, 145)},
        {"equal proportions fill the well", CRect(16, 16, 216, 166), CSize(400, 300),
         CRect(16, 16, 216, 166)},
        {"the difference is truncated, then halved", CRect(0, 0, 200, 100), CSize(3, 1),
         CRect(0, 16, 200, 84)},
        {"an odd difference leaves the extra pixel at the end", CRect(0, 0, 201, 100), CSize(1, 1),
         CRect(50, 0, 151, 100)},
        {"an empty picture keeps the well", CRect(0, 0, 200, 100), CSize(0, 0), CRect(0, 0, 200, 100)},
    };
    for (const FitCase& c : cases)
        EXPECT_EQ(CResourceInfoDlg::FitPicture(c.well, c.picture.cx, c.picture.cy), c.fitted) << c.name;
}

class ResourceInfoDlgTest : public AlbumDialogsTest {
protected:
    void SetUp() override {
        AlbumDialogsTest::SetUp();
        Photos()->SetName("Meine Fotos");
        m_album = m_manager->CreateAlbum(Photos(), "Urlaub");
        ASSERT_NE(m_album, nullptr);
    }

    // Runs the dialog for the entry; step runs inside its loop, and the dialog ends after it.
    static void Run(CDSObj* entry, CWnd* owner, const std::function<void(CResourceInfoDlg&)>& step) {
        CResourceInfoDlg dialog(entry, kTemplate, owner);
        QTimer::singleShot(0, [&] {
            PumpMessages();
            step(dialog);
            dialog.EndDialog(IDOK);
        });
        ASSERT_EQ(dialog.DoModal(), IDOK);
    }

    static CString Text(CDialog& dialog, int id) {
        CString text;
        dialog.GetDlgItemText(id, text);
        return text;
    }

    static CRect ControlRect(CDialog& dialog, int id) {
        CRect rect;
        dialog.GetDlgItem(id)->GetWindowRect(&rect);
        dialog.ScreenToClient(&rect);
        return rect;
    }

    // A photo of the album for a file of the photo folder with a one-colour thumbnail.
    CPhoto* AddThumbnailPhoto(const CString& fileName, CSize thumbnail) {
        CPhoto* photo = AddPhoto(m_album, fileName, "Strand", thumbnail);
        if (photo)
            photo->SetThumbnail(CPictureInfo::CreateFilled(thumbnail, kThumbnailRed, 24));
        return photo;
    }

    CDSAlbum* m_album = nullptr;
};

TEST_F(ResourceInfoDlgTest, ShowsTheFactsOfTheEntryAndItsFile) {
    const CString path = PhotoFolder() + "/strand.jpg";
    ASSERT_EQ(RunTool("/usr/bin/convert -size 40x30 xc:blue '" + std::string(path.str()) + "'"), 0);
    CPhoto* photo = AddPhoto(m_album, "strand.jpg", "Am Strand");
    ASSERT_NE(photo, nullptr);
    std::vector<CString> shown;
    bool commentsShown = true;
    Run(photo, &m_owner, [&](CResourceInfoDlg& dialog) {
        for (const int id : {1268, 1058, 1270, 1013, 1014, 1273, 1274, 1275})
            shown.push_back(Text(dialog, id));
        commentsShown = dialog.GetDlgItem(1238)->IsWindowVisible();
    });
    const CString size = std::to_string(std::filesystem::file_size(path.str())).c_str();
    EXPECT_EQ(shown, (std::vector<CString>{"/strand.jpg", "Am Strand", "Meine Fotos", "40", "30", "24", size,
                                           "JPEG"}));
    EXPECT_FALSE(commentsShown);
}

TEST_F(ResourceInfoDlgTest, FileThatCannotBeReadShowsZerosAndDashes) {
    WritePicture("kaputt.jpg", CSize(4, 3), RGB(1, 2, 3));
    std::filesystem::resize_file(std::string((PhotoFolder() + "/kaputt.jpg").str()), 10);
    for (const char* fileName : {"fehlt.jpg", "kaputt.jpg"}) {
        CPhoto* photo = AddPhoto(m_album, fileName, "Fehlt");
        ASSERT_NE(photo, nullptr);
        std::vector<CString> shown;
        Run(photo, &m_owner, [&](CResourceInfoDlg& dialog) {
            for (const int id : {1013, 1014, 1273, 1274, 1275})
                shown.push_back(Text(dialog, id));
        });
        EXPECT_EQ(shown, (std::vector<CString>{"0", "0", "0", "0", "---"})) << fileName;
    }
}

TEST_F(ResourceInfoDlgTest, CommentsButtonShowsOnlyForAFileWithComments) {
    const CString path = PhotoFolder() + "/kommentar.jpg";
    ASSERT_EQ(RunTool("/usr/bin/convert -size 8x8 xc:red '" + std::string(path.str()) + "'"), 0);
    ASSERT_EQ(RunTool("exiftool -overwrite_original -Artist='Anna Berger' '" + std::string(path.str()) +
                      "' >/dev/null"),
              0);
    CPhoto* photo = AddPhoto(m_album, "kommentar.jpg", "Mit Kommentar");
    ASSERT_NE(photo, nullptr);
    bool commentsShown = false;
    Run(photo, &m_owner,
        [&](CResourceInfoDlg& dialog) { commentsShown = dialog.GetDlgItem(1238)->IsWindowVisible(); });
    EXPECT_TRUE(commentsShown);
}

TEST_F(ResourceInfoDlgTest, SquareThumbnailInAWideWellLeavesTwoEqualBands) {
    CPhoto* photo = AddThumbnailPhoto("quadrat.bmp", CSize(100, 100));
    ASSERT_NE(photo, nullptr);
    std::vector<COLORREF> row;
    CRect well;
    Run(photo, &m_owner, [&](CResourceInfoDlg& dialog) {
        CWnd* wellControl = dialog.GetDlgItem(1065);
        well = ControlRect(dialog, 1065);
        well.right = well.left + 200;
        well.bottom = well.top + 100;
        wellControl->MoveWindow(&well);
        dialog.Invalidate();
        dialog.UpdateWindow();
        CDC* dc = dialog.GetDC();
        for (int x = well.left - 3; x < well.right + 3; ++x)
            row.push_back(dc->GetPixel(x, well.top + 50));
        dialog.ReleaseDC(dc);
    });
    ASSERT_EQ(row.size(), 206u);
    // The edges, then 50 grey, 100 red and 50 grey pixels.
    EXPECT_EQ(row[1], RGB(238, 238, 238));
    EXPECT_EQ(row[204], RGB(68, 68, 68));
    for (size_t i = 3; i < 203; ++i) {
        const size_t x = i - 3;
        EXPECT_EQ(row[i], x < 50 || x >= 150 ? kWellGrey : kThumbnailRed) << "column " << x;
    }
}

TEST_F(ResourceInfoDlgTest, LongPathIsCutInTheMiddleOnOneLine) {
    // Three paths twice as long as the path's place: the second differs from the first only in its
    // middle, the third only in its last letter.
    const std::string start = "/Urlaub/" + std::string(60, 'a') + "/";
    const std::string end = "/" + std::string(60, 'z') + "/bild-";
    const CString paths[] = {
        (start + std::string(20, 'm') + end + "a.jpg").c_str(),
        (start + std::string(20, 'w') + end + "a.jpg").c_str(),
        (start + std::string(20, 'm') + end + "b.jpg").c_str(),
    };
    std::vector<std::vector<COLORREF>> lines;
    std::vector<COLORREF> below;
    for (const CString& stored : paths) {
        CPhoto* photo = AddThumbnailPhoto("pfad.bmp", CSize(4, 3));
        ASSERT_NE(photo, nullptr);
        photo->SetFilePath(stored);
        photo->SetRelative(false);
        std::vector<COLORREF>& line = lines.emplace_back();
        Run(photo, &m_owner, [&](CResourceInfoDlg& dialog) {
            const CRect place = ControlRect(dialog, 1268);
            CDC* dc = dialog.GetDC();
            for (int y = place.top; y < place.bottom + 20; ++y)
                for (int x = place.left; x < place.right; ++x)
                    (y < place.bottom ? line : below).push_back(dc->GetPixel(x, y));
            dialog.ReleaseDC(dc);
        });
    }
    // The first and the last letters stay, the middle goes, and nothing wraps below the line.
    EXPECT_EQ(lines[0], lines[1]);
    EXPECT_NE(lines[0], lines[2]);
    EXPECT_EQ(std::count(below.begin(), below.end(), below.front()), static_cast<long>(below.size()));
}

TEST_F(ResourceInfoDlgTest, LoadedStencilShowsItsOwnPictureAndAnUnloadedOneItsThumbnail) {
    WritePicture("form.bmp", CSize(60, 60), RGB(0, 160, 0));
    for (const bool loaded : {true, false}) {
        CStencil stencil;
        stencil.SetFilePath(PhotoFolder() + "/form.bmp");
        stencil.SetThumbnail(CPictureInfo::CreateFilled(CSize(60, 60), kThumbnailRed, 24));
        if (loaded) {
            ASSERT_TRUE(stencil.LoadData());
        }
        ASSERT_EQ(stencil.IsLoaded(), loaded);
        COLORREF centre = 0;
        Run(&stencil, &m_owner, [&](CResourceInfoDlg& dialog) {
            centre = WindowPixel(&dialog, ControlRect(dialog, 1065).CenterPoint());
        });
        EXPECT_EQ(centre, loaded ? RGB(0, 160, 0) : kThumbnailRed) << loaded;
    }
}

} // namespace
