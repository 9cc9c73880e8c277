// libgen draws the library that ships with the program and writes it as the program writes a user's
// library: the kinds' folders with their pictures, the albums' archives and "albums.dat", the print
// templates and "Templ.dat".
//   libgen --out <folder>     the folder is emptied first
#include "library/DSObjMgr.h"
#include "tools/libgen/AlbumWriter.h"
#include "tools/libgen/LibraryItems.h"
#include "tools/libgen/TemplateFiles.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <exception>

namespace {

void MakeLibrary(const QString& output) {
    QDir old(output);
    if (old.exists() && !old.removeRecursively())
        throw std::runtime_error("cannot empty " + output.toStdString());
    AlbumWriter albums(output);
    albums.WriteAlbums(kResTypePictures, WritePhotos(albums.KindFolder(kResTypePictures)));
    albums.WriteAlbums(kResTypeClipart, WriteCliparts(albums.KindFolder(kResTypeClipart)));
    albums.WriteAlbums(kResTypeFrames, WriteMats(albums.KindFolder(kResTypeFrames)));
    albums.WriteAlbums(kResTypeStencils, WriteStencils(albums.KindFolder(kResTypeStencils)));
    WriteTemplates(albums);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 || std::string_view(argv[1]) != "--out") {
        std::fprintf(stderr, "usage: libgen --out FOLDER\n");
        return 2;
    }
    // Zip entry times are local times: the same in every time zone.
    setenv("TZ", "UTC", 1);
    tzset();
    try {
        MakeLibrary(QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "libgen: %s\n", error.what());
        return 1;
    }
    return 0;
}
