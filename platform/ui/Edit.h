#pragma once
// CEdit: single-line and (ES_MULTILINE) multi-line text fields. Positions and limits count bytes of the
// UTF-8 text, as the program's strings do. Every change of the text sends EN_CHANGE to the parent.

#include "platform/ui/Wnd.h"

class CEdit : public CWnd {
    DECLARE_DYNAMIC(CEdit)
public:
    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // The most bytes the user may type; 0 lifts the limit.
    void SetLimitText(UINT maxBytes);
    void LimitText(int maxBytes = 0) { SetLimitText(static_cast<UINT>(maxBytes)); }
    UINT GetLimitText() const;
    // start -1 removes the selection; end -1 selects to the end.
    void SetSel(int start, int end, BOOL noScroll = FALSE);
    void GetSel(int& start, int& end) const;
    void ReplaceSel(LPCTSTR text, BOOL canUndo = FALSE);
    BOOL SetReadOnly(BOOL readOnly = TRUE);
};
