#include "platform/ui/ShellFolder.h"

#include <QCollator>
#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QMimeDatabase>
#include <QStandardPaths>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char kDesktopName[] = "Desktop";
constexpr char kHomeKey[] = "home";
constexpr char kRootKey[] = "root";

std::vector<CString>* g_volumeFoldersForTesting = nullptr;

// One child of the root: the id it is known by, its folder and the name the tree shows.
struct RootEntry {
    CString id;
    CString path;
    CString name;
};

CString ToCString(const QString& text) {
    return CString(text.toUtf8().constData());
}

QString ToQString(const CString& text) {
    return QString::fromUtf8(text.GetString(), text.GetLength());
}

bool IsFolder(const CString& path) {
    struct stat info {};
    return stat(path.GetString(), &info) == 0 && S_ISDIR(info.st_mode);
}

CString BaseName(const CString& path) {
    return path.Mid(path.ReverseFind('/') + 1);
}

CString Join(const CString& folder, const CString& name) {
    return folder == "/" ? "/" + name : folder + "/" + name;
}

std::vector<CString> VolumeFolders() {
    if (g_volumeFoldersForTesting)
        return *g_volumeFoldersForTesting;
    const CString user = ToCString(qEnvironmentVariable("USER"));
    std::vector<CString> folders;
    if (!user.IsEmpty()) {
        folders.push_back("/media/" + user);
        folders.push_back("/run/media/" + user);
    }
    folders.push_back("/mnt");
    return folders;
}

// Children of a folder, dot-names left out; false when it cannot be read.
bool ListFolder(const CString& path, DWORD flags, std::vector<CString>& names) {
    DIR* folder = opendir(path.GetString());
    if (!folder)
        return false;
    while (const dirent* entry = readdir(folder)) {
        if (entry->d_name[0] == '.')
            continue;
        const bool isFolder = IsFolder(Join(path, entry->d_name));
        if ((isFolder && (flags & SHCONTF_FOLDERS)) || (!isFolder && (flags & SHCONTF_NONFOLDERS)))
            names.emplace_back(entry->d_name);
    }
    closedir(folder);
    return true;
}

bool HasSubfolder(const CString& path) {
    std::vector<CString> folders;
    return ListFolder(path, SHCONTF_FOLDERS, folders) && !folders.empty();
}

std::vector<RootEntry> RootEntries() {
    const CString home = ToCString(QDir::homePath());
    std::vector<RootEntry> entries = {{kHomeKey, home, "Persönlicher Ordner"}};
    for (const auto& [key, location] : {std::pair{"pictures", QStandardPaths::PicturesLocation},
                                        std::pair{"desktop", QStandardPaths::DesktopLocation}}) {
        const CString path = ToCString(QStandardPaths::writableLocation(location));
        if (!path.IsEmpty() && path != home && IsFolder(path))
            entries.push_back({key, path, BaseName(path)});
    }
    for (const CString& base : VolumeFolders()) {
        std::vector<CString> volumes;
        if (ListFolder(base, SHCONTF_FOLDERS, volumes))
            for (const CString& volume : volumes)
                entries.push_back({"volume:" + Join(base, volume), Join(base, volume), volume});
    }
    entries.push_back({kRootKey, "/", "Dateisystem"});
    return entries;
}

class FileSystemFolder final : public CShellFolder {
public:
    FileSystemFolder(CItemIdList absolute, CString path)
        : CShellFolder(std::move(absolute)), m_path(std::move(path)) {}

    HRESULT EnumObjects(DWORD flags, std::vector<CItemIdList>& children) const override {
        std::vector<CString> names;
        if (!ListFolder(m_path, flags, names))
            return kShellCancelled;
        children.clear();
        for (CString& name : names)
            children.emplace_back(std::vector<CString>{std::move(name)});
        return S_OK;
    }

    HRESULT GetAttributesOf(const CItemIdList& child, ULONG& attributes) const override {
        const CString path = PathOf(child);
        struct stat link {};
        if (path.IsEmpty() || lstat(path.GetString(), &link) != 0)
            return kShellNotFound;
        attributes = SFGAO_FILESYSTEM;
        if (S_ISLNK(link.st_mode))
            attributes |= SFGAO_LINK;
        if (IsFolder(path))
            attributes |=
                SFGAO_FOLDER | SFGAO_FILESYSANCESTOR | (HasSubfolder(path) ? SFGAO_HASSUBFOLDER : 0);
        return S_OK;
    }

