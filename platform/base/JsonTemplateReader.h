#pragma once
// What the readers of the JSON resource templates (tool bars, accelerators) share: the template's
// object and its integer fields, checked.

#include "platform/base/WinTypes.h"

#include <QJsonObject>
#include <QJsonValue>
#include <initializer_list>

namespace JsonTemplateReader {

// The top-level object of the bytes; false when they are no JSON object.
bool ReadObject(const BYTE* data, DWORD size, QJsonObject& result);
// A whole number from 0 to maximum.
bool ReadNumber(const QJsonValue& value, int maximum, int& result);
// Whether every key of the object is one of the known ones.
bool HasOnlyKeys(const QJsonObject& object, std::initializer_list<const char*> known);
// The resource's bytes of that type and id in the module; false when it is missing.
bool FindTemplate(HINSTANCE module, LPCTSTR type, UINT id, const BYTE*& data, DWORD& size);

} // namespace JsonTemplateReader
