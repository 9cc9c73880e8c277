// The undo record of a deleted text or clipart.
#include "page/UndoDeleteDrawObj.h"

#include "page/DrawObj.h"

IMPLEMENT_DYNCREATE(CUndoDeleteDrawObj, CObject)

CUndoDeleteDrawObj::CUndoDeleteDrawObj(CDrawObj* object, int index)
    : m_pObject(object->Clone()), m_nIndex(index) {}

CUndoDeleteDrawObj::~CUndoDeleteDrawObj() {
    delete m_pObject;
}

CDrawObj* CUndoDeleteDrawObj::Detach() {
    CDrawObj* object = m_pObject;
    m_pObject = nullptr;
    return object;
}

BOOL CUndoDeleteDrawObj::IsTextOrClipart(CObject* object) {
    return CDrawObj::IsTextOrClipart(object);
}
