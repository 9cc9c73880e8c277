// The small skinned controls: labels over the owner's skin, the picture preview's placement and its
// cross, the spin button's release message and the step field's hand-over on losing the focus.

#include "image/ExtMgr.h"
#include "image/PictureInfo.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Dc.h"
#include "platform/ui/Edit.h"
#include "platform/ui/PaintDC.h"
#include "skin/CustomSpinButtonCtrl.h"
#include "skin/DIBStatic1.h"
#include "skin/EditZoom.h"
#include "skin/TransparentStatic.h"
#include "tests/skin/SkinOwnerWnd.h"
#include "tests/skin/SkinTestWindow.h"
#include "tests/support/TempFolder.h"

#include <QImage>
#include <fstream>
#include <gmock/gmock.h>

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;

namespace {

constexpr UINT kOwnerId = 3000;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

class SmallControlsTest : public SkinTest {
protected:
    void SetUp() override {
        SkinTest::SetUp();
        ASSERT_TRUE(m_owner.CreateChild(&m_parent, CRect(0, 0, 400, 300), kOwnerId));
        TakeLog();
    }

    SkinOwnerWnd m_owner{&m_log};
};

// Whether any pixel of the window's rectangle has the colour.
bool ShowsColour(CWnd* window, const CRect& rect, COLORREF color) {
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            if (WindowPixel(window, CPoint(x, y)) == color)
                return true;
        }
    }
    return false;
}

TEST_F(SmallControlsTest, LabelCopiesItsPieceOfTheOwnersBackgroundUnderItsText) {
    // The owner's skin: left half one colour, right half another; the label lies in the right half.
    CClientDC screen(&m_owner);
    CDC skin;
    skin.CreateCompatibleDC(&screen);
    CBitmap skinBitmap;
    skinBitmap.CreateCompatibleBitmap(&screen, 200, 100);
    CBitmap* old = skin.SelectObject(&skinBitmap);
    skin.FillSolidRect(0, 0, 100, 100, RGB(200, 10, 10));
    skin.FillSolidRect(100, 0, 100, 100, RGB(10, 200, 10));

    const COLORREF textColor = RGB(0, 0, 255);
    CTransparentStatic label(-20, textColor, "Arial", DT_LEFT);
    ASSERT_TRUE(label.Create("Seite", WS_CHILD | WS_VISIBLE, CRect(20, 20, 100, 50), &m_owner));
    EXPECT_EQ(CString("Seite"), label.GetText());
    label.SetStyle(TRUE, 120, 10, &skin);
    label.SetText("Seite 1");
    EXPECT_EQ(RGB(10, 200, 10), WindowPixel(&label, CPoint(75, 25)));
    EXPECT_TRUE(ShowsColour(&label, CRect(0, 0, 40, 25), textColor));
    EXPECT_FALSE(ShowsColour(&label, CRect(0, 0, 80, 30), RGB(200, 10, 10)));
    skin.SelectObject(old);
}

TEST_F(SmallControlsTest, LabelWithoutBackgroundDrawsItsTextOverWhatIsThere) {
    const COLORREF textColor = RGB(0, 0, 255);
    CTransparentStatic label(-20, textColor, "Arial", DT_CENTER);
    ASSERT_TRUE(label.Create("", WS_CHILD | WS_VISIBLE, CRect(20, 20, 100, 50), &m_owner));
    {
        CClientDC dc(&label);
        dc.FillSolidRect(0, 0, 80, 30, RGB(40, 50, 60));
    }
    label.SetText("Hallo");
    EXPECT_EQ(RGB(40, 50, 60), WindowPixel(&label, CPoint(1, 1)));
    EXPECT_TRUE(ShowsColour(&label, CRect(10, 0, 70, 25), textColor));
}

// The preview: a 102 x 82 control, so its field is (1, 1, 101, 81), 100 x 80.
struct PreviewCase {
    const char* name;
    CSize picture;
    CRect expected; // where the picture lands
};

std::ostream& operator<<(std::ostream& out, const PreviewCase& c) {
    return out << c.name;
}

const PreviewCase kPreviewCases[] = {
    {"SmallerShowsUnscaledAndCentred", {40, 20}, {31, 31, 71, 51}},
    {"WiderFillsTheWidthCentredVertically", {200, 50}, {1, 28, 101, 53}},
    {"TallerFillsTheHeightCentredHorizontally", {50, 200}, {41, 1, 61, 81}},
    {"JustAsWideIsScaledToo", {100, 40}, {1, 21, 101, 61}},
};

