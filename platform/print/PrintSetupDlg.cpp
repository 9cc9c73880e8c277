#include "platform/print/PrintSetupDlg.h"

#include "platform/print/Spooler.h"
#include "platform/ui/DataExchange.h"

#include <algorithm>
#include <cstring>

CPrintSetupDlg::CPrintSetupDlg(const CString& device, DEVMODE& devMode, CWnd* parent)
    : CDialog(kTemplateId, parent), m_device(device), m_devMode(devMode) {}

void CPrintSetupDlg::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, kPrinterId, m_printerList);
    DDX_Control(exchange, kPaperId, m_paperList);
}

BOOL CPrintSetupDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    std::vector<BYTE> buffer;
    const DWORD count = EnumerateInstalledPrinters(buffer);
    const auto* records = reinterpret_cast<const PRINTER_INFO_2*>(buffer.data());
    int start = 0;
    for (DWORD i = 0; i < count; ++i) {
        const PRINTER_INFO_2& record = records[i];
        if (record.Attributes & PRINTER_ATTRIBUTE_HIDDEN)
            continue;
        m_printers.push_back(Printer{record.pPrinterName, record.pDriverName ? record.pDriverName : "",
                                     record.pPortName ? record.pPortName : ""});
        m_printerList.AddString(record.pPrinterName);
        if (m_device == record.pPrinterName)
            start = static_cast<int>(m_printers.size()) - 1;
    }
    if (!m_printers.empty())
        ChoosePrinter(start, m_device == m_printers[static_cast<size_t>(start)].name ? &m_devMode : nullptr);
    return TRUE;
}

void CPrintSetupDlg::ChoosePrinter(int index, const DEVMODE* settings) {
    m_current = index;
    m_printerList.SetCurSel(index);
    const Printer& printer = m_printers[static_cast<size_t>(index)];
    HANDLE handle = nullptr;
    DEVMODE devMode{};
    if (OpenPrinter(printer.name, &handle, nullptr)) {
        DocumentProperties(nullptr, handle, printer.name, &devMode, settings,
                           settings ? DM_IN_BUFFER | DM_OUT_BUFFER : DM_OUT_BUFFER);
        ClosePrinter(handle);
    }
    m_settings = devMode;
    m_paperList.ResetContent();
    const int papers = DeviceCapabilities(printer.name, printer.port, DC_PAPERS, nullptr, nullptr);
    if (papers > 0) {
        std::vector<WORD> numbers(static_cast<size_t>(papers));
        std::vector<char> names(static_cast<size_t>(papers) * kPaperNameChars);
        const int listed =
            std::min(DeviceCapabilities(printer.name, printer.port, DC_PAPERS,
                                        reinterpret_cast<LPSTR>(numbers.data()), nullptr),
                     DeviceCapabilities(printer.name, printer.port, DC_PAPERNAMES, names.data(), nullptr));
        for (int i = 0; i < listed; ++i) {
            const char* name = names.data() + static_cast<size_t>(i) * kPaperNameChars;
            const int item =
                m_paperList.AddString(CString(name, static_cast<int>(strnlen(name, kPaperNameChars))));
            m_paperList.SetItemData(item, numbers[static_cast<size_t>(i)]);
        }
    }
    ShowSettings();
}

void CPrintSetupDlg::ShowSettings() {
    for (int i = 0; i < m_paperList.GetCount(); ++i)
        if (static_cast<SHORT>(m_paperList.GetItemData(i)) == m_settings.dmPaperSize)
            m_paperList.SetCurSel(i);
    CheckRadioButton(kPortraitId, kLandscapeId,
                     m_settings.dmOrientation == DMORIENT_LANDSCAPE ? kLandscapeId : kPortraitId);
}

void CPrintSetupDlg::TakeSettings() {
    if (const int item = m_paperList.GetCurSel(); item >= 0) {
        const auto number = static_cast<SHORT>(m_paperList.GetItemData(item));
        if (number != m_settings.dmPaperSize) {
            m_settings.dmPaperSize = number;
            m_settings.dmFields = (m_settings.dmFields | DM_PAPERSIZE) & ~(DM_PAPERLENGTH | DM_PAPERWIDTH);
            m_settings.dmPaperLength = 0;
            m_settings.dmPaperWidth = 0;
        }
    }
    m_settings.dmOrientation = static_cast<SHORT>(
        GetCheckedRadioButton(kPortraitId, kLandscapeId) == kLandscapeId ? DMORIENT_LANDSCAPE
                                                                         : DMORIENT_PORTRAIT);
    m_settings.dmFields |= DM_ORIENTATION;
}

void CPrintSetupDlg::EditProperties() {
    if (m_current < 0)
        return;
    TakeSettings();
    const Printer& printer = m_printers[static_cast<size_t>(m_current)];
    HANDLE handle = nullptr;
    if (!OpenPrinter(printer.name, &handle, nullptr))
        return;
    DEVMODE chosen{};
    if (DocumentProperties(m_hWnd, handle, printer.name, &chosen, &m_settings,
                           DM_IN_PROMPT | DM_IN_BUFFER | DM_OUT_BUFFER) == IDOK)
        m_settings = chosen;
    ClosePrinter(handle);
    ShowSettings();
}

BOOL CPrintSetupDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if (id == kPrinterId && HIWORD(wParam) == CBN_SELCHANGE) {
        if (const int item = m_printerList.GetCurSel(); item >= 0 && item != m_current)
            ChoosePrinter(item, nullptr);
        return TRUE;
    }
    if (id == kPropertiesId && HIWORD(wParam) == BN_CLICKED) {
        EditProperties();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CPrintSetupDlg::OnOK() {
    if (m_current < 0)
        return;
    TakeSettings();
    const Printer& printer = m_printers[static_cast<size_t>(m_current)];
    m_device = printer.name;
    m_driver = printer.driver;
    m_port = printer.port;
    m_devMode = m_settings;
    CDialog::OnOK();
}
