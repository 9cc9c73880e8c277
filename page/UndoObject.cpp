// The undo record of one picture object.
#include "page/UndoObject.h"

IMPLEMENT_DYNCREATE(CUndoObject, CObject)

CUndoObject::CUndoObject() = default;

CUndoObject::CUndoObject(int kind, const CString& path, int index)
    : m_strPath(path), m_nKind(kind), m_nIndex(index) {}

CUndoObject::CUndoObject(int kind, const CString& path, int index, const CAdjustImage& adjust)
    : CUndoObject(kind, path, index) {
    m_settings.CopyFrom(&adjust);
}
