#include "albums/DeleteImageDlg.h"

#include "page/PageDialogs.h"
#include "platform/ui/CommandMap.h"

namespace {

constexpr UINT kTemplateId = 473;
constexpr int kStencilId = 1104;
constexpr int kMatId = 1105;
constexpr int kPicturesId = 1107;

} // namespace

CDeleteImageDlg::CDeleteImageDlg(int stencilState, int matState, CWnd* parent)
    : CDialog(kTemplateId, parent), m_nMatState(matState), m_nStencilState(stencilState) {}

void CDeleteImageDlg::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, kStencilId, m_StencilButton);
    DDX_Control(exchange, kMatId, m_MatButton);
    DDX_Check(exchange, kMatId, m_nMatState);
    DDX_Check(exchange, kStencilId, m_nStencilState);
    DDX_Check(exchange, kPicturesId, m_nPictures);
}

BOOL CDeleteImageDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    static const CommandEntry<CDeleteImageDlg> kCommands[] = {
        {kMatId, BN_CLICKED, &CDeleteImageDlg::OnMat},
        {kStencilId, BN_CLICKED, &CDeleteImageDlg::OnStencil},
        {kPicturesId, BN_CLICKED, &CDeleteImageDlg::OnPictures}};
    return DispatchCommand(*this, kCommands, wParam) || CDialog::OnCommand(wParam, lParam);
}

void CDeleteImageDlg::Cycle(int& state) {
    state = state == 0 ? 1 : 0;
}

void CDeleteImageDlg::OnStencil() {
    Cycle(m_nStencilState);
    UpdateData(FALSE);
}

void CDeleteImageDlg::OnMat() {
    Cycle(m_nMatState);
    UpdateData(FALSE);
}

void CDeleteImageDlg::OnPictures() {
    m_nPictures = !m_nPictures;
    UpdateData(FALSE);
    m_StencilButton.EnableWindow(!m_nPictures);
    m_MatButton.EnableWindow(!m_nPictures);
}

int RunDeleteImageDlg(int stencilState, int matState, DeleteImageOptions& options) {
    CDeleteImageDlg dialog(stencilState, matState);
    const int result = static_cast<int>(dialog.DoModal());
    if (result == IDOK) {
        options.mats = dialog.GetOption1();
        options.stencils = dialog.GetOption2();
        options.pictures = dialog.GetOption3();
    }
    return result;
}
