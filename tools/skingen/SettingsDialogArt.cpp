#include "tools/skingen/Painting.h"
#include "tools/skingen/Palette.h"
#include "tools/skingen/SkinModel.h"
namespace SkinGen {
SkinWindow SettingsDialogSkin() {
    SkinWindow window;
    window.name = "SettingsDialog";
    window.bitmapName = "EINSTELLUNGEN_WND";
    window.size = QSize(527, 410);
    window.probe = QPoint(5, 5);
    window.paintBackground = [](QPainter& p) {
        Paint::FillVertical(p, QRectF(0, 0, 527, 410), Palette::kConsoleTop, Palette::kConsoleBottom);
    };
    return window;
}
} // namespace SkinGen
