#pragma once
// What the page canvas asks of the main window, answered from the main window's page, picture, mat,
// stencil, undo list and category panel.

#include "page/MainWndServices.h"

class CMainWnd;

class CMainWndPageServices final : public IMainWndServices {
public:
    explicit CMainWndPageServices(CMainWnd& window) : m_window(window) {}

    CTemplate* GetTemplate() override;
    // The canvas's selection goes first: it points into the page being replaced.
    void SetTemplate(CTemplate* page) override;
    CTemplate* GetNormalModeSource() override;
    CWorkBitmap* GetWorkBitmap() override;
    CMat* GetMat() override;
    void SetMat(CMat* mat) override;
    CStencil* GetNormalStencil() override;
    // The main window keeps what it is given and deletes the stencil before.
    void SetNormalStencil(CStencil* stencil) override;
    BOOL IsFlagClear() override;
    void SetStretchFlag(BOOL stretch) override;
    void AddUndo(CObject* record) override;
    void SetModified(BOOL modified) override;
    BOOL OnSaveProject() override;
    ICategorySelection* GetCategWnd() override;
    void UpdateTwoColorsButton() override;

private:
    CMainWnd& m_window;
};
