// The send page: its controls, the sending of the page as a picture, the mail settings and the help.

#include "output/SendMailPropertyPage.h"

#include "output/MIMEMessage.h"
#include "output/MailMgr.h"
#include "output/MailSettingsDlg.h"
#include "output/PrintMainWnd.h"
#include "output/SendMailPropertySheet.h"
#include "page/Template.h"
#include "platform/base/AppServices.h"
#include "platform/base/Module.h"
#include "platform/base/MulDiv.h"
#include "platform/base/Path.h"
#include "platform/base/TempFile.h"
#include "platform/ui/CommandMap.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/ShellExecute.h"
#include "platform/ui/WaitCursor.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace {

constexpr int kRecipientsId = 1234;
constexpr int kMoreRecipientsId = 1225;
constexpr int kTextId = 1286;
constexpr int kSubjectId = 1235;
constexpr int kScaleId = 1292;
constexpr int kSpinId = 1293;
constexpr int kProgressId = 1019;
constexpr int kStatusId = 1287;
constexpr int kPlainMailId = 1442;
constexpr int kHtmlMailId = 1443;
constexpr int kSendId = 1492;
constexpr int kSettingsId = 3;
constexpr int kPreviewId = 1450;
constexpr int kHelpId = 4;
constexpr int kPictureSizeId = 1493;

constexpr int kMinScale = 10;
constexpr int kMaxScale = 300;

constexpr UINT kCloseTextId = 62052;
constexpr UINT kNoRecipientId = 407;
constexpr UINT kSentId = 408;
constexpr UINT kNoApplicationId = 174;
constexpr UINT kMissingFileId = 208;
constexpr UINT kNoPictureId = 7103;

const CommandEntry<CSendMailPropertyPage> kCommands[] = {
    {kSendId, BN_CLICKED, &CSendMailPropertyPage::OnSend},
    {kSettingsId, BN_CLICKED, &CSendMailPropertyPage::OnMailSettings},
    {kScaleId, EN_CHANGE, &CSendMailPropertyPage::OnScaleChange},
    {kPreviewId, BN_CLICKED, &CSendMailPropertyPage::OnShowPreview},
    {kHelpId, BN_CLICKED, &CSendMailPropertyPage::OnHelp},
};

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// The picture's file name: the template's name after its folders, less its extension's four characters.
CString PictureName(const CTemplate& page) {
    CString name = BackslashesToSlashes(page.GetName());
    name = name.Mid(name.ReverseFind('/') + 1);
    return name.GetLength() > 4 ? name.Left(name.GetLength() - 4) : CString();
}

// A folder of its own in the temporary folder for the mailed picture: the program folder is read-only
// once installed. It goes, with what is in it, when the object goes.
class CPictureFolder {
public:
    CPictureFolder() {
        char temp[MAX_PATH];
        if (GetTempPath(MAX_PATH, temp) >= MAX_PATH)
            return;
        std::string pattern = std::string(temp) + "vellumcraft-mail-XXXXXX";
        if (mkdtemp(pattern.data()))
            m_path = pattern.c_str();
    }
    ~CPictureFolder() {
        std::error_code ignored;
        if (!m_path.IsEmpty())
            std::filesystem::remove_all(m_path.GetString(), ignored);
    }
    CPictureFolder(const CPictureFolder&) = delete;
    CPictureFolder& operator=(const CPictureFolder&) = delete;

    const CString& Path() const { return m_path; }

private:
    CString m_path;
};

bool IsReadablePicture(const CString& path) {
    std::ifstream file(path.GetString(), std::ios::binary | std::ios::ate);
    return file && file.tellg() > 0;
}

} // namespace

CString TextToHtml(const CString& text) {
    std::string html = text.str();
    ReplaceAll(html, "&", "&amp;");
    ReplaceAll(html, "<", "&lt;");
    ReplaceAll(html, ">", "&gt;");
    ReplaceAll(html, "\"", "&quot;");
    ReplaceAll(html, "\r\n", "<br>");
    ReplaceAll(html, " ", "&nbsp;");
    return CString(html.c_str());
}

void SendProgressCallback(void* progress, void* status, const CString& text) {
    if (!text.IsEmpty()) {
        if (auto* label = DYNAMIC_DOWNCAST(CStatic, static_cast<CObject*>(status))) {
            label->SetWindowText(text);
            label->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        }
        return;
    }
    if (auto* bar = DYNAMIC_DOWNCAST(CProgressCtrl, static_cast<CObject*>(progress)))
        bar->StepIt();
}

CString PictureSizeText(const CTemplate& page, int percent) {
    const CSize size = page.GetPageSize();
    CString text;
    text.Format("%d x %d", MulDiv(size.cx / 3, percent, 100), MulDiv(size.cy / 3, percent, 100));
    return text;
}

CSendMailPropertyPage::CSendMailPropertyPage() : CPropertyPage(kTemplateId) {}

CSendMailPropertySheet* CSendMailPropertyPage::MailSheet() const {
    return DYNAMIC_DOWNCAST(CSendMailPropertySheet, Sheet());
}

void CSendMailPropertyPage::DoDataExchange(CDataExchange* exchange) {
    CPropertyPage::DoDataExchange(exchange);
    DDX_Text(exchange, kRecipientsId, m_strRecipients);
    DDX_Text(exchange, kMoreRecipientsId, m_strMoreRecipients);
    DDX_Text(exchange, kTextId, m_strText);
    DDX_Text(exchange, kSubjectId, m_strSubject);
    DDX_Text(exchange, kScaleId, m_nScalePercent);
    DDX_Control(exchange, kSpinId, m_spin);
    DDX_Text(exchange, kPictureSizeId, m_strPictureSize);
}

