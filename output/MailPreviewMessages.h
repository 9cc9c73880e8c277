#pragma once
// The preview's private messages to its frame.

#include "platform/base/WinTypes.h"

// lParam: a zoom code of the zoom box (0 refused, 1 100 %, 18 fit, else the percent); 0 done, -1 refused.
inline constexpr UINT WM_MAILPREVIEW_ZOOM = 0x0401;
// wParam: the current page, lParam: the page count; the page commands follow them.
inline constexpr UINT WM_MAILPREVIEW_PAGES = 0x0402;

inline constexpr int kZoomFit = 18;
inline constexpr int kZoomOriginal = 1;
