#pragma once
// CColorPopup: the borderless grid of 40 named colours that a colour picker opens, with an optional
// default box above and custom box below. Mouse and keys move the current cell; the popup reports each
// change, then the accepted or cancelled choice, to its picker, and destroys itself. The object deletes
// itself when its window is gone.

#include "platform/gdi/GdiObjects.h"
#include "platform/ui/ImageList.h" // CLR_DEFAULT: the default colour, wherever a colour travels
#include "platform/ui/ToolTipCtrl.h"
#include "platform/ui/Wnd.h"

// Messages of the popup to its picker (lParam 0) and of the picker to its parent (lParam its id); wParam
// is the colour.
inline constexpr UINT CPN_SELCHANGE = 2025;    // the current cell changed
inline constexpr UINT CPN_DROPDOWN = 2026;     // the popup opened
inline constexpr UINT CPN_CLOSEUP = 2027;      // the popup closed
inline constexpr UINT CPN_SELENDOK = 2028;     // the choice was accepted
inline constexpr UINT CPN_SELENDCANCEL = 2029; // the choice was cancelled

class CColorPopup : public CWnd {
public:
    // Cell indexes besides the grid's 0 to 39.
    static constexpr int kNoCell = -1;
    static constexpr int kCustomBox = -2;
    static constexpr int kDefaultBox = -3;
    static constexpr int kColorCount = 40;
    static constexpr int kColumns = 8;

    // Opens the popup at a screen point under picker with the colour; an empty caption leaves its box
    // out. The popup owns itself; null when its window could not be made.
    static CColorPopup* Open(CPoint point, COLORREF color, CWnd* picker, LPCTSTR defaultText,
                             LPCTSTR customText);

    // The table's colour of a grid cell.
    static COLORREF GetColor(int index);

    int GetCurrentCell() const { return m_currentCell; }
    int GetChosenCell() const { return m_chosenCell; }
    // A grid cell's rectangle in client coordinates.
    CRect GetCellRect(int index) const;
    CRect GetDefaultBoxRect() const { return m_defaultRect; }
    CRect GetCustomBoxRect() const { return m_customRect; }
    // One tool per grid cell, tool id cell + 1, with the colour's name.
    const CToolTipCtrl& GetToolTip() const { return m_toolTip; }

protected:
    BOOL PreTranslateMessage(MSG* message) override;
    void PostNcDestroy() override;
    void OnPaint() override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags) override;
    void OnKillFocus(CWnd* newWindow) override;
    void OnActivateApp(BOOL active, DWORD threadId) override;

private:
    explicit CColorPopup(COLORREF color);
    BOOL CreatePopupWindow(CPoint point, COLORREF color, CWnd* picker, LPCTSTR defaultText,
                           LPCTSTR customText);
    void SetWindowSize();
    void CreateToolTips();
    void FindCellFromColor(COLORREF color);
    int CellFromPoint(CPoint point) const;
    // The next current cell for a navigation key.
    int CellAfterKey(UINT key) const;
    void ChangeSelection(int index);
    void EndSelection(UINT message);
    // Whether the colour dialog of the custom box chose a colour (into m_currentColor).
    bool ChooseCustomColor();
    void DrawCell(CDC* dc, int index);
    void DrawBox(CDC* dc, int index);
    void RedrawCell(int index);

    int m_colorCount = kColorCount;
    int m_columns = kColumns;
    int m_rows = 0;
    int m_cellSize = 18;
    int m_margin = 0;
    int m_currentCell = kNoCell;
    int m_chosenCell = kNoCell;
    CString m_defaultText;
    CString m_customText;
    CRect m_customRect;
    CRect m_defaultRect;
    CRect m_windowRect;
    CFont m_font;
    CPalette m_palette;
    CToolTipCtrl m_toolTip;
    COLORREF m_initialColor = 0;
    COLORREF m_currentColor = 0;
    CWnd* m_picker = nullptr;
    bool m_ending = false;
};
