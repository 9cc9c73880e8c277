// The undo record of a text object's properties.
#include "page/UndoPropertiesText.h"

#include "page/DrawText.h"

IMPLEMENT_DYNCREATE(CUndoPropertiesText, CObject)

CUndoPropertiesText::CUndoPropertiesText(CDrawText* text, int index) : m_nIndex(index) {
    if (!text)
        return;
    m_logfont = text->GetLogFont();
    m_nTextField = text->GetEffect();
    m_colour = text->GetColor();
    m_strText = text->GetText();
}

LOGFONT* CUndoPropertiesText::GetLogFont(LOGFONT* font) const {
    *font = m_logfont;
    return font;
}
