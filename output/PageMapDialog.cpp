#include "output/PageMapDialog.h"

#include "output/PageMappings.h"
#include "output/PaperNames.h"
#include "output/PrinterDevMode.h"
#include "output/PrinterMappingList.h"
#include "platform/base/AppServices.h"

#include <optional>

namespace {
constexpr UINT kTemplateColumnHeading = 62010;
constexpr UINT kPaperColumnHeading = 62011;
constexpr UINT kNoPaperMessage = 31369;
constexpr int kColumnWidth = 150;
} // namespace

CPageMapDialog::CPageMapDialog(CWnd* parent) : CDialog(kTemplateId, parent) {}

void CPageMapDialog::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, kMappingListId, m_mappingList);
    DDX_Text(exchange, kPrinterNameId, m_strPrinterName);
}

BOOL CPageMapDialog::OnInitDialog() {
    if (!m_pPrinter) {
        CDialog::OnInitDialog();
        EndDialog(IDCANCEL);
        return TRUE;
    }
    m_strPrinterName = m_pPrinter->pPrinterName;
    CDialog::OnInitDialog();
    if (!FillChoices()) {
        AppServices().MessageBox(kNoPaperMessage);
        EndDialog(IDCANCEL);
        return TRUE;
    }
    m_mappingList.InsertColumn(0, AppServices().LoadString(kTemplateColumnHeading), LVCFMT_LEFT,
                               kColumnWidth);
    m_mappingList.InsertColumn(1, AppServices().LoadString(kPaperColumnHeading), LVCFMT_LEFT, kColumnWidth);
    ListMappings();
    return TRUE;
}

BOOL CPageMapDialog::FillChoices() {
    std::unique_ptr<BYTE[]> fetched;
    const DEVMODE* devMode = m_pPrinter->pDevMode;
    if (!devMode) {
        fetched = FetchPrinterDevMode(m_pPrinter->pPrinterName, m_pPrinter->pDriverName);
        devMode = reinterpret_cast<const DEVMODE*>(fetched.get());
        if (!devMode)
            return FALSE;
    }
    const std::optional<std::vector<CString>> names =
        ReadPaperNames(m_pPrinter->pPrinterName, m_pPrinter->pPortName, devMode);
    if (!names)
        return FALSE;
    for (size_t index = 0; index < names->size(); ++index) {
        if ((*names)[index].IsEmpty())
            continue;
        m_mappingList.m_choices.Add((*names)[index]);
        m_mappingList.m_values.Add(static_cast<DWORD>(index));
    }
    return TRUE;
}

void CPageMapDialog::ListMappings() {
    CPrinterMappingList* mappings = GetPageMappings();
    if (!mappings)
        return;
    const CString driver = m_pPrinter->pDriverName ? m_pPrinter->pDriverName : "";
    for (POSITION pos = mappings->GetHeadPosition(); pos;) {
        _tPRINTER_MAPPING* mapping = mappings->GetNext(pos);
        if (mapping->driverName.CompareNoCase(driver) != 0)
            continue;
        CString paperName;
        for (INT_PTR i = 0; i < m_mappingList.m_values.GetSize(); ++i) {
            if (m_mappingList.m_values[i] == mapping->paperIndex)
                paperName = m_mappingList.m_choices[i];
        }
        // A paper of the template's own name needs no mapping to be shown.
        if (paperName.CompareNoCase(mapping->templateName) == 0)
            continue;
        const int row = m_mappingList.InsertItem(m_mappingList.GetItemCount(), mapping->templateName);
        m_mappingList.SetItemText(row, 1, paperName);
        m_mappingList.SetItemData(row, reinterpret_cast<DWORD_PTR>(mapping));
    }
}

void CPageMapDialog::DeleteSelected() {
    CPrinterMappingList* mappings = GetPageMappings();
    for (int row = m_mappingList.GetItemCount() - 1; row >= 0; --row) {
        if (!(m_mappingList.GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED))
            continue;
        auto* mapping = reinterpret_cast<_tPRINTER_MAPPING*>(m_mappingList.GetItemData(row));
        m_mappingList.DeleteItem(row);
        if (mappings && mapping)
            mappings->RemoveMapping(mapping);
    }
}

BOOL CPageMapDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == kDeleteId && HIWORD(wParam) == BN_CLICKED) {
        DeleteSelected();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}
