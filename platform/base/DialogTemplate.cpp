#include "platform/base/DialogTemplate.h"

#include "platform/base/Resource.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <cmath>

namespace {

// Far beyond any screen: a larger number in a template is a mistake, not a layout.
constexpr int kMaxCoordinate = 10000;
constexpr int kMaxId = 0xFFFF;

bool ReadInt(const QJsonValue& value, int low, int high, int& out) {
    if (!value.isDouble()) {
        return false;
    }
    const double number = value.toDouble();
    if (number != std::floor(number) || number < low || number > high) {
        return false;
    }
    out = static_cast<int>(number);
    return true;
}

bool ReadText(const QJsonObject& object, const char* key, CString& out) {
    if (!object.contains(key)) {
        return true;
    }
    if (!object[key].isString()) {
        return false;
    }
    out = CString(object[key].toString().toStdString());
    return true;
}

bool ReadStyles(const QJsonObject& object, const char* key, std::vector<CString>& out) {
    if (!object.contains(key)) {
        return true;
    }
    if (!object[key].isArray()) {
        return false;
    }
    static const QRegularExpression kStyleName("^[A-Z][A-Z0-9_]*$");
    for (const QJsonValue& name : object[key].toArray()) {
        if (!name.isString() || !kStyleName.match(name.toString()).hasMatch()) {
            return false;
        }
        out.emplace_back(name.toString().toStdString());
    }
    return true;
}

bool HasOnlyKeys(const QJsonObject& object, const QSet<QString>& allowed) {
    for (const QString& key : object.keys()) {
        if (!allowed.contains(key)) {
            return false;
        }
    }
    return true;
}

bool ReadRect(const QJsonValue& value, CRect& out) {
    const QJsonArray numbers = value.toArray();
    int x = 0, y = 0, width = 0, height = 0;
    if (!value.isArray() || numbers.size() != 4 || !ReadInt(numbers[0], -kMaxCoordinate, kMaxCoordinate, x) ||
        !ReadInt(numbers[1], -kMaxCoordinate, kMaxCoordinate, y) ||
        !ReadInt(numbers[2], 0, kMaxCoordinate, width) || !ReadInt(numbers[3], 0, kMaxCoordinate, height)) {
        return false;
    }
    out = CRect(x, y, x + width, y + height);
    return true;
}

bool ReadControl(const QJsonValue& value, DialogControl& control) {
    const QJsonObject object = value.toObject();
    if (!value.isObject() || !HasOnlyKeys(object, {"class", "id", "rect", "text", "style"}) ||
        !object["class"].isString() || object["class"].toString().isEmpty() ||
        !ReadInt(object["id"], -1, kMaxId, control.id) || !ReadRect(object["rect"], control.rect) ||
        !ReadText(object, "text", control.text) || !ReadStyles(object, "style", control.style)) {
        return false;
    }
    control.className = CString(object["class"].toString().toStdString());
    return true;
}

bool ReadFont(const QJsonObject& object, DialogTemplate& dialog) {
    if (!object.contains("font")) {
        return true;
    }
    const QJsonArray font = object["font"].toArray();
    if (font.size() != 2 || !font[0].isString() || font[0].toString().isEmpty() ||
        !ReadInt(font[1], 1, 72, dialog.fontPoints)) {
        return false;
    }
    dialog.fontFace = CString(font[0].toString().toStdString());
    return true;
}

bool ReadTemplate(const QJsonObject& object, DialogTemplate& dialog) {
    int id = 0;
    const QJsonArray size = object["size"].toArray();
    if (!HasOnlyKeys(object, {"id", "size", "caption", "style", "exStyle", "font", "controls"}) ||
        !ReadInt(object["id"], 1, kMaxId, id) || size.size() != 2 ||
        !ReadInt(size[0], 0, kMaxCoordinate, dialog.size.cx) ||
        !ReadInt(size[1], 0, kMaxCoordinate, dialog.size.cy) ||
        !ReadText(object, "caption", dialog.caption) || !ReadStyles(object, "style", dialog.style) ||
        !ReadStyles(object, "exStyle", dialog.exStyle) || !ReadFont(object, dialog) ||
        !object["controls"].isArray()) {
        return false;
    }
    dialog.id = static_cast<UINT>(id);
    for (const QJsonValue& value : object["controls"].toArray()) {
        DialogControl control;
        if (!ReadControl(value, control)) {
            return false;
        }
        dialog.controls.push_back(std::move(control));
    }
    return true;
}

} // namespace

bool ParseDialogTemplate(const BYTE* data, DWORD size, DialogTemplate& result) {
    if (!data) {
        return false;
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), &error);
    DialogTemplate dialog;
    if (error.error != QJsonParseError::NoError || !document.isObject() ||
        !ReadTemplate(document.object(), dialog)) {
        return false;
    }
    result = std::move(dialog);
    return true;
}

bool LoadDialogTemplate(HINSTANCE module, UINT id, DialogTemplate& result) {
    if (id == 0 || id > 0xFFFF) {
        return false;
    }
    const HRSRC resource = FindResource(module, MAKEINTRESOURCE(static_cast<WORD>(id)), RT_DIALOG);
    if (!resource) {
        return false;
    }
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, resource)));
    return ParseDialogTemplate(bytes, SizeofResource(module, resource), result);
}
