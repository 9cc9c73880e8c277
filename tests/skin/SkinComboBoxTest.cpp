// The skinned combo boxes: the closed face over the skin (pale field, hot or normal arrow image, the
// selected text), the drop-down items, the item sizes, and which notifications each keeps to itself
// and which reach its owner.

#include "platform/gdi/Dc.h"
#include "platform/ui/PaintDC.h"
#include "skin/AlbumComboBox.h"
#include "skin/MainComboBox.h"
#include "skin/MyComboBox.h"
#include "skin/SkinBitmap.h"
#include "tests/skin/SkinOwnerWnd.h"
#include "tests/skin/SkinTestWindow.h"

#include <QImage>
#include <algorithm>
#include <functional>
#include <gmock/gmock.h>
#include <memory>

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

namespace {

constexpr UINT kOwnerId = 3000;
constexpr UINT kComboId = 2041;
constexpr DWORD kComboStyle =
    WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
constexpr char kArrowBitmap[] = "EINSTELLUNGEN_COMBO";

struct ComboKind {
    const char* name;
    std::function<std::unique_ptr<CSkinComboBox>()> make;
    COLORREF fieldColor;
    // Where the skin's probe pixel of the normal arrow image lands in the window; (-1, -1) for no arrow.
    CPoint arrowProbe;
    // The offset from a window point to the same point of the hot image in the bitmap.
    CSize hotOffset;
    CPoint textAt;
    int itemHeight;
};

std::ostream& operator<<(std::ostream& out, const ComboKind& kind) {
    return out << kind.name;
}

// The probe pixel (54, 14) lies in the normal image at x = 37; CMyComboBox copies from y = 8 to (0, 0),
// CAlbumComboBox from y = 0 to (-8, -8).
const ComboKind kKinds[] = {
    {"My",
     [] { return std::make_unique<CMyComboBox>(); },
     CSkinComboBox::kPaleColor,
     {17, 6},
     {0, 8},
     {37, 3},
     15},
    {"Album",
     [] { return std::make_unique<CAlbumComboBox>(); },
     CSkinComboBox::kPaleColor,
     {9, 6},
     {8, 8},
     {37, 3},
     17},
    {"Main",
     [] { return std::make_unique<CMainComboBox>(); },
     CMainComboBox::kFieldColor,
     {-1, -1},
     {0, 0},
     {10, 3},
     17},
};

class SkinComboBoxTest : public SkinTest, public ::testing::WithParamInterface<ComboKind> {
protected:
    void SetUp() override {
        SkinTest::SetUp();
        ASSERT_TRUE(m_owner.CreateChild(&m_parent, CRect(0, 0, 400, 300), kOwnerId));
        // The pointer away from where the combo box comes, so that it starts cold.
        MoveTo(&m_owner, CPoint(390, 290));
        m_combo = GetParam().make();
        ASSERT_TRUE(m_combo->Create(kComboStyle, CRect(20, 20, 220, 200), &m_owner, kComboId));
        for (const char* text : {"Eins", "Zwei", "Drei"})
            m_combo->AddString(text);
        TakeLog();
    }

    // Whether any pixel of the face's text area differs from the field colour.
    bool ShowsText() {
        const CPoint at = GetParam().textAt;
        for (int y = at.y; y < at.y + 14; ++y) {
            for (int x = at.x; x < at.x + 40; ++x) {
                if (WindowPixel(m_combo.get(), CPoint(x, y)) != GetParam().fieldColor)
                    return true;
            }
        }
        return false;
    }

    // The colour of the skin bitmap's hot arrow image behind a window point.
    COLORREF HotArrowPixel(CPoint windowPoint) {
        CBitmap bitmap;
        EXPECT_TRUE(LoadSkinBitmap(bitmap, kArrowBitmap, m_combo.get()));
        CClientDC screen(m_combo.get());
        CDC memory;
        memory.CreateCompatibleDC(&screen);
        CBitmap* old = memory.SelectObject(&bitmap);
        const COLORREF color = memory.GetPixel(windowPoint + GetParam().hotOffset);
        memory.SelectObject(old);
        return color;
    }

