// Painting the page into the print picture: pictures fitted or filling their frames, clip shapes of
// mats, rotation masks, stencils, the canvas's shift left alone and the progress the painting reports;
// and the same pages printed onto a printer context with unprintable edges, read back from its sheet.

#include "output/PrintObjectRenderer.h"

#include "image/WorkBitmap.h"
#include "library/Mat.h"
#include "library/Stencil.h"
#include "output/PrintGeometry.h"
#include "output/PrintPage.h"
#include "page/DrawImage.h"
#include "page/DrawText.h"
#include "page/Template.h"
#include "platform/gdi/Dc.h"
#include "tests/image/DibBuilder.h"
#include "tests/page/PageFixture.h"
#include "tests/support/GuiApplication.h"
#include "tests/support/ImagePrinter.h"

#include <QImage>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF, kRed = 0xFFFF0000, kGrey = 0xFF808080, kBlack = 0xFF000000;

// A 120 mm square page: a print picture of 1000 x 1000 pixels.
constexpr CSize kPage{1200, 1200};

class RecordingProgress final : public IPrintProgress {
public:
    void Begin(int count, UINT text) override {
        begins.emplace_back(count, text);
        events.push_back("range " + std::to_string(count) + " text " + std::to_string(text));
    }
    void Step() override {
        ++steps;
        events.emplace_back("step");
    }
    std::vector<std::pair<int, UINT>> begins;
    int steps = 0;
    std::vector<std::string> events; // in order
};

class PrintObjectRendererTest : public PageFixture {
protected:
    static void SetUpTestSuite() { EnsureGuiApplication(); }

    PrintObjectRendererTest() : m_image(1000, 1000, QImage::Format_RGB32) {
        m_template.SetPageSize(kPage);
        m_template.SetOrientation(1);
        m_sources.page = &m_template;
        m_sources.canvasClient = CSize(600, 600);
        m_sources.picture = &m_picture;
        m_sources.matPictureRect = [](const CRect& frame) { return frame; };
        m_dc.CreateImageDC(&m_image);
    }
    ~PrintObjectRendererTest() override { m_dc.DeleteDC(); }

    // A frame object over the whole page.
    CDrawRect* AddFrame(int shape) {
        auto* frame = new CDrawRect(CRect(0, 0, kPage.cx, kPage.cy));
        frame->SetShape(shape);
        m_template.InsertObject(frame, -1);
        return frame;
    }
    void SetPicture(int width, int height, const std::vector<unsigned>& pixels) {
        DibBuilder dib(width, height, 24);
        dib.Pixels(pixels);
        const std::unique_ptr<CPictureInfo> picture(PictureOf(dib));
        m_picture.SetAdjustedDib(picture.get());
    }
    // A grey mat over the whole frame (black mask), its frame name as given.
    std::unique_ptr<CMat> GreyMat(const char* name) {
        WriteBmp(Res("grau.bmp"), 4, 4, {0x808080});
        WriteBmp(Res("grau.msk"), 4, 4, {0x000000});
        WriteFile(Res("grau.frm"), std::string("100\n100\n0\n1\n98\n98\n") + name + "\n");
        auto mat = std::make_unique<CMat>();
        mat->SetFilePath(Res("grau.bmp"));
        mat->LoadData();
        return mat;
    }
    // A white and black picture whose rotation left its left half empty.
    void SetTurnedPicture() {
        SetPicture(2, 1, {0xFFFFFF, 0x000000});
        DibBuilder maskDib(2, 1, 24);
        maskDib.Pixels({0x000000, 0xFFFFFF});
        const std::unique_ptr<CPictureInfo> mask(PictureOf(maskDib));
        m_picture.SetRotatedDib(mask.get());
    }
    // A stencil black on its left half, white on its right.
    std::unique_ptr<CStencil> HalfBlackStencil() {
        std::vector<unsigned> halves;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                halves.push_back(x < 10 ? 0x000000 : 0xFFFFFF);
        WriteBmp(Res("maske.bmp"), 20, 20, halves);
        auto stencil = std::make_unique<CStencil>();
        stencil->SetFilePath(Res("maske.bmp"));
        stencil->LoadData();
        return stencil;
    }
    BOOL RenderNormal(IPrintProgress* progress = nullptr) {
        return RenderNormalPage(&m_dc, 1000, 1000, 0, m_sources, progress);
    }
    QRgb At(int x, int y) const { return m_image.pixel(x, y); }

    CTemplate m_template;
    CWorkBitmap m_picture;
    PrintPageSources m_sources;
    QImage m_image;
    CDC m_dc;
};

