// Extraction of a CZipArchive entry to a file below a folder.
#include "library/zip/ZipArchive.h"
#include "platform/base/AtomicFileWriter.h"
#include "platform/base/FileApi.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr mode_t kFolderMode = 0777; // the umask decides, as for any folder the program makes
constexpr mode_t kWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;

// A name that stays below the folder it is extracted to: relative, without a drive, without "..".
bool IsContainedName(const CString& name) {
    if (name.IsEmpty() || name[0] == '/' || name.Find('\0') >= 0)
        return false;
    if (name.GetLength() >= 2 && name[1] == ':' && std::isalpha(static_cast<unsigned char>(name[0])))
        return false;
    for (int start = 0; start <= name.GetLength();) {
        int slash = name.Find('/', start);
        if (slash < 0)
            slash = name.GetLength();
        if (name.Mid(start, slash - start) == "..")
            return false;
        start = slash + 1;
    }
    return true;
}

CString RealPath(const CString& path) {
    char* real = realpath(path, nullptr);
    if (!real)
        return {};
    CString result(real);
    std::free(real);
    return result;
}

// Makes every missing folder of the relative path below root and checks that the deepest one, with
// symbolic links resolved, still lies below root.
bool MakeFoldersBelow(const CString& realRoot, const CString& relative) {
    CString path = realRoot;
    for (int start = 0; start < relative.GetLength();) {
        int slash = relative.Find('/', start);
        if (slash < 0)
            slash = relative.GetLength();
        const CString part = relative.Mid(start, slash - start);
        start = slash + 1;
        if (part.IsEmpty() || part == ".")
            continue;
        path += "/" + part;
        if (mkdir(path, kFolderMode) != 0 && errno != EEXIST)
            return false;
    }
    const CString real = RealPath(path);
    return real == realRoot || real.Left(realRoot.GetLength() + 1) == realRoot + "/";
}

CString FolderPart(const CString& name) {
    const int slash = name.ReverseFind('/');
    return slash < 0 ? CString() : name.Left(slash);
}

} // namespace

bool CZipArchive::ExtractFile(WORD index, LPCTSTR folder, DWORD bufferSize) {
    if (bufferSize == 0 || !folder || IsClosed() || index >= m_directory.GetCount() ||
        m_state != EntryState::None)
        return false;
    const CZipEntryHeader& header = m_directory.GetHeader(index);
    const CString name = header.GetFileName();
    const CString realRoot = RealPath(folder);
    if (!IsContainedName(name) || realRoot.IsEmpty())
        return false;
    const bool directory = header.IsDirectory();
    if (!MakeFoldersBelow(realRoot, directory ? name : FolderPart(name)))
        return false;
    if (directory)
        return true;

    const CString target = realRoot + "/" + name;
    struct stat existing;
    if (lstat(target, &existing) == 0 && !S_ISREG(existing.st_mode))
        return false; // never write through a link or over a folder
    CAtomicFileWriter writer;
    if (!writer.Open(target))
        return false;
    // The writer may pick an existing name of another letter case and follows links: the file it
    // replaces must still be below the folder.
    const CString written = writer.GetTargetPath();
    if (written.Left(realRoot.GetLength() + 1) != realRoot + "/" || !OpenEntry(index))
        return false;
    CZipByteBuffer piece;
    piece.Allocate(bufferSize);
    for (DWORD got; (got = ReadEntry(piece.GetBuffer(), bufferSize)) > 0;) {
        if (!writer.Write(piece.GetBuffer(), got)) {
            AbandonEntry();
            return false;
        }
    }
    CloseEntry();
    if (!writer.Commit())
        return false;

    const struct timespec times[2] = {{0, UTIME_NOW}, {header.GetTime(), 0}};
    if (utimensat(AT_FDCWD, written, times, 0) != 0)
        return false;
    struct stat status;
    if ((header.m_externalAttributes & FILE_ATTRIBUTE_READONLY) && stat(written, &status) == 0)
        return chmod(written, status.st_mode & ~kWriteBits) == 0;
    return true;
}
