#pragma once
// CUndoPropertiesText: a text object before its font, colour or text change.

#include "platform/base/Object.h"
#include "platform/base/String.h"
#include "platform/base/WinStructs.h"

class CDrawText;

class CUndoPropertiesText : public CObject {
    DECLARE_DYNCREATE(CUndoPropertiesText)
public:
    CUndoPropertiesText() = default;
    // Copies font, effect, colour and text; with a null text only the index is kept.
    CUndoPropertiesText(CDrawText* text, int index);

    LOGFONT* GetLogFont(LOGFONT* font) const;
    // The value stored after the colour: the effect.
    int GetTextField() const { return m_nTextField; }
    COLORREF GetColor() const { return m_colour; }
    int GetIndex() const { return m_nIndex; }
    CString GetText() const { return m_strText; }

private:
    int m_nIndex = -1;
    LOGFONT m_logfont{};
    int m_nTextField = 0;
    COLORREF m_colour = 0;
    CString m_strText;
};
