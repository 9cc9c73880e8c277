#pragma once
// CProgressCtrl: a bar that fills from the low to the high end of its range as the position moves.

#include "platform/ui/Wnd.h"

class CProgressCtrl : public CWnd {
    DECLARE_DYNAMIC(CProgressCtrl)
public:
    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    void SetRange(short low, short high);
    void SetRange32(int low, int high);
    void GetRange(int& low, int& high) const;
    // The setters return the position before; positions are kept inside the range.
    int SetPos(int position);
    int GetPos() const;
    int OffsetPos(int delta);
    int SetStep(int step);
    // Moves by the step; past the high end the position starts again from the low end.
    int StepIt();
};
