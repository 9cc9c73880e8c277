#pragma once
// CFileFind: the files of one folder whose names match a pattern with '*' and '?', compared without
// regard to case as on Windows ("*.*" matches every name). FindFile takes the search; each FindNextFile
// moves to the next match and tells whether another one follows, so the usual loop is
//   for (BOOL more = find.FindFile(pattern); more;) { more = find.FindNextFile(); ... }
// The folder "." and ".." entries are listed where the pattern matches them, so IsDots is meaningful.

#include "platform/base/Object.h"
#include "platform/base/String.h"
#include "platform/base/Time.h"

#include <vector>

class CFileFind : public CObject {
    DECLARE_DYNAMIC(CFileFind)
public:
    CFileFind() = default;

    // pstrName is a path whose last part may hold wildcards; null means "*.*" in the current folder.
    // FALSE when nothing matches.
    virtual BOOL FindFile(LPCSTR pstrName = nullptr, DWORD dwUnused = 0);
    virtual BOOL FindNextFile();
    void Close();

    ULONGLONG GetLength() const;
    virtual CString GetFileName() const;
    virtual CString GetFilePath() const;
    virtual CString GetFileTitle() const;
    // The folder searched, ending in '/'.
    virtual CString GetRoot() const;

    BOOL GetLastWriteTime(CTime& refTime) const;
    BOOL GetLastAccessTime(CTime& refTime) const;
    BOOL GetCreationTime(CTime& refTime) const;

    // Tests of the attribute bits (FILE_ATTRIBUTE_...).
    virtual BOOL MatchesMask(DWORD dwMask) const;
    BOOL IsDots() const;
    BOOL IsReadOnly() const { return MatchesMask(0x01); }
    BOOL IsHidden() const { return MatchesMask(0x02); }
    BOOL IsDirectory() const { return MatchesMask(0x10); }
    BOOL IsArchived() const { return MatchesMask(0x20); }

private:
    struct Found {
        CString name;
        ULONGLONG length = 0;
        DWORD attributes = 0;
        CTime lastWrite;
        CTime lastAccess;
        CTime creation;
    };

    const Found* Current() const;

    CString m_root;
    std::vector<Found> m_found;
    size_t m_next = 0; // the entry FindNextFile moves to
};
