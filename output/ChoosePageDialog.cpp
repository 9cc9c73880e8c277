#include "output/ChoosePageDialog.h"

#include "output/PaperNames.h"
#include "output/PrinterDevMode.h"
#include "platform/base/AppServices.h"

#include <optional>

namespace {
constexpr UINT kMessageText = 62008; // %s: the template's name
constexpr UINT kChooseAPaper = 62009;
constexpr UINT kNoPaperMessage = 31369;
} // namespace

CChoosePageDialog::CChoosePageDialog(CString templateName, CWnd* parent)
    : CDialog(kTemplateId, parent), m_strTemplateName(templateName), m_strPaperName(templateName) {
    m_strMessage.Format(AppServices().LoadString(kMessageText).GetString(), templateName.GetString());
}

void CChoosePageDialog::SetPrinter(LPCTSTR device, LPCTSTR driver, LPCTSTR port, DEVMODE* devMode) {
    m_strDevice = device ? device : "";
    m_strDriver = driver ? driver : "";
    m_strPort = port ? port : "";
    m_pDevMode = devMode;
}

void CChoosePageDialog::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, kPaperListId, m_paperList);
    DDX_Text(exchange, kMessageId, m_strMessage);
}

BOOL CChoosePageDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    if (m_strDevice.IsEmpty() || m_strDriver.IsEmpty() || m_strPort.IsEmpty()) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    if (!m_pDevMode) {
        m_fetchedDevMode = FetchPrinterDevMode(m_strDevice, m_strDriver);
        m_pDevMode = reinterpret_cast<DEVMODE*>(m_fetchedDevMode.get());
    }
    const std::optional<std::vector<CString>> names =
        m_pDevMode ? ReadPaperNames(m_strDevice, m_strPort, m_pDevMode) : std::nullopt;
    if (!names) {
        AppServices().MessageBox(kNoPaperMessage);
        EndDialog(IDCANCEL);
        return TRUE;
    }
    for (size_t index = 0; index < names->size(); ++index) {
        CString name = (*names)[index];
        const int item = m_paperList.AddString(name.Trim());
        m_paperList.SetItemData(item, index);
    }
    CString wanted = m_strTemplateName;
    wanted.Trim().MakeLower();
    int preselected = m_paperList.GetCount() > 0 ? 0 : -1;
    for (int item = 0; item < m_paperList.GetCount(); ++item) {
        CString text;
        m_paperList.GetLBText(item, text);
        if (text.MakeLower().Find(wanted) == 0) {
            preselected = item;
            break;
        }
    }
    m_paperList.SetCurSel(preselected);
    Choose(preselected);
    return TRUE;
}

void CChoosePageDialog::Choose(int item) {
    if (item < 0)
        return;
    m_nSelection = static_cast<int>(m_paperList.GetItemData(item));
    m_paperList.GetLBText(item, m_strPaperName);
}

BOOL CChoosePageDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == kPaperListId && HIWORD(wParam) == CBN_SELCHANGE) {
        Choose(m_paperList.GetCurSel());
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CChoosePageDialog::OnOK() {
    if (m_nSelection < 0) {
        AppServices().MessageBox(kChooseAPaper);
        return;
    }
    CDialog::OnOK();
}
