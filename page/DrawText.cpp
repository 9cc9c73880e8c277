// The text object: construction, archive record, copies and its selection frame.
#include "page/DrawText.h"

#include "page/BlinkFrame.h"
#include "platform/base/AppServices.h"
#include "platform/base/Archive.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/GdiTypes.h"

#include <cstring>

IMPLEMENT_SERIAL(CDrawText, CDrawObj, 0)

namespace {

constexpr UINT kDefaultTextId = 299;
constexpr LONG kDefaultHeight = -12;
constexpr char kDefaultFace[] = "Arial";

} // namespace

CDrawText::CDrawText() {
    InitFont();
    m_strText = AppServices().LoadString(kDefaultTextId, 255);
}

CDrawText::CDrawText(const CRect& position) : CDrawObj(position) {
    InitFont();
    m_strText = AppServices().LoadString(kDefaultTextId, 255);
}

CDrawText::CDrawText(const CRect& position, const CString& text)
    : CDrawObj(position), m_strText(text), m_nEffect(kTextPlain) {
    InitFont();
}

void CDrawText::InitFont() {
    GetObject(GetStockObject(SYSTEM_FONT), sizeof(LOGFONT), &m_logfont);
    std::memset(m_logfont.lfFaceName, 0, sizeof m_logfont.lfFaceName);
    std::memcpy(m_logfont.lfFaceName, kDefaultFace, sizeof kDefaultFace);
    m_logfont.lfHeight = kDefaultHeight;
    m_logfont.lfWidth = 0;
}

void CDrawText::Serialize(CArchive& ar) {
    CDrawObj::Serialize(ar);
    if (ar.IsStoring()) {
        ar.Write(&m_logfont, sizeof(LOGFONT));
        ar << m_strText << static_cast<DWORD>(m_colour) << m_nEffect;
        return;
    }
    LOGFONT font{};
    if (ar.Read(&font, sizeof(LOGFONT)) != sizeof(LOGFONT))
        AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
    // The face name is read as a C string: keep its terminator whatever the file holds.
    font.lfFaceName[LF_FACESIZE - 1] = '\0';
    CString text;
    DWORD colour = 0;
    int effect = 0;
    ar >> text >> colour >> effect;
    m_logfont = font;
    m_strText = text;
    m_colour = colour;
    m_nEffect = effect;
    m_nHeightOverride = 0;
}

int CDrawText::GetKind() {
    return kDrawKindText;
}

void CDrawText::DrawFrame(CDC* pDC, float scale, int dx, int dy) {
    m_bBlink = m_bBlink ? FALSE : TRUE;
    DrawBlinkRectangle(pDC, ScaledPosition(dx, dy, scale), m_bBlink != FALSE);
}

CDrawObj* CDrawText::Clone() {
    auto* clone = new CDrawText(m_position, m_strText);
    clone->m_logpen = m_logpen;
    clone->m_logbrush = m_logbrush;
    clone->m_colour = m_colour;
    clone->m_logfont = m_logfont;
    clone->m_nEffect = m_nEffect;
    return clone;
}

CDrawText* CDrawText::Duplicate() {
    auto* copy = static_cast<CDrawText*>(Clone());
    copy->m_bPen = m_bPen;
    copy->m_bBrush = m_bBrush;
    copy->m_nHeightOverride = m_nHeightOverride;
    return copy;
}

LOGFONT* CDrawText::GetLogFont(LOGFONT* font) const {
    *font = m_logfont;
    return font;
}

COLORREF CDrawText::SetColor(COLORREF colour) {
    const COLORREF previous = m_colour;
    m_colour = colour;
    return previous;
}
