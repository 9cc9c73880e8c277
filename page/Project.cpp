// The project's archive stream in its two forms.
#include "page/Project.h"

#include "page/DrawClipart.h"
#include "page/DrawImage.h"
#include "page/DrawText.h"
#include "page/Template.h"
#include "platform/base/AppServices.h"
#include "platform/base/Archive.h"
#include "platform/base/ArchiveException.h"
#include "platform/base/Exception.h"
#include "platform/base/Path.h"

#include <memory>

IMPLEMENT_DYNCREATE(CProject, CObject)

namespace {

// Versions this program reads: "4" and at least two more characters.
bool IsReadableVersion(const CString& version) {
    return version.GetLength() >= 3 && version[0] == '4';
}

bool IsContentKind(int kind) {
    return kind == kDrawKindText || kind == kDrawKindImage || kind == kDrawKindClipart;
}

// A picture object's record, read with the project's version; its picture comes from its file again.
CDrawImage* LoadPicture(CArchive& ar, const CString& version, CTemplate* page) {
    auto image = std::make_unique<CDrawImage>();
    image->SerializeVersion(ar, version);
    image->SetTemplate(page);
    const CString stored = image->GetFilePath();
    image->SetFilePath(CString());
    const CString path = CProject::LocalFilePath(stored);
    if (!path.IsEmpty())
        image->SetImageFile(path, TRUE);
    else
        image->SetFilePath(stored);
    return image.release();
}

CDrawObj* LoadEntry(CArchive& ar, DWORD kind, const CString& version, CTemplate* page) {
    switch (kind) {
    case kDrawKindText: {
        auto text = std::make_unique<CDrawText>();
        text->Serialize(ar);
        text->SetTemplate(page);
        return text.release();
    }
    case kDrawKindImage:
        return LoadPicture(ar, version, page);
    case kDrawKindClipart: {
        auto clipart = std::make_unique<CDrawClipart>();
        clipart->Serialize(ar);
        clipart->RebuildRotated();
        return clipart.release();
    }
    default:
        // Nothing tells how long the entry is: the rest cannot be read.
        AfxThrowArchiveException(CArchiveException::generic);
    }
}

} // namespace

CProject::CProject() : m_strVersion(AppServices().GetVersionTag()) {}

CProject::~CProject() = default;

bool CProject::IsTemplateVersion(const CString& version) {
    if (version.IsEmpty())
        return false;
    const char last = version[version.GetLength() - 1];
    return last == 'b' || last == '2';
}

CSize CProject::GetPageSize() const {
    return m_pTemplate ? m_pTemplate->GetPageSize() : CSize(0, 0);
}

void CProject::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        Store(ar);
    else
        Load(ar);
}

void CProject::Store(CArchive& ar) {
    ar << m_strVersion;
    if (IsTemplateVersion(m_strVersion)) {
        if (m_pTemplate)
            StorePage(ar);
        return;
    }
    ar << m_strPicturePath << m_strTemplateName << m_strStencilPath << m_strMatPath;
    m_adjustments.SerializeSettings(ar, m_strVersion);
    ar << static_cast<DWORD>(m_bStencilRelative ? 1 : 0) << static_cast<DWORD>(m_bMatRelative ? 1 : 0);
}

void CProject::StorePage(CArchive& ar) {
    CDrawObjList& objects = m_pTemplate->GetObjectList();
    // Only texts, pictures and clipart have a kind a reader knows; other shapes are not written.
    DWORD count = 0;
    for (POSITION pos = objects.GetHeadPosition(); pos;)
        count += IsContentKind(objects.GetNext(pos)->GetKind()) ? 1 : 0;
    const CSize size = m_pTemplate->GetPageSize();
    ar << m_pTemplate->GetName() << static_cast<DWORD>(size.cx) << static_cast<DWORD>(size.cy)
       << static_cast<DWORD>(m_pTemplate->GetOrientation()) << count;
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        CDrawObj* object = objects.GetNext(pos);
        const int kind = object->GetKind();
        if (!IsContentKind(kind))
            continue;
        ar << static_cast<DWORD>(kind);
        if (kind == kDrawKindImage)
            static_cast<CDrawImage*>(object)->SerializeVersion(ar, m_strVersion);
        else
            object->Serialize(ar);
    }
}

void CProject::Load(CArchive& ar) {
    CString version;
    ar >> version;
    if (!IsReadableVersion(version))
        throw new CException();
    if (IsTemplateVersion(version)) {
        CTemplate* page = LoadPage(ar, version);
        delete m_pTemplate;
        m_pTemplate = page;
    } else {
        LoadNormal(ar, version);
    }
    m_strVersion = version;
    AppServices().SetLoadedProjectVersion(version);
}

CTemplate* CProject::LoadPage(CArchive& ar, const CString& version) const {
    auto page = std::make_unique<CTemplate>();
    CString name;
    DWORD width = 0;
    DWORD height = 0;
    DWORD orientation = 0;
    DWORD count = 0;
    ar >> name >> width >> height >> orientation >> count;
    page->SetName(name);
    page->SetPageSize(CSize(static_cast<int>(width), static_cast<int>(height)));
    page->SetOrientation(static_cast<int>(orientation));
    for (DWORD i = 0; i < count; ++i) {
        DWORD kind = 0;
        ar >> kind;
        std::unique_ptr<CDrawObj> object(LoadEntry(ar, kind, version, page.get()));
        page->GetObjectList().AddTail(object.get());
        object.release();
    }
    return page.release();
}

void CProject::LoadNormal(CArchive& ar, const CString& version) {
    CString picture;
    CString templateName;
    CString stencil;
    CString mat;
    ar >> picture >> templateName >> stencil >> mat;
    CAdjustImage adjustments(false);
    adjustments.SerializeSettings(ar, version);
    DWORD stencilRelative = 0;
    DWORD matRelative = 0;
    ar >> stencilRelative >> matRelative;
    m_strPicturePath = BackslashesToSlashes(picture);
    m_strTemplateName = templateName;
    m_strStencilPath = stencil;
    m_strMatPath = mat;
    m_adjustments.CopyFrom(&adjustments);
    m_bStencilRelative = stencilRelative == 1 ? 1 : 0;
    m_bMatRelative = matRelative == 1 ? 1 : 0;
}
