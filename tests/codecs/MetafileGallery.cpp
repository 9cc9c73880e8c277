// Every metafile fixture as the plug-in loads it, the picture beside its mask, with a German caption:
// metafile_gallery OUTPUT.png. For people to judge the drawing; the tests check it.

#include "MetafileFixtures.h"
#include "tests/support/GuiApplication.h"

#include <QImage>
#include <QPainter>
#include <cstdio>

namespace {

constexpr int kSide = 150;
constexpr int kGap = 12;
constexpr int kCaption = 24;
constexpr int kColumns = 3;
constexpr int kCellWidth = 2 * kSide + 3 * kGap;
constexpr int kCellHeight = kSide + kCaption + 2 * kGap;

QImage ImageOf(const CPictureInfo& picture) {
    const PixelGrid pixels = PixelsOf(picture);
    QImage image(picture.GetWidth(), picture.GetHeight(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, 0xFF000000 | pixels[y][x]);
    return image.scaled(kSide, kSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

struct Entry {
    const char* kind;
    const char* name;
    const char* sizes;
    const char* caption;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: metafile_gallery OUTPUT.png\n");
        return 2;
    }
    EnsureGuiApplication();
    const Entry entries[] = {
        {"wmf", "shapes", "", "WMF: Formen"},          {"wmf", "mapping", "", "WMF: Abbildung"},
        {"wmf", "bitmaps", "", "WMF: Bitmaps"},        {"wmf", "arcs", "", "WMF: Bögen"},
        {"wmf", "patterns", "", "WMF: Musterpinsel"},  {"wmf", "text", "", "WMF: Text"},
        {"wmf", "rotated", "", "WMF: gedrehter Text"}, {"emf", "shapes", "", "EMF: Formen"},
        {"emf", "sized", "400 200", "EMF: Teilfläche"}};
    const int count = static_cast<int>(std::size(entries));
    const int rows = (count + kColumns - 1) / kColumns;
    QImage page(kColumns * kCellWidth, rows * kCellHeight, QImage::Format_RGB32);
    page.fill(QColor(0x5A, 0x5F, 0x6A));
    QPainter painter(&page);
    painter.setPen(Qt::white);
    for (int i = 0; i < count; ++i) {
        const Entry& e = entries[i];
        const QPoint cell((i % kColumns) * kCellWidth, (i / kColumns) * kCellHeight);
        const std::string path = MetafileFixture(e.kind, e.name, e.sizes);
        const LoadedMetafile loaded = LoadMetafile(path);
        if (!loaded.picture || !loaded.mask) {
            std::fprintf(stderr, "%s.%s did not load\n", e.name, e.kind);
            return 1;
        }
        painter.drawImage(cell + QPoint(kGap, kGap), ImageOf(*loaded.picture));
        painter.drawImage(cell + QPoint(2 * kGap + kSide, kGap), ImageOf(*loaded.mask));
        painter.drawText(QRect(cell + QPoint(kGap, kSide + kGap), QSize(2 * kSide + kGap, kCaption)),
                         Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(e.caption) + "  (Bild, Maske)");
    }
    painter.end();
    return page.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
