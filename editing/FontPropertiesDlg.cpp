// The text font dialog: each control writes its property straight into the text object.

#include "editing/FontPropertiesDlg.h"

#include "page/PreviewWnd.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/ui/CommandMap.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr UINT kTemplateId = 418;

constexpr int kColorPicker = 1002;
constexpr int kText = 1001;
constexpr int kFaceList = 1126;
constexpr int kSizeList = 1128;
constexpr int kBold = 1024;
constexpr int kItalic = 1131;
constexpr int kUnderline = 1132;
constexpr int kLive = 1137;

constexpr LONG kBoldWeight = 700;
constexpr LONG kNormalWeight = 400;

// The alignment buttons and the object's alignment values they stand for.
constexpr struct {
    int id;
    int alignment;
} kAlignments[] = {{1025, 0}, {1135, 1}, {1136, 2}, {1026, 3}};

int AddTrueTypeFace(const LOGFONT* font, const TEXTMETRIC*, DWORD fontType, LPARAM list) {
    if (fontType & TRUETYPE_FONTTYPE)
        reinterpret_cast<CComboBox*>(list)->AddString(font->lfFaceName);
    return 1;
}

} // namespace

CFontPropertiesDlg::CFontPropertiesDlg(CDrawText& text, CPreviewWnd* parent)
    : CDialog(kTemplateId, parent), m_text(text), m_pPreview(parent), m_openingText(text.GetText()),
      m_openingFont(text.GetLogFont()), m_openingColor(text.GetColor()),
      m_openingAlignment(text.GetEffect()) {}

void CFontPropertiesDlg::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, kColorPicker, m_colorPicker);
    DDX_Control(exchange, kSizeList, m_sizeList);
    DDX_Control(exchange, kFaceList, m_faceList);
    DDX_Text(exchange, kText, m_strText);
    DDX_Check(exchange, kBold, m_bBold);
    DDX_Check(exchange, kItalic, m_bItalic);
    DDX_Check(exchange, kUnderline, m_bUnderline);
    DDX_Check(exchange, kLive, m_bLive);
    DDX_Text(exchange, kSizeList, m_strSize);
    DDV_MaxChars(exchange, m_strSize, kSizeChars);
}

BOOL CFontPropertiesDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    FillFaces();
    FillSizes();
    const LOGFONT& font = m_text.GetLogFont();
    m_faceList.SetCurSel(m_faceList.FindStringExact(-1, font.lfFaceName));
    m_strSize.Format("%d", -font.lfHeight);
    m_strText = m_text.GetText();
    CheckAlignment(m_text.GetEffect());
    m_bBold = font.lfWeight == kBoldWeight ? 1 : 0;
    m_bItalic = font.lfItalic ? 1 : 0;
    m_bUnderline = font.lfUnderline ? 1 : 0;
    m_colorPicker.SetColor(m_text.GetColor());
    UpdateData(FALSE);
    return TRUE;
}

void CFontPropertiesDlg::FillFaces() {
    const HDC screen = ::GetDC(nullptr);
    EnumFontFamilies(screen, nullptr, AddTrueTypeFace, reinterpret_cast<LPARAM>(&m_faceList));
    ::ReleaseDC(nullptr, screen);
}

void CFontPropertiesDlg::FillSizes() {
    for (const int size : kSizes) {
        CString text;
        text.Format("%d", size);
        m_sizeList.AddString(text);
    }
}

// Any value but 1, 2 and 3 shows as the first button.
void CFontPropertiesDlg::CheckAlignment(int alignment) {
    bool known = false;
    for (const auto& button : kAlignments)
        known = known || button.alignment == alignment;
    for (const auto& button : kAlignments) {
        const bool checked = known ? button.alignment == alignment : button.alignment == 0;
        CheckDlgButton(button.id, checked ? BST_CHECKED : BST_UNCHECKED);
    }
}

