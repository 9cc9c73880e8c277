#include "tools/libgen/LibraryItems.h"
#include "tools/libgen/MaskFile.h"

#include <QFile>
#include <QImageWriter>
#include <stdexcept>

void SavePicture(const QImage& picture, const QString& path) {
    QImageWriter writer(path);
    if (path.endsWith(".jpg"))
        writer.setQuality(90);
    if (!writer.write(picture))
        throw std::runtime_error("cannot write " + path.toStdString() + ": " +
                                 writer.errorString().toStdString());
}

void SaveMaskBmp(const QImage& mask, const QString& path) {
    const int width = mask.width(), height = mask.height();
    const int stride = ((width + 31) / 32) * 4;
    constexpr int kHeaders = 14 + 40 + 8;
    QByteArray file(kHeaders + stride * height, '\0');
    auto put16 = [&file](int at, int value) {
        file[at] = static_cast<char>(value & 0xFF);
        file[at + 1] = static_cast<char>((value >> 8) & 0xFF);
    };
    auto put32 = [&](int at, int value) {
        put16(at, value & 0xFFFF);
        put16(at + 2, (value >> 16) & 0xFFFF);
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<int>(file.size()));
    put32(10, kHeaders);
    put32(14, 40);
    put32(18, width);
    put32(22, height);
    put16(26, 1);
    put16(28, 1);
    put32(34, stride * height);
    put32(38, 11811); // 300 dpi
    put32(42, 11811);
    put32(46, 2);
    put32(50, 2);
    // Colour 0 white, colour 1 black.
    for (int i = 0; i < 3; ++i)
        file[54 + i] = static_cast<char>(0xFF);
    for (int y = 0; y < height; ++y) {
        char* row = file.data() + kHeaders + (height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            if (qGray(mask.pixel(x, y)) < 128)
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
        }
    }
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(file) != file.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}
