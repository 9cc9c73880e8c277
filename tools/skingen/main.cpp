// skingen: draws the program's skin bitmaps, writes the point tables the program includes, and makes
// the program icon, the cursors and the click sounds.
//
//   skingen --art DIR --header FILE --program DIR --version X.Y [--composites DIR]

#include "tools/skingen/BmpFile.h"
#include "tools/skingen/BrandArt.h"
#include "tools/skingen/BrowserArt.h"
#include "tools/skingen/Composite.h"
#include "tools/skingen/CurFile.h"
#include "tools/skingen/CursorArt.h"
#include "tools/skingen/HeaderWriter.h"
#include "tools/skingen/MailPreviewToolBarArt.h"
#include "tools/skingen/OutputFile.h"
#include "tools/skingen/ResManagerToolBarArt.h"
#include "tools/skingen/ResManagerArt.h"
#include "tools/skingen/SkinModel.h"
#include "tools/skingen/SkinRenderer.h"
#include "tools/skingen/SoundArt.h"
#include "tools/skingen/ThumbnailSampleArt.h"
#include "tools/skingen/WaveFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QStringList>
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <unistd.h>
#include <vector>

namespace {

struct Options {
    QString artFolder;
    QString headerPath;
    QString programFolder;
    QString compositeFolder;
    QString version;
};

bool ParseOptions(const QStringList& arguments, Options& options) {
    for (qsizetype i = 1; i + 1 < arguments.size(); i += 2) {
        const QString& name = arguments[i];
        const QString& value = arguments[i + 1];
        if (name == "--art") {
            options.artFolder = value;
        } else if (name == "--header") {
            options.headerPath = value;
        } else if (name == "--program") {
            options.programFolder = value;
        } else if (name == "--version") {
            options.version = value;
        } else if (name == "--composites") {
            options.compositeFolder = value;
        } else {
            return false;
        }
    }
    return arguments.size() % 2 == 1 && !options.artFolder.isEmpty() && !options.headerPath.isEmpty() &&
           !options.programFolder.isEmpty() && !options.version.isEmpty();
}

void WriteBitmap(const QString& folder, const SkinGen::RenderedBitmap& bitmap, QStringList& names) {
    SkinGen::WriteFileIfChanged(folder + "/" + QString::fromStdString(bitmap.name) + ".bmp",
                                SkinGen::EncodeBmp24(bitmap.image));
    names << QString::fromStdString(bitmap.name);
}

QByteArray Png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// The icon, the splash and about pictures, the cursors and the sounds.
void WriteProgramAssets(const Options& options) {
    using namespace SkinGen;
    WriteFileIfChanged(options.programFolder + "/vellumcraft.png", Png(ProgramIcon(256)));
    for (int side : {16, 32, 48, 256}) {
        WriteFileIfChanged(options.artFolder + QString("/icons/vellumcraft-%1.png").arg(side),
                           Png(ProgramIcon(side)));
    }
    WriteFileIfChanged(options.artFolder + "/splash.bmp", EncodeBmp24(SplashPicture(options.version)));
    WriteFileIfChanged(options.artFolder + "/about.bmp", EncodeBmp24(AboutPicture(options.version)));
    for (const CursorArt& cursor : DrawCursors()) {
        WriteFileIfChanged(options.programFolder + "/" + QString::fromStdString(cursor.fileName),
                           EncodeCursor(cursor.image, cursor.hotSpot));
    }
    for (const SoundArt& sound : MakeSounds()) {
        WriteFileIfChanged(options.programFolder + "/Sound/" + QString::fromStdString(sound.fileName),
                           EncodeWave(sound.samples, kSoundRate));
    }
}

// Knob at "Laden", normal mode on, everything else at rest.
size_t PreviewState(const SkinGen::SkinButton& button) {
    return button.tableName == "MainNormalMode" ? 2 : 0;
}

void SavePng(const QImage& image, const QString& path) {
    if (!image.save(path, "PNG")) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
}

void WriteComposites(const QString& folder, const std::vector<SkinGen::RenderedWindow>& windows) {
    using namespace SkinGen;
    QDir().mkpath(folder);
    std::vector<QImage> composites;
    for (const RenderedWindow& window : windows) {
        composites.push_back(CompositeWindow(window, PreviewState));
        if (!window.window->windowRegion.empty()) {
            composites.back() = ShapedWindow(composites.back(), window.window->windowRegion);
        }
        const QString name = QString::fromStdString(window.window->bitmapName).toLower();
        SavePng(composites.back(), folder + "/" + name + ".png");
        SavePng(StateSheet(window, 3), folder + "/" + name + "-states.png");
    }
    // The main window with the category panel in its place.
    QImage main = composites[0];
    {
        QPainter painter(&main);
        painter.drawImage(QPoint(0, 484), composites[1]);
    }
    SavePng(main, folder + "/skin-main.png");
}

void Run(const Options& options) {
    using namespace SkinGen;
    const std::vector<SkinWindow> windows = {MainWindowSkin(),  CategoryPanelSkin(), SettingsDialogSkin(),
                                             AlbumDialogSkin(), EffectsDialogSkin(), MovePadSkin(),
                                             ToolPanelSkin(),   InternetPanelSkin()};
    std::vector<RenderedWindow> rendered;
    QStringList names;
    for (const SkinWindow& window : windows) {
        rendered.push_back(RenderWindow(window));
        const RenderedWindow& art = rendered.back();
        WriteBitmap(options.artFolder, art.background, names);
        for (const RenderedButton& button : art.buttons) {
            for (const RenderedBitmap& state : button.states) {
                WriteBitmap(options.artFolder, state, names);
            }
        }
        for (const RenderedBitmap& extra : art.extras) {
            WriteBitmap(options.artFolder, extra, names);
        }
    }
    const std::vector<RenderedBitmap> numbered = {
        ThumbnailSampleBitmap(),
        {"165", BrowserTreeStrip(), QPoint(0, 0), kBrowserStripMask},
        ResManagerListStrip(),
        ResManagerTreeStrip()};
    for (const RenderedBitmap& bitmap : numbered) {
        WriteBitmap(options.artFolder, bitmap, names);
    }
    const std::vector<RenderedBitmap> toolBarStrips = {
        {"RES_MANAGER_TOOLBAR", ResManagerToolBarStrip(), QPoint(0, 0), kToolBarStripMask},
        {"RES_MANAGER_SORT_TOOLBAR", ResManagerSortToolBarStrip(), QPoint(0, 0), kToolBarStripMask},
        {"MAIL_PREVIEW_TOOLBAR", MailPreviewToolBarStrip(), QPoint(0, 0), kToolBarStripMask}};
    for (const RenderedBitmap& bitmap : toolBarStrips) {
        WriteBitmap(options.artFolder, bitmap, names);
    }
    WriteProgramAssets(options);
    // The header lists every bitmap the art folder holds, so the strips are probed as well.
    std::vector<RenderedBitmap> probed = numbered;
    probed.insert(probed.end(), toolBarStrips.begin(), toolBarStrips.end());
    WriteFileIfChanged(options.headerPath, SkinArtHeader(rendered, probed));
    // The resource module's cursors, by id, and their list.
    QStringList cursorIds;
    for (const CursorArt& cursor : DrawResourceCursors()) {
        const QString id = QString::fromStdString(cursor.fileName);
        WriteFileIfChanged(options.artFolder + "/cursors/" + id + ".cur",
                           EncodeCursor(cursor.image, cursor.hotSpot));
        cursorIds << id;
    }
    WriteFile(options.artFolder + "/cursors.txt", (cursorIds.join('\n') + '\n').toUtf8());
    if (!options.compositeFolder.isEmpty()) {
        WriteComposites(options.compositeFolder, rendered);
    }
    // The list of resource bitmaps, one name a line, written last: the resource module is packed from
    // it, and its time stamp tells the build that the art was drawn again.
    WriteFile(options.artFolder + "/bitmaps.txt", (names.join('\n') + '\n').toUtf8());
}

} // namespace

int main(int argc, char** argv) {
    // Fonts need a GUI application; no display is needed to draw into images. Qt also warns about a
    // missing runtime folder on build machines without a desktop session, so give it a private one.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::tempPath() + "/skingen-runtime-" + QString::number(getuid());
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime,
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    }
    QGuiApplication application(argc, argv);
    Options options;
    if (!ParseOptions(application.arguments(), options)) {
        std::fprintf(
            stderr,
            "usage: skingen --art DIR --header FILE --program DIR --version X.Y [--composites DIR]\n");
        return 2;
    }
    try {
        Run(options);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "skingen: %s\n", error.what());
        return 1;
    }
    return 0;
}
