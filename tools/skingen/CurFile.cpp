#include "tools/skingen/CurFile.h"

#include "platform/base/WinStructs.h"

#include <bit>
#include <stdexcept>

namespace SkinGen {

namespace {

static_assert(std::endian::native == std::endian::little);

constexpr WORD kCursorResourceType = 2;  // 1 would be an icon
constexpr DWORD kDirectorySize = 6 + 16; // ICONDIR and one ICONDIRENTRY

void AppendWord(QByteArray& bytes, WORD value) {
    bytes.append(reinterpret_cast<const char*>(&value), sizeof(value));
}

void AppendDword(QByteArray& bytes, DWORD value) {
    bytes.append(reinterpret_cast<const char*>(&value), sizeof(value));
}

} // namespace

QByteArray EncodeCursor(const QImage& source, QPoint hotSpot) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int side = image.width();
    if (side != image.height() || side < 1 || side > 256) {
        throw std::runtime_error("a cursor image must be square and at most 256 pixels");
    }
    const DWORD maskStride = static_cast<DWORD>(((side + 31) / 32) * 4);
    const DWORD colourSize = static_cast<DWORD>(side * side * 4);
    const DWORD imageSize = sizeof(BITMAPINFOHEADER) + colourSize + maskStride * static_cast<DWORD>(side);

    QByteArray bytes;
    // ICONDIR
    AppendWord(bytes, 0);
    AppendWord(bytes, kCursorResourceType);
    AppendWord(bytes, 1);
    // ICONDIRENTRY: a size of 256 is stored as 0; for cursors the two WORDs after the colour count and
    // the reserved byte hold the hot spot.
    bytes.append(static_cast<char>(side & 0xFF));
    bytes.append(static_cast<char>(side & 0xFF));
    bytes.append('\0');
    bytes.append('\0');
    AppendWord(bytes, static_cast<WORD>(hotSpot.x()));
    AppendWord(bytes, static_cast<WORD>(hotSpot.y()));
    AppendDword(bytes, imageSize);
    AppendDword(bytes, kDirectorySize);

    BITMAPINFOHEADER info{};
    info.biSize = sizeof(BITMAPINFOHEADER);
    info.biWidth = side;
    info.biHeight = side * 2; // the colour bits and the mask, one above the other
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    info.biSizeImage = colourSize + maskStride * static_cast<DWORD>(side);
    bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));

    for (int y = side - 1; y >= 0; --y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < side; ++x) {
            bytes.append(static_cast<char>(qBlue(pixels[x])));
            bytes.append(static_cast<char>(qGreen(pixels[x])));
            bytes.append(static_cast<char>(qRed(pixels[x])));
            bytes.append(static_cast<char>(qAlpha(pixels[x])));
        }
    }
    for (int y = side - 1; y >= 0; --y) {
        QByteArray row(static_cast<qsizetype>(maskStride), '\0');
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < side; ++x) {
            if (qAlpha(pixels[x]) == 0) {
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
            }
        }
        bytes.append(row);
    }
    return bytes;
}

} // namespace SkinGen
