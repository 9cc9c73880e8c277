// The print commands and the print job on the real main window, with fake printers and the built-in PDF
// printer: what the user is told when a print cannot happen, and what reaches the sheet when it can.

#include "app/VellumcraftApp.h"
#include "output/PageMappings.h"
#include "output/PrintMainWnd.h"
#include "output/PrintMsgDlg.h"
#include "output/PrinterDevMode.h"
#include "output/PrinterMappingList.h"
#include "output/PrinterSection.h"
#include "output/PrintersManager.h"
#include "page/Template.h"
#include "platform/base/LastError.h"
#include "platform/base/Profile.h"
#include "platform/print/PaperSizes.h"
#include "platform/print/Spooler.h"
#include "platform/sound/PlaySound.h"
#include "tests/app/MainWndPageFixture.h"
#include "tests/support/PdfProbe.h"
#include "tests/support/ScriptedFileChooser.h"

#include <QTimer>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <memory>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

constexpr char kPhoto[] = "Foto";

// A printer's device mode as its driver gives it; null when it has none.
std::unique_ptr<BYTE[]> DevModeOf(const char* printer) {
    DEVMODE* devMode = nullptr;
    GetPrinterDevMode(printer, printer, devMode);
    return std::unique_ptr<BYTE[]>(reinterpret_cast<BYTE*>(devMode));
}

DEVMODE* AsDevMode(const std::unique_ptr<BYTE[]>& block) {
    return reinterpret_cast<DEVMODE*>(block.get());
}

// A printer description without a device mode, laid out as the printers manager keeps one.
PRINTER_INFO_2* InfoWithoutDevMode(const char* name) {
    const size_t nameBytes = std::strlen(name) + 1;
    auto* block = new BYTE[sizeof(PRINTER_INFO_2) + nameBytes]();
    auto* info = reinterpret_cast<PRINTER_INFO_2*>(block);
    info->pPrinterName = reinterpret_cast<LPSTR>(block + sizeof(PRINTER_INFO_2));
    std::memcpy(info->pPrinterName, name, nameBytes);
    return info;
}

// Records the file names of the sounds played.
class RecordingSound final : public ISoundOutput {
public:
    RecordingSound() : m_previous(SetSoundOutput(this)) {}
    ~RecordingSound() override { SetSoundOutput(m_previous); }
    RecordingSound(const RecordingSound&) = delete;
    RecordingSound& operator=(const RecordingSound&) = delete;
    void Play(const CString& path) override { played.push_back(NameOf(path)); }

    std::vector<std::string> played;

private:
    ISoundOutput* m_previous;
};

class MainWndPrintTest : public MainWndPageTest {
protected:
    void SetUp() override {
        MainWndPageTest::SetUp();
        WriteProfileInt("Settings", "PrintMsg", 1);
        // The formatted messages show their id and arguments.
        for (UINT id : {29u, 30u, 43u, 44u})
            m_services.SetString(id, CString((std::to_string(id) + " %s").c_str()));
        m_services.SetString(32, "32 %s %.1f %.1f %s");
        m_printers.Add(kPhoto);
    }

    // The stored printers as start-up merges them.
    void MergeInstalledPrinters() {
        std::vector<BYTE> buffer;
        const DWORD count = EnumerateInstalledPrinters(buffer);
        m_manager.MergePrinters(reinterpret_cast<PRINTER_INFO_2*>(buffer.data()), count, FALSE);
    }

    // The edit page, A4 portrait, named for its paper; the window owns it.
    CTemplate* NamedPage(const char* name) {
        CTemplate* page = EditPage();
        page->SetName(name);
        page->SetOrientation(DMORIENT_PORTRAIT);
        return page;
    }

    // The job on the built-in PDF printer, the file chosen as path.
    void PrintToPdf(DEVMODE* devMode, const CString& path, int copies) {
        m_chooser.Pick({path});
        GetPrintMainWnd()->RunPrintJob(devMode, kBuiltInPdfPrinterName, kBuiltInPdfPrinterName, "pdf:", 0.0f,
                                       FALSE, copies);
    }

    // Each box as "<string id> <style>", or its text for a formatted one.
    std::vector<std::string> Shown() const {
        std::vector<std::string> shown;
        for (const FakeAppServices::ShownMessage& message : m_services.Messages())
            shown.push_back(message.stringId
                                ? std::to_string(message.stringId) + " " + std::to_string(message.style)
                                : message.text.str() + " " + std::to_string(message.style));
        return shown;
    }

    CString Output(const char* name) const { return m_files.Path() + "/" + name; }

    CPrintersManager m_manager;
    ScriptedFileChooser m_chooser;
};

