// The print dialog on fake printers: which printers and papers it offers, what its OK hands to the print
// job, the checks of the scale and the copies, and the dialogs its buttons open.

#include "output/CustomPrintDlg.h"

#include "output/PageMapDialog.h"
#include "output/PrnJustierenDlg.h"
#include "output/TemplateInfoOpener.h"
#include "platform/print/PaperSizes.h"
#include "platform/print/PrinterPropertiesDlg.h"
#include "tests/output/PrintDialogFixture.h"

#include <QTimer>

namespace {

constexpr char kPrinter[] = "Laser";
constexpr char kNoFittingPaper[] = "(kein passendes Papier)";

CComboBox& Combo(CDialog& dialog, int id) {
    return *static_cast<CComboBox*>(dialog.GetDlgItem(id));
}

std::vector<CString> Entries(CDialog& dialog, int id) {
    std::vector<CString> entries;
    CComboBox& combo = Combo(dialog, id);
    for (int item = 0; item < combo.GetCount(); ++item) {
        CString text;
        combo.GetLBText(item, text);
        entries.push_back(text);
    }
    return entries;
}

CString Selected(CDialog& dialog, int id) {
    CComboBox& combo = Combo(dialog, id);
    CString text;
    if (combo.GetCurSel() >= 0)
        combo.GetLBText(combo.GetCurSel(), text);
    return text;
}

void Press(CDialog& dialog, int id) {
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

void Choose(CDialog& dialog, int id, const CString& text) {
    CComboBox& combo = Combo(dialog, id);
    combo.SetCurSel(combo.FindStringExact(-1, text));
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), 0);
}

class CustomPrintDlgTest : public PrintDialogTest {
protected:
    void SetUp() override {
        PrintDialogTest::SetUp();
        m_app.SetString(65535, kNoFittingPaper);
        m_printers.Add(kPrinter).info.isDefault = TRUE;
    }

    void SetPapers(const std::vector<PrinterPaper>& papers) {
        m_printers.Get(kPrinter).capabilities.papers = papers;
    }

    // Runs the dialog; step acts on it while it shows, then it is cancelled unless the step ends it.
    INT_PTR Run(const std::function<void(CDialog&)>& step, bool stepEndsIt = false) {
        CCustomPrintDlg dialog(nullptr);
        return RunWith(dialog, [step, stepEndsIt](CDialog& shown) {
            step(shown);
            if (!stepEndsIt)
                Press(shown, IDCANCEL);
        });
    }
};

TEST_F(CustomPrintDlgTest, ListsVisiblePrintersAndThePage) {
    m_printers.Add("Versteckt").info.hidden = TRUE;
    m_printers.Add("Tinte");
    std::vector<CString> printers;
    CString printer, paper, pageSize, templateName;
    BOOL checkEnabled = TRUE;
    Run([&](CDialog& dialog) {
        printers = Entries(dialog, CCustomPrintDlg::kPrinterListId);
        printer = Selected(dialog, CCustomPrintDlg::kPrinterListId);
        paper = Selected(dialog, CCustomPrintDlg::kPaperListId);
        dialog.GetDlgItemText(CCustomPrintDlg::kPageSizeId, pageSize);
        dialog.GetDlgItemText(CCustomPrintDlg::kTemplateNameId, templateName);
        checkEnabled = dialog.GetDlgItem(CCustomPrintDlg::kCheckId)->IsWindowEnabled();
    });
    EXPECT_EQ(printers, (std::vector<CString>{kPrinter, "Tinte", kBuiltInPdfPrinterName}));
    EXPECT_EQ(printer, kPrinter) << "the default printer";
    EXPECT_EQ(paper, "A4");
    EXPECT_EQ(pageSize, "210.0 x 297.0 mm");
    EXPECT_EQ(templateName, "A4");
    EXPECT_FALSE(checkEnabled);
}

struct PaperCase {
    const char* name;
    std::vector<PrinterPaper> papers;
    CSize page;
    short versionWord;
    const char* selected;
};

class PaperChoiceTest : public CustomPrintDlgTest, public ::testing::WithParamInterface<PaperCase> {};

