#pragma once
// CColorPicker: a push button that shows a colour swatch with a drop-down arrow. A click opens the colour
// popup under it; every step of the popup reaches the picker's parent as CPN_ messages (wParam the
// colour, lParam the picker's id), and an accepted choice becomes the picker's colour.

#include "platform/ui/Button.h"
#include "skin/ColorPopup.h"

class CColorPicker : public CButton {
    DECLARE_DYNCREATE(CColorPicker)
public:
    CColorPicker();

    // The background colour in selection mode 1's absence, else the text colour.
    COLORREF GetColor() const;
    void SetColor(COLORREF color);
    COLORREF GetBkColour() const { return m_backgroundColor; }
    COLORREF GetTextColour() const { return m_textColor; }
    // Both redraw the window at once when it exists.
    void SetBkColour(COLORREF color);
    void SetTextColour(COLORREF color);
    // 1: the picker's colour is the text colour; otherwise the background colour.
    void SetSelectionMode(int mode) { m_selectionMode = mode; }
    int GetSelectionMode() const { return m_selectionMode; }
    // When set, every change of the popup's current cell also becomes the picker's colour.
    void SetTrackSelection(BOOL track) { m_trackSelection = track; }
    BOOL GetTrackSelection() const { return m_trackSelection; }
    // Captions of the popup's default and custom boxes; null or empty leaves the box out.
    void SetDefaultText(LPCTSTR text);
    void SetCustomText(LPCTSTR text);
    BOOL IsActive() const { return m_active; }
    CRect GetArrowRect() const { return m_arrowRect; }

    void DrawItem(LPDRAWITEMSTRUCT drawItem) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
    void PreSubclassWindow() override;
    int OnCreate(LPCREATESTRUCT create) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void SetWindowSize();
    void OnClicked();
    void OnSelChange(COLORREF color);
    void OnSelEnd(UINT message, COLORREF color);
    void SendToParent(UINT message, COLORREF color);

    BOOL m_active = FALSE;
    BOOL m_trackSelection = FALSE;
    COLORREF m_backgroundColor = 0;
    COLORREF m_textColor = 0;
    int m_selectionMode = 2;
    CRect m_arrowRect;
    CString m_defaultText;
    CString m_customText;
};
