// The undo record of a delete.
#include "page/UndoDelete.h"

#include "page/UndoDeleteDrawObj.h"
#include "page/UndoObject.h"

IMPLEMENT_DYNCREATE(CUndoDelete, CObject)

CUndoDelete::~CUndoDelete() {
    for (POSITION pos = m_records.GetHeadPosition(); pos;) {
        auto* record = static_cast<CObject*>(m_records.GetNext(pos));
        if (record && (record->IsKindOf(RUNTIME_CLASS(CUndoObject)) ||
                       record->IsKindOf(RUNTIME_CLASS(CUndoDeleteDrawObj))))
            delete record;
    }
    m_records.RemoveAll();
}
