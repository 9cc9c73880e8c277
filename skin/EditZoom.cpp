#include "skin/EditZoom.h"

#include "skin/StepFieldOwner.h"

BOOL CEditZoom::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message != WM_COMMAND || HIWORD(static_cast<DWORD>(wParam)) != EN_KILLFOCUS)
        return CEdit::OnChildNotify(message, wParam, lParam, result);
    if (auto* owner = dynamic_cast<IStepFieldOwner*>(GetParent()))
        owner->OnStepFieldDone(this);
    return TRUE;
}
