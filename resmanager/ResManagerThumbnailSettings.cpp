// The six thumbnail values of the object view under their profile names.

#include "resmanager/ResManagerThumbnailSettings.h"

#include "platform/base/Profile.h"
#include "platform/gdi/SystemColors.h"

#include <algorithm>

namespace {

constexpr int kDefaultThumbnailSide = 90;
constexpr int kDefaultGap = 11;
constexpr int kMaxIconSpacing = 150;

int ReadInt(LPCTSTR entry, int defaultValue) {
    return static_cast<int>(GetProfileInt(kResManagerThumbnailSection, entry, defaultValue));
}

} // namespace

BrowseThumbnailSettings ReadResManagerThumbnailSettings() {
    BrowseThumbnailSettings settings;
    settings.thumbWidth = ReadInt("thumbcx", kDefaultThumbnailSide);
    settings.thumbHeight = ReadInt("thumbcy", kDefaultThumbnailSide);
    settings.spacingX = ReadInt("spacingcx", settings.thumbWidth + kDefaultGap);
    settings.spacingY = ReadInt("spacingcy", settings.thumbHeight + kDefaultGap);
    settings.backgroundColor =
        static_cast<COLORREF>(ReadInt("bkcolor", static_cast<int>(GetSysColor(COLOR_WINDOW))));
    settings.textColor =
        static_cast<COLORREF>(ReadInt("textcolor", static_cast<int>(GetSysColor(COLOR_WINDOWTEXT))));
    return settings;
}

CSize ResManagerIconSpacing(const BrowseThumbnailSettings& settings) {
    return CSize(std::min(settings.thumbWidth + settings.spacingX, kMaxIconSpacing),
                 std::min(settings.thumbHeight + settings.spacingY, kMaxIconSpacing));
}
