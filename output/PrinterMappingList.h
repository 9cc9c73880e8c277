#pragma once
// CPrinterMappingList: for each printer driver and page template name, the driver's paper to print on,
// kept in the profile's "Page Mapping" key (one subkey per driver, one value per template name).

#include "platform/base/List.h"
#include "platform/base/Lists.h"
#include "platform/base/String.h"
#include "platform/print/DevMode.h"

struct _tPRINTER_MAPPING {
    DWORD paperIndex = 0; // position in the driver's paper lists, not a paper number
    CString driverName;
    CString templateName; // trimmed at both ends
};

// Owns its mappings: removing a node deletes the mapping it holds. Owns its synonym groups too.
class CPrinterMappingList : public CList<_tPRINTER_MAPPING*, _tPRINTER_MAPPING*> {
public:
    CPrinterMappingList();
    ~CPrinterMappingList() override;
    CPrinterMappingList(const CPrinterMappingList&) = delete;
    CPrinterMappingList& operator=(const CPrinterMappingList&) = delete;

    // The first mapping of that driver and template, both compared ignoring case; null when none.
    _tPRINTER_MAPPING* FindMapping(LPCTSTR driverName, CString templateName);
    // The first synonym group that holds the name (trimmed, case ignored); null when none.
    CStringList* FindSynonyms(CString name);
    // Removes the mapping from the list and deletes it.
    void RemoveMapping(_tPRINTER_MAPPING* mapping);
    // A new mapping at the end of the list.
    _tPRINTER_MAPPING* AddMapping(DWORD paperIndex, const CString& driverName, const CString& templateName);
    // The mapping of this driver and template, made when needed: the paper whose name (or a synonym of
    // the template's) equals the template name, else the one the user chooses. A stored mapping whose
    // paper the printer no longer lists is dropped and made again. Null when no paper could be found
    // (message 31369 shown). A null devMode is fetched for the call.
    _tPRINTER_MAPPING* BuildForPrinter(DEVMODE* devMode, LPCTSTR device, LPCTSTR driver, LPCTSTR port,
                                       CString templateName);
    void RemoveAll();

    // Replaces the stored mappings with the list's.
    BOOL Save(LPCTSTR company, LPCTSTR application);
    // Appends the stored mappings; FALSE when none were ever stored.
    BOOL Load(LPCTSTR company, LPCTSTR application);
    // Reads synonym groups from a text file: one group per line, each name ended by ';'. FALSE when the
    // file cannot be opened.
    BOOL LoadSynonyms(const CString& path);

private:
    CList<CStringList*, CStringList*> m_synonyms;
};
