#pragma once
// CUndoCopyObj: a text or clipart object that a paste added at an index.

#include "platform/base/Object.h"

class CUndoCopyObj : public CObject {
    DECLARE_DYNCREATE(CUndoCopyObj)
public:
    CUndoCopyObj() = default;
    explicit CUndoCopyObj(int index) : m_nIndex(index) {}

    int GetIndex() const { return m_nIndex; }

private:
    int m_nIndex = -1;
};
