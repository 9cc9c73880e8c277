// The WMF player: one small function per record kind, over CDC.

#include "platform/gdi/meta/WmfPlayer.h"

#include "platform/base/ByteOrder.h"
#include "platform/base/DibLimits.h"
#include "platform/gdi/Dc.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kHeaderSize = 18;
constexpr std::size_t kRecordHeader = 6;
// Object tables larger than this are refused: no real metafile needs more handles.
constexpr int kMaxObjects = 4096;

enum Function : WORD {
    kEof = 0x0000,
    kSaveDc = 0x001E,
    kSelectPalette = 0x0234,
    kCreatePalette = 0x00F7,
    kSetBkMode = 0x0102,
    kSetMapMode = 0x0103,
    kSetRop2 = 0x0104,
    kSetPolyFillMode = 0x0106,
    kSetStretchBltMode = 0x0107,
    kRestoreDc = 0x0127,
    kSelectObject = 0x012D,
    kSetTextAlign = 0x012E,
    kDibCreatePatternBrush = 0x0142,
    kDeleteObject = 0x01F0,
    kSetBkColor = 0x0201,
    kSetTextColor = 0x0209,
    kSetWindowOrg = 0x020B,
    kSetWindowExt = 0x020C,
    kSetViewportOrg = 0x020D,
    kSetViewportExt = 0x020E,
    kOffsetWindowOrg = 0x020F,
    kOffsetViewportOrg = 0x0211,
    kLineTo = 0x0213,
    kMoveTo = 0x0214,
    kCreatePenIndirect = 0x02FA,
    kCreateFontIndirect = 0x02FB,
    kCreateBrushIndirect = 0x02FC,
    kPolygon = 0x0324,
    kPolyline = 0x0325,
    kScaleWindowExt = 0x0410,
    kScaleViewportExt = 0x0412,
    kExcludeClipRect = 0x0415,
    kIntersectClipRect = 0x0416,
    kEllipse = 0x0418,
    kRectangle = 0x041B,
    kTextOut = 0x0521,
    kPolyPolygon = 0x0538,
    kRoundRect = 0x061C,
    kPatBlt = 0x061D,
    kArc = 0x0817,
    kPie = 0x081A,
    kChord = 0x0830,
    kDibBitBlt = 0x0940,
    kExtTextOut = 0x0A32,
    kDibStretchBlt = 0x0B41,
    kStretchDib = 0x0F43,
};

// One record's parameters, read as 16-bit words; reads past the record give 0 and mark it short.
class Params {
public:
    explicit Params(std::span<const BYTE> bytes) : m_bytes(bytes) {}
    std::size_t Size() const { return m_bytes.size(); }
    short Short(std::size_t word) const { return static_cast<short>(Word(word)); }
    WORD Word(std::size_t word) const {
        if (2 * word + 2 > m_bytes.size()) {
            m_short = true;
            return 0;
        }
        return ReadLe16(m_bytes.data() + 2 * word);
    }
    DWORD Dword(std::size_t word) const { return Word(word) | DWORD{Word(word + 1)} << 16; }
    std::span<const BYTE> From(std::size_t word) const {
        return 2 * word <= m_bytes.size() ? m_bytes.subspan(2 * word) : std::span<const BYTE>();
    }
    bool IsShort() const { return m_short; }

private:
    std::span<const BYTE> m_bytes;
    mutable bool m_short = false;
};

// A packed DIB inside a record, copied to aligned memory: records put it at any even offset.
struct RecordDib {
    std::vector<DWORD> storage;
    const BITMAPINFO* info = nullptr;
    const BYTE* bits = nullptr;
};

