#include "platform/gdi/GdiObjects.h"

#include "platform/gdi/GdiRecords.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <strings.h>

namespace {

// Faces of the system's fonts and the metric-compatible families that stand in for them.
struct FaceSubstitute {
    const char* face;
    const char* family;
};
constexpr FaceSubstitute kFaceSubstitutes[] = {
    {"Arial", "Liberation Sans"},          {"Helvetica", "Liberation Sans"},
    {"MS Sans Serif", "Liberation Sans"},  {"MS Shell Dlg", "Liberation Sans"},
    {"MS Shell Dlg 2", "Liberation Sans"}, {"System", "Liberation Sans"},
    {"Tahoma", "Liberation Sans"},         {"Times New Roman", "Liberation Serif"},
    {"Times", "Liberation Serif"},         {"Courier New", "Liberation Mono"},
    {"Courier", "Liberation Mono"},        {"Terminal", "Liberation Mono"},
    {"Fixedsys", "Liberation Mono"},
};

// The cell height of a font asked for with height 0.
constexpr LONG kDefaultCellHeight = 16;

QString FamilyOf(const LOGFONT& font) {
    char face[LF_FACESIZE + 1] = {};
    std::memcpy(face, font.lfFaceName, LF_FACESIZE);
    if (!face[0])
        return QStringLiteral("Liberation Sans");
    for (const FaceSubstitute& substitute : kFaceSubstitutes)
        if (strcasecmp(face, substitute.face) == 0)
            return QString::fromLatin1(substitute.family);
    return QString::fromUtf8(face);
}

} // namespace

const QFont& FontRecord::QtFont() const {
    std::call_once(m_resolved, [this] {
        QFont qtFont(FamilyOf(font));
        qtFont.setStyleStrategy(QFont::PreferAntialias);
        qtFont.setKerning(false);
        const LONG weight =
            font.lfWeight == FW_DONTCARE ? FW_NORMAL : std::clamp<LONG>(font.lfWeight, 1, 1000);
        qtFont.setWeight(static_cast<QFont::Weight>(weight));
        qtFont.setItalic(font.lfItalic != 0);
        qtFont.setUnderline(font.lfUnderline != 0);
        qtFont.setStrikeOut(font.lfStrikeOut != 0);
        if (font.lfHeight < 0) {
            qtFont.setPixelSize(static_cast<int>(-font.lfHeight));
        } else {
            // A positive height is the cell (ascent plus descent); find the em size that fills it.
            constexpr int kProbeSize = 200;
            qtFont.setPixelSize(kProbeSize);
            const QFontMetricsF metrics(qtFont);
            const double cell = font.lfHeight ? font.lfHeight : kDefaultCellHeight;
            const double em = cell * kProbeSize / (metrics.ascent() + metrics.descent());
            qtFont.setPixelSize(std::max(1, static_cast<int>(std::lround(em))));
        }
        m_qtFont = qtFont;
    });
    return m_qtFont;
}

// Pens.

HPEN CreatePenIndirect(const LOGPEN* pen) {
    if (!pen || pen->lopnStyle > PS_INSIDEFRAME)
        return nullptr;
    auto record = std::make_unique<PenRecord>();
    record->pen = *pen;
    return NewHandle(std::move(record));
}

HPEN CreatePen(int style, int width, COLORREF color) {
    const LOGPEN pen{static_cast<UINT>(style), POINT{width, 0}, color};
    return CreatePenIndirect(&pen);
}

CPen* CPen::FromHandle(HPEN pen) {
    return static_cast<CPen*>(CGdiObject::FromHandle(pen));
}

BOOL CPen::CreatePen(int style, int width, COLORREF color) {
    return AttachNew(::CreatePen(style, width, color));
}

BOOL CPen::CreatePenIndirect(const LOGPEN* pen) {
    return AttachNew(::CreatePenIndirect(pen));
}

int CPen::GetLogPen(LOGPEN* pen) const {
    return ::GetObject(m_hObject, sizeof(LOGPEN), pen);
}

// Brushes.

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush) {
    if (!brush)
        return nullptr;
    if (brush->lbStyle != BS_SOLID && brush->lbStyle != BS_NULL && brush->lbStyle != BS_HATCHED)
        return nullptr;
    if (brush->lbStyle == BS_HATCHED && brush->lbHatch > static_cast<DWORD>(HS_DIAGCROSS))
        return nullptr;
    auto record = std::make_unique<BrushRecord>();
    record->brush = *brush;
    return NewHandle(std::move(record));
}

HBRUSH CreateSolidBrush(COLORREF color) {
    const LOGBRUSH brush{BS_SOLID, color, 0};
    return CreateBrushIndirect(&brush);
}

HBRUSH CreateHatchBrush(int hatch, COLORREF color) {
    const LOGBRUSH brush{BS_HATCHED, color, static_cast<DWORD>(hatch)};
    return CreateBrushIndirect(&brush);
}

CBrush* CBrush::FromHandle(HBRUSH brush) {
    return static_cast<CBrush*>(CGdiObject::FromHandle(brush));
}

BOOL CBrush::CreateSolidBrush(COLORREF color) {
    return AttachNew(::CreateSolidBrush(color));
}

