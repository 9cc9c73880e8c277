// The installed main window and dialogs of the page canvas, and the built-in stand-ins that answer as if
// there were no page and every dialog were cancelled.

#include "library/Mat.h"
#include "library/Stencil.h"
#include "page/MainWndServices.h"
#include "page/PageDialogs.h"
#include "page/Template.h"
#include "platform/base/MessageBoxStyles.h"

namespace {

class CNoMainWnd final : public IMainWndServices {
public:
    CTemplate* GetTemplate() override { return nullptr; }
    void SetTemplate(CTemplate* page) override;
    CTemplate* GetNormalModeSource() override { return nullptr; }
    CWorkBitmap* GetWorkBitmap() override { return nullptr; }
    CMat* GetMat() override { return nullptr; }
    void SetMat(CMat* mat) override;
    CStencil* GetNormalStencil() override { return nullptr; }
    void SetNormalStencil(CStencil* stencil) override;
    BOOL IsFlagClear() override { return TRUE; }
    void SetStretchFlag(BOOL) override {}
    void AddUndo(CObject* record) override;
    void SetModified(BOOL) override {}
    BOOL OnSaveProject() override { return FALSE; }
    ICategorySelection* GetCategWnd() override { return nullptr; }
    void UpdateTwoColorsButton() override {}
};

class CNoPageDialogs final : public IPageDialogs {
public:
    int RunFontProperties(CDrawText*, CWnd*) override { return IDCANCEL; }
    int RunObjPosition(CDrawObj*, ObjPosition&) override { return IDCANCEL; }
    int RunDeleteImage(int, int, DeleteImageOptions&) override { return IDCANCEL; }
    int RunSaveProject() override { return IDCANCEL; }
};

IMainWndServices* g_mainWnd = nullptr;
IPageDialogs* g_dialogs = nullptr;

} // namespace

// Without a main window nothing keeps what is handed over, so it is freed here.
void CNoMainWnd::SetTemplate(CTemplate* page) {
    delete page;
}

void CNoMainWnd::SetMat(CMat* mat) {
    delete mat;
}

void CNoMainWnd::SetNormalStencil(CStencil* stencil) {
    delete stencil;
}

void CNoMainWnd::AddUndo(CObject* record) {
    delete record;
}

void SetMainWndServices(IMainWndServices* services) {
    g_mainWnd = services;
}

IMainWndServices& MainWndServices() {
    static CNoMainWnd none;
    return g_mainWnd ? *g_mainWnd : none;
}

void SetPageDialogs(IPageDialogs* dialogs) {
    g_dialogs = dialogs;
}

IPageDialogs& PageDialogs() {
    static CNoPageDialogs none;
    return g_dialogs ? *g_dialogs : none;
}
