// The album index printed on the built-in PDF printer and read back with pdfinfo and pdftoppm: sheets of
// 5 x 5 photos, each photo one solid colour so that the cell centres tell which photo lies where.

#include "output/AlbumIndexPrint.h"

#include "platform/base/LastError.h"
#include "platform/print/FakePrinterSystem.h"
#include "platform/print/PrintJob.h"
#include "platform/print/PrinterDc.h"
#include "platform/print/Spooler.h"
#include "tests/page/PageFixture.h"
#include "tests/support/PdfProbe.h"
#include "tests/support/ScriptedFileChooser.h"
#include "tests/support/UiTestSupport.h"

#include <cstdlib>
#include <functional>
#include <gmock/gmock.h>
#include <iterator>
#include <memory>

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

namespace {

constexpr unsigned kWhite = 0xFFFFFF;
constexpr unsigned kColours[] = {0xD02020, 0x20A020, 0x2020D0, 0xD0D020, 0x20C0C0, 0xC020C0};
constexpr int kGrid = 5; // cells across and down

// The colour of photo n (1-based).
unsigned ColourOf(int n) {
    return kColours[static_cast<size_t>(n - 1) % std::size(kColours)];
}

bool Near(unsigned a, unsigned b) {
    for (int shift : {0, 8, 16}) {
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 24)
            return false;
    }
    return true;
}

// Where the printer context puts things, in its dots.
struct Sheet {
    explicit Sheet(HDC dc)
        : dpiX(GetDeviceCaps(dc, LOGPIXELSX)), dpiY(GetDeviceCaps(dc, LOGPIXELSY)),
          offsetX(GetDeviceCaps(dc, PHYSICALOFFSETX)), offsetY(GetDeviceCaps(dc, PHYSICALOFFSETY)),
          width(GetDeviceCaps(dc, HORZRES)), cellWidth((width - 6 * dpiX / 5) / kGrid),
          cellHeight((GetDeviceCaps(dc, VERTRES) - 6 * dpiY / 5) / kGrid) {}

    // The centre of cell k on the page rendered at dpi.
    QPoint CellCentre(int k, int dpi) const {
        const int x = dpiX / 5 + k % kGrid * (cellWidth + dpiX / 5) + cellWidth / 2;
        const int y = dpiY / 5 + k / kGrid * (cellHeight + dpiY / 5) + cellHeight / 2;
        return QPoint((offsetX + x) * dpi / dpiX, (offsetY + y) * dpi / dpiY);
    }

    int dpiX, dpiY, offsetX, offsetY, width, cellWidth, cellHeight;
};

class AlbumIndexPrintTest : public PageFixture {
protected:
    static void SetUpTestSuite() { EnsureUiApplication(); }

    // Photos 1 to count, photo n a 40 x 30 picture of ColourOf(n) titled "Bild n".
    void MakePhotos(int count) {
        for (int n = static_cast<int>(m_photos.size()) + 1; n <= count; ++n) {
            const CString path = m_folder.Path() + "/fotos/" + CString(std::to_string(n).c_str()) + ".bmp";
            WriteBmp(path, 40, 30, {ColourOf(n)});
            AddPhoto(path, "Bild " + CString(std::to_string(n).c_str()));
        }
    }

    CPhoto* AddPhoto(const CString& path, const CString& title) {
        auto photo = std::make_unique<CPhoto>();
        photo->SetFilePath(path);
        photo->SetTitle(title);
        m_photos.push_back(std::move(photo));
        return m_photos.back().get();
    }

    std::vector<const CDSObj*> Photos() const {
        std::vector<const CDSObj*> photos;
        for (const auto& photo : m_photos)
            photos.push_back(photo.get());
        return photos;
    }

    // Prints the index on the built-in PDF printer; the path of the file chosen for it.
    std::string PrintIndex(int range = 0, UINT first = 1, UINT last = 1, const char* album = "Ferien") {
        const CString output =
            m_folder.Path() + "/index" + CString(std::to_string(++m_prints).c_str()) + ".pdf";
        m_chooser.Pick({output});
        HDC dc = CreateDC(nullptr, kBuiltInPdfPrinterName, nullptr, nullptr);
        EXPECT_NE(dc, nullptr);
        m_sheet = std::make_unique<Sheet>(dc);
        PrintAlbumIndex(CDC::FromHandle(dc), album, Photos(), range, first, last);
        DeleteDC(dc);
        return output.str();
    }

