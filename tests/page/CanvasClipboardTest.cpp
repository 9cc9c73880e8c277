// The page clipboard through the canvas: the "QZ20" payloads byte by byte, pasting where the user last
// right-clicked, pasting a picture into a frame, cutting, and payloads from elsewhere that must paste
// nothing.

#include "library/Clipart.h"
#include "page/DrawClipart.h"
#include "page/DrawImage.h"
#include "page/DrawText.h"
#include "page/TempFileData.h"
#include "page/UndoDelete.h"
#include "platform/base/ClipboardFormat.h"
#include "platform/base/GlobalMemory.h"
#include "platform/ui/Clipboard.h"
#include "tests/page/CanvasFixture.h"
#include "tests/page/PageTestSupport.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/UiTestSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <gmock/gmock.h>
#include <optional>

using ::testing::ElementsAre;

namespace {

// The common part of every object: position, pen flag and LOGPEN, brush flag and LOGBRUSH.
Bytes CommonPart(const CRect& r) {
    return Joined({RectBytes(r.left, r.top, r.right, r.bottom), Word(1), Dword(0), Dword(3), Dword(0),
                   Dword(0x0000FF), Word(0), Dword(1), Dword(0x00FF00), Dword(0)});
}

void SetTools(CDrawObj& object) {
    object.SetPenFlag(TRUE);
    object.SetLogPen(LOGPEN{0, POINT{3, 0}, 0x0000FF});
    object.SetBrushFlag(FALSE);
    object.SetLogBrush(LOGBRUSH{1, 0x00FF00, 0});
}

Bytes FontBytes() {
    Bytes font = Joined({Dword(static_cast<DWORD>(-12)), Dword(0), Dword(0), Dword(0), Dword(700)});
    font.insert(font.end(), {1, 0, 0, 0, 0, 0, 0, 0});
    const Bytes face = {'A', 'r', 'i', 'a', 'l'};
    font.insert(font.end(), face.begin(), face.end());
    font.resize(60, 0);
    return font;
}

Bytes Counted(const char* text) {
    const size_t length = std::strlen(text);
    Bytes bytes(length + 1);
    bytes[0] = static_cast<BYTE>(length);
    std::copy(text, text + length, bytes.begin() + 1);
    return bytes;
}

class CanvasClipboardTest : public CanvasFixture {
protected:
    void SetUp() override {
        CanvasFixture::SetUp();
        m_format = RegisterClipboardFormat("QZ20");
        m_a = Add(SolidPicture(CRect(0, 0, 1000, 1000), 0xFF0000));
        m_b = Add(SolidPicture(CRect(1100, 0, 2100, 1000), 0x0000FF));
        m_text = Add(Text(CRect(200, 1500, 1200, 1900), "Hallo"));
        m_text->SetTemplate(m_host.m_page.get());
        ASSERT_TRUE(m_canvas->RedrawTemplate());
    }

    void Command(UINT id) {
        m_canvas->SendMessage(WM_COMMAND, id, 0);
        PumpMessages();
    }
    void SelectOnly(CDrawObj* object) {
        for (int i = 0; i < m_host.m_page->GetObjectCount(); ++i)
            m_host.m_page->GetObjectAt(i)->SetSelected(m_host.m_page->GetObjectAt(i) == object);
    }
    Bytes ClipboardBytes() {
        Bytes bytes;
        if (!OpenClipboard(m_canvas->m_hWnd))
            return bytes;
        if (HANDLE data = GetClipboardData(m_format)) {
            const auto* p = static_cast<const BYTE*>(GlobalLock(static_cast<HGLOBAL>(data)));
            bytes.assign(p, p + GlobalSize(static_cast<HGLOBAL>(data)));
            GlobalUnlock(static_cast<HGLOBAL>(data));
        }
        CloseClipboard();
        return bytes;
    }
    void PutOnClipboard(const Bytes& bytes) {
        ASSERT_TRUE(OpenClipboard(m_canvas->m_hWnd));
        EmptyClipboard();
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        if (!bytes.empty())
            std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
        GlobalUnlock(block);
        ASSERT_NE(SetClipboardData(m_format, block), nullptr);
        CloseClipboard();
    }

