#include "tools/skingen/Painting.h"
#include "tools/skingen/Palette.h"
#include "tools/skingen/SkinModel.h"
namespace SkinGen {
SkinWindow AlbumDialogSkin() {
    SkinWindow window;
    window.name = "AlbumDialog";
    window.bitmapName = "ALBUM_WND";
    window.size = QSize(800, 600);
    window.probe = QPoint(5, 5);
    window.paintBackground = [](QPainter& p) {
        Paint::FillVertical(p, QRectF(0, 0, 800, 600), Palette::kConsoleTop, Palette::kConsoleBottom);
    };
    return window;
}
} // namespace SkinGen