BOOL CBrush::CreateHatchBrush(int hatch, COLORREF color) {
    return AttachNew(::CreateHatchBrush(hatch, color));
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* brush) {
    return AttachNew(::CreateBrushIndirect(brush));
}

int CBrush::GetLogBrush(LOGBRUSH* brush) const {
    return ::GetObject(m_hObject, sizeof(LOGBRUSH), brush);
}

// Fonts.

HFONT CreateFontIndirect(const LOGFONT* font) {
    if (!font)
        return nullptr;
    auto record = std::make_unique<FontRecord>();
    record->font = *font;
    record->font.lfFaceName[LF_FACESIZE - 1] = '\0';
    return NewHandle(std::move(record));
}

int EnumFontFamilies(HDC, LPCTSTR family, FONTENUMPROC proc, LPARAM data) {
    if (!proc)
        return 0;
    const QStringList installed = QFontDatabase::families();
    // The installed families, with the system's face names where their stand-ins are here.
    std::vector<std::pair<QString, QString>> faces; // face name, installed family
    for (const FaceSubstitute& substitute : kFaceSubstitutes) {
        const QString face = QString::fromLatin1(substitute.face);
        if (installed.contains(QString::fromLatin1(substitute.family)) && !installed.contains(face))
            faces.emplace_back(face, QString::fromLatin1(substitute.family));
    }
    for (const QString& name : installed)
        faces.emplace_back(name, name);
    int result = 1;
    for (const auto& [face, installedFamily] : faces) {
        const QByteArray utf8 = face.toUtf8();
        if (utf8.size() >= LF_FACESIZE || (family && strcasecmp(family, utf8.constData()) != 0))
            continue;
        LOGFONT font{};
        font.lfWeight = FW_NORMAL;
        std::memcpy(font.lfFaceName, utf8.constData(), static_cast<size_t>(utf8.size()));
        TEXTMETRIC metrics{};
        metrics.tmWeight = FW_NORMAL;
        const DWORD type =
            QFontDatabase::isSmoothlyScalable(installedFamily) ? TRUETYPE_FONTTYPE : RASTER_FONTTYPE;
        result = proc(&font, &metrics, type, data);
        if (result == 0)
            break;
    }
    return result;
}

CFont* CFont::FromHandle(HFONT font) {
    return static_cast<CFont*>(CGdiObject::FromHandle(font));
}

BOOL CFont::CreateFontIndirect(const LOGFONT* font) {
    return AttachNew(::CreateFontIndirect(font));
}

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                       BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                       BYTE quality, BYTE pitchAndFamily, LPCTSTR faceName) {
    LOGFONT font{height,    width,   escapement,   orientation,   weight,  italic,         underline,
                 strikeOut, charSet, outPrecision, clipPrecision, quality, pitchAndFamily, {}};
    if (faceName)
        std::strncpy(font.lfFaceName, faceName, LF_FACESIZE - 1);
    return CreateFontIndirect(&font);
}

int CFont::GetLogFont(LOGFONT* font) const {
    return ::GetObject(m_hObject, sizeof(LOGFONT), font);
}

// Palettes.

HPALETTE CreatePalette(const LOGPALETTE* palette) {
    if (!palette || palette->palNumEntries == 0)
        return nullptr;
    auto record = std::make_unique<PaletteRecord>();
    record->entries.assign(palette->palPalEntry, palette->palPalEntry + palette->palNumEntries);
    return NewHandle(std::move(record));
}

CPalette* CPalette::FromHandle(HPALETTE palette) {
    return static_cast<CPalette*>(CGdiObject::FromHandle(palette));
}

BOOL CPalette::CreatePalette(const LOGPALETTE* palette) {
    return AttachNew(::CreatePalette(palette));
}

int CPalette::GetEntryCount() const {
    const PaletteRecord* record = PaletteOf(m_hObject);
    return record ? static_cast<int>(record->entries.size()) : 0;
}

UINT CPalette::GetPaletteEntries(UINT start, UINT count, PALETTEENTRY* entries) const {
    const PaletteRecord* record = PaletteOf(m_hObject);
    if (!record || !entries || start >= record->entries.size())
        return 0;
    const UINT copied = std::min<UINT>(count, static_cast<UINT>(record->entries.size()) - start);
    std::copy_n(record->entries.begin() + start, copied, entries);
    return copied;
}

UINT CPalette::SetPaletteEntries(UINT start, UINT count, const PALETTEENTRY* entries) {
    PaletteRecord* record = PaletteOf(m_hObject);
    if (!record || !entries || start >= record->entries.size())
        return 0;
    const UINT copied = std::min<UINT>(count, static_cast<UINT>(record->entries.size()) - start);
    std::copy_n(entries, copied, record->entries.begin() + start);
    return copied;
}

UINT CPalette::GetNearestPaletteIndex(COLORREF color) const {
    const PaletteRecord* record = PaletteOf(m_hObject);
    if (!record)
        return CLR_INVALID;
    UINT best = 0;
    long bestDistance = -1;
    for (UINT i = 0; i < record->entries.size(); ++i) {
        const PALETTEENTRY& e = record->entries[i];
        const long dr = e.peRed - GetRValue(color), dg = e.peGreen - GetGValue(color),
                   db = e.peBlue - GetBValue(color);
        const long distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}
