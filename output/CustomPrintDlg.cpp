#include "output/CustomPrintDlg.h"

#include "output/PageMapDialog.h"
#include "output/PrintMainWnd.h"
#include "output/PrinterDevMode.h"
#include "output/PrintersManager.h"
#include "output/PrnJustierenDlg.h"
#include "output/TemplateInfoOpener.h"
#include "page/Template.h"
#include "platform/base/AppServices.h"
#include "platform/base/Profile.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

constexpr UINT kNoPrinter = 173;
constexpr UINT kBadScale = 243;
constexpr UINT kNoFittingPaper = 65535;
// Paper queries: the message when the count fails and when the list fails; %s: the printer's name.
constexpr UINT kPaperSizeCountFailed = 48, kPaperSizeListFailed = 47;
constexpr UINT kPapersCountFailed = 44, kPapersListFailed = 43;
constexpr UINT kPaperNamesCountFailed = 50, kPaperNamesListFailed = 49;
constexpr int kMinCopies = 1;
constexpr int kMaxCopies = 10;
constexpr int kMaxScale = 9;
constexpr int kFitTolerance = 50; // tenths of a millimetre each way

// The number at the start of the scale text ("%d"), when there is one.
std::optional<int> ParseScale(const CString& text) {
    int value = 0;
    int consumed = 0;
    if (std::sscanf(text.GetString(), "%d%n", &value, &consumed) != 1)
        return std::nullopt;
    return value;
}

bool InScaleRange(int value) {
    return value >= -kMaxScale && value <= kMaxScale;
}

} // namespace

CCustomPrintDlg::CCustomPrintDlg(CWnd* parent) : CDialog(kTemplateId, parent) {}

CTemplate* CCustomPrintDlg::GetPage() {
    IPrintMainWnd* mainWnd = GetPrintMainWnd();
    return mainWnd ? mainWnd->GetPrintTemplate() : nullptr;
}

void CCustomPrintDlg::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, kSpinId, m_spin);
    DDX_Control(exchange, kPrinterListId, m_printerList);
    DDX_Text(exchange, kCopiesId, m_nCopies);
    DDV_MinMaxInt(exchange, m_nCopies, kMinCopies, kMaxCopies);
    DDX_Check(exchange, kCheckId, m_nCheck);
    DDX_Control(exchange, kPaperListId, m_paperList);
    DDX_Text(exchange, kPageSizeId, m_strPageSize);
    DDX_Text(exchange, kTemplateNameId, m_strTemplateName);
}

BOOL CCustomPrintDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CTemplate* page = GetPage();
    if (!page) {
        EndDialog(IDOK);
        return TRUE;
    }
    m_strTemplateName = page->GetStoredText();
    const CSize pageSize = page->GetPageSize();
    m_strPageSize.Format("%.1f x %.1f mm", pageSize.cx * 0.1, pageSize.cy * 0.1);
    m_spin.SetBuddy(GetDlgItem(kCopiesId));
    m_paperList.ShowWindow(SW_SHOW);
    if (CWnd* paperLabel = GetDlgItem(kPaperLabelId))
        paperLabel->ShowWindow(SW_SHOW);
    CString defaultName;
    if (!FillPrinterList(defaultName) || m_printerList.GetCount() == 0) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    const int found = m_printerList.FindStringExact(-1, defaultName);
    m_printerList.SetCurSel(found >= 0 ? found : 0);
    OnPrinterChanged();
    m_spin.SetRange(kMinCopies, kMaxCopies);
    m_spin.SetPos(kMinCopies);
    m_nCopies = kMinCopies;
    UpdateData(FALSE);
    m_nScale = static_cast<int>(GetProfileInt("Settings", "ScaledFactor", 0));
    CString scale;
    scale.Format("%d", m_nScale);
    SetDlgItemText(kScaleId, scale);
    if (CWnd* check = GetDlgItem(kCheckId))
        check->EnableWindow(FALSE);
    return TRUE;
}

BOOL CCustomPrintDlg::EnsureDevMode(PRINTER_INFO_2& printer) {
    if (printer.pDevMode)
        return TRUE;
    std::unique_ptr<BYTE[]> fetched = FetchPrinterDevMode(printer.pPrinterName, printer.pDriverName);
    if (!fetched)
        return FALSE;
    printer.pDevMode = reinterpret_cast<DEVMODE*>(fetched.get());
    m_fetchedDevModes.push_back(std::move(fetched));
    return TRUE;
}

