#include "platform/gdi/Bitmap.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/DibPixels.h"

#include <cstring>

namespace {

// Far above the largest surface the program paints (a print page at 0.12 mm per pixel is under 20 MB),
// and small enough that every byte offset fits the image library's sizes.
constexpr long long kMaxSurfaceBytes = 1LL << 30;

std::unique_ptr<BitmapRecord> NewBitmap(int width, int height, int bytesPerPixel, bool bottomUp) {
    if (width <= 0 || height <= 0)
        return nullptr;
    const long long stride = DibRowBytes(width, bytesPerPixel * 8);
    if (stride * height > kMaxSurfaceBytes)
        return nullptr;
    auto record = std::make_unique<BitmapRecord>();
    record->storage = std::make_unique<BYTE[]>(static_cast<size_t>(stride * height));
    record->surface = Surface{record->storage.get(), width,   height, static_cast<std::ptrdiff_t>(stride),
                              bytesPerPixel,         bottomUp};
    record->reportedBitsPixel = static_cast<WORD>(bytesPerPixel * 8);
    return record;
}

// Copies rows of a device-dependent bitmap (top row first, rows padded to 16 bits) into the surface.
void FillFromBitmapBits(const Surface& surface, UINT bitsPerPixel, const BYTE* bits) {
    const std::ptrdiff_t rowBytes = (static_cast<std::ptrdiff_t>(surface.width) * bitsPerPixel + 15) / 16 * 2;
    for (int y = 0; y < surface.height; ++y) {
        const BYTE* row = bits + y * rowBytes;
        for (int x = 0; x < surface.width; ++x) {
            DWORD pixel = 0;
            if (bitsPerPixel == 1)
                pixel = (row[x >> 3] & (0x80 >> (x & 7))) ? 0xFFFFFF : 0;
            else
                pixel = surface.LoadPixel(row + x * (bitsPerPixel / 8));
            surface.Put(x, y, pixel);
        }
    }
}

} // namespace

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
    if (planes != 1 || (bitsPerPixel != 1 && bitsPerPixel != 24 && bitsPerPixel != 32))
        return nullptr;
    auto record = NewBitmap(width, height, 4, false);
    if (!record)
        return nullptr;
    if (bits)
        FillFromBitmapBits(record->surface, bitsPerPixel, static_cast<const BYTE*>(bits));
    record->reportedBitsPixel = static_cast<WORD>(bitsPerPixel);
    return NewHandle(std::move(record));
}

HBITMAP CreateCompatibleBitmap(HDC, int width, int height) {
    return NewHandle(NewBitmap(width, height, 4, false));
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT, void** bits, HANDLE section, DWORD offset) {
    if (bits)
        *bits = nullptr;
    if (!info || section || offset || info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER))
        return nullptr;
    const BITMAPINFOHEADER& header = info->bmiHeader;
    if (header.biCompression != BI_RGB || (header.biBitCount != 24 && header.biBitCount != 32) ||
        header.biHeight == 0 || header.biHeight == LONG(0x80000000))
        return nullptr;
    const int height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    auto record = NewBitmap(header.biWidth, height, header.biBitCount / 8, header.biHeight > 0);
    if (!record)
        return nullptr;
    record->isDibSection = true;
    record->header = header;
    record->header.biSize = sizeof(BITMAPINFOHEADER);
    record->header.biSizeImage = static_cast<DWORD>(record->surface.stride * height);
    if (bits)
        *bits = record->surface.bits;
    return NewHandle(std::move(record));
}

HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                       const BITMAPINFO* info, UINT usage) {
    if (!header || header->biSize < sizeof(BITMAPINFOHEADER))
        return nullptr;
    const int height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
    auto record = NewBitmap(header->biWidth, height, 4, false);
    if (!record)
        return nullptr;
    if (init & CBM_INIT) {
        DibPixels pixels;
        const auto& palette =
            PaletteOf(dc ? dc->state.palette.get() : GetStockObject(DEFAULT_PALETTE))->entries;
        if (!pixels.Open(info, bits, usage, palette))
            return nullptr;
        BlitRequest request;
        request.dest = QRect(0, 0, record->surface.width, record->surface.height);
        request.source = &pixels;
        request.sourceRect = QRect(0, 0, pixels.Width(), pixels.Height());
        request.rop = RopCode(SRCCOPY);
        request.stretchMode = COLORONCOLOR;
        BlitToSurface(record->surface, QRegion(request.dest), request);
    }
    return NewHandle(std::move(record));
}

CBitmap* CBitmap::FromHandle(HBITMAP bitmap) {
    return static_cast<CBitmap*>(CGdiObject::FromHandle(bitmap));
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
    return AttachNew(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
    return AttachNew(::CreateCompatibleBitmap(dc ? dc->m_hDC : nullptr, width, height));
}

int CBitmap::GetBitmap(BITMAP* bitmap) const {
    return ::GetObject(m_hObject, sizeof(BITMAP), bitmap);
}
