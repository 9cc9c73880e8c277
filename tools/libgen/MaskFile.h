#pragma once
// The mats' ".msk" companion: a 1-bit BMP whose colour table is white, black.

#include <QImage>
#include <QString>

// Writes mask as a 1-bit BMP: pixels darker than middle grey black, the others white. Throws
// std::runtime_error when the file cannot be written.
void SaveMaskBmp(const QImage& mask, const QString& path);
