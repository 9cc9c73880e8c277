#include "tools/libgen/TemplateFiles.h"

#include "library/Clipart.h"
#include "library/DSObjMgr.h"
#include "page/DrawClipart.h"
#include "page/DrawRect.h"
#include "page/Template.h"
#include "platform/base/Archive.h"
#include "platform/base/Exception.h"
#include "platform/base/File.h"
#include "tools/libgen/AlbumWriter.h"

#include <QFile>
#include <stdexcept>
#include <vector>

namespace {

// Paper numbers of the printer's paper list.
constexpr short kPaperA4 = 9;
constexpr short kPaperA5 = 11;
constexpr short kPaperA6 = 70;
constexpr short kPaperOther = 0;
constexpr int kUpright = 1;
constexpr int kLandscape = 2;
constexpr CPoint kRoundness(120, 120);

// A picture frame in tenths of a millimetre on the page as it is shown.
struct Frame {
    CRect rect;
    int shape = kShapeRectangle;
};

struct PlacedClipart {
    CRect rect;
    const char* file;
    const char* title;
};

struct TemplatePlan {
    const char* title;
    const char* paper;
    short paperNumber;
    CSize upright; // the page's size standing, in tenths of a millimetre
    bool landscape;
    const char* file;
    const char* group;
    const char* sentence;
    std::vector<Frame> frames;
    std::vector<PlacedClipart> cliparts;
};

Frame Round(const CRect& rect) {
    return {rect, kShapeRoundRectangle};
}

Frame Oval(const CRect& rect) {
    return {rect, kShapeEllipse};
}

std::vector<TemplatePlan> Templates() {
    const CSize a4(2100, 2970), a5(1480, 2100), a6(1050, 1480);
    return {
        {"A4 hoch – ein Bild",
         "A4",
         kPaperA4,
         a4,
         false,
         "a4_hoch_ein_bild.tpl",
         "Einzelbilder",
         "Ein Bild auf einer stehenden A4-Seite mit 15 mm Rand.",
         {{CRect(150, 150, 1950, 2820)}},
         {}},
        {"A4 quer – ein Bild",
         "A4",
         kPaperA4,
         a4,
         true,
         "a4_quer_ein_bild.tpl",
         "Einzelbilder",
         "Ein Bild auf einer liegenden A4-Seite mit 15 mm Rand.",
         {{CRect(150, 150, 2820, 1950)}},
         {}},
        {"10 × 15 cm randlos",
         "10 × 15 cm",
         kPaperOther,
         CSize(1000, 1500),
         true,
         "10x15_randlos.tpl",
         "Einzelbilder",
         "Ein Fotoabzug im Format 10 × 15 cm ohne Rand.",
         {{CRect(0, 0, 1500, 1000)}},
         {}},
        {"13 × 18 cm mit Rand",
         "13 × 18 cm",
         kPaperOther,
         CSize(1300, 1800),
         false,
         "13x18_mit_rand.tpl",
         "Einzelbilder",
         "Ein Fotoabzug im Format 13 × 18 cm mit weißem Rand.",
         {{CRect(100, 100, 1200, 1700)}},
         {}},
        {"A4 – zwei Bilder",
         "A4",
         kPaperA4,
         a4,
         false,
         "a4_zwei_bilder.tpl",
         "Collagen",
         "Zwei Bilder übereinander auf einer A4-Seite.",
         {{CRect(150, 150, 1950, 1440)}, {CRect(150, 1530, 1950, 2820)}},
         {}},
        {"A4 – vier Bilder",
         "A4",
         kPaperA4,
         a4,
         false,
         "a4_vier_bilder.tpl",
         "Collagen",
         "Vier Bilder mit runden Ecken auf einer A4-Seite.",
         {Round(CRect(150, 150, 1020, 1455)), Round(CRect(1080, 150, 1950, 1455)),
          Round(CRect(150, 1515, 1020, 2820)), Round(CRect(1080, 1515, 1950, 2820))},
         {}},
        {"A4 – sechs Bilder",
         "A4",
         kPaperA4,
         a4,
         false,
         "a4_sechs_bilder.tpl",
         "Collagen",
         "Sechs gleich große Bilder auf einer A4-Seite.",
         {{CRect(150, 150, 1020, 1000)},
          {CRect(1080, 150, 1950, 1000)},
          {CRect(150, 1060, 1020, 1910)},
          {CRect(1080, 1060, 1950, 1910)},
          {CRect(150, 1970, 1020, 2820)},
          {CRect(1080, 1970, 1950, 2820)}},
         {}},
        {"A4 – Mosaik",
         "A4",
         kPaperA4,
         a4,
         false,
         "a4_mosaik.tpl",
         "Collagen",
         "Ein großes Bild und vier kleine in Rechteck, Oval und runden Ecken.",
         {{CRect(150, 150, 1950, 1350)},
          Oval(CRect(150, 1450, 1000, 2150)),
          Round(CRect(1100, 1450, 1950, 2150)),
          {CRect(150, 2250, 1000, 2820)},
          {CRect(1100, 2250, 1950, 2820)}},
         {}},
        {"Postkarte A6",
         "A6",
         kPaperA6,
         a6,
         true,
         "postkarte_a6.tpl",
         "Karten",
         "Eine Postkarte mit einem Bild und Platz für Grüße.",
         {{CRect(80, 80, 900, 970)}},
         {{CRect(1050, 110, 1380, 440), "stern.png", "Stern"}}},
        {"Glückwunschkarte A5",
         "A5",
         kPaperA5,
         a5,
         false,
         "glueckwunschkarte_a5.tpl",
         "Karten",
         "Eine Glückwunschkarte mit einem Bild, einer Blume und einem Herz.",
         {Round(CRect(140, 140, 1340, 1500))},
         {{CRect(240, 1600, 640, 2000), "blume.png", "Blume"},
          {CRect(840, 1600, 1240, 2000), "herz.png", "Herz"}}},
        {"Einladung A5 quer",
         "A5",
         kPaperA5,
         a5,
         true,
         "einladung_a5_quer.tpl",
         "Karten",
         "Eine Einladung mit zwei Bildern und bunten Luftballons.",
         {{CRect(100, 100, 1000, 1380)}, Oval(CRect(1150, 100, 2000, 880))},
         {{CRect(1400, 940, 1720, 1332), "luftballons.png", "Luftballons"}}},
        {"Weihnachtskarte A6",
         "A6",
         kPaperA6,
         a6,
         false,
         "weihnachtskarte_a6.tpl",
         "Karten",
         "Eine Weihnachtskarte mit einem ovalen Bild, einem Tannenbaum und Sternen.",
         {Oval(CRect(125, 120, 925, 920))},
         {{CRect(345, 990, 705, 1413), "tannenbaum.png", "Tannenbaum"},
          {CRect(110, 1060, 290, 1240), "stern.png", "Stern"},
          {CRect(760, 1060, 940, 1240), "stern.png", "Stern"}}},
    };
}

void WriteTemplateFile(const TemplatePlan& plan, const AlbumWriter& albums, const QString& path) {
    CTemplate page;
    page.SetPageSize(plan.upright);
    page.SetOrientation(plan.landscape ? kLandscape : kUpright);
    page.SetPaperNumber(plan.paperNumber);
    for (const Frame& frame : plan.frames) {
        auto* object = new CDrawRect(frame.rect);
        object->SetShape(frame.shape);
        if (frame.shape == kShapeRoundRectangle)
            object->SetRoundness(kRoundness);
        page.GetObjectList().AddTail(object);
    }
    for (const PlacedClipart& placed : plan.cliparts) {
        CDSObj* entry = albums.NewEntry(kResTypeClipart, {placed.file, QString::fromUtf8(placed.title)});
        page.GetObjectList().AddTail(new CDrawClipart(placed.rect, static_cast<CClipart*>(entry)));
    }
    try {
        CFile file(path.toLocal8Bit().constData(), CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        page.Serialize(ar);
        ar.Close();
    } catch (CException* error) {
        error->Delete();
        throw std::runtime_error("cannot write " + path.toStdString());
    }
}

QString ListLine(const TemplatePlan& plan) {
    const CSize shown = plan.landscape ? CSize(plan.upright.cy, plan.upright.cx) : plan.upright;
    const QStringList fields = {
        QString::fromUtf8(plan.title),
        QString::fromUtf8(plan.paper),
        plan.landscape ? "Querformat" : "Hochformat",
        plan.file,
        QString::number(plan.frames.size()),
        "Vellumcraft",
        plan.group,
        QString::fromUtf8("%1 × %2 mm").arg(shown.cx / 10).arg(shown.cy / 10),
        QString::fromUtf8(plan.sentence),
    };
    return fields.join(';');
}

} // namespace

void WriteTemplates(const AlbumWriter& albums) {
    const QString folder = albums.KindFolder(kResTypePrintTemplates);
    QByteArray list;
    for (const TemplatePlan& plan : Templates()) {
        WriteTemplateFile(plan, albums, folder + '/' + plan.file);
        list += ListLine(plan).toUtf8() + '\n';
    }
    QFile file(folder + "/Templ.dat");
    if (!file.open(QIODevice::WriteOnly) || file.write(list) != list.size())
        throw std::runtime_error("cannot write " + file.fileName().toStdString());
}