TEST_P(PaperChoiceTest, SelectsTheFittingPaper) {
    const PaperCase& c = GetParam();
    SetPapers(c.papers);
    m_page.SetPageSize(c.page);
    m_page.SetPaperNumber(c.versionWord);
    CString selected;
    BOOL okEnabled = FALSE, calibrateEnabled = FALSE;
    Run([&](CDialog& dialog) {
        selected = Selected(dialog, CCustomPrintDlg::kPaperListId);
        okEnabled = dialog.GetDlgItem(IDOK)->IsWindowEnabled();
        calibrateEnabled = dialog.GetDlgItem(CCustomPrintDlg::kCalibrateId)->IsWindowEnabled();
    });
    EXPECT_EQ(selected, c.selected);
    const bool fits = CString(c.selected) != kNoFittingPaper;
    EXPECT_EQ(okEnabled, fits);
    EXPECT_EQ(calibrateEnabled, fits);
}

PrinterPaper Paper(short number, const char* name, short width, short length) {
    return PrinterPaper{.number = number, .name = name, .width = width, .length = length};
}

INSTANTIATE_TEST_SUITE_P(
    Papers, PaperChoiceTest,
    ::testing::Values(
        PaperCase{
            "NothingWithinFiveMillimetres", {Paper(9, "A4", 2100, 2970)}, {1000, 1000}, 0, kNoFittingPaper},
        PaperCase{"FirstOfEqualFitsWins",
                  {Paper(100, "Breit", 2110, 2970), Paper(101, "Schmal", 2090, 2970)},
                  {2100, 2970},
                  0,
                  "Breit"},
        PaperCase{"VersionWordDecidesATie",
                  {Paper(100, "Breit", 2110, 2970), Paper(101, "Schmal", 2090, 2970)},
                  {2100, 2970},
                  101,
                  "Schmal"},
        PaperCase{"VersionWordBeatsACloserPaper",
                  {Paper(9, "A4", 2100, 2970), Paper(300, "Fast A4", 2140, 2960)},
                  {2100, 2970},
                  300,
                  "Fast A4"},
        PaperCase{
            "ClosestOfSeveral",
            {Paper(1, "Weit", 2140, 2970), Paper(2, "Nah", 2110, 2970), Paper(3, "Zu weit", 2151, 2970)},
            {2100, 2970},
            0,
            "Nah"},
        PaperCase{"PageSizeIsNotTurned", {Paper(9, "A4", 2100, 2970)}, {2970, 2100}, 0, kNoFittingPaper}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CustomPrintDlgTest, OkPrintsOnTheChosenPrinterWithScaleAndCopies) {
    m_printers.Add("Tinte");
    const INT_PTR result = Run(
        [](CDialog& dialog) {
            Choose(dialog, CCustomPrintDlg::kPrinterListId, "Tinte");
            dialog.SetDlgItemText(CCustomPrintDlg::kCopiesId, "3");
            dialog.SetDlgItemText(CCustomPrintDlg::kScaleId, "-5");
            Press(dialog, IDOK);
        },
        true);
    EXPECT_EQ(result, IDOK);
    ASSERT_EQ(m_mainWnd.jobs.size(), 1u);
    const FakePrintMainWnd::Job& job = m_mainWnd.jobs[0];
    EXPECT_EQ(job.device, "Tinte");
    EXPECT_EQ(job.driver, "Fake Driver");
    EXPECT_EQ(job.copies, 3);
    EXPECT_EQ(job.scale, -5.0f);
    EXPECT_FALSE(job.showHint);
    EXPECT_EQ(job.devMode.dmPaperSize, DMPAPER_A4);
    EXPECT_EQ(job.devMode.dmFields & (DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH), DM_PAPERSIZE);
    EXPECT_TRUE(job.devMode.dmFields & DM_ORIENTATION);
}

TEST_F(CustomPrintDlgTest, PaperWithoutNumberPrintsWithItsSize) {
    SetPapers({Paper(0, "Eigenes Format", 2102, 2968)});
    Run([](CDialog& dialog) { Press(dialog, IDOK); }, true);
    ASSERT_EQ(m_mainWnd.jobs.size(), 1u);
    const DEVMODE& devMode = m_mainWnd.jobs[0].devMode;
    EXPECT_EQ(devMode.dmPaperSize, 0);
    EXPECT_EQ(devMode.dmFields & (DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH),
              DM_PAPERLENGTH | DM_PAPERWIDTH);
    EXPECT_EQ(devMode.dmPaperWidth, 2102);
    EXPECT_EQ(devMode.dmPaperLength, 2968);
}

TEST_F(CustomPrintDlgTest, CopiesOutsideOneToTenAreRefusedBeforeAnythingIsPrinted) {
    size_t jobsAfterRefusals = 99;
    const INT_PTR result = Run(
        [&](CDialog& dialog) {
            for (const char* copies : {"11", "0"}) {
                dialog.SetDlgItemText(CCustomPrintDlg::kCopiesId, copies);
                Press(dialog, IDOK);
            }
            jobsAfterRefusals = m_mainWnd.jobs.size();
            dialog.SetDlgItemText(CCustomPrintDlg::kCopiesId, "10");
            Press(dialog, IDOK);
        },
        true);
    EXPECT_EQ(jobsAfterRefusals, 0u);
    EXPECT_EQ(m_messageBoxes.Boxes().size(), 2u);
    EXPECT_EQ(result, IDOK);
    ASSERT_EQ(m_mainWnd.jobs.size(), 1u);
    EXPECT_EQ(m_mainWnd.jobs[0].copies, 10);
}

TEST_F(CustomPrintDlgTest, ScaleEditTakesMinusNineToNine) {
    struct Step {
        const char* typed;
        WORD notification;
        const char* shown;
        bool refused;
    };
    const Step steps[] = {
        {"12", EN_CHANGE, "0", true},   {"-", EN_CHANGE, "-", false},    {"-", EN_KILLFOCUS, "0", true},
        {"-9", EN_CHANGE, "-9", false}, {"9", EN_KILLFOCUS, "9", false}, {"-10", EN_KILLFOCUS, "0", true},
        {"x", EN_CHANGE, "0", true},    {"", EN_KILLFOCUS, "", false},
    };
    Run([&](CDialog& dialog) {
        CWnd* edit = dialog.GetDlgItem(CCustomPrintDlg::kScaleId);
        for (const Step& step : steps) {
            m_app.ClearMessages();
            dialog.SetDlgItemText(CCustomPrintDlg::kScaleId, step.typed); // sends EN_CHANGE
            if (step.notification == EN_KILLFOCUS)
                dialog.SendMessage(WM_COMMAND, MAKEWPARAM(CCustomPrintDlg::kScaleId, EN_KILLFOCUS),
                                   reinterpret_cast<LPARAM>(edit->m_hWnd));
            CString shown;
            dialog.GetDlgItemText(CCustomPrintDlg::kScaleId, shown);
            EXPECT_EQ(shown, step.shown) << step.typed;
            EXPECT_EQ(m_app.MessageIds(), step.refused ? std::vector<UINT>{243} : std::vector<UINT>{})
                << step.typed;
        }
    });
}

TEST_F(CustomPrintDlgTest, WithoutAPageClosesAtOnce) {
    m_mainWnd.page = nullptr;
    CCustomPrintDlg dialog(nullptr);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(m_mainWnd.jobs.empty());
}

// A printer whose paper list grows by one between the size, number and name queries.
class GrowingPrinters : public CFakePrinterSystem {
public:
    bool GetCapabilities(const CString& printerName, PrinterCapabilities* capabilities) override {
        if (!CFakePrinterSystem::GetCapabilities(printerName, capabilities))
            return false;
        if (growing) {
            const PrinterPaper extra = capabilities->papers.front();
            capabilities->papers.insert(capabilities->papers.end(), static_cast<size_t>(calls++ / 2), extra);
        }
        return true;
    }
    bool growing = false;
    int calls = 0;
};

TEST_F(CustomPrintDlgTest, PaperListReadsOnlyWhatAllThreeListsHold) {
    GrowingPrinters printers;
    const CString longName(std::string(70, 'L').c_str());
    auto& laser = printers.Add(kPrinter);
    laser.info.isDefault = TRUE;
    laser.capabilities.papers = {Paper(9, "A4", 2100, 2970), Paper(70, longName, 2100, 2970)};
    std::vector<CString> papers;
    Run([&](CDialog& dialog) {
        printers.growing = true;
        Choose(dialog, CCustomPrintDlg::kPrinterListId, kPrinter);
        papers = Entries(dialog, CCustomPrintDlg::kPaperListId);
    });
    EXPECT_EQ(printers.calls, 6) << "count and list of sizes, numbers and names";
    EXPECT_EQ(papers, (std::vector<CString>{"A4", longName.Left(kPaperNameChars)}));
}

TEST_F(CustomPrintDlgTest, PaperQueriesThatFailAreToldWithThePrinterName) {
    // The printer goes away after answering so many of the six questions: count and list of sizes,
    // numbers and names.
    const UINT messages[] = {48, 47, 44, 43, 50, 49};
    for (UINT id : messages)
        m_app.SetString(id, CString((std::to_string(id) + " %s").c_str()));
    for (int answers = 0; answers < 6; ++answers) {
        SCOPED_TRACE(answers);
        m_app.ClearMessages();
        std::vector<CString> papers;
        Run([&](CDialog& dialog) {
            m_printers.Get(kPrinter).answersLeft = answers;
            Choose(dialog, CCustomPrintDlg::kPrinterListId, kPrinter);
            m_printers.Get(kPrinter).answersLeft = -1;
            papers = Entries(dialog, CCustomPrintDlg::kPaperListId);
        });
        const std::vector<FakeAppServices::ShownMessage>& shown = m_app.Messages();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, CString((std::to_string(messages[answers]) + " " + kPrinter).c_str()));
        EXPECT_EQ(shown[0].style, static_cast<UINT>(MB_ICONINFORMATION));
        EXPECT_TRUE(papers.empty());
    }
}

