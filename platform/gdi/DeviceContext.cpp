#include "platform/gdi/DeviceContext.h"

#include "platform/gdi/Dc.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kScreenDpi = 96;

int Sign(int value) {
    return value < 0 ? -1 : 1;
}

} // namespace

int ClampCoordinate(double value) {
    const double limit = static_cast<double>(kCoordinateLimit);
    return static_cast<int>(std::lround(std::clamp(value, -limit, limit)));
}

QRect RectFromCorners(int left, int top, int right, int bottom) {
    return QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                 QPoint(std::max(left, right) - 1, std::max(top, bottom) - 1));
}

QRect TransferSpan(QPoint start, QPoint end, bool* mirrorX, bool* mirrorY) {
    const auto span = [](int from, int to, bool* reversed) {
        if (reversed)
            *reversed = to < from;
        return to < from ? std::pair(to + 1, from + 1) : std::pair(from, to);
    };
    const auto [left, right] = span(start.x(), end.x(), mirrorX);
    const auto [top, bottom] = span(start.y(), end.y(), mirrorY);
    return QRect(left, top, right - left, bottom - top);
}

int RegionType(const QRegion& region) {
    if (region.isEmpty())
        return NULLREGION;
    return region.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

BitmapHold BitmapHold::Take(BitmapRecord* bitmap, DeviceContextRecord* dc) {
    BitmapHold hold;
    if (!bitmap)
        return hold;
    {
        std::lock_guard lock(GdiBookkeepingMutex());
        if (!bitmap->stock) {
            if (bitmap->owner && bitmap->owner != dc)
                return hold;
            bitmap->owner = dc;
            ++bitmap->ownerHolds;
        }
    }
    hold.m_bitmap = GdiRef<BitmapRecord>(bitmap);
    return hold;
}

BitmapHold::BitmapHold(const BitmapHold& other) : m_bitmap(other.m_bitmap) {
    if (m_bitmap && !m_bitmap->stock) {
        std::lock_guard lock(GdiBookkeepingMutex());
        ++m_bitmap->ownerHolds;
    }
}

BitmapHold& BitmapHold::operator=(const BitmapHold& other) {
    if (this != &other) {
        BitmapHold copy(other);
        Drop();
        m_bitmap = copy.m_bitmap;
        if (m_bitmap && !m_bitmap->stock) {
            std::lock_guard lock(GdiBookkeepingMutex());
            ++m_bitmap->ownerHolds;
        }
    }
    return *this;
}

BitmapHold::~BitmapHold() {
    Drop();
}

void BitmapHold::Drop() {
    if (m_bitmap && !m_bitmap->stock) {
        std::lock_guard lock(GdiBookkeepingMutex());
        if (--m_bitmap->ownerHolds == 0)
            m_bitmap->owner = nullptr;
    }
    m_bitmap = GdiRef<BitmapRecord>();
}

DeviceContextRecord::DeviceContextRecord(Target kind) : target(kind) {
    state.pen = GdiRef<PenRecord>(PenOf(GetStockObject(BLACK_PEN)));
    state.brush = GdiRef<BrushRecord>(BrushOf(GetStockObject(WHITE_BRUSH)));
    state.font = GdiRef<FontRecord>(FontOf(GetStockObject(SYSTEM_FONT)));
    state.palette = GdiRef<PaletteRecord>(PaletteOf(GetStockObject(DEFAULT_PALETTE)));
}

DeviceContextRecord::~DeviceContextRecord() {
    if (permanent)
        permanent->m_hDC = nullptr;
    if (temporary)
        temporary->m_hDC = nullptr;
}

Surface DeviceContextRecord::TargetSurface() const {
    if (target == Target::Memory && state.bitmap)
        return state.bitmap.get()->surface;
    if (target == Target::Image && image && !image->isNull()) {
        const int bytes = image->depth() / 8;
        return Surface{image->bits(), image->width(), image->height(), image->bytesPerLine(), bytes, false};
    }
    return Surface{};
}

QSize DeviceContextRecord::DeviceSize() const {
    if (target == Target::Painter)
        return painterSize;
    const Surface surface = TargetSurface();
    return QSize(surface.width, surface.height);
}

QRegion DeviceContextRecord::DrawableArea() const {
    const QRect bounds(QPoint(0, 0), DeviceSize());
    return state.clipped ? state.clip.intersected(bounds) : QRegion(bounds);
}

bool DeviceContextRecord::TakeInjectedFailure() {
    if (failTransfers <= 0)
        return false;
    if (passBeforeFailing > 0) {
        --passBeforeFailing;
        return false;
    }
    --failTransfers;
    return true;
}

QTransform DeviceContextRecord::LogicalToDevice() const {
    const DcState& s = state;
    const double sx = static_cast<double>(s.viewportExt.cx) / s.windowExt.cx;
    const double sy = static_cast<double>(s.viewportExt.cy) / s.windowExt.cy;
    return QTransform(sx, 0, 0, sy, s.viewportOrg.x - s.windowOrg.x * sx,
                      s.viewportOrg.y - s.windowOrg.y * sy);
}

QPoint DeviceContextRecord::ToDevice(long long x, long long y) const {
    const DcState& s = state;
    if (s.mapMode == MM_TEXT)
        return QPoint(ClampCoordinate(static_cast<double>(x - s.windowOrg.x + s.viewportOrg.x)),
                      ClampCoordinate(static_cast<double>(y - s.windowOrg.y + s.viewportOrg.y)));
    const QPointF p = LogicalToDevice().map(QPointF(static_cast<double>(x), static_cast<double>(y)));
    return QPoint(ClampCoordinate(p.x()), ClampCoordinate(p.y()));
}

QPoint DeviceContextRecord::ToLogical(long long x, long long y) const {
    const DcState& s = state;
    if (s.mapMode == MM_TEXT)
        return QPoint(ClampCoordinate(static_cast<double>(x - s.viewportOrg.x + s.windowOrg.x)),
                      ClampCoordinate(static_cast<double>(y - s.viewportOrg.y + s.windowOrg.y)));
    const QPointF p =
        LogicalToDevice().inverted().map(QPointF(static_cast<double>(x), static_cast<double>(y)));
    return QPoint(ClampCoordinate(p.x()), ClampCoordinate(p.y()));
}

QRect DeviceContextRecord::ToDeviceRect(int left, int top, int right, int bottom) const {
    const QPoint a = ToDevice(left, top), b = ToDevice(right, bottom);
    return RectFromCorners(a.x(), a.y(), b.x(), b.y());
}

QRect DeviceContextRecord::ToTransferRect(int x, int y, int width, int height, bool* mirrorX,
                                          bool* mirrorY) const {
    return TransferSpan(ToDevice(x, y),
                        ToDevice(static_cast<long long>(x) + width, static_cast<long long>(y) + height),
                        mirrorX, mirrorY);
}

const std::vector<PALETTEENTRY>& DeviceContextRecord::PaletteEntries() const {
    return state.palette->entries;
}

DWORD DeviceContextRecord::ResolveColor(COLORREF color) const {
    if ((color >> 24) == 0x01) {
        const auto& entries = PaletteEntries();
        const size_t index = color & 0xFFFF;
        if (index >= entries.size())
            return 0;
        const PALETTEENTRY& e = entries[index];
        return (static_cast<DWORD>(e.peRed) << 16) | (e.peGreen << 8) | e.peBlue;
    }
    return PixelFromColorRef(color & 0xFFFFFF);
}

BrushPattern DeviceContextRecord::PatternOf(const BrushRecord* brush) const {
    BrushPattern pattern;
    pattern.color = ResolveColor(brush->brush.lbColor);
    pattern.background = ResolveColor(state.bkColor);
    if (brush->brush.lbStyle == BS_HATCHED)
        pattern.hatch = static_cast<int>(brush->brush.lbHatch);
    pattern.tile = brush->pattern;
    return pattern;
}

int DeviceContextRecord::GetDeviceCaps(int index) const {
    if (const auto it = capsOverrides.find(index); it != capsOverrides.end())
        return it->second;
    switch (index) {
    case TECHNOLOGY:
        return DT_RASDISPLAY;
    case HORZRES:
        return DeviceSize().width();
    case VERTRES:
        return DeviceSize().height();
    case HORZSIZE:
        return static_cast<int>(std::lround(GetDeviceCaps(HORZRES) * 25.4 / GetDeviceCaps(LOGPIXELSX)));
    case VERTSIZE:
        return static_cast<int>(std::lround(GetDeviceCaps(VERTRES) * 25.4 / GetDeviceCaps(LOGPIXELSY)));
    case BITSPIXEL:
        return 32;
    case PLANES:
        return 1;
    case NUMCOLORS:
        return -1;
    case RASTERCAPS:
        return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB;
    case LOGPIXELSX:
    case LOGPIXELSY:
        return kScreenDpi;
    default:
        return 0;
    }
}

void DeviceContextRecord::SelectClip(const QRegion* region, int mode) {
    DcState& s = state;
    if (mode == RGN_COPY) {
        s.clipped = region != nullptr;
        s.clip = region ? *region : QRegion();
        return;
    }
    if (!region)
        return;
    const QRegion current = s.clipped ? s.clip : QRegion(QRect(QPoint(0, 0), DeviceSize()));
    switch (mode) {
    case RGN_AND:
        s.clip = current.intersected(*region);
        break;
    case RGN_OR:
        s.clip = current.united(*region);
        break;
    case RGN_XOR:
        s.clip = current.xored(*region);
        break;
    case RGN_DIFF:
        s.clip = current.subtracted(*region);
        break;
    default:
        return;
    }
    s.clipped = true;
}

int DeviceContextRecord::ClipType() const {
    return RegionType(DrawableArea());
}

bool DeviceContextRecord::Draw(const BlitRequest& request, const QRegion* limit) {
    const QRegion area = limit ? DrawableArea().intersected(*limit) : DrawableArea();
    const Surface surface = TargetSurface();
    if (surface.IsValid())
        return BlitToSurface(surface, area, request);
    if (target == Target::Painter && painter)
        return BlitToPainter(*painter, area, request);
    return false;
}

// Handle functions.

HDC CreateCompatibleDC(HDC) {
    auto dc = std::make_unique<DeviceContextRecord>(DeviceContextRecord::Target::Memory);
    dc->state.bitmap = BitmapHold::Take(BitmapOf(GetStockObject(kStockBitmap)), dc.get());
    return dc.release();
}

BOOL DeleteDC(HDC dc) {
    if (!dc)
        return FALSE;
    delete dc;
    return TRUE;
}

void AttachDeviceExtension(HDC dc, std::unique_ptr<CDeviceExtension> extension) {
    if (dc)
        dc->extension = std::move(extension);
}

CDeviceExtension* GetDeviceExtension(HDC dc) {
    return dc ? dc->extension.get() : nullptr;
}

BOOL RetargetToPainter(HDC dc, QPainter* painter, int width, int height) {
    if (!dc || dc->target == DeviceContextRecord::Target::Image || width < 0 || height < 0)
        return FALSE;
    dc->target = painter ? DeviceContextRecord::Target::Painter : DeviceContextRecord::Target::Memory;
    dc->painter = painter;
    dc->painterSize = painter ? QSize(width, height) : QSize();
    return TRUE;
}

namespace {

// Swaps in a new selection and returns the previous handle, or null when the program has already
// deleted the previous object (its handle dies with this call).
template <typename T>
HGDIOBJ Exchange(GdiRef<T>& slot, T* object) {
    GdiRef<T> previous = slot;
    slot = GdiRef<T>(object);
    return previous && !previous->deleted ? previous.get() : nullptr;
}

} // namespace

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    if (!dc || !object)
        return nullptr;
    DcState& s = dc->state;
    switch (object->kind) {
    case GdiKind::Bitmap: {
        if (dc->target != DeviceContextRecord::Target::Memory)
            return nullptr;
        BitmapHold hold = BitmapHold::Take(BitmapOf(object), dc);
        if (!hold)
            return nullptr;
        BitmapHold previous = s.bitmap;
        s.bitmap = hold;
        return previous && !previous.get()->deleted ? previous.get() : nullptr;
    }
    case GdiKind::Pen:
        return Exchange(s.pen, PenOf(object));
    case GdiKind::Brush:
        return Exchange(s.brush, BrushOf(object));
    case GdiKind::Font:
        return Exchange(s.font, FontOf(object));
    case GdiKind::Region:
        dc->SelectClip(&RegionOf(object)->region, RGN_COPY);
        return nullptr;
    case GdiKind::Palette:
        return nullptr;
    }
    return nullptr;
}

HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL) {
    PaletteRecord* record = PaletteOf(palette);
    if (!dc || !record)
        return nullptr;
    return Exchange(dc->state.palette, record);
}

UINT RealizePalette(HDC) {
    return 0;
}

int SetStretchBltMode(HDC dc, int mode) {
    if (!dc || mode < BLACKONWHITE || mode > HALFTONE)
        return 0;
    return std::exchange(dc->state.stretchMode, mode);
}

int GetStretchBltMode(HDC dc) {
    return dc ? dc->state.stretchMode : 0;
}

int GetDeviceCaps(HDC dc, int index) {
    return dc ? dc->GetDeviceCaps(index) : 0;
}

int SelectClipRgn(HDC dc, HRGN region) {
    return ExtSelectClipRgn(dc, region, RGN_COPY);
}

int ExtSelectClipRgn(HDC dc, HRGN region, int mode) {
    if (!dc || mode < RGN_AND || mode > RGN_COPY)
        return ERROR;
    const RegionRecord* record = RegionOf(region);
    if (region && !record)
        return ERROR;
    if (!record && mode != RGN_COPY)
        return ERROR;
    dc->SelectClip(record ? &record->region : nullptr, mode);
    return dc->ClipType();
}

// CDC: creation and wrappers.

CDC::~CDC() {
    if (m_hDC)
        DeleteDC();
}

