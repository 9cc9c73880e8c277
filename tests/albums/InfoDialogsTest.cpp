// The information and delete dialogs: the shortened path, the thumbnail's place, the comments of real
// files written by tiffset and exiftool, the photo's facts and edits, and the delete options.

#include "albums/DeleteImageDlg.h"
#include "albums/ExInfoDlg.h"
#include "albums/ImageFileComments.h"
#include "albums/PhotoInfoDlg.h"
#include "albums/ShortenPath.h"
#include "library/DSAlbum.h"
#include "library/Photo.h"
#include "page/PageDialogs.h"
#include "platform/base/Time.h"
#include "platform/imaging/ImagingComment.h"
#include "platform/ui/ListCtrl.h"
#include "tests/albums/AlbumDialogsFixture.h"
#include "tests/support/RunTool.h"

#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct ShortenCase {
    const char* name;
    CString path;
    int maxLength;
    CString shown;
};

TEST(ShortenPathTest, CutsTheMiddleOfLongPathsOnly) {
    const CString seventy = "/home/anna/Bilder/Urlaub/2001/" + CString(std::string(36, 'a').c_str()) + ".jpg";
    ASSERT_EQ(seventy.GetLength(), 70);
    const CString seventyOne =
        "/home/anna/Bilder/Urlaub/2001/" + CString(std::string(37, 'a').c_str()) + ".jpg";
    const ShortenCase cases[] = {
        {"exactly the limit stays whole", seventy, 70, seventy},
        {"one more is cut", seventyOne, 70,
         "/home/anna/Bilder/.../2001/" + CString(std::string(37, 'a').c_str()) + ".jpg"},
        {"last folder appended overshoots the room", "C:/Eigene Dateien/Bilder/Urlaub/2001/bild.jpg", 30,
         "C:/Eigene Dateien/.../2001/bild.jpg"},
        {"a path without two slashes stays whole", "C:/" + CString(std::string(80, 'b').c_str()), 30,
         "C:/" + CString(std::string(80, 'b').c_str())},
    };
    for (const ShortenCase& c : cases)
        EXPECT_EQ(ShortenPath(c.path, c.maxLength), c.shown) << c.name;
}

TEST(PhotoInfoLayoutTest, ThumbnailIsScaledToFitAndCentred) {
    const CRect frame(16, 16, 216, 116);
    EXPECT_EQ(CPhotoInfoDlg::ThumbnailRect(frame, CSize(100, 100)), CRect(66, 16, 166, 116));
    EXPECT_EQ(CPhotoInfoDlg::ThumbnailRect(frame, CSize(400, 100)), CRect(16, 41, 216, 91));
    EXPECT_EQ(CPhotoInfoDlg::ThumbnailRect(frame, CSize(0, 0)).Width(), 0);
}

TEST(PhotoInfoLayoutTest, DateHasTheGermanMonthName) {
    EXPECT_EQ(CPhotoInfoDlg::FormatDate(CTime(2024, 3, 5, 12, 0, 0)), "05 März 2024");
    EXPECT_EQ(CPhotoInfoDlg::FormatDate(CTime(2001, 12, 24, 12, 0, 0)), "24 Dezember 2001");
}

class InfoDialogsTest : public AlbumDialogsTest {
protected:
    // Runs the dialog; step runs inside its loop and must end it.
    static INT_PTR Run(CDialog& dialog, std::function<void()> step) {
        QTimer::singleShot(0, std::move(step));
        return dialog.DoModal();
    }
    static void Press(CWnd& dialog, int id) { ClickAt(dialog.GetDlgItem(id), CPoint(5, 5)); }
    // Presses a button of the dialog that the code under test runs.
    static void PressWhenShown(int id) {
        QTimer::singleShot(0, [id] {
            CDialog* dialog = nullptr;
            for (int i = 0; i < 200 && !dialog; ++i) {
                dialog = dynamic_cast<CDialog*>(CWnd::GetActiveWindow());
                if (!dialog)
                    PumpMessages();
            }
            ASSERT_NE(dialog, nullptr);
            Press(*dialog, id);
        });
    }

