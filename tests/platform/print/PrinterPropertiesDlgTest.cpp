// The printer's settings dialog that DocumentProperties shows for DM_IN_PROMPT: it shows the settings it
// is given, OK hands back the choice and Cancel the settings as they were.

#include "platform/print/PrinterPropertiesDlg.h"

#include "platform/base/Module.h"
#include "platform/base/Resource.h"
#include "platform/print/FakePrinterSystem.h"
#include "platform/print/PaperSizes.h"
#include "platform/print/Spooler.h"
#include "tests/support/UiTestSupport.h"

#include <QTimer>
#include <cstring>
#include <functional>

namespace {

constexpr char kPrinter[] = "Laser";

class PrinterPropertiesDlgTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        m_printers.Add(kPrinter);
        m_resources = LoadLibrary(VC_PROGRAM_DIR "/qz_res.deu");
        ASSERT_NE(nullptr, m_resources);
        m_previous = AfxGetResourceHandle();
        AfxSetResourceHandle(m_resources);
        ASSERT_TRUE(OpenPrinter(kPrinter, &m_handle, nullptr));
        ASSERT_EQ(DocumentProperties(nullptr, m_handle, kPrinter, &m_input, nullptr, DM_OUT_BUFFER), IDOK);
    }
    void TearDown() override {
        ClosePrinter(m_handle);
        AfxSetResourceHandle(m_previous);
        FreeLibrary(m_resources);
        UiTest::TearDown();
    }

    // Prompts with the input settings; while the dialog shows, the step acts on it.
    LONG Prompt(DEVMODE* output, const std::function<void(CDialog&)>& step) {
        QTimer::singleShot(0, [step] {
            CDialog* dialog = nullptr;
            for (int i = 0; i < 200 && !dialog; ++i) {
                dialog = dynamic_cast<CPrinterPropertiesDlg*>(CWnd::GetActiveWindow());
                if (!dialog)
                    PumpMessages();
            }
            ASSERT_NE(dialog, nullptr);
            step(*dialog);
        });
        return DocumentProperties(nullptr, m_handle, kPrinter, output, &m_input,
                                  DM_IN_PROMPT | DM_IN_BUFFER | DM_OUT_BUFFER);
    }

    CFakePrinterSystem m_printers;
    HMODULE m_resources = nullptr;
    HINSTANCE m_previous = nullptr;
    HANDLE m_handle = nullptr;
    DEVMODE m_input{};
};

CComboBox& Combo(CDialog& dialog, int id) {
    return *static_cast<CComboBox*>(dialog.GetDlgItem(id));
}

CString Selected(CDialog& dialog, int id) {
    CString text;
    CComboBox& combo = Combo(dialog, id);
    if (combo.GetCurSel() >= 0)
        combo.GetLBText(combo.GetCurSel(), text);
    return text;
}

TEST_F(PrinterPropertiesDlgTest, OkHandsBackTheChosenSettings) {
    DEVMODE output{};
    CString paper, resolution;
    BOOL portrait = FALSE;
    int papers = 0;
    const LONG result = Prompt(&output, [&](CDialog& dialog) {
        paper = Selected(dialog, CPrinterPropertiesDlg::kPaperId);
        resolution = Selected(dialog, CPrinterPropertiesDlg::kResolutionId);
        portrait = dialog.IsDlgButtonChecked(CPrinterPropertiesDlg::kPortraitId);
        papers = Combo(dialog, CPrinterPropertiesDlg::kPaperId).GetCount();
        Combo(dialog, CPrinterPropertiesDlg::kPaperId).SetCurSel(1);
        Combo(dialog, CPrinterPropertiesDlg::kResolutionId).SetCurSel(1);
        dialog.CheckRadioButton(CPrinterPropertiesDlg::kPortraitId, CPrinterPropertiesDlg::kLandscapeId,
                                CPrinterPropertiesDlg::kLandscapeId);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(papers, 2);
    EXPECT_EQ(paper, m_printers.Get(kPrinter).capabilities.papers[0].name) << "the input's paper";
    EXPECT_EQ(resolution, "300 dpi");
    EXPECT_TRUE(portrait);
    EXPECT_EQ(output.dmPaperSize, DMPAPER_LETTER);
    EXPECT_EQ(output.dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(output.dmPrintQuality, 600);
    EXPECT_EQ(output.dmYResolution, 600);
    EXPECT_STREQ(output.dmDeviceName, kPrinter);
}

TEST_F(PrinterPropertiesDlgTest, CancelHandsBackTheSettingsAsTheyWere) {
    m_input.dmOrientation = DMORIENT_LANDSCAPE;
    DEVMODE expected{};
    ASSERT_EQ(
        DocumentProperties(nullptr, m_handle, kPrinter, &expected, &m_input, DM_IN_BUFFER | DM_OUT_BUFFER),
        IDOK);
    DEVMODE output{};
    const LONG result = Prompt(&output, [](CDialog& dialog) {
        Combo(dialog, CPrinterPropertiesDlg::kPaperId).SetCurSel(1);
        dialog.CheckRadioButton(CPrinterPropertiesDlg::kPortraitId, CPrinterPropertiesDlg::kLandscapeId,
                                CPrinterPropertiesDlg::kPortraitId);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(std::memcmp(&output, &expected, sizeof output), 0);
    EXPECT_EQ(output.dmOrientation, DMORIENT_LANDSCAPE);
}

} // namespace
