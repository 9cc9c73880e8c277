#pragma once
// CUndoObject: a picture object whose photo (kind 0: the old file and settings), mat (kind 2: the old
// mat's full path or nothing) or stencil (kind 3: likewise) is about to change; also a picture emptied by
// a delete.

#include "image/AdjustImage.h"
#include "platform/base/Object.h"
#include "platform/base/String.h"

class CUndoObject : public CObject {
    DECLARE_DYNCREATE(CUndoObject)
public:
    CUndoObject();
    CUndoObject(int kind, const CString& path, int index);
    // Also copies the settings and the picture state of adjust.
    CUndoObject(int kind, const CString& path, int index, const CAdjustImage& adjust);

    CString GetPath() const { return m_strPath; }
    int GetKind() const { return m_nKind; }
    int GetIndex() const { return m_nIndex; }
    const CAdjustImage& GetSettings() const { return m_settings; }

private:
    CString m_strPath;
    int m_nKind = -1;
    int m_nIndex = -1;
    CAdjustImage m_settings{false};
};
