#pragma once
// The objects behind the drawing handles. Private to platform/gdi.

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/Surface.h"

#include <QFont>
#include <QImage>
#include <QPolygon>
#include <QRegion>
#include <atomic>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

enum class GdiKind { Bitmap, Pen, Brush, Font, Palette, Region };

// The 1 x 1 bitmap that every new memory context starts with; not one of the program's stock indexes.
inline constexpr int kStockBitmap = 21;

struct GdiObjectRecord {
    explicit GdiObjectRecord(GdiKind k) : kind(k) {}
    virtual ~GdiObjectRecord();

    const GdiKind kind;
    // One reference for the handle itself, one for each device-context state that has it selected, so
    // that an object deleted while selected lives on until it is deselected.
    std::atomic<int> references{1};
    std::atomic<bool> deleted{false};
    bool stock = false;
    // The program's wrapper that owns the handle, and the one FromHandle made when there was none.
    CGdiObject* permanent = nullptr;
    std::unique_ptr<CGdiObject> temporary;
};

void RetainObject(GdiObjectRecord* object);
void ReleaseObject(GdiObjectRecord* object);
// Serialises wrapper bookkeeping and bitmap ownership between threads.
std::mutex& GdiBookkeepingMutex();

// A counted reference to a drawing object.
template <typename T>
class GdiRef {
public:
    GdiRef() = default;
    explicit GdiRef(T* object) : m_object(object) {
        if (m_object)
            RetainObject(m_object);
    }
    GdiRef(const GdiRef& other) : GdiRef(other.m_object) {}
    GdiRef(GdiRef&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}
    GdiRef& operator=(GdiRef other) noexcept {
        std::swap(m_object, other.m_object);
        return *this;
    }
    ~GdiRef() {
        if (m_object)
            ReleaseObject(m_object);
    }
    T* get() const { return m_object; }
    T* operator->() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }

private:
    T* m_object = nullptr;
};

struct BitmapRecord : GdiObjectRecord {
    BitmapRecord() : GdiObjectRecord(GdiKind::Bitmap) {}

    std::unique_ptr<BYTE[]> storage;
    Surface surface;
    WORD reportedBitsPixel = 32;
    bool isDibSection = false;
    BITMAPINFOHEADER header{};
    // A bitmap draws into one device context at a time; the stock bitmap is exempt.
    DeviceContextRecord* owner = nullptr;
    int ownerHolds = 0;
};

struct PenRecord : GdiObjectRecord {
    PenRecord() : GdiObjectRecord(GdiKind::Pen) {}
    LOGPEN pen{};
};

struct BrushRecord : GdiObjectRecord {
    BrushRecord() : GdiObjectRecord(GdiKind::Brush) {}
    LOGBRUSH brush{};
    // The tile of a DIB pattern brush, top row first, pixels 0x00RRGGBB; null for other brushes.
    QImage pattern;
};

struct FontRecord : GdiObjectRecord {
    FontRecord() : GdiObjectRecord(GdiKind::Font) {}
    LOGFONT font{};
    // Resolved at first use, since font matching needs the application's font database.
    const QFont& QtFont() const;

private:
    mutable std::once_flag m_resolved;
    mutable QFont m_qtFont;
};

struct PaletteRecord : GdiObjectRecord {
    PaletteRecord() : GdiObjectRecord(GdiKind::Palette) {}
    std::vector<PALETTEENTRY> entries;
};

struct RegionRecord : GdiObjectRecord {
    RegionRecord() : GdiObjectRecord(GdiKind::Region) {}
    QRegion region;
    // The outline when the region was made from one polygon, for window shapes; empty otherwise.
    QPolygon polygon;
};

// The record behind a handle of the given kind, or null.
template <typename T>
T* RecordOf(HGDIOBJ object, GdiKind kind) {
    return object && object->kind == kind ? static_cast<T*>(object) : nullptr;
}
inline BitmapRecord* BitmapOf(HGDIOBJ object) {
    return RecordOf<BitmapRecord>(object, GdiKind::Bitmap);
}
inline PenRecord* PenOf(HGDIOBJ object) {
    return RecordOf<PenRecord>(object, GdiKind::Pen);
}
inline BrushRecord* BrushOf(HGDIOBJ object) {
    return RecordOf<BrushRecord>(object, GdiKind::Brush);
}
inline FontRecord* FontOf(HGDIOBJ object) {
    return RecordOf<FontRecord>(object, GdiKind::Font);
}
inline PaletteRecord* PaletteOf(HGDIOBJ object) {
    return RecordOf<PaletteRecord>(object, GdiKind::Palette);
}
inline RegionRecord* RegionOf(HGDIOBJ object) {
    return RecordOf<RegionRecord>(object, GdiKind::Region);
}

// Makes a new record into a handle owned by the caller.
template <typename T>
HGDIOBJ NewHandle(std::unique_ptr<T> record) {
    return record.release();
}
