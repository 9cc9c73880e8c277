#include "output/PrinterMappingList.h"

#include "platform/base/Profile.h"
#include "platform/base/StdioFile.h"

#include <memory>
#include <optional>

namespace {

constexpr char kSection[] = "Page Mapping";

CString DriverSection(const CString& driverName) {
    return CString(kSection) + "\\" + EscapeProfileKeyPart(driverName);
}

// A stored paper index: a decimal number that fits 32 bits, nothing else.
std::optional<DWORD> ParsePaperIndex(const CString& text) {
    if (text.IsEmpty() || text.GetLength() > 10)
        return std::nullopt;
    unsigned long long value = 0;
    for (char ch : text.view()) {
        if (ch < '0' || ch > '9')
            return std::nullopt;
        value = value * 10 + static_cast<unsigned>(ch - '0');
    }
    if (value > 0xFFFFFFFFull)
        return std::nullopt;
    return static_cast<DWORD>(value);
}

} // namespace

CPrinterMappingList::CPrinterMappingList() : CList(10), m_synonyms(10) {}

CPrinterMappingList::~CPrinterMappingList() {
    RemoveAll();
    while (!m_synonyms.IsEmpty())
        delete m_synonyms.RemoveHead();
}

_tPRINTER_MAPPING* CPrinterMappingList::FindMapping(LPCTSTR driverName, CString templateName) {
    for (POSITION pos = GetHeadPosition(); pos;) {
        _tPRINTER_MAPPING* mapping = GetNext(pos);
        if (mapping->driverName.CompareNoCase(driverName) == 0 &&
            mapping->templateName.CompareNoCase(templateName) == 0)
            return mapping;
    }
    return nullptr;
}

CStringList* CPrinterMappingList::FindSynonyms(CString name) {
    name.Trim();
    for (POSITION pos = m_synonyms.GetHeadPosition(); pos;) {
        CStringList* group = m_synonyms.GetNext(pos);
        for (POSITION inner = group->GetHeadPosition(); inner;) {
            CString synonym = group->GetNext(inner);
            if (synonym.Trim().CompareNoCase(name) == 0)
                return group;
        }
    }
    return nullptr;
}

void CPrinterMappingList::RemoveMapping(_tPRINTER_MAPPING* mapping) {
    if (POSITION pos = Find(mapping)) {
        RemoveAt(pos);
        delete mapping;
    }
}

_tPRINTER_MAPPING* CPrinterMappingList::AddMapping(DWORD paperIndex, const CString& driverName,
                                                   const CString& templateName) {
    auto* mapping = new _tPRINTER_MAPPING{paperIndex, driverName, templateName};
    mapping->templateName.Trim();
    AddTail(mapping);
    return mapping;
}

void CPrinterMappingList::RemoveAll() {
    while (!IsEmpty())
        delete RemoveHead();
}

BOOL CPrinterMappingList::Save(LPCTSTR, LPCTSTR) {
    DeleteProfileKey(kSection);
    for (POSITION pos = GetHeadPosition(); pos;) {
        const _tPRINTER_MAPPING* mapping = GetNext(pos);
        CString index;
        index.Format("%u", mapping->paperIndex);
        // Template names are escaped like key parts, so that '/' and '%' come back as they were. A mapping
        // the store refuses (an empty name) is skipped; the others are still written.
        WriteProfileString(DriverSection(mapping->driverName), EscapeProfileKeyPart(mapping->templateName),
                           index);
    }
    return TRUE;
}

BOOL CPrinterMappingList::Load(LPCTSTR, LPCTSTR) {
    const std::vector<CString> drivers = GetProfileSubkeyNames(kSection);
    if (drivers.empty() && GetProfileValueNames(kSection).empty())
        return FALSE;
    for (const CString& part : drivers) {
        const CString driverName = UnescapeProfileKeyPart(part);
        const CString section = CString(kSection) + "\\" + part;
        for (const CString& valueName : GetProfileValueNames(section)) {
            if (const auto paperIndex = ParsePaperIndex(GetProfileString(section, valueName)))
                AddMapping(*paperIndex, driverName, UnescapeProfileKeyPart(valueName));
        }
    }
    return TRUE;
}

BOOL CPrinterMappingList::LoadSynonyms(const CString& path) {
    CStdioFile file;
    if (!file.Open(path, CFile::modeRead | CFile::typeText))
        return FALSE;
    CString line;
    while (file.ReadString(line)) {
        auto group = std::make_unique<CStringList>();
        int start = 0;
        for (int end = line.Find(';'); end >= 0; start = end + 1, end = line.Find(';', start)) {
            CString name = line.Mid(start, end - start);
            group->AddTail(name.Trim());
        }
        if (!group->IsEmpty())
            m_synonyms.AddTail(group.release());
    }
    return TRUE;
}