CDC* CDC::FromHandle(HDC dc) {
    if (!dc)
        return nullptr;
    if (dc->permanent)
        return dc->permanent;
    if (!dc->temporary) {
        dc->temporary = std::make_unique<CDC>();
        dc->temporary->m_hDC = dc;
    }
    return dc->temporary.get();
}

BOOL CDC::Attach(HDC dc) {
    if (m_hDC || !dc || (dc->permanent && dc->permanent != this))
        return FALSE;
    dc->permanent = this;
    m_hDC = dc;
    return TRUE;
}

HDC CDC::Detach() {
    HDC dc = std::exchange(m_hDC, nullptr);
    if (dc && dc->permanent == this)
        dc->permanent = nullptr;
    return dc;
}

BOOL CDC::CreateCompatibleDC(CDC* dc) {
    if (m_hDC)
        return FALSE;
    return Attach(::CreateCompatibleDC(dc ? dc->m_hDC : nullptr));
}

BOOL CDC::DeleteDC() {
    if (!m_hDC)
        return FALSE;
    return ::DeleteDC(Detach());
}

BOOL CDC::CreateImageDC(QImage* image) {
    if (m_hDC || !image)
        return FALSE;
    switch (image->format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
    case QImage::Format_BGR888:
        break;
    default:
        return FALSE;
    }
    auto dc = std::make_unique<DeviceContextRecord>(DeviceContextRecord::Target::Image);
    dc->image = image;
    return Attach(dc.release());
}

