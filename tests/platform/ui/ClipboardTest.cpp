// The clipboard calls over the desktop clipboard: a registered format's block round trip, what other
// programs see and leave, and the calls that need the clipboard open.

#include "platform/ui/Clipboard.h"

#include "platform/base/ClipboardFormat.h"
#include "platform/base/SharedFile.h"
#include "tests/support/UiTestSupport.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <string>

namespace {

class ClipboardTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        m_format = RegisterClipboardFormat("QZ20");
        ASSERT_NE(0u, m_format);
    }
    void TearDown() override {
        CloseClipboard();
        UiTest::TearDown();
    }

    static HGLOBAL BlockOf(const std::string& text) {
        CSharedFile file;
        file.Write(text.data(), static_cast<UINT>(text.size()));
        return file.Detach();
    }
    static std::string TextOf(HANDLE data, std::size_t length) {
        CGlobalLock lock(static_cast<HGLOBAL>(data));
        return std::string(reinterpret_cast<const char*>(lock.Bytes()), length);
    }

    UINT m_format = 0;
};

TEST_F(ClipboardTest, ARegisteredFormatsBlockComesBackAndOthersSeeItsMimeType) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    HGLOBAL block = BlockOf("Seitenobjekt");
    EXPECT_EQ(block, SetClipboardData(m_format, block));
    ASSERT_TRUE(CloseClipboard());

    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(nullptr, mime);
    EXPECT_TRUE(mime->hasFormat("application/x-qt-windows-mime;value=\"QZ20\""));

    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_TRUE(IsClipboardFormatAvailable(m_format));
    HANDLE data = GetClipboardData(m_format);
    ASSERT_NE(nullptr, data);
    EXPECT_EQ("Seitenobjekt", TextOf(data, 12));
    EXPECT_EQ(data, GetClipboardData(RegisterClipboardFormat("qz20"))) << "a name in any case is one format";
    EXPECT_TRUE(CloseClipboard());
}

TEST_F(ClipboardTest, OurPublishedBlockComesBackItselfAndOutlivesItsReplacementWhileHandedOut) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    HGLOBAL block = BlockOf("Seitenobjekt");
    SetClipboardData(m_format, block);
    ASSERT_TRUE(CloseClipboard());
    const QByteArray published =
        QGuiApplication::clipboard()->mimeData()->data("application/x-qt-windows-mime;value=\"QZ20\"");
    EXPECT_EQ(GlobalSize(block), static_cast<SIZE_T>(published.size()));
    EXPECT_TRUE(published.startsWith("Seitenobjekt"));

    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_EQ(block, GetClipboardData(m_format)) << "no copy of our own data";
    // Another program takes the clipboard while the block is out: it stays until the next opening.
    auto* text = new QMimeData;
    text->setText("Hallo");
    QGuiApplication::clipboard()->setMimeData(text);
    EXPECT_EQ("Seitenobjekt", TextOf(block, 12));
    EXPECT_EQ("Seitenobjekt", std::string(published.left(12).constData(), 12)) << "Qt's copy is its own";
    ASSERT_TRUE(CloseClipboard());
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_EQ(nullptr, GetClipboardData(m_format));
}

TEST_F(ClipboardTest, OtherProgramsDataHasNoBlockOfOurFormat) {
    auto* text = new QMimeData;
    text->setText("Hallo");
    QGuiApplication::clipboard()->setMimeData(text);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_FALSE(IsClipboardFormatAvailable(m_format));
    EXPECT_EQ(nullptr, GetClipboardData(m_format));
    EXPECT_TRUE(CloseClipboard());
    EXPECT_EQ("Hallo", QGuiApplication::clipboard()->text()) << "opening and closing leaves it alone";
}

TEST_F(ClipboardTest, CallsThatNeedTheClipboardOpenRefuse) {
    HGLOBAL block = BlockOf("x");
    EXPECT_EQ(nullptr, SetClipboardData(m_format, block)) << "the caller keeps the block";
    EXPECT_EQ(nullptr, GetClipboardData(m_format));
    EXPECT_FALSE(EmptyClipboard());
    EXPECT_FALSE(CloseClipboard());

    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_FALSE(OpenClipboard(nullptr)) << "open already";
    EXPECT_TRUE(EmptyClipboard());
    EXPECT_EQ(nullptr, SetClipboardData(1, block)) << "a standard format";
    EXPECT_EQ(nullptr, SetClipboardData(m_format, nullptr));
    EXPECT_TRUE(CloseClipboard());
    GlobalFree(block);
}

TEST_F(ClipboardTest, EmptyingTakesTheDataAwayAndASecondSetReplacesTheFirst) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    SetClipboardData(m_format, BlockOf("erste"));
    SetClipboardData(m_format, BlockOf("zweite"));
    EXPECT_EQ("zweite", TextOf(GetClipboardData(m_format), 6));
    ASSERT_TRUE(CloseClipboard());

    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_EQ(nullptr, GetClipboardData(m_format));
    ASSERT_TRUE(CloseClipboard());
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_FALSE(IsClipboardFormatAvailable(m_format));
}

} // namespace
