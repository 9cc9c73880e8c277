#pragma once
// CUndoLayers: a layer change of the object at an index: 0 sent to the back, 1 moved forward, 2 moved
// backward, 3 brought to the front.

#include "platform/base/Object.h"

class CUndoLayers : public CObject {
    DECLARE_DYNCREATE(CUndoLayers)
public:
    CUndoLayers() = default;
    CUndoLayers(int index, int operation) : m_nIndex(index), m_nOperation(operation) {}

    int GetIndex() const { return m_nIndex; }
    int GetOperation() const { return m_nOperation; }

private:
    int m_nIndex = -1;
    int m_nOperation = -1;
};
