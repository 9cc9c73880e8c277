#include "library/AlbumArchive.h"

#include "platform/base/Arrays.h"
#include "platform/base/FileApi.h"
#include "platform/base/Path.h"

namespace {

std::time_t g_entryTime = 0;

} // namespace

void CAlbumArchive::SetEntryTime(std::time_t time) {
    g_entryTime = time;
}

CAlbumArchive::CAlbumArchive() {
    if (g_entryTime != 0)
        m_zip.SetClock([time = g_entryTime] { return time; });
}

CAlbumArchive::~CAlbumArchive() {
    m_zip.Close(true);
}

bool CAlbumArchive::OpenForReading(const CString& path) {
    return !path.IsEmpty() && m_zip.Open(path, CZipArchive::zipOpenReadOnly);
}

bool CAlbumArchive::OpenForUpdate(const CString& path) {
    return !path.IsEmpty() && m_zip.Open(path, CZipArchive::zipOpen);
}

bool CAlbumArchive::Create(const CString& path) {
    if (path.IsEmpty() || GetFileAttributes(ResolvePathCase(path)) != INVALID_FILE_ATTRIBUTES)
        return false;
    return m_zip.Open(path, CZipArchive::zipCreate);
}

UniqueGlobal CAlbumArchive::Extract(const CString& name, DWORD& size) {
    size = 0;
    const int index = name.IsEmpty() ? -1 : m_zip.FindFile(name);
    if (index < 0)
        return UniqueGlobal();
    return UniqueGlobal(m_zip.ExtractToMemory(static_cast<WORD>(index), size));
}

void CAlbumArchive::Delete(std::initializer_list<CString> names) {
    CStringArray list;
    for (const CString& name : names) {
        if (!name.IsEmpty())
            list.Add(name);
    }
    if (list.GetSize() > 0)
        m_zip.DeleteFiles(list);
}

bool CAlbumArchive::Replace(const CString& name, HGLOBAL block, DWORD size) {
    Delete({name});
    return m_zip.AddNewFileFromMemory(name, block, size);
}

void CAlbumArchive::Commit() {
    m_zip.Close();
}
