// The preview draws the template's objects over a white page in the well, at the scale that fits the
// whole page.

#include "resmanager/TemplateInfoDlg.h"

#include "page/Template.h"
#include "platform/base/Time.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/ui/PaintDC.h"
#include "resmanager/PictureWell.h"

namespace {

constexpr int kPreviewId = 1064;
constexpr int kLabelIds[] = {1073, 1091, 1090, 1089, 1088, 1087, 1086, 1085, 1084, 1083};
constexpr int kValueIds[] = {1056, 1059, 1057, 1055, 1054, 1078, 1076, 1079, 1080, 1081};
constexpr int kTimeStampId = 1056;
constexpr int kTitleId = 1059;
constexpr int kNameId = 1054;
constexpr int kCommentId = 1078;

// The six further texts: the template's record fields in its member order, and where each is shown.
struct FurtherText {
    int field;
    int controlId;
};
constexpr FurtherText kFurtherTexts[] = {{3, 1057}, {5, 1081}, {6, 1076}, {8, 1055}, {1, 1079}, {2, 1080}};

constexpr int kUprightOrientation = 1;

} // namespace

CTemplateInfoDlg::CTemplateInfoDlg(CTemplate* tpl, CWnd* parent) : CDialog(267, parent), m_pTemplate(tpl) {}

CTemplateInfoDlg::~CTemplateInfoDlg() = default;

CString CTemplateInfoDlg::FormatTimeStamp(std::time_t time) {
    const CTime stamp(time);
    CString text;
    text.Format("%02d:%02d:%4d, %2d:%02dH", stamp.GetDay(), stamp.GetMonth(), stamp.GetYear(),
                stamp.GetHour(), stamp.GetMinute());
    return text;
}

CSize CTemplateInfoDlg::ShownPageSize(const CTemplate& page) {
    const CSize stored = page.GetPageSize();
    return page.GetOrientation() == kUprightOrientation ? stored : CSize(stored.cy, stored.cx);
}

CRect CTemplateInfoDlg::FitPage(const CRect& well, CSize page, float& scale) {
    scale = 0.0f;
    if (page.cx <= 0 || page.cy <= 0)
        return CRect(well.left, well.top, well.left, well.top);
    const double width = well.Width();
    const double height = well.Height();
    const double across = width / page.cx;
    const double down = height / page.cy;
    const double fit = across < down ? across : down;
    const double shownWidth = page.cx * fit;
    const double shownHeight = page.cy * fit;
    scale = static_cast<float>(fit);
    return CRect(well.left + static_cast<int>((width - shownWidth) / 2),
                 well.top + static_cast<int>((height - shownHeight) / 2),
                 well.left + static_cast<int>((width + shownWidth) / 2),
                 well.top + static_cast<int>((height + shownHeight) / 2));
}

void CTemplateInfoDlg::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    for (int i = 0; i < kFieldCount; ++i)
        DDX_Control(exchange, kLabelIds[i], m_labels[i]);
    for (int i = 0; i < kFieldCount; ++i)
        DDX_Control(exchange, kValueIds[i], m_values[i]);
}

BOOL CTemplateInfoDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_pCaptionFont = std::make_unique<CFont>();
    m_pCaptionFont->CreateFont(14, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, 0, 0, 0, 0, 0, "Arial");
    for (CStatic& label : m_labels)
        label.SetFont(m_pCaptionFont.get(), TRUE);

    SetDlgItemText(kTitleId, m_pTemplate->GetTitle());
    SetDlgItemText(kNameId, m_pTemplate->GetName());
    SetDlgItemText(kCommentId, m_pTemplate->GetComment());
    for (const FurtherText& text : kFurtherTexts)
        SetDlgItemText(text.controlId, m_pTemplate->GetRecordText(text.field));
    SetDlgItemText(kTimeStampId, FormatTimeStamp(m_pTemplate->GetFileTime()));
    return TRUE;
}

void CTemplateInfoDlg::OnPaint() {
    CPaintDC dc(this);
    CWnd* previewControl = GetDlgItem(kPreviewId);
    if (!previewControl)
        return;
    CRect well;
    previewControl->GetWindowRect(&well);
    ScreenToClient(&well);
    DrawPictureWell(&dc, well);

    float scale = 0.0f;
    const CRect page = FitPage(well, ShownPageSize(*m_pTemplate), scale);
    if (page.IsRectEmpty())
        return;
    dc.FillSolidRect(&page, RGB(255, 255, 255));
    m_pTemplate->DrawObjects(&dc, page.left, page.top, scale);
}
