// What printing asks of the main window: the picture's place inside the mat, and the printer's paper
// for a page.
#include "library/DSObjMgr.h"
#include "library/Mat.h"
#include "page/MainWndServices.h"
#include "page/PreviewWnd.h"
#include "page/Template.h"
#include "page/UndoLayers.h"
#include "platform/print/PaperSizes.h"
#include "tests/app/MainWndPageFixture.h"

#include <fstream>
#include <gmock/gmock.h>
#include <memory>

using ::testing::ElementsAre;

namespace {

struct MatRectCase {
    const char* name;
    RECT frame; // x1, y1, x2, y2
    RECT expected;
};

TEST_F(MainWndPageTest, ThePictureLiesInsideTheMatsBorders) {
    CRect rect;
    m_window->GetMatPictureRect(&rect, 5, 6, 1, 2);
    EXPECT_EQ(rect, CRect(5, 6, 1, 2)); // no mat: unchanged

    // Border fractions: left 0.1, top 0.2, right 0.5, bottom 0.5.
    std::ofstream(File("rahmen.frm").str()) << "98\n98\n10\n21\n47\n47\nRahmen\n";
    const CDSObjMgr manager; // an entry finds its files through the manager
    auto mat = std::make_unique<CMat>();
    mat->SetFilePath(File("rahmen.bmp"));
    ASSERT_TRUE(mat->ReadFrameFile());
    m_window->SetMat(mat.release());
    const MatRectCase cases[] = {
        {"Frame", {0, 0, 1000, 500}, {99, 99, 501, 251}},
        {"CornersReversed", {1000, 500, 0, 0}, {99, 99, 501, 251}},
        {"Moved", {100, 50, 1100, 550}, {199, 149, 601, 301}},
        {"OnePixel", {0, 0, 1, 1}, {-1, -1, 2, 2}},
    };
    for (const MatRectCase& c : cases) {
        SCOPED_TRACE(c.name);
        m_window->GetMatPictureRect(&rect, c.frame.left, c.frame.top, c.frame.right, c.frame.bottom);
        EXPECT_EQ(rect, CRect(c.expected));
    }
}

struct PaperCase {
    const char* name;
    SIZE page;
    SHORT pageNumber;
    const char* printer;
    WORD expected;
};

TEST_F(MainWndPageTest, PaperIsMatchedWithinFiveMillimetres) {
    CFakePrinterSystem::Printer& printer = m_printers.Add("Fotodrucker");
    printer.capabilities.papers = {
        {DMPAPER_A4, "A4", 2100, 2970, {}},
        {DMPAPER_LETTER, "Letter", 2159, 2794, {}},
        {70, "Breit", 2120, 2950, {}},
        {71, "Hoch", 2080, 3010, {}},
    };
    const PaperCase cases[] = {
        {"OwnNumber", {2100, 2970}, DMPAPER_A4, "Fotodrucker", DMPAPER_A4},
        {"Closest", {2115, 2955}, 0, "Fotodrucker", 70},
        {"TieKeepsTheEarlier", {2110, 2960}, 0, "Fotodrucker", DMPAPER_A4},
        {"OwnNumberBeforeTheClosest", {2100, 2970}, 71, "Fotodrucker", 71},
        {"OnlyOneWithinTolerance", {2159, 2794}, DMPAPER_A4, "Fotodrucker", DMPAPER_LETTER},
        {"JustOutside", {2151, 3021}, 0, "Fotodrucker", 0},
        {"NoneFits", {1000, 1000}, 0, "Fotodrucker", 0},
        {"PrinterUnknown", {2100, 2970}, DMPAPER_A4, "Niemand", 0},
    };
    for (const PaperCase& c : cases) {
        SCOPED_TRACE(c.name);
        CTemplate page;
        page.SetPageSize(CSize(c.page));
        page.SetPaperNumber(c.pageNumber);
        EXPECT_EQ(CMainWnd::MatchPaperSize(c.printer, "fake:/", nullptr, page), c.expected);
    }
}

TEST_F(MainWndPageTest, ClosingEmptiesTheUndoList) {
    m_window->AddUndo(new CUndoLayers(0, 0));
    m_panelLog.clear();
    m_window->SendMessage(WM_CLOSE);
    EXPECT_THAT(m_panelLog, ElementsAre("undo 0"));
}

// The page canvas is the preview child, and what it asks of the main window is answered from this
// window's page until the window goes.
TEST_F(MainWndPageTest, TheCanvasShowsThePageOfThisWindow) {
    auto* canvas = dynamic_cast<CPreviewWnd*>(m_window->GetPreviewWnd());
    ASSERT_NE(canvas, nullptr);
    EXPECT_EQ(canvas->GetDlgCtrlID(), static_cast<int>(CMainWnd::kPreviewWndId));
    CTemplate* page = EditPage();
    EXPECT_EQ(MainWndServices().GetTemplate(), page);
    MainWndServices().SetModified(TRUE);
    EXPECT_EQ(m_window->IsModified(), 1);
    MainWndServices().AddUndo(new CUndoLayers(0, 0));
    EXPECT_NE(m_window->GetLastUndo(), nullptr);
    m_window->DestroyWindow();
    m_window = nullptr;
    EXPECT_EQ(MainWndServices().GetTemplate(), nullptr) << "the built-in services hold no page";
}

} // namespace