    UINT m_format = 0;
    CDrawImage* m_a = nullptr;
    CDrawImage* m_b = nullptr;
    CDrawText* m_text = nullptr;
};

TEST_F(CanvasClipboardTest, CopyPutsTheKindAndTheObjectsRecord) {
    SetTools(*m_text);
    LOGFONT font{};
    font.lfHeight = -12;
    font.lfWeight = 700;
    font.lfItalic = 1;
    std::strcpy(font.lfFaceName, "Arial");
    m_text->SetLogFont(font);
    m_text->SetColor(0x123456);
    m_text->SetEffect(kTextShadowLowerRight);
    SetTools(*m_a);
    m_a->SetShape(kShapeEllipse);
    m_a->SetRoundness(CPoint(16, 16));
    WriteBmp(Res("stern.bmp"), 3, 2, {0x00FF00});
    auto* clipart = Add(new CDrawClipart(CRect(500, 2000, 800, 2200)));
    SetTools(*clipart);
    clipart->SetRotation(450);
    auto* entry = new CClipart;
    entry->SetFilePath("/clipart/stern.bmp");
    entry->SetTitle("Stern");
    clipart->SetClipart(entry);

    struct PayloadCase {
        const char* name;
        CDrawObj* object;
        std::function<Bytes()> expected;
    };
    const PayloadCase cases[] = {
        {"Text", m_text,
         [&] {
             return Joined({Dword(0), CommonPart(m_text->GetPosition()), FontBytes(), Counted("Hallo"),
                            Dword(0x123456), Dword(1)});
         }},
        {"PictureWithoutPictureData", m_a,
         [&] {
             return Joined({Dword(1), CommonPart(CRect(0, 0, 1000, 1000)), Word(2), Dword(16), Dword(16),
                            Dword(0), Dword(0), Dword(0), Dword(0)});
         }},
        {"Clipart", clipart,
         [&] {
             return Joined({Dword(2), CommonPart(CRect(500, 2000, 800, 2200)), Dword(450), Dword(1),
                            Counted("/clipart/stern.bmp"), Counted(""), Counted("Stern"), Dword(0)});
         }},
    };
    for (const PayloadCase& c : cases) {
        SelectOnly(c.object);
        Command(kCmdCopy);
        const Bytes expected = c.expected();
        Bytes stored = ClipboardBytes();
        ASSERT_GE(stored.size(), expected.size()) << c.name;
        EXPECT_EQ(Bytes(stored.begin() + static_cast<std::ptrdiff_t>(expected.size()), stored.end()),
                  Bytes(stored.size() - expected.size(), 0))
            << c.name << ": the block may be longer than the file, and is clear there";
        stored.resize(expected.size());
        EXPECT_EQ(stored, expected) << c.name;
    }
}

TEST_F(CanvasClipboardTest, TextPastesAtTheLastContextPointOrAtTheWindowsCorner) {
    SelectOnly(m_text);
    Command(kCmdCopy);
    SelectOnly(nullptr);
    Command(kCmdPaste);
    ASSERT_EQ(m_host.m_page->GetObjectCount(), 4);
    EXPECT_EQ(m_host.m_page->GetObjectAt(3)->GetPosition().TopLeft(), m_canvas->WindowToPage(CPoint(0, 0)))
        << "before any right click: window (0, 0)";

    ClickAt(m_canvas, CPoint(300, 300), Qt::RightButton);
    PumpMessages();
    EXPECT_EQ(LastMenu(), (std::vector<std::string>{"57637"})) << "a text on the clipboard";
    m_canvas->SetFocus();
    TypeKey(m_canvas, Qt::Key_V, Qt::ControlModifier);
    TypeKey(m_canvas, Qt::Key_V, Qt::ControlModifier);
    PumpMessages();
    ASSERT_EQ(m_host.m_page->GetObjectCount(), 6);
    const CPoint at = m_canvas->WindowToPage(CPoint(300, 300));
    EXPECT_EQ(m_host.m_page->GetObjectAt(4)->GetPosition().TopLeft(), at);
    EXPECT_EQ(m_host.m_page->GetObjectAt(5)->GetPosition().TopLeft(), at) << "twice at the same place";
    EXPECT_THAT(m_host.UndoClasses(), ElementsAre("CUndoCopyObj", "CUndoCopyObj", "CUndoCopyObj"));
    EXPECT_EQ(static_cast<CDrawText*>(m_host.m_page->GetObjectAt(5))->GetText(), CString("Hallo"));
}

TEST_F(CanvasClipboardTest, APastedPictureFillsTheSelectedFrameAndKeepsItsPlace) {
    m_a->SetStencil(GreenStepStencil().release());
    m_a->SetShape(kShapeEllipse);
    SelectOnly(m_a);
    Command(kCmdCopy);
    m_menus.reset();
    m_menus = std::make_unique<RecordingMenuPresenter>();
    SelectOnly(nullptr);
    ClickAt(m_canvas, CPoint(300, 300), Qt::RightButton);
    PumpMessages();
    EXPECT_EQ(LastMenu(), (std::vector<std::string>{"-"})) << "a picture on the clipboard: no menu";

    Command(kCmdPaste);
    EXPECT_TRUE(m_host.m_undo.empty()) << "no frame selected: nothing pasted";
    SelectOnly(m_b);
    Command(kCmdPaste);
    EXPECT_EQ(m_b->GetPosition(), CRect(1100, 0, 2100, 1000));
    EXPECT_NE(m_b->GetStencil(), nullptr) << "the copied picture's stencil";
    EXPECT_EQ(m_host.m_page->GetObjectCount(), 3);
    EXPECT_THAT(m_host.UndoClasses(), ElementsAre("CUndoCopy"));
}

// The pasted frame shows the picture made anew from its file; only when the file is gone does it keep the
// copied result, byte for byte.
TEST_F(CanvasClipboardTest, APastedPictureIsRebuiltFromItsFileOrKeepsTheCopiedResult) {
    const CString path = Res("foto.bmp");
    WriteBmp(path, 4, 3, {0x20C040});
    auto* photo = Add(new CDrawImage(CRect(0, 1100, 1000, 2000)));
    photo->SetTemplate(m_host.m_page.get());
    ASSERT_TRUE(photo->SetImageFile(path, TRUE));
    const std::optional<Bytes> copiedResult = ReadWholeTempFile(photo->GetTempFile());
    ASSERT_TRUE(copiedResult && copiedResult->size() > 14U);
    SelectOnly(photo);
    Command(kCmdCopy);

    SelectOnly(m_a);
    Command(kCmdPaste);
    EXPECT_TRUE(m_a->HasValidAdjusted()) << "rebuilt from the file";
    EXPECT_EQ(m_a->GetOriginalDib(), photo->GetOriginalDib()) << "shared with the picture of that file";
    EXPECT_EQ(ReadWholeTempFile(m_a->GetTempFile()), copiedResult);

    for (CDrawObj* shown : {static_cast<CDrawObj*>(photo), static_cast<CDrawObj*>(m_a)}) {
        m_host.m_page->RemoveObject(shown);
        delete shown;
    }
    m_a = nullptr;
    ASSERT_EQ(std::remove(path.GetString()), 0);
    SelectOnly(m_b);
    Command(kCmdPaste);
    EXPECT_FALSE(m_b->HasValidAdjusted()) << "no file to rebuild from";
    EXPECT_EQ(ReadWholeTempFile(m_b->GetTempFile()), copiedResult) << "the copied result";
    EXPECT_THAT(m_host.UndoClasses(), ElementsAre("CUndoCopy", "CUndoCopy"));
}

TEST_F(CanvasClipboardTest, CuttingThreeObjectsCopiesTheFirstAndRemovesAll) {
    m_a->SetSelected(TRUE);
    m_b->SetSelected(TRUE);
    m_text->SetSelected(TRUE);
    m_canvas->SetFocus();
    TypeKey(m_canvas, Qt::Key_X, Qt::ControlModifier);
    PumpMessages();
    const Bytes stored = ClipboardBytes();
    ASSERT_GE(stored.size(), 4U);
    EXPECT_EQ(Bytes(stored.begin(), stored.begin() + 4), Dword(1)) << "the first in list order: a picture";
    EXPECT_EQ(m_host.m_page->GetObjectCount(), 2) << "the text is gone, the pictures emptied";
    ASSERT_THAT(m_host.UndoClasses(), ElementsAre("CUndoDelete"));
    EXPECT_EQ(static_cast<CUndoDelete*>(m_host.m_undo[0].get())->GetList().GetCount(), 3);
}

TEST_F(CanvasClipboardTest, ForeignOrDamagedPayloadsPasteNothing) {
    const Bytes text = [&] {
        SelectOnly(m_text);
        Command(kCmdCopy);
        return ClipboardBytes();
    }();
    struct HostileCase {
        const char* name;
        Bytes bytes;
    };
    const HostileCase cases[] = {
        {"Empty", {}},
        {"KindOnly", Dword(0)},
        {"TextCutShort", Bytes(text.begin(), text.begin() + 40)},
        {"TextWithHugeString", Joined({Bytes(text.begin(), text.begin() + 4 + 48 + 60),
                                       Bytes{0xFF, 0xFF, 0xFF}, Dword(0x7FFFFFFF)})},
        {"ClipartCutShort",
         Joined({Dword(2), CommonPart(CRect(0, 0, 10, 10)), Dword(0), Dword(1), Bytes{200}})},
        {"PictureWithHugeImageData", Joined({Dword(1), CommonPart(CRect(0, 0, 10, 10)), Word(0), Dword(0),
                                             Dword(0), Dword(0), Dword(0), Dword(0), Dword(0xFFFFFFF0)})},
        {"UnknownKind", Joined({Dword(9), Bytes(100, 0)})},
    };
    SelectOnly(m_a);
    const CString pathOfA = m_a->GetFilePath();
    for (const HostileCase& c : cases) {
        PutOnClipboard(c.bytes);
        Command(kCmdPaste);
        EXPECT_EQ(m_host.m_page->GetObjectCount(), 3) << c.name;
        EXPECT_TRUE(m_host.m_undo.empty()) << c.name;
        EXPECT_EQ(m_a->GetPosition(), CRect(0, 0, 1000, 1000)) << c.name;
    }
}

} // namespace
