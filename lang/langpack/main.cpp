// langpack: turns the sources of a language module into a folder that rcc packs, and copies the splash
// and about pictures.
//
//   langpack module --out STAGE [--strings FILE] [--dialogs DIR] [--menus DIR] [--toolbars DIR]
//                   [--accelerators DIR] [--art DIR --required FILE]
//       writes STAGE/module.qrc, the resources under STAGE/files and their manifest
//   langpack picture --out FILE --from BMP --placeholder WIDTHxHEIGHT
//       copies the BMP file, or writes a plain picture of that size while there is none

#include "image/PictureInfo.h"
#include "lang/langpack/ModuleEntries.h"
#include "platform/base/ResourceFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QStringList>
#include <cstdio>
#include <cstring>
#include <exception>
#include <stdexcept>

namespace {

using LangPack::Entries;

void WriteFile(const QString& path, const QByteArray& contents) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(contents) != contents.size()) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
}

QByteArray Bytes(const std::vector<BYTE>& data) {
    return QByteArray(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size()));
}

// The stage is made anew each time, so a resource removed from the sources leaves the module too.
void WriteStage(const QString& stage, const Entries& entries) {
    QDir(stage).removeRecursively();
    QByteArray qrc = "<!DOCTYPE RCC><RCC version=\"1.0\">\n<qresource prefix=\"/\">\n";
    for (const auto& [path, contents] : entries) {
        WriteFile(stage + "/files/" + QString::fromStdString(path), Bytes(contents));
        qrc += "<file alias=\"" + QByteArray::fromStdString(path) + "\">files/" +
               QByteArray::fromStdString(path) + "</file>\n";
    }
    WriteFile(stage + "/files/" + kResourceManifestPath,
              QByteArray::fromStdString(MakeResourceManifest(entries)));
    qrc += QByteArray("<file alias=\"") + kResourceManifestPath + "\">files/" + kResourceManifestPath +
           "</file>\n";
    qrc += "</qresource>\n</RCC>\n";
    WriteFile(stage + "/module.qrc", qrc);
}

void PackModule(const QMap<QString, QString>& options) {
    Entries entries;
    if (options.contains("--strings")) {
        LangPack::AddStringTable(options["--strings"], entries);
    }
    if (options.contains("--dialogs")) {
        LangPack::AddDialogTemplates(options["--dialogs"], entries);
    }
    if (options.contains("--menus")) {
        LangPack::AddMenuTemplates(options["--menus"], entries);
    }
    if (options.contains("--toolbars")) {
        LangPack::AddToolBarTemplates(options["--toolbars"], entries);
    }
    if (options.contains("--accelerators")) {
        LangPack::AddAcceleratorTemplates(options["--accelerators"], entries);
    }
    if (options.contains("--art")) {
        LangPack::AddBitmaps(options["--art"], options.value("--required"), entries);
        LangPack::AddCursors(options["--art"], entries);
    }
    WriteStage(options["--out"], entries);
}

// A plain 24-bit picture in the skin's dark slate, for as long as the skin draws no picture of its own.
CPictureInfo* PlaceholderPicture(const QString& size) {
    const QStringList parts = size.split('x');
    const int width = parts.size() == 2 ? parts[0].toInt() : 0;
    const int height = parts.size() == 2 ? parts[1].toInt() : 0;
    if (width <= 0 || height <= 0 || width > 4000 || height > 4000) {
        throw std::runtime_error("bad placeholder size " + size.toStdString());
    }
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biSizeImage = stride * static_cast<DWORD>(height);
    auto* picture = new CPictureInfo;
    BYTE* block = picture->Allocate(header.biSize + header.biSizeImage);
    std::memcpy(block, &header, sizeof(header));
    for (int y = 0; y < height; ++y) {
        BYTE* row = block + header.biSize + stride * static_cast<DWORD>(y);
        for (int x = 0; x < width; ++x) {
            row[x * 3 + 0] = 0x42; // blue, green, red
            row[x * 3 + 1] = 0x35;
            row[x * 3 + 2] = 0x2B;
        }
    }
    return picture;
}

void CopyPicture(const QMap<QString, QString>& options) {
    const QString from = options["--from"];
    CPictureInfo* picture = nullptr;
    if (QFileInfo::exists(from)) {
        picture = new CPictureInfo;
        if (!picture->ReadBmpFile(CString(from.toStdString()))) {
            picture->Release();
            throw std::runtime_error(from.toStdString() + ": not a readable BMP file");
        }
    } else {
        picture = PlaceholderPicture(options["--placeholder"]);
    }
    const BOOL saved = picture && picture->SaveFile(CString(options["--out"].toStdString()));
    if (picture) {
        picture->Release();
    }
    if (!saved) {
        throw std::runtime_error("cannot write " + options["--out"].toStdString());
    }
}

bool ParseOptions(const QStringList& arguments, QMap<QString, QString>& options) {
    for (qsizetype i = 2; i + 1 < arguments.size(); i += 2) {
        if (!arguments[i].startsWith("--")) {
            return false;
        }
        options[arguments[i]] = arguments[i + 1];
    }
    return arguments.size() % 2 == 0 && options.contains("--out");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    QMap<QString, QString> options;
    const QString mode = arguments.value(1);
    if ((mode != "module" && mode != "picture") || !ParseOptions(arguments, options)) {
        std::fprintf(stderr, "usage: langpack module --out STAGE [--strings FILE] [--dialogs DIR] [--menus "
                             "DIR] [--toolbars DIR] "
                             "[--accelerators DIR] [--art DIR --required FILE]\n       langpack picture "
                             "--out FILE --from BMP --placeholder WxH\n");
        return 2;
    }
    try {
        if (mode == "module") {
            PackModule(options);
        } else {
            CopyPicture(options);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "langpack: %s\n", error.what());
        return 1;
    }
    return 0;
}
