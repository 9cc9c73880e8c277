#pragma once
// The zip archive of one album for the span of one album operation. Reading opens it read-only; a change
// opens it for update and puts the changed archive in place only through Commit, so that an operation
// that fails or throws half-way (the zip component throws CZipException pointers) leaves the archive as
// it was.

#include "library/zip/ZipArchive.h"
#include "platform/base/GlobalMemory.h"
#include "platform/base/String.h"

#include <ctime>
#include <initializer_list>

class CAlbumArchive {
public:
    // Entries written from now on carry this time instead of the clock's, so that a library made twice
    // gives the same bytes; 0 goes back to the clock.
    static void SetEntryTime(std::time_t time);

    CAlbumArchive();
    // Drops uncommitted changes.
    ~CAlbumArchive();
    CAlbumArchive(const CAlbumArchive&) = delete;
    CAlbumArchive& operator=(const CAlbumArchive&) = delete;

    bool OpenForReading(const CString& path);
    bool OpenForUpdate(const CString& path);
    // Makes a new archive, replacing nothing: false when a file is already there.
    bool Create(const CString& path);
    CZipArchive& Zip() { return m_zip; }

    // The entry's bytes in a new block and their count in size, or null when there is no such entry.
    UniqueGlobal Extract(const CString& name, DWORD& size);
    // Deletes the entries of these names, letter case ignored; missing names are skipped.
    void Delete(std::initializer_list<CString> names);
    // Puts the first size bytes of the block under name in place of any entry of that name.
    bool Replace(const CString& name, HGLOBAL block, DWORD size);
    // Closes the archive, putting changes in place. Throws what the zip component throws.
    void Commit();

private:
    CZipArchive m_zip;
};
