#pragma once
// Message boxes as Qt's modal message box, with the German button texts of the system's boxes. The
// program installs it at start-up (SetMessageBoxPresenter).

#include "platform/ui/MessageBoxPresenter.h"

class CQtMessageBoxPresenter final : public IMessageBoxPresenter {
public:
    int Show(HWND owner, const CString& text, const CString& caption, UINT style) override;
};
