// The undo record of a whole page.
#include "page/UndoTemplate.h"

#include "page/Template.h"

IMPLEMENT_DYNCREATE(CUndoTemplate, CObject)

CUndoTemplate::CUndoTemplate(const CTemplate* page) : m_pTemplate(page ? page->CloneForUndo() : nullptr) {}

CUndoTemplate::~CUndoTemplate() {
    delete m_pTemplate;
}
