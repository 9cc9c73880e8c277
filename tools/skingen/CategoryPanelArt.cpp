#include "tools/skingen/Painting.h"
#include "tools/skingen/Palette.h"
#include "tools/skingen/SkinModel.h"
namespace SkinGen {
SkinWindow CategoryPanelSkin() {
    SkinWindow window;
    window.name = "CategoryPanel";
    window.bitmapName = "CATEG_WND";
    window.size = QSize(800, 116);
    window.probe = QPoint(5, 5);
    window.paintBackground = [](QPainter& p) {
        Paint::FillVertical(p, QRectF(0, 0, 800, 116), Palette::kConsoleTop, Palette::kConsoleBottom);
    };
    return window;
}
} // namespace SkinGen
