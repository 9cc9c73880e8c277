// Drag images: shown, moved, hidden and ended as the calls say, half translucent in the window's grab,
// combined with the pointer's picture; a list item's drag image holds its icon and its label.

#include "platform/ui/ImageList.h"
#include "platform/ui/ImageListDragTesting.h"
#include "platform/ui/ListCtrl.h"
#include "tests/platform/ui/LoggingWnd.h"
#include "tests/support/UiTestSupport.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

// A list of one side x side picture of one colour.
void MakeSolidList(CImageList& list, int side, COLORREF color) {
    ASSERT_TRUE(list.Create(side, side, ILC_COLOR24, 1, 1));
    CBitmap bitmap;
    const std::vector<BYTE> bits(static_cast<size_t>(side * side * 3), 0);
    ASSERT_TRUE(bitmap.CreateBitmap(side, side, 1, 24, bits.data()));
    CDC memory;
    memory.CreateCompatibleDC(nullptr);
    CBitmap* previous = memory.SelectObject(&bitmap);
    memory.FillSolidRect(0, 0, side, side, color);
    memory.SelectObject(previous);
    ASSERT_EQ(list.Add(&bitmap, CLR_NONE), 0);
}

// The colour of a grabbed pixel without its alpha, and the alpha.
std::pair<QColor, int> Grabbed(const QImage& pixels, int x, int y) {
    const QColor color = pixels.pixelColor(x, y);
    return {QColor(color.red(), color.green(), color.blue()), color.alpha()};
}

class ImageListDragTest : public UiTest {
protected:
    void TearDown() override {
        CImageList::EndDrag();
        UiTest::TearDown();
    }
};

TEST_F(ImageListDragTest, TheImageShowsFromEnterToLeaveAndFollowsTheMoves) {
    CImageList red;
    MakeSolidList(red, 16, RGB(255, 0, 0));
    EXPECT_FALSE(CImageList::DragEnter(nullptr, CPoint(200, 150))) << "no drag has begun";
    ASSERT_TRUE(red.BeginDrag(0, CPoint(4, 4)));
    EXPECT_FALSE(DragImageForTesting().shown) << "not before it enters";

    struct Step {
        const char* name;
        std::function<BOOL()> call;
        bool shown;
        QPoint topLeft;
    };
    const Step steps[] = {
        {"enter over the desktop", [] { return CImageList::DragEnter(nullptr, CPoint(200, 150)); }, true,
         QPoint(196, 146)},
        {"move", [] { return CImageList::DragMove(CPoint(250, 160)); }, true, QPoint(246, 156)},
        {"hidden", [] { return CImageList::DragShowNolock(FALSE); }, false, {}},
        {"moved while hidden", [] { return CImageList::DragMove(CPoint(260, 170)); }, false, {}},
        {"shown again where it is now", [] { return CImageList::DragShowNolock(TRUE); }, true,
         QPoint(256, 166)},
        {"leave", [] { return CImageList::DragLeave(nullptr); }, false, {}},
        {"enter again", [] { return CImageList::DragEnter(nullptr, CPoint(10, 20)); }, true, QPoint(6, 16)},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        EXPECT_TRUE(step.call());
        const DragImageView view = DragImageForTesting();
        EXPECT_EQ(view.shown, step.shown);
        if (step.shown) {
            EXPECT_EQ(view.area, QRect(step.topLeft, QSize(16, 16)));
        }
    }
    const auto [color, alpha] = Grabbed(DragImageForTesting().pixels, 8, 8);
    EXPECT_EQ(color, QColor(255, 0, 0));
    EXPECT_NEAR(alpha, 128, 2) << "half translucent";

    CImageList::EndDrag();
    EXPECT_FALSE(DragImageForTesting().shown);
    EXPECT_FALSE(CImageList::DragMove(CPoint(1, 1)));
    EXPECT_FALSE(CImageList::DragShowNolock(TRUE));
}

