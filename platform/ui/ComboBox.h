#pragma once
// CComboBox: a field with a drop-down list of items, each with a text and a data value. CBS_DROPDOWNLIST
// shows the chosen item; CBS_DROPDOWN an editor the user may type into. With CBS_OWNERDRAWFIXED the
// parent measures (WM_MEASUREITEM) and draws (WM_DRAWITEM) the items and the closed field, which it
// gets with ODS_COMBOBOXEDIT; both are reflected to the control's MeasureItem and DrawItem. The parent
// hears CBN_ notifications through WM_COMMAND. A subclass's OnPaint paints the closed field instead.

#include "platform/ui/Wnd.h"

inline constexpr LPCTSTR WC_COMBOBOX = "ComboBox";

inline constexpr DWORD CBS_SIMPLE = 0x0001;
inline constexpr DWORD CBS_DROPDOWN = 0x0002;
inline constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
inline constexpr DWORD CBS_OWNERDRAWFIXED = 0x0010;
inline constexpr DWORD CBS_AUTOHSCROLL = 0x0040;
inline constexpr DWORD CBS_SORT = 0x0100;
inline constexpr DWORD CBS_HASSTRINGS = 0x0200;
inline constexpr DWORD CBS_NOINTEGRALHEIGHT = 0x0400;
inline constexpr DWORD CBS_DISABLENOSCROLL = 0x0800;

inline constexpr int CB_OKAY = 0;
inline constexpr int CB_ERR = -1;
inline constexpr int CB_ERRSPACE = -2;

inline constexpr UINT CB_LIMITTEXT = 0x0141;
inline constexpr UINT CB_ADDSTRING = 0x0143;
inline constexpr UINT CB_DELETESTRING = 0x0144;
inline constexpr UINT CB_GETCOUNT = 0x0146;
inline constexpr UINT CB_GETCURSEL = 0x0147;
inline constexpr UINT CB_GETLBTEXT = 0x0148;
inline constexpr UINT CB_GETLBTEXTLEN = 0x0149;
inline constexpr UINT CB_INSERTSTRING = 0x014A;
inline constexpr UINT CB_RESETCONTENT = 0x014B;
inline constexpr UINT CB_SETCURSEL = 0x014E;
inline constexpr UINT CB_SHOWDROPDOWN = 0x014F;
inline constexpr UINT CB_GETITEMDATA = 0x0150;
inline constexpr UINT CB_SETITEMDATA = 0x0151;
inline constexpr UINT CB_SETITEMHEIGHT = 0x0153;
inline constexpr UINT CB_GETITEMHEIGHT = 0x0154;
inline constexpr UINT CB_GETDROPPEDSTATE = 0x0157;
inline constexpr UINT CB_FINDSTRINGEXACT = 0x0158;
inline constexpr UINT CB_GETHORIZONTALEXTENT = 0x015D;
inline constexpr UINT CB_SETHORIZONTALEXTENT = 0x015E;

inline constexpr WORD CBN_SELCHANGE = 1;
inline constexpr WORD CBN_DBLCLK = 2;
inline constexpr WORD CBN_SETFOCUS = 3;
inline constexpr WORD CBN_KILLFOCUS = 4;
inline constexpr WORD CBN_EDITCHANGE = 5;
inline constexpr WORD CBN_DROPDOWN = 7;
inline constexpr WORD CBN_CLOSEUP = 8;

// The drop-down list tells its combo box of a new highlighted item with this code, as a list box does.
inline constexpr WORD LBN_SELCHANGE = 1;

class CComboBox : public CWnd {
    DECLARE_DYNAMIC(CComboBox)
public:
    using CWnd::Create;
    // rect's height is that of the field with its list dropped down; the window is as high as the field.
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // Indexes count from 0; the functions answer CB_ERR for an index out of range.
    int AddString(LPCTSTR text);
    int InsertString(int index, LPCTSTR text);
    // Returns the count left.
    int DeleteString(UINT index);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    // -1 clears the selection; returns CB_ERR for it and for an index out of range.
    int SetCurSel(int index);
    int GetLBText(int index, LPTSTR buffer) const;
    void GetLBText(int index, CString& text) const;
    int GetLBTextLen(int index) const;
    DWORD_PTR GetItemData(int index) const;
    int SetItemData(int index, DWORD_PTR data);
    // The first item after startAfter (-1: from the top, wrapping round) whose whole text matches,
    // ignoring case.
    int FindStringExact(int startAfter, LPCTSTR text) const;
    // index -1: the closed field's height; else the list items' height.
    int SetItemHeight(int index, UINT height);
    int GetItemHeight(int index) const;
    void SetHorizontalExtent(UINT extent);
    UINT GetHorizontalExtent() const;
    void ShowDropDown(BOOL show = TRUE);
    BOOL GetDroppedState() const;
    // The most bytes the editor of a CBS_DROPDOWN takes; 0 lifts the limit.
    BOOL LimitText(int maxBytes);

    virtual void DrawItem(LPDRAWITEMSTRUCT drawItem);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT measureItem);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