    // A one-colour file made by ImageMagick, then tagged by a tool; its path.
    CString MakeTagged(const CString& fileName, const std::string& tagger) {
        const CString path = PhotoFolder() + "/" + fileName;
        EXPECT_EQ(RunTool("/usr/bin/convert -size 8x8 xc:red '" + std::string(path.str()) + "'"), 0);
        if (!tagger.empty()) {
            EXPECT_EQ(RunTool(tagger + " '" + std::string(path.str()) + "' >/dev/null"), 0) << tagger;
        }
        return path;
    }

    static std::string Comment(const CString& path, int type) {
        std::vector<char> buffer(kImageFileCommentSize);
        const int length = ReadImagingFileComment(path, type, buffer.data(), kImageFileCommentSize);
        if (type != kCommentFlash) { // the flash byte may be 0
            EXPECT_EQ(length, static_cast<int>(std::string(buffer.data()).size()));
        }
        return std::string(buffer.data(), static_cast<size_t>(std::max(length, 0)));
    }
};

TEST_F(InfoDialogsTest, ReadsTiffTextTagsSetByTiffset) {
    const CString path = MakeTagged("getaggt.tif", "tiffset -s 315 'Anna Berger'");
    RunTool("tiffset -s 270 'Sonnenuntergang am Meer' '" + std::string(path.str()) + "'");
    RunTool("tiffset -s 33432 '© 2024 Anna' '" + std::string(path.str()) + "'");
    EXPECT_EQ(Comment(path, kCommentArtist), "Anna Berger");
    EXPECT_EQ(Comment(path, kCommentDescription), "Sonnenuntergang am Meer");
    EXPECT_EQ(Comment(path, kCommentCopyright), "© 2024 Anna");
    EXPECT_EQ(Comment(path, kCommentMake), "");
    EXPECT_EQ(Comment(path, kCommentFlash), "");
    EXPECT_TRUE(ImageFileHasComments(path));
}

TEST_F(InfoDialogsTest, ReadsJpegExifSetByExiftool) {
    const CString path = MakeTagged(
        "kamera.jpg",
        "exiftool -overwrite_original -Artist='Anna Berger' -Make=Kamerawerk -Model='KW 10' "
        "-DateTimeOriginal='2024:03:05 10:11:12' -ExposureTime=1/125 -FocalLength=5.8 -EXIF:Flash#=25 "
        "-UserComment='Am Strand' -Copyright='Anna'");
    EXPECT_EQ(Comment(path, kCommentArtist), "Anna Berger");
    EXPECT_EQ(Comment(path, kCommentMake), "Kamerawerk");
    EXPECT_EQ(Comment(path, kCommentModel), "KW 10");
    EXPECT_EQ(Comment(path, kCommentDateTaken), "2024:03:05 10:11:12");
    EXPECT_NE(Comment(path, kCommentExposureTime).find("1/125"), std::string::npos);
    EXPECT_NE(Comment(path, kCommentFocalLength).find("5.8"), std::string::npos);
    EXPECT_EQ(Comment(path, kCommentFlash), std::string(1, '\1'));
    EXPECT_EQ(Comment(path, kCommentUserComment), "Am Strand");
    EXPECT_EQ(Comment(path, kCommentCopyright), "Anna");
    EXPECT_EQ(Comment(path, kCommentDescription), "");
}

TEST_F(InfoDialogsTest, FlashThatDidNotFireIsZero) {
    const CString path = MakeTagged("ohneblitz.jpg", "exiftool -overwrite_original -EXIF:Flash#=16");
    EXPECT_EQ(Comment(path, kCommentFlash), std::string(1, '\0'));
}

