// The template information dialog: its texts and time stamp, the page turned by its orientation word,
// and the page with its objects scaled into the well, read from the pixels.

#include "resmanager/TemplateInfoDlg.h"

#include "page/DrawRect.h"
#include "page/Template.h"
#include "platform/base/Time.h"
#include "platform/gdi/Dc.h"
#include "tests/albums/AlbumDialogsFixture.h"

#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

TEST(TemplateInfoTimeStampTest, PadsTheHourWithASpaceAndTheMinuteWithAZero) {
    EXPECT_EQ(CTemplateInfoDlg::FormatTimeStamp(CTime(2001, 3, 4, 9, 5, 0).GetTime()), "04:03:2001,  9:05H");
    EXPECT_EQ(CTemplateInfoDlg::FormatTimeStamp(CTime(2024, 12, 31, 23, 59, 0).GetTime()),
              "31:12:2024, 23:59H");
}

TEST(TemplateInfoPageTest, WidthAndHeightAreExchangedForEveryOrientationButOne) {
    CTemplate page;
    page.SetPageSize(CSize(2100, 2970));
    for (const int orientation : {0, 1, 2, 3}) {
        page.SetOrientation(orientation);
        EXPECT_EQ(CTemplateInfoDlg::ShownPageSize(page),
                  orientation == 1 ? CSize(2100, 2970) : CSize(2970, 2100))
            << orientation;
    }
}

struct PageFitCase {
    const char* name;
    CRect well;
    CSize page;
    CRect shown;
    float scale;
};

TEST(TemplateInfoPageTest, PageIsScaledToFitAndCentred) {
    const PageFitCase cases[] = {
        {"landscape in a square well: bands above and below", CRect(0, 0, 240, 240), CSize(2970, 2100),
         CRect(0, 35, 240, 204), 240.0f / 2970},
        {"portrait in a square well: bands left and right", CRect(10, 10, 250, 250), CSize(2100, 2970),
         CRect(45, 10, 214, 250), 240.0f / 2970},
        {"equal proportions fill the well", CRect(0, 0, 300, 200), CSize(1500, 1000), CRect(0, 0, 300, 200),
         0.2f},
        {"an empty page shows nothing", CRect(0, 0, 300, 200), CSize(0, 1000), CRect(0, 0, 0, 0), 0.0f},
    };
    for (const PageFitCase& c : cases) {
        float scale = -1.0f;
        EXPECT_EQ(CTemplateInfoDlg::FitPage(c.well, c.page, scale), c.shown) << c.name;
        EXPECT_FLOAT_EQ(scale, c.scale) << c.name;
    }
}

class TemplateInfoDlgTest : public AlbumDialogsTest {
protected:
    void SetUp() override {
        AlbumDialogsTest::SetUp();
        m_page.SetPageSize(CSize(2100, 2970));
        m_page.SetOrientation(1);
        m_page.SetTitle("Urlaubsseite");
        m_page.SetName("urlaub.tpl");
        m_page.SetComment("Vier Bilder und ein Titel");
        for (const int field : {1, 2, 3, 5, 6, 8}) {
            CString text;
            text.Format("Feld %d", field);
            m_page.SetRecordText(field, text);
        }
        m_page.SetFileTime(CTime(2001, 3, 4, 9, 5, 0).GetTime());
    }

    // Runs the dialog; step runs inside its loop, and the dialog ends after it.
    void Run(const std::function<void(CTemplateInfoDlg&)>& step) {
        CTemplateInfoDlg dialog(&m_page, &m_owner);
        QTimer::singleShot(0, [&] {
            PumpMessages();
            step(dialog);
            dialog.EndDialog(IDOK);
        });
        ASSERT_EQ(dialog.DoModal(), IDOK);
    }

    static CRect WellRect(CDialog& dialog) {
        CRect rect;
        dialog.GetDlgItem(1064)->GetWindowRect(&rect);
        dialog.ScreenToClient(&rect);
        return rect;
    }