TEST_F(ImageListDragTest, PositionsAreRelativeToTheLockWindow) {
    MessageLog log;
    LoggingWnd window(&log, "lock");
    ASSERT_TRUE(window.CreatePopup(CRect(100, 80, 300, 200)));
    ShowActive(&window);
    CImageList red;
    MakeSolidList(red, 16, RGB(255, 0, 0));
    ASSERT_TRUE(red.BeginDrag(0, CPoint(0, 0)));
    ASSERT_TRUE(CImageList::DragEnter(&window, CPoint(10, 20)));
    CRect area;
    window.GetWindowRect(&area);
    EXPECT_EQ(DragImageForTesting().area.topLeft(), QPoint(area.left + 10, area.top + 20));
}

TEST_F(ImageListDragTest, ThePointersPictureLiesOverTheDragImageAtTheHotSpot) {
    CImageList red;
    MakeSolidList(red, 16, RGB(255, 0, 0));
    CImageList blue;
    MakeSolidList(blue, 8, RGB(0, 0, 255));
    // Set before the drag begins, as the objects view does.
    ASSERT_TRUE(blue.SetDragCursorImage(0, CPoint(10, 10)));
    ASSERT_TRUE(red.BeginDrag(0, CPoint(4, 4)));
    ASSERT_TRUE(CImageList::DragEnter(nullptr, CPoint(200, 150)));
    // The blue picture reaches 6 pixels further up and left than the red one.
    const DragImageView view = DragImageForTesting();
    EXPECT_EQ(view.area, QRect(190, 140, 22, 22));
    EXPECT_EQ(Grabbed(view.pixels, 1, 1).first, QColor(0, 0, 255));
    EXPECT_EQ(Grabbed(view.pixels, 7, 7).first, QColor(0, 0, 255)) << "over the red";
    EXPECT_EQ(Grabbed(view.pixels, 15, 15).first, QColor(255, 0, 0));
    EXPECT_EQ(Grabbed(view.pixels, 20, 2).second, 0) << "beside both";
}

TEST_F(ImageListDragTest, AListItemsDragImageHoldsItsIconAndItsLabel) {
    MessageLog log;
    LoggingWnd owner(&log, "owner");
    ASSERT_TRUE(owner.CreatePopup(CRect(100, 100, 400, 300)));
    ShowActive(&owner);
    CImageList red;
    MakeSolidList(red, 32, RGB(255, 0, 0));
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_ICON, CRect(0, 0, 300, 200), &owner, 9));
    list.SetImageList(&red, LVSIL_NORMAL);
    list.InsertItem(0, "Erstes", 0);
    list.InsertItem(1, "Zweites", 0);

    EXPECT_EQ(list.CreateDragImage(5, nullptr), nullptr);
    CPoint corner;
    const std::unique_ptr<CImageList> image(list.CreateDragImage(1, &corner));
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->GetImageCount(), 1);
    CRect icon;
    CRect label;
    ASSERT_TRUE(list.GetItemRect(1, &icon, LVIR_ICON));
    ASSERT_TRUE(list.GetItemRect(1, &label, LVIR_LABEL));
    EXPECT_EQ(corner, CPoint(75, 2)) << "the icon's top in the second cell";
    int cx = 0;
    int cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(*image, &cx, &cy));
    EXPECT_EQ(CSize(cx, cy), CSize(75, label.bottom - icon.top)) << "the cell's width, icon to label";

    const QImage picture = ImageListPicture(*image, 0);
    const QPoint iconCenter = QPoint(icon.CenterPoint().x - corner.x, icon.CenterPoint().y - corner.y);
    EXPECT_EQ(picture.pixelColor(iconCenter), QColor(255, 0, 0));
    EXPECT_EQ(picture.pixelColor(1, 1).alpha(), 0) << "the ground is transparent";
    bool text = false;
    for (int y = label.top - corner.y; y < label.bottom - corner.y && !text; ++y) {
        for (int x = 0; x < picture.width() && !text; ++x)
            text = picture.pixelColor(x, y).alpha() == 255;
    }
    EXPECT_TRUE(text) << "the label's text is in it";
}

} // namespace
