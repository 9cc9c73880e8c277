// Image lists: pictures cut from bitmaps or taken from icons, kept premultiplied with their alpha.

#include "platform/ui/ImageList.h"

#include "platform/base/Resource.h"
#include "platform/gdi/QtInterop.h"
#include "platform/ui/WindowInternals.h"

#include <array>

struct ImageListRecord {
    QSize size;
    UINT flags = 0;
    std::vector<QImage> images;
    // The picture drawn as overlay 1 to 15, -1 for none.
    std::array<int, 16> overlays{};
};

namespace {

constexpr QImage::Format kFormat = QImage::Format_ARGB32_Premultiplied;
constexpr int kOverlayCount = 15;
// Pictures larger than this on a side are refused before anything is allocated.
constexpr int kMaxSide = 4096;

bool AnyAlpha(const QImage& picture) {
    for (int y = 0; y < picture.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            if (qAlpha(row[x]) != 0)
                return true;
        }
    }
    return false;
}

// The picture with every pixel opaque. Qt's own conversion of a small picture to the premultiplied
// format costs a hundred times this loop, and thumbnails come by the thousand.
QImage OpaquePicture(const QImage& picture) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    QImage opaque(rgb.size(), kFormat);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(opaque.scanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            out[x] = in[x] | 0xFF000000u;
    }
    return opaque;
}

// A 32-bit list keeps a 32-bit bitmap's alpha unless every alpha byte is 0, as in bitmaps drawn without
// alpha; other lists and bitmaps are opaque.
QImage PictureOfBitmap(HBITMAP bitmap, bool keepAlpha) {
    if (keepAlpha) {
        const QImage picture = BitmapToImageWithAlpha(bitmap);
        if (!picture.isNull() && AnyAlpha(picture))
            return picture.convertToFormat(kFormat);
    }
    const QImage picture = BitmapToImage(bitmap);
    return picture.isNull() ? picture : OpaquePicture(picture);
}

// Clears the pixels a monochrome mask sets (white in its picture).
void ApplyMaskBitmap(QImage& picture, HBITMAP mask) {
    const QImage bits = BitmapToImage(mask);
    for (int y = 0; y < std::min(picture.height(), bits.height()); ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < std::min(picture.width(), bits.width()); ++x) {
            if ((bits.pixel(x, y) & 0xFFFFFF) != 0)
                row[x] = 0;
        }
    }
}

void ApplyMaskColor(QImage& picture, COLORREF mask) {
    if (mask == CLR_NONE)
        return;
    if (mask == CLR_DEFAULT) {
        const QRgb corner = picture.pixel(0, 0);
        mask = RGB(qRed(corner), qGreen(corner), qBlue(corner));
    }
    const QRgb transparent = qRgb(GetRValue(mask), GetGValue(mask), GetBValue(mask));
    for (int y = 0; y < picture.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            if (row[x] == transparent)
                row[x] = 0;
        }
    }
}

// Pictures size wide from the left of the strip; the rest of a strip narrower than a whole picture is
// dropped, rows beyond the strip are transparent.
std::vector<QImage> CutStrip(const QImage& strip, QSize size) {
    if (strip.size() == size)
        return {strip};
    std::vector<QImage> pictures;
    for (int x = 0; x + size.width() <= strip.width(); x += size.width())
        pictures.push_back(strip.copy(x, 0, size.width(), size.height()));
    return pictures;
}

// The bits of a packed DIB start after its header and colour table (or colour masks); 0 when the
// block is too short for them.
DWORD PackedDibBitsOffset(const BITMAPINFOHEADER& header, DWORD size) {
    constexpr DWORD kBitFields = 3;
    DWORD colors = 0;
    if (header.biBitCount <= 8)
        colors = header.biClrUsed ? header.biClrUsed : 1u << header.biBitCount;
    else if (header.biCompression == kBitFields && header.biSize == sizeof(BITMAPINFOHEADER))
        colors = 3;
    const std::uint64_t offset = std::uint64_t{header.biSize} + std::uint64_t{colors} * 4;
    return offset < size && header.biSize >= sizeof(BITMAPINFOHEADER) ? static_cast<DWORD>(offset) : 0;
}

QImage LoadBitmapResource(LPCTSTR name) {
    const HINSTANCE module = AfxGetResourceHandle();
    const HRSRC resource = FindResource(module, name, RT_BITMAP);
    const DWORD size = SizeofResource(module, resource);
    if (!resource || size < sizeof(BITMAPINFOHEADER))
        return QImage();
    const auto* info = static_cast<const BITMAPINFO*>(LockResource(LoadResource(module, resource)));
    const DWORD offset = PackedDibBitsOffset(info->bmiHeader, size);
    if (!offset || info->bmiHeader.biWidth <= 0 || info->bmiHeader.biWidth > kMaxSide ||
        std::abs(info->bmiHeader.biHeight) > kMaxSide)
        return QImage();
    CBitmap bitmap;
    bitmap.Attach(CreateDIBitmap(nullptr, &info->bmiHeader, CBM_INIT,
                                 reinterpret_cast<const BYTE*>(info) + offset, info, DIB_RGB_COLORS));
    return bitmap.m_hObject ? BitmapToImage(bitmap).convertToFormat(kFormat) : QImage();
}

} // namespace

CImageList::~CImageList() {
    DeleteImageList();
}

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
    (void)grow;
    if (m_hImageList || cx <= 0 || cy <= 0 || cx > kMaxSide || cy > kMaxSide)
        return FALSE;
    m_hImageList = new ImageListRecord{QSize(cx, cy), flags, {}, {}};
    m_hImageList->overlays.fill(-1);
    m_hImageList->images.reserve(static_cast<size_t>(std::clamp(initial, 0, 1024)));
    return TRUE;
}

