#pragma once
// Menu templates of the resource module, kept in our own small JSON form:
//
//   {"id": 154, "items": [{"text": "Bearbeiten", "popup": [
//       {"text": "&Ausschneiden", "command": 57635},
//       {"separator": true},
//       {"text": "Eigenschaften", "command": 32800, "grayed": true, "checked": true}]}]}
//
// An item is a separator, a command (text and command id) or a popup (text and its items). Anything
// unknown or malformed refuses the whole template, and the menu counts as missing.

#include "platform/base/String.h"

#include <vector>

struct MenuTemplateItem {
    CString text;
    UINT command = 0;
    bool separator = false;
    bool grayed = false;
    bool checked = false;
    bool isPopup = false;
    std::vector<MenuTemplateItem> popup;
};

struct MenuTemplate {
    UINT id = 0;
    std::vector<MenuTemplateItem> items;
};

bool ParseMenuTemplate(const BYTE* data, DWORD size, MenuTemplate& result);
// The template of that id (RT_MENU) in the module; false when it is missing or malformed.
bool LoadMenuTemplate(HINSTANCE module, UINT id, MenuTemplate& result);
