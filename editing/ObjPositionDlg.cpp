// The position dialog: four integers through data exchange, the rotation as decimal-comma text that is
// read when the window goes, after OK and cancel alike.

#include "editing/ObjPositionDlg.h"

#include "page/DrawObj.h"

#include <charconv>

namespace {

constexpr UINT kTemplateId = 134;
constexpr int kWidth = 1008;
constexpr int kHeight = 1009;
constexpr int kRotation = 1010;
constexpr int kX = 1114;
constexpr int kY = 1115;
constexpr int kRotationChars = 128;

// The text's leading number, read with a point whatever the process's locale; 0.0 when there is none.
double ParseDegrees(CString text) {
    text.Replace(',', '.');
    text.Trim();
    const char* begin = text.GetString();
    if (*begin == '+')
        ++begin;
    double degrees = 0.0;
    const std::from_chars_result read =
        std::from_chars(begin, begin + std::char_traits<char>::length(begin), degrees);
    return read.ec == std::errc() ? degrees : 0.0;
}

} // namespace

CObjPositionDlg::CObjPositionDlg(CDrawObj& object, CWnd* parent)
    : CDialog(kTemplateId, parent), m_object(object) {}

void CObjPositionDlg::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    DDX_Text(exchange, kWidth, m_nWidth);
    DDX_Text(exchange, kHeight, m_nHeight);
    DDX_Text(exchange, kX, m_nX);
    DDX_Text(exchange, kY, m_nY);
}

BOOL CObjPositionDlg::OnInitDialog() {
    const CRect position = m_object.GetPosition();
    m_nX = position.left;
    m_nY = position.top;
    m_nWidth = position.right - position.left;
    m_nHeight = position.bottom - position.top;
    CDialog::OnInitDialog();
    // One decimal with a comma, whatever the process's locale writes.
    CString degrees;
    degrees.Format("%1.1f", m_object.GetRotation() / 10.0);
    degrees.Replace('.', ',');
    SetDlgItemText(kRotation, degrees);
    const auto enable = [this](int id, BOOL on) {
        if (CWnd* item = GetDlgItem(id))
            item->EnableWindow(on);
    };
    enable(kRotation, CDrawObj::IsDrawClipart(&m_object));
    const BOOL sized = !CDrawObj::IsDrawText(&m_object);
    enable(kWidth, sized);
    enable(kHeight, sized);
    return TRUE;
}

void CObjPositionDlg::OnDestroy() {
    if (CWnd* rotation = GetDlgItem(kRotation)) {
        char text[kRotationChars + 1] = {};
        rotation->GetWindowText(text, kRotationChars + 1);
        m_rotation = ParseDegrees(text);
    }
    CDialog::OnDestroy();
}
