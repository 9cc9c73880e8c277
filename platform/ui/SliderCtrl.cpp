#include "platform/ui/SliderCtrl.h"

#include "platform/ui/DataExchange.h"

IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)

BOOL CSliderCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(TRACKBAR_CLASS, "", style, rect, parent, id);
}

void CSliderCtrl::SetRange(int low, int high, BOOL redraw) {
    SendMessage(TBM_SETRANGEMIN, FALSE, low);
    SendMessage(TBM_SETRANGEMAX, redraw, high);
}

void CSliderCtrl::GetRange(int& low, int& high) const {
    low = GetRangeMin();
    high = GetRangeMax();
}

int CSliderCtrl::GetRangeMin() const {
    return static_cast<int>(SendMessage(TBM_GETRANGEMIN));
}

int CSliderCtrl::GetRangeMax() const {
    return static_cast<int>(SendMessage(TBM_GETRANGEMAX));
}

void CSliderCtrl::SetPos(int position) {
    SendMessage(TBM_SETPOS, TRUE, position);
}

int CSliderCtrl::GetPos() const {
    return static_cast<int>(SendMessage(TBM_GETPOS));
}

BOOL CSliderCtrl::SetTic(int position) {
    return static_cast<BOOL>(SendMessage(TBM_SETTIC, 0, position));
}

void CSliderCtrl::SetTicFreq(int frequency) {
    SendMessage(TBM_SETTICFREQ, static_cast<WPARAM>(frequency));
}

void CSliderCtrl::ClearTics(BOOL redraw) {
    SendMessage(TBM_CLEARTICS, redraw);
}

int CSliderCtrl::SetPageSize(int size) {
    return static_cast<int>(SendMessage(TBM_SETPAGESIZE, 0, size));
}

int CSliderCtrl::GetPageSize() const {
    return static_cast<int>(SendMessage(TBM_GETPAGESIZE));
}

int CSliderCtrl::SetLineSize(int size) {
    return static_cast<int>(SendMessage(TBM_SETLINESIZE, 0, size));
}

int CSliderCtrl::GetLineSize() const {
    return static_cast<int>(SendMessage(TBM_GETLINESIZE));
}

void DDX_Slider(CDataExchange* exchange, int id, int& value) {
    const HWND slider = exchange->PrepareCtrl(id);
    if (exchange->m_bSaveAndValidate)
        value = static_cast<int>(SendMessage(slider, TBM_GETPOS, 0, 0));
    else
        SendMessage(slider, TBM_SETPOS, TRUE, value);
}
