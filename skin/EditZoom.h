#pragma once
// CEditZoom: a step field of the move panel; when it loses the focus it hands its value to the panel.

#include "platform/ui/Edit.h"

class CEditZoom : public CEdit {
public:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
