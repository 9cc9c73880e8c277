#include "image/PictureInfo.h"
#include "lang/langpack/ModuleEntries.h"
#include "platform/base/AcceleratorTemplate.h"
#include "platform/base/DialogTemplate.h"
#include "platform/base/MenuTemplate.h"
#include "platform/base/ToolBarTemplate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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
    // Names are looked up in upper case; a numbered bitmap is listed by its id in decimal.
    static const QRegularExpression kName("^([A-Z0-9_]*[A-Z_][A-Z0-9_]*|[1-9][0-9]{0,4})$");
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

namespace {

// Every "*.json" template of the folder, checked by parse and stored under "<kind>/<id>".
template <typename Template>
void AddJsonTemplates(const QString& folder, const char* kind, bool (*parse)(const BYTE*, DWORD, Template&),
                      Entries& entries) {
    const QDir dir(folder);
    if (!dir.exists()) {
        Fail(folder, "no such folder");
    }
    for (const QString& name : dir.entryList({"*.json"}, QDir::Files, QDir::Name)) {
        const QString path = dir.filePath(name);
        const QByteArray json = ReadAll(path);
        Template parsed;
        if (!parse(reinterpret_cast<const BYTE*>(json.constData()), static_cast<DWORD>(json.size()),
                   parsed)) {
            Fail(path, QString("not a well-formed %1 template").arg(kind));
        }
        const std::string key = std::string(kind) + "/" + std::to_string(parsed.id);
        if (!entries.emplace(key, std::vector<BYTE>(json.begin(), json.end())).second) {
            Fail(path, QString("%1 %2 given twice").arg(kind).arg(parsed.id));
        }
    }
}

} // namespace

void AddDialogTemplates(const QString& folder, Entries& entries) {
    AddJsonTemplates<DialogTemplate>(folder, "dialog", ParseDialogTemplate, entries);
}

void AddMenuTemplates(const QString& folder, Entries& entries) {
    AddJsonTemplates<MenuTemplate>(folder, "menu", ParseMenuTemplate, entries);
}

void AddToolBarTemplates(const QString& folder, Entries& entries) {
    AddJsonTemplates<ToolBarTemplate>(folder, "toolbar", ParseToolBarTemplate, entries);
}

void AddAcceleratorTemplates(const QString& folder, Entries& entries) {
    AddJsonTemplates<AcceleratorTemplate>(folder, "accelerator", ParseAcceleratorTemplate, entries);
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

void AddCursors(const QString& artFolder, Entries& entries) {
    const QString list = artFolder + "/cursors.txt";
    if (!QFileInfo::exists(list)) {
        return;
    }
    static const QRegularExpression kId("^[0-9]+$");
    for (const QByteArray& raw : ReadAll(list).split('\n')) {
        const QString id = QString::fromUtf8(raw.trimmed());
        if (id.isEmpty()) {
            continue;
        }
        if (!kId.match(id).hasMatch()) {
            Fail(list, "bad cursor id \"" + id + "\"");
        }
        const QByteArray bytes = ReadAll(artFolder + "/cursors/" + id + ".cur");
        entries["cursor/" + id.toStdString()] = std::vector<BYTE>(bytes.begin(), bytes.end());
    }
}

} // namespace LangPack
