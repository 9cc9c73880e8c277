// Settling a template's paper on a printer (a paper of its name, the chooser, a stored mapping) and the
// page-mapping list of one printer driver, on fake printers.

#include "output/ChoosePageDialog.h"
#include "output/PageMapDialog.h"
#include "output/PageMappings.h"
#include "output/PrinterMappingList.h"
#include "tests/output/PrintDialogFixture.h"

#include <QTimer>

namespace {

constexpr char kPrinter[] = "Laser";
constexpr char kDriver[] = "Fake Driver";
constexpr char kPort[] = "fake:/";

PrinterPaper Paper(short number, const char* name) {
    return PrinterPaper{.number = number, .name = name, .width = 2100, .length = 2970};
}

void Press(CDialog& dialog, int id) {
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

class PageMappingTest : public PrintDialogTest {
protected:
    void SetUp() override {
        PrintDialogTest::SetUp();
        m_app.SetString(62008, "Kein Papier heißt „%s“.");
        m_app.SetString(62010, "Vorlage");
        m_app.SetString(62011, "Papier");
        m_printers.Add(kPrinter, kDriver, kPort);
        SetPageMappings(&m_mappings);
    }
    void TearDown() override {
        SetPageMappings(nullptr);
        PrintDialogTest::TearDown();
    }

    void SetPapers(const std::vector<PrinterPaper>& papers) {
        m_printers.Get(kPrinter).capabilities.papers = papers;
    }

    _tPRINTER_MAPPING* Build(const CString& templateName, LPCTSTR device = kPrinter) {
        return m_mappings.BuildForPrinter(nullptr, device, kDriver, kPort, templateName);
    }

    // While the chooser shows, step acts on it (and must end it); whether it showed.
    static void WhenChooserShows(const std::function<void(CChoosePageDialog&)>& step, bool* shown) {
        QTimer::singleShot(0, [step, shown] {
            auto* chooser = WaitForDialog<CChoosePageDialog>();
            *shown = chooser != nullptr;
            if (chooser)
                step(*chooser);
        });
    }

    CPrinterMappingList m_mappings;
};

TEST_F(PageMappingTest, PaperOfTheTemplatesNameMapsSilently) {
    _tPRINTER_MAPPING* mapping = Build("  letter ");
    ASSERT_NE(mapping, nullptr);
    EXPECT_EQ(mapping->paperIndex, 1u);
    EXPECT_EQ(mapping->templateName, "letter");
    EXPECT_EQ(Build("LETTER"), mapping) << "names that differ in case find the same mapping";
    EXPECT_TRUE(m_app.Messages().empty());
}

TEST_F(PageMappingTest, PrintersSharingADriverShareTheMapping) {
    m_printers.Add("Tinte", kDriver, kPort);
    _tPRINTER_MAPPING* mapping = Build("A4");
    EXPECT_EQ(Build("A4", "Tinte"), mapping);
    EXPECT_EQ(m_mappings.GetCount(), 1);
}

TEST_F(PageMappingTest, ChooserPreselectsThePaperBeginningWithTheName) {
    SetPapers({Paper(1, "Letter"), Paper(9, " A4 Fotopapier "), Paper(10, "A4 Normalpapier")});
    bool shown = false;
    CString preselected, message;
    WhenChooserShows(
        [&](CChoosePageDialog& chooser) {
            auto* papers = static_cast<CComboBox*>(chooser.GetDlgItem(CChoosePageDialog::kPaperListId));
            papers->GetLBText(papers->GetCurSel(), preselected);
            chooser.GetDlgItemText(CChoosePageDialog::kMessageId, message);
            Press(chooser, IDOK);
        },
        &shown);
    _tPRINTER_MAPPING* mapping = Build("a4");
    EXPECT_TRUE(shown);
    EXPECT_EQ(preselected, "A4 Fotopapier");
    EXPECT_EQ(message, "Kein Papier heißt „a4“.");
    ASSERT_NE(mapping, nullptr);
    EXPECT_EQ(mapping->paperIndex, 1u);
}

TEST_F(PageMappingTest, ChooserEndsOnlyThroughOk) {
    SetPapers({Paper(1, "Letter"), Paper(9, "Legal")});
    bool shown = false, openAfterCancel = false;
    WhenChooserShows(
        [&](CChoosePageDialog& chooser) {
            Press(chooser, IDCANCEL);
            TypeKey(&chooser, Qt::Key_Escape);
            chooser.SendMessage(WM_CLOSE);
            PumpMessages();
            openAfterCancel = ActiveDialog() == &chooser;
            auto* papers = static_cast<CComboBox*>(chooser.GetDlgItem(CChoosePageDialog::kPaperListId));
            papers->SetCurSel(1);
            chooser.SendMessage(WM_COMMAND, MAKEWPARAM(CChoosePageDialog::kPaperListId, CBN_SELCHANGE), 0);
            Press(chooser, IDOK);
        },
        &shown);
    _tPRINTER_MAPPING* mapping = Build("Postkarte");
    EXPECT_TRUE(openAfterCancel);
    ASSERT_NE(mapping, nullptr);
    EXPECT_EQ(mapping->paperIndex, 1u);
}

TEST_F(PageMappingTest, StoredPaperBeyondThePrintersListIsSettledAgain) {
    m_mappings.AddMapping(5, kDriver, "A4");
    _tPRINTER_MAPPING* mapping = Build("A4");
    ASSERT_NE(mapping, nullptr);
    EXPECT_EQ(mapping->paperIndex, 0u);
    EXPECT_EQ(m_mappings.GetCount(), 1);
}

TEST_F(PageMappingTest, PrinterWithoutPaperNamesGivesNoMapping) {
    DEVMODE devMode{};
    m_printers.Get(kPrinter).opens = false;
    EXPECT_EQ(m_mappings.BuildForPrinter(&devMode, kPrinter, kDriver, kPort, "A4"), nullptr);
    EXPECT_EQ(m_app.MessageIds(), std::vector<UINT>{31369});
    EXPECT_EQ(m_mappings.GetCount(), 0);
}

class PageMapDialogTest : public PageMappingTest {
protected:
    // The enumerated record of the printer, as the print dialog hands it over.
    PRINTER_INFO_2* Printer() {
        m_enumeration.clear();
        const DWORD count = EnumerateInstalledPrinters(m_enumeration);
        auto* printers = reinterpret_cast<PRINTER_INFO_2*>(m_enumeration.data());
        for (DWORD i = 0; i < count; ++i) {
            if (CString(printers[i].pPrinterName) == kPrinter)
                return &printers[i];
        }
        return nullptr;
    }

    struct Row {
        CString templateName, paperName;
        bool operator==(const Row&) const = default;
    };
    static std::vector<Row> Rows(CCBListCtrl& list) {
        std::vector<Row> rows;
        for (int row = 0; row < list.GetItemCount(); ++row)
            rows.push_back({list.GetItemText(row, 0), list.GetItemText(row, 1)});
        return rows;
    }

    INT_PTR Run(const std::function<void(CPageMapDialog&)>& step) {
        CPageMapDialog dialog(nullptr);
        dialog.SetSelection(Printer());
        dialog.GetMappingList().m_editableColumns.Add(1);
        return RunWith(dialog, [step](CDialog& shown) { step(static_cast<CPageMapDialog&>(shown)); });
    }

    std::vector<BYTE> m_enumeration;
};

TEST_F(PageMapDialogTest, ListsTheDriversMappingsThatNeedOne) {
    m_mappings.AddMapping(0, kDriver, "A4"); // the paper of its own name
    m_mappings.AddMapping(1, kDriver, "Postkarte");
    m_mappings.AddMapping(0, "Other Driver", "Brief");
    m_mappings.AddMapping(7, "FAKE DRIVER", "Alt"); // a paper the driver no longer has
    std::vector<Row> rows;
    CString printerName, heading;
    Run([&](CPageMapDialog& dialog) {
        rows = Rows(dialog.GetMappingList());
        dialog.GetDlgItemText(CPageMapDialog::kPrinterNameId, printerName);
        Press(dialog, IDOK);
    });
    EXPECT_EQ(printerName, kPrinter);
    EXPECT_EQ(rows, (std::vector<Row>{{"Postkarte", "Letter"}, {"Alt", ""}}));
}

TEST_F(PageMapDialogTest, DeleteRemovesTheSelectedRowsMappings) {
    m_mappings.AddMapping(1, kDriver, "Postkarte");
    m_mappings.AddMapping(1, kDriver, "Brief");
    std::vector<Row> rows;
    Run([&](CPageMapDialog& dialog) {
        dialog.GetMappingList().SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
        Press(dialog, CPageMapDialog::kDeleteId);
        rows = Rows(dialog.GetMappingList());
        Press(dialog, IDCANCEL);
    });
    EXPECT_EQ(rows, (std::vector<Row>{{"Brief", "Letter"}}));
    ASSERT_EQ(m_mappings.GetCount(), 1);
    EXPECT_EQ(m_mappings.GetHead()->templateName, "Brief");
}

TEST_F(PageMapDialogTest, ChoosingAnotherPaperChangesTheMapping) {
    _tPRINTER_MAPPING* mapping = m_mappings.AddMapping(1, kDriver, "Postkarte");
    Run([&](CPageMapDialog& dialog) {
        ASSERT_TRUE(WaitUntilActive(&dialog));
        CCBListCtrl& list = dialog.GetMappingList();
        CRect row;
        list.GetItemRect(0, &row, LVIR_BOUNDS);
        const CPoint paperCell(row.left + static_cast<CListCtrl&>(list).GetColumnWidth(0) + 10,
                               row.CenterPoint().y);
        ClickAt(&list, paperCell); // selects the row
        PumpMessages();
        ClickAt(&list, paperCell); // opens the choices
        PumpMessages();
        CWnd* choices = CWnd::GetFocus();
        ASSERT_NE(choices, nullptr);
        TypeKey(choices, Qt::Key_Up);
        TypeKey(choices, Qt::Key_Return);
        PumpMessages();
        EXPECT_EQ(list.GetItemText(0, 1), "A4");
        Press(dialog, IDCANCEL);
    });
    EXPECT_EQ(mapping->paperIndex, 0u) << "written at once; Cancel undoes nothing";
}

TEST_F(PageMapDialogTest, PrinterWithoutPaperNamesClosesTheList) {
    PRINTER_INFO_2* printer = Printer();
    m_printers.Get(kPrinter).opens = false;
    CPageMapDialog dialog(nullptr);
    dialog.SetSelection(printer);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(m_app.MessageIds(), std::vector<UINT>{31369});
}

} // namespace
