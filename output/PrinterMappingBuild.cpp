// Settling the paper of a template on a printer: a stored mapping, a paper of the template's name, or
// the user's choice.

#include "output/ChoosePageDialog.h"
#include "output/PaperNames.h"
#include "output/PrinterDevMode.h"
#include "output/PrinterMappingList.h"
#include "platform/base/AppServices.h"

#include <optional>

namespace {

constexpr UINT kNoPaperMessage = 31369;

bool NameMatches(const CString& paperName, const CString& templateName, CStringList* synonyms) {
    if (!synonyms)
        return paperName.CompareNoCase(templateName) == 0;
    for (POSITION pos = synonyms->GetHeadPosition(); pos;) {
        CString synonym = synonyms->GetNext(pos);
        if (paperName.CompareNoCase(synonym.Trim()) == 0)
            return true;
    }
    return false;
}

std::optional<DWORD> MatchPaper(const std::vector<CString>& names, const CString& templateName,
                                CStringList* synonyms) {
    for (size_t index = 0; index < names.size(); ++index) {
        CString name = names[index];
        if (NameMatches(name.Trim(), templateName, synonyms))
            return static_cast<DWORD>(index);
    }
    return std::nullopt;
}

} // namespace

_tPRINTER_MAPPING* CPrinterMappingList::BuildForPrinter(DEVMODE* devMode, LPCTSTR device, LPCTSTR driver,
                                                        LPCTSTR port, CString templateName) {
    templateName.Trim();
    _tPRINTER_MAPPING* stored = FindMapping(driver, templateName);
    CStringList* synonyms = FindSynonyms(templateName);
    std::unique_ptr<BYTE[]> fetched;
    if (!devMode) {
        fetched = FetchPrinterDevMode(device, driver);
        if (!fetched)
            return nullptr;
        devMode = reinterpret_cast<DEVMODE*>(fetched.get());
    }
    const std::optional<std::vector<CString>> names = ReadPaperNames(device, port, devMode);
    if (!names) {
        AppServices().MessageBox(kNoPaperMessage);
        return nullptr;
    }
    if (stored && stored->paperIndex < names->size())
        return stored;
    // The driver lost that paper since the mapping was made: settle the paper again.
    if (stored)
        RemoveMapping(stored);
    std::optional<DWORD> paperIndex = MatchPaper(*names, templateName, synonyms);
    if (!paperIndex) {
        CChoosePageDialog chooser(templateName, nullptr);
        chooser.SetPrinter(device, driver, port, devMode);
        chooser.DoModal();
        if (const int chosen = chooser.GetSelection(); chosen >= 0)
            paperIndex = static_cast<DWORD>(chosen);
    }
    if (!paperIndex) {
        AppServices().MessageBox(kNoPaperMessage);
        return nullptr;
    }
    return AddMapping(*paperIndex, driver, templateName);
}
