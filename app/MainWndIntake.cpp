// The intake commands: a picture file from the file browser into the page (1004), an acquisition from the
// configured source (2050, 2051), and what the main window says when the source manager fails.

#include "app/MainWnd.h"
#include "app/PictureOpenDialog.h"
#include "image/WorkBitmap.h"
#include "page/DrawImage.h"
#include "page/Template.h"
#include "page/UndoNormal.h"
#include "page/UndoObject.h"
#include "platform/base/AppServices.h"
#include "platform/base/MessageBeep.h"
#include "platform/base/Profile.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/WaitCursor.h"

namespace {

constexpr UINT kManagerFailedId = 120;
constexpr UINT kNoTwainId = 122;
constexpr UINT kNothingSelectedId = 171;
constexpr UINT kSourceFailedId = 205;
constexpr UINT kPictureFilterId = 251;
// Undo kind of a changed photo.
constexpr int kPhotoUndo = 0;

} // namespace

BOOL CMainWnd::CanTakePicture() const {
    if (!AppServices().IsEditMode())
        return TRUE;
    if (!m_template)
        return FALSE;
    if (m_template->GetSelectedCount() == 0) {
        AppServices().MessageBox(kNothingSelectedId);
        return FALSE;
    }
    return DYNAMIC_DOWNCAST(CDrawImage, m_template->GetFirstSelected()) ? TRUE : FALSE;
}

void CMainWnd::OnDisk() {
    KnobCommand(kZoneDisk);
    if (!CanTakePicture())
        return;
    const CString path = AskPictureToOpen(this, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                                          AppServices().LoadString(kPictureFilterId));
    if (path.IsEmpty())
        return;
    Invalidate();
    UpdateWindow();
    CWaitCursor wait;
    if (AppServices().IsEditMode()) {
        for (POSITION position = m_template->GetObjectList().GetHeadPosition(); position;) {
            CDrawObj* object = m_template->GetObjectList().GetNext(position);
            auto* image = DYNAMIC_DOWNCAST(CDrawImage, object);
            if (!image || !object->IsSelected())
                continue;
            AddUndo(new CUndoObject(kPhotoUndo, image->GetFilePath(), m_template->IndexOf(object), *image));
            image->SetImageFile(path, TRUE);
        }
        UpdateTwoColorsButton();
    } else {
        AddUndo(new CUndoNormal(kPhotoUndo, m_workBitmap.get()));
        AddPicturesToPage(path);
    }
    m_modified = TRUE;
    RedrawPreview();
    m_albumPicture = 0;
}

void CMainWnd::OnCamera() {
    AcquireFromSource(kZoneCamera);
}

void CMainWnd::OnScanner() {
    AcquireFromSource(kZoneScanner);
}

void CMainWnd::AcquireFromSource(int zone) {
    KnobCommand(zone);
    if (zone == kZoneCamera)
        m_albumPicture = 0;
    if (!CanTakePicture())
        return;
    if (!IsTwainAvailable()) {
        AppServices().MessageBox(kNoTwainId);
        return;
    }
    SetParentWnd(this);
    if (!OpenSourceManager(this)) {
        OnError(0);
        return;
    }
    // Both commands take the one configured source.
    if (SelectSource(GetProfileString("Settings", "TwainSource"), this))
        Acquire(this);
}

void CMainWnd::OnError(int code) {
    // A scan that never starts leaves no album dialog waiting for it.
    m_scanAlbumDlg = nullptr;
    MessageBeep(0xFFFFFFFF);
    AppServices().MessageBox(code == 1 ? kSourceFailedId : kManagerFailedId, MB_ICONINFORMATION);
}
