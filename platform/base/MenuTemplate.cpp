#include "platform/base/MenuTemplate.h"

#include "platform/base/Resource.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

namespace {

constexpr int kMaxId = 0xFFFF;
// Deeper nesting than any menu has is a mistake, and it bounds the recursion.
constexpr int kMaxDepth = 8;

bool ReadId(const QJsonValue& value, UINT& out) {
    if (!value.isDouble())
        return false;
    const double number = value.toDouble();
    if (number != std::floor(number) || number < 0 || number > kMaxId)
        return false;
    out = static_cast<UINT>(number);
    return true;
}

bool ReadFlag(const QJsonObject& object, const char* key, bool& out) {
    if (!object.contains(key))
        return true;
    if (!object[key].isBool())
        return false;
    out = object[key].toBool();
    return true;
}

bool ReadItems(const QJsonValue& value, int depth, std::vector<MenuTemplateItem>& out);

bool ReadItem(const QJsonValue& value, int depth, MenuTemplateItem& item) {
    if (!value.isObject())
        return false;
    const QJsonObject object = value.toObject();
    for (const QString& key : object.keys()) {
        if (key != "text" && key != "command" && key != "separator" && key != "popup" && key != "grayed" &&
            key != "checked")
            return false;
    }
    if (!ReadFlag(object, "separator", item.separator) || !ReadFlag(object, "grayed", item.grayed) ||
        !ReadFlag(object, "checked", item.checked))
        return false;
    if (item.separator)
        return object.size() == 1;
    if (!object["text"].isString())
        return false;
    item.text = CString(object["text"].toString().toStdString());
    item.isPopup = object.contains("popup");
    if (item.isPopup)
        return !object.contains("command") && ReadItems(object["popup"], depth + 1, item.popup);
    return ReadId(object["command"], item.command);
}

bool ReadItems(const QJsonValue& value, int depth, std::vector<MenuTemplateItem>& out) {
    if (!value.isArray() || depth > kMaxDepth)
        return false;
    for (const QJsonValue& entry : value.toArray()) {
        MenuTemplateItem item;
        if (!ReadItem(entry, depth, item))
            return false;
        out.push_back(std::move(item));
    }
    return true;
}

} // namespace

bool ParseMenuTemplate(const BYTE* data, DWORD size, MenuTemplate& result) {
    if (!data)
        return false;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return false;
    const QJsonObject object = document.object();
    MenuTemplate menu;
    if (object.size() != 2 || !ReadId(object["id"], menu.id) || menu.id == 0 ||
        !ReadItems(object["items"], 0, menu.items))
        return false;
    result = std::move(menu);
    return true;
}

bool LoadMenuTemplate(HINSTANCE module, UINT id, MenuTemplate& result) {
    if (id == 0 || id > kMaxId)
        return false;
    const HRSRC resource = FindResource(module, MAKEINTRESOURCE(static_cast<WORD>(id)), RT_MENU);
    if (!resource)
        return false;
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, resource)));
    return ParseMenuTemplate(bytes, SizeofResource(module, resource), result);
}
