#include "platform/print/PrinterPropertiesDlg.h"

#include "platform/ui/DataExchange.h"

#include <cstdio>

namespace {

int DuplexButton(SHORT duplex) {
    switch (duplex) {
    case DMDUP_VERTICAL:
        return CPrinterPropertiesDlg::kLongEdgeId;
    case DMDUP_HORIZONTAL:
        return CPrinterPropertiesDlg::kShortEdgeId;
    default:
        return CPrinterPropertiesDlg::kSimplexId;
    }
}

SHORT DuplexOfButton(int button) {
    switch (button) {
    case CPrinterPropertiesDlg::kLongEdgeId:
        return DMDUP_VERTICAL;
    case CPrinterPropertiesDlg::kShortEdgeId:
        return DMDUP_HORIZONTAL;
    default:
        return DMDUP_SIMPLEX;
    }
}

} // namespace

CPrinterPropertiesDlg::CPrinterPropertiesDlg(const PrinterCapabilities& capabilities, DEVMODE& devMode,
                                             CWnd* parent)
    : CDialog(kTemplateId, parent), m_capabilities(capabilities), m_devMode(devMode) {}

void CPrinterPropertiesDlg::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, kPaperId, m_papers);
    DDX_Control(exchange, kResolutionId, m_resolutions);
}

BOOL CPrinterPropertiesDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CComboBox* papers = &m_papers;
    for (const PrinterPaper& paper : m_capabilities.papers) {
        const int index = papers->AddString(paper.name);
        papers->SetItemData(index, static_cast<DWORD_PTR>(static_cast<WORD>(paper.number)));
        if (paper.number == m_devMode.dmPaperSize)
            papers->SetCurSel(index);
    }
    CheckRadioButton(kPortraitId, kLandscapeId,
                     m_devMode.dmOrientation == DMORIENT_LANDSCAPE ? kLandscapeId : kPortraitId);
    CComboBox* resolutions = &m_resolutions;
    for (const int dpi : m_capabilities.resolutions) {
        char text[32];
        std::snprintf(text, sizeof text, "%d dpi", dpi);
        const int index = resolutions->AddString(text);
        resolutions->SetItemData(index, static_cast<DWORD_PTR>(dpi));
        if (dpi == m_devMode.dmYResolution)
            resolutions->SetCurSel(index);
    }
    resolutions->EnableWindow(m_capabilities.resolutions.size() > 1);
    // A printer with one way of colour or one side shows the way it prints, greyed.
    const bool colorChoice = m_capabilities.color && m_capabilities.monochrome;
    const bool color = m_capabilities.color && (m_devMode.dmColor != DMCOLOR_MONOCHROME || !colorChoice);
    CheckRadioButton(kColorId, kMonochromeId, color ? kColorId : kMonochromeId);
    for (const int id : {kColorId, kMonochromeId})
        GetDlgItem(id)->EnableWindow(colorChoice);
    const bool duplex = m_capabilities.duplex && (m_devMode.dmFields & DM_DUPLEX);
    CheckRadioButton(kSimplexId, kShortEdgeId, duplex ? DuplexButton(m_devMode.dmDuplex) : kSimplexId);
    for (const int id : {kSimplexId, kLongEdgeId, kShortEdgeId})
        GetDlgItem(id)->EnableWindow(m_capabilities.duplex);
    return TRUE;
}

void CPrinterPropertiesDlg::OnOK() {
    if (const int index = m_papers.GetCurSel(); index >= 0) {
        m_devMode.dmPaperSize = static_cast<SHORT>(m_papers.GetItemData(index));
        m_devMode.dmFields = (m_devMode.dmFields | DM_PAPERSIZE) & ~(DM_PAPERLENGTH | DM_PAPERWIDTH);
        m_devMode.dmPaperLength = 0;
        m_devMode.dmPaperWidth = 0;
    }
    m_devMode.dmOrientation = static_cast<SHORT>(
        GetCheckedRadioButton(kPortraitId, kLandscapeId) == kLandscapeId ? DMORIENT_LANDSCAPE
                                                                         : DMORIENT_PORTRAIT);
    m_devMode.dmFields |= DM_ORIENTATION;
    if (const int index = m_resolutions.GetCurSel(); index >= 0) {
        const auto dpi = static_cast<SHORT>(m_resolutions.GetItemData(index));
        m_devMode.dmPrintQuality = dpi;
        m_devMode.dmYResolution = dpi;
        m_devMode.dmFields |= DM_PRINTQUALITY | DM_YRESOLUTION;
    }
    m_devMode.dmColor = static_cast<SHORT>(
        GetCheckedRadioButton(kColorId, kMonochromeId) == kColorId ? DMCOLOR_COLOR : DMCOLOR_MONOCHROME);
    m_devMode.dmDuplex = DuplexOfButton(GetCheckedRadioButton(kSimplexId, kShortEdgeId));
    m_devMode.dmFields |= DM_COLOR | DM_DUPLEX;
    CDialog::OnOK();
}
