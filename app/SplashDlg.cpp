#include "app/SplashDlg.h"

#include "image/PictureInfo.h"
#include "platform/base/Module.h"
#include "platform/ui/PaintDC.h"

#include <memory>

namespace {
constexpr UINT kTemplateId = 270;
constexpr UINT_PTR kCloseTimer = 1;
constexpr UINT kShowMilliseconds = 5000;
} // namespace

CSplashDlg::CSplashDlg(CWnd* parent) : CSplashDlg(FALSE, parent) {}

CSplashDlg::CSplashDlg(BOOL closeOnKey, CWnd* parent)
    : CDialog(kTemplateId, parent), m_bCloseOnKey(closeOnKey ? 1 : 0) {}

CSplashDlg::~CSplashDlg() {
    m_Bitmap.DeleteObject();
}

BOOL CSplashDlg::Create() {
    return CDialog::Create(kTemplateId, m_pParentWnd);
}

void CSplashDlg::DoDataExchange(CDataExchange* /*exchange*/) {}

BOOL CSplashDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    FitToDesktop();
    if (!LoadSplashBitmap()) {
        // Nothing to show: the window goes as soon as its creator is done with it.
        EndDialog(IDCANCEL);
        PostMessage(WM_CLOSE);
        return TRUE;
    }
    SetTimer(kCloseTimer, kShowMilliseconds);
    return TRUE;
}

void CSplashDlg::FitToDesktop() {
    CRect desktop;
    GetDesktopWindow()->GetWindowRect(&desktop);
    MoveWindow(0, 0, desktop.Width(), desktop.Height(), TRUE);
}

BOOL CSplashDlg::LoadSplashBitmap() {
    CPictureInfo picture;
    if (!picture.ReadBmpFile(GetProgramFolder() + "/qz_splash.deu"))
        return FALSE;
    std::unique_ptr<CBitmap> bitmap(picture.CreateBitmap());
    if (!bitmap)
        return FALSE;
    m_Bitmap.Attach(bitmap->Detach());
    BITMAP info{};
    m_Bitmap.GetBitmap(&info);
    m_nWidth = info.bmWidth;
    m_nHeight = info.bmHeight;
    return TRUE;
}

// A modeless window is destroyed, not only hidden, so that its object goes too.
void CSplashDlg::OnCancel() {
    DestroyWindow();
}

void CSplashDlg::OnTimer(UINT_PTR id) {
    if (id != kCloseTimer) {
        CDialog::OnTimer(id);
        return;
    }
    DestroyWindow();
}

void CSplashDlg::OnPaint() {
    CPaintDC dc(this);
    CRect desktop;
    GetDesktopWindow()->GetWindowRect(&desktop);
    dc.FillSolidRect(&desktop, RGB(0, 0, 0));
    if (!m_Bitmap.GetSafeHandle())
        return;
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap* old = memory.SelectObject(&m_Bitmap);
    dc.BitBlt((desktop.right - desktop.left - m_nWidth) / 2, (desktop.bottom - desktop.top - m_nHeight) / 2,
              m_nWidth, m_nHeight, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}

BOOL CSplashDlg::OnEraseBkgnd(CDC* /*dc*/) {
    return TRUE;
}

void CSplashDlg::OnKeyDown(UINT key, UINT repeatCount, UINT flags) {
    if (!m_bCloseOnKey) {
        CDialog::OnKeyDown(key, repeatCount, flags);
        return;
    }
    PostMessage(WM_CLOSE);
}

// Closing destroys the object, so the close is queued rather than run inside this handler.
void CSplashDlg::OnLButtonDown(UINT /*flags*/, CPoint /*point*/) {
    PostMessage(WM_CLOSE);
}

void CSplashDlg::OnDestroy() {
    CDialog::OnDestroy();
    m_Bitmap.DeleteObject();
}

void CSplashDlg::PostNcDestroy() {
    delete this;
}