class PreviewTest : public SmallControlsTest, public ::testing::WithParamInterface<PreviewCase> {
protected:
    void SetUp() override {
        SmallControlsTest::SetUp();
        m_codecs.LoadPlugins();
        ASSERT_TRUE(m_preview.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 112, 92), &m_owner));
    }

    CString Write(const char* name, CSize size, COLORREF color) {
        QImage image(size.cx, size.cy, QImage::Format_RGB32);
        image.fill(QColor(GetRValue(color), GetGValue(color), GetBValue(color)));
        const CString path = m_folder.Path() + "/" + name;
        EXPECT_TRUE(image.save(QString::fromUtf8(path.GetString()), "BMP"));
        return path;
    }

    CString WriteBytes(const char* name, const std::string& bytes) {
        const CString path = m_folder.Path() + "/" + name;
        std::ofstream(path.GetString(), std::ios::binary) << bytes;
        return path;
    }

    // The cross: both diagonals of the field meet in its middle; the field is white beside them.
    void ExpectCross() {
        EXPECT_EQ(kBlack, WindowPixel(&m_preview, CPoint(51, 41)));
        EXPECT_EQ(kBlack, WindowPixel(&m_preview, CPoint(1, 1)));
        EXPECT_EQ(kWhite, WindowPixel(&m_preview, CPoint(10, 40)));
        EXPECT_EQ(kWhite, WindowPixel(&m_preview, CPoint(51, 70)));
    }

    TempFolder m_folder;
    CExtMgr m_codecs{VC_PROGRAM_DIR};
    CDIBStatic1 m_preview;
};

TEST_P(PreviewTest, PlacesThePictureOnTheWhiteField) {
    const COLORREF probe = RGB(30, 120, 210);
    EXPECT_TRUE(m_preview.LoadPicture(Write("picture.bmp", GetParam().picture, probe)));
    ASSERT_NE(m_preview.GetPicture(), nullptr);
    const CRect& at = GetParam().expected;
    EXPECT_EQ(probe, WindowPixel(&m_preview, at.TopLeft()));
    EXPECT_EQ(probe, WindowPixel(&m_preview, CPoint(at.right - 1, at.bottom - 1)));
    if (at.left > 1) {
        EXPECT_EQ(kWhite, WindowPixel(&m_preview, CPoint(at.left - 1, at.top)));
    }
    if (at.top > 1) {
        EXPECT_EQ(kWhite, WindowPixel(&m_preview, CPoint(at.left, at.top - 1)));
    }
    if (at.right < 101) {
        EXPECT_EQ(kWhite, WindowPixel(&m_preview, CPoint(at.right, at.bottom - 1)));
    }
    if (at.bottom < 81) {
        EXPECT_EQ(kWhite, WindowPixel(&m_preview, CPoint(at.right - 1, at.bottom)));
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, PreviewTest, ::testing::ValuesIn(kPreviewCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PreviewTest, WithoutAPictureShowsTheCross) {
    m_preview.Invalidate();
    ExpectCross();
}

TEST_F(PreviewTest, AFileNoPlugInReadsLeavesTheCross) {
    EXPECT_TRUE(m_preview.LoadPicture(Write("picture.bmp", {40, 20}, RGB(1, 2, 3))));
    EXPECT_TRUE(m_preview.LoadPicture(WriteBytes("broken.bmp", "BM this is no picture")));
    EXPECT_EQ(nullptr, m_preview.GetPicture());
    ExpectCross();
}

TEST_F(PreviewTest, APictureWithoutWidthOrHeightShowsTheCross) {
    for (const CSize size : {CSize(0, 20), CSize(20, 0)}) {
        // A BMP header that declares no pixels on one axis.
        std::string bytes(54, '\0');
        const auto put = [&bytes](size_t at, uint32_t value) {
            for (int i = 0; i < 4; ++i)
                bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
        };
        bytes[0] = 'B';
        bytes[1] = 'M';
        put(2, 54);
        put(10, 54);
        put(14, 40);
        put(18, static_cast<uint32_t>(size.cx));
        put(22, static_cast<uint32_t>(size.cy));
        bytes[26] = 1;
        bytes[28] = 24;
        EXPECT_TRUE(m_preview.LoadPicture(WriteBytes("empty.bmp", bytes)));
        ExpectCross();
    }
}

TEST_F(SmallControlsTest, SpinButtonTellsItsParentWhenReleased) {
    CCustomSpinButtonCtrl spin;
    ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 30, 50), &m_owner, 2200));
    spin.SetRange(0, 10);
    PressAt(&spin, CPoint(8, 5));
    EXPECT_THAT(TakeLog(), Not(Contains("owner spinreleased")));
    ReleaseAt(&spin, CPoint(8, 5));
    EXPECT_THAT(TakeLog(), Contains("owner spinreleased"));
    EXPECT_EQ(1, spin.GetPos()) << "the standard handling still runs";
}

TEST_F(SmallControlsTest, StepFieldHandsItsValueOverWhenItLosesTheFocus) {
    CEditZoom field;
    CEdit other;
    ASSERT_TRUE(field.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 60, 30), &m_owner, 2201));
    ASSERT_TRUE(other.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 40, 60, 60), &m_owner, 2202));
    field.SetFocus();
    TakeLog();
    other.SetFocus();
    const MessageLog log = TakeLog();
    EXPECT_THAT(log, Contains("owner stepfielddone"));
    EXPECT_THAT(log, Not(Contains("owner command 2201 code 512 from ")));
}

} // namespace