// Checked against the bytes it has: 40-byte header, a depth the drawing layer takes, the size limits,
// colour table and rows inside.
bool CheckedDib(std::span<const BYTE> bytes, RecordDib& dib) {
    if (bytes.size() < sizeof(BITMAPINFOHEADER))
        return false;
    BITMAPINFOHEADER header;
    std::memcpy(&header, bytes.data(), sizeof header);
    const std::int64_t width = header.biWidth, height = std::abs(std::int64_t{header.biHeight});
    const int bpp = header.biBitCount;
    if (header.biSize != sizeof header || width <= 0 || height == 0 || width > kMaxDibSide ||
        height > kMaxDibSide || width * height > kMaxDibPixels)
        return false;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return false;
    std::int64_t table = 0;
    if (header.biCompression == BI_BITFIELDS && (bpp == 16 || bpp == 32))
        table = 12;
    else if (header.biCompression != BI_RGB)
        return false;
    else if (bpp <= 8)
        table = 4 * std::int64_t{header.biClrUsed ? std::min<DWORD>(header.biClrUsed, 1u << bpp) : 1u << bpp};
    const std::int64_t rows = (width * bpp + 31) / 32 * 4 * height;
    const std::int64_t total = std::int64_t{sizeof header} + table + rows;
    if (total > static_cast<std::int64_t>(bytes.size()))
        return false;
    dib.storage.resize(static_cast<std::size_t>((total + 3) / 4));
    std::memcpy(dib.storage.data(), bytes.data(), static_cast<std::size_t>(total));
    dib.info = reinterpret_cast<const BITMAPINFO*>(dib.storage.data());
    dib.bits = reinterpret_cast<const BYTE*>(dib.storage.data()) + sizeof header + table;
    return true;
}

class Player {
public:
    Player(CDC& dc, int objectCount) : m_dc(dc), m_objects(static_cast<std::size_t>(objectCount)) {}

    void Play(WORD function, const Params& p);

private:
    void AddObject(std::unique_ptr<CGdiObject> object) {
        for (auto& slot : m_objects)
            if (!slot) {
                slot = std::move(object);
                return;
            }
    }
    CGdiObject* ObjectAt(WORD index) const {
        return index < m_objects.size() ? m_objects[index].get() : nullptr;
    }
    std::vector<POINT> Points(const Params& p, std::size_t firstWord, std::size_t count) const {
        std::vector<POINT> points;
        if (p.From(firstWord).size() < 4 * count)
            return points;
        for (std::size_t i = 0; i < count; ++i)
            points.push_back({p.Short(firstWord + 2 * i), p.Short(firstWord + 2 * i + 1)});
        return points;
    }
    void CreatePen(const Params& p);
    void CreateBrush(const Params& p);
    void CreateFont(const Params& p);
    void CreatePatternBrush(const Params& p);
    void Text(const Params& p);
    void ExtText(const Params& p);
    void PolyPolygon(const Params& p);
    void Bitmap(WORD function, const Params& p);

    CDC& m_dc;
    std::vector<std::unique_ptr<CGdiObject>> m_objects;
};

void Player::CreatePen(const Params& p) {
    auto pen = std::make_unique<CPen>();
    pen->CreatePen(p.Word(0), p.Short(1), p.Dword(3));
    AddObject(std::move(pen));
}

void Player::CreateBrush(const Params& p) {
    auto brush = std::make_unique<CBrush>();
    const LOGBRUSH log{p.Word(0), p.Dword(1), p.Word(3)};
    if (!brush->CreateBrushIndirect(&log))
        brush->CreateSolidBrush(log.lbColor);
    AddObject(std::move(brush));
}

// The record's DIB, checked against the record, tiles the brush; a damaged one gives a black brush, so
// that the object table keeps its numbering.
void Player::CreatePatternBrush(const Params& p) {
    auto brush = std::make_unique<CBrush>();
    RecordDib dib;
    if (!CheckedDib(p.From(2), dib) || !brush->CreateDIBPatternBrush(dib.info, p.Word(1)))
        brush->CreateSolidBrush(RGB(0, 0, 0));
    AddObject(std::move(brush));
}

void Player::CreateFont(const Params& p) {
    LOGFONT log{};
    log.lfHeight = p.Short(0);
    log.lfWidth = p.Short(1);
    log.lfEscapement = p.Short(2);
    log.lfOrientation = p.Short(3);
    log.lfWeight = p.Short(4);
    const std::span<const BYTE> rest = p.From(5);
    if (rest.size() >= 8) {
        log.lfItalic = rest[0], log.lfUnderline = rest[1], log.lfStrikeOut = rest[2], log.lfCharSet = rest[3];
        log.lfOutPrecision = rest[4], log.lfClipPrecision = rest[5], log.lfQuality = rest[6];
        log.lfPitchAndFamily = rest[7];
        const std::size_t nameBytes = std::min<std::size_t>(rest.size() - 8, LF_FACESIZE - 1);
        std::memcpy(log.lfFaceName, rest.data() + 8, nameBytes);
    }
    auto font = std::make_unique<CFont>();
    font->CreateFontIndirect(&log);
    AddObject(std::move(font));
}