TEST_F(PrintObjectRendererTest, WidePictureInASquareFrameIsCentredOrFillsIt) {
    AddFrame(kShapeRectangle);
    SetPicture(3, 2, std::vector<unsigned>(6, 0xFF0000));
    ASSERT_TRUE(RenderNormal());
    int first = -1, last = -1;
    for (int y = 0; y < 1000; ++y)
        if (At(500, y) == kRed) {
            first = first < 0 ? y : first;
            last = y;
        }
    EXPECT_EQ(first, 167);
    EXPECT_EQ(1000 - (last + 1), first) << "equal white bands above and below";
    EXPECT_EQ(At(500, 100), kWhite);

    m_sources.fillFlag = true;
    ASSERT_TRUE(RenderNormal());
    EXPECT_EQ(At(500, 2), kRed);
    EXPECT_EQ(At(500, 997), kRed);
}

TEST_F(PrintObjectRendererTest, OnlyAMatNamedLowerCaseEllipseMakesARoundedFrameOval) {
    AddFrame(kShapeRoundRectangle);
    SetPicture(1, 1, {0xFF0000});
    m_sources.fillFlag = true;
    for (const auto& [name, nearCorner] : {std::pair{"ellipse", kGrey}, std::pair{"Ellipse", kRed}}) {
        const std::unique_ptr<CMat> mat = GreyMat(name);
        ASSERT_TRUE(mat->IsLoaded());
        m_sources.mat = mat.get();
        ASSERT_TRUE(RenderNormal());
        EXPECT_EQ(At(60, 60), nearCorner) << name << ": inside the rounded rectangle, outside the oval";
        EXPECT_EQ(At(500, 500), kRed) << name;
        EXPECT_EQ(At(0, 0), kGrey) << name << ": the mat in the rounded corner";
        m_sources.mat = nullptr;
    }
}

TEST_F(PrintObjectRendererTest, TurnedPictureGoesThroughItsRotationMask) {
    AddFrame(kShapeRectangle);
    SetTurnedPicture();
    m_sources.fillFlag = true;
    const std::unique_ptr<CMat> mat = GreyMat("rahmen");
    m_sources.mat = mat.get();
    for (const auto& [rotation, left] : {std::pair{900, kGrey}, std::pair{0, kWhite}}) {
        m_picture.rotation = rotation;
        ASSERT_TRUE(RenderNormal());
        EXPECT_EQ(At(250, 500), left) << rotation << ": the mat shows through the empty corner when turned";
        EXPECT_EQ(At(750, 500), kBlack) << rotation;
    }
}

TEST_F(PrintObjectRendererTest, StencilKeepsThePageWhereBlackAndShowsThePictureWhereWhite) {
    AddFrame(kShapeRectangle);
    SetPicture(40, 40, std::vector<unsigned>(1600, 0xFF0000));
    m_sources.fillFlag = true;
    const std::unique_ptr<CStencil> stencil = HalfBlackStencil();
    ASSERT_TRUE(stencil->IsLoaded());
    m_sources.stencil = stencil.get();
    ASSERT_TRUE(RenderNormal());
    EXPECT_EQ(At(250, 500), kWhite) << "the white page";
    EXPECT_EQ(At(750, 500), kRed);
    const std::unique_ptr<CMat> mat = GreyMat("rahmen");
    m_sources.mat = mat.get();
    ASSERT_TRUE(RenderNormal());
    EXPECT_EQ(At(250, 500), kGrey) << "the mat";
    EXPECT_EQ(At(750, 500), kRed);
}

TEST_F(PrintObjectRendererTest, ShiftIsTakenToPrintSizeAndPutBack) {
    for (int shape : {kShapeRectangle, kShapeRoundRectangle, kShapeEllipse})
        AddFrame(shape);
    SetPicture(1, 1, {0xFF0000});
    m_sources.fillFlag = true;
    m_picture.shiftX = 60; // 60 canvas pixels of 600 are 100 print pixels of 1000
    m_picture.shiftY = -12;
    RecordingProgress progress;
    ASSERT_TRUE(RenderNormal(&progress));
    EXPECT_EQ(m_picture.shiftX, 60);
    EXPECT_EQ(m_picture.shiftY, -12);
    EXPECT_EQ(At(50, 500), kWhite) << "moved right by 100";
    EXPECT_EQ(At(150, 500), kRed);
    EXPECT_EQ(progress.begins.front(), std::make_pair(3, kPrintPaintingText));
    EXPECT_EQ(progress.steps, 3) << "one step per object";
}

