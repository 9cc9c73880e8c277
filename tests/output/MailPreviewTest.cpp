// The send-mail sheet's preview page: the picture fitted on first show, zooms at and above 100 %,
// centring and scroll ranges, the percent shared with the sheet and kept within 10 to 300, and the
// zoom codes that change nothing.

#include "image/PictureInfo.h"
#include "output/MailPreviewDocument.h"
#include "output/MailPreviewMessages.h"
#include "output/MailPreviewPropertyPage.h"
#include "output/MailPreviewView.h"
#include "output/MailPreviewWndFrame.h"
#include "output/PrintMainWnd.h"
#include "output/SendMailPropertySheet.h"
#include "page/Template.h"
#include "platform/base/Module.h"
#include "platform/base/Resource.h"
#include "platform/ui/ScrollBar.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/UiTestSupport.h"

#include <QTimer>
#include <algorithm>
#include <functional>
#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;

// Renders a plain picture of a third of the page size at the percent and notes the percents asked.
class RenderingMainWnd final : public IPrintMainWnd {
public:
    CTemplate* GetPrintTemplate() override { return &page; }
    CWnd* GetPrintParent() override { return nullptr; }
    void RunPrintJob(DEVMODE*, LPCTSTR, LPCTSTR, LPCTSTR, float, BOOL, int) override {}
    BOOL SavePageImageScaled(const CString&, int) override { return FALSE; }
    CPictureInfo* RenderPagePictureScaled(int percent) override {
        percents.push_back(percent);
        if (!renders)
            return nullptr;
        const CSize size = page.GetPageSize();
        return CPictureInfo::CreateFilled(CSize(size.cx / 3 * percent / 100, size.cy / 3 * percent / 100),
                                          RGB(0x40, 0x80, 0xC0), 24);
    }
    void ExportHtml() override {}
    void SendByMail() override {}

    CTemplate page;
    bool renders = true;
    std::vector<int> percents;
};

class MailPreviewTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        m_resources = LoadLibrary(VC_PROGRAM_DIR "/qz_res.deu");
        ASSERT_NE(nullptr, m_resources);
        m_previous = AfxGetResourceHandle();
        AfxSetResourceHandle(m_resources);
        m_services.SetString(18, "Ganze Seite");
        m_services.SetString(1, "Originalgröße");
        m_mainWnd.page.SetPageSize({2100, 2970});
        SetPrintMainWnd(&m_mainWnd);
    }
    void TearDown() override {
        SetPrintMainWnd(nullptr);
        AfxSetResourceHandle(m_previous);
        FreeLibrary(m_resources);
        UiTest::TearDown();
    }

    // Runs the sheet with the given start percent; act gets the sheet and its preview page, shown.
    void RunPreview(int percent,
                    const std::function<void(CSendMailPropertySheet&, CMailPreviewPropertyPage&)>& act) {
        CSendMailPropertySheet sheet(&m_mainWnd.page, nullptr);
        sheet.SetScalePercent(percent);
        QTimer::singleShot(0, [&] {
            sheet.SetActivePage(1);
            auto* page = dynamic_cast<CMailPreviewPropertyPage*>(sheet.GetPage(1));
            if (page && page->GetPreviewDocument())
                act(sheet, *page);
            else
                ADD_FAILURE() << "no preview";
            sheet.EndDialog(IDCANCEL);
        });
        sheet.DoModal();
    }

    static LRESULT Zoom(CMailPreviewPropertyPage& page, int code) {
        return page.GetPreviewFrame()->SendMessage(WM_MAILPREVIEW_ZOOM, 0, code);
    }
    static CMailPreviewView& View(CMailPreviewPropertyPage& page) {
        return *page.GetPreviewFrame()->GetPreviewView();
    }
    static CString Text(CWnd& window, int id) {
        CString text;
        window.GetDlgItemText(id, text);
        return text;
    }

    HMODULE m_resources = nullptr;
    HINSTANCE m_previous = nullptr;
    FakeAppServices m_services;
    RenderingMainWnd m_mainWnd;
};

