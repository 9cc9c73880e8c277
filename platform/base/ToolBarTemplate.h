#pragma once
// Tool bar templates of the resource module, kept in our own small JSON form:
//
//   {"id": 704, "bitmap": "RES_MANAGER_TOOLBAR", "size": [16, 15], "buttons": [32873, 0, 32878]}
//
// The bitmap is a strip of images of that size, one per button in order; a button id of 0 is a separator
// and takes no image. Anything unknown or malformed refuses the whole template.

#include "platform/base/String.h"

#include <vector>

struct ToolBarTemplate {
    UINT id = 0;
    CString bitmap;
    int imageWidth = 0;
    int imageHeight = 0;
    std::vector<UINT> buttons;
};

bool ParseToolBarTemplate(const BYTE* data, DWORD size, ToolBarTemplate& result);
// The template of that id (RT_TOOLBAR) in the module; false when it is missing or malformed.
bool LoadToolBarTemplate(HINSTANCE module, UINT id, ToolBarTemplate& result);