TEST_F(MainWndPrintTest, TheWindowIsTheMainWindowOfPrintingWhileItExists) {
    EXPECT_EQ(GetPrintMainWnd(), static_cast<IPrintMainWnd*>(m_window));
    EXPECT_EQ(GetPrintMainWnd()->GetPrintParent(), m_window);
    CTemplate* page = EditPage();
    EXPECT_EQ(GetPrintMainWnd()->GetPrintTemplate(), page);
    m_window->DestroyWindow();
    m_window = nullptr;
    EXPECT_EQ(GetPrintMainWnd(), nullptr);
}

TEST_F(MainWndPrintTest, DirectPrintTellsWhyItCannotPrint) {
    const struct {
        const char* name;
        std::function<void()> arrange;
        std::string expected;
    } cases[] = {
        {"NoDefaultPrinter", [] {}, "28 0"},
        {"NoStoredDevMode", [this] { m_manager.LoadPrinterInfo(kPhoto, nullptr); }, "29 Foto 0"},
        {"PrinterWithoutDevMode",
         [this] {
             MergeInstalledPrinters();
             m_manager.SetPrinterInfo(InfoWithoutDevMode(kPhoto));
         },
         "30 Foto 0"},
        {"NoPage",
         [this] {
             MergeInstalledPrinters();
             m_manager.LoadPrinterInfo(kPhoto, nullptr);
         },
         "31 0"},
        {"NoPaperFits",
         [this] {
             MergeInstalledPrinters();
             m_manager.LoadPrinterInfo(kPhoto, nullptr);
             NamedPage("Quadrat")->SetPageSize(CSize(1000, 1205));
         },
         "32 Quadrat 100.0 120.5 Foto 0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange();
        m_services.ClearMessages();
        m_window->SendMessage(WM_COMMAND, MAKEWPARAM(1007, BN_CLICKED), 0);
        EXPECT_THAT(Shown(), ElementsAre(c.expected));
    }
}

TEST_F(MainWndPrintTest, DirectPrintPrintsOnThePaperOfTheDefaultPrinterThatFitsThePage) {
    MergeInstalledPrinters();
    ASSERT_TRUE(m_manager.LoadPrinterInfo(kBuiltInPdfPrinterName, nullptr));
    NamedPage("A5 quer")->SetPageSize(CSize(1480, 2100));
    WriteProfileInt("Settings", "ScaledFactor", 3);
    m_chooser.Pick({Output("direct.pdf")});
    m_window->SendMessage(WM_COMMAND, MAKEWPARAM(1007, BN_CLICKED), 0);
    EXPECT_THAT(Shown(), IsEmpty());
    const std::vector<QSizeF> sizes = PdfPageSizes(Output("direct.pdf").str());
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_NEAR(sizes[0].width(), 419.5, 0.5) << "the A5 paper that fits the page";
    EXPECT_NEAR(sizes[0].height(), 595.3, 0.5);
    EXPECT_TRUE(m_window->IsWindowEnabled());
}

TEST_F(MainWndPrintTest, CopiesReachTheSheetAndTheDeviceModeKeepsItsCopies) {
    NamedPage("A4");
    const std::unique_ptr<BYTE[]> devMode = DevModeOf(kBuiltInPdfPrinterName);
    ASSERT_TRUE(devMode);
    const SHORT copies = AsDevMode(devMode)->dmCopies;
    PrintToPdf(AsDevMode(devMode), Output("three.pdf"), 3);
    EXPECT_THAT(Shown(), IsEmpty());
    EXPECT_EQ(PdfPageSizes(Output("three.pdf").str()).size(), 3u);
    EXPECT_EQ(AsDevMode(devMode)->dmCopies, copies);
}

TEST_F(MainWndPrintTest, PaperIsSettledFromTheDeviceModeTheCustomSizeOrThePageMapping) {
    NamedPage("Brief");
    const struct {
        const char* name;
        SHORT paper, width, length;
        double pointsWide, pointsHigh;
        DWORD fieldsAfter; // of DM_PAPERSIZE | DM_PAPERWIDTH | DM_PAPERLENGTH
    } cases[] = {
        {"PaperNumber", DMPAPER_A5, 0, 0, 419.5, 595.3, DM_PAPERSIZE},
        {"CustomSizeKept", 0, 1000, 1500, 283.5, 425.2, DM_PAPERWIDTH | DM_PAPERLENGTH},
        {"Mapped", 0, 1000, 0, 612, 792, DM_PAPERSIZE},
    };
    CPrinterMappingList mappings;
    SetPageMappings(&mappings);
    // The built-in printer's fifth paper is Letter.
    mappings.AddMapping(4, kBuiltInPdfPrinterName, "Brief");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<BYTE[]> block = DevModeOf(kBuiltInPdfPrinterName);
        DEVMODE* devMode = AsDevMode(block);
        devMode->dmPaperSize = c.paper;
        devMode->dmPaperWidth = c.width;
        devMode->dmPaperLength = c.length;
        devMode->dmFields |= DM_PAPERSIZE | DM_PAPERWIDTH | DM_PAPERLENGTH;
        const CString output = Output(c.name) + ".pdf";
        PrintToPdf(devMode, output, 1);
        EXPECT_THAT(Shown(), IsEmpty());
        const std::vector<QSizeF> sizes = PdfPageSizes(output.str());
        ASSERT_EQ(sizes.size(), 1u);
        EXPECT_NEAR(sizes[0].width(), c.pointsWide, 0.5);
        EXPECT_NEAR(sizes[0].height(), c.pointsHigh, 0.5);
        EXPECT_EQ(devMode->dmFields & (DM_PAPERSIZE | DM_PAPERWIDTH | DM_PAPERLENGTH), c.fieldsAfter);
        EXPECT_EQ(devMode->dmFields & DM_ORIENTATION, DM_ORIENTATION);
    }
    SetPageMappings(nullptr);
}

