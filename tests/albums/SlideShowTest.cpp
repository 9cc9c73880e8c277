// The slide show: its layout on a screen, stepping at both ends of an album, the start entry, pictures
// that cannot be shown, and the window closing and deleting itself.

#include "albums/DiaShowViewer.h"
#include "library/DSAlbum.h"
#include "tests/albums/AlbumDialogsFixture.h"

#include <gtest/gtest.h>

namespace {

TEST(SlideShowLayoutTest, PictureIsCentredAndNeverEnlarged) {
    const DiaShowLayout layout = CDiaShowViewer::MakeLayout(CRect(0, 0, 1024, 768));
    EXPECT_EQ(layout.pictureArea, CRect(0, 10, 1024, 738));
    EXPECT_EQ(layout.pathBar, CRect(0, 738, 1024, 768));
    EXPECT_EQ(layout.pathLine, CRect(10, 738, 1014, 753));
    EXPECT_EQ(layout.titleRect, CRect(10, 753, 512, 768));
    EXPECT_EQ(layout.counterRect, CRect(512, 753, 1014, 768));
    EXPECT_EQ(CDiaShowViewer::PictureRect(layout.pictureArea, CSize(640, 480)), CRect(192, 134, 832, 614));
    // Reduced by 1024 / 3000 to 1024 x 682, centred in the height.
    EXPECT_EQ(CDiaShowViewer::PictureRect(layout.pictureArea, CSize(3000, 2000)), CRect(0, 33, 1024, 715));
}

// Counts its deletions, to show that the window deletes its object.
class CountedViewer final : public CDiaShowViewer {
public:
    explicit CountedViewer(int& deletions) : m_deletions(deletions) {}
    ~CountedViewer() override { ++m_deletions; }

private:
    int& m_deletions;
};

class SlideShowTest : public AlbumDialogsTest {
protected:
    // A show of the album from the entry at index (-1: none given), active for keys.
    CDiaShowViewer* StartAt(CDSAlbum* album, int index) {
        CDiaShowViewer* viewer =
            CDiaShowViewer::Start(album, index < 0 ? nullptr : album->GetObjectAt(index), &m_owner);
        if (viewer)
            ShowActive(viewer);
        return viewer;
    }
    static void Press(CDiaShowViewer* viewer, Qt::Key key) {
        TypeKey(viewer, key);
        PumpMessages();
    }
};

TEST_F(SlideShowTest, ArrowKeysStopAtBothEnds) {
    CDSAlbum* album = MakeAlbum("Urlaub", 5);
    ASSERT_NE(album, nullptr);
    CDiaShowViewer* viewer = StartAt(album, 4);
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->GetNumber(), 5);
    Press(viewer, Qt::Key_Right);
    EXPECT_EQ(viewer->GetEntry(), album->GetTailObject());
    EXPECT_EQ(viewer->GetNumber(), 5);
    Press(viewer, Qt::Key_Up);
    EXPECT_EQ(viewer->GetNumber(), 1);
    Press(viewer, Qt::Key_Left);
    EXPECT_EQ(viewer->GetEntry(), album->GetHeadObject());
    EXPECT_EQ(viewer->GetNumber(), 1);
    Press(viewer, Qt::Key_Right);
    EXPECT_EQ(viewer->GetEntry(), album->GetObjectAt(1));
    EXPECT_EQ(viewer->GetNumber(), 2);
    Press(viewer, Qt::Key_Down);
    EXPECT_EQ(viewer->GetNumber(), 5);
    EXPECT_NE(viewer->GetPicture(), nullptr);
    viewer->DestroyWindow();
}

TEST_F(SlideShowTest, StartsOnTheGivenEntryOrTheFirst) {
    CDSAlbum* album = MakeAlbum("Urlaub", 7);
    ASSERT_NE(album, nullptr);
    CDiaShowViewer* third = StartAt(album, 2);
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->GetNumber(), 3);
    third->DestroyWindow();
    CDiaShowViewer* first = StartAt(album, -1);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetEntry(), album->GetHeadObject());
    EXPECT_EQ(first->GetNumber(), 1);
    first->DestroyWindow();
}

