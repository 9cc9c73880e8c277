#pragma once
// CSkinComboBox: what the skinned drop-down combo boxes share. The closed face is painted by each
// subclass's OnPaint over the skin; the standard drawing is kept off the screen by switching redraw off
// while the control has the focus and on again on presses. The drop-down items are drawn here, white with
// the selected one pale, in the control font (bold italic "Arial", height 14).

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/ui/ComboBox.h"

class CSkinComboBox : public CComboBox {
public:
    static constexpr COLORREF kPaleColor = RGB(239, 241, 211);

    // The hot flag: set by the control the first time the pointer is over it (it then shows its hot
    // arrow); cleared by the owner, which redraws the control.
    BYTE IsHot() const { return m_hot; }
    void SetHot(BYTE hot) { m_hot = hot; }

    ~CSkinComboBox() override;

    void DrawItem(LPDRAWITEMSTRUCT drawItem) override;
    void MeasureItem(LPMEASUREITEMSTRUCT measureItem) override;

protected:
    // arrowBitmap: the skin bitmap with the hot and the normal arrow, which the control keeps in a memory
    // context; null for a control without one.
    CSkinComboBox(int itemHeight, LPCTSTR arrowBitmap);

    int OnCreate(LPCREATESTRUCT create) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message) override;
    HBRUSH CtlColor(CDC* dc, UINT ctlColor) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    // Redraw on, then the control's rectangle repainted in the parent, background included.
    void RepaintInParent();
    // Copies the arrow image (hot or normal) of the skin bitmap to the control.
    void DrawArrow(CDC* dc, CPoint to, CSize size, int sourceY);
    // The selected item's text in the face font (bold "Arial", height 14) at point; clipped to the
    // client rectangle when asked.
    void DrawFaceText(CDC* dc, CPoint point, bool clipped);

private:
    int m_itemHeight;
    LPCTSTR m_arrowBitmap;
    BYTE m_hot = 0;
    CFont m_font;
    CDC m_memoryDC;
    CBitmap m_arrow;
    CBitmap* m_oldBitmap = nullptr;
};