    // The colours at the centres of the first cells of a page rendered at dpi.
    std::vector<unsigned> CellColours(const std::string& pdf, int page, int cells, int dpi = 50) const {
        const PdfRaster raster = PdfPageRaster(pdf, page, dpi);
        std::vector<unsigned> colours;
        for (int k = 0; k < cells && raster.width > 0; ++k) {
            const QPoint centre = m_sheet->CellCentre(k, dpi);
            colours.push_back(raster.At(centre.x(), centre.y()));
        }
        return colours;
    }

    std::vector<std::string> Shown() const {
        std::vector<std::string> shown;
        for (const FakeAppServices::ShownMessage& message : m_app.Messages())
            shown.push_back(std::to_string(message.stringId) + " " + std::to_string(message.style));
        return shown;
    }

    std::vector<std::unique_ptr<CPhoto>> m_photos;
    std::unique_ptr<Sheet> m_sheet;
    ScriptedFileChooser m_chooser;
    int m_prints = 0;
};

MATCHER_P(IsColour, colour, "") {
    return Near(arg, colour);
}

TEST_F(AlbumIndexPrintTest, TwentyFivePhotosFillASheetAndTheNextOneBeginsASecond) {
    MakePhotos(25);
    EXPECT_EQ(PdfPageSizes(PrintIndex()).size(), 1u) << "a full last sheet is not followed by an empty one";
    MakePhotos(27);
    const std::string pdf = PrintIndex();
    EXPECT_EQ(PdfPageSizes(pdf).size(), 2u);
    EXPECT_THAT(CellColours(pdf, 1, 1), ElementsAre(IsColour(ColourOf(1))));
    EXPECT_THAT(CellColours(pdf, 1, 25).back(), IsColour(ColourOf(25)));
    EXPECT_THAT(CellColours(pdf, 2, 3),
                ElementsAre(IsColour(ColourOf(26)), IsColour(ColourOf(27)), IsColour(kWhite)));
    EXPECT_THAT(Shown(), IsEmpty());
}

