// The file browser's result: the folder and whole names, read as the file dialog's accessors read them.

#include "albums/BrowseFileResult.h"

namespace {

// Positions count names from 1, so that null stays "no more".
POSITION PositionOf(std::size_t index) {
    return reinterpret_cast<POSITION>(index + 1);
}

std::size_t IndexOf(POSITION pos) {
    return reinterpret_cast<std::size_t>(pos) - 1;
}

} // namespace

CString JoinFolderAndName(const CString& folder, const CString& name) {
    if (!folder.IsEmpty() && (folder.Right(1) == "/" || folder.Right(1) == "\\"))
        return folder + name;
    return folder + "/" + name;
}

CString CBrowseFileResult::FormatPath() const {
    if (m_folder.IsEmpty() || m_names.empty())
        return CString();
    return JoinFolderAndName(m_folder, m_names.front());
}

CString CBrowseFileResult::GetFileName() const {
    return m_names.empty() ? CString() : m_names.front();
}

CString CBrowseFileResult::GetFileTitle() const {
    const CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}

CString CBrowseFileResult::GetFileExt() const {
    const CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}

POSITION CBrowseFileResult::GetStartPosition() const {
    return m_folder.IsEmpty() ? nullptr : PositionOf(0);
}

CString CBrowseFileResult::GetNextPath(POSITION& pos, bool multiSelect) const {
    if (!pos)
        return CString();
    const std::size_t index = IndexOf(pos);
    if (m_names.empty() || (!multiSelect && index > 0)) {
        pos = nullptr;
        return m_names.empty() ? m_folder : CString();
    }
    if (!multiSelect) {
        pos = nullptr;
        return FormatPath();
    }
    if (index >= m_names.size()) {
        pos = nullptr;
        return CString();
    }
    pos = index + 1 < m_names.size() ? PositionOf(index + 1) : nullptr;
    return JoinFolderAndName(m_folder, m_names[index]);
}

std::vector<CString> SplitTypedFileNames(const CString& text) {
    CString marked = text;
    marked.Replace("\" ", "|");
    marked.Replace("\"", "|");
    marked.Replace("||", "|");
    std::vector<CString> names;
    for (int start = 0; start < marked.GetLength();) {
        int end = marked.Find('|', start);
        if (end < 0)
            end = marked.GetLength();
        if (end > start)
            names.push_back(marked.Mid(start, end - start));
        start = end + 1;
    }
    return names;
}

CString JoinChosenFileNames(const std::vector<CString>& names) {
    if (names.size() == 1)
        return names.front();
    CString text;
    for (const CString& name : names)
        text += "\"" + name + "\" ";
    return text;
}
