#pragma once
// CSplashDlg: the picture shown while the program starts: black over the whole desktop with the splash
// bitmap in the centre, above every other window. It goes after five seconds or on a click (and on a key
// when asked to), and deletes its own object when its window is destroyed. Create it with new.

#include "platform/gdi/Bitmap.h"
#include "platform/ui/Dialog.h"

class CSplashDlg : public CDialog {
public:
    explicit CSplashDlg(CWnd* parent = nullptr);
    CSplashDlg(BOOL closeOnKey, CWnd* parent);
    ~CSplashDlg() override;

    using CDialog::Create;
    // Creates the window from its template; show it with SW_SHOWMAXIMIZED afterwards.
    BOOL Create();

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;
    void OnTimer(UINT_PTR id) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnDestroy() override;
    void PostNcDestroy() override;

private:
    void FitToDesktop();
    BOOL LoadSplashBitmap();

    CBitmap m_Bitmap;
    BYTE m_bCloseOnKey = FALSE;
    int m_nWidth = 0;
    int m_nHeight = 0;
};
