// The font dialog on a text object and the position dialog on page objects, offscreen with the
// program's resource module: scalable faces only, the three-character size, the colour picker's
// message, Cancel and OK; the decimal comma of the rotation both ways and the fields each kind allows.

#include "editing/FontPropertiesDlg.h"
#include "editing/ObjPositionDlg.h"
#include "page/DrawClipart.h"
#include "page/DrawRect.h"
#include "page/DrawText.h"
#include "platform/base/Module.h"
#include "platform/base/Resource.h"
#include "platform/gdi/GdiObjects.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/UiTestSupport.h"

#include <QTimer>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kBlue = RGB(20, 40, 200);
constexpr COLORREF kRed = RGB(220, 10, 10);

constexpr int kText = 1001;
constexpr int kColorPicker = 1002;
constexpr int kBold = 1024;
constexpr int kFaceList = 1126;
constexpr int kSizeList = 1128;
constexpr int kShadowUpperLeft = 1136;
constexpr int kRotation = 1010;

class TextDialogsTest : public UiTest {
protected:
    static void SetUpTestSuite() {
        UiTest::SetUpTestSuite();
        s_resources = LoadLibrary(VC_PROGRAM_DIR "/qz_res.deu");
    }
    static void TearDownTestSuite() { FreeLibrary(s_resources); }

    void SetUp() override {
        UiTest::SetUp();
        ASSERT_NE(s_resources, nullptr);
        AfxSetResourceHandle(s_resources);
        LOGFONT font = m_text.GetLogFont();
        std::strcpy(font.lfFaceName, "Arial");
        font.lfHeight = -24;
        font.lfWeight = 400;
        font.lfItalic = TRUE;
        m_text.SetLogFont(font);
        m_text.SetColor(kBlue);
        m_text.SetEffect(2);
    }
    void TearDown() override {
        AfxSetResourceHandle(nullptr);
        UiTest::TearDown();
    }

    // Runs the dialog modally; step runs inside its loop once it is open.
    static INT_PTR Run(CDialog& dialog, std::function<void()> step) {
        QTimer::singleShot(0, [step = std::move(step)] { step(); });
        return dialog.DoModal();
    }
    static CString Text(const CWnd& dialog, int id) {
        CString text;
        dialog.GetDlgItemText(id, text);
        return text;
    }
    // The user empties the text field and types keys into it (setting a multi-line field's text is no
    // change of the user's).
    static void RetypeText(CDialog& dialog, std::initializer_list<Qt::Key> keys) {
        ASSERT_TRUE(WaitUntilActive(&dialog));
        dialog.GetDlgItem(kText)->SetFocus();
        TypeKey(&dialog, Qt::Key_End);
        for (int i = 0; i < 5; ++i)
            TypeKey(&dialog, Qt::Key_Backspace);
        for (const Qt::Key key : keys)
            TypeKey(&dialog, key);
    }
    static void Command(CWnd& dialog, int id, WORD code) {
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), code), 0);
    }

    static HMODULE s_resources;
    FakeAppServices m_services;
    CDrawText m_text{CRect(100, 200, 900, 400), "Hallo"};
};

HMODULE TextDialogsTest::s_resources = nullptr;

int RecordFontType(const LOGFONT*, const TEXTMETRIC*, DWORD fontType, LPARAM found) {
    *reinterpret_cast<DWORD*>(found) = fontType;
    return 0;
}