BOOL CDC::CreatePainterDC(QPainter* painter, int width, int height) {
    if (m_hDC || !painter || width < 0 || height < 0)
        return FALSE;
    auto dc = std::make_unique<DeviceContextRecord>(DeviceContextRecord::Target::Painter);
    dc->painter = painter;
    dc->painterSize = QSize(width, height);
    return Attach(dc.release());
}

// CDC: selection and state.

CPen* CDC::SelectObject(CPen* pen) {
    return static_cast<CPen*>(CGdiObject::FromHandle(::SelectObject(m_hDC, pen ? pen->m_hObject : nullptr)));
}

CBrush* CDC::SelectObject(CBrush* brush) {
    return static_cast<CBrush*>(
        CGdiObject::FromHandle(::SelectObject(m_hDC, brush ? brush->m_hObject : nullptr)));
}

CFont* CDC::SelectObject(CFont* font) {
    return static_cast<CFont*>(
        CGdiObject::FromHandle(::SelectObject(m_hDC, font ? font->m_hObject : nullptr)));
}

CBitmap* CDC::SelectObject(CBitmap* bitmap) {
    return static_cast<CBitmap*>(
        CGdiObject::FromHandle(::SelectObject(m_hDC, bitmap ? bitmap->m_hObject : nullptr)));
}