BOOL CImageList::Create(UINT bitmapId, int cx, int grow, COLORREF mask) {
    return Create(MAKEINTRESOURCE(static_cast<WORD>(bitmapId)), cx, grow, mask);
}

BOOL CImageList::Create(LPCTSTR bitmapName, int cx, int grow, COLORREF mask) {
    QImage strip = LoadBitmapResource(bitmapName);
    if (strip.isNull() || m_hImageList)
        return FALSE;
    const UINT flags = ILC_COLOR24 | (mask == CLR_NONE ? 0 : ILC_MASK);
    if (!Create(cx, strip.height(), flags, strip.width() / std::max(cx, 1), grow))
        return FALSE;
    ApplyMaskColor(strip, mask);
    m_hImageList->images = CutStrip(strip, m_hImageList->size);
    return TRUE;
}

BOOL CImageList::DeleteImageList() {
    if (!m_hImageList)
        return FALSE;
    delete m_hImageList;
    m_hImageList = nullptr;
    return TRUE;
}

int CImageList::GetImageCount() const {
    return m_hImageList ? static_cast<int>(m_hImageList->images.size()) : 0;
}

std::vector<QImage> CImageList::Cut(CBitmap* bitmap, CBitmap* mask, COLORREF maskColor) const {
    if (!m_hImageList || !bitmap || !bitmap->m_hObject)
        return {};
    QImage strip = PictureOfBitmap(*bitmap, (m_hImageList->flags & ILC_COLOR32) == ILC_COLOR32);
    if (strip.isNull())
        return {};
    if (m_hImageList->flags & ILC_MASK) {
        if (mask && mask->m_hObject)
            ApplyMaskBitmap(strip, *mask);
        ApplyMaskColor(strip, maskColor);
    }
    return CutStrip(strip, m_hImageList->size);
}

int CImageList::Append(std::vector<QImage> pictures) {
    if (pictures.empty())
        return -1;
    const int first = GetImageCount();
    for (QImage& picture : pictures)
        m_hImageList->images.push_back(std::move(picture));
    return first;
}

int CImageList::Add(CBitmap* bitmap, CBitmap* mask) {
    return Append(Cut(bitmap, mask, CLR_NONE));
}

int CImageList::Add(CBitmap* bitmap, COLORREF mask) {
    return Append(Cut(bitmap, nullptr, mask));
}

int CImageList::Add(HICON icon) {
    return Replace(-1, icon);
}

BOOL CImageList::Replace(int image, CBitmap* bitmap, CBitmap* mask) {
    if (image < 0 || image >= GetImageCount())
        return FALSE;
    std::vector<QImage> pictures = Cut(bitmap, mask, CLR_NONE);
    if (pictures.empty())
        return FALSE;
    m_hImageList->images[static_cast<size_t>(image)] = std::move(pictures.front());
    return TRUE;
}

int CImageList::Replace(int image, HICON icon) {
    const QImage picture = CursorPicture(icon);
    if (!m_hImageList || picture.isNull() || image < -1 || image >= GetImageCount())
        return -1;
    QImage fitted = picture.convertToFormat(kFormat);
    if (fitted.size() != m_hImageList->size)
        fitted = fitted.scaled(m_hImageList->size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (image == -1)
        return Append({fitted});
    m_hImageList->images[static_cast<size_t>(image)] = fitted;
    return image;
}

BOOL CImageList::Remove(int image) {
    if (!m_hImageList || image < -1 || image >= GetImageCount())
        return FALSE;
    auto& images = m_hImageList->images;
    if (image == -1)
        images.clear();
    else
        images.erase(images.begin() + image);
    // Overlays follow their pictures and go with them.
    for (int& overlay : m_hImageList->overlays) {
        if (image == -1 || overlay == image)
            overlay = -1;
        else if (overlay > image)
            --overlay;
    }
    return TRUE;
}

BOOL CImageList::SetOverlayImage(int image, int overlay) {
    if (!m_hImageList || image < 0 || image >= GetImageCount() || overlay < 1 || overlay > kOverlayCount)
        return FALSE;
    m_hImageList->overlays[static_cast<size_t>(overlay)] = image;
    return TRUE;
}

BOOL CImageList::Draw(CDC* dc, int image, POINT point, UINT style) {
    return dc && ImageList_Draw(m_hImageList, image, *dc, point.x, point.y, style);
}

BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy) {
    if (!list || !cx || !cy)
        return FALSE;
    *cx = list->size.width();
    *cy = list->size.height();
    return TRUE;
}

QImage ImageListPicture(HIMAGELIST list, int image) {
    const int count = list ? static_cast<int>(list->images.size()) : 0;
    return image >= 0 && image < count ? list->images[static_cast<size_t>(image)] : QImage();
}

BOOL ImageList_Draw(HIMAGELIST list, int image, HDC dc, int x, int y, UINT style) {
    const int count = list ? static_cast<int>(list->images.size()) : 0;
    if (image < 0 || image >= count)
        return FALSE;
    if (!DrawImageOver(dc, x, y, list->images[static_cast<size_t>(image)]))
        return FALSE;
    const int overlay = list->overlays[(style & ILD_OVERLAYMASK) >> 8];
    if (overlay >= 0 && overlay < count)
        DrawImageOver(dc, x, y, list->images[static_cast<size_t>(overlay)]);
    return TRUE;
}
