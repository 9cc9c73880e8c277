#pragma once
// The small pictures on the buttons, drawn as vector shapes on a 24 by 24 grid and scaled to the box.

#include <QColor>
#include <QPainter>
#include <QRectF>

namespace SkinGen {

enum class Glyph {
    Printer,
    Folder,
    Effects,
    Gear,
    Pencil,
    Photo,
    Globe,
    Library,
    Grayscale,
    Colors256,
    TrueColors,
    TwoColors,
    Sun,
    Drop,
    Contrast,
    Sharpness,
    Gamma,
    Rotate,
    Mirror,
    Move,
    Merge,
    Original,
    Text,
    Minimize,
    Close,
    Undo,
    Info,
    First,
    Prev,
    Next,
    Last,
    Check,
    Cross,
    Speaker,
    Crosshair,
    Plus,
};

// `muted` draws the coloured parts of a glyph in greys, for the disabled look.
void DrawGlyph(QPainter& painter, Glyph glyph, const QRectF& box, const QColor& ink, bool muted = false);

} // namespace SkinGen
