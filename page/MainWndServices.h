#pragma once
// What the page canvas asks of the main window, which owns the page, the normal-mode picture, its mat
// and stencil, the category panel and the undo list. The main window implements it and installs itself
// at start-up; tests install a fake. Until then there is no page, so nothing can be selected.

#include "platform/base/WinTypes.h"

class ICategorySelection;
class CMat;
class CObject;
class CStencil;
class CTemplate;
class CWorkBitmap;

class IMainWndServices {
public:
    virtual ~IMainWndServices() = default;

    // The current edit-mode page, or null. The main window keeps it.
    virtual CTemplate* GetTemplate() = 0;
    // Takes over the template in every case: it becomes (or gives its pictures to) the new page, or is
    // deleted. The canvas's selection is cleared first.
    virtual void SetTemplate(CTemplate* page) = 0;
    // The normal-mode page, its working picture, mat and stencil; each may be null and stays the main
    // window's.
    virtual CTemplate* GetNormalModeSource() = 0;
    virtual CWorkBitmap* GetWorkBitmap() = 0;
    virtual CMat* GetMat() = 0;
    // Deletes the old mat and keeps the new one (null allowed).
    virtual void SetMat(CMat* mat) = 0;
    virtual CStencil* GetNormalStencil() = 0;
    // Takes the stencil over (null allowed) and deletes the one before.
    virtual void SetNormalStencil(CStencil* stencil) = 0;
    // Clear: the normal-mode picture keeps its proportions; set: it is stretched to its frames.
    virtual BOOL IsFlagClear() = 0;
    virtual void SetStretchFlag(BOOL stretch) = 0;
    // Appends an undo record, which the undo list owns from then on.
    virtual void AddUndo(CObject* record) = 0;
    virtual void SetModified(BOOL modified) = 0;
    // Asks for a file name and saves the project; FALSE when cancelled or not written.
    virtual BOOL OnSaveProject() = 0;
    // The category panel under the page, or null.
    virtual ICategorySelection* GetCategWnd() = 0;
    virtual void UpdateTwoColorsButton() = 0;
};

// Installs the services (null goes back to the built-in ones, which hold no page and keep nothing);
// the caller keeps ownership.
void SetMainWndServices(IMainWndServices* services);
IMainWndServices& MainWndServices();
