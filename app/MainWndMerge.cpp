// Command 2095: the current picture merged with a chosen picture into a new numbered file, which becomes
// the picture's source; undoable.
#include "app/MainWnd.h"
#include "app/PictureOpenDialog.h"
#include "image/PictureInfo.h"
#include "image/WorkBitmap.h"
#include "library/DSObjMgr.h"
#include "page/DrawImage.h"
#include "page/UndoNormal.h"
#include "page/UndoObject.h"
#include "platform/base/AppServices.h"
#include "platform/base/FileApi.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/WaitCursor.h"

namespace {

constexpr UINT kMergeFailedId = 165;
constexpr UINT kPictureFilterId = 251;
constexpr int kUndoPicture = 0;

// The picture's source merged with the file's picture, rendered with neutral settings; null when the file
// does not load or the two cannot be merged.
OwnedPicture MergeWithFile(const CAdjustImage& picture, const CString& path) {
    CPictureInfo* loaded = CDrawImage::LoadPictureFile(path);
    if (!loaded)
        return nullptr;
    CWorkBitmap other;
    other.SetOriginalDib(loaded);
    loaded->Release();
    other.ApplyAdjustments(true, true);
    const CPictureInfo* source = picture.GetOriginalDib();
    return OwnedPicture(source ? source->Merge(other.GetAdjustedDib()) : nullptr);
}

} // namespace

CString CMainWnd::SaveMergedPicture(CPictureInfo* merged) {
    CDSObjMgr* manager = GetDSObjMgr();
    const CString path = manager ? manager->MakeNumberedBitmapPath() : CString();
    if (path.IsEmpty())
        return path;
    if (!merged->SaveFile(path)) {
        DeleteFile(path);
        return CString();
    }
    return path;
}

void CMainWnd::OnMerge() {
    const PictureTarget target = GetCurrentTarget();
    if (!target.picture)
        return;
    const CString chosen = AskPictureToOpen(this, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                                            AppServices().LoadString(kPictureFilterId));
    if (chosen.IsEmpty())
        return;
    CWaitCursor wait;
    const OwnedPicture merged = MergeWithFile(*target.picture, chosen);
    const CString path = merged ? SaveMergedPicture(merged.get()) : CString();
    if (path.IsEmpty()) {
        AppServices().MessageBox(kMergeFailedId);
        return;
    }
    CAdjustImage& picture = *target.picture;
    if (target.object)
        AddUndo(new CUndoObject(kUndoPicture, picture.GetFilePath(), target.index, picture));
    else
        AddUndo(new CUndoNormal(kUndoPicture, &picture));
    picture.FreeOriginalDib();
    picture.SetOriginalDib(merged.get());
    picture.SetFilePath(path);
    picture.Rebuild(true);
    RedrawPreview();
    SetModified(TRUE);
}
