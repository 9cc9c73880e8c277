#pragma once
// CUndoDelete: the objects one delete removed: a CUndoObject per emptied picture and a
// CUndoDeleteDrawObj per deleted text or clipart, in the order of deletion.

#include "platform/base/Lists.h"
#include "platform/base/Object.h"

class CUndoDelete : public CObject {
    DECLARE_DYNCREATE(CUndoDelete)
public:
    CUndoDelete() = default;
    // Deletes every sub-record.
    ~CUndoDelete() override;

    // Sub-records, each a CObject*; the record owns them.
    CPtrList& GetList() { return m_records; }
    // Appends a sub-record, which the record then owns.
    void Add(CObject* record) { m_records.AddTail(record); }

private:
    CPtrList m_records;
};
