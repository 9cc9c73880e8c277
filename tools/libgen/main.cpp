// libgen draws the library that ships with the program and writes it as the program writes a user's
// library: the kinds' folders with their pictures, the albums' archives and "albums.dat", the print
// templates and "Templ.dat".
//   libgen --out <folder> [--sheets <folder>]
// The output folder is emptied first; with --sheets it also draws a contact sheet per kind there.
#include "library/DSObjMgr.h"
#include "tools/libgen/AlbumWriter.h"
#include "tools/libgen/ContactSheets.h"
#include "tools/libgen/LibraryItems.h"
#include "tools/libgen/TemplateFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <exception>
#include <memory>
#include <string_view>
#include <unistd.h>

namespace {

std::vector<SheetKind> MakeLibrary(const QString& output) {
    QDir old(output);
    if (old.exists() && !old.removeRecursively())
        throw std::runtime_error("cannot empty " + output.toStdString());
    AlbumWriter albums(output);
    std::vector<SheetKind> kinds = {
        {"bilder", albums.KindFolder(kResTypePictures), WritePhotos(albums.KindFolder(kResTypePictures))},
        {"cliparts", albums.KindFolder(kResTypeClipart), WriteCliparts(albums.KindFolder(kResTypeClipart))},
        {"rahmen", albums.KindFolder(kResTypeFrames), WriteMats(albums.KindFolder(kResTypeFrames))},
        {"schablonen", albums.KindFolder(kResTypeStencils),
         WriteStencils(albums.KindFolder(kResTypeStencils))},
    };
    albums.WriteAlbums(kResTypePictures, kinds[0].albums);
    albums.WriteAlbums(kResTypeClipart, kinds[1].albums);
    albums.WriteAlbums(kResTypeFrames, kinds[2].albums);
    albums.WriteAlbums(kResTypeStencils, kinds[3].albums);
    WriteTemplates(albums);
    return kinds;
}

// Captions need fonts, and fonts a GUI application; no display is needed to draw into images.
std::unique_ptr<QGuiApplication> FontApplication(int& argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::tempPath() + "/libgen-runtime-" + QString::number(getuid());
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime,
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    }
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

int main(int argc, char** argv) {
    const bool sheets = argc == 5 && std::string_view(argv[3]) == "--sheets";
    if ((argc != 3 && !sheets) || std::string_view(argv[1]) != "--out") {
        std::fprintf(stderr, "usage: libgen --out FOLDER [--sheets FOLDER]\n");
        return 2;
    }
    // Zip entry times are local times: the same in every time zone.
    setenv("TZ", "UTC", 1);
    tzset();
    const QString output = QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath();
    try {
        const std::unique_ptr<QGuiApplication> application = sheets ? FontApplication(argc, argv) : nullptr;
        const std::vector<SheetKind> kinds = MakeLibrary(output);
        if (sheets)
            WriteContactSheets(kinds, output + "/Vorlagen",
                               QFileInfo(QString::fromLocal8Bit(argv[4])).absoluteFilePath());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "libgen: %s\n", error.what());
        return 1;
    }
    return 0;
}
