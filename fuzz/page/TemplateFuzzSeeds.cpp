// Writes seed streams for the template fuzzer into the folder given: an empty page and one with every
// kind of drawing object.
#include "page/DrawClipart.h"
#include "page/DrawImage.h"
#include "page/DrawPoly.h"
#include "page/DrawText.h"
#include "page/Template.h"
#include "platform/base/Archive.h"
#include "platform/base/File.h"

#include <string>

namespace {

void Write(const CTemplate& page, const std::string& path) {
    CFile file;
    if (!file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite))
        return;
    CArchive ar(&file, CArchive::store);
    const_cast<CTemplate&>(page).Serialize(ar);
    ar.Close();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    const std::string folder = argv[1];
    CTemplate empty;
    empty.SetPageSize(CSize(2100, 2970));
    Write(empty, folder + "/empty.tpl");

    CTemplate full;
    full.SetStoredText("Vorlage");
    auto* ellipse = new CDrawRect(CRect(100, 100, 900, 700));
    ellipse->SetShape(kShapeEllipse);
    full.InsertObject(ellipse, -1);
    full.InsertObject(new CDrawRect(CRect(10, 10, 20, 20)), -1);
    auto* poly = new CDrawPoly(CRect(0, 0, 10, 10));
    const CPoint points[] = {{0, 0}, {10, 0}, {5, 10}};
    poly->SetPoints(points, 3);
    full.InsertObject(poly, -1);
    full.InsertObject(new CDrawImage(CRect(1000, 100, 1900, 800)), -1);
    full.InsertObject(new CDrawText(CRect(100, 900, 800, 1000), "Urlaub"), -1);
    full.InsertObject(new CDrawClipart(CRect(1000, 900, 1200, 1100)), -1);
    Write(full, folder + "/full.tpl");
    return 0;
}
