#include "tools/libgen/ContactSheets.h"

#include "library/Clipart.h"
#include "page/DrawClipart.h"
#include "page/DrawRect.h"
#include "page/Template.h"
#include "page/TemplateList.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>
#include <algorithm>
#include <stdexcept>

namespace {

constexpr int kCell = 260;
constexpr int kPicture = 220;
constexpr int kCaption = 30;
constexpr int kColumns = 4;

struct Tile {
    QImage picture;
    QString caption;
};

// Transparent pictures lie on a chequered ground, so that their alpha shows.
void Chequer(QPainter& p, const QRect& area) {
    for (int y = area.top(); y < area.bottom(); y += 10) {
        for (int x = area.left(); x < area.right(); x += 10) {
            const bool dark = ((x - area.left()) / 10 + (y - area.top()) / 10) % 2;
            p.fillRect(QRect(x, y, 10, 10).intersected(area),
                       dark ? QColor(210, 210, 210) : QColor(240, 240, 240));
        }
    }
}

void WriteSheet(const std::vector<Tile>& tiles, const QString& title, const QString& path) {
    const int rows = (static_cast<int>(tiles.size()) + kColumns - 1) / kColumns;
    QImage sheet(kColumns * kCell, 50 + rows * (kCell + kCaption), QImage::Format_RGB888);
    sheet.fill(QColor(250, 250, 248));
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    QFont heading = p.font();
    heading.setPixelSize(22);
    heading.setBold(true);
    p.setFont(heading);
    p.setPen(QColor(40, 40, 40));
    p.drawText(QRect(0, 0, sheet.width(), 50), Qt::AlignCenter, title);
    QFont caption = p.font();
    caption.setPixelSize(15);
    caption.setBold(false);
    p.setFont(caption);
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        const int column = static_cast<int>(i) % kColumns, row = static_cast<int>(i) / kColumns;
        const QRect cell(column * kCell, 50 + row * (kCell + kCaption), kCell, kCell + kCaption);
        const QSize size = tiles[i].picture.size().scaled(kPicture, kPicture, Qt::KeepAspectRatio);
        const QRect place(cell.left() + (kCell - size.width()) / 2, cell.top() + (kCell - size.height()) / 2,
                          size.width(), size.height());
        if (tiles[i].picture.hasAlphaChannel())
            Chequer(p, place);
        p.drawImage(place, tiles[i].picture);
        p.setPen(QColor(170, 170, 170));
        p.setBrush(Qt::NoBrush);
        p.drawRect(place.adjusted(0, 0, -1, -1));
        p.setPen(QColor(40, 40, 40));
        p.drawText(QRect(cell.left(), cell.top() + kCell - 14, kCell, kCaption), Qt::AlignCenter,
                   tiles[i].caption);
    }
    p.end();
    if (!sheet.save(path))
        throw std::runtime_error("cannot write " + path.toStdString());
}

// The page of a template as the canvas shows it (turned for orientation 2): white paper, grey frames in
// their shapes and the placed clipart.
QImage DrawTemplate(const CTemplate& page, const QString& clipartFolder) {
    const CSize stored = page.GetPageSize();
    const bool turned = page.GetOrientation() != 1;
    const QSizeF shown = turned ? QSizeF(stored.cy, stored.cx) : QSizeF(stored.cx, stored.cy);
    const qreal scale = 600.0 / std::max(shown.width(), shown.height());
    QImage picture((shown * scale).toSize(), QImage::Format_RGB888);
    picture.fill(Qt::white);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.scale(scale, scale);
    CTemplate& objects = const_cast<CTemplate&>(page);
    for (POSITION pos = objects.GetObjectList().GetHeadPosition(); pos;) {
        CDrawObj* object = objects.GetObjectList().GetNext(pos);
        const CRect r = object->GetPosition();
        const QRectF box(r.left, r.top, r.Width(), r.Height());
        if (auto* clipart = dynamic_cast<CDrawClipart*>(object)) {
            const QImage art(clipartFolder +
                             QString::fromUtf8(clipart->GetClipart()->GetFilePath().GetString()));
            p.drawImage(box, art);
        } else if (auto* frame = dynamic_cast<CDrawRect*>(object)) {
            QPainterPath shape;
            if (frame->GetShape() == kShapeEllipse)
                shape.addEllipse(box);
            else if (frame->GetShape() == kShapeRoundRectangle)
                shape.addRoundedRect(box, frame->GetRoundness().x, frame->GetRoundness().y);
            else
                shape.addRect(box);
            p.setPen(QPen(QColor(120, 130, 150), 8));
            p.setBrush(QColor(200, 210, 225));
            p.drawPath(shape);
        }
    }
    p.setPen(QPen(QColor(150, 150, 150), 6));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(QPointF(0, 0), shown));
    return picture;
}

std::vector<Tile> TemplateTiles(const QString& templateFolder, const QString& clipartFolder) {
    QFile list(templateFolder + "/Templ.dat");
    if (!list.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + list.fileName().toStdString());
    std::vector<Tile> tiles;
    QTextStream lines(&list);
    while (!lines.atEnd()) {
        const QString line = lines.readLine();
        const std::vector<CString> fields = SplitTemplateListLine(CString(line.toUtf8().constData()));
        CTemplate page;
        const QString file =
            templateFolder + '/' + QString::fromUtf8(TemplateListField(fields, 4).GetString());
        if (ReadTemplateFile(CString(file.toUtf8().constData()), page) != TemplateFileRead::kRead)
            throw std::runtime_error("cannot read " + file.toStdString());
        tiles.push_back(
            {DrawTemplate(page, clipartFolder), QString::fromUtf8(TemplateListField(fields, 1).GetString())});
    }
    return tiles;
}

} // namespace

void WriteContactSheets(const std::vector<SheetKind>& kinds, const QString& templateFolder,
                        const QString& sheets) {
    if (!QDir().mkpath(sheets))
        throw std::runtime_error("cannot make " + sheets.toStdString());
    QString clipartFolder;
    for (const SheetKind& kind : kinds) {
        std::vector<Tile> tiles;
        QStringList titles;
        for (const LibraryAlbum& album : kind.albums) {
            titles << album.title;
            for (const LibraryItem& item : album.items)
                tiles.push_back({QImage(kind.folder + '/' + item.file), item.title});
        }
        if (kind.name == "cliparts")
            clipartFolder = kind.folder;
        WriteSheet(tiles, titles.join(" · "), sheets + '/' + kind.name + ".png");
    }
    WriteSheet(TemplateTiles(templateFolder, clipartFolder), "Vorlagen", sheets + "/vorlagen.png");
}