    HRESULT GetDisplayNameOf(const CItemIdList& child, DWORD kind, CString& name) const override {
        const CString path = PathOf(child);
        if (path.IsEmpty())
            return kShellNotFound;
        name = (kind & SHGDN_FORPARSING) && !(kind & SHGDN_INFOLDER) ? path : BaseName(path);
        return S_OK;
    }

    HRESULT BindToObject(const CItemIdList& child, std::shared_ptr<CShellFolder>& folder) const override {
        const CString path = PathOf(child);
        if (path.IsEmpty() || !IsFolder(path))
            return kShellNotFound;
        folder = std::make_shared<FileSystemFolder>(GetAbsoluteIdList() + child, path);
        return S_OK;
    }

protected:
    CString PathOf(const CItemIdList& child) const override {
        CString path = m_path;
        for (const CString& id : child.Ids()) {
            if (id.IsEmpty() || id == "." || id == ".." || id.Find('/') >= 0)
                return CString();
            path = Join(path, id);
        }
        return path;
    }

private:
    CString m_path;
};

class DesktopFolder final : public CShellFolder {
public:
    DesktopFolder() : CShellFolder(CItemIdList()) {}

    HRESULT EnumObjects(DWORD flags, std::vector<CItemIdList>& children) const override {
        children.clear();
        if (flags & SHCONTF_FOLDERS)
            for (const RootEntry& entry : RootEntries())
                children.emplace_back(std::vector<CString>{entry.id});
        return S_OK;
    }

    HRESULT GetAttributesOf(const CItemIdList& child, ULONG& attributes) const override {
        const RootEntry* entry = Find(child);
        if (!entry)
            return kShellNotFound;
        if (child.GetCount() > 1)
            return Bind(*entry)->GetAttributesOf(child.Rest(), attributes);
        attributes = SFGAO_FILESYSTEM | SFGAO_FOLDER | SFGAO_FILESYSANCESTOR |
                     (HasSubfolder(entry->path) ? SFGAO_HASSUBFOLDER : 0);
        return S_OK;
    }

    HRESULT GetDisplayNameOf(const CItemIdList& child, DWORD kind, CString& name) const override {
        if (child.IsEmpty()) {
            name = kDesktopName;
            return S_OK;
        }
        const RootEntry* entry = Find(child);
        if (!entry)
            return kShellNotFound;
        if (child.GetCount() > 1)
            return Bind(*entry)->GetDisplayNameOf(child.Rest(), kind, name);
        name = (kind & SHGDN_FORPARSING) && !(kind & SHGDN_INFOLDER) ? entry->path : entry->name;
        return S_OK;
    }

    HRESULT BindToObject(const CItemIdList& child, std::shared_ptr<CShellFolder>& folder) const override {
        const RootEntry* entry = Find(child);
        if (!entry || !IsFolder(entry->path))
            return kShellNotFound;
        folder = Bind(*entry);
        return child.GetCount() > 1 ? folder->BindToObject(child.Rest(), folder) : S_OK;
    }

protected:
    CString PathOf(const CItemIdList& child) const override {
        const RootEntry* entry = Find(child);
        if (!entry)
            return CString();
        CString path = entry->path;
        const CItemIdList rest = child.Rest();
        for (const CString& id : rest.Ids())
            path = Join(path, id);
        return path;
    }

private:
    const RootEntry* Find(const CItemIdList& child) const {
        if (child.IsEmpty())
            return nullptr;
        m_entries = RootEntries();
        for (const RootEntry& entry : m_entries)
            if (entry.id == child.Ids().front())
                return &entry;
        return nullptr;
    }
    static std::shared_ptr<CShellFolder> Bind(const RootEntry& entry) {
        return std::make_shared<FileSystemFolder>(CItemIdList({entry.id}), entry.path);
    }

    mutable std::vector<RootEntry> m_entries;
};

} // namespace

void SetShellVolumeFoldersForTesting(std::vector<CString>* folders) {
    g_volumeFoldersForTesting = folders;
}

