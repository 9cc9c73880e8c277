// Page objects on the clock.
//   page_bench stencil DIR   a 3 MP adjusted picture rendered through a stencil into a 2000 x 1500 frame;
//                            writes DIR/picture.bmp (the picture resized to the frame), DIR/background.bmp
//                            and DIR/mask.bmp for the peer, and prints seconds= of the rendering alone
//   page_bench text          FitToText and Draw of 20 five-line texts, and QPainter::drawText of the same
//                            lines in the same fonts; prints ours= and peer= in seconds
// The codec plug-ins are taken from VC_PROGRAM_DIR.
#include "image/ExtMgr.h"
#include "image/PictureInfo.h"
#include "library/DSObjMgr.h"
#include "library/Stencil.h"
#include "page/DrawImage.h"
#include "page/DrawText.h"
#include "platform/base/Profile.h"
#include "platform/gdi/Dc.h"

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kFrameWidth = 2000;
constexpr int kFrameHeight = 1500;
constexpr int kPictureWidth = 2048;
constexpr int kPictureHeight = 1536;
constexpr int kTexts = 20;
constexpr int kRounds = 10;

double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// A 24-bit picture whose pixels come from colour(x, y) (0xRRGGBB).
template <class Colour>
std::unique_ptr<CPictureInfo> Picture(int width, int height, Colour colour) {
    const DWORD row = static_cast<DWORD>((width * 3 + 3) / 4 * 4);
    auto picture = std::make_unique<CPictureInfo>();
    BYTE* block = picture->Allocate(sizeof(BITMAPINFOHEADER) + row * height);
    BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, row * height, 0, 0, 0, 0};
    std::memcpy(block, &header, sizeof header);
    BYTE* bits = block + sizeof header;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const unsigned rgb = colour(x, height - 1 - y);
            BYTE* p = bits + y * row + x * 3;
            p[0] = BYTE(rgb), p[1] = BYTE(rgb >> 8), p[2] = BYTE(rgb >> 16);
        }
    return picture;
}

unsigned Photo(int x, int y) {
    return unsigned(x * 255 / kPictureWidth) << 16 | unsigned(y * 255 / kPictureHeight) << 8 |
           unsigned((x + y) & 0xFF);
}

unsigned Background(int x, int y) {
    return ((x / 50 + y / 50) % 2) ? 0x2040A0u : 0xE0D0B0u;
}

// An ellipse of green 255 fading to 0 at its edge.
unsigned Stencil(int x, int y) {
    const double dx = (x - kFrameWidth / 2.0) / (kFrameWidth / 2.0);
    const double dy = (y - kFrameHeight / 2.0) / (kFrameHeight / 2.0);
    const double d = std::sqrt(dx * dx + dy * dy);
    const unsigned g = d >= 1.0 ? 0 : d <= 0.8 ? 255 : unsigned((1.0 - d) / 0.2 * 255);
    return g << 16 | g << 8 | g;
}

int StencilBench(const std::string& dir) {
    SetProfileFolderForTesting((dir + "/profile").c_str());
    const char* programDir = std::getenv("VC_PROGRAM_DIR");
    CExtMgr codecs(programDir ? programDir : ".");
    codecs.LoadPlugins();
    CDSObjMgr manager;

    const CString stencilPath = (dir + "/mask.bmp").c_str();
    if (!Picture(kFrameWidth, kFrameHeight, Stencil)->WriteBmpFile(stencilPath) ||
        !Picture(kFrameWidth, kFrameHeight, Background)->WriteBmpFile((dir + "/background.bmp").c_str()))
        return 1;
    auto photo = Picture(kPictureWidth, kPictureHeight, Photo);
    std::unique_ptr<CPictureInfo> resized(
        photo->RenderZoomed(CRect(0, 0, kFrameWidth, kFrameHeight), CPoint(), 100, 0xFFFFFF));
    if (!resized || !resized->WriteBmpFile((dir + "/picture.bmp").c_str()))
        return 1;

    CDrawImage image(CRect(0, 0, kFrameWidth, kFrameHeight));
    image.SetAdjustedDib(photo.get());
    auto* stencil = new CStencil;
    stencil->SetFilePath(stencilPath);
    image.SetStencil(stencil);
    if (!stencil->IsLoaded()) {
        std::fprintf(stderr, "the stencil did not load: no codec for BMP in %s\n", programDir);
        return 1;
    }
    QImage screen(kFrameWidth, kFrameHeight, QImage::Format_RGB32);
    CDC dc;
    dc.CreateImageDC(&screen);
    Picture(kFrameWidth, kFrameHeight, Background)
        ->Draw(&dc, CRect(0, 0, kFrameWidth, kFrameHeight), SRCCOPY);
    const double start = Now();
    image.Render(&dc, CRect(0, 0, kFrameWidth, kFrameHeight), 1.0f, FALSE);
    std::printf("seconds=%.6f\n", Now() - start);
    return 0;
}

