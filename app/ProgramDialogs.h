#pragma once
// The page canvas's dialogs as the program runs them: the font and position dialogs of the editing
// tools and the save-project prompt. The program installs one at start-up.

#include "page/PageDialogs.h"

class CProgramDialogs final : public IPageDialogs {
public:
    int RunFontProperties(CDrawText* text, CWnd* parent) override;
    int RunObjPosition(CDrawObj* object, ObjPosition& position) override;
    int RunDeleteImage(int stencilState, int matState, DeleteImageOptions& options) override;
    int RunSaveProject() override;
};