BOOL CCustomPrintDlg::FillPrinterList(CString& defaultName) {
    std::vector<BYTE> enumeration;
    const DWORD count = EnumerateInstalledPrinters(enumeration);
    if (count == 0) {
        AppServices().MessageBox(kNoPrinter, MB_ICONINFORMATION);
        return FALSE;
    }
    m_pSelected = nullptr;
    m_fetchedDevModes.clear();
    m_printers = std::move(enumeration);
    m_printerCount = count;
    m_printerList.ResetContent();
    for (DWORD index = 0; index < m_printerCount; ++index) {
        PRINTER_INFO_2& printer = Printers()[index];
        if ((printer.Attributes & PRINTER_ATTRIBUTE_HIDDEN) || !EnsureDevMode(printer))
            continue;
        const int item = m_printerList.AddString(printer.pPrinterName);
        m_printerList.SetItemData(item, index);
    }
    // The whole enumeration: entries left out have no device mode and are passed over, so that every
    // listed printer's stored settings are merged.
    CPrintersManager* manager = CPrintersManager::GetInstance();
    if (manager)
        manager->MergePrinters(Printers(), m_printerCount, FALSE);
    defaultName = manager ? manager->GetCurrentPrinterName() : CString();
    return TRUE;
}

void CCustomPrintDlg::OnPrinterChanged() {
    const int item = m_printerList.GetCurSel();
    if (item < 0)
        return;
    CString name;
    m_printerList.GetLBText(item, name);
    PRINTER_INFO_2* chosen = nullptr;
    for (DWORD index = 0; index < m_printerCount && !chosen; ++index) {
        if (name.CompareNoCase(Printers()[index].pPrinterName) == 0)
            chosen = &Printers()[index];
    }
    if (!chosen)
        return;
    m_pSelected = chosen;
    if (CPrintersManager* manager = CPrintersManager::GetInstance())
        manager->SetCurrentPrinterName(chosen->pPrinterName);
    if (!FillPaperList() && chosen->pDevMode) {
        // The print job then settles the paper through the page mappings.
        chosen->pDevMode->dmPaperSize = 0;
        chosen->pDevMode->dmPaperWidth = 0;
        chosen->pDevMode->dmPaperLength = 0;
    }
}

void CCustomPrintDlg::ReportPaperQuery(UINT stringId) {
    CString text;
    text.Format(AppServices().LoadString(stringId).GetString(), m_pSelected->pPrinterName);
    AppServices().MessageBoxText(text, MB_ICONINFORMATION);
}

