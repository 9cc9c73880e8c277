// The print set-up window of CPrintDialog::DoModal: the printers it offers, what OK puts into the
// dialog's blocks, Cancel, a printer that is gone and the printer's own settings dialog cancelled.

#include "platform/print/PrintSetupDlg.h"

#include "platform/base/Module.h"
#include "platform/base/Resource.h"
#include "platform/print/FakePrinterSystem.h"
#include "platform/print/PaperSizes.h"
#include "platform/print/PrintDialog.h"
#include "platform/print/PrinterPropertiesDlg.h"
#include "platform/print/Spooler.h"
#include "tests/support/UiTestSupport.h"

#include <QTimer>
#include <functional>

namespace {

template <class Dialog>
void WhenShown(std::function<void(Dialog&)> step) {
    QTimer::singleShot(0, [step] {
        Dialog* dialog = nullptr;
        for (int i = 0; i < 200 && !dialog; ++i) {
            dialog = dynamic_cast<Dialog*>(CWnd::GetActiveWindow());
            if (!dialog)
                PumpMessages();
        }
        ASSERT_NE(dialog, nullptr);
        step(*dialog);
    });
}

CComboBox& Combo(CDialog& dialog, int id) {
    return *static_cast<CComboBox*>(dialog.GetDlgItem(id));
}

CString ItemText(CDialog& dialog, int id, int index) {
    CString text;
    Combo(dialog, id).GetLBText(index, text);
    return text;
}

void Press(CDialog& dialog, int id) {
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

class PrintSetupDlgTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        m_printers.Add("Laser").info.isDefault = TRUE;
        m_printers.Add("Versteckt").info.hidden = TRUE;
        m_printers.Add("Tinte", "Ink Driver", "ink:/");
        m_resources = LoadLibrary(VC_PROGRAM_DIR "/qz_res.deu");
        ASSERT_NE(nullptr, m_resources);
        m_previous = AfxGetResourceHandle();
        AfxSetResourceHandle(m_resources);
        ASSERT_TRUE(m_dialog.GetDefaults());
    }
    void TearDown() override {
        GlobalFree(m_dialog.m_pd.hDevMode);
        GlobalFree(m_dialog.m_pd.hDevNames);
        AfxSetResourceHandle(m_previous);
        FreeLibrary(m_resources);
        UiTest::TearDown();
    }
    DEVMODE HeldDevMode() {
        DEVMODE devMode = *m_dialog.GetDevMode();
        GlobalUnlock(m_dialog.m_pd.hDevMode);
        return devMode;
    }

    CFakePrinterSystem m_printers;
    HMODULE m_resources = nullptr;
    HINSTANCE m_previous = nullptr;
    CPrintDialog m_dialog{TRUE};
};

TEST_F(PrintSetupDlgTest, OkWithAnotherPrinterGivesNewBlocks) {
    ASSERT_EQ(m_dialog.GetDeviceName(), "Laser");
    const HGLOBAL oldNames = m_dialog.m_pd.hDevNames;
    std::vector<CString> listed;
    WhenShown<CPrintSetupDlg>([&](CPrintSetupDlg& dialog) {
        for (int i = 0; i < Combo(dialog, CPrintSetupDlg::kPrinterId).GetCount(); ++i)
            listed.push_back(ItemText(dialog, CPrintSetupDlg::kPrinterId, i));
        Combo(dialog, CPrintSetupDlg::kPrinterId).SetCurSel(1);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(CPrintSetupDlg::kPrinterId, CBN_SELCHANGE), 0);
        Combo(dialog, CPrintSetupDlg::kPaperId).SetCurSel(1);
        dialog.CheckRadioButton(CPrintSetupDlg::kPortraitId, CPrintSetupDlg::kLandscapeId,
                                CPrintSetupDlg::kLandscapeId);
        Press(dialog, IDOK);
    });
    EXPECT_EQ(m_dialog.DoModal(), IDOK);
    EXPECT_EQ(listed, (std::vector<CString>{"Laser", "Tinte", kBuiltInPdfPrinterName}))
        << "no hidden printer";
    EXPECT_NE(m_dialog.m_pd.hDevNames, oldNames);
    EXPECT_EQ(m_dialog.GetDeviceName(), "Tinte");
    EXPECT_EQ(m_dialog.GetDriverName(), "Ink Driver");
    EXPECT_EQ(m_dialog.GetPortName(), "ink:/");
    const DEVMODE devMode = HeldDevMode();
    EXPECT_STREQ(devMode.dmDeviceName, "Tinte");
    EXPECT_EQ(devMode.dmPaperSize, DMPAPER_LETTER);
    EXPECT_EQ(devMode.dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(CommDlgExtendedError(), 0u);
}

TEST_F(PrintSetupDlgTest, CancelKeepsTheHeldSetUp) {
    const HGLOBAL names = m_dialog.m_pd.hDevNames, mode = m_dialog.m_pd.hDevMode;
    WhenShown<CPrintSetupDlg>([](CPrintSetupDlg& dialog) {
        dialog.CheckRadioButton(CPrintSetupDlg::kPortraitId, CPrintSetupDlg::kLandscapeId,
                                CPrintSetupDlg::kLandscapeId);
        Press(dialog, IDCANCEL);
    });
    EXPECT_EQ(m_dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(CommDlgExtendedError(), 0u) << "the user's Cancel";
    EXPECT_EQ(m_dialog.m_pd.hDevNames, names);
    EXPECT_EQ(m_dialog.m_pd.hDevMode, mode);
    EXPECT_EQ(HeldDevMode().dmOrientation, DMORIENT_PORTRAIT);
}

TEST_F(PrintSetupDlgTest, PrinterThatIsGoneIsReportedWithoutAWindow) {
    GlobalFree(m_dialog.m_pd.hDevNames);
    m_dialog.m_pd.hDevNames = MakeDevNames("Alt", "Abgebaut", "alt:/", 0);
    EXPECT_EQ(m_dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(CommDlgExtendedError(), PDERR_PRINTERNOTFOUND);
    EXPECT_EQ(CommDlgExtendedError(), 4107u);
}

TEST_F(PrintSetupDlgTest, CancelledPropertiesLeaveTheSettingsShown) {
    int orientation = 0;
    WhenShown<CPrintSetupDlg>([&](CPrintSetupDlg& setup) {
        setup.CheckRadioButton(CPrintSetupDlg::kPortraitId, CPrintSetupDlg::kLandscapeId,
                               CPrintSetupDlg::kLandscapeId);
        WhenShown<CPrinterPropertiesDlg>([](CPrinterPropertiesDlg& properties) {
            properties.CheckRadioButton(CPrinterPropertiesDlg::kPortraitId,
                                        CPrinterPropertiesDlg::kLandscapeId,
                                        CPrinterPropertiesDlg::kPortraitId);
            Press(properties, IDCANCEL);
        });
        Press(setup, CPrintSetupDlg::kPropertiesId);
        orientation = setup.GetCheckedRadioButton(CPrintSetupDlg::kPortraitId, CPrintSetupDlg::kLandscapeId);
        Press(setup, IDOK);
    });
    EXPECT_EQ(m_dialog.DoModal(), IDOK);
    EXPECT_EQ(orientation, CPrintSetupDlg::kLandscapeId);
    EXPECT_EQ(HeldDevMode().dmOrientation, DMORIENT_LANDSCAPE);
}

} // namespace
