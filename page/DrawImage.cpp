// The picture object: construction, attachments, and where its original picture comes from.
#include "page/DrawImage.h"

#include "image/ExtMgr.h"
#include "image/PictureInfo.h"
#include "library/DSObjMgr.h"
#include "library/Mat.h"
#include "library/Stencil.h"
#include "page/Template.h"
#include "platform/base/Archive.h"
#include "platform/base/GlobalMemory.h"

#include <memory>

IMPLEMENT_SERIAL(CDrawImage, CDrawRect, 0)

namespace {

constexpr COLORREF kDefaultBrushColour = 0x0000FF;
constexpr COLORREF kDarkDefault = 0x000000;
constexpr COLORREF kLightDefault = 0xFFFFFF;
constexpr int kTrueColourMode = 3;
// Pictures that come with their own bit depth are loaded as they are.
constexpr int kFileBitsPerPixel = 0;

// The first picture object of the page (text and clipart skipped) that shows path, in any letter case.
CDrawImage* FindPictureWithPath(CTemplate* page, const CString& path) {
    if (!page)
        return nullptr;
    CDrawObjList& objects = page->GetObjectList();
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        auto* image = DYNAMIC_DOWNCAST(CDrawImage, objects.GetNext(pos));
        if (image && image->GetFilePath().CompareNoCase(path) == 0)
            return image;
    }
    return nullptr;
}

} // namespace

CDrawImage::CDrawImage() : CAdjustImage(true) {
    m_bPen = TRUE;
    m_logbrush = {0, kDefaultBrushColour, 0};
}

CDrawImage::CDrawImage(const CRect& position) : CDrawRect(position), CAdjustImage(true) {
    m_bPen = FALSE;
    m_logbrush = {0, kDefaultBrushColour, 0};
}

CDrawImage::~CDrawImage() {
    delete m_pStencil;
    delete m_pMat;
}

int CDrawImage::GetKind() {
    return kDrawKindImage;
}

void CDrawImage::PrepareRender(int) {}

void CDrawImage::SetStencil(CStencil* stencil) {
    delete m_pStencil;
    m_pStencil = stencil;
    if (m_pStencil && !m_pStencil->IsLoaded())
        m_pStencil->LoadData();
}

void CDrawImage::SetMat(CMat* mat) {
    delete m_pMat;
    m_pMat = mat;
    if (m_pMat && !m_pMat->IsLoaded())
        m_pMat->LoadData();
}

void CDrawImage::RemoveStencil() {
    delete m_pStencil;
    m_pStencil = nullptr;
}

void CDrawImage::RemoveMat() {
    delete m_pMat;
    m_pMat = nullptr;
}

BOOL CDrawImage::AttachNewStencil() {
    std::unique_ptr<CStencil> stencil(new CStencil);
    if (!stencil->LoadData())
        return FALSE;
    delete m_pStencil;
    m_pStencil = stencil.release();
    return TRUE;
}

BOOL CDrawImage::AttachNewMat() {
    std::unique_ptr<CMat> mat(new CMat);
    if (!mat->LoadData())
        return FALSE;
    delete m_pMat;
    m_pMat = mat.release();
    return TRUE;
}

void CDrawImage::Clear() {
    RemoveStencil();
    RemoveMat();
    FreeOriginalDib();
    SetFilePath(CString());
    FreeAdjustedDib();
    FreeRotatedDib();
}

BOOL CDrawImage::SetOriginalPicture(CPictureInfo* picture, BOOL rebuild) {
    if (!picture)
        return TRUE;
    SetOriginalDib(picture);
    FreeAdjustedDib();
    if (rebuild)
        return Rebuild(true) ? TRUE : FALSE;
    return TRUE;
}

BOOL CDrawImage::RebuildAdjusted(BYTE flag) {
    FreeAdjustedDib();
    if (GetOriginalDib())
        ApplyAdjustments(flag != 0, true);
    return TRUE;
}

CPictureInfo* CDrawImage::LoadPictureFile(const CString& path) {
    CExtMgr* manager = GetExtMgr();
    if (!manager)
        return nullptr;
    CPictureInfo* second = nullptr;
    std::unique_ptr<CPictureInfo> loaded(manager->LoadFile(path, second, kFileBitsPerPixel));
    delete second;
    if (!loaded || !loaded->IsValid())
        return nullptr;
    if (loaded->Is24Bit())
        return loaded.release();
    return loaded->ConvertTo24Bit();
}

BOOL CDrawImage::LoadOriginalFromPath() {
    CPictureInfo* picture = LoadPictureFile(GetFilePath());
    if (!picture)
        return FALSE;
    SetOriginalDib(picture);
    picture->Release();
    return TRUE;
}

BOOL CDrawImage::SharePictureOf(const CString& path, bool resetSettings, BYTE rebuild) {
    CDrawImage* shown = FindPictureWithPath(m_pTemplate, path);
    if (shown == this)
        return resetSettings ? TRUE : RebuildAdjusted(rebuild);
    if (shown) {
        if (GetFilePath().CompareNoCase(path) != 0) {
            FreeOriginalDib();
            SetOriginalDib(shown->GetOriginalDib());
            SetFilePath(shown->GetFilePath());
        }
    } else {
        FreeOriginalDib();
        FreeAdjustedDib();
        SetFilePath(path);
        if (!LoadOriginalFromPath())
            return FALSE;
    }
    if (resetSettings) {
        ResetSettings();
        SetTwoColors(kDarkDefault, kLightDefault);
    }
    return RebuildAdjusted(rebuild);
}

BOOL CDrawImage::SetImageFile(const CString& path, BYTE rebuild) {
    return SharePictureOf(path, false, rebuild);
}

BOOL CDrawImage::SetPhoto(CDSObj* entry) {
    if (!entry)
        return TRUE;
    CDSObjMgr* manager = GetDSObjMgr();
    const CString path = manager ? manager->GetObjectFilePath(entry) : CString();
    delete entry;
    return SharePictureOf(path, true, FALSE);
}

BOOL CDrawImage::SetPictureFromTempFile(HGLOBAL block) {
    FreeOriginalDib();
    std::unique_ptr<CPictureInfo> read(ReadFileToMemory(block));
    if (!read)
        return FALSE;
    std::unique_ptr<CPictureInfo> converted(read->ConvertTo24Bit());
    if (!converted)
        return FALSE;
    colourMode = kTrueColourMode;
    if (converted->GetHeader()->biCompression != BI_RGB)
        return FALSE;
    CPictureInfo* picture = converted.release();
    SetOriginalDib(picture);
    picture->Release();
    return TRUE;
}

BOOL CDrawImage::HasValidAdjusted() const {
    const CPictureInfo* adjusted = GetAdjustedDib();
    return adjusted && adjusted->IsValid() ? TRUE : FALSE;
}
