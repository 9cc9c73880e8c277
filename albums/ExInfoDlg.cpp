#include "albums/ExInfoDlg.h"

#include "albums/ImageFileComments.h"
#include "library/DSObjMgr.h"
#include "platform/base/AppServices.h"

#include <vector>

namespace {

constexpr UINT kTemplateId = 435;
constexpr int kListId = 1021;
constexpr int kNameWidth = 200;
constexpr int kValueWidth = 250;
constexpr UINT kFlashFiredText = 65533;
constexpr UINT kFlashNotFiredText = 65534;

} // namespace

CExInfoDlg::CExInfoDlg(CDSObj* item, CWnd* parent) : CDialog(kTemplateId, parent), m_pItem(item) {}

void CExInfoDlg::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, kListId, m_List);
}

BOOL CExInfoDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_List.InsertColumn(0, "", LVCFMT_LEFT, kNameWidth);
    m_List.InsertColumn(1, "", LVCFMT_LEFT, kValueWidth);

    const CString path = GetDSObjMgr() ? GetDSObjMgr()->GetObjectFilePath(m_pItem) : CString();
    std::vector<char> comment(kImageFileCommentSize);
    for (const ImageFileCommentRow& row : kImageFileCommentRows) {
        const int length = ReadImagingFileComment(path, row.type, comment.data(), kImageFileCommentSize);
        if (length <= 0)
            continue;
        const int item = m_List.InsertItem(m_List.GetItemCount(), AppServices().LoadString(row.label));
        if (row.type == kCommentFlash)
            m_List.SetItemText(
                item, 1, AppServices().LoadString(comment[0] == 1 ? kFlashFiredText : kFlashNotFiredText));
        else
            m_List.SetItemText(item, 1, CString(comment.data(), length));
    }
    return TRUE;
}
