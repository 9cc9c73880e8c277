// The files skingen puts into the program folder and beside the skin bitmaps: the drag cursors, the
// click sounds, the icon, the splash and about pictures. Each is read back by a real tool.

#include "tests/support/RunTool.h"
#include "tests/tools/SkinFiles.h"

#include <QFile>
#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>
#include <string>

namespace {

const QString kProgramFolder = QStringLiteral(VC_PROGRAM_DIR);
const QString kArtFolder = QStringLiteral(VC_SKIN_ART_DIR);

struct ToolRun {
    int exitCode;
    QString out;
    QString err;
};

ToolRun RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessEnvironment(ToolEnvironment());
    process.start(program, arguments);
    if (!process.waitForFinished(60000)) {
        return {-1, {}, QStringLiteral("did not finish")};
    }
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

const char* const kCursorNames[] = {"c1", "c2", "c4", "c5", "c6", "c7", "c8", "c9", "c10"};

QString CursorPath(const char* name) {
    return kProgramFolder + "/" + name + ".csr";
}

TEST(DragCursors, EveryCursorIsASingle32By32CursorWithItsHotSpotInside) {
    for (const char* name : kCursorNames) {
        SCOPED_TRACE(name);
        const QByteArray bytes = ReadAll(CursorPath(name));
        ASSERT_GE(bytes.size(), 22 + 40);
        EXPECT_EQ(Field<quint16>(bytes, 0), 0);
        EXPECT_EQ(Field<quint16>(bytes, 2), 2); // a cursor, not an icon
        EXPECT_EQ(Field<quint16>(bytes, 4), 1);
        EXPECT_EQ(static_cast<unsigned char>(bytes[6]), 32);
        EXPECT_EQ(static_cast<unsigned char>(bytes[7]), 32);
        EXPECT_LT(Field<quint16>(bytes, 10), 32); // hot spot x
        EXPECT_LT(Field<quint16>(bytes, 12), 32); // hot spot y
        const quint32 size = Field<quint32>(bytes, 14);
        const quint32 offset = Field<quint32>(bytes, 18);
        EXPECT_EQ(static_cast<qint64>(offset) + size, bytes.size());
        ASSERT_EQ(offset, 22u);
        EXPECT_EQ(Field<quint32>(bytes, 22), 40u);
        EXPECT_EQ(Field<qint32>(bytes, 26), 32);
        EXPECT_EQ(Field<qint32>(bytes, 30), 64); // colour bits and mask
        EXPECT_EQ(Field<quint16>(bytes, 36), 32);
    }
    EXPECT_FALSE(QFile::exists(kProgramFolder + "/c3.csr"));
}

TEST(DragCursors, GraphicsMagickReadsEveryCursor) {
    QStringList arguments{"identify", "-format", "%m %w %h\n"};
    for (const char* name : kCursorNames) {
        arguments << "cur:" + CursorPath(name);
    }
    const ToolRun gm = RunTool("gm", arguments);
    ASSERT_EQ(gm.exitCode, 0) << gm.err.toStdString();
    const QStringList lines = gm.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), static_cast<qsizetype>(std::size(kCursorNames)));
    for (const QString& line : lines) {
        EXPECT_EQ(line.toStdString(), "CUR 32 32");
    }
}

// Python's wave module reads every sound; each is short, mono 16-bit PCM, audible, not clipped, and
// starts and ends near silence so it does not click.
TEST(ClickSounds, EverySoundIsAShortCleanPcmWave) {
    const char* const names[] = {"tick",   "click",   "sweek", "blaetter", "info",
                                 "camera", "camera2", "dreh",  "quickcl",  "sfclick"};
    const QString script = QStringLiteral(R"(
import sys, wave, array
for path in sys.argv[1:]:
    with wave.open(path) as w:
        frames = array.array('h', w.readframes(w.getnframes()))
        peak = max(abs(s) for s in frames)
        print(w.getnchannels(), w.getsampwidth(), w.getcomptype(), w.getframerate(),
              int(1000 * w.getnframes() / w.getframerate()), peak, abs(frames[0]), abs(frames[-1]))
)");
    QStringList arguments{"-c", script};
    for (const char* name : names) {
        arguments << kProgramFolder + "/Sound/" + name + ".wav";
    }
    const ToolRun python = RunTool("/usr/bin/python3", arguments);
    ASSERT_EQ(python.exitCode, 0) << python.err.toStdString();
    const QStringList lines = python.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), static_cast<qsizetype>(std::size(names)));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(names[i]);
        const QStringList f = lines[i].split(' ');
        ASSERT_EQ(f.size(), 8);
        EXPECT_EQ(f[0], "1");
        EXPECT_EQ(f[1], "2");
        EXPECT_EQ(f[2], "NONE");
        EXPECT_GE(f[3].toInt(), 22050);
        EXPECT_GE(f[4].toInt(), 10);
        EXPECT_LE(f[4].toInt(), 500);
        EXPECT_GT(f[5].toInt(), 32767 / 5);
        EXPECT_LT(f[5].toInt(), 32767);
        EXPECT_LT(f[6].toInt(), 300);
        EXPECT_LT(f[7].toInt(), 300);
    }
}

TEST(ProgramPictures, IconSplashAndAboutHaveTheirSizes) {
    const std::pair<QString, std::string> pictures[] = {
        {kProgramFolder + "/vellumcraft.png", "PNG 256 256"},
        {kArtFolder + "/icons/vellumcraft-16.png", "PNG 16 16"},
        {kArtFolder + "/icons/vellumcraft-32.png", "PNG 32 32"},
        {kArtFolder + "/icons/vellumcraft-48.png", "PNG 48 48"},
        {kArtFolder + "/splash.bmp", "BMP 640 400"},
        // The about box takes the size of its picture.
        {kArtFolder + "/about.bmp", "BMP 550 579"},
    };
    for (const auto& [path, expected] : pictures) {
        const ToolRun gm = RunTool("gm", {"identify", "-format", "%m %w %h", path});
        ASSERT_EQ(gm.exitCode, 0) << path.toStdString() << gm.err.toStdString();
        EXPECT_EQ(gm.out.trimmed().toStdString(), expected) << path.toStdString();
    }
}

} // namespace
