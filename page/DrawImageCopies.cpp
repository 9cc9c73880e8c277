// Copies of the picture object: whole clones for pages, copies that share the pictures, and the bare
// duplicates that undo records keep.
#include "image/PictureInfo.h"
#include "library/Mat.h"
#include "library/Stencil.h"
#include "page/DrawImage.h"
#include "page/TempFileData.h"
#include "platform/base/GlobalMemory.h"

namespace {

template <class Entry>
Entry* CloneEntry(const Entry* entry) {
    return entry ? DYNAMIC_DOWNCAST(Entry, entry->Clone()) : nullptr;
}

void KeepAlbumPath(CDSObj& copy, const CDSObj& entry) {
    copy.SetTitle(entry.GetTitle());
    copy.SetRelative(entry.IsRelative());
    copy.SetFilePath(entry.GetFilePath());
}

} // namespace

void CDrawImage::CopyInto(CDrawImage& target) const {
    CopyPenAndBrushTo(target);
    target.m_nShape = m_nShape;
    target.m_roundness = m_roundness;
    target.CAdjustImage::CopyFrom(this);
    target.m_pMat = CloneEntry(m_pMat);
    target.m_pStencil = CloneEntry(m_pStencil);
    if (!target.CopyPicturesFrom(*this))
        CopyTempFile(target.GetTempFile(), GetTempFile());
}

CDrawObj* CDrawImage::Clone() {
    auto* clone = new CDrawImage(m_position);
    CopyInto(*clone);
    return clone;
}

CDrawImage* CDrawImage::CloneWithPictures(CTemplate* owner) {
    auto* clone = new CDrawImage(m_position);
    clone->SetTemplate(owner);
    // The original first: taking it drops any adjusted picture the clone holds.
    clone->SetOriginalPicture(GetOriginalDib(), FALSE);
    CopyInto(*clone);
    return clone;
}

void CDrawImage::CopyFrom(CDrawImage* source) {
    Clear();
    if (!source)
        return;
    m_position = source->m_position;
    source->CopyInto(*this);
}

CDrawImage* CDrawImage::Duplicate() {
    auto* copy = new CDrawImage(m_position);
    CopyPenAndBrushTo(*copy);
    copy->m_nShape = m_nShape;
    copy->m_roundness = m_roundness;
    copy->CAdjustImage::CopyFrom(this);
    // The album paths stay, so that an undo can load the mat and the stencil again.
    if (m_pMat) {
        copy->m_pMat = m_pMat->CloneUnloaded();
        KeepAlbumPath(*copy->m_pMat, *m_pMat);
    }
    if (m_pStencil) {
        copy->m_pStencil = CStencil::CreateEmpty();
        KeepAlbumPath(*copy->m_pStencil, *m_pStencil);
    }
    return copy;
}

BOOL CDrawImage::WriteImageData(HGLOBAL* block, DWORD* size) {
    if (!block || !*block)
        return TRUE;
    if (GetTempFile() == INVALID_HANDLE_VALUE)
        return FALSE;
    const CGlobalLock lock(*block);
    if (!lock.Bytes() || *size > lock.Size())
        return FALSE;
    return RewriteTempFile(GetTempFile(), lock.Bytes(), *size) ? TRUE : FALSE;
}