TEST_F(CustomPrintDlgTest, CancelledPropertiesStillRefreshTheDeviceModes) {
    m_page.SetOrientation(DMORIENT_LANDSCAPE);
    bool propertiesShown = false;
    Run(
        [&](CDialog& dialog) {
            QTimer::singleShot(0, [&] {
                auto* properties = WaitForDialog<CPrinterPropertiesDlg>();
                propertiesShown = properties != nullptr;
                if (properties)
                    Press(*properties, IDCANCEL);
            });
            Press(dialog, CCustomPrintDlg::kPropertiesId);
            Press(dialog, IDOK);
        },
        true);
    EXPECT_TRUE(propertiesShown);
    ASSERT_EQ(m_mainWnd.jobs.size(), 1u);
    EXPECT_EQ(m_mainWnd.jobs[0].devMode.dmOrientation, DMORIENT_LANDSCAPE) << "as the sheet handed it back";
    const POSITION stored = m_printersManager.FindPrinter(kPrinter);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(m_printersManager.GetAt(stored)->dmOrientation, DMORIENT_LANDSCAPE);
}

class RecordingTemplateInfo final : public ITemplateInfoOpener {
public:
    void ShowTemplateInfo(CTemplate* page, CWnd* parent) override { shown.emplace_back(page, parent); }
    std::vector<std::pair<CTemplate*, CWnd*>> shown;
};