TEST_F(TextDialogsTest, FontDialogOpensOnTheObjectAndListsOnlyScalableFaces) {
    CFontPropertiesDlg dialog(m_text, nullptr);
    std::vector<std::string> faces;
    CString face, size, text;
    int sizes = 0;
    UINT bold = 1, italic = 0, shadow = 0;
    Run(dialog, [&] {
        auto* list = static_cast<CComboBox*>(dialog.GetDlgItem(kFaceList));
        for (int i = 0; i < list->GetCount(); ++i) {
            CString name;
            list->GetLBText(i, name);
            faces.push_back(name.str());
        }
        face = Text(dialog, kFaceList);
        size = Text(dialog, kSizeList);
        sizes = static_cast<CComboBox*>(dialog.GetDlgItem(kSizeList))->GetCount();
        text = Text(dialog, kText);
        bold = dialog.IsDlgButtonChecked(kBold);
        italic = dialog.IsDlgButtonChecked(1131);
        shadow = dialog.IsDlgButtonChecked(kShadowUpperLeft);
        dialog.EndDialog(IDOK);
    });
    EXPECT_EQ(face, "Arial");
    EXPECT_EQ(size, "24");
    EXPECT_EQ(sizes, 18);
    EXPECT_EQ(text, "Hallo");
    EXPECT_EQ(bold, static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(italic, static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(shadow, static_cast<UINT>(BST_CHECKED));
    ASSERT_FALSE(faces.empty());
    const HDC screen = ::GetDC(nullptr);
    for (const std::string& name : faces) {
        DWORD fontType = 0;
        EnumFontFamilies(screen, name.c_str(), RecordFontType, reinterpret_cast<LPARAM>(&fontType));
        EXPECT_TRUE(fontType & TRUETYPE_FONTTYPE) << name;
    }
    ::ReleaseDC(nullptr, screen);
}

struct AlignmentCase {
    int alignment;
    int checked;
};

TEST_F(TextDialogsTest, FontDialogChecksTheAlignmentButtonAndTheFirstForUnknownValues) {
    for (const AlignmentCase c : {AlignmentCase{0, 1025}, AlignmentCase{1, 1135}, AlignmentCase{2, 1136},
                                  AlignmentCase{3, 1026}, AlignmentCase{-1, 1025}, AlignmentCase{7, 1025}}) {
        m_text.SetEffect(c.alignment);
        CFontPropertiesDlg dialog(m_text, nullptr);
        std::vector<int> checked;
        Run(dialog, [&] {
            for (const int id : {1025, 1135, 1136, 1026}) {
                if (dialog.IsDlgButtonChecked(id) == BST_CHECKED)
                    checked.push_back(id);
            }
            dialog.EndDialog(IDCANCEL);
        });
        EXPECT_EQ(checked, std::vector<int>{c.checked}) << c.alignment;
    }
}

TEST_F(TextDialogsTest, ATypedSizeSetsTheHeightAndTakesNoFourthCharacter) {
    CFontPropertiesDlg dialog(m_text, nullptr);
    LONG heightAfterTyping = 0;
    CString shown;
    const INT_PTR result = Run(dialog, [&] {
        ASSERT_TRUE(WaitUntilActive(&dialog));
        CWnd* sizeList = dialog.GetDlgItem(kSizeList);
        sizeList->SetFocus();
        dialog.SetDlgItemText(kSizeList, "");
        for (const Qt::Key key : {Qt::Key_1, Qt::Key_0, Qt::Key_0, Qt::Key_7})
            TypeKey(&dialog, key);
        heightAfterTyping = m_text.GetLogFont().lfHeight;
        shown = Text(dialog, kSizeList);
        static_cast<CComboBox*>(sizeList)->SetCurSel(4);
        Command(dialog, kSizeList, CBN_SELCHANGE);
        Command(dialog, IDOK, BN_CLICKED);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(shown, "100");
    EXPECT_EQ(heightAfterTyping, -100);
    EXPECT_EQ(m_text.GetLogFont().lfHeight, -12);
}

TEST_F(TextDialogsTest, ChangesGoIntoTheObjectAndCancelPutsBackWhatTheDialogChanged) {
    const LOGFONT opening = m_text.GetLogFont();
    CFontPropertiesDlg dialog(m_text, nullptr);
    CString textMeanwhile;
    LONG weightMeanwhile = 0;
    COLORREF colourMeanwhile = 0;
    LRESULT colourAnswer = 0;
    int alignmentMeanwhile = 0;
    const INT_PTR result = Run(dialog, [&] {
        RetypeText(dialog, {});
        ClickAt(dialog.GetDlgItem(kBold), CPoint(4, 4));
        ClickAt(dialog.GetDlgItem(1026), CPoint(4, 4));
        dynamic_cast<CColorPicker*>(dialog.GetDlgItem(kColorPicker))->SetColor(kRed);
        colourAnswer = dialog.SendMessage(CPN_SELENDOK, kRed, kColorPicker);
        textMeanwhile = m_text.GetText();
        weightMeanwhile = m_text.GetLogFont().lfWeight;
        colourMeanwhile = m_text.GetColor();
        alignmentMeanwhile = m_text.GetEffect();
        Command(dialog, IDCANCEL, BN_CLICKED);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(textMeanwhile, "");
    EXPECT_EQ(weightMeanwhile, 700);
    EXPECT_EQ(colourMeanwhile, kRed);
    EXPECT_EQ(colourAnswer, 1);
    EXPECT_EQ(alignmentMeanwhile, 3);
    EXPECT_EQ(m_text.GetText(), "Hallo");
    EXPECT_EQ(std::memcmp(&m_text.GetLogFont(), &opening, sizeof opening), 0);
    EXPECT_EQ(m_text.GetColor(), kBlue);
    EXPECT_EQ(m_text.GetEffect(), 2);
}

TEST_F(TextDialogsTest, OkKeepsTheChangesButWaitsWhileTheCustomColourDialogIsOpen) {
    CFontPropertiesDlg dialog(m_text, nullptr);
    bool openAfterFirstOk = false;
    const INT_PTR result = Run(dialog, [&] {
        RetypeText(dialog, {Qt::Key_N, Qt::Key_E, Qt::Key_U});
        dialog.SetCustomColorDialogOpen(TRUE);
        Command(dialog, IDOK, BN_CLICKED);
        openAfterFirstOk = dialog.IsWindowVisible() != FALSE;
        dialog.SetCustomColorDialogOpen(FALSE);
        Command(dialog, IDOK, BN_CLICKED);
    });
    EXPECT_TRUE(openAfterFirstOk);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(m_text.GetText(), "neu");
}

TEST_F(TextDialogsTest, PositionDialogShowsAndReadsTheRotationWithADecimalComma) {
    struct Case {
        const char* typed;
        double degrees;
    };
    for (const Case c : {Case{"12,5", 12.5}, Case{"12.5", 12.5}, Case{"-7,3", -7.3}, Case{"abc", 0.0}}) {
        CDrawClipart clipart(CRect(10, 20, 110, 70));
        clipart.SetRotation(45);
        CObjPositionDlg dialog(clipart);
        CString shown;
        BOOL rotationEnabled = FALSE, widthEnabled = FALSE;
        const INT_PTR result = Run(dialog, [&] {
            shown = Text(dialog, kRotation);
            rotationEnabled = dialog.GetDlgItem(kRotation)->IsWindowEnabled();
            widthEnabled = dialog.GetDlgItem(1008)->IsWindowEnabled();
            dialog.SetDlgItemText(kRotation, c.typed);
            dialog.SetDlgItemText(1114, "15");
            Command(dialog, IDOK, BN_CLICKED);
        });
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(shown, "4,5");
        EXPECT_TRUE(rotationEnabled);
        EXPECT_TRUE(widthEnabled);
        EXPECT_DOUBLE_EQ(dialog.GetRotation(), c.degrees) << c.typed;
        EXPECT_EQ(static_cast<int>(dialog.GetRotation() * 10), static_cast<int>(c.degrees * 10));
        EXPECT_EQ(dialog.GetX(), 15);
        EXPECT_EQ(dialog.GetY(), 20);
        EXPECT_EQ(dialog.GetWidth(), 100);
        EXPECT_EQ(dialog.GetHeight(), 50);
    }
}

TEST_F(TextDialogsTest, PositionDialogOffersTheFieldsEachKindAllows) {
    struct Case {
        const char* name;
        std::unique_ptr<CDrawObj> object;
        bool sized;
        bool rotated;
    };
    Case cases[] = {{"text", std::make_unique<CDrawText>(CRect(0, 0, 10, 10), "x"), false, false},
                    {"rectangle", std::make_unique<CDrawRect>(CRect(0, 0, 10, 10)), true, false},
                    {"clipart", std::make_unique<CDrawClipart>(CRect(0, 0, 10, 10)), true, true}};
    for (Case& c : cases) {
        CObjPositionDlg dialog(*c.object);
        BOOL width = FALSE, height = FALSE, rotation = FALSE;
        const INT_PTR result = Run(dialog, [&] {
            width = dialog.GetDlgItem(1008)->IsWindowEnabled();
            height = dialog.GetDlgItem(1009)->IsWindowEnabled();
            rotation = dialog.GetDlgItem(kRotation)->IsWindowEnabled();
            Command(dialog, IDCANCEL, BN_CLICKED);
        });
        EXPECT_EQ(result, IDCANCEL) << c.name;
        EXPECT_EQ(width != FALSE, c.sized) << c.name;
        EXPECT_EQ(height != FALSE, c.sized) << c.name;
        EXPECT_EQ(rotation != FALSE, c.rotated) << c.name;
    }
}

} // namespace