BOOL CCustomPrintDlg::FillPaperList() {
    CTemplate* page = GetPage();
    if (!m_pSelected || !m_pSelected->pDevMode || !page)
        return FALSE;
    FreePaperItems();
    m_paperList.ResetContent();
    const PRINTER_INFO_2& printer = *m_pSelected;
    // One query: the count, then the list into a buffer of that many entries of entryBytes; the number
    // of entries written, 0 after its message.
    const auto query = [&](WORD capability, size_t entryBytes, UINT countFailed, UINT listFailed,
                           std::vector<char>& buffer) {
        const int count = DeviceCapabilities(printer.pPrinterName, printer.pPortName, capability, nullptr,
                                             printer.pDevMode);
        if (count <= 0) {
            ReportPaperQuery(countFailed);
            return 0;
        }
        buffer.assign(static_cast<size_t>(count) * entryBytes, '\0');
        const int listed = DeviceCapabilities(printer.pPrinterName, printer.pPortName, capability,
                                              buffer.data(), printer.pDevMode);
        if (listed <= 0) {
            ReportPaperQuery(listFailed);
            return 0;
        }
        return std::min(count, listed);
    };
    std::vector<char> sizes, numbers, names;
    const int sizeCount =
        query(DC_PAPERSIZE, sizeof(POINT), kPaperSizeCountFailed, kPaperSizeListFailed, sizes);
    if (sizeCount == 0)
        return FALSE;
    const int numberCount = query(DC_PAPERS, sizeof(WORD), kPapersCountFailed, kPapersListFailed, numbers);
    if (numberCount == 0)
        return FALSE;
    const int nameCount =
        query(DC_PAPERNAMES, kPaperNameChars, kPaperNamesCountFailed, kPaperNamesListFailed, names);
    if (nameCount == 0)
        return FALSE;

    const CSize pageSize = page->GetPageSize();
    const WORD preferred = static_cast<WORD>(page->GetPaperNumber());
    int exact = -1, closest = -1;
    LONG bestSum = 2147483647;
    // Only as far as all three lists reach.
    const int papers = std::min({sizeCount, numberCount, nameCount});
    for (int index = 0; index < papers; ++index) {
        POINT size;
        std::memcpy(&size, sizes.data() + static_cast<size_t>(index) * sizeof(POINT), sizeof size);
        const LONG dx = std::labs(size.x - pageSize.cx), dy = std::labs(size.y - pageSize.cy);
        if (dx > kFitTolerance || dy > kFitTolerance)
            continue;
        auto* paper = new PaperItem{};
        std::memcpy(paper->name, names.data() + static_cast<size_t>(index) * kPaperNameChars,
                    kPaperNameChars);
        std::memcpy(&paper->paper, numbers.data() + static_cast<size_t>(index) * sizeof(WORD), sizeof(WORD));
        paper->width = size.x;
        paper->height = size.y;
        const int item = m_paperList.AddString(paper->name);
        m_paperList.SetItemData(item, reinterpret_cast<DWORD_PTR>(paper));
        if (paper->paper == preferred)
            exact = item;
        if (dx + dy < bestSum) {
            bestSum = dx + dy;
            closest = item;
        }
    }
    if (exact >= 0)
        m_paperList.SetCurSel(exact);
    else if (closest >= 0)
        m_paperList.SetCurSel(closest);
    else
        m_paperList.SetCurSel(m_paperList.AddString(AppServices().LoadString(kNoFittingPaper)));
    OnPaperChanged();
    return m_paperList.GetCount() > 0;
}

void CCustomPrintDlg::OnPaperChanged() {
    const int item = m_paperList.GetCurSel();
    const auto* paper =
        item >= 0 ? reinterpret_cast<const PaperItem*>(m_paperList.GetItemData(item)) : nullptr;
    for (const int id : {IDOK, kCalibrateId}) {
        if (CWnd* button = GetDlgItem(id))
            button->EnableWindow(paper != nullptr);
    }
    if (!m_pSelected || !m_pSelected->pDevMode || !paper)
        return;
    DEVMODE* devMode = m_pSelected->pDevMode;
    devMode->dmPaperSize = static_cast<SHORT>(paper->paper);
    devMode->dmFields |= DM_ORIENTATION;
    if (paper->paper != 0) {
        devMode->dmFields = (devMode->dmFields | DM_PAPERSIZE) & ~(DM_PAPERLENGTH | DM_PAPERWIDTH);
        devMode->dmPaperWidth = 0;
        devMode->dmPaperLength = 0;
    } else {
        devMode->dmFields = (devMode->dmFields & ~DM_PAPERSIZE) | DM_PAPERLENGTH | DM_PAPERWIDTH;
        devMode->dmPaperWidth = static_cast<SHORT>(paper->width);
        devMode->dmPaperLength = static_cast<SHORT>(paper->height);
    }
}

void CCustomPrintDlg::OnProperties() {
    if (!m_pSelected)
        return;
    HANDLE handle = nullptr;
    if (!OpenPrinter(m_pSelected->pPrinterName, &handle, nullptr))
        return;
    if (!EnsureDevMode(*m_pSelected)) {
        ClosePrinter(handle);
        return;
    }
    DEVMODE* devMode = m_pSelected->pDevMode;
    CTemplate* page = GetPage();
    const auto takeOrientation = [&] {
        if (!page)
            return;
        devMode->dmFields |= DM_ORIENTATION;
        devMode->dmOrientation = static_cast<SHORT>(page->GetOrientation());
    };
    takeOrientation();
    // Cancelled or not, the device mode is what the printer's sheet hands back.
    DocumentProperties(m_hWnd, handle, m_pSelected->pDriverName, devMode, devMode,
                       DM_IN_BUFFER | DM_IN_PROMPT | DM_OUT_BUFFER);
    ClosePrinter(handle);
    if (CPrintersManager* manager = CPrintersManager::GetInstance())
        manager->MergePrinters(Printers(), m_printerCount, TRUE);
    takeOrientation();
}