TEST_F(MainWndPrintTest, JobTellsWhyItCannotPrint) {
    using Printer = CFakePrinterSystem::Printer;
    const auto refuse = [](PrintJobStep step, DWORD error) {
        return [step, error](Printer& p) { p.refusals = {{step, error}}; };
    };
    const struct {
        const char* printer;
        bool paperless;    // the device mode names no paper: the job settles it
        bool withMappings; // a page-mapping list is installed
        int copies;
        std::function<void(Printer&)> arrange;
        std::vector<std::string> expected;
    } cases[] = {
        {"Leer", true, false, 1, [](Printer& p) { p.capabilities.papers.clear(); }, {"44 Leer 64"}},
        {"Wackel", true, false, 1, [](Printer& p) { p.answersLeft = 1; }, {"43 Wackel 64"}},
        // Without a list the job alone says that no paper was found.
        {"OhneListe", true, false, 1, [](Printer&) {}, {"31369 0"}},
        // The list cannot read the paper names and says so; the job says it once more.
        {"Namenlos", true, true, 1, [](Printer& p) { p.answersLeft = 2; }, {"31369 0", "31369 0"}},
        {"Weg", false, false, 1, [](Printer& p) { p.opens = false; }, {"105 16"}},
        {"Verweigert", false, false, 1, refuse(PrintJobStep::StartDoc, ERROR_ACCESS_DENIED), {"105 64"}},
        {"Abgebrochen", false, false, 1, refuse(PrintJobStep::StartDoc, ERROR_CANCELLED), {}},
        {"Spooler", false, false, 1, refuse(PrintJobStep::StartDoc, ERROR_PRINT_CANCELLED), {}},
        // The first refused sheet ends the copies; the document is still ended, and its refusal told.
        {"Blatt",
         false,
         false,
         3,
         [](Printer& p) {
             p.refusals = {{PrintJobStep::EndPage, ERROR_WRITE_FAULT},
                           {PrintJobStep::EndDoc, ERROR_WRITE_FAULT}};
         },
         {"105 0", "105 64"}},
        // No CUPS daemon answers here, so the queue cannot take the job.
        {"Warteschlange", false, false, 1, [](Printer&) {}, {"105 64"}},
    };
    NamedPage("A4");
    const CString socket = m_files.Path() + "/no.sock";
    setenv("CUPS_SERVER", socket.GetString(), 1);
    CPrinterMappingList mappings;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.printer);
        const std::unique_ptr<BYTE[]> block = DevModeOf(kPhoto);
        ASSERT_TRUE(block);
        DEVMODE* devMode = AsDevMode(block);
        if (c.paperless)
            devMode->dmPaperSize = 0;
        devMode->dmOrientation = DMORIENT_LANDSCAPE;
        const DWORD fields = devMode->dmFields;
        c.arrange(m_printers.Add(c.printer));
        SetPageMappings(c.withMappings ? &mappings : nullptr);
        m_services.ClearMessages();
        GetPrintMainWnd()->RunPrintJob(devMode, c.printer, "Fake Driver", "fake:/", 0.0f, FALSE, c.copies);
        EXPECT_EQ(Shown(), c.expected);
        EXPECT_TRUE(m_window->IsWindowEnabled());
        if (std::string(c.printer) == "Weg") {
            EXPECT_EQ(devMode->dmFields, fields) << "restored when no context can be made";
            EXPECT_EQ(devMode->dmOrientation, DMORIENT_LANDSCAPE);
        }
    }
    SetPageMappings(nullptr);
    unsetenv("CUPS_SERVER");
}