void Player::Text(const Params& p) {
    const WORD length = p.Word(0);
    const std::size_t padded = (length + 1u) / 2;
    const std::span<const BYTE> text = p.From(1);
    if (text.size() < 2 * padded + 4)
        return;
    const std::string shown(reinterpret_cast<const char*>(text.data()), length);
    m_dc.TextOut(p.Short(2 + padded), p.Short(1 + padded), shown.c_str(), static_cast<int>(shown.size()));
}

void Player::ExtText(const Params& p) {
    const int y = p.Short(0), x = p.Short(1);
    const WORD length = p.Word(2), options = p.Word(3);
    std::size_t word = 4;
    RECT rect{};
    const bool hasRect = options & (ETO_OPAQUE | ETO_CLIPPED);
    if (hasRect) {
        rect = {p.Short(4), p.Short(5), p.Short(6), p.Short(7)};
        word += 4;
    }
    const std::size_t padded = (length + 1u) / 2;
    const std::span<const BYTE> text = p.From(word);
    if (p.IsShort() || text.size() < 2 * padded)
        return;
    const std::string shown(reinterpret_cast<const char*>(text.data()), length);
    std::vector<int> dx;
    if (p.From(word + padded).size() >= 2u * length)
        for (std::size_t i = 0; i < length; ++i)
            dx.push_back(p.Short(word + padded + i));
    m_dc.ExtTextOut(x, y, options, hasRect ? &rect : nullptr, shown.c_str(), length,
                    dx.empty() ? nullptr : dx.data());
}

void Player::PolyPolygon(const Params& p) {
    const WORD polygons = p.Word(0);
    std::vector<int> counts;
    std::size_t total = 0;
    for (std::size_t i = 0; i < polygons; ++i) {
        counts.push_back(p.Word(1 + i));
        total += counts.back();
    }
    if (p.IsShort() || polygons == 0)
        return;
    const std::vector<POINT> points = Points(p, 1 + polygons, total);
    if (points.size() == total)
        m_dc.PolyPolygon(points.data(), counts.data(), polygons);
}

// The three bitmap records; without a bitmap the blit records are pattern fills.
void Player::Bitmap(WORD function, const Params& p) {
    const DWORD rop = p.Dword(0);
    RecordDib dib;
    if (function == kStretchDib) {
        // Raster operation, colour usage, source height, width, y, x, destination height, width, y, x.
        if (CheckedDib(p.From(11), dib))
            StretchDIBits(m_dc.GetSafeHdc(), p.Short(10), p.Short(9), p.Short(8), p.Short(7), p.Short(6),
                          p.Short(5), p.Short(4), p.Short(3), dib.bits, dib.info, p.Word(2), rop);
        return;
    }
    if (function == kDibStretchBlt) {
        // Raster operation, source height, width, y, x, destination height, width, y, x.
        if (CheckedDib(p.From(10), dib))
            StretchDIBits(m_dc.GetSafeHdc(), p.Short(9), p.Short(8), p.Short(7), p.Short(6), p.Short(5),
                          p.Short(4), p.Short(3), p.Short(2), dib.bits, dib.info, DIB_RGB_COLORS, rop);
        else if (p.Size() == 2 * 9 + 2)
            m_dc.PatBlt(p.Short(8), p.Short(7), p.Short(6), p.Short(5), rop);
        return;
    }
    // Raster operation, source y, x, height, width, destination y, x.
    if (CheckedDib(p.From(8), dib))
        StretchDIBits(m_dc.GetSafeHdc(), p.Short(7), p.Short(6), p.Short(5), p.Short(4), p.Short(3),
                      p.Short(2), p.Short(5), p.Short(4), dib.bits, dib.info, DIB_RGB_COLORS, rop);
    else if (p.Size() == 2 * 8 + 2)
        m_dc.PatBlt(p.Short(7), p.Short(6), p.Short(5), p.Short(4), rop);
}

