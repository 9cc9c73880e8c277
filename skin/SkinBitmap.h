#pragma once
// Skin bitmaps: true-colour bitmap resources of the language resource module, made into device bitmaps
// for the screen context of the window that shows them (so the window must exist first).

#include "platform/gdi/Bitmap.h"
#include "platform/ui/Wnd.h"

// Replaces bitmap by the named skin bitmap; FALSE (bitmap left empty) when the module lacks it.
BOOL LoadSkinBitmap(CBitmap& bitmap, LPCTSTR name, CWnd* window);

// Gives window the shape as its window region and keeps a copy in clip for drawing; FALSE when shape is
// missing or a region cannot be made.
BOOL SetSkinShape(CWnd& window, CRgn* shape, CRgn& clip, BOOL redraw);

// Copies bitmap to item's top-left corner at item's size, clipped to clip; an empty bitmap draws nothing.
void DrawSkinBitmap(CDC* dc, const RECT& item, CBitmap& bitmap, CRgn* clip);
