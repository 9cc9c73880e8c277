#pragma once
// CListCtrl: items with a label, a picture, data and states, shown as large icons in a grid or as rows
// of columns. A click selects the item under the pointer; Ctrl adds or removes it, Shift selects the
// run from the last clicked item. Every change of an item's state reaches the parent as LVN_ITEMCHANGED.

#include "platform/ui/Edit.h"
#include "platform/ui/HeaderCtrl.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/Wnd.h"

inline constexpr LPCTSTR WC_LISTVIEW = "SysListView32";

// Styles.
inline constexpr DWORD LVS_ICON = 0x0000;
inline constexpr DWORD LVS_REPORT = 0x0001;
inline constexpr DWORD LVS_SMALLICON = 0x0002;
inline constexpr DWORD LVS_LIST = 0x0003;
inline constexpr DWORD LVS_TYPEMASK = 0x0003;
inline constexpr DWORD LVS_SINGLESEL = 0x0004;
inline constexpr DWORD LVS_SHOWSELALWAYS = 0x0008;
inline constexpr DWORD LVS_EDITLABELS = 0x0200;

// Messages.
inline constexpr UINT LVM_FIRST = 0x1000;
inline constexpr UINT LVM_GETBKCOLOR = LVM_FIRST + 0;
inline constexpr UINT LVM_SETBKCOLOR = LVM_FIRST + 1;
inline constexpr UINT LVM_GETIMAGELIST = LVM_FIRST + 2;
inline constexpr UINT LVM_SETIMAGELIST = LVM_FIRST + 3;
inline constexpr UINT LVM_GETITEMCOUNT = LVM_FIRST + 4;
inline constexpr UINT LVM_GETITEM = LVM_FIRST + 5;
inline constexpr UINT LVM_SETITEM = LVM_FIRST + 6;
inline constexpr UINT LVM_INSERTITEM = LVM_FIRST + 7;
inline constexpr UINT LVM_DELETEITEM = LVM_FIRST + 8;
inline constexpr UINT LVM_DELETEALLITEMS = LVM_FIRST + 9;
inline constexpr UINT LVM_GETNEXTITEM = LVM_FIRST + 12;
inline constexpr UINT LVM_GETITEMRECT = LVM_FIRST + 14;
inline constexpr UINT LVM_HITTEST = LVM_FIRST + 18;
inline constexpr UINT LVM_ENSUREVISIBLE = LVM_FIRST + 19;
inline constexpr UINT LVM_SCROLL = LVM_FIRST + 20;
inline constexpr UINT LVM_REDRAWITEMS = LVM_FIRST + 21;
inline constexpr UINT LVM_EDITLABEL = LVM_FIRST + 23;
inline constexpr UINT LVM_GETEDITCONTROL = LVM_FIRST + 24;
inline constexpr UINT LVM_INSERTCOLUMN = LVM_FIRST + 27;
inline constexpr UINT LVM_DELETECOLUMN = LVM_FIRST + 28;
// A report column's width; 0 for a column that does not exist.
inline constexpr UINT LVM_GETCOLUMNWIDTH = LVM_FIRST + 29;
inline constexpr UINT LVM_SETCOLUMNWIDTH = LVM_FIRST + 30;
inline constexpr UINT LVM_GETHEADER = LVM_FIRST + 31;
inline constexpr UINT LVM_GETTEXTCOLOR = LVM_FIRST + 35;
inline constexpr UINT LVM_SETTEXTCOLOR = LVM_FIRST + 36;
inline constexpr UINT LVM_GETTEXTBKCOLOR = LVM_FIRST + 37;
inline constexpr UINT LVM_SETTEXTBKCOLOR = LVM_FIRST + 38;
inline constexpr UINT LVM_GETTOPINDEX = LVM_FIRST + 39;
inline constexpr UINT LVM_GETCOUNTPERPAGE = LVM_FIRST + 40;
inline constexpr UINT LVM_GETORIGIN = LVM_FIRST + 41;
inline constexpr UINT LVM_UPDATE = LVM_FIRST + 42;
inline constexpr UINT LVM_SETITEMSTATE = LVM_FIRST + 43;
inline constexpr UINT LVM_GETITEMSTATE = LVM_FIRST + 44;
inline constexpr UINT LVM_SORTITEMS = LVM_FIRST + 48;
inline constexpr UINT LVM_SETITEMPOSITION32 = LVM_FIRST + 49;
inline constexpr UINT LVM_GETSELECTEDCOUNT = LVM_FIRST + 50;
inline constexpr UINT LVM_SETICONSPACING = LVM_FIRST + 53;

