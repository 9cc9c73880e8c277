// The printer's settings dialog that DocumentProperties shows for DM_IN_PROMPT: it shows the settings it
// is given, OK hands back the choice and Cancel the settings as they were; colour and both sides only as
// the printer offers them.

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
#include <vector>

namespace {

constexpr char kPrinter[] = "Laser";
constexpr char kDuplexPrinter[] = "Farblaser";
constexpr char kMonochromePrinter[] = "Schwarzweißlaser";
constexpr char kColourOnlyPrinter[] = "Fotodrucker";

class PrinterPropertiesDlgTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        m_printers.Add(kPrinter);
        m_printers.Add(kDuplexPrinter).capabilities.duplex = true;
        m_printers.Add(kMonochromePrinter).capabilities.color = false;
        m_printers.Add(kColourOnlyPrinter).capabilities.monochrome = false;
        m_resources = LoadLibrary(VC_PROGRAM_DIR "/qz_res.deu");
        ASSERT_NE(nullptr, m_resources);
        m_previous = AfxGetResourceHandle();
        AfxSetResourceHandle(m_resources);
        Open(kPrinter);
    }
    void TearDown() override {
        ClosePrinter(m_handle);
        AfxSetResourceHandle(m_previous);
        FreeLibrary(m_resources);
        UiTest::TearDown();
    }

    // Makes the printer the one prompted for, with its settings as the input.
    void Open(const char* printer) {
        if (m_handle)
            ClosePrinter(m_handle);
        m_name = printer;
        ASSERT_TRUE(OpenPrinter(printer, &m_handle, nullptr));
        ASSERT_EQ(DocumentProperties(nullptr, m_handle, printer, &m_input, nullptr, DM_OUT_BUFFER), IDOK);
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
        return DocumentProperties(nullptr, m_handle, m_name, output, &m_input,
                                  DM_IN_PROMPT | DM_IN_BUFFER | DM_OUT_BUFFER);
    }

    CFakePrinterSystem m_printers;
    HMODULE m_resources = nullptr;
    HINSTANCE m_previous = nullptr;
    HANDLE m_handle = nullptr;
    const char* m_name = kPrinter;
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

