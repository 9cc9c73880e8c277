#include "page/TemplateList.h"

#include "library/DSObjMgr.h"
#include "library/ResType.h"
#include "page/Template.h"
#include "platform/base/Archive.h"
#include "platform/base/Exception.h"
#include "platform/base/File.h"
#include "platform/base/Path.h"

#include <new>

CString GetTemplateListPath() {
    CDSObjMgr* manager = GetDSObjMgr();
    const CResType* kind = manager ? manager->GetResType(kResTypePrintTemplates) : nullptr;
    if (!kind)
        return CString();
    return ResolvePathCase(manager->GetDataDir() + BackslashesToSlashes(kind->GetSubDirectory()) +
                           "/Templ.dat");
}

std::vector<CString> SplitTemplateListLine(const CString& line) {
    constexpr size_t kFields = 9;
    std::vector<CString> fields;
    int start = 0;
    while (fields.size() < kFields - 1) {
        const int separator = line.Find(';', start);
        if (separator < 0)
            break;
        fields.push_back(line.Mid(start, separator - start));
        start = separator + 1;
    }
    fields.push_back(line.Mid(start));
    return fields;
}

CString TemplateListField(const std::vector<CString>& fields, size_t number) {
    return number >= 1 && number <= fields.size() ? fields[number - 1] : CString();
}

std::unique_ptr<CTemplate> TemplateFromListFields(const std::vector<CString>& fields) {
    const auto field = [&](size_t number) { return TemplateListField(fields, number); };
    auto page = std::make_unique<CTemplate>();
    for (const int number : {1, 2, 3, 5, 6, 8})
        page->SetRecordText(number, field(static_cast<size_t>(number)));
    page->SetName(field(4));
    page->SetTitle(field(7));
    page->SetComment(field(9));
    return page;
}

TemplateFileRead ReadTemplateFile(const CString& path, CTemplate& page) {
    CFile file;
    if (path.IsEmpty() || !file.Open(ResolvePathCase(BackslashesToSlashes(path)), CFile::modeRead))
        return TemplateFileRead::kNotOpened;
    try {
        CArchive ar(&file, CArchive::load, 4096);
        page.Serialize(ar);
        ar.Close();
        return TemplateFileRead::kRead;
    } catch (CException* e) {
        e->Delete();
    } catch (const CMyException&) {
    } catch (const std::bad_alloc&) {
    }
    return TemplateFileRead::kRefused;
}
