// The web page's Save As dialog: its two linked size fields, its open flag, and its hook.

#include "output/HtmlSaveDlg.h"

#include "platform/base/AppServices.h"
#include "platform/base/Resource.h"

#include <algorithm>

namespace {

constexpr int kWidthId = 1013;
constexpr int kHeightId = 1014;
constexpr int kOpenAfterSavingId = 1015;
constexpr UINT kFilterId = 271;
// Sides of 2 pixels or less are typing in progress, not sizes.
constexpr int kSmallestTyped = 3;

// The hook the dialog came with, which the dialog's own gets every message after it.
LPOFNHOOKPROC g_keptHook = nullptr;

} // namespace

CHtmlSaveDlg::CHtmlSaveDlg(int* size, BOOL* openAfterSaving, float aspectRatio, LPCTSTR filter, CWnd* parent)
    : CFileDialog(FALSE, "htm", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter, parent),
      m_pSize(size), m_aspectRatio(aspectRatio), m_pOpenAfterSaving(openAfterSaving) {}

BOOL CHtmlSaveDlg::OnInitDialog() {
    CFileDialog::OnInitDialog();
    SetDlgItemInt(kWidthId, static_cast<UINT>(m_pSize[0]), TRUE);
    SetDlgItemInt(kHeightId, static_cast<UINT>(m_pSize[1]), TRUE);
    CheckDlgButton(kOpenAfterSavingId, *m_pOpenAfterSaving ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

bool CHtmlSaveDlg::ReadSide(int id, int stored, int& side) {
    BOOL number = FALSE;
    const int typed = static_cast<int>(GetDlgItemInt(id, &number, TRUE));
    if (!number || typed < kSmallestTyped || typed == stored)
        return false;
    side = std::min(typed, kLargestSide);
    if (side != typed)
        SetDlgItemInt(id, static_cast<UINT>(side), TRUE);
    return true;
}

void CHtmlSaveDlg::WriteSide(int id, double side, int& stored) {
    stored = static_cast<int>(std::min(side + 0.5, static_cast<double>(kLargestSide)));
    SetDlgItemInt(id, static_cast<UINT>(stored), TRUE);
}

void CHtmlSaveDlg::OnWidthChange() {
    int width = 0;
    if (!ReadSide(kWidthId, m_pSize[0], width))
        return;
    m_pSize[0] = width;
    // Without a ratio the other side cannot follow.
    if (m_aspectRatio > 0.0f)
        WriteSide(kHeightId, width * static_cast<double>(m_aspectRatio), m_pSize[1]);
}

void CHtmlSaveDlg::OnHeightChange() {
    int height = 0;
    if (!ReadSide(kHeightId, m_pSize[1], height))
        return;
    m_pSize[1] = height;
    if (m_aspectRatio > 0.0f)
        WriteSide(kWidthId, height / static_cast<double>(m_aspectRatio), m_pSize[0]);
}

void CHtmlSaveDlg::OnOpenFlagChange() {
    *m_pOpenAfterSaving = IsDlgButtonChecked(kOpenAfterSavingId) == BST_CHECKED ? TRUE : FALSE;
}

UINT_PTR HtmlSaveDlgHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        auto* dialog = dynamic_cast<CHtmlSaveDlg*>(CWnd::FromHandlePermanent(window));
        if (!dialog && (CWnd::FromHandle(window)->GetStyle() & WS_CHILD))
            dialog = dynamic_cast<CHtmlSaveDlg*>(CWnd::FromHandlePermanent(::GetParent(window)));
        if (dialog) {
            const UINT id = LOWORD(static_cast<DWORD>(wParam));
            const WORD code = HIWORD(static_cast<DWORD>(wParam));
            if (code == EN_CHANGE && id == kWidthId)
                dialog->OnWidthChange();
            else if (code == EN_CHANGE && id == kHeightId)
                dialog->OnHeightChange();
            else if (id == kOpenAfterSavingId)
                dialog->OnOpenFlagChange();
        }
    }
    return g_keptHook ? g_keptHook(window, message, wParam, lParam) : 0;
}

CString RunHtmlSaveDialog(int size[2], BOOL* openAfterSaving, float aspectRatio, CWnd* parent) {
    const CString filter = AppServices().LoadString(kFilterId);
    CHtmlSaveDlg dialog(size, openAfterSaving, aspectRatio, filter, parent);
    dialog.m_ofn.hInstance = AfxGetResourceHandle();
    dialog.m_ofn.Flags |= OFN_ENABLETEMPLATE;
    dialog.m_ofn.lpTemplateName = MAKEINTRESOURCE(CHtmlSaveDlg::kTemplateId);
    g_keptHook = dialog.m_ofn.lpfnHook;
    dialog.m_ofn.lpfnHook = HtmlSaveDlgHook;
    return dialog.DoModal() == IDOK ? dialog.GetPathName() : CString();
}