TEST_F(SlideShowTest, PictureIsDrawnAtItsOwnSizeOnBlue) {
    CDSAlbum* album = m_manager->CreateAlbum(Photos(), "Urlaub");
    ASSERT_NE(album, nullptr);
    WritePicture("rot.bmp", CSize(64, 48), RGB(255, 0, 0));
    ASSERT_NE(AddPhoto(album, "rot.bmp", "Rot"), nullptr);
    CDiaShowViewer* viewer = StartAt(album, 0);
    ASSERT_NE(viewer, nullptr);
    PumpMessages();
    CRect client;
    viewer->GetClientRect(&client);
    const CRect drawn =
        CDiaShowViewer::PictureRect(CDiaShowViewer::MakeLayout(client).pictureArea, CSize(64, 48));
    EXPECT_EQ(drawn.Width(), 64);
    EXPECT_EQ(WindowPixel(viewer, drawn.CenterPoint()), RGB(255, 0, 0));
    EXPECT_EQ(WindowPixel(viewer, CPoint(drawn.left - 2, drawn.top - 2)), RGB(33, 97, 189));
    viewer->DestroyWindow();
}

TEST_F(SlideShowTest, EmptyAlbumShowsTheBackgroundAndKeysDoNothing) {
    CDSAlbum* album = m_manager->CreateAlbum(Photos(), "Leer");
    ASSERT_NE(album, nullptr);
    CDiaShowViewer* viewer = StartAt(album, -1);
    ASSERT_NE(viewer, nullptr);
    for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Left, Qt::Key_Up, Qt::Key_Down})
        Press(viewer, key);
    EXPECT_EQ(viewer->GetEntry(), nullptr);
    EXPECT_EQ(viewer->GetPicture(), nullptr);
    EXPECT_EQ(WindowPixel(viewer, CPoint(3, 3)), RGB(33, 97, 189));
    viewer->DestroyWindow();
}

TEST_F(SlideShowTest, UnreadableFileLeavesTheKeysWorking) {
    CDSAlbum* album = MakeAlbum("Urlaub", 2);
    ASSERT_NE(album, nullptr);
    ASSERT_NE(AddPhoto(album, "fehlt.bmp", "Fehlt"), nullptr);
    CDiaShowViewer* viewer = StartAt(album, 2);
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->GetPicture(), nullptr);
    EXPECT_EQ(viewer->GetNumber(), 3);
    Press(viewer, Qt::Key_Left);
    EXPECT_EQ(viewer->GetNumber(), 2);
    EXPECT_NE(viewer->GetPicture(), nullptr);
    viewer->DestroyWindow();
}

TEST_F(SlideShowTest, EscapeAndClickCloseTheShowAndDeleteIt) {
    CDSAlbum* album = MakeAlbum("Urlaub", 2);
    ASSERT_NE(album, nullptr);
    for (const bool byClick : {false, true}) {
        int deletions = 0;
        auto* viewer = new CountedViewer(deletions);
        viewer->SetAlbum(album);
        viewer->SetStartIndex(album->GetHeadObject());
        ASSERT_TRUE(viewer->CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                                     CRect(0, 0, 0, 0), &m_owner, 0));
        ShowActive(viewer);
        const HWND window = viewer->m_hWnd;
        if (byClick)
            ClickAt(viewer, CPoint(100, 100));
        else
            TypeKey(viewer, Qt::Key_Escape);
        PumpMessages();
        EXPECT_FALSE(IsWindow(window)) << (byClick ? "click" : "Escape");
        EXPECT_EQ(deletions, 1) << (byClick ? "click" : "Escape");
    }
    EXPECT_EQ(album->GetObjectCount(), 2);
}

} // namespace
