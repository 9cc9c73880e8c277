#pragma once
// Draws a window description: the background, then every state of every button over the piece of
// background it covers, and picks for each control a probe pixel whose colour differs in each of its
// state bitmaps (and from the background under it), so a test can tell which bitmap is on screen.

#include "tools/skingen/SkinModel.h"

#include <QImage>
#include <string>
#include <vector>

namespace SkinGen {

struct RenderedBitmap {
    std::string name;
    QImage image;
    QPoint probe;
    QRgb probeColour = 0;
};

struct RenderedButton {
    const SkinButton* button = nullptr;
    std::vector<RenderedBitmap> states; // in the order of the button's states
};

struct RenderedWindow {
    const SkinWindow* window = nullptr;
    RenderedBitmap background;
    std::vector<RenderedButton> buttons;
    std::vector<RenderedBitmap> extras;
};

RenderedWindow RenderWindow(const SkinWindow& window);

// Which pixels of the button's bitmap its window region shows (shape less holes), row by row.
std::vector<bool> RegionMask(const SkinButton& button);

// The interior pixel of the control farthest from the edges of its shape, hit area and holes.
QPoint ChooseProbe(const SkinButton& button);

} // namespace SkinGen