CGdiObject* CDC::SelectObject(CGdiObject* object) {
    return CGdiObject::FromHandle(::SelectObject(m_hDC, object ? object->m_hObject : nullptr));
}

int CDC::SelectObject(CRgn* region) {
    return SelectClipRgn(region);
}

CGdiObject* CDC::SelectStockObject(int index) {
    return CGdiObject::FromHandle(::SelectObject(m_hDC, GetStockObject(index)));
}

CPalette* CDC::SelectPalette(CPalette* palette, BOOL forceBackground) {
    return static_cast<CPalette*>(CGdiObject::FromHandle(
        ::SelectPalette(m_hDC, palette ? palette->m_hObject : nullptr, forceBackground)));
}

UINT CDC::RealizePalette() {
    return ::RealizePalette(m_hDC);
}

CBitmap* CDC::GetCurrentBitmap() const {
    return m_hDC ? CBitmap::FromHandle(m_hDC->state.bitmap.get()) : nullptr;
}
CPen* CDC::GetCurrentPen() const {
    return m_hDC ? CPen::FromHandle(m_hDC->state.pen.get()) : nullptr;
}
CBrush* CDC::GetCurrentBrush() const {
    return m_hDC ? CBrush::FromHandle(m_hDC->state.brush.get()) : nullptr;
}
CFont* CDC::GetCurrentFont() const {
    return m_hDC ? CFont::FromHandle(m_hDC->state.font.get()) : nullptr;
}

int CDC::SaveDC() {
    if (!m_hDC)
        return 0;
    m_hDC->saved.push_back(m_hDC->state);
    return static_cast<int>(m_hDC->saved.size());
}

BOOL CDC::RestoreDC(int savedDC) {
    if (!m_hDC)
        return FALSE;
    auto& saved = m_hDC->saved;
    const int level = savedDC < 0 ? static_cast<int>(saved.size()) + 1 + savedDC : savedDC;
    if (level < 1 || level > static_cast<int>(saved.size()))
        return FALSE;
    m_hDC->state = saved[level - 1];
    saved.resize(level - 1);
    return TRUE;
}

namespace {

template <typename T>
T SetChecked(HDC dc, T DcState::*field, T value, T low, T high) {
    if (!dc || value < low || value > high)
        return 0;
    return std::exchange(dc->state.*field, value);
}

} // namespace

int CDC::SetStretchBltMode(int mode) {
    return ::SetStretchBltMode(m_hDC, mode);
}
int CDC::GetStretchBltMode() const {
    return ::GetStretchBltMode(m_hDC);
}
int CDC::SetROP2(int mode) {
    return SetChecked(m_hDC, &DcState::rop2, mode, R2_BLACK, R2_WHITE);
}
int CDC::GetROP2() const {
    return m_hDC ? m_hDC->state.rop2 : 0;
}
int CDC::SetBkMode(int mode) {
    return SetChecked(m_hDC, &DcState::bkMode, mode, TRANSPARENT, OPAQUE);
}
int CDC::GetBkMode() const {
    return m_hDC ? m_hDC->state.bkMode : 0;
}
int CDC::SetPolyFillMode(int mode) {
    return SetChecked(m_hDC, &DcState::polyFillMode, mode, ALTERNATE, WINDING);
}
int CDC::GetPolyFillMode() const {
    return m_hDC ? m_hDC->state.polyFillMode : 0;
}

