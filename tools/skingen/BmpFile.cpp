#include "tools/skingen/BmpFile.h"

#include "platform/base/WinStructs.h"

#include <bit>

namespace SkinGen {

namespace {

// The headers are written as they lie in memory.
static_assert(std::endian::native == std::endian::little);

constexpr LONG kPixelsPerMetre = 3780; // 96 dots per inch

template <typename Record>
void Append(QByteArray& bytes, const Record& record) {
    bytes.append(reinterpret_cast<const char*>(&record), sizeof(record));
}

} // namespace

QByteArray EncodeBmp24(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const int width = rgb.width();
    const int height = rgb.height();
    const int stride = (width * 3 + 3) & ~3;
    const DWORD bitsSize = static_cast<DWORD>(stride) * static_cast<DWORD>(height);
    const DWORD bitsOffset = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);

    BITMAPFILEHEADER file{};
    file.bfType = kBitmapFileType;
    file.bfSize = bitsOffset + bitsSize;
    file.bfOffBits = bitsOffset;

    BITMAPINFOHEADER info{};
    info.biSize = sizeof(BITMAPINFOHEADER);
    info.biWidth = width;
    info.biHeight = height; // positive: the first row stored is the bottom one
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = bitsSize;
    info.biXPelsPerMeter = kPixelsPerMetre;
    info.biYPelsPerMeter = kPixelsPerMetre;

    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(file.bfSize));
    Append(bytes, file);
    Append(bytes, info);
    QByteArray row(stride, '\0');
    for (int y = height - 1; y >= 0; --y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            row[x * 3] = static_cast<char>(qBlue(pixels[x]));
            row[x * 3 + 1] = static_cast<char>(qGreen(pixels[x]));
            row[x * 3 + 2] = static_cast<char>(qRed(pixels[x]));
        }
        bytes.append(row);
    }
    return bytes;
}

} // namespace SkinGen
