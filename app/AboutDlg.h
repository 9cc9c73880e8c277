#pragma once
// CAboutDlg: the about box. It shows the about picture at its own size, with the application's about
// text as a shadowed line at the top right; a click anywhere closes it. Without the picture it keeps its
// template.

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Dc.h"
#include "platform/ui/Dialog.h"

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(CWnd* parent = nullptr);
    ~CAboutDlg() override;

protected:
    BOOL OnInitDialog() override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnDestroy() override;

private:
    BOOL LoadAboutBitmap();
    void FreePicture();

    CDC m_MemDC;
    CBitmap m_Bitmap;
    CBitmap* m_pOldBitmap = nullptr;
    int m_nWidth = 550;
    int m_nHeight = 579;
};