CItemIdList CItemIdList::First() const {
    return m_ids.empty() ? CItemIdList() : CItemIdList(std::vector<CString>{m_ids.front()});
}

CItemIdList CItemIdList::Rest() const {
    if (m_ids.size() < 2)
        return CItemIdList();
    return CItemIdList(std::vector<CString>(m_ids.begin() + 1, m_ids.end()));
}

CItemIdList CItemIdList::Last() const {
    return m_ids.empty() ? CItemIdList() : CItemIdList(std::vector<CString>{m_ids.back()});
}

CItemIdList CItemIdList::operator+(const CItemIdList& tail) const {
    std::vector<CString> ids = m_ids;
    ids.insert(ids.end(), tail.m_ids.begin(), tail.m_ids.end());
    return CItemIdList(std::move(ids));
}

std::shared_ptr<CShellFolder> CShellFolder::GetDesktopFolder() {
    return std::make_shared<DesktopFolder>();
}

HRESULT CShellFolder::CompareIDs(LPARAM, const CItemIdList& a, const CItemIdList& b) const {
    int order = 0;
    if (m_absolute.IsEmpty() && a.GetCount() == 1 && b.GetCount() == 1) {
        // The root's children keep their fixed order.
        const std::vector<RootEntry> entries = RootEntries();
        auto indexOf = [&](const CItemIdList& id) {
            for (std::size_t i = 0; i < entries.size(); ++i)
                if (entries[i].id == id.Ids().front())
                    return static_cast<int>(i);
            return static_cast<int>(entries.size());
        };
        order = indexOf(a) - indexOf(b);
    } else {
        CString nameA, nameB;
        GetDisplayNameOf(a, SHGDN_INFOLDER, nameA);
        GetDisplayNameOf(b, SHGDN_INFOLDER, nameB);
        // Making a collator costs far more than a comparison: each thread keeps one.
        thread_local const QCollator collator = [] {
            QCollator german(QLocale(QLocale::German, QLocale::Germany));
            german.setCaseSensitivity(Qt::CaseInsensitive);
            german.setNumericMode(true);
            return german;
        }();
        order = collator.compare(ToQString(nameA), ToQString(nameB));
    }
    const int sign = order < 0 ? -1 : order > 0 ? 1 : 0;
    return static_cast<HRESULT>(static_cast<USHORT>(static_cast<SHORT>(sign)));
}

HRESULT CShellFolder::ParseDisplayName(const CString& path, CItemIdList& absolute) const {
    const QString cleaned = QDir::cleanPath(ToQString(path));
    if (!cleaned.startsWith('/') || !QFileInfo::exists(cleaned))
        return kShellNotFound;
    const CString target = ToCString(cleaned);
    const RootEntry* best = nullptr;
    const std::vector<RootEntry> entries = RootEntries();
    for (const RootEntry& entry : entries) {
        const bool holds = entry.path == "/" || target == entry.path ||
                           target.Left(entry.path.GetLength() + 1) == entry.path + "/";
        if (holds && (!best || entry.path.GetLength() > best->path.GetLength()))
            best = &entry;
    }
    std::vector<CString> ids = {best->id};
    const CString rest = target.Mid(best->path == "/" ? 1 : best->path.GetLength() + 1);
    for (int start = 0; start < rest.GetLength();) {
        int end = rest.Find('/', start);
        if (end < 0)
            end = rest.GetLength();
        ids.push_back(rest.Mid(start, end - start));
        start = end + 1;
    }
    absolute = CItemIdList(std::move(ids));
    return S_OK;
}

BOOL CShellFolder::GetIconKey(const CItemIdList& child, CString& key) const {
    const CString path = PathOf(child);
    if (path.IsEmpty())
        return FALSE;
    key = IsFolder(path) ? CString("inode/directory")
                         : ToCString(QMimeDatabase().mimeTypeForFile(ToQString(path)).name());
    return TRUE;
}

BOOL CShellFolder::ExtractIcon(const CItemIdList& child, int size, QImage& icon) const {
    const CString path = PathOf(child);
    if (path.IsEmpty())
        return FALSE;
    const QIcon shellIcon = QFileIconProvider().icon(QFileInfo(ToQString(path)));
    icon = shellIcon.pixmap(size, size).toImage();
    return icon.isNull() ? FALSE : TRUE;
}
