#include "library/Clipart.h"

#include "image/ConversionSurface.h"
#include "image/ExtMgr.h"
#include "image/FileHelpers.h"
#include "image/PictureInfo.h"
#include "platform/base/Archive.h"
#include "platform/base/File.h"
#include "platform/base/Path.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiTypes.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CClipart, CDSObj)

namespace {

constexpr int kMetafileBitsPerPixel = 24;
constexpr int kMaskBitsPerPixel = 24;
constexpr COLORREF kOpaque = RGB(255, 255, 255);

} // namespace

void CClipart::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << GetFilePath() << m_strSecondName << GetTitle() << static_cast<DWORD>(IsRelative() ? 1 : 0);
        return;
    }
    CString path;
    CString title;
    DWORD relative = 0;
    ar >> path >> m_strSecondName >> title >> relative;
    SetFilePath(path);
    SetTitle(title);
    SetRelative(relative == 1);
}

bool CClipart::IsLoaded() const {
    return m_picturePair.IsValid() != FALSE;
}

CDSObj* CClipart::Clone() const {
    auto* clipart = new CClipart;
    clipart->CopyFrom(*this);
    clipart->m_strSecondName = m_strSecondName;
    clipart->m_picturePair.Copy(m_picturePair);
    return clipart;
}

bool CClipart::LoadData() {
    if (m_picturePair.GetImage() == nullptr && !LoadPicturePair())
        return false;
    if (m_picturePair.GetMask() == nullptr)
        RebuildMask();
    return true;
}

bool CClipart::LoadPicturePair() {
    return m_picturePair.Load(GetFullPath()) != FALSE;
}

bool CClipart::RebuildMask() {
    m_picturePair.SetMask(nullptr);
    const CString path = GetFullPath();
    CExtMgr* manager = GetExtMgr();
    if (manager != nullptr && GetExtension(path).CompareNoCase("wmf") == 0) {
        CPictureInfo* mask = nullptr;
        delete manager->LoadFile(path, mask, kMetafileBitsPerPixel);
        m_picturePair.SetMask(mask);
        return mask != nullptr;
    }
    const CString maskPath = ResolvePathCase(MakeCompanionPath(path, ".msk"));
    CFileStatus maskStatus;
    if (manager != nullptr && CFile::GetStatus(maskPath, maskStatus)) {
        CPictureInfo* second = nullptr;
        CPictureInfo* mask = manager->LoadFileAs(maskPath, "bmp", second, kMaskBitsPerPixel);
        delete second;
        m_picturePair.SetMask(mask);
        return mask != nullptr;
    }
    // No mask of its own: the whole rectangle is opaque. An entry that never had its size stored takes
    // the picture's, so that the clipart can still be drawn.
    CSize size = GetSize();
    if ((size.cx <= 0 || size.cy <= 0) && m_picturePair.GetImage() != nullptr)
        size = CSize(m_picturePair.GetImage()->GetWidth(), m_picturePair.GetImage()->GetHeight());
    m_picturePair.SetMask(CPictureInfo::CreateFilled(size, kOpaque, 1));
    return m_picturePair.GetMask() != nullptr;
}

int CClipart::GetImageWidth() const {
    return IsLoaded() ? m_picturePair.GetImage()->GetWidth() : -1;
}

int CClipart::GetImageHeight() const {
    return IsLoaded() ? m_picturePair.GetImage()->GetHeight() : -1;
}

void CClipart::DrawMasked(CDC* dc, const CRect& dest, const CRect& clip, BOOL smooth) const {
    if (dc == nullptr || m_picturePair.GetImage() == nullptr)
        return;
    const CStretchModeScope mode(dc, COLORONCOLOR);
    m_picturePair.Draw(dc, dest, clip, smooth);
}

CString CClipart::GetExtension(const CString& path) {
    const int nameStart = std::max(path.ReverseFind('/'), path.ReverseFind('\\')) + 1;
    return GetFileExtension(path.Mid(nameStart));
}
