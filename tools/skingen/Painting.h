#pragma once
// Drawing helpers shared by every window of the skin: fonts, text, faces of buttons, wells, shadows.

#include "tools/skingen/SkinModel.h"

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QRectF>
#include <QString>

namespace SkinGen::Paint {

// Liberation Sans (what "Arial" resolves to) at a pixel size.
QFont Font(double pixelSize, bool bold = true);

void Text(QPainter& painter, const QRectF& box, const QString& text, double pixelSize, const QColor& color,
          int align = Qt::AlignCenter, bool bold = true);

// Text pressed into the chrome: a light copy one pixel lower under the ink.
void EngravedText(QPainter& painter, const QRectF& box, const QString& text, double pixelSize,
                  const QColor& color, int align = Qt::AlignCenter, bool bold = true);

void FillVertical(QPainter& painter, const QPainterPath& path, const QColor& top, const QColor& bottom);
void FillVertical(QPainter& painter, const QRectF& rect, const QColor& top, const QColor& bottom);

// A soft shadow of the path, blurred by about `blur` pixels.
void Shadow(QPainter& painter, const QPainterPath& path, QPointF offset, double blur, int alpha);

// A well sunk into the chrome: darker fill, shadow along the upper inside, light lower rim.
void Well(QPainter& painter, const QPainterPath& path, const QColor& fill);

// The body of a push button in the given state.
void RaisedFace(QPainter& painter, const QPainterPath& path, const Face& face);

// The colour of a glyph or label on a button in the given state.
QColor Ink(const Face& face);

// A small grey heading with a rule that runs on to the right end of the box.
void SectionCaption(QPainter& painter, const QRectF& box, const QString& text);

// A rounded rectangle path with its edges on half pixels, so one-pixel lines stay sharp.
QPainterPath Rounded(const QRectF& rect, double radius);

} // namespace SkinGen::Paint