TEST_F(MainWndPrintTest, StartThatFailsIsToldAndACancelledFileChoiceIsNot) {
    NamedPage("A4");
    const std::unique_ptr<BYTE[]> devMode = DevModeOf(kBuiltInPdfPrinterName);
    m_chooser.Cancel();
    GetPrintMainWnd()->RunPrintJob(AsDevMode(devMode), kBuiltInPdfPrinterName, kBuiltInPdfPrinterName,
                                   "pdf:", 0.0f, FALSE, 1);
    EXPECT_THAT(Shown(), IsEmpty());
    EXPECT_EQ(m_chooser.Requests().size(), 1u);
    EXPECT_TRUE(m_window->IsWindowEnabled());

    PrintToPdf(AsDevMode(devMode), Output("missing/folder.pdf"), 1);
    EXPECT_THAT(Shown(), ElementsAre("105 64"));
    EXPECT_TRUE(m_window->IsWindowEnabled());
}

TEST_F(MainWndPrintTest, OffsetsComeFromThePrintersOwnSection) {
    const char* const network = "\\\\srv\\p";
    CFakePrinterSystem::Printer& printer = m_printers.Add(network);
    printer.capabilities.papers.clear();
    WriteProfileInt(PrinterSection(network), "PrintOffsetX", 4950);
    WriteProfileInt(PrinterSection(network), "PrintOffsetY", 0);
    NamedPage("A4");
    const std::unique_ptr<BYTE[]> devMode = DevModeOf(kPhoto);
    AsDevMode(devMode)->dmPaperSize = 0;
    GetPrintMainWnd()->RunPrintJob(AsDevMode(devMode), network, "Fake Driver", "fake:/", 0.0f, FALSE, 1);
    EXPECT_FLOAT_EQ(m_window->GetPrintOffsetX(), 49.5f);
    EXPECT_FLOAT_EQ(m_window->GetPrintOffsetY(), 0.0f);
}

TEST_F(MainWndPrintTest, NormalModeWithoutAPictureEndsSilently) {
    m_services.SetEditMode(FALSE);
    CTemplate* page = new CTemplate;
    page->SetPageSize(CSize(2100, 2970));
    m_window->SetTemplate(page);
    const std::unique_ptr<BYTE[]> devMode = DevModeOf(kBuiltInPdfPrinterName);
    PrintToPdf(AsDevMode(devMode), Output("none.pdf"), 1);
    EXPECT_THAT(Shown(), IsEmpty());
    EXPECT_THAT(m_chooser.Requests(), IsEmpty());
}

TEST_F(MainWndPrintTest, PrintCommandClicksAndTheJobSoundsEvenWhenItPrintsNothing) {
    std::filesystem::create_directory(File("Sound").str());
    for (const char* name : {"Sound/tick.wav", "Sound/camera.wav"})
        std::ofstream(File(name).str()) << "RIFF";
    m_services.SetEditMode(FALSE); // and no picture: the job ends after its sound
    const std::unique_ptr<BYTE[]> devMode = DevModeOf(kBuiltInPdfPrinterName);
    for (const BYTE soundOn : {TRUE, FALSE}) {
        SCOPED_TRACE(static_cast<int>(soundOn));
        m_services.SetSound(soundOn, File("Sound"));
        RecordingSound sound;
        m_window->SendMessage(WM_COMMAND, MAKEWPARAM(2024, BN_CLICKED), 0);
        GetPrintMainWnd()->RunPrintJob(AsDevMode(devMode), kBuiltInPdfPrinterName, kBuiltInPdfPrinterName,
                                       "pdf:", 0.0f, FALSE, 1);
        if (soundOn)
            EXPECT_THAT(sound.played, ElementsAre("tick.wav", "camera.wav"));
        else
            EXPECT_THAT(sound.played, IsEmpty());
    }
    EXPECT_THAT(Shown(), IsEmpty());
    EXPECT_THAT(m_chooser.Requests(), IsEmpty());
}

TEST_F(MainWndPrintTest, PrintCommandShowsTheHintUntilItIsTurnedOff) {
    WriteProfileInt("Settings", "PrintMsg", 0);
    int hints = 0;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&hints] {
        auto* hint = dynamic_cast<CPrintMsgDlg*>(CWnd::GetActiveWindow());
        if (!hint)
            return;
        ++hints;
        hint->CheckDlgButton(1006, BST_CHECKED);
        hint->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    answer.start(10);
    m_window->SendMessage(WM_COMMAND, MAKEWPARAM(2024, BN_CLICKED), 0);
    m_window->SendMessage(WM_COMMAND, MAKEWPARAM(2024, BN_CLICKED), 0);
    EXPECT_EQ(hints, 1);
    EXPECT_EQ(GetProfileInt("Settings", "PrintMsg", 0), 1u);
}

} // namespace
