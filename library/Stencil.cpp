#include "library/Stencil.h"

#include "image/PictureInfo.h"
#include "platform/base/Archive.h"
#include "platform/gdi/GdiTypes.h"

IMPLEMENT_SERIAL(CStencil, CDSObj, 0)

namespace {

constexpr int kStencilBitsPerPixel = 24;

} // namespace

CStencil::~CStencil() {
    SetPicture(nullptr);
}

CStencil* CStencil::CreateEmpty() {
    return new CStencil;
}

void CStencil::SetPicture(CPictureInfo* picture) {
    delete m_pPicture;
    m_pPicture = picture;
}

bool CStencil::IsLoaded() const {
    return m_pPicture != nullptr;
}

CDSObj* CStencil::Clone() const {
    auto* stencil = new CStencil;
    stencil->SetFilePath(GetFilePath());
    stencil->SetTitle(GetTitle());
    stencil->SetRelative(IsRelative());
    if (m_pPicture != nullptr)
        stencil->SetPicture(m_pPicture->Clone());
    if (GetThumbnail() != nullptr)
        stencil->SetThumbnail(GetThumbnail()->Clone());
    return stencil;
}

bool CStencil::LoadData() {
    return IsLoaded() || Reload();
}

CPictureInfo* CStencil::LoadPicture() const {
    return LoadEntryFile(0);
}

bool CStencil::Reload() {
    SetPicture(nullptr);
    SetPicture(LoadEntryFile(kStencilBitsPerPixel));
    return true;
}

void CStencil::Draw(CDC* dc, const CRect& rect) const {
    if (dc == nullptr || m_pPicture == nullptr)
        return;
    m_pPicture->DrawStretched(dc, rect, SRCCOPY);
}