TEST_F(CustomPrintDlgTest, ButtonsOpenTheirDialogsForTheSelectedPrinter) {
    RecordingTemplateInfo templateInfo;
    CString calibrated, mapped;
    bool dropDownColumn = false;
    CDialog* printDialog = nullptr;
    Run([&](CDialog& dialog) {
        printDialog = &dialog;
        Press(dialog, CCustomPrintDlg::kTemplateInfoId); // none installed: nothing
        SetTemplateInfoOpener(&templateInfo);
        Press(dialog, CCustomPrintDlg::kTemplateInfoId);
        SetTemplateInfoOpener(nullptr);
        QTimer::singleShot(0, [&] {
            if (auto* calibration = WaitForDialog<CPrnJustierenDlg>()) {
                calibrated = calibration->m_pPrinter->pPrinterName;
                Press(*calibration, IDCANCEL);
            }
        });
        Press(dialog, CCustomPrintDlg::kCalibrateId);
        QTimer::singleShot(0, [&] {
            if (auto* mappings = WaitForDialog<CPageMapDialog>()) {
                mappings->GetDlgItemText(CPageMapDialog::kPrinterNameId, mapped);
                const CDWordArray& columns = mappings->GetMappingList().m_editableColumns;
                dropDownColumn = columns.GetSize() == 1 && columns[0] == 1;
                Press(*mappings, IDCANCEL);
            }
        });
        Press(dialog, CCustomPrintDlg::kPageMappingsId);
    });
    ASSERT_EQ(templateInfo.shown.size(), 1u);
    EXPECT_EQ(templateInfo.shown[0].first, &m_page);
    EXPECT_EQ(templateInfo.shown[0].second, printDialog);
    EXPECT_EQ(calibrated, kPrinter);
    EXPECT_EQ(mapped, kPrinter);
    EXPECT_TRUE(dropDownColumn);
}

} // namespace
