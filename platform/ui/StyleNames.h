#pragma once
// The style constants of windows and controls by name, for the dialog templates of the language
// modules. Private to platform/ui.

#include "platform/base/String.h"
#include "platform/ui/UiTypes.h"

#include <vector>

// ORs the styles of the names into *style; false (and *style untouched) when a name is unknown.
bool ResolveStyleNames(const std::vector<CString>& names, DWORD* style);
