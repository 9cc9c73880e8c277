// The facts shown come from the file on disk at the time the dialog opens: its size through the imaging
// library, its date from the file system.

#include "albums/PhotoInfoDlg.h"

#include "albums/AlbumDlgServices.h"
#include "albums/ShortenPath.h"
#include "image/PictureInfo.h"
#include "library/DSObjMgr.h"
#include "library/Photo.h"
#include "platform/base/File.h"
#include "platform/base/Time.h"
#include "platform/gdi/FrameControls.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/imaging/ImagingFile.h"
#include "platform/ui/CommandMap.h"
#include "platform/ui/PaintDC.h"

#include <algorithm>

namespace {

constexpr UINT kTemplateId = 269;
constexpr int kHiddenStaticId = 1112;
constexpr int kHiddenControlId = 1238;
constexpr int kLabelIds[] = {1076, 1071, 1073, 1074, 1075};
constexpr int kExtensionId = 1063;
constexpr int kPathId = 1060;
constexpr int kPixelSizeId = 1062;
constexpr int kDateId = 1064;
constexpr int kThumbnailFrameId = 1065;
constexpr int kTitleId = 1101;
constexpr int kDescriptionId = 1053;
constexpr int kTitleMaxChars = 50;
constexpr int kPathMaxLength = 70;

constexpr const char* kMonthNames[] = {"Januar", "Februar", "März",      "April",   "Mai",      "Juni",
                                       "Juli",   "August",  "September", "Oktober", "November", "Dezember"};

// An empty text is shown as one blank, and stays so when the user leaves it.
CString ShownText(const CString& text) {
    return text.IsEmpty() ? CString(" ") : text;
}

} // namespace

CPhotoInfoDlg::CPhotoInfoDlg(CDSObj* photo, CWnd* parent) : CDialog(kTemplateId, parent), m_pPhoto(photo) {}

CPhotoInfoDlg::~CPhotoInfoDlg() = default;

CRect CPhotoInfoDlg::ThumbnailRect(const CRect& frame, CSize thumbnail) {
    if (thumbnail.cx <= 0 || thumbnail.cy <= 0)
        return CRect(frame.left, frame.top, frame.left, frame.top);
    const double scale =
        std::min(double(frame.Width()) / thumbnail.cx, double(frame.Height()) / thumbnail.cy);
    const int width = static_cast<int>(thumbnail.cx * scale);
    const int height = static_cast<int>(thumbnail.cy * scale);
    const int left = frame.left + (frame.Width() - width) / 2;
    const int top = frame.top + (frame.Height() - height) / 2;
    return CRect(left, top, left + width, top + height);
}

CString CPhotoInfoDlg::FormatDate(const CTime& time) {
    return time.Format("%d ") + kMonthNames[time.GetMonth() - 1] + time.Format(" %Y");
}

void CPhotoInfoDlg::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    DDX_Text(exchange, kDescriptionId, m_strDescription);
    DDX_Text(exchange, kTitleId, m_strTitle);
    DDV_MaxChars(exchange, m_strTitle, kTitleMaxChars);
}

BOOL CPhotoInfoDlg::OnInitDialog() {
    m_bFilling = true;
    CDialog::OnInitDialog();
    m_pLabelFont = std::make_unique<CFont>();
    m_pLabelFont->CreateFont(14, 0, 0, 0, FW_BOLD, TRUE, 0, 0, 0, 0, 0, 0, 0, "Arial");
    for (const int id : kLabelIds)
        if (CWnd* label = GetDlgItem(id))
            label->SetFont(m_pLabelFont.get());

    ShowFileFacts();
    const auto* photo = dynamic_cast<const CPhoto*>(m_pPhoto);
    m_strDescription = ShownText(photo ? photo->GetDescription() : CString());
    m_strTitle = ShownText(m_pPhoto->GetTitle());
    UpdateData(FALSE);

    // The frame control only marks the place: the dialog draws the frame and the thumbnail in it.
    for (const int id : {kHiddenStaticId, kHiddenControlId, kThumbnailFrameId})
        if (CWnd* control = GetDlgItem(id))
            control->ShowWindow(SW_HIDE);
    GotoDlgCtrl(GetDlgItem(kDescriptionId));
    m_bFilling = false;
    return FALSE;
}

void CPhotoInfoDlg::ShowFileFacts() {
    const CString path = GetDSObjMgr() ? GetDSObjMgr()->GetObjectFilePath(m_pPhoto) : CString();
    SetDlgItemText(kPathId, ShortenPath(path, kPathMaxLength));
    const int dot = path.ReverseFind('.');
    SetDlgItemText(kExtensionId, dot < 0 ? CString() : path.Mid(dot + 1));

    ImagingFileInfo info;
    if (!ReadImagingFileInfo(path, info))
        info.width = info.height = 0;
    CString size;
    size.Format("%dx%d", info.width, info.height);
    SetDlgItemText(kPixelSizeId, size);

    CFileStatus status;
    SetDlgItemText(kDateId, CFile::GetStatus(path, status) ? FormatDate(status.m_mtime) : CString("-----"));
}

BOOL CPhotoInfoDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    static const CommandEntry<CPhotoInfoDlg> kCommands[] = {
        {kDescriptionId, EN_CHANGE, &CPhotoInfoDlg::OnTextChanged},
        {kTitleId, EN_CHANGE, &CPhotoInfoDlg::OnTextChanged}};
    return DispatchCommand(*this, kCommands, wParam) || CDialog::OnCommand(wParam, lParam);
}

void CPhotoInfoDlg::OnTextChanged() {
    if (m_bFilling)
        return;
    if (auto* album = dynamic_cast<IAlbumDlgServices*>(m_pParentWnd))
        album->SetModified(TRUE);
}

void CPhotoInfoDlg::OnOK() {
    if (!UpdateData(TRUE))
        return;
    if (auto* photo = dynamic_cast<CPhoto*>(m_pPhoto))
        photo->SetDescription(m_strDescription);
    m_pPhoto->SetTitle(m_strTitle);
    m_pPhoto->ExchangeXml(FALSE);
    EndDialog(IDOK);
}

void CPhotoInfoDlg::OnPaint() {
    CPaintDC dc(this);
    CWnd* frameControl = GetDlgItem(kThumbnailFrameId);
    if (!frameControl)
        return;
    CRect frame;
    frameControl->GetWindowRect(&frame);
    ScreenToClient(&frame);
    CRect edge = frame;
    edge.InflateRect(2, 2);
    dc.DrawEdge(&edge, EDGE_ETCHED, BF_RECT);
    const CPictureInfo* thumbnail = m_pPhoto->GetThumbnail();
    if (!thumbnail)
        return;
    thumbnail->Draw(&dc, ThumbnailRect(frame, CSize(thumbnail->GetWidth(), thumbnail->GetHeight())), SRCCOPY);
}
