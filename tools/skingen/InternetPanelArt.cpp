// The internet panel (172 by 57): publish the page as a web page and send it by e-mail, each a key with
// its picture, and the close box, which shows the main window's CLOSE bitmaps.

#include "tools/skingen/Glyphs.h"
#include "tools/skingen/Painting.h"
#include "tools/skingen/Palette.h"
#include "tools/skingen/SkinModel.h"

namespace SkinGen {

namespace {

constexpr int kPanelWidth = 172;
constexpr int kPanelHeight = 57;
// The keys' windows: publish (26, 15)-(58, 46), e-mail (65, 15)-(90, 46); both share one outline.
const QRectF kPublishFace(0.5, 0.5, 32, 26);
const QRectF kEmailFace(0.5, 0.5, 24, 26);

void PaintPanelBackground(QPainter& p) {
    Paint::FillVertical(p, QRectF(0, 0, kPanelWidth, kPanelHeight), Palette::kChromeTop,
                        Palette::kChromeBottom);
    p.setPen(QPen(Palette::kEdgeDark, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, kPanelWidth - 1, kPanelHeight - 1));
    p.setPen(QPen(Palette::kEdgeLight, 1.0));
    p.drawRect(QRectF(1.5, 1.5, kPanelWidth - 3, kPanelHeight - 3));
    Paint::EngravedText(p, QRectF(96, 22, 58, 16), QStringLiteral("Internet"), 11, Palette::kAccentDark,
                        Qt::AlignLeft | Qt::AlignVCenter);
}

void PaintKeyFace(QPainter& p, const Face& f, const QRectF& face) {
    Paint::RaisedFace(p, Paint::Rounded(face, 4), f);
}

// A letter: its body and the flap's two edges meeting in the middle.
void DrawEnvelope(QPainter& p, const QRectF& box, const QColor& ink) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(ink, 1.3));
    p.setBrush(QColor(0xFF, 0xFF, 0xFB));
    p.drawRect(box);
    p.drawLine(box.topLeft(), QPointF(box.center().x(), box.center().y() + 1));
    p.drawLine(box.topRight(), QPointF(box.center().x(), box.center().y() + 1));
    p.restore();
}

} // namespace

SkinWindow InternetPanelSkin() {
    SkinWindow window;
    window.name = "Internet panel: client coordinates of each button";
    window.bitmapName = "INTERNET_WINDOW";
    window.size = QSize(kPanelWidth, kPanelHeight);
    window.probe = QPoint(160, 50);
    window.paintBackground = PaintPanelBackground;

    const Outline key{{1, 0}, {33, 0}, {33, 27}, {0, 27}, {0, 0}};
    window.buttons.push_back(MakeButton(
        "InternetPublish", PushStates("PUBLISH_WEB_BUTTON"), {26, 15}, key, {},
        [](QPainter& p, const Face& f) {
            PaintKeyFace(p, f, kPublishFace);
            DrawGlyph(p, Glyph::Globe, QRectF(8, 5.5 + (f.pressed ? 1 : 0), 17, 17), Paint::Ink(f));
        }));
    window.buttons.push_back(MakeButton(
        "InternetEmail", PushStates("EMAIL_BUTTON"), {65, 15}, key, {}, [](QPainter& p, const Face& f) {
            PaintKeyFace(p, f, kEmailFace);
            DrawEnvelope(p, QRectF(5.5, 8.5 + (f.pressed ? 1 : 0), 14, 10), Paint::Ink(f));
        }));
    return window;
}

} // namespace SkinGen
