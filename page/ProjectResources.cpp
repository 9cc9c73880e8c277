// What a normal-mode project names in the resource library: its stencil, its mat and its print template.
#include "library/DSObjMgr.h"
#include "library/Mat.h"
#include "library/Stencil.h"
#include "page/Project.h"
#include "page/Template.h"
#include "page/TemplateList.h"
#include "platform/base/AppServices.h"
#include "platform/base/FileException.h"
#include "platform/base/Path.h"
#include "platform/base/StdioFile.h"

#include <filesystem>
#include <memory>
#include <vector>

namespace {

bool IsFile(const CString& path) {
    std::error_code error;
    return !path.IsEmpty() && std::filesystem::is_regular_file(path.str(), error);
}

// A new entry of the kind for a stored path; null for an empty path or one that names no file.
CDSObj* CreateEntry(int typeId, const CString& stored, bool relative) {
    CDSObjMgr* manager = GetDSObjMgr();
    CResType* kind = manager ? manager->GetResType(typeId) : nullptr;
    if (!kind || stored.IsEmpty())
        return nullptr;
    const CString path =
        relative ? manager->GetResourceFilePath(kind, stored, true) : CProject::LocalFilePath(stored);
    if (!IsFile(path))
        return nullptr;
    return manager->NewObjectOfKind(kind, false, false, path);
}

template <class Entry>
Entry* CreateEntryOf(int typeId, const CString& stored, bool relative) {
    std::unique_ptr<CDSObj> entry(CreateEntry(typeId, stored, relative));
    auto* typed = DYNAMIC_DOWNCAST(Entry, entry.get());
    if (typed)
        entry.release();
    return typed;
}

// The texts of the line whose fourth field is the name, or null; the file error is shown.
std::unique_ptr<CTemplate> FindListedTemplate(const CString& listPath, const CString& name) {
    CStdioFile list;
    CFileException error;
    if (!list.Open(listPath, CFile::modeRead, &error)) {
        char text[512] = {};
        error.GetErrorMessage(text, sizeof text);
        AppServices().MessageBoxText(text, MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    }
    CString line;
    while (list.ReadString(line)) {
        const std::vector<CString> fields = SplitTemplateListLine(line);
        if (fields.size() < 4 || fields[3] != name)
            continue;
        auto page = std::make_unique<CTemplate>();
        const auto field = [&](size_t number) { return TemplateListField(fields, number); };
        page->SetRecordText(3, field(3));
        page->SetName(name);
        page->SetRecordText(5, field(5));
        page->SetRecordText(6, field(6));
        page->SetTitle(field(7));
        page->SetRecordText(8, field(8));
        page->SetComment(field(9));
        return page;
    }
    return nullptr;
}

} // namespace

CString CProject::LocalFilePath(const CString& stored) {
    const CString path = BackslashesToSlashes(stored);
    if (path.IsEmpty() || path[0] != '/')
        return CString();
    return ResolvePathCase(path);
}

CStencil* CProject::CreateStencil() const {
    return CreateEntryOf<CStencil>(kResTypeStencils, m_strStencilPath, m_bStencilRelative != 0);
}

CMat* CProject::CreateMat() const {
    return CreateEntryOf<CMat>(kResTypeFrames, m_strMatPath, m_bMatRelative != 0);
}

CTemplate* CProject::LoadTemplates() const {
    CDSObjMgr* manager = GetDSObjMgr();
    const CResType* kind = manager ? manager->GetResType(kResTypePrintTemplates) : nullptr;
    if (!kind || m_strTemplateName.IsEmpty())
        return nullptr;
    const CString found = manager->FindResourceFile(kind, m_strTemplateName);
    const CString file = found.IsEmpty() ? CString() : ResolvePathCase(BackslashesToSlashes(found));
    if (!IsFile(file))
        return nullptr;
    std::unique_ptr<CTemplate> page = FindListedTemplate(GetTemplateListPath(), m_strTemplateName);
    if (!page || ReadTemplateFile(file, *page) != TemplateFileRead::kRead)
        return nullptr;
    return page.release();
}
