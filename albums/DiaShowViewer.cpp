#include "albums/DiaShowViewer.h"

#include "image/PictureInfo.h"
#include "library/DSAlbum.h"
#include "library/DSObjMgr.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/ui/PaintDC.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CDiaShowViewer, CWnd)

namespace {

constexpr COLORREF kBackground = RGB(33, 97, 189);
constexpr COLORREF kTextColor = RGB(255, 255, 255);
constexpr int kFontHeight = 14;
constexpr int kTopMargin = 10;
constexpr int kBarHeight = 30;
constexpr int kTextMargin = 10;
constexpr UINT kLineFormat = DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;

} // namespace

CDiaShowViewer::CDiaShowViewer() : m_textColor(kTextColor) {}

CDiaShowViewer::~CDiaShowViewer() = default;

void CDiaShowViewer::SetStartIndex(CDSObj* entry) {
    m_pEntry = entry;
    if (m_pAlbum)
        m_nNumber = m_pAlbum->GetObjectIndex(entry) + 1;
}

CDiaShowViewer* CDiaShowViewer::Start(CDSAlbum* album, CDSObj* entry, CWnd* parent) {
    auto* viewer = new CDiaShowViewer;
    viewer->SetAlbum(album);
    viewer->SetStartIndex(entry);
    if (!viewer->CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                          CRect(0, 0, 0, 0), parent, 0)) {
        delete viewer; // a window that was never made sends no WM_NCDESTROY
        return nullptr;
    }
    return viewer;
}

DiaShowLayout CDiaShowViewer::MakeLayout(const CRect& screen) {
    DiaShowLayout layout;
    const int barTop = screen.bottom - kBarHeight;
    const int lineBottom = barTop + kBarHeight / 2;
    const int middle = screen.left + screen.Width() / 2;
    layout.pictureArea = CRect(screen.left, kTopMargin, screen.right, barTop);
    layout.pathBar = CRect(screen.left, barTop, screen.right, screen.bottom);
    layout.pathLine = CRect(screen.left + kTextMargin, barTop, screen.right - kTextMargin, lineBottom);
    layout.titleRect = CRect(screen.left + kTextMargin, lineBottom, middle, screen.bottom);
    layout.counterRect = CRect(middle, lineBottom, screen.right - kTextMargin, screen.bottom);
    return layout;
}

CRect CDiaShowViewer::PictureRect(const CRect& area, CSize picture) {
    if (picture.cx <= 0 || picture.cy <= 0)
        return CRect(area.left, area.top, area.left, area.top);
    const double scale =
        std::min({double(area.Width()) / picture.cx, double(area.Height()) / picture.cy, 1.0});
    const int width = static_cast<int>(picture.cx * scale);
    const int height = static_cast<int>(picture.cy * scale);
    const int left = area.left + (area.Width() - width) / 2;
    const int top = area.top + (area.Height() - height) / 2;
    return CRect(left, top, left + width, top + height);
}

int CDiaShowViewer::OnCreate(LPCREATESTRUCT create) {
    if (CWnd::OnCreate(create) == -1)
        return -1;
    m_pFont = std::make_unique<CFont>();
    m_pFont->CreateFont(kFontHeight, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");

    CRect screen;
    GetDesktopWindow()->GetWindowRect(&screen);
    MoveWindow(&screen, TRUE);
    m_layout = MakeLayout(CRect(0, 0, screen.Width(), screen.Height()));

    if (m_pAlbum && !m_pEntry) {
        m_pEntry = m_pAlbum->GetHeadObject();
        m_nNumber = 1;
    }
    if (m_pEntry)
        m_pPicture.reset(m_pEntry->LoadPicture());
    return 0;
}

void CDiaShowViewer::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, kBackground);
    if (m_pPicture)
        m_pPicture->DrawSmooth(
            &dc, PictureRect(m_layout.pictureArea, CSize(m_pPicture->GetWidth(), m_pPicture->GetHeight())),
            SRCCOPY);

    CFont* previousFont = dc.SelectObject(m_pFont.get());
    const COLORREF previousColor = dc.SetTextColor(m_textColor);
    const int previousMode = dc.SetBkMode(TRANSPARENT);
    if (m_pEntry) {
        CRect title = m_layout.titleRect;
        dc.DrawText(m_pEntry->GetTitle(), &title, DT_LEFT | DT_END_ELLIPSIS | kLineFormat);
        CRect path = m_layout.pathLine;
        const CString fullPath = GetDSObjMgr() ? GetDSObjMgr()->GetObjectFilePath(m_pEntry) : CString();
        dc.DrawText(fullPath, &path, DT_CENTER | DT_PATH_ELLIPSIS | kLineFormat);
    }
    if (m_pAlbum) {
        CString counter;
        counter.Format("Bild %d von %d", m_nNumber, m_pAlbum->GetObjectCount());
        CRect counterRect = m_layout.counterRect;
        dc.DrawText(counter, &counterRect, DT_RIGHT | kLineFormat);
    }
    if (!m_pPicture)
        dc.DrawText("Dieses Bild kann nicht geladen werden.", &client, DT_CENTER | kLineFormat);
    dc.SetBkMode(previousMode);
    dc.SetTextColor(previousColor);
    dc.SelectObject(previousFont);
}

void CDiaShowViewer::OnKeyDown(UINT key, UINT repeatCount, UINT flags) {
    switch (key) {
    case VK_ESCAPE:
        PostMessage(WM_CLOSE);
        break;
    case VK_LEFT:
        ShowPrevious();
        break;
    case VK_UP:
        ShowFirst();
        break;
    case VK_RIGHT:
        ShowNext();
        break;
    case VK_DOWN:
        ShowLast();
        break;
    default:
        break;
    }
    CWnd::OnKeyDown(key, repeatCount, flags);
}

void CDiaShowViewer::OnLButtonDown(UINT flags, CPoint point) {
    PostMessage(WM_CLOSE);
    CWnd::OnLButtonDown(flags, point);
}

void CDiaShowViewer::PostNcDestroy() {
    delete this;
}

// Without an entry the album is empty: the keys leave the screen as it is.
void CDiaShowViewer::ShowNext() {
    if (!m_pAlbum || !m_pEntry)
        return;
    if (CDSObj* next = m_pAlbum->GetObjectAfter(m_pEntry)) {
        m_pEntry = next;
        ++m_nNumber;
    } else {
        m_pEntry = m_pAlbum->GetTailObject();
        m_nNumber = m_pAlbum->GetObjectCount();
    }
    ShowEntry();
}

void CDiaShowViewer::ShowPrevious() {
    if (!m_pAlbum || !m_pEntry)
        return;
    if (CDSObj* previous = m_pAlbum->GetObjectBefore(m_pEntry)) {
        m_pEntry = previous;
        --m_nNumber;
    } else {
        m_pEntry = m_pAlbum->GetHeadObject();
        m_nNumber = 1;
    }
    ShowEntry();
}

void CDiaShowViewer::ShowFirst() {
    if (!m_pAlbum || !m_pEntry)
        return;
    m_pEntry = m_pAlbum->GetHeadObject();
    m_nNumber = 1;
    ShowEntry();
}

void CDiaShowViewer::ShowLast() {
    if (!m_pAlbum || !m_pEntry)
        return;
    m_pEntry = m_pAlbum->GetTailObject();
    m_nNumber = m_pAlbum->GetObjectCount();
    ShowEntry();
}

void CDiaShowViewer::ShowEntry() {
    m_pPicture.reset();
    m_pPicture.reset(m_pEntry->LoadPicture());
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
