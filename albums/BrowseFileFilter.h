#pragma once
// CBrowseFileFilter: a test that the file browser applies to every file of a folder after the pattern
// test, one that may look into the file.

#include "platform/base/Object.h"
#include "platform/base/WinTypes.h"

class CBrowseFileFilter : public CObject {
public:
    // Clears the bits of clear, then sets those of set; the base class keeps no flags of its own.
    virtual void SetFlags(int clear, int set);
    // True when the file at path passes.
    virtual bool Test(LPCTSTR path) const = 0;

protected:
    int m_nFlags = 0;
};
