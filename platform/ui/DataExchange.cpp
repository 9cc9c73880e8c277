#include "platform/ui/DataExchange.h"

#include "platform/ui/ComboBox.h"
#include "platform/ui/ControlClasses.h"
#include "platform/ui/MessageBoxPresenter.h"
#include "platform/ui/WindowRecord.h"
#include "platform/ui/Wnd.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

constexpr LPCTSTR kNotAnInteger = "Bitte geben Sie eine ganze Zahl ein.";
constexpr LPCTSTR kNotAPositiveInteger = "Bitte geben Sie eine positive ganze Zahl ein.";
constexpr LPCTSTR kOutsideRange = "Bitte geben Sie eine ganze Zahl zwischen %lld und %lld ein.";
constexpr LPCTSTR kTooManyCharacters = "Bitte geben Sie nicht mehr als %d Zeichen ein.";

// The number in the text, spaces around it allowed; false for anything else or beyond the range.
bool ParseNumber(const CString& text, long long low, long long high, long long* value) {
    CString trimmed = text;
    trimmed.Trim();
    if (trimmed.IsEmpty())
        return false;
    errno = 0;
    char* end = nullptr;
    const long long parsed = std::strtoll(trimmed.GetString(), &end, 10);
    if (errno == ERANGE || !end || *end != '\0' || parsed < low || parsed > high)
        return false;
    *value = parsed;
    return true;
}

template <typename T>
void ExchangeNumber(CDataExchange* exchange, int id, T& value, long long low, long long high,
                    LPCTSTR complaint, const char* format) {
    const HWND control = exchange->PrepareEditCtrl(id);
    CWnd* edit = CWnd::FromHandle(control);
    if (!exchange->m_bSaveAndValidate) {
        CString text;
        text.Format(format, value);
        edit->SetWindowText(text);
        return;
    }
    CString text;
    edit->GetWindowText(text);
    long long parsed = 0;
    if (!ParseNumber(text, low, high, &parsed)) {
        AfxMessageBox(complaint, MB_ICONEXCLAMATION);
        exchange->Fail();
    }
    value = static_cast<T>(parsed);
}

// The buttons of the radio group that starts at first, in order.
std::vector<CWnd*> RadioGroup(CWnd* first) {
    std::vector<CWnd*> group;
    for (CWnd* button = first; button; button = button->GetWindow(GW_HWNDNEXT)) {
        if (button != first && (button->GetStyle() & WS_GROUP))
            break;
        const DWORD type = button->GetStyle() & BS_TYPEMASK;
        if (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON)
            group.push_back(button);
    }
    return group;
}

// On saving, refuses a number outside low to high with a message.
void CheckRange(CDataExchange* exchange, long long value, long long low, long long high) {
    if (!exchange->m_bSaveAndValidate || (value >= low && value <= high))
        return;
    CString complaint;
    complaint.Format(kOutsideRange, low, high);
    AfxMessageBox(complaint, MB_ICONEXCLAMATION);
    exchange->Fail();
}

} // namespace

HWND CDataExchange::PrepareCtrl(int id) {
    CWnd* control = m_pDlgWnd->GetDlgItem(id);
    if (!control)
        Fail();
    m_lastControl = control->m_hWnd;
    return m_lastControl;
}

void CDataExchange::Fail() {
    if (m_bSaveAndValidate && IsWindow(m_lastControl))
        SetFocus(m_lastControl);
    throw Failure{};
}

void DDX_Text(CDataExchange* exchange, int id, CString& value) {
    CWnd* control = CWnd::FromHandle(exchange->PrepareEditCtrl(id));
    if (exchange->m_bSaveAndValidate)
        control->GetWindowText(value);
    else
        control->SetWindowText(value);
}

void DDX_Text(CDataExchange* exchange, int id, int& value) {
    ExchangeNumber(exchange, id, value, INT_MIN, INT_MAX, kNotAnInteger, "%d");
}

void DDX_Text(CDataExchange* exchange, int id, UINT& value) {
    ExchangeNumber(exchange, id, value, 0, UINT_MAX, kNotAPositiveInteger, "%u");
}

void DDX_Text(CDataExchange* exchange, int id, long& value) {
    // long is 32-bit in the framework's files and registry: keep its range.
    ExchangeNumber(exchange, id, value, INT_MIN, INT_MAX, kNotAnInteger, "%ld");
}

void DDX_Check(CDataExchange* exchange, int id, int& value) {
    CWnd* control = CWnd::FromHandle(exchange->PrepareCtrl(id));
    if (exchange->m_bSaveAndValidate)
        value = static_cast<int>(control->SendMessage(BM_GETCHECK));
    else
        control->SendMessage(BM_SETCHECK, static_cast<WPARAM>(value));
}

void DDX_Radio(CDataExchange* exchange, int id, int& value) {
    CWnd* first = CWnd::FromHandle(exchange->PrepareCtrl(id));
    const std::vector<CWnd*> group = RadioGroup(first);
    if (exchange->m_bSaveAndValidate) {
        value = -1;
        for (size_t i = 0; i < group.size(); ++i) {
            if (group[i]->SendMessage(BM_GETCHECK) == BST_CHECKED)
                value = static_cast<int>(i);
        }
        return;
    }
    for (size_t i = 0; i < group.size(); ++i)
        group[i]->SendMessage(BM_SETCHECK, static_cast<int>(i) == value ? BST_CHECKED : BST_UNCHECKED);
}

void DDX_Control(CDataExchange* exchange, int id, CWnd& control) {
    if (control.m_hWnd)
        return;
    if (!control.SubclassWindow(exchange->PrepareCtrl(id)))
        exchange->Fail();
}

void DDV_MinMaxUInt(CDataExchange* exchange, UINT value, UINT low, UINT high) {
    CheckRange(exchange, value, low, high);
}

void DDV_MaxChars(CDataExchange* exchange, const CString& value, int maxBytes) {
    const HWND control = exchange->LastControl();
    if (!exchange->m_bSaveAndValidate) {
        const bool isCombo = IsWindow(control) && control->windowClass == &kComboBoxClass;
        SendMessage(control, isCombo ? CB_LIMITTEXT : EM_LIMITTEXT, static_cast<WPARAM>(maxBytes), 0);
        return;
    }
    if (value.GetLength() <= maxBytes)
        return;
    CString complaint;
    complaint.Format(kTooManyCharacters, maxBytes);
    AfxMessageBox(complaint, MB_ICONEXCLAMATION);
    exchange->Fail();
}

void DDV_MinMaxInt(CDataExchange* exchange, int value, int minimum, int maximum) {
    CheckRange(exchange, value, minimum, maximum);
}