COLORREF CDC::SetTextColor(COLORREF color) {
    return m_hDC ? std::exchange(m_hDC->state.textColor, color) : CLR_INVALID;
}
COLORREF CDC::GetTextColor() const {
    return m_hDC ? m_hDC->state.textColor : CLR_INVALID;
}
COLORREF CDC::SetBkColor(COLORREF color) {
    return m_hDC ? std::exchange(m_hDC->state.bkColor, color) : CLR_INVALID;
}
COLORREF CDC::GetBkColor() const {
    return m_hDC ? m_hDC->state.bkColor : CLR_INVALID;
}

// CDC: coordinates.

int CDC::SetMapMode(int mode) {
    if (!m_hDC || mode < MM_TEXT || mode > MM_ANISOTROPIC)
        return 0;
    DcState& s = m_hDC->state;
    const int previous = std::exchange(s.mapMode, mode);
    // Logical units per inch of the fixed modes; their y axis points up.
    int unitsPerInch = 0;
    switch (mode) {
    case MM_TEXT:
        s.windowExt = {1, 1}, s.viewportExt = {1, 1};
        break;
    case MM_LOMETRIC:
        unitsPerInch = 254;
        break;
    case MM_HIMETRIC:
        unitsPerInch = 2540;
        break;
    case MM_LOENGLISH:
        unitsPerInch = 100;
        break;
    case MM_HIENGLISH:
        unitsPerInch = 1000;
        break;
    case MM_TWIPS:
        unitsPerInch = 1440;
        break;
    default:
        break;
    }
    if (unitsPerInch) {
        s.windowExt = {unitsPerInch, unitsPerInch};
        s.viewportExt = {GetDeviceCaps(LOGPIXELSX), -GetDeviceCaps(LOGPIXELSY)};
    }
    return previous;
}

int CDC::GetMapMode() const {
    return m_hDC ? m_hDC->state.mapMode : 0;
}

CPoint CDC::SetViewportOrg(int x, int y) {
    if (!m_hDC)
        return CPoint();
    return std::exchange(m_hDC->state.viewportOrg, POINT{x, y});
}

CPoint CDC::GetViewportOrg() const {
    return m_hDC ? CPoint(m_hDC->state.viewportOrg) : CPoint();
}

CPoint CDC::SetWindowOrg(int x, int y) {
    if (!m_hDC)
        return CPoint();
    return std::exchange(m_hDC->state.windowOrg, POINT{x, y});
}

CPoint CDC::GetWindowOrg() const {
    return m_hDC ? CPoint(m_hDC->state.windowOrg) : CPoint();
}

namespace {

// Isotropic mapping keeps logical units square by shrinking the larger viewport scale.
void KeepUnitsSquare(DcState& s) {
    const double xScale = std::fabs(static_cast<double>(s.viewportExt.cx) / s.windowExt.cx);
    const double yScale = std::fabs(static_cast<double>(s.viewportExt.cy) / s.windowExt.cy);
    if (xScale < yScale)
        s.viewportExt.cy =
            Sign(s.viewportExt.cy) * static_cast<int>(std::lround(std::abs(s.windowExt.cy) * xScale));
    else if (yScale < xScale)
        s.viewportExt.cx =
            Sign(s.viewportExt.cx) * static_cast<int>(std::lround(std::abs(s.windowExt.cx) * yScale));
}

CSize SetExtent(HDC dc, SIZE DcState::*field, int cx, int cy) {
    if (!dc || cx == 0 || cy == 0)
        return CSize();
    DcState& s = dc->state;
    const CSize previous = s.*field;
    if (s.mapMode != MM_ISOTROPIC && s.mapMode != MM_ANISOTROPIC)
        return previous;
    s.*field = SIZE{cx, cy};
    if (s.mapMode == MM_ISOTROPIC)
        KeepUnitsSquare(s);
    return previous;
}

} // namespace

