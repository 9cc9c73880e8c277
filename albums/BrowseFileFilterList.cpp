// The list's answer in its two modes; any other mode asks no filter.

#include "albums/BrowseFileFilterList.h"

bool CBrowseFileFilterList::Test(LPCTSTR path) const {
    if (m_nMode != kAllMustPass && m_nMode != kOneMustPass)
        return true;
    // Stops at the first filter that decides: a refusal when all must pass, a pass when one must.
    const bool passedWhenUndecided = m_nMode == kAllMustPass;
    for (POSITION position = GetHeadPosition(); position;) {
        if (GetNext(position)->Test(path) != passedWhenUndecided)
            return !passedWhenUndecided;
    }
    return passedWhenUndecided;
}