TEST_F(MailPreviewTest, FirstShowFitsTheWholePictureWithItsZoomEntries) {
    RunPreview(100, [&](CSendMailPropertySheet&, CMailPreviewPropertyPage& page) {
        CComboBox& box = page.GetPreviewFrame()->GetToolBar().GetZoomBox();
        ASSERT_EQ(18, box.GetCount());
        EXPECT_EQ(0, box.GetCurSel());
        std::vector<CString> texts;
        std::vector<DWORD_PTR> codes;
        for (int i = 0; i < box.GetCount(); ++i) {
            CString text;
            box.GetLBText(i, text);
            texts.push_back(text);
            codes.push_back(box.GetItemData(i));
        }
        EXPECT_EQ(CString("Ganze Seite"), texts[0]);
        EXPECT_EQ(CString("Originalgröße"), texts[1]);
        EXPECT_EQ(CString("10%"), texts[2]);
        EXPECT_EQ(CString("500%"), texts[17]);
        EXPECT_THAT(
            codes, ElementsAre(18, 1, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 150, 200, 250, 300, 450, 500));

        CMailPreviewDocument& document = *page.GetPreviewDocument();
        EXPECT_EQ(CSize(700, 990), document.GetPictureSize());
        const CRect client = View(page).GetClientRectWithoutBars();
        const int fit =
            static_cast<int>(std::min((client.Width() - 20) / 700.0, (client.Height() - 20) / 990.0) * 100.0);
        EXPECT_EQ(fit, document.GetZoom());
        EXPECT_LT(fit, 100);
        const CRect margins = View(page).GetMargins();
        EXPECT_GE(std::min({margins.left, margins.top, margins.right, margins.bottom}), 10);
        // The fitted picture needs no scroll bars.
        EXPECT_EQ(0, View(page).GetScrollLimit(SB_HORZ));
        EXPECT_EQ(0, View(page).GetScrollLimit(SB_VERT));
        EXPECT_EQ(CString("700 x 990"), Text(page, 1493));
        EXPECT_EQ(CString("100"), Text(page, 1292));
        // The one page leaves the next-page button disabled.
        CMailPreviewToolBar& bar = page.GetPreviewFrame()->GetToolBar();
        page.GetPreviewFrame()->UpdateCommandUI();
        EXPECT_EQ(CMailPreviewToolBar::kNextPageId, bar.GetItemID(1));
        EXPECT_TRUE(bar.GetButtonStyle(1) & TBBS_DISABLED);
    });
    EXPECT_THAT(m_mainWnd.percents, ElementsAre(100));
}

TEST_F(MailPreviewTest, AboveOneHundredTheViewMagnifiesThePictureSizedCopy) {
    RunPreview(100, [&](CSendMailPropertySheet&, CMailPreviewPropertyPage& page) {
        CMailPreviewDocument& document = *page.GetPreviewDocument();
        EXPECT_EQ(0, Zoom(page, 1));
        EXPECT_EQ(100, document.GetZoom());
        EXPECT_EQ(CSize(700, 990), document.GetPreviewSize());
        EXPECT_EQ(0, Zoom(page, 50));
        EXPECT_EQ(CSize(350, 495), document.GetPreviewSize());
        EXPECT_EQ(0, Zoom(page, 200));
        EXPECT_EQ(CSize(700, 990), document.GetPreviewSize());
        CMailPreviewView& view = View(page);
        EXPECT_EQ(200, view.GetViewZoom());
        // Wider and higher than the view: margins of 10 and a range over the whole magnified picture.
        EXPECT_EQ(CRect(10, 10, 10, 10), view.GetMargins());
        EXPECT_EQ(CSize(1420, 2000), view.GetTotalSize());
        EXPECT_GT(view.GetScrollLimit(SB_HORZ), 0);
        EXPECT_GT(view.GetScrollLimit(SB_VERT), 0);
    });
}

TEST_F(MailPreviewTest, ANarrowPictureIsCentred) {
    m_mainWnd.page.SetPageSize({300, 270});
    RunPreview(100, [&](CSendMailPropertySheet&, CMailPreviewPropertyPage& page) {
        ASSERT_EQ(0, Zoom(page, 100));
        CMailPreviewView& view = View(page);
        CRect client;
        view.GetClientRect(&client);
        const CRect margins = view.GetMargins();
        EXPECT_EQ((client.Width() - 100) / 2, margins.left);
        EXPECT_EQ(margins.left, margins.right);
        EXPECT_EQ((client.Height() - 90) / 2, margins.top);
        EXPECT_EQ(0, view.GetScrollLimit(SB_HORZ));
    });
}

