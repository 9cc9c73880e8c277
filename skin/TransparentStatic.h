#pragma once
// CTransparentStatic: a bold label that sits on a skin. With its background flag set it first copies
// its piece of the owner's background context, then draws its text transparently over it.

#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/ui/Static.h"

class CTransparentStatic : public CStatic {
public:
    // height: the font's height (negative: character height); format: DT_ flags of the text.
    CTransparentStatic(int height, COLORREF textColor, LPCTSTR faceName, UINT format);

    // background: the owner's skin context, which the owner keeps alive and current while the label
    // exists; (x, y): where the label's client area lies in it.
    void SetStyle(BYTE drawBackground, int x, int y, CDC* background);
    // Stores the text and repaints the label at once.
    void SetText(LPCTSTR text);
    const CString& GetText() const { return m_text; }

protected:
    int OnCreate(LPCREATESTRUCT create) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;

private:
    CFont m_font;
    COLORREF m_textColor;
    BYTE m_drawBackground = 0;
    int m_backgroundX = 0;
    int m_backgroundY = 0;
    CString m_text;
    CDC* m_background = nullptr;
    UINT m_format;
};
