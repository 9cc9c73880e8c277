// An album is drawn as a bound book with a photo on its cover; the open one shows two pages.

#include "tools/skingen/ResManagerArt.h"

#include "tools/skingen/Palette.h"

#include <QPainter>
#include <algorithm>

namespace SkinGen {

namespace {

// Painted without antialiasing: a blended edge would mix with magenta and show as a pink fringe.
QImage MaskedStrip(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kResManagerMask);
    return image;
}

// A closed album filling box: a cover with a spine and a small picture.
void ClosedAlbum(QPainter& p, const QRect& box) {
    p.setPen(Palette::kAccentDark);
    p.setBrush(Palette::kAccent);
    p.drawRect(box.adjusted(0, 0, -1, -1));
    const int spine = std::max(2, box.width() / 6);
    p.fillRect(QRect(box.left() + 1, box.top() + 1, spine, box.height() - 2), Palette::kAccentDark);
    const QRect photo(box.left() + spine + box.width() / 6, box.top() + box.height() / 4,
                      box.width() - spine - box.width() / 3, box.height() / 2);
    p.fillRect(photo, QColor(0xFF, 0xFF, 0xFB));
    p.fillRect(photo.adjusted(1, 1, -1, -photo.height() / 2), Palette::kAccentLight);
    p.fillRect(photo.adjusted(1, photo.height() / 2, -1, -1), Palette::kWarm);
}

// An open album: two pale pages on the cover, a photo on the right one.
void OpenAlbum(QPainter& p, const QRect& box) {
    p.setPen(Palette::kAccentDark);
    p.setBrush(Palette::kAccent);
    p.drawRect(box.adjusted(0, 2, -1, -1));
    const int middle = box.left() + box.width() / 2;
    p.setPen(Palette::kInkSoft);
    p.setBrush(QColor(0xFF, 0xFF, 0xFB));
    p.drawRect(QRect(box.left() + 1, box.top(), middle - box.left() - 2, box.height() - 3));
    p.drawRect(QRect(middle, box.top(), box.right() - middle - 1, box.height() - 3));
    p.fillRect(QRect(middle + 2, box.top() + 3, box.right() - middle - 5, box.height() / 3), Palette::kWarm);
}

} // namespace

RenderedBitmap ResManagerListStrip() {
    QImage image = MaskedStrip(32, 32);
    QPainter p(&image);
    ClosedAlbum(p, QRect(4, 2, 24, 28));
    p.end();
    return {"RES_MANAGER_LIST", image, QPoint(0, 0), kResManagerMask};
}

RenderedBitmap ResManagerTreeStrip() {
    QImage image = MaskedStrip(32, 16);
    QPainter p(&image);
    ClosedAlbum(p, QRect(2, 1, 12, 14));
    OpenAlbum(p, QRect(16, 2, 16, 13));
    p.end();
    return {"RES_MANAGER_TREE", image, QPoint(0, 0), kResManagerMask};
}

} // namespace SkinGen
