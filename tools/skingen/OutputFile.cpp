#include "tools/skingen/OutputFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <stdexcept>

namespace SkinGen {

void WriteFileIfChanged(const QString& path, const QByteArray& contents) {
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == contents) {
        return;
    }
    existing.close();
    WriteFile(path, contents);
}

void WriteFile(const QString& path, const QByteArray& contents) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size() || !file.commit()) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
}

} // namespace SkinGen
