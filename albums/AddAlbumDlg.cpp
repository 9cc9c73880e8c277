#include "albums/AddAlbumDlg.h"

#include "library/DSObjMgr.h"
#include "library/ResType.h"
#include "platform/base/AppServices.h"

namespace {

constexpr UINT kTemplateId = 326;
constexpr int kNameId = 1101;
constexpr UINT kNameTakenMessage = 366;

} // namespace

CAddAlbumDlg::CAddAlbumDlg(CWnd* parent) : CDialog(kTemplateId, parent) {}

void CAddAlbumDlg::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    DDX_Text(exchange, kNameId, m_strName);
}

BOOL CAddAlbumDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    return FALSE;
}

void CAddAlbumDlg::OnOK() {
    if (!UpdateData(TRUE))
        return;
    CResType* photos = GetDSObjMgr() ? GetDSObjMgr()->GetResType(kResTypePictures) : nullptr;
    if (photos && photos->IsValidAlbumName(m_strName)) {
        EndDialog(IDOK);
        return;
    }
    AppServices().MessageBox(kNameTakenMessage);
}
