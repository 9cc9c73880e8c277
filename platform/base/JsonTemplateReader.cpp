#include "platform/base/JsonTemplateReader.h"

#include "platform/base/Resource.h"

#include <QByteArray>
#include <QJsonDocument>
#include <cmath>

namespace JsonTemplateReader {

bool ReadObject(const BYTE* data, DWORD size, QJsonObject& result) {
    if (!data)
        return false;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return false;
    result = document.object();
    return true;
}

bool ReadNumber(const QJsonValue& value, int maximum, int& result) {
    if (!value.isDouble())
        return false;
    const double number = value.toDouble();
    if (number != std::floor(number) || number < 0 || number > maximum)
        return false;
    result = static_cast<int>(number);
    return true;
}

bool HasOnlyKeys(const QJsonObject& object, std::initializer_list<const char*> known) {
    for (const QString& key : object.keys()) {
        bool found = false;
        for (const char* name : known)
            found = found || key == QLatin1String(name);
        if (!found)
            return false;
    }
    return true;
}

bool FindTemplate(HINSTANCE module, LPCTSTR type, UINT id, const BYTE*& data, DWORD& size) {
    if (id == 0 || id > 0xFFFF)
        return false;
    const HRSRC resource = FindResource(module, MAKEINTRESOURCE(static_cast<WORD>(id)), type);
    if (!resource)
        return false;
    data = static_cast<const BYTE*>(LockResource(LoadResource(module, resource)));
    size = SizeofResource(module, resource);
    return data != nullptr;
}

} // namespace JsonTemplateReader
