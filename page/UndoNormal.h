#pragma once
// CUndoNormal: the normal-mode picture before a change. Its index is the kind of change: -1, 0 picture,
// 1 template, 2 mat, 3 stencil.

#include "image/AdjustImage.h"
#include "platform/base/Object.h"
#include "platform/base/String.h"

class CUndoNormal : public CObject {
    DECLARE_DYNCREATE(CUndoNormal)
public:
    CUndoNormal();
    // Copies the settings; a null adjust copies nothing.
    CUndoNormal(int index, const CAdjustImage* adjust);
    // Neutral settings whose file path is path.
    CUndoNormal(int index, const CString& path);

    int GetIndex() const { return m_nIndex; }
    const CAdjustImage& GetSettings() const { return m_settings; }

private:
    int m_nIndex = -1;
    CAdjustImage m_settings{false};
};
