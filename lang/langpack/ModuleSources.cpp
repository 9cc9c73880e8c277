#include "image/PictureInfo.h"
#include "lang/langpack/ModuleEntries.h"
#include "platform/base/DialogTemplate.h"
#include "platform/base/MenuTemplate.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <set>
#include <stdexcept>

namespace LangPack {
namespace {

[[noreturn]] void Fail(const QString& path, const QString& message) {
    throw std::runtime_error((path + ": " + message).toStdString());
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Fail(path, "cannot read");
    }
    return file.readAll();
}

// Names in a list file, one a line; blank lines and '#' comments skipped.
std::vector<QString> ReadNames(const QString& path) {
    // Names are looked up in upper case, and a name of digits alone would read as an id.
    static const QRegularExpression kName("^[A-Z0-9_]*[A-Z_][A-Z0-9_]*$");
    std::vector<QString> names;
    for (const QByteArray& raw : ReadAll(path).split('\n')) {
        const QString name = QString::fromUtf8(raw.trimmed());
        if (name.isEmpty() || name.startsWith('#')) {
            continue;
        }
        if (!kName.match(name).hasMatch()) {
            Fail(path, "bad bitmap name \"" + name + "\"");
        }
        names.push_back(name);
    }
    return names;
}

} // namespace

void AddDialogTemplates(const QString& folder, Entries& entries) {
    const QDir dir(folder);
    if (!dir.exists()) {
        Fail(folder, "no such folder");
    }
    for (const QString& name : dir.entryList({"*.json"}, QDir::Files, QDir::Name)) {
        const QString path = dir.filePath(name);
        const QByteArray json = ReadAll(path);
        DialogTemplate dialog;
        if (!ParseDialogTemplate(reinterpret_cast<const BYTE*>(json.constData()),
                                 static_cast<DWORD>(json.size()), dialog)) {
            Fail(path, "not a well-formed dialog template");
        }
        if (!entries
                 .emplace("dialog/" + std::to_string(dialog.id), std::vector<BYTE>(json.begin(), json.end()))
                 .second) {
            Fail(path, QString("dialog %1 given twice").arg(dialog.id));
        }
    }
}

void AddMenuTemplates(const QString& folder, Entries& entries) {
    const QDir dir(folder);
    if (!dir.exists()) {
        Fail(folder, "no such folder");
    }
    for (const QString& name : dir.entryList({"*.json"}, QDir::Files, QDir::Name)) {
        const QString path = dir.filePath(name);
        const QByteArray json = ReadAll(path);
        MenuTemplate menu;
        if (!ParseMenuTemplate(reinterpret_cast<const BYTE*>(json.constData()),
                               static_cast<DWORD>(json.size()), menu)) {
            Fail(path, "not a well-formed menu template");
        }
        if (!entries.emplace("menu/" + std::to_string(menu.id), std::vector<BYTE>(json.begin(), json.end()))
                 .second) {
            Fail(path, QString("menu %1 given twice").arg(menu.id));
        }
    }
}

void AddBitmaps(const QString& artFolder, const QString& requiredList, Entries& entries) {
    std::set<QString> drawn;
    for (const QString& name : ReadNames(artFolder + "/bitmaps.txt")) {
        const QString path = artFolder + "/" + name + ".bmp";
        CPictureInfo picture;
        if (!picture.ReadBmpFile(CString(path.toStdString()))) {
            Fail(path, "not a readable BMP file");
        }
        const BYTE* dib = reinterpret_cast<const BYTE*>(picture.GetHeader());
        if (!entries
                 .emplace("bitmap/" + name.toStdString(), std::vector<BYTE>(dib, dib + picture.GetLength()))
                 .second) {
            Fail(path, "bitmap " + name + " listed twice");
        }
        drawn.insert(name);
    }
    for (const QString& name : ReadNames(requiredList)) {
        if (!drawn.count(name)) {
            Fail(requiredList, "bitmap " + name + " is not among the skin pictures");
        }
    }
}

} // namespace LangPack
