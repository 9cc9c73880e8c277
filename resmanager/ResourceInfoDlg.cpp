// The file facts are read from the entry's file when the dialog opens; a file that cannot be read shows
// zeros and "---".

#include "resmanager/ResourceInfoDlg.h"

#include "albums/DiaShowViewer.h"
#include "albums/ExInfoDlg.h"
#include "albums/ImageFileComments.h"
#include "image/PictureInfo.h"
#include "library/Clipart.h"
#include "library/DSObjMgr.h"
#include "library/Mat.h"
#include "library/Photo.h"
#include "library/ResType.h"
#include "library/Stencil.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/imaging/ImagingFile.h"
#include "platform/ui/CommandMap.h"
#include "platform/ui/PaintDC.h"
#include "resmanager/PictureWell.h"

#include <cstdint>
#include <cstdio>
#include <iterator>

namespace {

constexpr int kWellId = 1065;
constexpr int kPathId = 1268;
constexpr int kNameId = 1058;
constexpr int kKindId = 1270;
constexpr int kWidthId = 1013;
constexpr int kHeightId = 1014;
constexpr int kBitsPerPixelId = 1273;
constexpr int kFileSizeId = 1274;
constexpr int kCompressionId = 1275;
constexpr int kSlideShowId = 1237;
constexpr int kCommentsId = 1238;

// The kind whose display name the dialog shows, by the entry's class; -1 for none of them.
int KindOf(const CDSObj* object) {
    if (dynamic_cast<const CPhoto*>(object))
        return kResTypePictures;
    if (dynamic_cast<const CClipart*>(object))
        return kResTypeClipart;
    if (dynamic_cast<const CStencil*>(object))
        return kResTypeStencils;
    if (dynamic_cast<const CMat*>(object))
        return kResTypeFrames;
    return -1;
}

CSize SizeOf(const CPictureInfo* picture) {
    return picture ? CSize(picture->GetWidth(), picture->GetHeight()) : CSize(0, 0);
}

} // namespace

CResourceInfoDlg::CResourceInfoDlg(CDSObj* object, UINT templateId, CWnd* parent)
    : CDialog(templateId, parent), m_pObject(object) {}

CRect CResourceInfoDlg::FitPicture(const CRect& well, int width, int height) {
    CRect fitted = well;
    if (width <= 0 || height <= 0 || well.Width() <= 0 || well.Height() <= 0)
        return fitted;
    const double picture = double(width) / height;
    const double room = double(well.Width()) / well.Height();
    if (room > picture) {
        const int band = static_cast<int>(well.Width() - well.Height() * picture) / 2;
        fitted.DeflateRect(band, 0);
    } else {
        const int band = static_cast<int>(well.Height() - well.Width() / picture) / 2;
        fitted.DeflateRect(0, band);
    }
    return fitted;
}

void CResourceInfoDlg::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    DDX_Text(exchange, kPathId, m_strPath);
    DDX_Text(exchange, kNameId, m_strName);
    DDX_Text(exchange, kKindId, m_strKind);
}

BOOL CResourceInfoDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CString filePath;
    const int kind = KindOf(m_pObject);
    CDSObjMgr* manager = GetDSObjMgr();
    if (kind >= 0 && manager) {
        m_strPath = manager->GetObjectPath(m_pObject);
        m_strName = m_pObject->GetTitle();
        if (const CResType* type = manager->GetResType(kind))
            m_strKind = type->GetName();
        filePath = manager->GetObjectFilePath(m_pObject);
    }
    UpdateData(FALSE);
    ShowFileFacts(filePath);
    if (CWnd* comments = GetDlgItem(kCommentsId))
        comments->ShowWindow(ImageFileHasComments(filePath) ? SW_SHOW : SW_HIDE);
    return TRUE;
}

void CResourceInfoDlg::ShowFileFacts(const CString& filePath) {
    ImagingFileInfo info;
    const bool read = !filePath.IsEmpty() && ReadImagingFileInfo(filePath, info);
    const std::int64_t numbers[] = {info.width, info.height, info.bitsPerPixel, info.fileSize};
    const int ids[] = {kWidthId, kHeightId, kBitsPerPixelId, kFileSizeId};
    for (size_t i = 0; i < std::size(ids); ++i) {
        CString text;
        text.Format("%lld", read ? static_cast<long long>(numbers[i]) : 0LL);
        SetDlgItemText(ids[i], text);
    }
    SetDlgItemText(kCompressionId, read ? info.compression : CString("---"));
}

BOOL CResourceInfoDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    static const CommandEntry<CResourceInfoDlg> kCommands[] = {
        {kSlideShowId, BN_CLICKED, &CResourceInfoDlg::OnSlideShow},
        {kCommentsId, BN_CLICKED, &CResourceInfoDlg::OnComments}};
    return DispatchCommand(*this, kCommands, wParam) || CDialog::OnCommand(wParam, lParam);
}

void CResourceInfoDlg::OnSlideShow() {
    // The show sizes itself and deletes itself when it ends.
    CDiaShowViewer::Start(nullptr, m_pObject, this);
}

void CResourceInfoDlg::OnComments() {
    CExInfoDlg dialog(m_pObject, nullptr);
    dialog.DoModal();
}

const CPictureInfo* CResourceInfoDlg::ChoosePicture(CSize& proportions) const {
    const CPictureInfo* thumbnail = m_pObject->GetThumbnail();
    const CPictureInfo* shown = thumbnail;
    proportions = SizeOf(thumbnail);
    if (const auto* clipart = dynamic_cast<const CClipart*>(m_pObject)) {
        if (clipart->IsLoaded())
            proportions = CSize(clipart->GetImageWidth(), clipart->GetImageHeight());
    } else if (const auto* stencil = dynamic_cast<const CStencil*>(m_pObject)) {
        if (stencil->IsLoaded())
            shown = stencil->GetBitmap();
        proportions = SizeOf(shown);
    } else if (const auto* mat = dynamic_cast<const CMat*>(m_pObject)) {
        if (mat->IsLoaded())
            shown = mat->GetImageDib();
        proportions = SizeOf(shown);
    } else if (KindOf(m_pObject) < 0) {
        return nullptr;
    }
    return shown;
}

void CResourceInfoDlg::OnPaint() {
    CPaintDC dc(this);
    CWnd* wellControl = GetDlgItem(kWellId);
    if (!wellControl)
        return;
    CRect well;
    wellControl->GetWindowRect(&well);
    ScreenToClient(&well);
    DrawPictureWell(&dc, well);

    if (CWnd* pathControl = GetDlgItem(kPathId)) {
        CRect pathRect;
        pathControl->GetWindowRect(&pathRect);
        ScreenToClient(&pathRect);
        LOGFONT face{};
        GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof face, &face);
        std::snprintf(face.lfFaceName, sizeof face.lfFaceName, "%s", "Arial");
        face.lfHeight = -12;
        face.lfWidth = 0;
        face.lfWeight = 0;
        CFont font;
        font.CreateFontIndirect(&face);
        CFont* oldFont = dc.SelectObject(&font);
        const int oldMode = dc.SetBkMode(TRANSPARENT);
        dc.DrawText(m_strPath, &pathRect, DT_SINGLELINE | DT_PATH_ELLIPSIS);
        dc.SetBkMode(oldMode);
        dc.SelectObject(oldFont);
    }

    CSize proportions;
    const CPictureInfo* picture = ChoosePicture(proportions);
    if (!picture || proportions.cx <= 0 || proportions.cy <= 0)
        return;
    picture->DrawSmooth(&dc, FitPicture(well, proportions.cx, proportions.cy), SRCCOPY);
}