TEST_F(PrintObjectRendererTest, EditModeStepsOncePerPictureAndResetsTheProgress) {
    m_template.InsertObject(new CDrawText(CRect(100, 100, 600, 300), "Gruß"), -1);
    auto* image = new CDrawImage(CRect(100, 400, 700, 800));
    const std::unique_ptr<CPictureInfo> red = FilledPicture(3, 2, 0xFF0000);
    image->SetAdjustedDib(red.get());
    image->shiftX = 30;
    m_template.InsertObject(image, -1);
    RecordingProgress progress;
    ASSERT_TRUE(RenderTemplateObjects(&m_dc, 1000, 1000, 0, m_sources, &progress));
    EXPECT_EQ(progress.begins, (std::vector<std::pair<int, UINT>>{{2, kPrintPaintingText}, {0, 0}}));
    EXPECT_EQ(progress.steps, 1);
    EXPECT_EQ(image->shiftX, 30);
    EXPECT_EQ(At(400, 500), kRed);

    m_sources.page = nullptr;
    EXPECT_FALSE(RenderTemplateObjects(&m_dc, 1000, 1000, 0, m_sources, nullptr));
}

// The page printed onto a 130 mm square sheet whose outer 5 mm the printer cannot reach: the 120 mm page
// starts at the printable area's corner, so picture pixel p lies at 5 + 0.12 p mm of the sheet.
class PrintObjectRendererOnPrinterTest : public PrintObjectRendererTest {
protected:
    PrintObjectRendererOnPrinterTest() { EXPECT_NE(m_printer.Dc(), nullptr); }

    BOOL Print(bool editMode = false, IPrintProgress* progress = nullptr) {
        m_printer.Clear();
        PrintPageOptions options;
        options.editMode = editMode;
        return PrintPage(m_printer.Dc(), m_sources, options, progress);
    }
    QRgb Sheet(double x, double y) const { return m_printer.At(x, y); }
    // The first and one past the last red dot down the sheet at x millimetres; -1 when there is none.
    std::pair<int, int> RedRows(double x) const {
        const int column = ImagePrinter::Dots(x);
        std::pair<int, int> rows{-1, -1};
        for (int y = 0; y < m_printer.Sheet().height(); ++y)
            if (m_printer.Sheet().pixel(column, y) == kRed) {
                rows.first = rows.first < 0 ? y : rows.first;
                rows.second = y + 1;
            }
        return rows;
    }

    ImagePrinter m_printer{CSize(1300, 1300), 50};
};

TEST_F(PrintObjectRendererOnPrinterTest, ContextStartsItsPrintableAreaFiveMillimetresIn) {
    CDC* dc = m_printer.Dc();
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(dc->GetDeviceCaps(PHYSICALOFFSETX), ImagePrinter::Dots(5));
    EXPECT_EQ(dc->GetDeviceCaps(PHYSICALOFFSETY), ImagePrinter::Dots(5));
    EXPECT_EQ(dc->GetDeviceCaps(HORZRES), ImagePrinter::Dots(130) - 2 * ImagePrinter::Dots(5));
}

TEST_F(PrintObjectRendererOnPrinterTest, WidePictureIsCentredWithEqualBandsOrFillsTheFrame) {
    AddFrame(kShapeRectangle);
    SetPicture(3, 2, std::vector<unsigned>(6, 0xFF0000));
    const struct {
        bool fillFlag;
        double top, bottom; // millimetres of the sheet
    } cases[] = {
        {false, 25, 105}, // 80 mm high in the 120 mm frame: 20 mm white above and below
        {true, 5, 125},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fillFlag);
        m_sources.fillFlag = c.fillFlag;
        ASSERT_TRUE(Print());
        const auto [first, end] = RedRows(65);
        EXPECT_NEAR(first, ImagePrinter::Dots(c.top), 1);
        EXPECT_NEAR(end, ImagePrinter::Dots(c.bottom), 1);
        EXPECT_NEAR(first - ImagePrinter::Dots(5), ImagePrinter::Dots(125) - end, 1) << "equal bands";
        EXPECT_EQ(Sheet(5.2, 65), kRed) << "the whole width";
        EXPECT_EQ(Sheet(124.8, 65), kRed);
        EXPECT_EQ(Sheet(4.8, 65), kWhite) << "nothing in the unprintable edge";
        EXPECT_EQ(Sheet(125.2, 65), kWhite);
    }
}

