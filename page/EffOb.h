#pragma once
// CEffOb: a picture's whole adjustment state before an editing step. Its index names the picture object
// in the edit-mode page, -1 the normal-mode picture (and every record of the effects dialog).

#include "image/AdjustImage.h"
#include "platform/base/Object.h"

#include <memory>

class CEffOb : public CObject {
    DECLARE_DYNCREATE(CEffOb)
public:
    // No snapshot, index -1.
    CEffOb();
    // Takes the snapshot over.
    CEffOb(CAdjustImage* snapshot, int index);
    ~CEffOb() override;

    int GetObjectIndex() const { return m_nIndex; }
    // Null in an empty record.
    const CAdjustImage* GetSnapshot() const { return m_snapshot.get(); }

private:
    std::unique_ptr<CAdjustImage> m_snapshot;
    int m_nIndex = -1;
};
