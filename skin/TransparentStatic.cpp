#include "skin/TransparentStatic.h"

#include "platform/ui/PaintDC.h"

CTransparentStatic::CTransparentStatic(int height, COLORREF textColor, LPCTSTR faceName, UINT format)
    : m_textColor(textColor), m_format(format) {
    m_font.CreateFont(height, 0, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0, faceName);
}

void CTransparentStatic::SetStyle(BYTE drawBackground, int x, int y, CDC* background) {
    m_drawBackground = drawBackground;
    m_backgroundX = x;
    m_backgroundY = y;
    m_background = background;
}

void CTransparentStatic::SetText(LPCTSTR text) {
    m_text = text ? text : "";
    Invalidate(TRUE);
    UpdateWindow();
}

int CTransparentStatic::OnCreate(LPCREATESTRUCT create) {
    if (CStatic::OnCreate(create) == -1)
        return -1;
    GetWindowText(m_text);
    return 0;
}

void CTransparentStatic::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    if (m_drawBackground && m_background)
        dc.BitBlt(0, 0, client.Width(), client.Height(), m_background, m_backgroundX, m_backgroundY, SRCCOPY);
    CFont* oldFont = dc.SelectObject(&m_font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_textColor);
    dc.DrawText(m_text, &client, m_format | DT_WORDBREAK);
    dc.SelectObject(oldFont);
}

BOOL CTransparentStatic::OnEraseBkgnd(CDC* /*dc*/) {
    return TRUE;
}
