#pragma once
// CDeleteImageDlg: asks, before the page canvas deletes its selected picture objects, whether to take
// off their stencils, their mats, or the pictures themselves. The check boxes of stencil and mat start
// 0 (none of the pictures carries one), 1 (all do) or 2 (some do, indeterminate).

#include "platform/ui/Button.h"
#include "platform/ui/Dialog.h"

struct DeleteImageOptions;

class CDeleteImageDlg : public CDialog {
public:
    CDeleteImageDlg(int stencilState, int matState, CWnd* parent = nullptr);

    // After IDOK: the mat state, the stencil state, and whether the pictures go.
    int GetOption1() const { return m_nMatState; }
    int GetOption2() const { return m_nStencilState; }
    bool GetOption3() const { return m_nPictures != 0; }

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void OnStencil();
    void OnMat();
    void OnPictures();
    // A click turns "off" on, and "on" or "some" off.
    static void Cycle(int& state);

    CButton m_StencilButton;
    CButton m_MatButton;
    int m_nMatState;
    int m_nStencilState;
    int m_nPictures = 0;
};

// Runs the dialog over the active window and fills options on IDOK; the button's id. This is the page
// canvas's delete question (IPageDialogs::RunDeleteImage).
int RunDeleteImageDlg(int stencilState, int matState, DeleteImageOptions& options);
