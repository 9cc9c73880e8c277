// The printer calibration: what it shows and stores per printer, which entries it refuses, and the
// calibration page on the built-in PDF printer read back with pdftoppm: its corner lies where the user
// asked for it.

#include "output/PrnJustierenDlg.h"

#include "output/CalibrationPage.h"
#include "output/PrinterSection.h"
#include "platform/base/Profile.h"
#include "platform/print/PrintJob.h"
#include "platform/print/PrinterDc.h"
#include "tests/output/PrintDialogFixture.h"
#include "tests/support/RunTool.h"
#include "tests/support/ScriptedFileChooser.h"

#include <QImage>
#include <QTemporaryDir>

namespace {

constexpr char kPrinter[] = "Laser";
constexpr int kDpi = 300;

void Press(CDialog& dialog, int id) {
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

class PrnJustierenDlgTest : public PrintDialogTest {
protected:
    void SetUp() override {
        PrintDialogTest::SetUp();
        m_printers.Add(kPrinter);
    }

    // The enumerated record of a printer.
    PRINTER_INFO_2* Printer(const CString& name) {
        m_enumeration.clear();
        const DWORD count = EnumerateInstalledPrinters(m_enumeration);
        auto* printers = reinterpret_cast<PRINTER_INFO_2*>(m_enumeration.data());
        for (DWORD i = 0; i < count; ++i) {
            if (name == printers[i].pPrinterName)
                return &printers[i];
        }
        return nullptr;
    }

    // Runs the dialog for the printer; step acts on it and must end it.
    INT_PTR Run(const CString& printer, const std::function<void(CPrnJustierenDlg&)>& step) {
        CPrnJustierenDlg dialog(nullptr);
        dialog.m_pPrinter = Printer(printer);
        return RunWith(dialog, [step](CDialog& shown) { step(static_cast<CPrnJustierenDlg&>(shown)); });
    }

    static CString Text(CDialog& dialog, int id) {
        CString text;
        dialog.GetDlgItemText(id, text);
        return text;
    }

    static std::pair<int, int> Stored(const CString& printer) {
        const CString section = PrinterSection(printer);
        return {static_cast<int>(GetProfileInt(section, "PrintOffsetX", -1)),
                static_cast<int>(GetProfileInt(section, "PrintOffsetY", -1))};
    }

    std::vector<BYTE> m_enumeration;
};

TEST_F(PrnJustierenDlgTest, NeverCalibratedShowsTheNominalMarkAndOkStoresNone) {
    CString x, y, nominalX, nominalY, name;
    const INT_PTR result = Run(kPrinter, [&](CPrnJustierenDlg& dialog) {
        x = Text(dialog, CPrnJustierenDlg::kOffsetXId);
        y = Text(dialog, CPrnJustierenDlg::kOffsetYId);
        nominalX = Text(dialog, CPrnJustierenDlg::kNominalXId);
        nominalY = Text(dialog, CPrnJustierenDlg::kNominalYId);
        name = Text(dialog, CPrnJustierenDlg::kPrinterNameId);
        Press(dialog, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(x, "50,0");
    EXPECT_EQ(y, "50,0");
    EXPECT_EQ(nominalX, "50");
    EXPECT_EQ(nominalY, "50");
    EXPECT_EQ(name, kPrinter);
    EXPECT_EQ(Stored(kPrinter), std::make_pair(0, 0));
    EXPECT_TRUE(m_mainWnd.offsets.empty()) << "the main window's offsets stay";
}

TEST_F(PrnJustierenDlgTest, StoredValuesShowWithADecimalCommaAndOkKeepsThem) {
    const CString network = "\\\\srv\\p";
    m_printers.Add(network);
    WriteProfileInt("//srv/p", "PrintOffsetX", 4950);
    WriteProfileInt("//srv/p", "PrintOffsetY", 5120);
    CString x, y;
    Run(network, [&](CPrnJustierenDlg& dialog) {
        x = Text(dialog, CPrnJustierenDlg::kOffsetXId);
        y = Text(dialog, CPrnJustierenDlg::kOffsetYId);
        Press(dialog, IDOK);
    });
    EXPECT_EQ(x, "49,5");
    EXPECT_EQ(y, "51,2");
    EXPECT_EQ(Stored(network), std::make_pair(4950, 5120));
    ASSERT_EQ(m_mainWnd.offsets.size(), 1u);
    EXPECT_FLOAT_EQ(m_mainWnd.offsets[0].first, 49.5f);
    EXPECT_FLOAT_EQ(m_mainWnd.offsets[0].second, 51.2f);
}

struct EntryCase {
    const char* name;
    const char* typed;
    int stored; // hundredths, or -1 when refused
};

class CalibrationEntryTest : public PrnJustierenDlgTest, public ::testing::WithParamInterface<EntryCase> {};

TEST_P(CalibrationEntryTest, TakesAMarkPositionOnTheSheet) {
    const EntryCase& c = GetParam();
    const INT_PTR result = Run(kPrinter, [&](CPrnJustierenDlg& dialog) {
        dialog.SetDlgItemText(CPrnJustierenDlg::kOffsetXId, c.typed);
        Press(dialog, IDOK);
        if (c.stored < 0)
            Press(dialog, IDCANCEL);
    });
    if (c.stored < 0) {
        EXPECT_EQ(result, IDCANCEL) << "stays open after the refusal";
        EXPECT_EQ(m_app.MessageIds(), std::vector<UINT>{403});
        EXPECT_EQ(Stored(kPrinter), std::make_pair(-1, -1));
    } else {
        EXPECT_EQ(result, IDOK);
        EXPECT_TRUE(m_app.Messages().empty());
        EXPECT_EQ(Stored(kPrinter), std::make_pair(c.stored, 5000));
    }
}

INSTANTIATE_TEST_SUITE_P(Entries, CalibrationEntryTest,
                         ::testing::Values(EntryCase{"DecimalPoint", "49.5", 4950},
                                           EntryCase{"DecimalComma", "49,5", 4950},
                                           EntryCase{"TrailingText", "49,5 mm", 4950},
                                           EntryCase{"AtTheSheetsEdge", "209,9", 20990},
                                           EntryCase{"Minus", "-49,5", -1}, EntryCase{"Comma", ",5", -1},
                                           EntryCase{"Empty", "", -1},
                                           EntryCase{"BeyondTheSheet", "210,5", -1},
                                           EntryCase{"OverflowsTheStoredValue", "99999999999", -1},
                                           EntryCase{"Infinite", "1e999", -1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PrnJustierenDlgTest, TestPageNeedsAPaperInTheDeviceMode) {
    struct Case {
        const char* name;
        std::function<void(DEVMODE&)> change;
        bool enabled;
    };
    const Case cases[] = {
        {"PaperNumber", [](DEVMODE&) {}, true},
        {"NoPaper", [](DEVMODE& d) { d.dmFields &= ~DM_PAPERSIZE; }, false},
        {"PaperZero", [](DEVMODE& d) { d.dmPaperSize = 0; }, false},
        {"CustomSize",
         [](DEVMODE& d) {
             d.dmFields = (d.dmFields & ~DM_PAPERSIZE) | DM_PAPERLENGTH | DM_PAPERWIDTH;
             d.dmPaperWidth = 1000;
             d.dmPaperLength = 1500;
         },
         true},
        {"CustomSizeWithoutLength",
         [](DEVMODE& d) {
             d.dmFields = (d.dmFields & ~DM_PAPERSIZE) | DM_PAPERWIDTH;
             d.dmPaperWidth = 1000;
         },
         false},
    };
    for (const Case& c : cases) {
        CPrnJustierenDlg dialog(nullptr);
        dialog.m_pPrinter = Printer(kPrinter);
        ASSERT_NE(dialog.m_pPrinter->pDevMode, nullptr);
        c.change(*dialog.m_pPrinter->pDevMode);
        BOOL enabled = !c.enabled;
        RunWith(dialog, [&](CDialog& shown) {
            enabled = shown.GetDlgItem(CPrnJustierenDlg::kTestPageId)->IsWindowEnabled();
            Press(shown, IDCANCEL);
        });
        EXPECT_EQ(enabled, c.enabled) << c.name;
    }
}

// The page rendered in grey at kDpi.
QImage RenderedPage(const CString& pdf) {
    QTemporaryDir folder;
    const std::string stem = folder.path().toStdString() + "/page";
    if (RunTool("pdftoppm -gray -singlefile -r " + std::to_string(kDpi) + " '" + pdf.GetString() + "' '" +
                stem + "'") != 0)
        return {};
    QImage page(QString::fromStdString(stem + ".pgm"));
    return page.convertToFormat(QImage::Format_Grayscale8);
}

bool Dark(const QImage& page, int x, int y) {
    return page.constScanLine(y)[x] < 128;
}

// The corner of the mark: where the leftmost long vertical line and the topmost long horizontal line
// begin (the arrows' lines lie right of and below them). Null when there is none.
QPoint MarkCorner(const QImage& page, int longLine) {
    int cornerY = -1;
    for (int y = 0; y < page.height() && cornerY < 0; ++y) {
        for (int x = 0, run = 0; x < page.width() && cornerY < 0; ++x) {
            run = Dark(page, x, y) ? run + 1 : 0;
            if (run >= longLine)
                cornerY = y;
        }
    }
    int cornerX = -1;
    for (int x = 0; x < page.width() && cornerX < 0; ++x) {
        for (int y = 0, run = 0; y < page.height() && cornerX < 0; ++y) {
            run = Dark(page, x, y) ? run + 1 : 0;
            if (run >= longLine)
                cornerX = x;
        }
    }
    return cornerX < 0 || cornerY < 0 ? QPoint() : QPoint(cornerX, cornerY);
}

double Pixels(double millimetres) {
    return millimetres * kDpi / 25.4;
}

TEST_F(PrnJustierenDlgTest, TestPageCornerLiesWhereTheEditsSay) {
    QTemporaryDir folder;
    const CString first = (folder.path() + "/mark-50-50.pdf").toStdString().c_str();
    const CString second = (folder.path() + "/mark-30-70.pdf").toStdString().c_str();
    ScriptedFileChooser chooser;
    Run(kBuiltInPdfPrinterName, [&](CPrnJustierenDlg& dialog) {
        chooser.Pick({first});
        Press(dialog, CPrnJustierenDlg::kTestPageId);
        dialog.SetDlgItemText(CPrnJustierenDlg::kOffsetXId, "30");
        dialog.SetDlgItemText(CPrnJustierenDlg::kOffsetYId, "70,0");
        chooser.Pick({second});
        Press(dialog, CPrnJustierenDlg::kTestPageId);
        Press(dialog, IDCANCEL);
    });
    EXPECT_TRUE(m_app.Messages().empty());
    const int longLine = static_cast<int>(Pixels(30));
    for (const auto& [pdf, x, y] : {std::tuple{first, 50.0, 50.0}, std::tuple{second, 30.0, 70.0}}) {
        const QImage page = RenderedPage(pdf);
        ASSERT_FALSE(page.isNull()) << pdf.GetString();
        EXPECT_NEAR(page.width(), Pixels(210), 2) << "A4";
        const QPoint corner = MarkCorner(page, longLine);
        EXPECT_NEAR(corner.x(), Pixels(x), Pixels(0.25)) << pdf.GetString();
        EXPECT_NEAR(corner.y(), Pixels(y), Pixels(0.25)) << pdf.GetString();
    }
}

TEST_F(PrnJustierenDlgTest, CalibrationPageCountsFromTheSheetsCornerNotThePrintableArea) {
    m_printers.Get(kPrinter).capabilities.papers[0].margins = RECT{40, 50, 40, 100};
    QTemporaryDir folder;
    const CString pdf = (folder.path() + "/mark.pdf").toStdString().c_str();
    HDC dc = CreateDC("", kPrinter, "", nullptr);
    ASSERT_NE(dc, nullptr);
    CDC* printer = CDC::FromHandle(dc);
    EXPECT_GT(printer->GetDeviceCaps(PHYSICALOFFSETY), 0);
    DOCINFO info;
    info.lpszOutput = pdf;
    ASSERT_GT(printer->StartDoc(&info), 0);
    printer->StartPage();
    DrawCalibrationPage(printer, 50.0f, 50.0f);
    printer->EndPage();
    ASSERT_GT(printer->EndDoc(), 0);
    DeleteDC(dc);
    const QPoint corner = MarkCorner(RenderedPage(pdf), static_cast<int>(Pixels(30)));
    EXPECT_NEAR(corner.x(), Pixels(50), Pixels(0.25));
    EXPECT_NEAR(corner.y(), Pixels(50), Pixels(0.25));
}

} // namespace