TEST_F(InfoDialogsTest, CommentFillingTheBufferIsCutBeforeItsEnd) {
    const CString path =
        MakeTagged("lang.jpg", "exiftool -overwrite_original -Artist=" + std::string(1500, 'x'));
    EXPECT_EQ(Comment(path, kCommentArtist), std::string(1023, 'x'));
}

TEST_F(InfoDialogsTest, FilesWithoutCommentsHaveNone) {
    EXPECT_FALSE(ImageFileHasComments(MakeTagged("leer.jpg", "")));
    WritePicture("leer.bmp", CSize(4, 3), RGB(1, 2, 3));
    EXPECT_FALSE(ImageFileHasComments(PhotoFolder() + "/leer.bmp"));
    EXPECT_FALSE(ImageFileHasComments(PhotoFolder() + "/fehlt.jpg"));
}

TEST_F(InfoDialogsTest, FileInformationListsNamedRowsAndTheFlashText) {
    MakeTagged("liste.jpg", "exiftool -overwrite_original -Make=Kamerawerk -EXIF:Flash#=25 -Artist=Anna");
    CDSAlbum* album = m_manager->CreateAlbum(Photos(), "Urlaub");
    ASSERT_NE(album, nullptr);
    CPhoto* photo = AddPhoto(album, "liste.jpg", "Liste");
    ASSERT_NE(photo, nullptr);
    CExInfoDlg dialog(photo, &m_owner);
    std::vector<std::string> rows;
    Run(dialog, [&] {
        auto* list = static_cast<CListCtrl*>(dialog.GetDlgItem(1021));
        for (int i = 0; i < list->GetItemCount(); ++i)
            rows.push_back(std::string(list->GetItemText(i, 0).str()) + "=" + list->GetItemText(i, 1).str());
        dialog.EndDialog(IDOK);
    });
    EXPECT_EQ(rows,
              (std::vector<std::string>{"Künstler=Anna", "Kamerahersteller=Kamerawerk", "Blitz=ausgelöst"}));
}

TEST_F(InfoDialogsTest, PhotoInformationShowsTheFileAndStoresTheEdits) {
    CDSAlbum* album = MakeAlbum("Urlaub", 1);
    ASSERT_NE(album, nullptr);
    auto* photo = static_cast<CPhoto*>(album->GetHeadObject());
    photo->SetTitle("");
    photo->SetDescription("Am Meer");
    FakeAlbumDlg albumDialog;
    ASSERT_TRUE(albumDialog.Open(album));
    CPhotoInfoDlg dialog(photo, &albumDialog);
    CString size, type, date, title;
    BOOL modifiedAtStart = TRUE;
    COLORREF thumbnailCentre = 0;
    EXPECT_EQ(Run(dialog,
                  [&] {
                      modifiedAtStart = albumDialog.m_modified;
                      PumpMessages();
                      CRect frame;
                      dialog.GetDlgItem(1065)->GetWindowRect(&frame);
                      dialog.ScreenToClient(&frame);
                      thumbnailCentre = WindowPixel(&dialog, frame.CenterPoint());
                      dialog.GetDlgItemText(1062, size);
                      dialog.GetDlgItemText(1063, type);
                      dialog.GetDlgItemText(1064, date);
                      dialog.GetDlgItemText(1101, title);
                      dialog.SetDlgItemText(1053, "Am Meer, abends");
                      dialog.SetDlgItemText(1101, "Abend");
                      Press(dialog, IDOK);
                  }),
              IDOK);
    EXPECT_FALSE(modifiedAtStart);
    EXPECT_EQ(thumbnailCentre, RGB(10, 100, 200));
    EXPECT_EQ(size, "4x3");
    EXPECT_EQ(type, "bmp");
    EXPECT_EQ(date, CPhotoInfoDlg::FormatDate(CTime::GetCurrentTime()));
    EXPECT_EQ(title, " ");
    EXPECT_EQ(photo->GetTitle(), "Abend");
    EXPECT_EQ(photo->GetDescription(), "Am Meer, abends");
    EXPECT_TRUE(albumDialog.m_modified);
}