// Five lines of each text, in fonts of the page's sizes.
std::vector<std::unique_ptr<CDrawText>> Texts() {
    std::vector<std::unique_ptr<CDrawText>> texts;
    for (int i = 0; i < kTexts; ++i) {
        CString text;
        for (int line = 0; line < 5; ++line)
            text += CString(("Zeile " + std::to_string(line + 1) + " der Seite " + std::to_string(i + 1) +
                             (line < 4 ? "\r\n" : ""))
                                .c_str());
        auto object = std::make_unique<CDrawText>(CRect(20 + (i % 4) * 480, 20 + (i / 4) * 290, 0, 0), text);
        LOGFONT font = object->GetLogFont();
        font.lfHeight = -(8 + i % 5);
        font.lfWeight = i % 2 ? 700 : 400;
        object->SetLogFont(font);
        texts.push_back(std::move(object));
    }
    return texts;
}

// One round of ours: each text fitted and drawn.
void DrawOurs(CDC& dc, const std::vector<std::unique_ptr<CDrawText>>& texts) {
    for (const auto& text : texts) {
        text->FitToText(&dc, 1.0f);
        text->Draw(&dc, 0, 0, 1.0f);
    }
}

// One round of the peer: the same lines in the same fonts through QPainter.
void DrawPeer(QImage& page, const std::vector<std::unique_ptr<CDrawText>>& texts) {
    QPainter painter(&page);
    for (const auto& text : texts) {
        const LOGFONT& logFont = text->GetLogFont();
        QFont font("Arial");
        font.setPixelSize(-CDrawText::ScaledHeight(logFont.lfHeight, 1.0f));
        font.setWeight(logFont.lfWeight >= 700 ? QFont::Bold : QFont::Normal);
        painter.setFont(font);
        const QStringList lines = QString::fromUtf8(text->GetText().GetString()).split("\r\n");
        const int lineHeight = painter.fontMetrics().height();
        const CRect at = text->GetPosition();
        for (int i = 0; i < lines.size(); ++i)
            painter.drawText(QPoint(at.left, at.top + painter.fontMetrics().ascent() + i * lineHeight),
                             lines[i]);
    }
}

int TextBench() {
    const auto texts = Texts();
    QImage page(kFrameWidth, kFrameHeight, QImage::Format_RGB32);
    page.fill(Qt::white);
    CDC dc;
    dc.CreateImageDC(&page);
    QImage peerPage(kFrameWidth, kFrameHeight, QImage::Format_RGB32);
    peerPage.fill(Qt::white);
    // One untimed round of each first: the glyphs both draw are rasterised and cached once.
    DrawOurs(dc, texts);
    DrawPeer(peerPage, texts);

    double start = Now();
    for (int round = 0; round < kRounds; ++round)
        DrawOurs(dc, texts);
    const double ours = Now() - start;
    start = Now();
    for (int round = 0; round < kRounds; ++round)
        DrawPeer(peerPage, texts);
    const double peer = Now() - start;
    std::printf("ours=%.6f peer=%.6f\n", ours, peer);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "stencil" && argc > 2)
        return StencilBench(argv[2]);
    if (mode == "text")
        return TextBench();
    std::fprintf(stderr, "usage: page_bench stencil DIR | text\n");
    return 2;
}
