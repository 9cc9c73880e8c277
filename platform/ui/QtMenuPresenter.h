#pragma once
// The program's menu presenter: a QMenu with the menu's items, shown at the point until chosen.

#include "platform/ui/MenuPresenter.h"

class CQtMenuPresenter final : public IMenuPresenter {
public:
    UINT Track(HWND owner, CMenu& menu, POINT point) override;
};
