#pragma once
// The page canvas's drag cursors, c1.csr, c2.csr and c4.csr to c10.csr (there is no c3), and the cursors
// that the resource module carries by id.

#include <QImage>
#include <QPoint>
#include <string>
#include <vector>

namespace SkinGen {

struct CursorArt {
    std::string fileName;
    QImage image;
    QPoint hotSpot;
};

std::vector<CursorArt> DrawCursors();

// The resource module's cursors; the file name is the id ("1001").
std::vector<CursorArt> DrawResourceCursors();

} // namespace SkinGen