inline constexpr int LVSIL_NORMAL = 0;
inline constexpr int LVSIL_SMALL = 1;

// Item fields and states.
inline constexpr UINT LVIF_TEXT = 0x0001;
inline constexpr UINT LVIF_IMAGE = 0x0002;
inline constexpr UINT LVIF_PARAM = 0x0004;
inline constexpr UINT LVIF_STATE = 0x0008;
inline constexpr UINT LVIS_FOCUSED = 0x0001;
inline constexpr UINT LVIS_SELECTED = 0x0002;
inline constexpr UINT LVIS_DROPHILITED = 0x0008;

inline constexpr UINT LVNI_ALL = 0x0000;
inline constexpr UINT LVNI_FOCUSED = 0x0001;
inline constexpr UINT LVNI_SELECTED = 0x0002;

inline constexpr UINT LVIR_BOUNDS = 0;
inline constexpr UINT LVIR_ICON = 1;
inline constexpr UINT LVIR_LABEL = 2;

inline constexpr UINT LVHT_NOWHERE = 0x0001;
inline constexpr UINT LVHT_ONITEMICON = 0x0002;
inline constexpr UINT LVHT_ONITEMLABEL = 0x0004;
inline constexpr UINT LVHT_ONITEMSTATEICON = 0x0008;
inline constexpr UINT LVHT_ONITEM = LVHT_ONITEMICON | LVHT_ONITEMLABEL | LVHT_ONITEMSTATEICON;

inline constexpr UINT LVCF_FMT = 0x0001;
inline constexpr UINT LVCF_WIDTH = 0x0002;
inline constexpr UINT LVCF_TEXT = 0x0004;
inline constexpr UINT LVCF_SUBITEM = 0x0008;
inline constexpr int LVCFMT_LEFT = 0;

// Notifications.
inline constexpr UINT LVN_FIRST = static_cast<UINT>(-100);
inline constexpr UINT LVN_ITEMCHANGED = LVN_FIRST - 1;
// A nonzero answer refuses the edit.
inline constexpr UINT LVN_BEGINLABELEDIT = LVN_FIRST - 5;
// item.pszText is the new label, null when the edit was cancelled; a nonzero answer keeps the new label.
inline constexpr UINT LVN_ENDLABELEDIT = LVN_FIRST - 6;
// A press on an item and a move beyond the drag distance with the button held.
inline constexpr UINT LVN_BEGINDRAG = LVN_FIRST - 9;
// A click on a column's heading: iItem -1, iSubItem the column.
inline constexpr UINT LVN_COLUMNCLICK = LVN_FIRST - 8;
inline constexpr UINT LVN_BEGINRDRAG = LVN_FIRST - 11;
inline constexpr UINT LVN_KEYDOWN = LVN_FIRST - 55;

struct LVITEM {
    UINT mask;
    int iItem;
    int iSubItem;
    UINT state;
    UINT stateMask;
    LPTSTR pszText;
    int cchTextMax;
    int iImage;
    LPARAM lParam;
};
using LPLVITEM = LVITEM*;

struct LVCOLUMN {
    UINT mask;
    int fmt;
    int cx;
    LPTSTR pszText;
    int cchTextMax;
    int iSubItem;
};
using LPLVCOLUMN = LVCOLUMN*;

struct LVHITTESTINFO {
    POINT pt;
    UINT flags;
    int iItem;
    int iSubItem;
};
using LPLVHITTESTINFO = LVHITTESTINFO*;

struct NMLISTVIEW {
    NMHDR hdr;
    int iItem;
    int iSubItem;
    UINT uNewState;
    UINT uOldState;
    UINT uChanged;
    POINT ptAction;
    LPARAM lParam;
};
using LPNMLISTVIEW = NMLISTVIEW*;

