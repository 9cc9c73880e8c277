#pragma once
// CBrowseFileFilterList: the file browser's filters, asked in order. The list does not own them:
// whoever adds a filter deletes it.

#include "albums/BrowseFileFilter.h"
#include "platform/base/Lists.h"

class CBrowseFileFilterList : public CTypedPtrList<CPtrList, CBrowseFileFilter*> {
public:
    // Every filter must pass a file.
    static constexpr int kAllMustPass = 0;
    // One passing filter is enough.
    static constexpr int kOneMustPass = 1;

    CBrowseFileFilterList() : CTypedPtrList(kBlockSize) {}

    // Any other mode passes every file without asking a filter.
    void SetMode(const int& mode) { m_nMode = mode; }
    int GetMode() const { return m_nMode; }

    // An empty list passes every file when all must pass and none when one must.
    bool Test(LPCTSTR path) const;

private:
    static constexpr INT_PTR kBlockSize = 10;

    int m_nMode = kAllMustPass;
};
