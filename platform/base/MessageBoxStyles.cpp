#include "platform/base/MessageBoxStyles.h"

#include <array>
#include <vector>

int DefaultMessageBoxButton(UINT style) {
    // The buttons of each set, left to right; MB_DEFBUTTONn names one of them.
    static const std::array<std::vector<int>, 6> kButtonSets = {{
        {IDOK},
        {IDOK, IDCANCEL},
        {IDABORT, IDRETRY, IDIGNORE},
        {IDYES, IDNO, IDCANCEL},
        {IDYES, IDNO},
        {IDRETRY, IDCANCEL},
    }};
    const UINT set = style & MB_TYPEMASK;
    if (set >= kButtonSets.size()) {
        return IDOK;
    }
    const auto& buttons = kButtonSets[set];
    const UINT focused = (style & MB_DEFMASK) >> 8;
    return focused < buttons.size() ? buttons[focused] : buttons.front();
}
