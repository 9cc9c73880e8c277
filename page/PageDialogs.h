#pragma once
// The dialogs of other subsystems that the page canvas opens: the font properties, the position, the
// delete-pictures question and the save-project prompt. Their owners implement them and install the
// implementation at start-up; tests install a fake. Until then every dialog answers Cancel.

#include "platform/base/WinTypes.h"

class CDrawObj;
class CDrawText;
class CWnd;

// What the position dialog holds after OK: the size and place in page units and the angle in degrees.
struct ObjPosition {
    int width = 0;
    int height = 0;
    int x = 0;
    int y = 0;
    double angle = 0.0;
};

// The delete dialog's options after OK: which of mats and stencils to take off (0 none, 1 all, 2 as
// they were) and whether to clear the pictures themselves.
struct DeleteImageOptions {
    int mats = 0;
    int stencils = 0;
    bool pictures = false;
};

class IPageDialogs {
public:
    virtual ~IPageDialogs() = default;

    // Edits the text object's font, colour and text in place; the button's id.
    virtual int RunFontProperties(CDrawText* text, CWnd* parent) = 0;
    // On IDOK, position holds what the user chose.
    virtual int RunObjPosition(CDrawObj* object, ObjPosition& position) = 0;
    // States 0 (none), 1 (all) or 2 (some of the pictures carry one); on IDOK, options are filled.
    virtual int RunDeleteImage(int stencilState, int matState, DeleteImageOptions& options) = 0;
    // IDCANCEL, IDYES (save first) or another answer (go on without saving).
    virtual int RunSaveProject() = 0;
};

// Installs the dialogs (null goes back to the built-in ones); the caller keeps ownership.
void SetPageDialogs(IPageDialogs* dialogs);
IPageDialogs& PageDialogs();
