#pragma once
// CBrowseFileResult: what the file browser hands back, the folder and the chosen names, whole, and the
// file dialog's ways of reading them. Paths are joined with '/'.

#include "platform/base/List.h"
#include "platform/base/String.h"

#include <vector>

class CBrowseFileResult {
public:
    void SetFolder(const CString& folder) { m_folder = folder; }
    const CString& GetFolder() const { return m_folder; }
    void SetNames(std::vector<CString> names) { m_names = std::move(names); }
    const std::vector<CString>& GetNames() const { return m_names; }

    // The folder and the first name; empty without a folder or a name.
    CString FormatPath() const;
    // The first name, that name up to its last '.', and the text after that '.'.
    CString GetFileName() const;
    CString GetFileTitle() const;
    CString GetFileExt() const;

    // Walks the chosen paths: each call returns one and advances pos, null after the last. With several
    // names allowed and none given it returns the folder; with one name allowed it returns its path.
    POSITION GetStartPosition() const;
    CString GetNextPath(POSITION& pos, bool multiSelect) const;

private:
    CString m_folder;
    std::vector<CString> m_names;
};

// folder/name, with no second '/' when the folder ends in one.
CString JoinFolderAndName(const CString& folder, const CString& name);

// The names of a typed file-name text: names in double quotes followed by a blank, or one bare name.
// Empty names are dropped.
std::vector<CString> SplitTypedFileNames(const CString& text);
// The file-name text of chosen names: one name as it is, several each in double quotes and a blank.
CString JoinChosenFileNames(const std::vector<CString>& names);
