#include "platform/base/ToolBarTemplate.h"

#include "platform/base/JsonTemplateReader.h"
#include "platform/base/Resource.h"

#include <QJsonArray>

namespace {

constexpr int kMaxId = 0xFFFF;
// Larger images or more buttons than any bar holds are a mistake in the template.
constexpr int kMaxImageSide = 256;
constexpr int kMaxButtons = 256;

} // namespace

bool ParseToolBarTemplate(const BYTE* data, DWORD size, ToolBarTemplate& result) {
    using namespace JsonTemplateReader;
    QJsonObject object;
    if (!ReadObject(data, size, object) || !HasOnlyKeys(object, {"id", "bitmap", "size", "buttons"}))
        return false;
    ToolBarTemplate bar;
    int id = 0;
    if (!ReadNumber(object["id"], kMaxId, id) || id == 0 || !object["bitmap"].isString() ||
        !object["size"].isArray() || !object["buttons"].isArray())
        return false;
    bar.id = static_cast<UINT>(id);
    bar.bitmap = CString(object["bitmap"].toString().toStdString());
    const QJsonArray imageSize = object["size"].toArray();
    if (bar.bitmap.IsEmpty() || imageSize.size() != 2 ||
        !ReadNumber(imageSize[0], kMaxImageSide, bar.imageWidth) ||
        !ReadNumber(imageSize[1], kMaxImageSide, bar.imageHeight) || bar.imageWidth == 0 ||
        bar.imageHeight == 0)
        return false;
    const QJsonArray buttons = object["buttons"].toArray();
    if (buttons.size() > kMaxButtons)
        return false;
    for (const QJsonValue& value : buttons) {
        int button = 0;
        if (!ReadNumber(value, kMaxId, button))
            return false;
        bar.buttons.push_back(static_cast<UINT>(button));
    }
    result = std::move(bar);
    return true;
}

bool LoadToolBarTemplate(HINSTANCE module, UINT id, ToolBarTemplate& result) {
    const BYTE* data = nullptr;
    DWORD size = 0;
    return JsonTemplateReader::FindTemplate(module, RT_TOOLBAR, id, data, size) &&
           ParseToolBarTemplate(data, size, result);
}
