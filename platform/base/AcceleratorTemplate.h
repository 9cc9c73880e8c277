#pragma once
// Accelerator templates of the resource module, kept in our own small JSON form:
//
//   {"id": 704, "keys": [{"key": "Delete", "command": 32876},
//                        {"key": "A", "ctrl": true, "command": 32877}]}
//
// A key is a letter, a digit, F1 to F12 or one of the named keys (Delete, Return, Escape, Insert,
// Back, Tab, Space, Home, End, Prior, Next, Left, Up, Right, Down); "ctrl", "shift" and "alt" name the
// modifiers that must be held. Anything unknown or malformed refuses the whole template.

#include "platform/base/String.h"

#include <vector>

struct AcceleratorKey {
    WORD virtualKey = 0;
    bool control = false;
    bool shift = false;
    bool alt = false;
    WORD command = 0;
};

struct AcceleratorTemplate {
    UINT id = 0;
    std::vector<AcceleratorKey> keys;
};

bool ParseAcceleratorTemplate(const BYTE* data, DWORD size, AcceleratorTemplate& result);
// The template of that id (RT_ACCELERATOR) in the module; false when it is missing or malformed.
bool LoadAcceleratorTemplate(HINSTANCE module, UINT id, AcceleratorTemplate& result);