void CCustomPrintDlg::RefuseScale() {
    SetDlgItemText(kScaleId, "0");
    AppServices().MessageBox(kBadScale);
    if (CWnd* edit = GetDlgItem(kScaleId))
        edit->SendMessage(EM_SETSEL, 0, static_cast<LPARAM>(-1));
}

void CCustomPrintDlg::OnScaleChange() {
    CString text;
    GetDlgItemText(kScaleId, text);
    if (text.IsEmpty())
        return;
    const std::optional<int> value = ParseScale(text);
    const bool stands =
        (value && InScaleRange(*value) && (text.GetLength() <= 1 || text[0] == '-')) || text == "-";
    if (!stands)
        RefuseScale();
}

void CCustomPrintDlg::OnScaleKillFocus() {
    CString text;
    GetDlgItemText(kScaleId, text);
    if (text.IsEmpty())
        return;
    const std::optional<int> value = ParseScale(text);
    if (value && InScaleRange(*value))
        return;
    RefuseScale();
    if (CWnd* edit = GetDlgItem(kScaleId))
        edit->SetFocus();
}

void CCustomPrintDlg::PrintSelected() {
    IPrintMainWnd* mainWnd = GetPrintMainWnd();
    if (!mainWnd || !m_pSelected)
        return;
    CString text;
    GetDlgItemText(kScaleId, text);
    const std::optional<int> value = text.IsEmpty() ? std::nullopt : ParseScale(text);
    const int scale = value && InScaleRange(*value) ? *value : 0;
    mainWnd->RunPrintJob(m_pSelected->pDevMode, m_pSelected->pPrinterName, m_pSelected->pDriverName,
                         m_pSelected->pPortName, static_cast<float>(scale), FALSE, m_nCopies);
}

void CCustomPrintDlg::OnOK() {
    // The copies are checked before anything is printed.
    if (!UpdateData(TRUE))
        return;
    PrintSelected();
    EndDialog(IDOK);
}

void CCustomPrintDlg::OnPageMappings() {
    CPageMapDialog dialog(this);
    dialog.SetSelection(m_pSelected);
    dialog.GetMappingList().m_editableColumns.Add(1);
    dialog.DoModal();
}

void CCustomPrintDlg::OnCalibrate() {
    CPrnJustierenDlg dialog(nullptr);
    dialog.m_pPrinter = m_pSelected;
    dialog.DoModal();
}

void CCustomPrintDlg::OnTemplateInfo() {
    CTemplate* page = GetPage();
    ITemplateInfoOpener* opener = GetTemplateInfoOpener();
    if (page && opener)
        opener->ShowTemplateInfo(page, this);
}

BOOL CCustomPrintDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (id == kPrinterListId && code == CBN_SELCHANGE)
        OnPrinterChanged();
    else if (id == kPaperListId && code == CBN_SELCHANGE)
        OnPaperChanged();
    else if (id == kScaleId && code == EN_CHANGE)
        OnScaleChange();
    else if (id == kScaleId && code == EN_KILLFOCUS)
        OnScaleKillFocus();
    else if (id == kPropertiesId && code == BN_CLICKED)
        OnProperties();
    else if (id == kPageMappingsId && code == BN_CLICKED)
        OnPageMappings();
    else if (id == kCalibrateId && code == BN_CLICKED)
        OnCalibrate();
    else if (id == kTemplateInfoId && code == BN_CLICKED)
        OnTemplateInfo();
    else
        return CDialog::OnCommand(wParam, lParam);
    return TRUE;
}

void CCustomPrintDlg::FreePaperItems() {
    if (!m_paperList.GetSafeHwnd())
        return;
    for (int item = 0; item < m_paperList.GetCount(); ++item) {
        delete reinterpret_cast<PaperItem*>(m_paperList.GetItemData(item));
        m_paperList.SetItemData(item, 0);
    }
}

void CCustomPrintDlg::OnDestroy() {
    FreePaperItems();
    m_pSelected = nullptr;
    m_fetchedDevModes.clear();
    m_printers.clear();
    m_printerCount = 0;
    CDialog::OnDestroy();
}