    SkinOwnerWnd m_owner{&m_log};
    std::unique_ptr<CSkinComboBox> m_combo;
};

TEST_P(SkinComboBoxTest, WithoutASelectionTheFaceShowsOnlyTheFieldAndTheArrow) {
    EXPECT_EQ(GetParam().fieldColor, WindowPixel(m_combo.get(), CPoint(150, 10)));
    EXPECT_FALSE(ShowsText());
    const CPoint probe = GetParam().arrowProbe;
    if (probe.x >= 0) {
        EXPECT_EQ(ProbeColour(kArrowBitmap), WindowPixel(m_combo.get(), probe)) << int(m_combo->IsHot());
    }
}

TEST_P(SkinComboBoxTest, TheSelectedItemsTextShowsOnTheField) {
    m_combo->SetCurSel(1);
    m_combo->Invalidate();
    EXPECT_TRUE(ShowsText());
    EXPECT_EQ(GetParam().fieldColor, WindowPixel(m_combo.get(), CPoint(150, 10)));
}

// The kinds with an arrow image.
class SkinArrowComboBoxTest : public SkinComboBoxTest {};

TEST_P(SkinArrowComboBoxTest, ThePointerSwitchesToTheHotArrowUntilTheOwnerClearsIt) {
    const CPoint probe = GetParam().arrowProbe;
    const COLORREF hot = HotArrowPixel(probe);
    ASSERT_NE(hot, ProbeColour(kArrowBitmap)) << "the images must differ at the probe";
    MoveTo(m_combo.get(), CPoint(100, 5));
    PumpMessages();
    EXPECT_TRUE(m_combo->IsHot());
    EXPECT_EQ(hot, WindowPixel(m_combo.get(), probe));
    MoveTo(&m_owner, CPoint(300, 250));
    PumpMessages();
    EXPECT_EQ(hot, WindowPixel(m_combo.get(), probe)) << "leaving does not clear it";
    m_combo->SetHot(0);
    m_combo->Invalidate();
    EXPECT_EQ(ProbeColour(kArrowBitmap), WindowPixel(m_combo.get(), probe));
}

TEST_P(SkinComboBoxTest, ItemsAre270WideAndOfTheKindsHeight) {
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_COMBOBOX;
    measure.itemID = 0;
    m_combo->MeasureItem(&measure);
    EXPECT_EQ(270u, measure.itemWidth);
    EXPECT_EQ(static_cast<UINT>(GetParam().itemHeight), measure.itemHeight);
}

QRgb Rgb(QRgb color) {
    return color & 0xFFFFFF;
}

// The first row from the top where the item shows anything but its fill.
int FirstTextRow(const QImage& image, QRgb fill) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (Rgb(image.pixel(x, y)) != Rgb(fill))
                return y;
        }
    }
    return -1;
}

TEST_P(SkinComboBoxTest, SelectedItemsTextSitsTwoPixelsHigherAfterASelectionChange) {
    const auto draw = [this](UINT action, UINT state) {
        QImage image(120, 17, QImage::Format_RGB32);
        image.fill(Qt::black);
        CDC dc;
        dc.CreateImageDC(&image);
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_COMBOBOX;
        item.itemID = 1;
        item.itemAction = action;
        item.itemState = state;
        item.hDC = dc.m_hDC;
        item.rcItem = CRect(0, 0, 120, 17);
        m_combo->DrawItem(&item);
        dc.DeleteDC();
        return image;
    };
    const QImage whole = draw(ODA_DRAWENTIRE, ODS_SELECTED);
    const QImage selected = draw(ODA_SELECT, ODS_SELECTED);
    const QImage unselected = draw(ODA_SELECT, 0);
    const QImage focused = draw(ODA_FOCUS, ODS_SELECTED);
    const QRgb white = qRgb(255, 255, 255);
    const QRgb pale = qRgb(239, 241, 211);
    EXPECT_EQ(Rgb(white), Rgb(whole.pixel(100, 1)));
    EXPECT_EQ(Rgb(pale), Rgb(selected.pixel(100, 1)));
    EXPECT_EQ(Rgb(white), Rgb(unselected.pixel(100, 1)));
    const int normalRow = FirstTextRow(whole, white);
    ASSERT_GE(normalRow, 2);
    EXPECT_EQ(normalRow, FirstTextRow(unselected, white));
    EXPECT_EQ(normalRow - 2, FirstTextRow(selected, pale));
    EXPECT_EQ(normalRow, FirstTextRow(focused, pale));
}

