#include "library/Stencil.h"

#include "image/ExtMgr.h"
#include "image/PictureInfo.h"
#include "library/DSObjMgr.h"
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
    CExtMgr* manager = GetExtMgr();
    const CString path = GetFullPath();
    if (GetDSObjMgr() == nullptr || manager == nullptr || path.IsEmpty())
        return nullptr;
    CPictureInfo* second = nullptr;
    CPictureInfo* picture = manager->LoadFile(path, second, 0);
    delete second;
    return picture;
}

bool CStencil::Reload() {
    SetPicture(nullptr);
    CExtMgr* manager = GetExtMgr();
    if (manager == nullptr)
        return true;
    CPictureInfo* second = nullptr;
    SetPicture(manager->LoadFile(GetFullPath(), second, kStencilBitsPerPixel));
    delete second;
    return true;
}

void CStencil::Draw(CDC* dc, const CRect& rect) const {
    if (dc == nullptr || m_pPicture == nullptr)
        return;
    m_pPicture->DrawStretched(dc, rect, SRCCOPY);
}