BOOL CFontPropertiesDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    static const CommandEntry<CFontPropertiesDlg> kCommands[] = {
        {kText, EN_CHANGE, &CFontPropertiesDlg::OnTextChange},
        {1025, 1025, BN_CLICKED, &CFontPropertiesDlg::OnAlignment},
        {1135, 1135, BN_CLICKED, &CFontPropertiesDlg::OnAlignment},
        {1136, 1136, BN_CLICKED, &CFontPropertiesDlg::OnAlignment},
        {1026, 1026, BN_CLICKED, &CFontPropertiesDlg::OnAlignment},
        {kBold, BN_CLICKED, &CFontPropertiesDlg::OnBold},
        {kItalic, BN_CLICKED, &CFontPropertiesDlg::OnItalic},
        {kUnderline, BN_CLICKED, &CFontPropertiesDlg::OnUnderline},
        {kFaceList, CBN_SELCHANGE, &CFontPropertiesDlg::OnFaceChange},
        {kSizeList, CBN_SELCHANGE, &CFontPropertiesDlg::OnSizeChange},
        {kSizeList, CBN_EDITCHANGE, &CFontPropertiesDlg::OnSizeEdit},
        {kLive, BN_CLICKED, &CFontPropertiesDlg::OnLive}};
    return DispatchCommand(*this, kCommands, wParam) || CDialog::OnCommand(wParam, lParam);
}

// The colour picker's accepted choice answers 1.
BOOL CFontPropertiesDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message != CPN_SELENDOK)
        return CDialog::OnWndMsg(message, wParam, lParam, result);
    OnColorChosen();
    *result = 1;
    return TRUE;
}

void CFontPropertiesDlg::OnOK() {
    if (m_bCustomColorOpen)
        return;
    CDialog::OnOK();
}

void CFontPropertiesDlg::OnCancel() {
    UpdateData(TRUE);
    m_text.SetText(m_openingText);
    m_text.SetLogFont(m_openingFont);
    m_text.SetColor(m_openingColor);
    m_text.SetEffect(m_openingAlignment);
    Changed();
    EndDialog(IDCANCEL);
}

void CFontPropertiesDlg::OnTextChange() {
    UpdateData(TRUE);
    m_text.SetText(m_strText);
    Changed();
}

void CFontPropertiesDlg::OnAlignment(UINT id) {
    for (const auto& button : kAlignments) {
        if (button.id == static_cast<int>(id))
            m_text.SetEffect(button.alignment);
    }
    Changed();
}

void CFontPropertiesDlg::OnBold() {
    UpdateData(TRUE);
    LOGFONT font = m_text.GetLogFont();
    font.lfWeight = m_bBold ? kBoldWeight : kNormalWeight;
    SetFont(font);
}

void CFontPropertiesDlg::OnItalic() {
    UpdateData(TRUE);
    LOGFONT font = m_text.GetLogFont();
    font.lfItalic = m_bItalic ? TRUE : FALSE;
    SetFont(font);
}

void CFontPropertiesDlg::OnUnderline() {
    UpdateData(TRUE);
    LOGFONT font = m_text.GetLogFont();
    font.lfUnderline = m_bUnderline ? TRUE : FALSE;
    SetFont(font);
}

void CFontPropertiesDlg::OnFaceChange() {
    const int selection = m_faceList.GetCurSel();
    if (selection < 0)
        return;
    CString face;
    m_faceList.GetLBText(selection, face);
    LOGFONT font = m_text.GetLogFont();
    std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
    std::strncpy(font.lfFaceName, face.GetString(), LF_FACESIZE - 1);
    SetFont(font);
}

void CFontPropertiesDlg::OnSizeChange() {
    const int selection = m_sizeList.GetCurSel();
    if (selection < 0)
        return;
    CString size;
    m_sizeList.GetLBText(selection, size);
    SetHeightFromText(size);
}

void CFontPropertiesDlg::OnSizeEdit() {
    CString size;
    m_sizeList.GetWindowText(size);
    SetHeightFromText(size);
}

// A text that is no number gives height 0.
void CFontPropertiesDlg::SetHeightFromText(const CString& size) {
    LOGFONT font = m_text.GetLogFont();
    font.lfHeight = -std::atoi(size.GetString());
    SetFont(font);
}

void CFontPropertiesDlg::OnColorChosen() {
    m_text.SetColor(m_colorPicker.GetColor());
    Changed();
}

void CFontPropertiesDlg::OnLive() {
    UpdateData(TRUE);
    Changed();
}

void CFontPropertiesDlg::SetFont(const LOGFONT& font) {
    m_text.SetLogFont(font);
    Changed();
}

// Redraws the object on the page while live is ticked.
void CFontPropertiesDlg::Changed() {
    if (m_bLive && m_pPreview)
        m_pPreview->UpdateObjects(&m_text);
}
