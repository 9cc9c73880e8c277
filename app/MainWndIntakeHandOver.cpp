// The hand-over of acquired pictures: an album scan stores each picture as a numbered bitmap in the album
// that asked for it; otherwise the last picture of the acquisition goes into the page (edit mode: every
// selected picture object; normal mode: the working picture) and the user may save it.

#include "app/MainWnd.h"
#include "app/OneBitDib.h"
#include "image/ExtMgr.h"
#include "image/PictureInfo.h"
#include "image/WorkBitmap.h"
#include "library/DSObjMgr.h"
#include "page/DrawImage.h"
#include "page/Template.h"
#include "page/UndoNormal.h"
#include "page/UndoObject.h"
#include "platform/base/AppServices.h"
#include "platform/base/SingleLock.h"
#include "platform/ui/WaitCursor.h"

#include <cstdio>
#include <memory>
#include <utility>

namespace {

constexpr UINT kSaveFilterId = 415;
constexpr UINT kSaveFailedId = 7028;
constexpr char kBitmapExtension[] = "bmp";
constexpr int kPhotoUndo = 0;
constexpr int kTrueColourMode = 3;
// What the save offer hands the codecs: the picture's own depth, the middle quality.
constexpr int kSaveBitsPerPixel = 0;
constexpr int kSaveQuality = 2;

// The DIB as the page takes it: a 1-bit one widened to 8 bits. Takes the block over; null when a 1-bit
// header does not match its block.
HGLOBAL WidenLineArt(HGLOBAL dib) {
    if (!IsOneBitDib(dib))
        return dib;
    HGLOBAL widened = ExpandOneBitDib(dib);
    GlobalFree(dib);
    return widened;
}

// A new numbered bitmap holding the picture; empty when none could be made or written.
CString StoreNumberedBitmap(const CPictureInfo& picture) {
    CDSObjMgr* manager = GetDSObjMgr();
    const CString path = manager ? manager->MakeNumberedBitmapPath() : CString();
    if (path.IsEmpty())
        return {};
    if (!picture.WriteBmpFile(path)) {
        // The number was taken by an empty file; give it back.
        std::remove(path.GetString());
        return {};
    }
    return path;
}

} // namespace

void CMainWnd::OnImageAcquired(HANDLE dib) {
    if (m_scanAlbumDlg) {
        TakeScanIntoAlbum(static_cast<HGLOBAL>(dib));
        return;
    }
    // Only the last picture of an acquisition goes into the page.
    if (m_hKeptImage)
        GlobalFree(static_cast<HGLOBAL>(m_hKeptImage));
    m_hKeptImage = dib;
}

BOOL CMainWnd::TakeScanIntoAlbum(HGLOBAL dib) {
    CSingleLock lock(&m_intakeLock, TRUE);
    CWaitCursor wait;
    dib = WidenLineArt(dib);
    if (!dib)
        return FALSE;
    auto picture = std::make_unique<CPictureInfo>();
    BOOL taken = FALSE;
    {
        const CGlobalLock bytes(dib);
        taken = bytes.Bytes() && picture->SetExternalDib(bytes.Bytes(), bytes.Size());
    }
    GlobalFree(dib);
    if (!taken)
        return FALSE;
    const CString path = StoreNumberedBitmap(*picture);
    return !path.IsEmpty() && m_scanAlbumDlg->AddPhotoFile(path);
}

CPictureInfo* CMainWnd::TakeScanIntoSelection(HGLOBAL dib) {
    CDrawImage scan;
    if (!scan.SetPictureFromTempFile(dib) || !m_template)
        return nullptr;
    OwnedPicture scanned(scan.GetOriginalDib()->Clone());
    const CString path = StoreNumberedBitmap(*scanned);
    for (POSITION position = m_template->GetObjectList().GetHeadPosition(); position;) {
        CDrawObj* object = m_template->GetObjectList().GetNext(position);
        auto* image = DYNAMIC_DOWNCAST(CDrawImage, object);
        if (!image || !object->IsSelected())
            continue;
        AddUndo(new CUndoObject(kPhotoUndo, image->GetFilePath(), m_template->IndexOf(object), *image));
        image->SetOriginalPicture(scanned.get(), TRUE);
        image->SetFilePath(path);
    }
    UpdateTwoColorsButton();
    return scanned.release();
}

BOOL CMainWnd::TakeScanAsWorkBitmap(HGLOBAL dib) {
    auto work = std::make_unique<CWorkBitmap>();
    if (!work->SetFromImage(dib))
        return FALSE;
    AddUndo(new CUndoNormal(kPhotoUndo, m_workBitmap.get()));
    work->colourMode = kTrueColourMode;
    work->ApplyAdjustments(false, true);
    const CString path = StoreNumberedBitmap(*work->GetOriginalDib());
    work->SetFilePath(path);
    SetWorkBitmap(std::move(work));
    return TRUE;
}

void CMainWnd::OnSourceClosed() {
    // An album scan stored its pictures as they came.
    m_scanAlbumDlg = nullptr;
    if (!m_hKeptImage) {
        RedrawPreview();
        return;
    }
    OwnedPicture scanned;
    {
        CSingleLock lock(&m_intakeLock, TRUE);
        CWaitCursor wait;
        HGLOBAL dib = WidenLineArt(static_cast<HGLOBAL>(std::exchange(m_hKeptImage, nullptr)));
        if (!dib) {
            RedrawPreview();
            return;
        }
        if (AppServices().IsEditMode()) {
            scanned.reset(TakeScanIntoSelection(dib));
        } else if (TakeScanAsWorkBitmap(dib)) {
            scanned.reset(m_workBitmap->GetOriginalDib());
            scanned->AddRef();
        }
    }
    if (scanned) {
        m_modified = TRUE;
        OfferToSaveScan(*scanned);
    }
    RedrawPreview();
}

void CMainWnd::OfferToSaveScan(const CPictureInfo& scanned) {
    const CString path = AskFileName(FALSE, kBitmapExtension, kSaveFilterId);
    if (path.IsEmpty())
        return;
    CWaitCursor wait;
    CExtMgr* codecs = GetExtMgr();
    if (!codecs || codecs->SaveFile(&scanned, path, kSaveBitsPerPixel, kSaveQuality) != 1)
        AppServices().MessageBox(kSaveFailedId);
}
