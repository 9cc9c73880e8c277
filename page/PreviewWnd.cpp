// The page canvas's window: its off-screen bitmap, painting by copying it, the mapping between page units
// and window pixels, and the drag state that the resource panels start.

#include "page/PreviewWnd.h"

#include "page/MainWndServices.h"
#include "platform/base/AppServices.h"
#include "platform/base/Module.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Dc.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/PaintDC.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CPreviewWnd, CWnd)

CPoint CPreviewWnd::s_lastPagePoint(-1000, -1000);
CPoint CPreviewWnd::s_lastContextPoint(0, 0);

namespace {

// There is no c3: its drag mode never shows a cursor of its own.
constexpr std::array<const char*, 9> kCursorFiles{"c1", "c2", "c4", "c5", "c6", "c7", "c8", "c9", "c10"};

} // namespace

CPreviewWnd::CPreviewWnd() = default;

CPreviewWnd::~CPreviewWnd() {
    if (m_pMemoryDC && m_hPreviousBitmap)
        m_pMemoryDC->SelectObject(CBitmap::FromHandle(m_hPreviousBitmap));
    m_pMemoryDC.reset();
    m_pPageBitmap.reset();
    for (HCURSOR cursor : m_cursors) {
        if (cursor)
            DestroyCursor(cursor);
    }
}

int CPreviewWnd::OnCreate(LPCREATESTRUCT create) {
    if (CWnd::OnCreate(create) == -1)
        return -1;
    const CString folder = GetProgramFolder();
    for (size_t i = 0; i < kCursorFiles.size(); ++i)
        m_cursors[i] = LoadCursorFromFile(folder + "/" + kCursorFiles[i] + ".csr");

    const CRect client = ClientRect();
    CClientDC windowDC(this);
    auto memory = std::make_unique<CDC>();
    auto bitmap = std::make_unique<CBitmap>();
    if (!memory->CreateCompatibleDC(&windowDC) ||
        !bitmap->CreateCompatibleBitmap(&windowDC, std::max(1, client.Width()), std::max(1, client.Height())))
        return -1;
    CBitmap* previous = memory->SelectObject(bitmap.get());
    m_hPreviousBitmap = previous ? static_cast<HBITMAP>(previous->GetSafeHandle()) : nullptr;
    memory->FillSolidRect(&client, m_background);
    m_pMemoryDC = std::move(memory);
    m_pPageBitmap = std::move(bitmap);
    return 0;
}

void CPreviewWnd::OnPaint() {
    CPaintDC paint(this);
    if (!m_pMemoryDC)
        return;
    CRect window;
    GetWindowRect(&window);
    paint.BitBlt(0, 0, window.Width(), window.Height(), m_pMemoryDC.get(), 0, 0, SRCCOPY);
}

BOOL CPreviewWnd::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CPreviewWnd::OnNcDestroy() {
    CWnd::OnNcDestroy();
    delete this;
}

LRESULT CPreviewWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CANCELMODE) {
        const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
        m_nDragMode = kDragNone;
        m_pPlacedObject = nullptr;
        return result;
    }
    if (message == WM_CONTEXTMENU)
        return 0;
    return CWnd::WindowProc(message, wParam, lParam);
}

CRect CPreviewWnd::ClientRect() const {
    CRect client;
    GetClientRect(&client);
    return client;
}

CTemplate* CPreviewWnd::EditTemplate() const {
    return MainWndServices().GetTemplate();
}

CTemplate* CPreviewWnd::CurrentPage() const {
    return AppServices().IsEditMode() ? MainWndServices().GetTemplate()
                                      : MainWndServices().GetNormalModeSource();
}

CSize CPreviewWnd::PageExtent(const CTemplate& page) {
    const CSize size = page.GetPageSize();
    return page.GetOrientation() == 1 ? size : CSize(size.cy, size.cx);
}

