#include "platform/gdi/GdiObject.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/GdiRecords.h"
#include "platform/gdi/Region.h"

#include <array>
#include <cstring>

namespace {

// The twenty colours of the system's default palette.
constexpr PALETTEENTRY kDefaultPalette[20] = {
    {0x00, 0x00, 0x00, 0}, {0x80, 0x00, 0x00, 0}, {0x00, 0x80, 0x00, 0}, {0x80, 0x80, 0x00, 0},
    {0x00, 0x00, 0x80, 0}, {0x80, 0x00, 0x80, 0}, {0x00, 0x80, 0x80, 0}, {0xC0, 0xC0, 0xC0, 0},
    {0xC0, 0xDC, 0xC0, 0}, {0xA6, 0xCA, 0xF0, 0}, {0xFF, 0xFB, 0xF0, 0}, {0xA0, 0xA0, 0xA4, 0},
    {0x80, 0x80, 0x80, 0}, {0xFF, 0x00, 0x00, 0}, {0x00, 0xFF, 0x00, 0}, {0xFF, 0xFF, 0x00, 0},
    {0x00, 0x00, 0xFF, 0}, {0xFF, 0x00, 0xFF, 0}, {0x00, 0xFF, 0xFF, 0}, {0xFF, 0xFF, 0xFF, 0},
};

std::unique_ptr<GdiObjectRecord> StockBrush(UINT style, COLORREF color) {
    auto record = std::make_unique<BrushRecord>();
    record->brush = LOGBRUSH{style, color, 0};
    return record;
}

std::unique_ptr<GdiObjectRecord> StockPen(UINT style, COLORREF color) {
    auto record = std::make_unique<PenRecord>();
    record->pen = LOGPEN{style, POINT{0, 0}, color};
    return record;
}

std::unique_ptr<GdiObjectRecord> StockFont(LONG height, LONG width, LONG weight, BYTE pitchAndFamily,
                                           const char* face) {
    auto record = std::make_unique<FontRecord>();
    LOGFONT& font = record->font;
    font.lfHeight = height;
    font.lfWidth = width;
    font.lfWeight = weight;
    font.lfPitchAndFamily = pitchAndFamily;
    std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    return record;
}

std::unique_ptr<GdiObjectRecord> StockPalette() {
    auto record = std::make_unique<PaletteRecord>();
    record->entries.assign(std::begin(kDefaultPalette), std::end(kDefaultPalette));
    return record;
}

std::unique_ptr<GdiObjectRecord> StockBitmap() {
    auto record = std::make_unique<BitmapRecord>();
    record->storage = std::make_unique<BYTE[]>(4);
    record->surface = Surface{record->storage.get(), 1, 1, 4, 4, false};
    record->surface.Put(0, 0, 0);
    record->reportedBitsPixel = 1;
    return record;
}

constexpr BYTE kVariableSwiss = 0x22;
constexpr BYTE kFixedModern = 0x31;

std::array<std::unique_ptr<GdiObjectRecord>, kStockBitmap + 1> MakeStockObjects() {
    std::array<std::unique_ptr<GdiObjectRecord>, kStockBitmap + 1> stock;
    stock[WHITE_BRUSH] = StockBrush(BS_SOLID, RGB(255, 255, 255));
    stock[LTGRAY_BRUSH] = StockBrush(BS_SOLID, RGB(192, 192, 192));
    stock[GRAY_BRUSH] = StockBrush(BS_SOLID, RGB(128, 128, 128));
    stock[DKGRAY_BRUSH] = StockBrush(BS_SOLID, RGB(64, 64, 64));
    stock[BLACK_BRUSH] = StockBrush(BS_SOLID, RGB(0, 0, 0));
    stock[NULL_BRUSH] = StockBrush(BS_NULL, 0);
    stock[WHITE_PEN] = StockPen(PS_SOLID, RGB(255, 255, 255));
    stock[BLACK_PEN] = StockPen(PS_SOLID, RGB(0, 0, 0));
    stock[NULL_PEN] = StockPen(PS_NULL, 0);
    stock[OEM_FIXED_FONT] = StockFont(12, 8, FW_NORMAL, kFixedModern, "Terminal");
    stock[ANSI_FIXED_FONT] = StockFont(12, 9, FW_NORMAL, kFixedModern, "Courier");
    stock[ANSI_VAR_FONT] = StockFont(12, 9, FW_NORMAL, kVariableSwiss, "MS Sans Serif");
    stock[SYSTEM_FONT] = StockFont(16, 7, FW_BOLD, kVariableSwiss, "System");
    stock[DEVICE_DEFAULT_FONT] = StockFont(16, 7, FW_BOLD, kVariableSwiss, "System");
    stock[DEFAULT_PALETTE] = StockPalette();
    stock[SYSTEM_FIXED_FONT] = StockFont(15, 8, FW_NORMAL, kFixedModern, "Fixedsys");
    stock[DEFAULT_GUI_FONT] = StockFont(-11, 0, FW_NORMAL, kVariableSwiss, "MS Shell Dlg");
    stock[kStockBitmap] = StockBitmap();
    for (auto& object : stock)
        if (object)
            object->stock = true;
    return stock;
}

} // namespace

GdiObjectRecord::~GdiObjectRecord() {
    if (temporary)
        temporary->m_hObject = nullptr;
}

