#pragma once
// The thumbnail layout of the file browser and the resource manager's object view: the six values of
// a profile section, each read with its default when absent. Only the settings dialog's save button
// writes them.

#include "platform/base/WinTypes.h"

inline constexpr char kBrowseThumbnailSection[] = "Settings\\Thumbnails\\Browse";

struct BrowseThumbnailSettings {
    int thumbWidth = 0;
    int thumbHeight = 0;
    int spacingX = 0;
    int spacingY = 0;
    COLORREF backgroundColor = 0;
    COLORREF textColor = 0;

    bool operator==(const BrowseThumbnailSettings&) const = default;
};

// Defaults: the system's icon size, its icon spacing minus the thumbnail size read, and the window
// background and text colours.
BrowseThumbnailSettings ReadBrowseThumbnailSettings(LPCTSTR section);
// Writes "thumbcx", "thumbcy", "spacingcx", "spacingcy", "bkcolor" and "textcolor", in this order.
void WriteBrowseThumbnailSettings(LPCTSTR section, const BrowseThumbnailSettings& settings);
