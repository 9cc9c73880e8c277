#pragma once
// Skin bitmaps as the resource module stores them: Windows BMP files, 24 bits per pixel, rows
// bottom-up and padded to four bytes, a 14-byte file header and a 40-byte info header, no palette.

#include <QByteArray>
#include <QImage>

namespace SkinGen {

QByteArray EncodeBmp24(const QImage& image);

} // namespace SkinGen
