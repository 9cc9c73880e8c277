#pragma once
// Windows cursor files (.cur): one 32-bit image with its AND mask and a hot spot.

#include <QByteArray>
#include <QImage>
#include <QPoint>

namespace SkinGen {

// The image must be square, at most 256 pixels; fully transparent pixels become transparent in the mask.
QByteArray EncodeCursor(const QImage& image, QPoint hotSpot);

} // namespace SkinGen
