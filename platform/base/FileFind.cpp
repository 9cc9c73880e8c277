#include "platform/base/FileFind.h"

#include "platform/base/FileApi.h"
#include "platform/base/Path.h"
#include "platform/base/TextEncoding.h"

#include <QList>
#include <QString>
#include <algorithm>
#include <dirent.h>
#include <filesystem>
#include <sys/stat.h>

IMPLEMENT_DYNAMIC(CFileFind, CObject)

namespace {

// Code points after case folding, so that '?' stands for one character and "Ä" matches "ä".
std::u32string Folded(const CString& text) {
    const std::string utf8 = StoredTextToUtf8(text.view());
    const QList<uint> points =
        QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toCaseFolded().toUcs4();
    return std::u32string(points.begin(), points.end());
}

bool Matches(std::u32string_view pattern, std::u32string_view name) {
    // Greedy matching with one point to return to for the last '*'.
    size_t p = 0;
    size_t n = 0;
    size_t starAt = std::u32string_view::npos;
    size_t resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == U'*') {
            starAt = p++;
            resumeAt = n;
        } else if (starAt != std::u32string_view::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == U'*') {
        ++p;
    }
    return p == pattern.size();
}

// Windows lets "x.*" match "x" as well, and "*.*" match every name.
bool NameMatches(const std::u32string& pattern, const CString& name) {
    const std::u32string folded = Folded(name);
    if (Matches(pattern, folded)) {
        return true;
    }
    return pattern.size() >= 2 && pattern.ends_with(U".*") &&
           Matches(std::u32string_view(pattern).substr(0, pattern.size() - 2), folded);
}

} // namespace

BOOL CFileFind::FindFile(LPCSTR pstrName, DWORD) {
    Close();
    const CString search = pstrName && *pstrName ? CString(pstrName) : CString("*.*");
    const int slash = search.ReverseFind('/');
    const CString folder = slash < 0 ? CString(".") : (slash == 0 ? CString("/") : search.Left(slash));
    const CString pattern = search.Mid(slash + 1);
    if (pattern.IsEmpty()) {
        return FALSE;
    }
    const CString onDisk = ResolvePathCase(folder);
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(onDisk.str(), error).lexically_normal();
    m_root = error ? onDisk : CString(absolute.string());
    if (!m_root.IsEmpty() && m_root[m_root.GetLength() - 1] != '/') {
        m_root += '/';
    }

    DIR* directory = ::opendir(onDisk);
    if (!directory) {
        return FALSE;
    }
    const std::u32string foldedPattern = Folded(pattern);
    while (const dirent* entry = ::readdir(directory)) {
        const CString name(entry->d_name);
        if (!NameMatches(foldedPattern, name)) {
            continue;
        }
        const CString path = onDisk + "/" + name;
        struct stat status {};
        if (::stat(path, &status) != 0 && ::lstat(path, &status) != 0) {
            continue;
        }
        Found found;
        found.name = name;
        found.length = S_ISDIR(status.st_mode) ? 0 : static_cast<ULONGLONG>(status.st_size);
        found.attributes = AttributesFromStatus(status, name);
        found.lastWrite = CTime(status.st_mtime);
        found.lastAccess = CTime(status.st_atime);
        found.creation = CTime(status.st_ctime);
        m_found.push_back(std::move(found));
    }
    ::closedir(directory);
    // Directory order is arbitrary here; a sorted listing keeps every view and test stable.
    std::sort(m_found.begin(), m_found.end(), [](const Found& a, const Found& b) { return a.name < b.name; });
    return m_found.empty() ? FALSE : TRUE;
}

BOOL CFileFind::FindNextFile() {
    if (m_next >= m_found.size()) {
        return FALSE;
    }
    ++m_next;
    return m_next < m_found.size() ? TRUE : FALSE;
}

void CFileFind::Close() {
    m_found.clear();
    m_next = 0;
    m_root.Empty();
}

const CFileFind::Found* CFileFind::Current() const {
    return m_next > 0 && m_next <= m_found.size() ? &m_found[m_next - 1] : nullptr;
}

ULONGLONG CFileFind::GetLength() const {
    const Found* found = Current();
    return found ? found->length : 0;
}

CString CFileFind::GetFileName() const {
    const Found* found = Current();
    return found ? found->name : CString();
}

CString CFileFind::GetFilePath() const {
    const Found* found = Current();
    return found ? m_root + found->name : CString();
}

CString CFileFind::GetFileTitle() const {
    const CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot <= 0 ? name : name.Left(dot);
}

CString CFileFind::GetRoot() const {
    return m_root;
}

BOOL CFileFind::GetLastWriteTime(CTime& refTime) const {
    const Found* found = Current();
    if (found) {
        refTime = found->lastWrite;
    }
    return found ? TRUE : FALSE;
}

BOOL CFileFind::GetLastAccessTime(CTime& refTime) const {
    const Found* found = Current();
    if (found) {
        refTime = found->lastAccess;
    }
    return found ? TRUE : FALSE;
}

BOOL CFileFind::GetCreationTime(CTime& refTime) const {
    const Found* found = Current();
    if (found) {
        refTime = found->creation;
    }
    return found ? TRUE : FALSE;
}

BOOL CFileFind::MatchesMask(DWORD dwMask) const {
    const Found* found = Current();
    return found && (found->attributes & dwMask) ? TRUE : FALSE;
}

BOOL CFileFind::IsDots() const {
    const Found* found = Current();
    return found && IsDirectory() && (found->name == "." || found->name == "..") ? TRUE : FALSE;
}
