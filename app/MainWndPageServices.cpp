#include "app/MainWndPageServices.h"

#include "app/CategoryPanel.h"
#include "app/MainWnd.h"
#include "page/PreviewWnd.h"

CTemplate* CMainWndPageServices::GetTemplate() {
    return m_window.GetTemplate();
}

void CMainWndPageServices::SetTemplate(CTemplate* page) {
    if (auto* canvas = dynamic_cast<CPreviewWnd*>(m_window.GetPreviewWnd()))
        canvas->ClearSelection();
    m_window.SetTemplate(page);
}

CTemplate* CMainWndPageServices::GetNormalModeSource() {
    return m_window.GetNormalModeSource();
}

CWorkBitmap* CMainWndPageServices::GetWorkBitmap() {
    return m_window.GetWorkBitmap();
}

CMat* CMainWndPageServices::GetMat() {
    return m_window.GetMat();
}

void CMainWndPageServices::SetMat(CMat* mat) {
    m_window.SetMat(mat);
}

CStencil* CMainWndPageServices::GetNormalStencil() {
    return m_window.GetNormalStencil();
}

void CMainWndPageServices::SetNormalStencil(CStencil* stencil) {
    m_window.SetStencil(stencil);
}

BOOL CMainWndPageServices::IsFlagClear() {
    return m_window.IsFlagClear();
}

void CMainWndPageServices::SetStretchFlag(BOOL stretch) {
    m_window.SetPageOption(stretch ? 1 : 0);
}

BOOL CMainWndPageServices::OnSaveProject() {
    return m_window.OnSaveProject();
}

void CMainWndPageServices::AddUndo(CObject* record) {
    m_window.AddUndo(record);
}

void CMainWndPageServices::SetModified(BOOL modified) {
    m_window.SetModified(modified ? 1 : 0);
}

ICategorySelection* CMainWndPageServices::GetCategWnd() {
    return m_window.GetCategoryPanel();
}

void CMainWndPageServices::UpdateTwoColorsButton() {
    m_window.UpdateTwoColorsButton();
}