CSize CDC::SetViewportExt(int cx, int cy) {
    return SetExtent(m_hDC, &DcState::viewportExt, cx, cy);
}
CSize CDC::GetViewportExt() const {
    return m_hDC ? CSize(m_hDC->state.viewportExt) : CSize();
}
CSize CDC::SetWindowExt(int cx, int cy) {
    return SetExtent(m_hDC, &DcState::windowExt, cx, cy);
}
CSize CDC::GetWindowExt() const {
    return m_hDC ? CSize(m_hDC->state.windowExt) : CSize();
}

void CDC::LPtoDP(LPPOINT points, int count) const {
    for (int i = 0; m_hDC && i < count; ++i) {
        const QPoint p = m_hDC->ToDevice(points[i].x, points[i].y);
        points[i] = POINT{p.x(), p.y()};
    }
}

void CDC::LPtoDP(LPRECT rect) const {
    LPtoDP(reinterpret_cast<LPPOINT>(rect), 2);
}

void CDC::LPtoDP(LPSIZE size) const {
    if (!m_hDC)
        return;
    const QPoint origin = m_hDC->ToDevice(0, 0), corner = m_hDC->ToDevice(size->cx, size->cy);
    *size = SIZE{std::abs(corner.x() - origin.x()), std::abs(corner.y() - origin.y())};
}

void CDC::DPtoLP(LPPOINT points, int count) const {
    for (int i = 0; m_hDC && i < count; ++i) {
        const QPoint p = m_hDC->ToLogical(points[i].x, points[i].y);
        points[i] = POINT{p.x(), p.y()};
    }
}

void CDC::DPtoLP(LPRECT rect) const {
    DPtoLP(reinterpret_cast<LPPOINT>(rect), 2);
}

void CDC::DPtoLP(LPSIZE size) const {
    if (!m_hDC)
        return;
    const QPoint origin = m_hDC->ToLogical(0, 0), corner = m_hDC->ToLogical(size->cx, size->cy);
    *size = SIZE{std::abs(corner.x() - origin.x()), std::abs(corner.y() - origin.y())};
}

int CDC::GetDeviceCaps(int index) const {
    return ::GetDeviceCaps(m_hDC, index);
}

void CDC::SetDeviceCaps(int index, int value) {
    if (m_hDC)
        m_hDC->capsOverrides[index] = value;
}

void CDC::FailNextTransfers(int count, int afterSuccesses) {
    if (!m_hDC)
        return;
    m_hDC->failTransfers = count;
    m_hDC->passBeforeFailing = afterSuccesses;
}

// CDC: clipping.

int CDC::SelectClipRgn(CRgn* region) {
    return ::SelectClipRgn(m_hDC, region ? region->m_hObject : nullptr);
}

int CDC::SelectClipRgn(CRgn* region, int mode) {
    return ::ExtSelectClipRgn(m_hDC, region ? region->m_hObject : nullptr, mode);
}

int CDC::IntersectClipRect(int left, int top, int right, int bottom) {
    if (!m_hDC)
        return ERROR;
    const QRegion rect(m_hDC->ToDeviceRect(left, top, right, bottom));
    m_hDC->SelectClip(&rect, RGN_AND);
    return m_hDC->ClipType();
}

int CDC::ExcludeClipRect(int left, int top, int right, int bottom) {
    if (!m_hDC)
        return ERROR;
    const QRegion rect(m_hDC->ToDeviceRect(left, top, right, bottom));
    m_hDC->SelectClip(&rect, RGN_DIFF);
    return m_hDC->ClipType();
}

int CDC::GetClipBox(LPRECT rect) const {
    if (!m_hDC || !rect)
        return ERROR;
    const QRegion area = m_hDC->DrawableArea();
    const QRect box = area.boundingRect();
    if (area.isEmpty()) {
        *rect = RECT{};
        return NULLREGION;
    }
    const QPoint a = m_hDC->ToLogical(box.left(), box.top());
    const QPoint b = m_hDC->ToLogical(box.right() + 1, box.bottom() + 1);
    *rect =
        RECT{std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::max(a.x(), b.x()), std::max(a.y(), b.y())};
    return RegionType(area);
}
