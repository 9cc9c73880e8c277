// The editing dialogs' calls, handed to the main window.
#include "app/MainWndEditingOwner.h"

#include "app/MainWnd.h"

CAdjustImage* CMainWndEditingOwner::GetEffectsTarget() {
    return m_window.GetStepTarget(false).picture;
}

void CMainWndEditingOwner::RedrawPreview() {
    m_window.RedrawPreview();
}

void CMainWndEditingOwner::UpdateTwoColorsButton() {
    m_window.UpdateTwoColorsButton();
}

void CMainWndEditingOwner::PlayButtonSound(LPCTSTR fileName) {
    m_window.PlaySoundFile(fileName);
}

BOOL CMainWndEditingOwner::ChooseTwoColors(CWnd* parent, COLORREF& first, COLORREF& second) {
    return m_window.ChooseTwoColors(parent, first, second);
}

void CMainWndEditingOwner::DecreasePictureOffsetX() {
    m_window.DecreasePictureOffsetX();
}

void CMainWndEditingOwner::IncreasePictureOffsetX() {
    m_window.IncreasePictureOffsetX();
}

void CMainWndEditingOwner::DecreasePictureOffsetY() {
    m_window.DecreasePictureOffsetY();
}

void CMainWndEditingOwner::IncreasePictureOffsetY() {
    m_window.IncreasePictureOffsetY();
}

void CMainWndEditingOwner::IncreasePictureZoom() {
    m_window.IncreasePictureZoom();
}

void CMainWndEditingOwner::DecreasePictureZoom() {
    m_window.DecreasePictureZoom();
}

void CMainWndEditingOwner::IncreasePictureRotation() {
    m_window.IncreasePictureRotation();
}

void CMainWndEditingOwner::DecreasePictureRotation() {
    m_window.DecreasePictureRotation();
}

void CMainWndEditingOwner::OnUndo() {
    m_window.OnUndo();
}

void CMainWndEditingOwner::SetAdjustmentValue(int value) {
    m_window.SetAdjustmentValue(value);
}
