#include "app/AboutDlg.h"

#include "image/PictureInfo.h"
#include "platform/base/AppServices.h"
#include "platform/base/Module.h"
#include "platform/ui/PaintDC.h"

#include <memory>

namespace {
constexpr UINT kTemplateId = 100;
// The shadow is drawn one pixel below and left of the text.
constexpr int kTextRightMargin = 14;
constexpr int kTextTop = 4;
} // namespace

CAboutDlg::CAboutDlg(CWnd* parent) : CDialog(kTemplateId, parent) {}

CAboutDlg::~CAboutDlg() {
    FreePicture();
}

BOOL CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (!LoadAboutBitmap())
        return TRUE;
    MoveWindow(0, 0, m_nWidth, m_nHeight, FALSE);
    CenterWindow();
    CClientDC dc(this);
    m_MemDC.CreateCompatibleDC(&dc);
    m_pOldBitmap = m_MemDC.SelectObject(&m_Bitmap);
    if (CWnd* ok = GetDlgItem(IDOK))
        ok->ShowWindow(SW_HIDE);
    return TRUE;
}

BOOL CAboutDlg::LoadAboutBitmap() {
    auto picture = std::make_unique<CPictureInfo>();
    if (!picture->ReadBmpFile(GetProgramFolder() + "/qz_about.deu"))
        return FALSE;
    if (!picture->Is24Bit()) {
        std::unique_ptr<CPictureInfo> converted(picture->ConvertTo24Bit());
        if (!converted)
            return FALSE;
        picture = std::move(converted);
    }
    std::unique_ptr<CBitmap> bitmap(picture->CreateBitmap());
    if (!bitmap)
        return FALSE;
    m_Bitmap.Attach(bitmap->Detach());
    m_nWidth = picture->GetWidth();
    m_nHeight = picture->GetHeight();
    return TRUE;
}

void CAboutDlg::OnPaint() {
    CPaintDC dc(this);
    if (!m_pOldBitmap)
        return;
    dc.BitBlt(0, 0, m_nWidth, m_nHeight, &m_MemDC, 0, 0, SRCCOPY);
    const CString text = AppServices().GetAboutText();
    if (text.IsEmpty())
        return;
    CRect client;
    GetClientRect(&client);
    CRect measured;
    dc.DrawText(text, &measured, DT_CALCRECT);
    const int left = client.Width() - measured.Width() - kTextRightMargin;
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(0, 0, 0));
    CRect shadow(left - 1, kTextTop + 1, left - 1 + measured.Width(), kTextTop + 1 + measured.Height());
    dc.DrawText(text, &shadow, DT_NOCLIP);
    dc.SetTextColor(RGB(255, 255, 255));
    CRect line(left, kTextTop, left + measured.Width(), kTextTop + measured.Height());
    dc.DrawText(text, &line, DT_NOCLIP);
}

BOOL CAboutDlg::OnEraseBkgnd(CDC* /*dc*/) {
    return TRUE;
}

void CAboutDlg::OnLButtonDown(UINT /*flags*/, CPoint /*point*/) {
    EndDialog(IDCANCEL);
}

void CAboutDlg::OnDestroy() {
    FreePicture();
    CDialog::OnDestroy();
}

void CAboutDlg::FreePicture() {
    if (m_pOldBitmap) {
        m_MemDC.SelectObject(m_pOldBitmap);
        m_pOldBitmap = nullptr;
    }
    m_MemDC.DeleteDC();
    m_Bitmap.DeleteObject();
}
