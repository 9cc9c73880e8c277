#pragma once
// CUndoReplace: an exchange between two picture objects: their mats (0), stencils (1) or everything (2).

#include "platform/base/Object.h"

class CUndoReplace : public CObject {
    DECLARE_DYNCREATE(CUndoReplace)
public:
    CUndoReplace() = default;
    CUndoReplace(int kind, int firstIndex, int secondIndex)
        : m_nKind(kind), m_nSecondIndex(secondIndex), m_nFirstIndex(firstIndex) {}

    int GetKind() const { return m_nKind; }
    int GetFirstIndex() const { return m_nFirstIndex; }
    int GetSecondIndex() const { return m_nSecondIndex; }

private:
    int m_nKind = -1;
    int m_nSecondIndex = -1;
    int m_nFirstIndex = -1;
};
