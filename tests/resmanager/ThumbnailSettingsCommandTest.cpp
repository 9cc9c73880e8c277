// Command 32896 of the object view: the thumbnail settings dialog answered while its modal loop runs;
// colours only keep the thumbnails, a new size makes a new thumbnail list, Cancel changes nothing.

#include "albums/BrowseFileSettingsDlg.h"
#include "platform/base/Profile.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/SliderCtrl.h"
#include "resmanager/ObjectsView.h"
#include "resmanager/ResManagerMessages.h"
#include "resmanager/ResManagerThumbnailSettings.h"
#include "skin/ColorPicker.h"
#include "skin/ColorPopup.h"
#include "tests/resmanager/ResManagerFixture.h"

#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr int kBackgroundPickerId = 1369;
constexpr int kTextPickerId = 1370;
constexpr int kThumbWidthSliderId = 6011;
constexpr COLORREF kNewBackground = RGB(20, 40, 60);
constexpr COLORREF kNewText = RGB(250, 250, 0);

class ThumbnailCommandTest : public ResManagerTest {
protected:
    // Sends the command; answer runs once the settings dialog is the active window, and ends it.
    void RunCommand(const std::function<void(CDialog&)>& answer) {
        QTimer watch;
        bool answered = false;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            auto* dialog = dynamic_cast<CBrowseFileSettingsDlg*>(CWnd::GetActiveWindow());
            if (!dialog || answered)
                return;
            answered = true;
            answer(*dialog);
        });
        watch.start(5);
        Objects()->SendMessage(WM_COMMAND, ID_RM_THUMBSETTINGS, 0);
        EXPECT_TRUE(answered);
    }

    static void ChooseColour(CDialog& dialog, int pickerId, COLORREF colour) {
        static_cast<CColorPicker*>(dialog.GetDlgItem(pickerId))->SetColor(colour);
        dialog.SendMessage(CPN_SELENDOK, 0, pickerId);
    }

    // The width slider one step on from 63: both sides become 64.
    static void ChooseSize64(CDialog& dialog) {
        auto* slider = static_cast<CSliderCtrl*>(dialog.GetDlgItem(kThumbWidthSliderId));
        slider->SetFocus();
        slider->SetPos(63);
        TypeKey(slider, Qt::Key_Right);
    }

    static void Press(CDialog& dialog, int id) {
        dialog.SendMessage(WM_COMMAND, MAKELONG(static_cast<WORD>(id), BN_CLICKED), 0);
    }

    static CSize ThumbnailSize(const CImageList* list) {
        int cx = 0;
        int cy = 0;
        ImageList_GetIconSize(list->GetSafeHandle(), &cx, &cy);
        return CSize(cx, cy);
    }
};

// Size and spacing inside the dialog's ranges, so that only the colours change.
TEST_F(ThumbnailCommandTest, ColoursOnlyRecolourTheListAndKeepItsThumbnails) {
    for (const char* key : {"thumbcx", "thumbcy"})
        WriteProfileInt(kResManagerThumbnailSection, key, 60);
    for (const char* key : {"spacingcx", "spacingcy"})
        WriteProfileInt(kResManagerThumbnailSection, key, 30);
    CDSAlbum* album = MakeAlbum("Urlaub", 3);
    ASSERT_NE(album, nullptr);
    ASSERT_NE(OpenFrame(), nullptr);
    ASSERT_EQ(Objects()->ShowAlbum(album), 0);
    CListCtrl& list = Objects()->GetListCtrl();
    CImageList* thumbnails = Objects()->GetThumbnailList();
    // Showing the album again would make all three thumbnails anew.
    ASSERT_TRUE(thumbnails->Remove(2));
    const BrowseThumbnailSettings before = Objects()->GetSettings();

    RunCommand([](CDialog& dialog) {
        ChooseColour(dialog, kBackgroundPickerId, kNewBackground);
        ChooseColour(dialog, kTextPickerId, kNewText);
        Press(dialog, IDOK);
    });

    EXPECT_EQ(Objects()->GetSettings().backgroundColor, kNewBackground);
    EXPECT_EQ(Objects()->GetSettings().textColor, kNewText);
    EXPECT_EQ(Objects()->GetSettings().thumbWidth, before.thumbWidth);
    EXPECT_EQ(list.GetBkColor(), kNewBackground);
    EXPECT_EQ(list.GetTextColor(), kNewText);
    EXPECT_EQ(Objects()->GetThumbnailList(), thumbnails) << "no thumbnail list made anew";
    EXPECT_EQ(thumbnails->GetImageCount(), 2) << "no thumbnail made anew";
    EXPECT_EQ(list.GetItemCount(), 3);
}

TEST_F(ThumbnailCommandTest, ANewSizeInKindModeMakesAnEmptyListOfThatSize) {
    ASSERT_NE(MakeAlbum("Urlaub", 1), nullptr);
    ASSERT_NE(OpenFrame(), nullptr);
    ASSERT_EQ(Objects()->ShowResType(Photos()), 0);
    const int albums = Objects()->GetListCtrl().GetItemCount();

    RunCommand([](CDialog& dialog) {
        ChooseSize64(dialog);
        Press(dialog, IDOK);
    });

    EXPECT_EQ(Objects()->GetSettings().thumbWidth, 64);
    EXPECT_EQ(Objects()->GetSettings().thumbHeight, 64);
    ASSERT_NE(Objects()->GetThumbnailList(), nullptr);
    EXPECT_EQ(ThumbnailSize(Objects()->GetThumbnailList()), CSize(64, 64));
    EXPECT_EQ(Objects()->GetThumbnailList()->GetImageCount(), 0);
    EXPECT_EQ(Objects()->GetListCtrl().GetItemCount(), albums) << "the kind's albums stay listed";
}

TEST_F(ThumbnailCommandTest, CancelChangesNothing) {
    CDSAlbum* album = MakeAlbum("Urlaub", 2);
    ASSERT_NE(album, nullptr);
    ASSERT_NE(OpenFrame(), nullptr);
    ASSERT_EQ(Objects()->ShowAlbum(album), 0);
    const CImageList* thumbnails = Objects()->GetThumbnailList();
    const BrowseThumbnailSettings before = Objects()->GetSettings();
    const COLORREF background = Objects()->GetListCtrl().GetBkColor();

    RunCommand([](CDialog& dialog) {
        ChooseColour(dialog, kBackgroundPickerId, kNewBackground);
        ChooseSize64(dialog);
        Press(dialog, IDCANCEL);
    });

    EXPECT_EQ(Objects()->GetSettings(), before);
    EXPECT_EQ(Objects()->GetThumbnailList(), thumbnails);
    EXPECT_EQ(ThumbnailSize(thumbnails), CSize(before.thumbWidth, before.thumbHeight));
    EXPECT_EQ(Objects()->GetListCtrl().GetBkColor(), background);
    EXPECT_EQ(Objects()->GetListCtrl().GetItemCount(), 2);
}

} // namespace