TEST_F(InfoDialogsTest, EmptyTitleIsShownAndStoredAsOneBlank) {
    CDSAlbum* album = MakeAlbum("Urlaub", 1);
    ASSERT_NE(album, nullptr);
    CDSObj* photo = album->GetHeadObject();
    photo->SetTitle("");
    CPhotoInfoDlg dialog(photo, &m_owner);
    CString title;
    EXPECT_EQ(Run(dialog,
                  [&] {
                      dialog.GetDlgItemText(1101, title);
                      Press(dialog, IDOK);
                  }),
              IDOK);
    EXPECT_EQ(title, " ");
    EXPECT_EQ(photo->GetTitle(), " ");
}

TEST_F(InfoDialogsTest, PhotoWithoutFileShowsNoSizeAndNoDate) {
    CDSAlbum* album = m_manager->CreateAlbum(Photos(), "Urlaub");
    CPhoto* photo = AddPhoto(album, "fehlt.jpg", "Fehlt");
    ASSERT_NE(photo, nullptr);
    CPhotoInfoDlg dialog(photo, &m_owner);
    CString size, date;
    EXPECT_EQ(Run(dialog,
                  [&] {
                      dialog.GetDlgItemText(1062, size);
                      dialog.GetDlgItemText(1064, date);
                      Press(dialog, IDCANCEL);
                  }),
              IDCANCEL);
    EXPECT_EQ(size, "0x0");
    EXPECT_EQ(date, "-----");
    EXPECT_EQ(photo->GetTitle(), "Fehlt");
}

TEST_F(InfoDialogsTest, DeleteOptionsCycleAndThePictureFlagDisablesThem) {
    CDeleteImageDlg dialog(2, 1, &m_owner);
    std::vector<UINT> stencil;
    bool disabledWhilePictures = false, enabledAgain = false;
    EXPECT_EQ(Run(dialog,
                  [&] {
                      stencil.push_back(dialog.IsDlgButtonChecked(1104));
                      Press(dialog, 1104);
                      stencil.push_back(dialog.IsDlgButtonChecked(1104));
                      Press(dialog, 1104);
                      stencil.push_back(dialog.IsDlgButtonChecked(1104));
                      Press(dialog, 1105);
                      Press(dialog, 1107);
                      disabledWhilePictures = !dialog.GetDlgItem(1104)->IsWindowEnabled() &&
                                              !dialog.GetDlgItem(1105)->IsWindowEnabled();
                      Press(dialog, 1107);
                      enabledAgain = dialog.GetDlgItem(1104)->IsWindowEnabled() &&
                                     dialog.GetDlgItem(1105)->IsWindowEnabled();
                      Press(dialog, 1107);
                      Press(dialog, IDOK);
                  }),
              IDOK);
    EXPECT_EQ(stencil, (std::vector<UINT>{BST_INDETERMINATE, BST_UNCHECKED, BST_CHECKED}));
    EXPECT_TRUE(disabledWhilePictures);
    EXPECT_TRUE(enabledAgain);
    EXPECT_EQ(dialog.GetOption1(), 0);
    EXPECT_EQ(dialog.GetOption2(), 1);
    EXPECT_TRUE(dialog.GetOption3());
}

TEST_F(InfoDialogsTest, DeleteQuestionFillsTheCanvasOptionsOnOkOnly) {
    DeleteImageOptions options{7, 7, false};
    PressWhenShown(IDCANCEL);
    EXPECT_EQ(RunDeleteImageDlg(1, 0, options), IDCANCEL);
    EXPECT_EQ(options.mats, 7);
    PressWhenShown(IDOK);
    EXPECT_EQ(RunDeleteImageDlg(1, 0, options), IDOK);
    EXPECT_EQ(options.mats, 0);
    EXPECT_EQ(options.stencils, 1);
    EXPECT_FALSE(options.pictures);
}

} // namespace