std::mutex& GdiBookkeepingMutex() {
    static std::mutex mutex;
    return mutex;
}

void RetainObject(GdiObjectRecord* object) {
    object->references.fetch_add(1, std::memory_order_relaxed);
}

void ReleaseObject(GdiObjectRecord* object) {
    if (object->references.fetch_sub(1, std::memory_order_acq_rel) == 1)
        delete object;
}

HGDIOBJ GetStockObject(int index) {
    static const auto stock = MakeStockObjects();
    if (index < 0 || index >= static_cast<int>(stock.size()))
        return nullptr;
    return stock[index].get();
}

BOOL DeleteObject(HGDIOBJ object) {
    if (!object || object->stock)
        return object != nullptr;
    if (object->deleted.exchange(true))
        return FALSE;
    {
        std::lock_guard lock(GdiBookkeepingMutex());
        if (object->permanent) {
            object->permanent->m_hObject = nullptr;
            object->permanent = nullptr;
        }
    }
    ReleaseObject(object);
    return TRUE;
}

namespace {

int CopyOut(const void* record, int recordSize, int size, LPVOID buffer) {
    if (!buffer)
        return recordSize;
    const int copied = std::min(size, recordSize);
    if (copied <= 0)
        return 0;
    std::memcpy(buffer, record, static_cast<size_t>(copied));
    return copied;
}

} // namespace

int GetObject(HGDIOBJ object, int size, LPVOID buffer) {
    if (!object)
        return 0;
    switch (object->kind) {
    case GdiKind::Bitmap: {
        const auto* bitmap = static_cast<const BitmapRecord*>(object);
        DIBSECTION section{};
        const Surface& s = bitmap->surface;
        section.dsBm = BITMAP{0,
                              s.width,
                              s.height,
                              static_cast<LONG>(s.stride),
                              1,
                              bitmap->reportedBitsPixel,
                              bitmap->isDibSection ? s.bits : nullptr};
        if (!bitmap->isDibSection) {
            // Device bitmaps report the row length of their nominal depth, rounded to 16 bits.
            section.dsBm.bmWidthBytes = (s.width * bitmap->reportedBitsPixel + 15) / 16 * 2;
            return CopyOut(&section.dsBm, sizeof(BITMAP), size, buffer);
        }
        section.dsBmih = bitmap->header;
        const int recordSize =
            size >= static_cast<int>(sizeof(DIBSECTION)) ? sizeof(DIBSECTION) : sizeof(BITMAP);
        return CopyOut(&section, recordSize, size, buffer);
    }
    case GdiKind::Pen:
        return CopyOut(&static_cast<const PenRecord*>(object)->pen, sizeof(LOGPEN), size, buffer);
    case GdiKind::Brush:
        return CopyOut(&static_cast<const BrushRecord*>(object)->brush, sizeof(LOGBRUSH), size, buffer);
    case GdiKind::Font:
        return CopyOut(&static_cast<const FontRecord*>(object)->font, sizeof(LOGFONT), size, buffer);
    case GdiKind::Palette: {
        const WORD count = static_cast<WORD>(static_cast<const PaletteRecord*>(object)->entries.size());
        return CopyOut(&count, sizeof count, size, buffer);
    }
    case GdiKind::Region:
        return 0;
    }
    return 0;
}

BOOL GdiFlush() {
    return TRUE;
}

CGdiObject::~CGdiObject() {
    if (m_hObject)
        DeleteObject();
}

BOOL CGdiObject::Attach(HGDIOBJ object) {
    if (m_hObject || !object)
        return FALSE;
    std::lock_guard lock(GdiBookkeepingMutex());
    if (!object->stock) {
        if (object->permanent && object->permanent != this)
            return FALSE;
        object->permanent = this;
    }
    m_hObject = object;
    return TRUE;
}

BOOL CGdiObject::AttachNew(HGDIOBJ object) {
    if (Attach(object))
        return TRUE;
    ::DeleteObject(object);
    return FALSE;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ object = m_hObject;
    if (!object)
        return nullptr;
    std::lock_guard lock(GdiBookkeepingMutex());
    if (object->permanent == this)
        object->permanent = nullptr;
    m_hObject = nullptr;
    return object;
}

BOOL CGdiObject::DeleteObject() {
    if (!m_hObject)
        return FALSE;
    // Stock wrappers are shared by every thread; deleting one changes nothing.
    if (m_hObject->stock)
        return TRUE;
    return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int size, LPVOID buffer) const {
    return ::GetObject(m_hObject, size, buffer);
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ object) {
    if (!object)
        return nullptr;
    std::lock_guard lock(GdiBookkeepingMutex());
    if (object->permanent)
        return object->permanent;
    if (!object->temporary) {
        switch (object->kind) {
        case GdiKind::Bitmap:
            object->temporary = std::make_unique<CBitmap>();
            break;
        case GdiKind::Pen:
            object->temporary = std::make_unique<CPen>();
            break;
        case GdiKind::Brush:
            object->temporary = std::make_unique<CBrush>();
            break;
        case GdiKind::Font:
            object->temporary = std::make_unique<CFont>();
            break;
        case GdiKind::Palette:
            object->temporary = std::make_unique<CPalette>();
            break;
        case GdiKind::Region:
            object->temporary = std::make_unique<CRgn>();
            break;
        }
        object->temporary->m_hObject = object;
    }
    return object->temporary.get();
}