BOOL CSendMailPropertyPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    if (!m_pTemplate) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    m_status.SubclassDlgItem(kStatusId, this);
    m_progress.SubclassDlgItem(kProgressId, this);
    const CMailMgr* mail = CMailMgr::GetInstance();
    m_progress.SetRange32(0, mail ? mail->GetIntSetting() : 0);
    m_progress.SetStep(1);
    m_spin.SetBuddy(GetDlgItem(kScaleId));
    m_spin.SetRange32(kMinScale, kMaxScale);
    m_spin.SetPos(m_nScalePercent);
    CheckDlgButton(kPlainMailId, BST_CHECKED);
    if (CPropertySheet* sheet = Sheet()) {
        if (CWnd* ok = sheet->GetDlgItem(IDOK))
            ok->ShowWindow(SW_HIDE);
        if (CWnd* cancel = sheet->GetDlgItem(IDCANCEL))
            cancel->SetWindowText(AppServices().LoadString(kCloseTextId));
    }
    return TRUE;
}

BOOL CSendMailPropertyPage::OnSetActive() {
    const BOOL shown = CPropertyPage::OnSetActive();
    if (const CSendMailPropertySheet* sheet = MailSheet())
        m_nScalePercent = sheet->GetScalePercent();
    SetDlgItemInt(kScaleId, static_cast<UINT>(m_nScalePercent), TRUE);
    if (m_pTemplate)
        ShowPictureSize();
    return shown;
}

BOOL CSendMailPropertyPage::OnKillActive() {
    if (!CPropertyPage::OnKillActive())
        return FALSE;
    if (CSendMailPropertySheet* sheet = MailSheet())
        sheet->SetScalePercent(m_nScalePercent);
    return TRUE;
}

BOOL CSendMailPropertyPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    return DispatchCommand(*this, kCommands, wParam) || CPropertyPage::OnCommand(wParam, lParam);
}

void CSendMailPropertyPage::OnScaleChange() {
    // Read without the data exchange's message, which would come at every key while the field is empty.
    BOOL number = FALSE;
    const int percent = static_cast<int>(GetDlgItemInt(kScaleId, &number, TRUE));
    if (!number || !m_pTemplate)
        return;
    m_nScalePercent = percent;
    ShowPictureSize();
}

void CSendMailPropertyPage::ShowPictureSize() {
    m_strPictureSize = PictureSizeText(*m_pTemplate, m_nScalePercent);
    SetDlgItemText(kPictureSizeId, m_strPictureSize);
}

void CSendMailPropertyPage::OnSend() {
    if (!UpdateData(TRUE) || !m_pTemplate)
        return;
    const int clamped = std::clamp(m_nScalePercent, kMinScale, kMaxScale);
    if (clamped != m_nScalePercent) {
        m_nScalePercent = clamped;
        SetDlgItemInt(kScaleId, static_cast<UINT>(clamped), TRUE);
    }
    if (CString(m_strRecipients).Trim().IsEmpty()) {
        AppServices().MessageBox(kNoRecipientId);
        return;
    }
    CWaitCursor wait;
    const CPictureFolder folder;
    if (SendWithPictureIn(folder.Path()))
        AppServices().MessageBox(kSentId);
    m_progress.SetPos(0);
}

bool CSendMailPropertyPage::SendWithPictureIn(const CString& folder) {
    const bool html = IsDlgButtonChecked(kHtmlMailId) == BST_CHECKED;
    CMIMEMessage message;
    if (html)
        message.SetContentType("multipart/related");
    message.AddMultipleRecipients(m_strRecipients);
    message.AddMultipleRecipients(m_strMoreRecipients);
    message.m_sSubject = m_strSubject;
    if (html)
        message.m_sBody.Format("<html><body>%s<br> <img src=\"cid:%s\"></body></html>",
                               TextToHtml(m_strText).GetString(), kContentId);
    else
        message.m_sBody = m_strText;

    // A picture that is not there would go out as an empty or stale part: the mail is not sent.
    const CString path = folder + "/" + PictureName(*m_pTemplate) + ".jpg";
    IPrintMainWnd* mainWnd = GetPrintMainWnd();
    if (folder.IsEmpty() || !mainWnd || !mainWnd->SavePageImageScaled(path, m_nScalePercent) ||
        !IsReadablePicture(path)) {
        AppServices().MessageBox(kNoPictureId);
        return false;
    }
    message.AddPart(path, html ? CMIMEMessage::MIME_IMAGE_JPEG : CMIMEMessage::MIME_OCTET_STREAM, kContentId,
                    4, TRUE);
    CMailMgr* mail = CMailMgr::GetInstance();
    return mail && mail->SendMail(&message, SendProgressCallback, &m_progress, &m_status);
}

void CSendMailPropertyPage::OnMailSettings() {
    CMailSettingsDlg settings(this);
    if (settings.DoModal() != IDOK)
        return;
    if (CMailMgr* mail = CMailMgr::GetInstance())
        mail->LoadSettings();
}

void CSendMailPropertyPage::OnShowPreview() {
    if (CPropertySheet* sheet = Sheet())
        sheet->SetActivePage(1);
}

void CSendMailPropertyPage::OnHelp() {
    const CMailMgr* mail = CMailMgr::GetInstance();
    const CString path =
        GetProgramFolder() + "/" + BackslashesToSlashes(mail ? mail->GetHelpFile() : CString());
    const INT_PTR result = ShellExecute(m_hWnd, "open", path, nullptr, nullptr, SW_SHOWNORMAL);
    if (result == SE_ERR_FNF || result == SE_ERR_PNF) {
        CString text;
        text.Format(AppServices().LoadString(kMissingFileId), path.GetString());
        AppServices().MessageBoxText(text);
    } else if (result == SE_ERR_NOASSOC) {
        AppServices().MessageBox(kNoApplicationId);
    }
}
