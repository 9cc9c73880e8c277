// The six thumbnail values under their profile names.

#include "albums/BrowseThumbnailSettings.h"

#include "platform/base/Profile.h"
#include "platform/gdi/SystemColors.h"
#include "platform/ui/SystemMetrics.h"

#include <algorithm>

namespace {

// Values are written as ints, colours as the int of their COLORREF, and read back through the same cast.
int ReadInt(LPCTSTR section, LPCTSTR entry, int defaultValue) {
    return static_cast<int>(GetProfileInt(section, entry, defaultValue));
}

// The gap left of the system's icon cell beside a thumbnail; never below 0, where thumbnails larger than
// that cell would overlap.
int DefaultGap(int iconSpacing, int thumbnail) {
    return std::max(iconSpacing - thumbnail, 0);
}

} // namespace

BrowseThumbnailSettings ReadBrowseThumbnailSettings(LPCTSTR section) {
    BrowseThumbnailSettings settings;
    settings.thumbWidth = ReadInt(section, "thumbcx", GetSystemMetrics(SM_CXICON));
    settings.thumbHeight = ReadInt(section, "thumbcy", GetSystemMetrics(SM_CYICON));
    settings.spacingX =
        ReadInt(section, "spacingcx", DefaultGap(GetSystemMetrics(SM_CXICONSPACING), settings.thumbWidth));
    settings.spacingY =
        ReadInt(section, "spacingcy", DefaultGap(GetSystemMetrics(SM_CYICONSPACING), settings.thumbHeight));
    settings.backgroundColor =
        static_cast<COLORREF>(ReadInt(section, "bkcolor", static_cast<int>(GetSysColor(COLOR_WINDOW))));
    settings.textColor =
        static_cast<COLORREF>(ReadInt(section, "textcolor", static_cast<int>(GetSysColor(COLOR_WINDOWTEXT))));
    return settings;
}

void WriteBrowseThumbnailSettings(LPCTSTR section, const BrowseThumbnailSettings& settings) {
    WriteProfileInt(section, "thumbcx", settings.thumbWidth);
    WriteProfileInt(section, "thumbcy", settings.thumbHeight);
    WriteProfileInt(section, "spacingcx", settings.spacingX);
    WriteProfileInt(section, "spacingcy", settings.spacingY);
    WriteProfileInt(section, "bkcolor", static_cast<int>(settings.backgroundColor));
    WriteProfileInt(section, "textcolor", static_cast<int>(settings.textColor));
}