    // How far white runs across and down the well through its centre.
    static CSize WhiteExtent(CDialog& dialog) {
        const CRect well = WellRect(dialog);
        const CPoint centre = well.CenterPoint();
        CDC* dc = dialog.GetDC();
        CSize extent;
        for (int x = well.left; x < well.right; ++x)
            extent.cx += dc->GetPixel(x, well.top + 2) == kWhite || dc->GetPixel(x, centre.y) == kWhite;
        for (int y = well.top; y < well.bottom; ++y)
            extent.cy += dc->GetPixel(well.left + 2, y) == kWhite || dc->GetPixel(centre.x, y) == kWhite;
        dialog.ReleaseDC(dc);
        return extent;
    }

    CTemplate m_page;
};

TEST_F(TemplateInfoDlgTest, ShowsEveryTextAndTheTimeStamp) {
    std::vector<CString> shown;
    Run([&](CTemplateInfoDlg& dialog) {
        for (const int id : {1059, 1054, 1078, 1057, 1081, 1076, 1055, 1079, 1080, 1056}) {
            CString text;
            dialog.GetDlgItemText(id, text);
            shown.push_back(text);
        }
    });
    EXPECT_EQ(shown,
              (std::vector<CString>{"Urlaubsseite", "urlaub.tpl", "Vier Bilder und ein Titel", "Feld 3",
                                    "Feld 5", "Feld 6", "Feld 8", "Feld 1", "Feld 2", "04:03:2001,  9:05H"}));
}

TEST_F(TemplateInfoDlgTest, LabelsUseTheBoldItalicCaptionFont) {
    std::vector<LOGFONT> fonts;
    Run([&](CTemplateInfoDlg& dialog) {
        for (const int id : {1073, 1091, 1090, 1089, 1088, 1087, 1086, 1085, 1084, 1083}) {
            LOGFONT font{};
            dialog.GetDlgItem(id)->GetFont()->GetLogFont(&font);
            fonts.push_back(font);
        }
    });
    ASSERT_EQ(fonts.size(), 10u);
    for (const LOGFONT& font : fonts) {
        EXPECT_EQ(font.lfHeight, 14);
        EXPECT_EQ(font.lfWeight, 700);
        EXPECT_TRUE(font.lfItalic);
        EXPECT_STREQ(font.lfFaceName, "Arial");
    }
}

TEST_F(TemplateInfoDlgTest, PageOfOrientationTwoIsWiderThanHighAndOneHigherThanWide) {
    CSize upright, turned;
    Run([&](CTemplateInfoDlg& dialog) { upright = WhiteExtent(dialog); });
    m_page.SetOrientation(2);
    Run([&](CTemplateInfoDlg& dialog) { turned = WhiteExtent(dialog); });
    EXPECT_LT(upright.cx, upright.cy);
    EXPECT_GT(turned.cx, turned.cy);
    EXPECT_EQ(turned.cx, upright.cy);
}

TEST_F(TemplateInfoDlgTest, ObjectsAreDrawnScaledOnThePage) {
    // A filled frame over the page's lower right quarter.
    auto* frame = new CDrawRect(CRect(1050, 1485, 2100, 2970));
    frame->SetBrushFlag(TRUE);
    frame->SetPenFlag(TRUE);
    m_page.GetObjectList().AddTail(frame);
    COLORREF upperLeft = 0, lowerRight = 0;
    Run([&](CTemplateInfoDlg& dialog) {
        float scale = 0.0f;
        const CRect page = CTemplateInfoDlg::FitPage(WellRect(dialog), m_page.GetPageSize(), scale);
        upperLeft = WindowPixel(&dialog, CPoint(page.left + page.Width() / 4, page.top + page.Height() / 4));
        lowerRight =
            WindowPixel(&dialog, CPoint(page.left + page.Width() * 3 / 4, page.top + page.Height() * 3 / 4));
    });
    EXPECT_EQ(upperLeft, kWhite);
    EXPECT_NE(lowerRight, kWhite);
    EXPECT_NE(lowerRight, RGB(221, 221, 221));
}

} // namespace
