#include "platform/base/AcceleratorTemplate.h"

#include "platform/base/JsonTemplateReader.h"
#include "platform/base/Resource.h"

#include <QJsonArray>
#include <cstring>

namespace {

constexpr int kMaxId = 0xFFFF;
constexpr int kMaxKeys = 256;
constexpr WORD kFirstFunctionKey = 0x70; // F1

struct NamedKey {
    const char* name;
    WORD virtualKey;
};

// Virtual key codes of the keys a template may name.
constexpr NamedKey kNamedKeys[] = {
    {"Back", 0x08},  {"Tab", 0x09},   {"Return", 0x0D}, {"Escape", 0x1B}, {"Space", 0x20},
    {"Prior", 0x21}, {"Next", 0x22},  {"End", 0x23},    {"Home", 0x24},   {"Left", 0x25},
    {"Up", 0x26},    {"Right", 0x27}, {"Down", 0x28},   {"Insert", 0x2D}, {"Delete", 0x2E},
};

bool ReadKey(const QString& name, WORD& virtualKey) {
    // Letters and digits are their own virtual keys.
    if (name.size() == 1 && ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= '0' && name[0] <= '9'))) {
        virtualKey = static_cast<WORD>(name[0].unicode());
        return true;
    }
    if (name.size() >= 2 && name.size() <= 3 && name[0] == 'F') {
        bool number = false;
        const int function = name.mid(1).toInt(&number);
        if (number && function >= 1 && function <= 12 && !name.mid(1).startsWith('0')) {
            virtualKey = static_cast<WORD>(kFirstFunctionKey + function - 1);
            return true;
        }
    }
    for (const NamedKey& key : kNamedKeys) {
        if (name == QLatin1String(key.name)) {
            virtualKey = key.virtualKey;
            return true;
        }
    }
    return false;
}

bool ReadFlag(const QJsonObject& object, const char* name, bool& result) {
    if (!object.contains(name))
        return true;
    if (!object[name].isBool())
        return false;
    result = object[name].toBool();
    return true;
}

bool ReadEntry(const QJsonValue& value, AcceleratorKey& entry) {
    using namespace JsonTemplateReader;
    if (!value.isObject())
        return false;
    const QJsonObject object = value.toObject();
    int command = 0;
    if (!HasOnlyKeys(object, {"key", "command", "ctrl", "shift", "alt"}) || !object["key"].isString() ||
        !ReadKey(object["key"].toString(), entry.virtualKey) ||
        !ReadNumber(object["command"], kMaxId, command) || command == 0)
        return false;
    entry.command = static_cast<WORD>(command);
    return ReadFlag(object, "ctrl", entry.control) && ReadFlag(object, "shift", entry.shift) &&
           ReadFlag(object, "alt", entry.alt);
}

} // namespace

bool ParseAcceleratorTemplate(const BYTE* data, DWORD size, AcceleratorTemplate& result) {
    using namespace JsonTemplateReader;
    QJsonObject object;
    if (!ReadObject(data, size, object) || !HasOnlyKeys(object, {"id", "keys"}))
        return false;
    AcceleratorTemplate table;
    int id = 0;
    if (!ReadNumber(object["id"], kMaxId, id) || id == 0 || !object["keys"].isArray())
        return false;
    table.id = static_cast<UINT>(id);
    const QJsonArray keys = object["keys"].toArray();
    if (keys.size() > kMaxKeys)
        return false;
    for (const QJsonValue& value : keys) {
        AcceleratorKey entry;
        if (!ReadEntry(value, entry))
            return false;
        table.keys.push_back(entry);
    }
    result = std::move(table);
    return true;
}

bool LoadAcceleratorTemplate(HINSTANCE module, UINT id, AcceleratorTemplate& result) {
    const BYTE* data = nullptr;
    DWORD size = 0;
    return JsonTemplateReader::FindTemplate(module, RT_ACCELERATOR, id, data, size) &&
           ParseAcceleratorTemplate(data, size, result);
}
