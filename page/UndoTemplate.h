#pragma once
// CUndoTemplate: the whole page before it is replaced, as its undo copy.

#include "platform/base/Object.h"

class CTemplate;

class CUndoTemplate : public CObject {
    DECLARE_DYNCREATE(CUndoTemplate)
public:
    CUndoTemplate() = default;
    // The page's undo copy, or null for a null page.
    explicit CUndoTemplate(const CTemplate* page);
    // Deletes the copy it holds.
    ~CUndoTemplate() override;

    CTemplate* GetTemplate() const { return m_pTemplate; }
    // Replaces the pointer without freeing the old copy: the caller has taken it.
    void SetTemplate(CTemplate* page) { m_pTemplate = page; }

private:
    CTemplate* m_pTemplate = nullptr;
};
