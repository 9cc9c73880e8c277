#pragma once
// The print scale factor as the settings dialog's field takes it: a whole number from -9 to 9.

#include "platform/base/String.h"

// While typing: a number in range that is one character long or starts with "-", or "-" alone.
bool ScaleFactorPassesWhileTyping(const CString& text);
// On leaving the field: a text that begins with a number in range.
bool ScaleFactorPassesOnLeaving(const CString& text);
