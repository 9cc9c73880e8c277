#include "platform/print/PrintDialog.h"

#include "platform/gdi/Dc.h"
#include "platform/print/FakePrinterSystem.h"
#include "platform/print/PaperSizes.h"
#include "platform/print/Spooler.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

class PrintDialogTest : public ::testing::Test {
protected:
    PrintDialogTest() { fake.Add("Foto", "Canon Selphy", "usb://Canon/Selphy").info.isDefault = TRUE; }
    ~PrintDialogTest() override {
        while (dialog.m_pd.hDevMode && (GlobalFlags(dialog.m_pd.hDevMode) & GMEM_LOCKCOUNT))
            GlobalUnlock(dialog.m_pd.hDevMode);
        GlobalFree(dialog.m_pd.hDevMode);
        GlobalFree(dialog.m_pd.hDevNames);
        if (dialog.m_pd.hDC)
            DeleteDC(dialog.m_pd.hDC);
    }

    CFakePrinterSystem fake;
    CPrintDialog dialog{TRUE, PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIES | PD_HIDEPRINTTOFILE};
};

TEST_F(PrintDialogTest, DefaultsAreTheDefaultPrintersNamesAndSettings) {
    EXPECT_EQ(dialog.m_pd.Flags & PD_PRINTSETUP, PD_PRINTSETUP);
    EXPECT_EQ(dialog.GetDevMode(), nullptr);
    ASSERT_TRUE(dialog.GetDefaults());
    EXPECT_EQ(dialog.GetDeviceName(), "Foto");
    EXPECT_EQ(dialog.GetDriverName(), "Canon Selphy");
    EXPECT_EQ(dialog.GetPortName(), "usb://Canon/Selphy");
    {
        CGlobalLock names(dialog.m_pd.hDevNames);
        EXPECT_EQ(reinterpret_cast<const DEVNAMES*>(names.Bytes())->wDefault, DN_DEFAULTPRN);
    }

    DEVMODE* devMode = dialog.GetDevMode();
    ASSERT_NE(devMode, nullptr);
    EXPECT_EQ(GlobalFlags(dialog.m_pd.hDevMode) & GMEM_LOCKCOUNT, 1u) << "GetDevMode keeps its lock";
    EXPECT_STREQ(devMode->dmDeviceName, "Foto");
    EXPECT_EQ(devMode->dmPaperSize, DMPAPER_A4);
    EXPECT_EQ(GlobalSize(dialog.m_pd.hDevMode), sizeof(DEVMODE));

    EXPECT_FALSE(dialog.GetDefaults()) << "a dialog that holds a printer keeps it";
}

TEST_F(PrintDialogTest, PrinterDcFollowsTheHeldDeviceMode) {
    ASSERT_TRUE(dialog.GetDefaults());
    dialog.GetDevMode()->dmOrientation = DMORIENT_LANDSCAPE;
    HDC dc = dialog.CreatePrinterDC();
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(dialog.m_pd.hDC, dc);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALWIDTH), 3508);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALHEIGHT), 2480);
    // The program's paper size in tenths of a millimetre from these caps.
    EXPECT_EQ(
        static_cast<int>(GetDeviceCaps(dc, PHYSICALWIDTH) / float(GetDeviceCaps(dc, LOGPIXELSX)) * 254.0f),
        2970);
}

TEST_F(PrintDialogTest, WithoutPrinterNamesThereIsNoPrinterDc) {
    EXPECT_EQ(dialog.CreatePrinterDC(), nullptr);
    dialog.m_pd.hDevNames = MakeDevNames("Canon Selphy", "Fehlt", "usb://x", 0);
    EXPECT_EQ(dialog.CreatePrinterDC(), nullptr);
}

TEST_F(PrintDialogTest, DamagedDeviceNamesGiveEmptyNames) {
    dialog.m_pd.hDevNames = GlobalAlloc(GHND, 12);
    {
        CGlobalLock lock(dialog.m_pd.hDevNames);
        const DEVNAMES header{4, 200, 8, 0}; // inside the header, beyond the block, unterminated
        std::memcpy(lock.Bytes(), &header, sizeof header);
        std::memset(lock.Bytes() + 8, 'x', 4);
    }
    EXPECT_EQ(dialog.GetDriverName(), "");
    EXPECT_EQ(dialog.GetDeviceName(), "");
    EXPECT_EQ(dialog.GetPortName(), "");
    EXPECT_EQ(dialog.CreatePrinterDC(), nullptr);
}

TEST(PrintDialog, DefaultsAreThePdfPrinterWhenNoneIsInstalled) {
    CFakePrinterSystem fake;
    const auto defaultsName = [] {
        CPrintDialog dialog(TRUE, 0, nullptr);
        const BOOL found = dialog.GetDefaults();
        const CString name = dialog.GetDeviceName();
        GlobalFree(dialog.m_pd.hDevMode);
        GlobalFree(dialog.m_pd.hDevNames);
        return found ? name : CString("(none)");
    };
    EXPECT_EQ(defaultsName(), kBuiltInPdfPrinterName) << "no printer installed";
    CFakePrinterSystem::Printer& stuck = fake.Add("Verklemmt");
    stuck.info.isDefault = TRUE;
    stuck.opens = false;
    EXPECT_EQ(defaultsName(), "(none)") << "a default printer that cannot be opened is no default";
}

} // namespace
