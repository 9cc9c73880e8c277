// The main window's way out to the internet: the internet panel, the web page of the page's objects, and
// the send-mail sheet.

#include "app/MainWnd.h"
#include "output/HtmlSaveDlg.h"
#include "output/InternetDlg.h"
#include "output/SendMailPropertySheet.h"
#include "page/PreviewWnd.h"
#include "page/Template.h"
#include "platform/base/AppServices.h"
#include "platform/base/Arrays.h"
#include "platform/ui/BitmapButton.h"
#include "platform/ui/ShellExecute.h"

namespace {

constexpr UINT kNoPageId = 153;
constexpr UINT kEditModeOnlyId = 311;
// The width proposed for the web page's picture, in pixels.
constexpr int kProposedWidth = 800;
constexpr COLORREF kWebPageBackground = RGB(255, 255, 255);

} // namespace

void CMainWnd::OnInternet() {
    CBitmapButton* button = GetButton(kInternet);
    if (!button)
        return;
    CRect rect;
    button->GetWindowRect(&rect);
    const CPoint anchor(rect.right, rect.top);
    CInternetDlg panel(&anchor, this);
    panel.DoModal();
}

void CMainWnd::ExportHtml() {
    if (!AppServices().IsEditMode()) {
        AppServices().MessageBox(kEditModeOnlyId);
        return;
    }
    if (!m_template) {
        AppServices().MessageBox(kNoPageId);
        return;
    }
    const CSize pageSize = m_template->GetPageSize();
    // A page without a width has no ratio; the height then does not follow the width.
    const float ratio =
        pageSize.cx > 0 ? static_cast<float>(pageSize.cy) / static_cast<float>(pageSize.cx) : 0.0f;
    int size[2] = {kProposedWidth, static_cast<int>(kProposedWidth * ratio + 0.5)};
    BOOL openAfterSaving = TRUE;
    const CString path = RunHtmlSaveDialog(size, &openAfterSaving, ratio, this);
    CPreviewWnd* canvas = Canvas();
    if (path.IsEmpty() || !canvas)
        return;
    CStringArray files;
    if (canvas->ExportHtml(path, files, size[0], kWebPageBackground) && openAfterSaving)
        ShellExecute(m_hWnd, "open", path, nullptr, nullptr, SW_SHOW);
}

void CMainWnd::SendByMail() {
    CTemplate* page = GetPrintTemplate();
    if (!page) {
        AppServices().MessageBox(kNoPageId);
        return;
    }
    CSendMailPropertySheet sheet(page, nullptr);
    sheet.DoModal();
}