void Player::Play(WORD function, const Params& p) {
    switch (function) {
    case kSaveDc:
        m_dc.SaveDC();
        break;
    case kRestoreDc:
        m_dc.RestoreDC(p.Short(0));
        break;
    case kSetBkMode:
        m_dc.SetBkMode(p.Word(0));
        break;
    case kSetRop2:
        m_dc.SetROP2(p.Word(0));
        break;
    case kSetPolyFillMode:
        m_dc.SetPolyFillMode(p.Word(0));
        break;
    case kSetStretchBltMode:
        m_dc.SetStretchBltMode(p.Word(0));
        break;
    case kSetTextAlign:
        m_dc.SetTextAlign(p.Word(0));
        break;
    case kSetBkColor:
        m_dc.SetBkColor(p.Dword(0));
        break;
    case kSetTextColor:
        m_dc.SetTextColor(p.Dword(0));
        break;
    case kSetWindowOrg:
        m_dc.SetWindowOrg(p.Short(1), p.Short(0));
        break;
    case kSetWindowExt:
        if (p.Short(0) != 0 && p.Short(1) != 0)
            m_dc.SetWindowExt(p.Short(1), p.Short(0));
        break;
    case kOffsetWindowOrg: {
        const CPoint origin = m_dc.GetWindowOrg();
        m_dc.SetWindowOrg(origin.x + p.Short(1), origin.y + p.Short(0));
        break;
    }
    case kScaleWindowExt: {
        // y denominator, y numerator, x denominator, x numerator.
        const CSize extent = m_dc.GetWindowExt();
        if (p.Short(0) != 0 && p.Short(2) != 0) {
            const long cx = long{extent.cx} * p.Short(3) / p.Short(2),
                       cy = long{extent.cy} * p.Short(1) / p.Short(0);
            if (cx != 0 && cy != 0)
                m_dc.SetWindowExt(static_cast<int>(cx), static_cast<int>(cy));
        }
        break;
    }
    case kCreatePenIndirect:
        CreatePen(p);
        break;
    case kCreateBrushIndirect:
        CreateBrush(p);
        break;
    case kCreateFontIndirect:
        CreateFont(p);
        break;
    case kDibCreatePatternBrush:
        CreatePatternBrush(p);
        break;
    case kCreatePalette:
        // Palettes keep their slot: later indices count it.
        AddObject(std::make_unique<CPalette>());
        break;
    case kSelectObject:
        if (CGdiObject* object = ObjectAt(p.Word(0)); object && object->GetSafeHandle())
            m_dc.SelectObject(object);
        break;
    case kDeleteObject:
        if (p.Word(0) < m_objects.size() && m_objects[p.Word(0)]) {
            // A selected object goes back to the stock one of its kind before it is deleted.
            if (dynamic_cast<CPen*>(m_objects[p.Word(0)].get()) &&
                m_dc.GetCurrentPen() == m_objects[p.Word(0)].get())
                m_dc.SelectStockObject(BLACK_PEN);
            if (dynamic_cast<CBrush*>(m_objects[p.Word(0)].get()) &&
                m_dc.GetCurrentBrush() == m_objects[p.Word(0)].get())
                m_dc.SelectStockObject(WHITE_BRUSH);
            if (dynamic_cast<CFont*>(m_objects[p.Word(0)].get()) &&
                m_dc.GetCurrentFont() == m_objects[p.Word(0)].get())
                m_dc.SelectStockObject(SYSTEM_FONT);
            m_objects[p.Word(0)].reset();
        }
        break;
    case kMoveTo:
        m_dc.MoveTo(p.Short(1), p.Short(0));
        break;
    case kLineTo:
        m_dc.LineTo(p.Short(1), p.Short(0));
        break;
    case kPolyline:
    case kPolygon: {
        const std::vector<POINT> points = Points(p, 1, p.Word(0));
        if (points.size() >= 2 && points.size() == p.Word(0)) {
            if (function == kPolygon)
                m_dc.Polygon(points.data(), static_cast<int>(points.size()));
            else
                m_dc.Polyline(points.data(), static_cast<int>(points.size()));
        }
        break;
    }
    case kPolyPolygon:
        PolyPolygon(p);
        break;
    case kRectangle:
        m_dc.Rectangle(p.Short(3), p.Short(2), p.Short(1), p.Short(0));
        break;
    case kEllipse:
        m_dc.Ellipse(p.Short(3), p.Short(2), p.Short(1), p.Short(0));
        break;
    case kRoundRect:
        m_dc.RoundRect(p.Short(5), p.Short(4), p.Short(3), p.Short(2), p.Short(1), p.Short(0));
        break;
    case kArc:
    case kChord:
    case kPie: {
        // End y, x, start y, x, then the box bottom, right, top, left.
        const int args[8] = {p.Short(7), p.Short(6), p.Short(5), p.Short(4),
                             p.Short(3), p.Short(2), p.Short(1), p.Short(0)};
        if (function == kArc)
            m_dc.Arc(args[0], args[1], args[2], args[3], args[4], args[5], args[6], args[7]);
        else if (function == kChord)
            m_dc.Chord(args[0], args[1], args[2], args[3], args[4], args[5], args[6], args[7]);
        else
            m_dc.Pie(args[0], args[1], args[2], args[3], args[4], args[5], args[6], args[7]);
        break;
    }
    case kTextOut:
        Text(p);
        break;
    case kExtTextOut:
        ExtText(p);
        break;
    case kPatBlt:
        m_dc.PatBlt(p.Short(5), p.Short(4), p.Short(3), p.Short(2), p.Dword(0));
        break;
    case kIntersectClipRect: {
        // Clip rectangles are logical here, device units in the drawing layer.
        RECT clip{p.Short(3), p.Short(2), p.Short(1), p.Short(0)};
        m_dc.LPtoDP(&clip);
        m_dc.IntersectClipRect(std::min(clip.left, clip.right), std::min(clip.top, clip.bottom),
                               std::max(clip.left, clip.right), std::max(clip.top, clip.bottom));
        break;
    }
    case kExcludeClipRect: {
        RECT clip{p.Short(3), p.Short(2), p.Short(1), p.Short(0)};
        m_dc.LPtoDP(&clip);
        m_dc.ExcludeClipRect(std::min(clip.left, clip.right), std::min(clip.top, clip.bottom),
                             std::max(clip.left, clip.right), std::max(clip.top, clip.bottom));
        break;
    }
    case kStretchDib:
    case kDibStretchBlt:
    case kDibBitBlt:
        Bitmap(function, p);
        break;
    default:
        // Map mode and viewport records: the frame decides where the window lands. Palettes: every
        // surface is true-colour.
        break;
    }
}