// The colour and sides shown for the input, whether they can be changed, and what OK or Cancel hands back
// after the step's choice.
TEST_F(PrinterPropertiesDlgTest, ColourAndSidesAsThePrinterOffersThem) {
    struct Case {
        const char* what;
        const char* printer;
        SHORT inputColor;
        SHORT inputDuplex; // 0: the input names no sides
        int choseColor;    // 0: no choice
        int choseSides;
        UINT button;
        int shownColor;
        int shownSides;
        BOOL colorEnabled;
        BOOL sidesEnabled;
        SHORT color;
        SHORT duplex; // 0: DM_DUPLEX stays clear
    };
    using Dlg = CPrinterPropertiesDlg;
    const std::vector<Case> cases = {
        {"duplex printer, both chosen", kDuplexPrinter, DMCOLOR_COLOR, 0, Dlg::kMonochromeId,
         Dlg::kShortEdgeId, IDOK, Dlg::kColorId, Dlg::kSimplexId, TRUE, TRUE, DMCOLOR_MONOCHROME,
         DMDUP_HORIZONTAL},
        {"duplex printer, input shown", kDuplexPrinter, DMCOLOR_MONOCHROME, DMDUP_VERTICAL, Dlg::kColorId,
         Dlg::kSimplexId, IDOK, Dlg::kMonochromeId, Dlg::kLongEdgeId, TRUE, TRUE, DMCOLOR_COLOR,
         DMDUP_SIMPLEX},
        {"duplex printer, input kept", kDuplexPrinter, DMCOLOR_MONOCHROME, DMDUP_HORIZONTAL, 0, 0, IDOK,
         Dlg::kMonochromeId, Dlg::kShortEdgeId, TRUE, TRUE, DMCOLOR_MONOCHROME, DMDUP_HORIZONTAL},
        {"duplex printer, cancelled", kDuplexPrinter, DMCOLOR_MONOCHROME, DMDUP_VERTICAL, Dlg::kColorId,
         Dlg::kShortEdgeId, IDCANCEL, Dlg::kMonochromeId, Dlg::kLongEdgeId, TRUE, TRUE, DMCOLOR_MONOCHROME,
         DMDUP_VERTICAL},
        {"colour printer for one side", kPrinter, DMCOLOR_COLOR, DMDUP_VERTICAL, Dlg::kMonochromeId, 0, IDOK,
         Dlg::kColorId, Dlg::kSimplexId, TRUE, FALSE, DMCOLOR_MONOCHROME, DMDUP_SIMPLEX},
        {"monochrome printer asked for colour", kMonochromePrinter, DMCOLOR_COLOR, DMDUP_HORIZONTAL, 0, 0,
         IDOK, Dlg::kMonochromeId, Dlg::kSimplexId, FALSE, FALSE, DMCOLOR_MONOCHROME, DMDUP_SIMPLEX},
        {"colour-only printer asked for black and white", kColourOnlyPrinter, DMCOLOR_MONOCHROME, 0, 0, 0,
         IDOK, Dlg::kColorId, Dlg::kSimplexId, FALSE, FALSE, DMCOLOR_COLOR, DMDUP_SIMPLEX},
        {"monochrome printer, cancelled", kMonochromePrinter, DMCOLOR_COLOR, 0, 0, 0, IDCANCEL,
         Dlg::kMonochromeId, Dlg::kSimplexId, FALSE, FALSE, DMCOLOR_MONOCHROME, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Open(c.printer);
        m_input.dmColor = c.inputColor;
        m_input.dmFields |= DM_COLOR;
        m_input.dmDuplex = c.inputDuplex;
        if (c.inputDuplex)
            m_input.dmFields |= DM_DUPLEX;
        DEVMODE given{};
        ASSERT_EQ(
            DocumentProperties(nullptr, m_handle, c.printer, &given, &m_input, DM_IN_BUFFER | DM_OUT_BUFFER),
            IDOK);
        int shownColor = 0, shownSides = 0;
        BOOL colorEnabled = FALSE, sidesEnabled = FALSE;
        DEVMODE output{};
        const LONG result = Prompt(&output, [&](CDialog& dialog) {
            shownColor = dialog.GetCheckedRadioButton(Dlg::kColorId, Dlg::kMonochromeId);
            shownSides = dialog.GetCheckedRadioButton(Dlg::kSimplexId, Dlg::kShortEdgeId);
            colorEnabled = dialog.GetDlgItem(Dlg::kColorId)->IsWindowEnabled() &&
                           dialog.GetDlgItem(Dlg::kMonochromeId)->IsWindowEnabled();
            sidesEnabled = dialog.GetDlgItem(Dlg::kSimplexId)->IsWindowEnabled() &&
                           dialog.GetDlgItem(Dlg::kLongEdgeId)->IsWindowEnabled() &&
                           dialog.GetDlgItem(Dlg::kShortEdgeId)->IsWindowEnabled();
            if (c.choseColor)
                dialog.CheckRadioButton(Dlg::kColorId, Dlg::kMonochromeId, c.choseColor);
            if (c.choseSides)
                dialog.CheckRadioButton(Dlg::kSimplexId, Dlg::kShortEdgeId, c.choseSides);
            dialog.SendMessage(WM_COMMAND, MAKEWPARAM(c.button, BN_CLICKED), 0);
        });
        EXPECT_EQ(result, static_cast<LONG>(c.button));
        EXPECT_EQ(shownColor, c.shownColor);
        EXPECT_EQ(shownSides, c.shownSides);
        EXPECT_EQ(colorEnabled, c.colorEnabled);
        EXPECT_EQ(sidesEnabled, c.sidesEnabled);
        EXPECT_EQ(output.dmColor, c.color);
        EXPECT_TRUE(output.dmFields & DM_COLOR);
        EXPECT_EQ(output.dmDuplex, c.duplex);
        EXPECT_EQ((output.dmFields & DM_DUPLEX) != 0, c.duplex != 0);
        if (c.button == IDCANCEL) {
            EXPECT_EQ(std::memcmp(&output, &given, sizeof output), 0) << "the settings as they were";
        }
    }
}

} // namespace
