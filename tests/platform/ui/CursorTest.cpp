// Cursors: standard shapes, cursor files with their hot spot, the shape over the window the pointer is
// over, and the wait cursor.

#include "platform/ui/Cursor.h"

#include "platform/ui/WaitCursor.h"
#include "platform/ui/WindowRecord.h"
#include "tests/platform/ui/CursorFile.h"
#include "tests/platform/ui/LoggingWnd.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UiTestSupport.h"

#include <QCursor>
#include <QGuiApplication>
#include <QWidget>
#include <fstream>

namespace {

class CursorTest : public UiTest {
protected:
    CString Write(const char* name, const std::vector<unsigned char>& bytes) {
        const CString path = m_folder.Path() + "/" + name;
        std::ofstream(path.GetString(), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    TempFolder m_folder;
};

TEST_F(CursorTest, ACursorFileKeepsItsHotSpotAndShowsOverTheWindowUnderThePointer) {
    MessageLog log;
    LoggingWnd canvas(&log, "canvas");
    ASSERT_TRUE(canvas.CreatePopup(CRect(0, 0, 100, 100)));
    ShowActive(&canvas);
    MoveTo(&canvas, CPoint(50, 50));

    HCURSOR drag = LoadCursorFromFile(Write("c4.csr", CursorFile(2, 2, 1)));
    ASSERT_NE(drag, nullptr);
    SetCursor(drag);
    const QCursor shown = WidgetOf(canvas.m_hWnd)->cursor();
    EXPECT_EQ(shown.shape(), Qt::BitmapCursor);
    EXPECT_EQ(shown.hotSpot(), QPoint(2, 1));
    EXPECT_EQ(GetCursor(), drag);
    SetCursor(LoadCursor(nullptr, IDC_CROSS));
    EXPECT_EQ(WidgetOf(canvas.m_hWnd)->cursor().shape(), Qt::CrossCursor);
    EXPECT_TRUE(DestroyCursor(drag));
    EXPECT_FALSE(DestroyCursor(LoadCursor(nullptr, IDC_ARROW))) << "standard cursors are shared";
}

TEST_F(CursorTest, FilesThatAreNoCursorsGiveNone) {
    EXPECT_EQ(LoadCursorFromFile(Write("icon.ico", CursorFile(1, 0, 0))), nullptr);
    std::vector<unsigned char> truncated = CursorFile(2, 0, 0);
    truncated.resize(30);
    EXPECT_EQ(LoadCursorFromFile(Write("short.csr", truncated)), nullptr);
    EXPECT_EQ(LoadCursorFromFile(m_folder.Path() + "/missing.csr"), nullptr);
    EXPECT_EQ(LoadCursor(nullptr, MAKEINTRESOURCE(1)), nullptr);
}

TEST_F(CursorTest, TheWaitCursorCoversTheProgramWhileItLives) {
    {
        CWaitCursor wait;
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

} // namespace