TEST_P(SkinComboBoxTest, FieldItemIsFilledPaleFromItsArrowOn) {
    QImage image(120, 24, QImage::Format_RGB32);
    image.fill(Qt::black);
    CDC dc;
    dc.CreateImageDC(&image);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_COMBOBOX;
    item.itemID = static_cast<UINT>(-1);
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = ODS_COMBOBOXEDIT;
    item.hDC = dc.m_hDC;
    item.rcItem = CRect(0, 0, 120, 24);
    m_combo->DrawItem(&item);
    dc.DeleteDC();
    EXPECT_EQ(Rgb(qRgb(0, 0, 0)), Rgb(image.pixel(34, 5)));
    EXPECT_EQ(Rgb(qRgb(239, 241, 211)), Rgb(image.pixel(35, 5)));
    EXPECT_EQ(Rgb(qRgb(239, 241, 211)), Rgb(image.pixel(119, 17)));
    EXPECT_EQ(Rgb(qRgb(0, 0, 0)), Rgb(image.pixel(35, 18)));
}

INSTANTIATE_TEST_SUITE_P(Kinds, SkinComboBoxTest, ::testing::ValuesIn(kKinds),
                         [](const auto& info) { return std::string(info.param.name); });
INSTANTIATE_TEST_SUITE_P(Kinds, SkinArrowComboBoxTest, ::testing::Values(kKinds[0], kKinds[1]),
                         [](const auto& info) { return std::string(info.param.name); });

// The notifications a choice by keys and by the mouse yields, as the owner hears them: each kind keeps
// some to itself (CMyComboBox has the settings dialog repaint its lists instead).
struct NotifyCase {
    const char* name;
    std::function<std::unique_ptr<CSkinComboBox>()> make;
    std::vector<std::string> byKey;   // Down on the closed field
    std::vector<std::string> byMouse; // press opens, a click on the second item chooses
};

std::ostream& operator<<(std::ostream& out, const NotifyCase& c) {
    return out << c.name;
}

std::string CommandLine(WORD code, const char* text) {
    return "owner command " + std::to_string(kComboId) + " code " + std::to_string(code) + " from " + text;
}

const NotifyCase kNotifyCases[] = {
    {"My",
     [] { return std::make_unique<CMyComboBox>(); },
     {"owner redrawlists"},
     {"owner redrawlists", "owner redrawlists"}},
    {"Album",
     [] { return std::make_unique<CAlbumComboBox>(); },
     {CommandLine(CBN_SELCHANGE, "Eins")},
     {CommandLine(CBN_CLOSEUP, "Eins"), CommandLine(CBN_SELCHANGE, "Zwei")}},
    {"Main",
     [] { return std::make_unique<CMainComboBox>(); },
     {CommandLine(CBN_SELCHANGE, "Eins")},
     {CommandLine(CBN_DROPDOWN, "Eins"), CommandLine(CBN_CLOSEUP, "Eins"),
      CommandLine(CBN_SELCHANGE, "Zwei")}},
};

class SkinComboNotifyTest : public SkinTest, public ::testing::WithParamInterface<NotifyCase> {};

TEST_P(SkinComboNotifyTest, OwnerHearsOnlyWhatTheKindPassesOn) {
    SkinOwnerWnd owner(&m_log);
    ASSERT_TRUE(owner.CreateChild(&m_parent, CRect(0, 0, 400, 300), kOwnerId));
    const auto combo = GetParam().make();
    ASSERT_TRUE(combo->Create(kComboStyle, CRect(20, 20, 220, 200), &owner, kComboId));
    for (const char* text : {"Eins", "Zwei", "Drei"})
        combo->AddString(text);
    combo->SetFocus();
    TakeLog();
    TypeKey(combo.get(), Qt::Key_Down);
    EXPECT_THAT(TakeLog(), ElementsAreArray(GetParam().byKey));

    combo->SetCurSel(0);
    PressAt(combo.get(), CPoint(100, 5));
    ReleaseAt(combo.get(), CPoint(100, 5));
    ASSERT_TRUE(combo->GetDroppedState());
    CWnd* list = CWnd::GetCapture(); // the open list holds the pointer
    ASSERT_NE(list, nullptr);
    const int itemHeight = combo->GetItemHeight(0);
    ClickAt(list, CPoint(20, 1 + itemHeight + itemHeight / 2));
    PumpMessages();
    EXPECT_EQ(1, combo->GetCurSel());
    EXPECT_THAT(TakeLog(), ElementsAreArray(GetParam().byMouse));
}

INSTANTIATE_TEST_SUITE_P(Kinds, SkinComboNotifyTest, ::testing::ValuesIn(kNotifyCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
