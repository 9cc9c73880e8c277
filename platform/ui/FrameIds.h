#pragma once
// Control ids of a frame's child windows: its bars and its pane.

#include "platform/base/WinTypes.h"

inline constexpr UINT AFX_IDW_TOOLBAR = 0xE800;
inline constexpr UINT AFX_IDW_STATUS_BAR = 0xE801;
inline constexpr UINT AFX_IDW_PANE_FIRST = 0xE900;
inline constexpr UINT AFX_IDW_PANE_LAST = 0xE9FF;