// Calls visit(function, parameters) for each record inside the metafile, up to its end record.
template <typename Visit>
void ForEachRecord(std::span<const BYTE> body, Visit visit) {
    std::size_t at = kHeaderSize;
    while (at + kRecordHeader <= body.size()) {
        const std::uint64_t bytes = std::uint64_t{ReadLe32(body.data() + at)} * 2;
        const WORD function = ReadLe16(body.data() + at + 4);
        if (bytes < kRecordHeader || bytes > body.size() - at || function == kEof)
            return;
        if (!visit(function,
                   Params(body.subspan(at + kRecordHeader, static_cast<std::size_t>(bytes) - kRecordHeader))))
            return;
        at += static_cast<std::size_t>(bytes);
    }
}

} // namespace

bool IsWmfBody(std::span<const BYTE> body) {
    if (body.size() < kHeaderSize)
        return false;
    const WORD type = ReadLe16(body.data());
    const std::uint64_t bytes = std::uint64_t{ReadLe32(body.data() + 6)} * 2;
    return (type == 1 || type == 2) && ReadLe16(body.data() + 2) == 9 && bytes >= kHeaderSize &&
           bytes <= body.size();
}

RECT WmfWindowOf(std::span<const BYTE> body) {
    RECT window{};
    if (!IsWmfBody(body))
        return window;
    bool origin = false, extent = false;
    ForEachRecord(body, [&](WORD function, const Params& p) {
        if (function == kSetWindowOrg && !origin) {
            window.left = p.Short(1), window.top = p.Short(0);
            origin = true;
        } else if (function == kSetWindowExt && !extent) {
            window.right = p.Short(1), window.bottom = p.Short(0);
            extent = true;
        }
        return !(origin && extent);
    });
    window.right += window.left;
    window.bottom += window.top;
    return extent ? window : RECT{};
}

bool PlayWmf(CDC& dc, std::span<const BYTE> body, const RECT& window, const RECT& frame) {
    if (!IsWmfBody(body))
        return false;
    body = body.first(static_cast<std::size_t>(std::uint64_t{ReadLe32(body.data() + 6)} * 2));
    const int objects = ReadLe16(body.data() + 10);
    if (objects > kMaxObjects || window.right == window.left || window.bottom == window.top)
        return false;
    const int saved = dc.SaveDC();
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowOrg(window.left, window.top);
    dc.SetWindowExt(window.right - window.left, window.bottom - window.top);
    dc.SetViewportOrg(frame.left, frame.top);
    dc.SetViewportExt(frame.right - frame.left, frame.bottom - frame.top);
    {
        Player player(dc, objects);
        ForEachRecord(body, [&](WORD function, const Params& p) {
            player.Play(function, p);
            return true;
        });
        // The objects go with the player: the context gets its stock objects back first.
        dc.RestoreDC(saved);
    }
    return true;
}
