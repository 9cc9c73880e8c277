#pragma once
// CUndoCopy: a picture object whose mat (kind 0), stencil (kind 1) or whole picture state (kind 2) is
// about to be replaced by a copy or a paste.

#include "platform/base/Object.h"

class CDrawImage;

class CUndoCopy : public CObject {
    DECLARE_DYNCREATE(CUndoCopy)
public:
    CUndoCopy() = default;
    // A new picture object holding what kind names from source.
    CUndoCopy(int kind, int index, CDrawImage* source);
    ~CUndoCopy() override;

    // Owned by the record.
    CDrawImage* GetImage() const { return m_pImage; }
    int GetKind() const { return m_nKind; }
    int GetIndex() const { return m_nIndex; }

private:
    CDrawImage* m_pImage = nullptr;
    int m_nKind = -1;
    int m_nIndex = -1;
};
