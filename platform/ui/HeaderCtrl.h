#pragma once
// CHeaderCtrl: the row of column headings over a report list. Its items are the list's columns; a drag
// on the divider right of a heading sets that column's width, a click on a heading reaches the list's
// parent as LVN_COLUMNCLICK.

#include "platform/ui/Wnd.h"

inline constexpr LPCTSTR WC_HEADER = "SysHeader32";

inline constexpr UINT HDM_FIRST = 0x1200;
inline constexpr UINT HDM_GETITEMCOUNT = HDM_FIRST + 0;
inline constexpr UINT HDM_GETITEM = HDM_FIRST + 3;
inline constexpr UINT HDM_GETITEMRECT = HDM_FIRST + 7;

inline constexpr UINT HDI_WIDTH = 0x0001;
inline constexpr UINT HDI_TEXT = 0x0002;

struct HDITEM {
    UINT mask;
    int cxy; // the width
    LPTSTR pszText;
    HBITMAP hbm;
    int cchTextMax;
    int fmt;
    LPARAM lParam;
};
using LPHDITEM = HDITEM*;

class CHeaderCtrl : public CWnd {
    DECLARE_DYNAMIC(CHeaderCtrl)
public:
    int GetItemCount() const;
    // The heading's rectangle in the header's client coordinates.
    BOOL GetItemRect(int index, LPRECT rect) const;
    // Fills the width and the text the mask asks for.
    BOOL GetItem(int index, HDITEM* item) const;
};