TEST_F(MailPreviewTest, ZoomCodesThatChangeNothing) {
    RunPreview(100, [&](CSendMailPropertySheet&, CMailPreviewPropertyPage& page) {
        const int fitted = page.GetPreviewDocument()->GetZoom();
        EXPECT_EQ(-1, Zoom(page, 0));
        EXPECT_EQ(fitted, page.GetPreviewDocument()->GetZoom());
    });
    // Without a picture fitting does nothing, and nothing is said.
    m_mainWnd.renders = false;
    RunPreview(100, [&](CSendMailPropertySheet&, CMailPreviewPropertyPage& page) {
        EXPECT_EQ(-1, Zoom(page, 18));
        EXPECT_EQ(100, page.GetPreviewDocument()->GetZoom());
        EXPECT_EQ(nullptr, page.GetPreviewDocument()->GetPreviewDC());
    });
    EXPECT_TRUE(m_services.Messages().empty());
}

TEST_F(MailPreviewTest, TypingShowsTheSizeAndCommittingRenders) {
    RunPreview(100, [&](CSendMailPropertySheet&, CMailPreviewPropertyPage& page) {
        page.SetDlgItemText(1292, "150");
        EXPECT_EQ(CString("1050 x 1485"), Text(page, 1493));
        EXPECT_THAT(m_mainWnd.percents, ElementsAre(100));
        EXPECT_EQ(1, page.SendMessage(SPN_RELEASED, 0, 0));
        EXPECT_THAT(m_mainWnd.percents, ElementsAre(100, 150));
        EXPECT_EQ(CSize(1050, 1485), page.GetPreviewDocument()->GetPictureSize());
        // A commit without a change renders nothing.
        page.SendMessage(WM_COMMAND, MAKEWPARAM(1292, EN_KILLFOCUS), 0);
        EXPECT_THAT(m_mainWnd.percents, ElementsAre(100, 150));
    });
}

TEST_F(MailPreviewTest, ThePercentIsSharedWithTheSendPage) {
    CString sendPageScale;
    RunPreview(100, [&](CSendMailPropertySheet& sheet, CMailPreviewPropertyPage& page) {
        page.SetDlgItemText(1292, "150");
        page.SendMessage(SPN_RELEASED, 0, 0);
        sheet.SetActivePage(0);
        EXPECT_EQ(150, sheet.GetScalePercent());
        sheet.GetPage(0)->GetDlgItemText(1292, sendPageScale);
        sheet.GetPage(0)->SetDlgItemText(1292, "80");
        sheet.SetActivePage(1);
        EXPECT_EQ(CString("80"), Text(page, 1292));
        EXPECT_EQ(CString("560 x 792"), Text(page, 1493));
        // The back button shows the send page again.
        page.SendMessage(WM_COMMAND, MAKEWPARAM(1450, BN_CLICKED), 0);
        EXPECT_EQ(0, sheet.GetActiveIndex());
    });
    EXPECT_EQ(CString("150"), sendPageScale);
    EXPECT_THAT(m_mainWnd.percents, ElementsAre(100, 150, 80));
}

struct ClampCase {
    const char* typed;
    int rendered;
};

TEST_F(MailPreviewTest, ThePercentIsKeptWithinTenToThreeHundred) {
    for (const ClampCase& scale : {ClampCase{"5", 10}, ClampCase{"500", 300}, ClampCase{"300", 300}}) {
        m_mainWnd.percents.clear();
        CString shown;
        int shared = 0;
        RunPreview(100, [&](CSendMailPropertySheet& sheet, CMailPreviewPropertyPage& page) {
            page.SetDlgItemText(1292, scale.typed);
            page.SendMessage(WM_COMMAND, MAKEWPARAM(1292, EN_KILLFOCUS), 0);
            shown = Text(page, 1292);
            sheet.SetActivePage(0);
            shared = sheet.GetScalePercent();
        });
        EXPECT_THAT(m_mainWnd.percents, ElementsAre(100, scale.rendered)) << scale.typed;
        EXPECT_EQ(scale.rendered, shared) << scale.typed;
        EXPECT_EQ(std::to_string(scale.rendered), shown.str()) << scale.typed;
    }
    // A percent outside the range that the send page hands over is kept within it as well.
    m_mainWnd.percents.clear();
    RunPreview(500, [&](CSendMailPropertySheet&, CMailPreviewPropertyPage& page) {
        EXPECT_EQ(CString("300"), Text(page, 1292));
        EXPECT_EQ(CString("2100 x 2970"), Text(page, 1493));
    });
    EXPECT_THAT(m_mainWnd.percents, ElementsAre(300));
}

} // namespace
