#pragma once
// The shell namespace the file browser shows as a folder tree: the root "Desktop" holds the user's home
// ("Persönlicher Ordner"), the pictures and desktop folders where they are not the home itself, the
// mounted volumes and the whole file system ("Dateisystem"). Items are named by item-id lists: an
// absolute list names an item from the root, a relative one (one id) a child of its folder.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

#include <memory>
#include <vector>

class QImage;

// Enumeration flags.
inline constexpr DWORD SHCONTF_FOLDERS = 0x0020;
inline constexpr DWORD SHCONTF_NONFOLDERS = 0x0040;
// Attributes.
inline constexpr ULONG SFGAO_LINK = 0x00010000;
inline constexpr ULONG SFGAO_FILESYSANCESTOR = 0x10000000;
inline constexpr ULONG SFGAO_FOLDER = 0x20000000;
inline constexpr ULONG SFGAO_FILESYSTEM = 0x40000000;
inline constexpr ULONG SFGAO_HASSUBFOLDER = 0x80000000;
// Display name kinds: for parsing an absolute path, in folder the item's own name.
inline constexpr DWORD SHGDN_NORMAL = 0x0000;
inline constexpr DWORD SHGDN_INFOLDER = 0x0001;
inline constexpr DWORD SHGDN_FORADDRESSBAR = 0x4000;
inline constexpr DWORD SHGDN_FORPARSING = 0x8000;

// A folder that cannot be read.
inline constexpr HRESULT kShellCancelled = static_cast<HRESULT>(0x800704C7);
inline constexpr HRESULT kShellNotFound = static_cast<HRESULT>(0x80070002);

class CItemIdList {
public:
    CItemIdList() = default;
    explicit CItemIdList(std::vector<CString> ids) : m_ids(std::move(ids)) {}

    bool IsEmpty() const { return m_ids.empty(); }
    int GetCount() const { return static_cast<int>(m_ids.size()); }
    // The first id alone, and the list without it.
    CItemIdList First() const;
    CItemIdList Rest() const;
    CItemIdList Last() const;
    CItemIdList operator+(const CItemIdList& tail) const;
    friend bool operator==(const CItemIdList&, const CItemIdList&) = default;

    const std::vector<CString>& Ids() const { return m_ids; }

private:
    std::vector<CString> m_ids;
};

class CShellFolder {
public:
    // The root of the namespace.
    static std::shared_ptr<CShellFolder> GetDesktopFolder();
    virtual ~CShellFolder() = default;

    // The children (ids relative to this folder) that are folders, non-folders or both; dot-names are
    // left out. kShellCancelled when the folder cannot be read.
    virtual HRESULT EnumObjects(DWORD flags, std::vector<CItemIdList>& children) const = 0;
    // The attributes of a child.
    virtual HRESULT GetAttributesOf(const CItemIdList& child, ULONG& attributes) const = 0;
    // SHGDN_FORPARSING: the absolute path (for the root's children too); with SHGDN_INFOLDER the file
    // name; otherwise the name the tree shows.
    virtual HRESULT GetDisplayNameOf(const CItemIdList& child, DWORD kind, CString& name) const = 0;
    // The folder a child (or a longer relative list) stands for.
    virtual HRESULT BindToObject(const CItemIdList& child, std::shared_ptr<CShellFolder>& folder) const = 0;
    // Orders two children: the low 16 bits of the result, as a signed number, are below, at or above 0.
    // German collation, letter case ignored, digit runs by their value ("Bild 2" before "Bild 10").
    HRESULT CompareIDs(LPARAM column, const CItemIdList& a, const CItemIdList& b) const;
    // The absolute item-id list of an absolute path: under the root's child with the longest folder that
    // holds it. kShellNotFound for a path that does not exist.
    HRESULT ParseDisplayName(const CString& path, CItemIdList& absolute) const;

    // The key under which the child's icon is kept (one per kind of item), and the icon itself at a side
    // of size pixels. FALSE when there is none.
    BOOL GetIconKey(const CItemIdList& child, CString& key) const;
    BOOL ExtractIcon(const CItemIdList& child, int size, QImage& icon) const;

    // The absolute list of this folder; empty for the root.
    const CItemIdList& GetAbsoluteIdList() const { return m_absolute; }

protected:
    explicit CShellFolder(CItemIdList absolute) : m_absolute(std::move(absolute)) {}
    // The path of a child; empty when it has none.
    virtual CString PathOf(const CItemIdList& child) const = 0;

private:
    CItemIdList m_absolute;
};

// Tests name the folders whose subfolders are mounted volumes (null: the system's).
void SetShellVolumeFoldersForTesting(std::vector<CString>* folders);