struct NMLVKEYDOWN {
    NMHDR hdr;
    WORD wVKey;
    UINT flags;
};
using LPNMLVKEYDOWN = NMLVKEYDOWN*;

// Orders two items by their data: negative when the first comes first.
using PFNLVCOMPARE = int (*)(LPARAM first, LPARAM second, LPARAM sortData);

struct NMLVDISPINFO {
    NMHDR hdr;
    LVITEM item;
};
using LPNMLVDISPINFO = NMLVDISPINFO*;

class CListCtrl : public CWnd {
    DECLARE_DYNAMIC(CListCtrl)
public:
    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // The list keeps the handle, not the object: the caller keeps the image list alive. Returns the
    // object set before for that kind, or null.
    CImageList* SetImageList(CImageList* list, int kind);

    int InsertColumn(int column, LPCTSTR heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
    // The column's texts in the items go with it.
    BOOL DeleteColumn(int column);
    int GetColumnWidth(int column) const;
    BOOL SetColumnWidth(int column, int width);
    // The headings of the report view; null in the other views.
    CHeaderCtrl* GetHeaderCtrl() const;
    int InsertItem(const LVITEM* item);
    int InsertItem(int item, LPCTSTR label);
    int InsertItem(int item, LPCTSTR label, int image);
    BOOL SetItem(const LVITEM* item);
    BOOL GetItem(LVITEM* item) const;
    BOOL SetItemText(int item, int subItem, LPCTSTR text);
    CString GetItemText(int item, int subItem) const;
    BOOL SetItemData(int item, DWORD_PTR data);
    DWORD_PTR GetItemData(int item) const;
    BOOL SetItemState(int item, UINT state, UINT mask);
    UINT GetItemState(int item, UINT mask) const;
    BOOL DeleteItem(int item);
    BOOL DeleteAllItems();

    int GetItemCount() const;
    UINT GetSelectedCount() const;
    // The next item after item (-1: from the first) with all the LVNI_ flags' states; -1 for none.
    int GetNextItem(int item, int flags) const;
    BOOL GetItemRect(int item, LPRECT rect, UINT code) const;
    int HitTest(CPoint point, UINT* flags = nullptr) const;
    int HitTest(LVHITTESTINFO* info) const;

    // Colours: the background defaults to the system's window colour, the text to its window text, the
    // text's background to none (CLR_NONE).
    BOOL SetBkColor(COLORREF color);
    COLORREF GetBkColor() const;
    BOOL SetTextColor(COLORREF color);
    COLORREF GetTextColor() const;
    BOOL SetTextBkColor(COLORREF color);
    COLORREF GetTextBkColor() const;
    // The cell of a large icon; -1 for either side restores the system's spacing. Returns the one before.
    CSize SetIconSpacing(int cx, int cy);
    // Orders the items by compare over their data; states and texts go with them.
    BOOL SortItems(PFNLVCOMPARE compare, DWORD_PTR sortData);
    BOOL RedrawItems(int first, int last);
    BOOL Update(int item);

    // Scrolling, through the window's own bars (ListCtrlScroll.cpp). The top index and the count per page
    // are rows of the report view; the icon view has no top row (0) and counts all its items as a page.
    int GetTopIndex() const;
    int GetCountPerPage() const;
    // How far the icon view is scrolled; FALSE in the report view.
    BOOL GetOrigin(LPPOINT origin) const;
    // The icon view's cell of the item at a point of the view's content.
    BOOL SetItemPosition(int item, POINT position);
    // Scrolls just enough to show the item (partialOK: a partly shown item is enough).
    BOOL EnsureVisible(int item, BOOL partialOK);
    // Scrolls by pixels; the report view rounds down to whole rows.
    BOOL Scroll(CSize size);

    // Opens an editor over the item's label unless the parent refuses LVN_BEGINLABELEDIT. Return in the
    // editor, or its losing the focus, ends the edit; Escape cancels it. Null when refused.
    CEdit* EditLabel(int item);
    // The open label editor, or null.
    CEdit* GetEditControl() const;
    // A new list of one picture, the item's icon with its label on a transparent ground; point receives
    // its top left corner in client coordinates. The caller deletes the list. Null for no such item.
    CImageList* CreateDragImage(int item, LPPOINT point);

private:
    CImageList* m_imageLists[2] = {};
};