TEST_F(PrintObjectRendererOnPrinterTest, OnlyAMatNamedLowerCaseEllipseMakesARoundedFrameOval) {
    AddFrame(kShapeRoundRectangle);
    SetPicture(1, 1, {0xFF0000});
    m_sources.fillFlag = true;
    for (const auto& [name, nearCorner] : {std::pair{"ellipse", kGrey}, std::pair{"Ellipse", kRed}}) {
        const std::unique_ptr<CMat> mat = GreyMat(name);
        ASSERT_TRUE(mat->IsLoaded());
        m_sources.mat = mat.get();
        ASSERT_TRUE(Print());
        EXPECT_EQ(Sheet(12, 12), nearCorner) << name << ": inside the rounded rectangle, outside the oval";
        EXPECT_EQ(Sheet(65, 65), kRed) << name;
        EXPECT_EQ(Sheet(5, 5), kGrey) << name << ": the mat in the rounded corner";
        EXPECT_EQ(Sheet(4.8, 4.8), kWhite) << name;
        m_sources.mat = nullptr;
    }
}

TEST_F(PrintObjectRendererOnPrinterTest, TurnedPictureGoesThroughItsRotationMask) {
    AddFrame(kShapeRectangle);
    SetTurnedPicture();
    m_sources.fillFlag = true;
    const std::unique_ptr<CMat> mat = GreyMat("rahmen");
    m_sources.mat = mat.get();
    for (const auto& [rotation, left] : {std::pair{900, kGrey}, std::pair{0, kWhite}}) {
        m_picture.rotation = rotation;
        ASSERT_TRUE(Print());
        EXPECT_EQ(Sheet(35, 65), left) << rotation << ": the mat shows through the empty corner when turned";
        EXPECT_EQ(Sheet(95, 65), kBlack) << rotation;
    }
}

TEST_F(PrintObjectRendererOnPrinterTest, StencilKeepsMatAndPageWhereBlackAndShowsThePictureWhereWhite) {
    AddFrame(kShapeRectangle);
    SetPicture(40, 40, std::vector<unsigned>(1600, 0xFF0000));
    m_sources.fillFlag = true;
    const std::unique_ptr<CStencil> stencil = HalfBlackStencil();
    ASSERT_TRUE(stencil->IsLoaded());
    m_sources.stencil = stencil.get();
    const std::unique_ptr<CMat> mat = GreyMat("rahmen");
    for (const auto& [withMat, black] : {std::pair{false, kWhite}, std::pair{true, kGrey}}) {
        m_sources.mat = withMat ? mat.get() : nullptr;
        ASSERT_TRUE(Print());
        EXPECT_EQ(Sheet(35, 65), black) << withMat << ": the page, or the mat, under the black half";
        EXPECT_EQ(Sheet(95, 65), kRed) << withMat;
    }
}

TEST_F(PrintObjectRendererOnPrinterTest, ShiftMovesThePrintedPictureAndIsPutBack) {
    for (int shape : {kShapeRectangle, kShapeRoundRectangle, kShapeEllipse})
        AddFrame(shape);
    SetPicture(1, 1, {0xFF0000});
    m_sources.fillFlag = true;
    m_picture.shiftX = 60; // 60 canvas pixels of 600 are 12 mm of the 120 mm page
    m_picture.shiftY = -12;
    RecordingProgress progress;
    ASSERT_TRUE(Print(false, &progress));
    EXPECT_EQ(m_picture.shiftX, 60);
    EXPECT_EQ(m_picture.shiftY, -12);
    EXPECT_EQ(Sheet(15, 65), kWhite) << "moved right by 12 mm";
    EXPECT_EQ(Sheet(19, 65), kRed);
    EXPECT_EQ(progress.events, (std::vector<std::string>{"range 3 text 51", "step", "step", "step",
                                                         "range 1 text 52", "step"}))
        << "a step per object, then one band";
}

TEST_F(PrintObjectRendererOnPrinterTest, EditModeStepsOncePerPictureInItsRangeOfTwo) {
    m_template.InsertObject(new CDrawText(CRect(100, 100, 600, 300), "Gruß"), -1);
    auto* image = new CDrawImage(CRect(100, 400, 700, 800));
    const std::unique_ptr<CPictureInfo> red = FilledPicture(3, 2, 0xFF0000);
    image->SetAdjustedDib(red.get());
    image->shiftX = 30;
    m_template.InsertObject(image, -1);
    RecordingProgress progress;
    ASSERT_TRUE(Print(true, &progress));
    EXPECT_EQ(progress.events, (std::vector<std::string>{"range 2 text 51", "step", "range 0 text 0",
                                                         "range 1 text 52", "step"}));
    EXPECT_EQ(image->shiftX, 30);
    EXPECT_EQ(Sheet(53, 65), kRed) << "the picture at (48, 60) mm of the page";
    EXPECT_EQ(Sheet(4.8, 65), kWhite);
}

} // namespace
