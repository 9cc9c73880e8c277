#pragma once
// The object behind a device-context handle. Private to platform/gdi.

#include "platform/gdi/Blit.h"
#include "platform/gdi/GdiRecords.h"

#include <QRegion>
#include <QTransform>
#include <map>
#include <memory>
#include <vector>

class CDC;
class CDeviceExtension;
class QImage;
class QPainter;

// A bitmap selected into a context state. Copies (saved states) keep the bitmap bound to the same
// context, so that no other context can draw into it meanwhile.
class BitmapHold {
public:
    BitmapHold() = default;
    // Empty when the bitmap already belongs to another context.
    static BitmapHold Take(BitmapRecord* bitmap, DeviceContextRecord* dc);
    BitmapHold(const BitmapHold& other);
    BitmapHold& operator=(const BitmapHold& other);
    ~BitmapHold();
    BitmapRecord* get() const { return m_bitmap.get(); }
    explicit operator bool() const { return static_cast<bool>(m_bitmap); }

private:
    void Drop();
    GdiRef<BitmapRecord> m_bitmap;
};

struct DcState {
    BitmapHold bitmap;
    GdiRef<PenRecord> pen;
    GdiRef<BrushRecord> brush;
    GdiRef<FontRecord> font;
    GdiRef<PaletteRecord> palette;
    int stretchMode = BLACKONWHITE;
    int rop2 = R2_COPYPEN;
    int bkMode = OPAQUE;
    int polyFillMode = ALTERNATE;
    int mapMode = MM_TEXT;
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    UINT textAlign = TA_TOP | TA_LEFT;
    POINT position{};
    POINT viewportOrg{};
    POINT windowOrg{};
    SIZE viewportExt{1, 1};
    SIZE windowExt{1, 1};
    // Device pixels; no clip region when clipped is false.
    bool clipped = false;
    QRegion clip;
};

struct DeviceContextRecord {
    enum class Target { Memory, Image, Painter };

    explicit DeviceContextRecord(Target kind);
    ~DeviceContextRecord();

    Target target;
    QImage* image = nullptr;
    QPainter* painter = nullptr;
    QSize painterSize;
    DcState state;
    std::vector<DcState> saved;
    std::map<int, int> capsOverrides;
    // Injected failures: transfers pass while passBeforeFailing is above 0, then failTransfers fail.
    int passBeforeFailing = 0;
    int failTransfers = 0;
    CDC* permanent = nullptr;
    std::unique_ptr<CDC> temporary;
    // Destroyed first: it may own the painter.
    std::unique_ptr<CDeviceExtension> extension;

    // The pixels drawn into: the selected bitmap's, or the image's. Invalid for painter contexts.
    Surface TargetSurface() const;
    QSize DeviceSize() const;
    // What drawing may touch: the clip region within the device, in device pixels.
    QRegion DrawableArea() const;
    // Consumes one injected failure; true when this transfer is to fail.
    bool TakeInjectedFailure();

    QTransform LogicalToDevice() const;
    QPoint ToDevice(long long x, long long y) const;
    QPoint ToLogical(long long x, long long y) const;
    // Device rectangle of a logical one, normalised.
    QRect ToDeviceRect(int left, int top, int right, int bottom) const;
    // Device pixels of a transfer's origin and extents. A negative extent runs from the origin pixel
    // backwards (x, x - 1, ... x + extent + 1) and reverses the picture on that axis.
    QRect ToTransferRect(int x, int y, int width, int height, bool* mirrorX, bool* mirrorY) const;

    DWORD ResolveColor(COLORREF color) const;
    const std::vector<PALETTEENTRY>& PaletteEntries() const;
    BrushPattern PatternOf(const BrushRecord* brush) const;

    int GetDeviceCaps(int index) const;
    void SelectClip(const QRegion* region, int mode);
    int ClipType() const;

    // Runs the transfer engine onto this context inside its clip region, and inside limit when given.
    bool Draw(const BlitRequest& request, const QRegion* limit = nullptr);
};

// Device coordinates stay within the system's own 27-bit range, so that no sum of two overflows.
inline constexpr long long kCoordinateLimit = 1LL << 27;
int ClampCoordinate(double value);

QRect RectFromCorners(int left, int top, int right, int bottom);
// The pixels a transfer's origin and extent cover on one axis, and whether it runs backwards.
QRect TransferSpan(QPoint start, QPoint end, bool* mirrorX, bool* mirrorY);
int RegionType(const QRegion& region);
