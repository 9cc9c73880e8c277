#pragma once
// CUndoDeleteDrawObj: a text or clipart object deleted from an index, kept as a clone.

#include "platform/base/Object.h"

class CDrawObj;

class CUndoDeleteDrawObj : public CObject {
    DECLARE_DYNCREATE(CUndoDeleteDrawObj)
public:
    CUndoDeleteDrawObj() = default;
    // Keeps a clone of object, which must not be null.
    CUndoDeleteDrawObj(CDrawObj* object, int index);
    // Deletes the clone unless it was detached.
    ~CUndoDeleteDrawObj() override;

    // Hands the clone over to the caller.
    CDrawObj* Detach();
    int GetIndex() const { return m_nIndex; }
    static BOOL IsTextOrClipart(CObject* object);

private:
    CDrawObj* m_pObject = nullptr;
    int m_nIndex = -1;
};