CPreviewWnd::PageLayout CPreviewWnd::LayoutOf(const CTemplate* page) const {
    if (!page)
        return {};
    const CSize extent = PageExtent(*page);
    if (extent.cx <= 0 || extent.cy <= 0)
        return {};
    const CRect client = ClientRect();
    PageLayout layout;
    layout.scale = std::min(static_cast<float>(client.Width()) / static_cast<float>(extent.cx),
                            static_cast<float>(client.Height()) / static_cast<float>(extent.cy));
    const int w = static_cast<int>(static_cast<float>(extent.cx) * layout.scale);
    const int h = static_cast<int>(static_cast<float>(extent.cy) * layout.scale);
    layout.rect = CRect((client.Width() - w) / 2, (client.Height() - h) / 2, (client.Width() + w) / 2,
                        (client.Height() + h) / 2);
    return layout;
}

float CPreviewWnd::GetScale() const {
    return LayoutOf(CurrentPage()).scale;
}

CRect CPreviewWnd::GetPageRect() const {
    return LayoutOf(CurrentPage()).rect;
}

CPoint CPreviewWnd::WindowToPage(CPoint point) const {
    const PageLayout layout = LayoutOf(CurrentPage());
    if (layout.scale <= 0.0F)
        return point;
    const CRect client = ClientRect();
    const int mx = (client.Width() - layout.rect.Width()) / 2;
    const int my = (client.Height() - layout.rect.Height()) / 2;
    return {static_cast<int>(static_cast<float>(point.x - mx) / layout.scale),
            static_cast<int>(static_cast<float>(point.y - my) / layout.scale)};
}

CRect CPreviewWnd::ObjectToWindow(const CRect& position, const PageLayout& layout) {
    CRect rect(
        ScaleCoordinate(position.left, layout.scale, 0), ScaleCoordinate(position.top, layout.scale, 0),
        ScaleCoordinate(position.right, layout.scale, 0), ScaleCoordinate(position.bottom, layout.scale, 0));
    rect.NormalizeRect();
    rect.OffsetRect(layout.rect.left, layout.rect.top);
    return rect;
}

CRect CPreviewWnd::ObjectToWindow(const CRect& position) const {
    return ObjectToWindow(position, LayoutOf(CurrentPage()));
}

CPoint CPreviewWnd::PageToWindow(CPoint page) const {
    const PageLayout layout = LayoutOf(CurrentPage());
    return {ScaleCoordinate(page.x, layout.scale, layout.rect.left),
            ScaleCoordinate(page.y, layout.scale, layout.rect.top)};
}

CDC* CPreviewWnd::GetClientDC() {
    return GetDC();
}

void CPreviewWnd::ReleaseClientDC(CDC* dc) {
    ReleaseDC(dc);
}

void CPreviewWnd::BeginCapture(int mode) {
    m_nDragMode = mode;
    SetCapture();
}

void CPreviewWnd::BeginPlaceObject(CDSObj* entry) {
    m_nDragMode = kDragPlaceClipart;
    m_pPlacedObject = entry;
    SetCapture();
}

void CPreviewWnd::ReleaseCapture() {
    m_nDragMode = kDragNone;
    m_pPlacedObject = nullptr;
    ::ReleaseCapture();
}

void CPreviewWnd::ClearSelection() {
    m_movingObjects.RemoveAll();
}

void CPreviewWnd::ForgetMovingObjects() {
    m_movingObjects.RemoveAll();
    if (m_nDragMode == kDragMove)
        ReleaseCapture();
}

void CPreviewWnd::KillDragTimer() {
    KillTimer(kSelectionTimer);
    m_bTimerRunning = false;
}

void CPreviewWnd::UpdateTimer(CTemplate* page) {
    const bool selected = page && page->GetSelectedCount() > 0;
    if (selected && !m_bTimerRunning) {
        SetTimer(kSelectionTimer, kSelectionTimerElapse);
        m_bTimerRunning = true;
    } else if (!selected && m_bTimerRunning) {
        KillDragTimer();
    }
}
