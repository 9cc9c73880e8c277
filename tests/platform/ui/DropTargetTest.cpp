// Drops from other programs: local files reach the window's handlers as a CF_HDROP block, other
// addresses are left out, and a refused drop is not taken.

#include "platform/ui/OleDropTarget.h"
#include "platform/ui/WindowRecord.h"
#include "tests/platform/ui/FileDropView.h"
#include "tests/support/UiTestSupport.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>
#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

class DropTargetTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        ASSERT_TRUE(m_main.CreatePopup(CRect(0, 0, 300, 200)));
        ASSERT_TRUE(m_view.CreateChild(&m_main, CRect(10, 10, 210, 160), 1));
        ShowActive(&m_main);
        ASSERT_TRUE(m_target.Register(&m_view));
        m_log.clear();
    }

    // Enter, move and drop of the addresses at a client point; whether the drop was taken.
    bool Drop(const QList<QUrl>& urls, QPoint at) {
        QWidget* widget = WidgetOf(m_view.m_hWnd);
        QMimeData mime;
        mime.setUrls(urls);
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &enter);
        QDragMoveEvent move(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
        QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &drop);
        return drop.isAccepted();
    }

    MessageLog m_log;
    LoggingWnd m_main{&m_log, "main"};
    FileDropView m_view{&m_log};
    COleDropTarget m_target;
};

TEST_F(DropTargetTest, LocalFilesReachTheViewAndOtherAddressesAreLeftOut) {
    const QList<QUrl> urls = {QUrl::fromLocalFile("/home/anna/Bilder/Sommer am See.jpg"),
                              QUrl("http://example.org/bild.jpg"),
                              QUrl::fromLocalFile(QString::fromUtf8("/home/anna/Bilder/Grüße.png"))};
    EXPECT_TRUE(Drop(urls, QPoint(30, 40)));
    EXPECT_THAT(m_view.m_files,
                ElementsAre("/home/anna/Bilder/Sommer am See.jpg", "/home/anna/Bilder/Grüße.png"));
    EXPECT_THAT(m_log, ElementsAre("view drop effect 1 at 30,40"));
}

TEST_F(DropTargetTest, OnlyAWebAddressIsRefused) {
    EXPECT_FALSE(Drop({QUrl("http://example.org/bild.jpg")}, QPoint(5, 5)));
    EXPECT_TRUE(m_view.m_files.empty());
    EXPECT_TRUE(m_log.empty());
}

TEST_F(DropTargetTest, TheBlockCutsLongPathsAndCountsItsFiles) {
    COleDataObject data({"/a/eins.jpg", "/b/zwei.jpg"});
    STGMEDIUM medium{};
    ASSERT_TRUE(data.GetData(CF_HDROP, &medium));
    EXPECT_FALSE(data.GetData(1, &medium)) << "only CF_HDROP";
    const auto drop = static_cast<HDROP>(medium.hGlobal);
    char shortBuffer[6];
    EXPECT_EQ(DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0), 2U);
    EXPECT_EQ(DragQueryFile(drop, 1, shortBuffer, sizeof(shortBuffer)), 5U);
    EXPECT_STREQ(shortBuffer, "/b/zw");
    EXPECT_EQ(DragQueryFile(drop, 2, nullptr, 0), 0U);
    ReleaseStgMedium(&medium);
    EXPECT_EQ(medium.hGlobal, nullptr);
}

TEST_F(DropTargetTest, ARevokedWindowTakesNoDrops) {
    m_target.Revoke();
    EXPECT_FALSE(Drop({QUrl::fromLocalFile("/a/eins.jpg")}, QPoint(5, 5)));
    EXPECT_TRUE(m_view.m_files.empty());
}

} // namespace