TEST_F(AlbumIndexPrintTest, RangeAndUnreadablePhotosDecideWhichPhotoTakesWhichCell) {
    const struct {
        const char* name;
        int range;
        UINT first, last;
        bool secondUnreadable;
        std::vector<unsigned> cells; // the first three
    } cases[] = {
        {"Range3To4", 1, 3, 4, false, {ColourOf(3), ColourOf(4), kWhite}},
        {"RangeFlagOff", 0, 3, 4, false, {ColourOf(1), ColourOf(2), ColourOf(3)}},
        {"UnreadableLeavesNoGap", 0, 1, 1, true, {ColourOf(1), ColourOf(3), ColourOf(4)}},
        {"RangeOverTheEnd", 1, 5, 100, false, {ColourOf(5), ColourOf(6), kWhite}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_photos.clear();
        MakePhotos(6);
        if (c.secondUnreadable)
            m_photos[1]->SetFilePath(m_folder.Path() + "/fotos/fehlt.bmp");
        const std::string pdf = PrintIndex(c.range, c.first, c.last);
        EXPECT_EQ(PdfPageSizes(pdf).size(), 1u);
        std::vector<::testing::Matcher<unsigned>> expected;
        for (unsigned colour : c.cells)
            expected.push_back(IsColour(colour));
        EXPECT_THAT(CellColours(pdf, 1, 3), ElementsAreArray(expected));
    }
}

TEST_F(AlbumIndexPrintTest, HeadingLiesInTheTopBandOfTheFirstSheetOnly) {
    const int dpi = 100;
    const std::string empty = PrintIndex(0, 1, 1, "Urlaub am Meer");
    ASSERT_EQ(PdfPageSizes(empty).size(), 1u) << "an album without photos still prints its heading";
    const QRect heading = PdfDarkBox(empty, 1, dpi);
    ASSERT_FALSE(heading.isNull());
    const Sheet sheet = *m_sheet;
    EXPECT_GE(heading.top(), sheet.offsetY * dpi / sheet.dpiY);
    EXPECT_LE(heading.bottom(), (sheet.offsetY + sheet.dpiY / 5) * dpi / sheet.dpiY);
    EXPECT_NEAR(heading.center().x(), (sheet.offsetX + sheet.width / 2) * dpi / sheet.dpiX, 3);

    MakePhotos(26);
    const PdfRaster second = PdfPageRaster(PrintIndex(0, 1, 1, "Urlaub am Meer"), 2, dpi);
    ASSERT_GT(second.width, 0);
    const int bandEnd = (sheet.offsetY + sheet.dpiY / 5) * dpi / sheet.dpiY;
    int marked = 0;
    for (int y = 0; y < bandEnd; ++y)
        for (int x = 0; x < second.width; ++x)
            marked += second.At(x, y) != kWhite;
    EXPECT_EQ(marked, 0) << "no heading on the second sheet";
}

TEST_F(AlbumIndexPrintTest, CaptionsAreAtMost48HighAndShrinkToTheCellsWidth) {
    const CString path = m_folder.Path() + "/weiss.bmp";
    WriteBmp(path, 40, 30, {kWhite}); // only the caption shows
    CPhoto* photo = AddPhoto(path, "  Kurz  ");
    const QRect shortCaption = PdfDarkBox(PrintIndex(0, 1, 1, ""), 1, m_sheet->dpiY);
    photo->SetTitle("Ein sehr langer Titel, der nie in eine Zelle passt, wie breit sie auch ist");
    const QRect longCaption = PdfDarkBox(PrintIndex(0, 1, 1, ""), 1, m_sheet->dpiY);
    ASSERT_FALSE(shortCaption.isNull());
    ASSERT_FALSE(longCaption.isNull());
    const Sheet sheet = *m_sheet;
    const int gapTop = sheet.offsetY + sheet.dpiY / 5 + sheet.cellHeight;
    for (const QRect& caption : {shortCaption, longCaption}) {
        EXPECT_GE(caption.top(), gapTop);
        EXPECT_LT(caption.bottom(), gapTop + sheet.dpiY / 5);
        EXPECT_LE(caption.height(), 48);
    }
    EXPECT_GT(shortCaption.height(), 24) << "a short title keeps the full height";
    EXPECT_LT(shortCaption.width(), sheet.cellWidth / 2);
    EXPECT_LE(longCaption.width(), sheet.cellWidth);
    EXPECT_GT(longCaption.width(), sheet.cellWidth * 3 / 4) << "shrunk to about the cell's width";
    EXPECT_LT(longCaption.height(), shortCaption.height());
}

TEST_F(AlbumIndexPrintTest, FailuresToStartOrEndTheDocumentAreToldUnlessCancelled) {
    CFakePrinterSystem printers;
    CFakePrinterSystem::Printer& laser = printers.Add("Laser");
    MakePhotos(2);
    const struct {
        const char* name;
        std::function<void()> arrange;
        const char* printer;
        std::vector<std::string> shown;
    } cases[] = {
        {"FileChoiceCancelled", [this] { m_chooser.Cancel(); }, kBuiltInPdfPrinterName, {}},
        {"FileCannotBeMade",
         [this] { m_chooser.Pick({m_folder.Path() + "/fehlt/index.pdf"}); },
         kBuiltInPdfPrinterName,
         {"105 64"}},
        {"SpoolerCancelled",
         [&laser] {
             laser.refusals = {{PrintJobStep::StartDoc, ERROR_PRINT_CANCELLED}};
         },
         "Laser",
         {}},
        {"StartRefused",
         [&laser] {
             laser.refusals = {{PrintJobStep::StartDoc, ERROR_ACCESS_DENIED}};
         },
         "Laser",
         {"105 64"}},
        {"EndRefused",
         [&laser] {
             laser.refusals = {{PrintJobStep::EndDoc, ERROR_WRITE_FAULT}};
         },
         "Laser",
         {"105 64"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_app.ClearMessages();
        c.arrange();
        HDC dc = CreateDC(nullptr, c.printer, nullptr, nullptr);
        ASSERT_NE(dc, nullptr);
        PrintAlbumIndex(CDC::FromHandle(dc), "Ferien", Photos(), 0, 1, 1);
        DeleteDC(dc);
        EXPECT_EQ(Shown(), c.shown);
    }
}

} // namespace
