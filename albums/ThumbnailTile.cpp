#include "albums/ThumbnailTile.h"

#include "image/DibGeometry.h"
#include "image/DibPalette.h"
#include "image/PictureInfo.h"
#include "library/DSObj.h"
#include "library/DSObjMgr.h"
#include "platform/base/FileApi.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/ui/PaintDC.h"

#include <algorithm>
#include <new>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBadgeColor = RGB(255, 0, 0);
constexpr int kBadgeSize = 15;

} // namespace

CThumbnailTile::~CThumbnailTile() {
    if (m_memoryDC && m_previousBitmap)
        m_memoryDC->SelectObject(CBitmap::FromHandle(m_previousBitmap));
}

BOOL CThumbnailTile::IsFileMissing() const {
    CDSObjMgr* manager = GetDSObjMgr();
    if (!manager || !m_entry)
        return TRUE;
    return GetFileAttributes(manager->GetObjectFilePath(m_entry)) == INVALID_FILE_ATTRIBUTES;
}

CRect CThumbnailTile::FitRect(int clientWidth, int clientHeight, int width, int height) {
    const float scale = std::min(static_cast<float>(clientWidth) / static_cast<float>(width),
                                 static_cast<float>(clientHeight) / static_cast<float>(height));
    const int dw = static_cast<int>(static_cast<float>(width) * scale);
    const int dh = static_cast<int>(static_cast<float>(height) * scale);
    return CRect((clientWidth - dw) / 2, (clientHeight - dh) / 2, (clientWidth + dw) / 2,
                 (clientHeight + dh) / 2);
}

int CThumbnailTile::OnCreate(LPCREATESTRUCT create) {
    if (CCategoryTile::OnCreate(create) == -1)
        return -1;
    m_missing = IsFileMissing() ? 1 : 0;
    CRect client;
    GetClientRect(&client);
    try {
        CClientDC screen(nullptr);
        auto memory = std::make_unique<CDC>();
        auto bitmap = std::make_unique<CBitmap>();
        if (!memory->CreateCompatibleDC(&screen) ||
            !bitmap->CreateCompatibleBitmap(&screen, std::max(1, client.Width()),
                                            std::max(1, client.Height())))
            return -1;
        CBitmap* previous = memory->SelectObject(bitmap.get());
        m_previousBitmap = previous ? static_cast<HBITMAP>(previous->GetSafeHandle()) : nullptr;
        m_memoryDC = std::move(memory);
        m_offscreen = std::move(bitmap);
    } catch (const std::bad_alloc&) {
        return -1;
    }
    RenderThumbnail(client.Width(), client.Height());
    return 0;
}

// A thumbnail without pixels counts as none: the off-screen picture stays as created.
void CThumbnailTile::RenderThumbnail(int width, int height) {
    const CPictureInfo* thumbnail = m_entry ? m_entry->GetThumbnail() : nullptr;
    if (!thumbnail || thumbnail->GetWidth() <= 0 || thumbnail->GetHeight() == 0)
        return;
    const BITMAPINFOHEADER* dib = thumbnail->GetHeader();
    const int thumbWidth = dib->biWidth;
    const int thumbHeight = std::abs(dib->biHeight);
    const CRect target = FitRect(width, height, thumbWidth, thumbHeight);

    std::unique_ptr<CPalette> palette(UsesPalette() ? CreateDibPalette(dib, 0) : nullptr);
    CPalette* oldPalette = palette ? m_memoryDC->SelectPalette(palette.get(), TRUE) : nullptr;
    m_memoryDC->FillSolidRect(0, 0, width, height, kWhite);
    const int oldMode = m_memoryDC->SetStretchBltMode(COLORONCOLOR);
    StretchDIBits(m_memoryDC->m_hDC, target.left, target.top, target.Width(), target.Height(), 0, 0,
                  thumbWidth, thumbHeight, DibBitsPtr(dib), reinterpret_cast<const BITMAPINFO*>(dib),
                  DIB_RGB_COLORS, SRCCOPY);
    if (RestoresStretchMode())
        m_memoryDC->SetStretchBltMode(oldMode);
    if (palette)
        m_memoryDC->SelectPalette(oldPalette, TRUE);
}

void CThumbnailTile::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    if (m_memoryDC)
        dc.BitBlt(0, 0, client.Width(), client.Height(), m_memoryDC.get(), 0, 0, SRCCOPY);
    if (FrameOverBadge()) {
        DrawMissingBadge(dc);
        if (IsSelected())
            DrawSelectionFrame(dc);
    } else {
        if (IsSelected())
            DrawSelectionFrame(dc);
        DrawMissingBadge(dc);
    }
}

void CThumbnailTile::DrawMissingBadge(CDC& dc) const {
    if (m_missing != 1)
        return;
    CRect client;
    GetClientRect(&client);
    CRect box(client.right - kBadgeSize, client.bottom - kBadgeSize, client.right, client.bottom);
    CBrush red(kBadgeColor);
    CBrush* oldBrush = dc.SelectObject(&red);
    dc.Ellipse(&box);
    dc.SelectObject(oldBrush);
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF oldColor = dc.SetTextColor(kWhite);
    CFont font;
    font.CreateFont(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    CFont* oldFont = dc.SelectObject(&font);
    dc.DrawText("!", 1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    dc.SelectObject(oldFont);
    dc.SetTextColor(oldColor);
    dc.SetBkMode(oldMode);
}
