// The undo record of the normal-mode picture.
#include "page/UndoNormal.h"

IMPLEMENT_DYNCREATE(CUndoNormal, CObject)

CUndoNormal::CUndoNormal() = default;

CUndoNormal::CUndoNormal(int index, const CAdjustImage* adjust) : m_nIndex(index) {
    m_settings.CopyFrom(adjust);
}

CUndoNormal::CUndoNormal(int index, const CString& path) : m_nIndex(index) {
    m_settings.SetFilePath(path);
}
