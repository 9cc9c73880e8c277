// The project and save commands: opening a project, the save menu and its three ways of saving the page
// (project, web page, picture). The file dialogs start in the folder of the last project path chosen;
// the process's current folder never changes.
#include "app/EffectsDialogs.h"
#include "app/MainWnd.h"
#include "app/PathExtension.h"
#include "image/ExtMgr.h"
#include "image/PictureInfo.h"
#include "page/PreviewWnd.h"
#include "platform/base/AppServices.h"
#include "platform/base/GlobalMemory.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/Menu.h"

namespace {

constexpr UINT kNoPictureId = 153;
constexpr UINT kFileErrorId = 155;
constexpr UINT kSaveBeforeLoadingId = 207;
constexpr UINT kProjectSaveFilterId = 256;
constexpr UINT kProjectOpenFilterId = 364;
constexpr UINT kHtmlFilterId = 412;
constexpr UINT kPictureFilterId = 415;
constexpr UINT kSaveMenuId = 315;

// The save menu's place in the skin, right of the "Speichern" button.
constexpr POINT kSaveMenuPoint{42, 27};

constexpr const char* kHtmlExtension = "htm";
constexpr const char* kColourCountExtension = "bmp";

// The colours the picture uses, counted on its BMP form; 0 when it cannot be counted.
int CountColorsUsed(CExtMgr& codecs, const CPictureInfo& picture) {
    void* data = nullptr;
    DWORD size = 0;
    if (codecs.SaveFileInMemory(&picture, kColourCountExtension, 0, data, size) != 1)
        return 0;
    const int colours = codecs.CountColorsUsedInMemory(data, size, kColourCountExtension);
    GlobalFree(static_cast<HGLOBAL>(data));
    return colours;
}

} // namespace

CString CMainWnd::AskFileName(BOOL open, LPCTSTR defaultExtension, UINT filterId) {
    const CString filter = AppServices().LoadString(filterId);
    const CString folder = FolderOfPath(m_dialogPath);
    CFileDialog dialog(open, defaultExtension, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter, this);
    dialog.m_ofn.lpstrInitialDir = folder.GetString();
    if (dialog.DoModal() != IDOK)
        return {};
    return dialog.GetPathName();
}

BOOL CMainWnd::HasPageToSave() const {
    if (AppServices().IsEditMode())
        return m_template ? TRUE : FALSE;
    if (m_workBitmap)
        return TRUE;
    AppServices().MessageBox(kNoPictureId);
    return FALSE;
}

void CMainWnd::OnLoad() {
    KnobCommand(kZoneLoad);
    if (m_modified && AppServices().MessageBox(kSaveBeforeLoadingId, MB_YESNO | MB_ICONQUESTION) == IDYES &&
        !OnSaveProject())
        return;
    const CString path = AskFileName(TRUE, kProjectExtension, kProjectOpenFilterId);
    if (path.IsEmpty())
        return;
    m_dialogPath = path;
    LoadProjectFile(path);
}

BOOL CMainWnd::OnSaveProject() {
    if (!HasPageToSave())
        return FALSE;
    const CString path = AskFileName(FALSE, kProjectExtension, kProjectSaveFilterId);
    return !path.IsEmpty() && SaveProjectFile(path);
}

void CMainWnd::OnSave() {
    KnobCommand(kZoneSave);
    ShowSaveMenu();
}

void CMainWnd::ShowSaveMenu() {
    if (!HasPageToSave())
        return;
    CMenu menu;
    if (!menu.LoadMenu(kSaveMenuId))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    if (!popup)
        return;
    CRect client;
    GetClientRect(&client);
    CPoint point((client.Width() - m_skinWidth) / 2 + kSaveMenuPoint.x,
                 (client.Height() - m_skinHeight) / 2 + kSaveMenuPoint.y);
    ClientToScreen(&point);
    popup->TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, this);
}

BOOL CMainWnd::SaveAsHtml() {
    if (!HasPageToSave())
        return FALSE;
    const CString chosen = AskFileName(FALSE, kHtmlExtension, kHtmlFilterId);
    if (chosen.IsEmpty())
        return FALSE;
    // The canvas tells why a page could not be written.
    return ExportHtmlPage(WithExtension(chosen, kHtmlExtension));
}

BOOL CMainWnd::ExportPicture() {
    if (!HasPageToSave())
        return FALSE;
    IEffectsDialogs* dialogs = GetEffectsDialogs();
    if (!dialogs)
        return FALSE;
    OwnedPicture picture(RenderPagePicture());
    if (!picture)
        return FALSE;
    CExtMgr* codecs = GetExtMgr();
    SavePictureRequest request;
    request.filter = AppServices().LoadString(kPictureFilterId);
    request.folder = FolderOfPath(m_dialogPath);
    request.width = picture->GetWidth();
    request.height = picture->GetHeight();
    request.colorsUsed = codecs ? CountColorsUsed(*codecs, *picture) : 0;
    SavePictureChoice choice;
    if (dialogs->RunSavePictureDialog(request, this, choice) != IDOK)
        return FALSE;
    if (choice.size.cx != request.width || choice.size.cy != request.height) {
        picture.reset(picture->ResampledCopy(choice.size, choice.resampleMode));
        if (!picture) {
            AppServices().MessageBox(kFileErrorId);
            return FALSE;
        }
    }
    if (!codecs || codecs->SaveFile(picture.get(), choice.path, choice.bitsPerPixel, choice.preset) != 1) {
        AppServices().MessageBox(kFileErrorId);
        return FALSE;
    }
    return TRUE;
}
