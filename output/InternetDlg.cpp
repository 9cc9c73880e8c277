// The internet panel: its place beside the button that opened it, its skin, and its two commands.

#include "output/InternetDlg.h"

#include "editing/SkinnedPanel.h"
#include "output/PrintMainWnd.h"
#include "platform/base/AppServices.h"
#include "platform/base/Resource.h"
#include "platform/gdi/Region.h"
#include "platform/ui/PaintDC.h"

#include <array>

namespace {

constexpr int kFocusHolderId = 1066;
constexpr UINT kEmailTip = 272;
constexpr UINT kPublishTip = 273;
constexpr DWORD kKeyStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | BS_OWNERDRAW;

using Polygon = std::array<POINT, 5>;
constexpr Polygon kClosePolygon{{{1, 0}, {14, 0}, {14, 15}, {0, 15}, {0, 0}}};
constexpr Polygon kKeyPolygon{{{1, 0}, {33, 0}, {33, 27}, {0, 27}, {0, 0}}};

struct Key {
    int id;
    CRect rect;
    const Polygon* polygon;
    const char* up;
    const char* down;
    const char* focus;
};

// The panel's keys in the order they are made.
const Key kKeys[] = {
    {IDOK, CRect(155, 2, 169, 17), &kClosePolygon, "CLOSEU", "CLOSED", "CLOSEF"},
    {CInternetDlg::kPublishId, CRect(26, 15, 58, 46), &kKeyPolygon, "PUBLISH_WEB_BUTTONU",
     "PUBLISH_WEB_BUTTOND", "PUBLISH_WEB_BUTTONF"},
    {CInternetDlg::kEmailId, CRect(65, 15, 90, 46), &kKeyPolygon, "EMAIL_BUTTONU", "EMAIL_BUTTOND",
     "EMAIL_BUTTONF"},
};

bool MakeKey(CMyBitmapButton& button, const Key& key, CWnd* panel) {
    CRgn outline;
    CRgn pressed;
    if (!outline.CreatePolygonRgn(key.polygon->data(), static_cast<int>(key.polygon->size()), WINDING) ||
        !pressed.CreatePolygonRgn(key.polygon->data(), static_cast<int>(key.polygon->size()), WINDING))
        return false;
    if (!button.Create("", kKeyStyle, key.rect, panel, static_cast<UINT>(key.id)))
        return false;
    return button.SetRegions(&outline, &pressed, TRUE) && button.LoadBitmaps(key.up, key.down, key.focus);
}

} // namespace

CInternetDlg::CInternetDlg(const POINT* anchor, CWnd* parent)
    : CDialog(kTemplateId, parent), m_anchor(anchor) {}

BOOL CInternetDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowPos(nullptr, m_anchor->x + 2, m_anchor->y, kWidth, kHeight, SWP_NOZORDER);
    if (!LoadBackground()) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    // A panel whose keys failed stays open with those it has, without tips.
    if (CreateButtons())
        AddToolTips();
    return TRUE;
}

bool CInternetDlg::LoadBackground() {
    return m_background.Load("INTERNET_WINDOW", this);
}

bool CInternetDlg::CreateButtons() {
    // A panel without its focus holder still works; the focus then stays where it is.
    m_focusHolder.Create("", WS_CHILD | WS_TABSTOP, CRect(0, 0, 0, 0), this, kFocusHolderId);
    CMyBitmapButton* buttons[] = {&m_closeButton, &m_publishButton, &m_emailButton};
    for (size_t i = 0; i < std::size(kKeys); ++i)
        if (!MakeKey(*buttons[i], kKeys[i], this))
            return false;
    return true;
}

void CInternetDlg::AddToolTips() {
    if (!m_toolTip.Create(this))
        return;
    m_toolTip.Activate(TRUE);
    // The tips' texts live in the text module.
    AfxSetResourceHandle(AppServices().GetTextModule());
    m_toolTip.AddTool(&m_publishButton, kPublishTip);
    m_toolTip.AddTool(&m_emailButton, kEmailTip);
    AfxSetResourceHandle(AppServices().GetResourceModule());
}

BOOL CInternetDlg::PreTranslateMessage(MSG* message) {
    if (m_toolTip.GetSafeHwnd())
        m_toolTip.RelayEvent(message);
    return CDialog::PreTranslateMessage(message);
}

BOOL CInternetDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(static_cast<DWORD>(wParam)) == BN_CLICKED) {
        switch (LOWORD(static_cast<DWORD>(wParam))) {
        case kPublishId:
            OnPublishWeb();
            return TRUE;
        case kEmailId:
            OnEmail();
            return TRUE;
        default:
            break;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CInternetDlg::OnPublishWeb() {
    EndDialog(IDOK);
    if (IPrintMainWnd* mainWnd = GetPrintMainWnd())
        mainWnd->ExportHtml();
}

void CInternetDlg::OnEmail() {
    EndDialog(IDOK);
    if (IPrintMainWnd* mainWnd = GetPrintMainWnd())
        mainWnd->SendByMail();
}

void CInternetDlg::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    m_background.Paint(&dc, client.Width(), client.Height());
}

BOOL CInternetDlg::OnEraseBkgnd(CDC* /*dc*/) {
    return TRUE;
}

LRESULT CInternetDlg::OnNcHitTest(CPoint /*point*/) {
    // The borderless panel moves by its background.
    return HTCAPTION;
}

BOOL CInternetDlg::OnSetCursor(CWnd* window, UINT hitTest, UINT message) {
    FocusUnderPointer(this, window, kFocusHolderId);
    return CDialog::OnSetCursor(window, hitTest, message);
}
