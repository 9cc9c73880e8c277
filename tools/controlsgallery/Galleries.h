#pragma once
// The gallery's pictures beyond the first window, each written into folder; false when one could not be
// made.

#include <QString>

// standard-controls.png: every standard control in one dialog with German texts;
// standard-combo-open.png: the same dialog with a combo box's list dropped down.
bool SaveStandardControls(const QString& folder);
// property-sheet.png and property-sheet-second-tab.png: a sheet of two pages, on each of its tabs.
bool SavePropertySheet(const QString& folder);
// tree.png: a German folder tree with pictures, opened, with a selected and a drop-highlighted folder.
bool SaveTreeShot(const QString& folder);
// popup-menu.png: a popup menu with a grayed and a checked item, separators and a submenu.
bool SaveMenu(const QString& folder);
// scrolling.png: a window with both scroll bars, scrolled part of the way, beside a scrolled report list.
bool SaveScrolling(const QString& folder);
