#pragma once
// Dialog templates of the resource module, kept in our own small JSON form:
//
//   {"id": 174, "size": [260, 92], "caption": "Bitte warten", "style": ["WS_POPUP", "WS_CAPTION"],
//    "exStyle": ["WS_EX_TOPMOST"], "font": ["Arial", 9],
//    "controls": [{"class": "Button", "id": 2, "rect": [90, 60, 80, 24], "text": "Abbrechen",
//                  "style": ["WS_TABSTOP", "BS_PUSHBUTTON"]}]}
//
// Sizes and rectangles (x, y, width, height) are in pixels of the dialog's client area. Classes are the
// window system's class names ("Button", "Static", "Edit", "msctls_progress32"); styles are the names of
// its style constants, which the window layer resolves. "caption", "style", "exStyle", "font", "text" may
// be left out; anything else that is unknown or malformed refuses the whole template.

#include "platform/base/Geometry.h"
#include "platform/base/String.h"

#include <vector>

struct DialogControl {
    CString className;
    int id = 0; // -1 for a label that nobody addresses
    CRect rect;
    CString text;
    std::vector<CString> style;
};

struct DialogTemplate {
    UINT id = 0;
    CSize size;
    CString caption;
    std::vector<CString> style;
    std::vector<CString> exStyle;
    CString fontFace; // empty: the window layer's default font
    int fontPoints = 0;
    std::vector<DialogControl> controls; // in tab order
};

// False, with result untouched, when the bytes are not a well-formed template.
bool ParseDialogTemplate(const BYTE* data, DWORD size, DialogTemplate& result);
// The template of that id from a module (the resource handle is the usual one); false when the module
// lacks it or it does not parse.
bool LoadDialogTemplate(HINSTANCE module, UINT id, DialogTemplate& result);
