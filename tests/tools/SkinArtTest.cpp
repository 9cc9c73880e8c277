// The skin art drawn by skingen at build time: bitmap files in the layout the resource module packs,
// the sizes the windows need, and the probe pixels the generated header promises.

#include "skinart/SkinArt.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStringList>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

const QString kArtFolder = QStringLiteral(VC_SKIN_ART_DIR);

QString BitmapPath(const char* name) {
    return kArtFolder + "/" + QString::fromUtf8(name) + ".bmp";
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

template <typename T>
T Field(const QByteArray& bytes, int offset) {
    T value{};
    std::memcpy(&value, bytes.constData() + offset, sizeof(T));
    return value;
}

TEST(SkinArtFiles, EveryBitmapIsA24BitBottomUpBmpOfItsListedSize) {
    for (const SkinArt::BitmapProbe& bitmap : SkinArt::kBitmaps) {
        SCOPED_TRACE(bitmap.name);
        const QByteArray bytes = ReadAll(BitmapPath(bitmap.name));
        ASSERT_GE(bytes.size(), 54);
        EXPECT_EQ(bytes.left(2), QByteArray("BM"));
        EXPECT_EQ(Field<quint32>(bytes, 2), static_cast<quint32>(bytes.size()));
        EXPECT_EQ(Field<quint32>(bytes, 10), 54u); // no palette between header and bits
        EXPECT_EQ(Field<quint32>(bytes, 14), 40u);
        EXPECT_EQ(Field<qint32>(bytes, 18), bitmap.width);
        EXPECT_EQ(Field<qint32>(bytes, 22), bitmap.height); // positive: bottom-up
        EXPECT_EQ(Field<quint16>(bytes, 26), 1);
        EXPECT_EQ(Field<quint16>(bytes, 28), 24);
        EXPECT_EQ(Field<quint32>(bytes, 30), 0u);
        const int stride = (bitmap.width * 3 + 3) & ~3;
        EXPECT_EQ(bytes.size(), 54 + stride * bitmap.height);
    }
}

TEST(SkinArtFiles, GraphicsMagickReadsEveryBitmapAtItsSize) {
    QStringList arguments{"identify", "-format", "%w %h\n"};
    for (const SkinArt::BitmapProbe& bitmap : SkinArt::kBitmaps) {
        arguments << BitmapPath(bitmap.name);
    }
    QProcess gm;
    gm.start("gm", arguments);
    ASSERT_TRUE(gm.waitForFinished(60000));
    ASSERT_EQ(gm.exitCode(), 0) << gm.readAllStandardError().toStdString();
    const QStringList sizes = QString::fromUtf8(gm.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(sizes.size(), static_cast<qsizetype>(std::size(SkinArt::kBitmaps)));
    for (size_t i = 0; i < std::size(SkinArt::kBitmaps); ++i) {
        const SkinArt::BitmapProbe& bitmap = SkinArt::kBitmaps[i];
        EXPECT_EQ(sizes[static_cast<qsizetype>(i)].toStdString(),
                  std::to_string(bitmap.width) + " " + std::to_string(bitmap.height))
            << bitmap.name;
    }
}

TEST(SkinArtFiles, TheNameListNamesEveryBitmapOnce) {
    const QStringList listed =
        QString::fromUtf8(ReadAll(kArtFolder + "/bitmaps.txt")).split('\n', Qt::SkipEmptyParts);
    QStringList expected;
    for (const SkinArt::BitmapProbe& bitmap : SkinArt::kBitmaps) {
        expected << QString::fromUtf8(bitmap.name);
    }
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(QStringList(listed).removeDuplicates(), 0);
}

struct WindowSize {
    const char* name;
    int width;
    int height;
};

TEST(SkinArtSizes, BackgroundsHaveTheirWindowsSizes) {
    const WindowSize sizes[] = {
        {"MAIN_WND", 800, 600},
        {"CATEG_WND", 800, 116},
        {"EINSTELLUNGEN_WND", 527, 410},
        {"ALBUM_WND", 800, 600},
    };
    for (const WindowSize& size : sizes) {
        const SkinArt::BitmapProbe* bitmap = SkinArt::FindBitmap(size.name);
        ASSERT_NE(bitmap, nullptr) << size.name;
        EXPECT_EQ(bitmap->width, size.width) << size.name;
        EXPECT_EQ(bitmap->height, size.height) << size.name;
    }
}

TEST(SkinArtProbes, EachBitmapShowsItsProbeColourAtItsProbePoint) {
    for (const SkinArt::BitmapProbe& bitmap : SkinArt::kBitmaps) {
        SCOPED_TRACE(bitmap.name);
        const QImage image(BitmapPath(bitmap.name));
        ASSERT_FALSE(image.isNull());
        ASSERT_TRUE(image.rect().contains(bitmap.probe.x, bitmap.probe.y));
        const QRgb pixel = image.pixel(bitmap.probe.x, bitmap.probe.y);
        EXPECT_EQ(RGB(qRed(pixel), qGreen(pixel), qBlue(pixel)), bitmap.colour);
    }
}

} // namespace
