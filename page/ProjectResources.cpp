// What a normal-mode project names in the resource library: its stencil, its mat and its print template.
#include "library/DSObjMgr.h"
#include "library/Mat.h"
#include "library/ResType.h"
#include "library/Stencil.h"
#include "page/Project.h"
#include "page/Template.h"
#include "platform/base/AppServices.h"
#include "platform/base/Archive.h"
#include "platform/base/ArchiveException.h"
#include "platform/base/File.h"
#include "platform/base/FileException.h"
#include "platform/base/Path.h"
#include "platform/base/StdioFile.h"

#include <filesystem>
#include <memory>
#include <new>
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

// The fields of a "Templ.dat" line split at ';', the last one holding the rest of the line after the
// eighth separator.
std::vector<CString> SplitRecord(const CString& line) {
    constexpr int kFields = 9;
    std::vector<CString> fields;
    int start = 0;
    while (static_cast<int>(fields.size()) < kFields - 1) {
        const int separator = line.Find(';', start);
        if (separator < 0)
            break;
        fields.push_back(line.Mid(start, separator - start));
        start = separator + 1;
    }
    fields.push_back(line.Mid(start));
    return fields;
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
        const std::vector<CString> fields = SplitRecord(line);
        if (fields.size() < 4 || fields[3] != name)
            continue;
        auto page = std::make_unique<CTemplate>();
        const auto field = [&](size_t number) {
            return number <= fields.size() ? fields[number - 1] : CString();
        };
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

// The page of the template file into page; false when the file cannot be opened or read.
bool ReadTemplateFile(const CString& path, CTemplate& page) {
    CFile file;
    if (!file.Open(path, CFile::modeRead))
        return false;
    try {
        CArchive ar(&file, CArchive::load, 4096);
        page.Serialize(ar);
        ar.Close();
        return true;
    } catch (CException* e) {
        e->Delete();
    } catch (const CMyException&) {
    } catch (const std::bad_alloc&) {
    }
    return false;
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
    const CString listPath =
        ResolvePathCase(manager->GetDataDir() + BackslashesToSlashes(kind->GetSubDirectory()) + "/Templ.dat");
    std::unique_ptr<CTemplate> page = FindListedTemplate(listPath, m_strTemplateName);
    if (!page || !ReadTemplateFile(file, *page))
        return nullptr;
    return page.release();
}
