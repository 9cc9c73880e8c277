#include "image/TransPicture.h"

#include "image/ConversionSurface.h"
#include "image/ExtMgr.h"
#include "image/PictureInfo.h"
#include "platform/base/Archive.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiTypes.h"

#include <memory>

namespace {

constexpr int kFullTurn = 3600;                     // tenths of a degree
constexpr int kResizeNearest = 0;                   // resize mode of the imaging library
constexpr int kGrowToTurnedBounds = 1;              // rotation flag
constexpr COLORREF kImageFill = RGB(255, 255, 255); // white: transparent under AND
constexpr COLORREF kMaskFill = RGB(0, 0, 0);        // black: transparent under OR

void SerializePicture(CArchive& ar, CPictureInfo*& picture) {
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(picture != nullptr ? 1 : 0);
        if (picture != nullptr)
            picture->Serialize(ar);
        return;
    }
    DWORD present = 0;
    ar >> present;
    if (present != 1)
        return;
    auto loaded = std::make_unique<CPictureInfo>();
    loaded->Serialize(ar);
    picture = loaded.release();
}

} // namespace

CTransPicture::~CTransPicture() {
    Free();
}

void CTransPicture::Free() {
    SetImage(nullptr);
    SetMask(nullptr);
}

void CTransPicture::SetImage(CPictureInfo* image) {
    if (m_pImage != nullptr && m_pImage != image)
        m_pImage->Release();
    m_pImage = image;
}

void CTransPicture::SetMask(CPictureInfo* mask) {
    if (m_pMask != nullptr && m_pMask != mask)
        m_pMask->Release();
    m_pMask = mask;
}

void CTransPicture::Serialize(CArchive& ar) {
    if (ar.IsLoading())
        Free();
    SerializePicture(ar, m_pImage);
    SerializePicture(ar, m_pMask);
}

BOOL CTransPicture::Load(const CString& path) {
    Free();
    CExtMgr* manager = GetExtMgr();
    if (manager == nullptr)
        return FALSE;
    CPictureInfo* mask = nullptr;
    CPictureInfo* image = manager->LoadFile(path, mask, 0);
    SetImage(image);
    SetMask(mask);
    return image != nullptr;
}

void CTransPicture::Copy(const CTransPicture& other) {
    if (&other == this)
        return;
    Free();
    if (other.m_pImage != nullptr)
        SetImage(other.m_pImage->Clone());
    if (other.m_pMask != nullptr)
        SetMask(other.m_pMask->Clone());
}

BOOL CTransPicture::Rotate(const CTransPicture* source, const CSize& size, int tenths) {
    // Turning a pair into itself would free the source before reading it.
    if (source == this)
        return FALSE;
    Free();
    if (tenths % kFullTurn == 0)
        return TRUE;
    if (source == nullptr || !source->IsValid())
        return FALSE;
    const std::unique_ptr<CPictureInfo> scaledImage(
        source->m_pImage->FromLeadBitmap(size, 0, kResizeNearest));
    if (scaledImage != nullptr)
        SetImage(scaledImage->RotateFilled(tenths, kImageFill, 0, kGrowToTurnedBounds));
    const std::unique_ptr<CPictureInfo> scaledMask(source->m_pMask->FromLeadBitmap(size, 1, kResizeNearest));
    if (scaledMask != nullptr)
        SetMask(scaledMask->RotateFilled(tenths, kMaskFill, 0, kGrowToTurnedBounds));
    return TRUE;
}

void CTransPicture::Draw(CDC* dc, const CRect& dest, const CRect& clip, BOOL smooth) const {
    if (dc == nullptr || !IsValid())
        return;
    const CStretchModeScope mode(dc, COLORONCOLOR);
    m_pMask->DrawClipped(dc, dest, clip, SRCPAINT, smooth);
    m_pImage->DrawClipped(dc, dest, clip, SRCAND, smooth);
}
