#pragma once
// CResType: one resource kind (pictures, stencils, frames, clipart, print templates) with its folder, its
// install type and its albums: the user's albums, one zip archive each in the kind's folder, listed in
// order in the kind's "albums.dat", and the built-in albums, which exist only in memory.

#include "platform/base/Lists.h"
#include "platform/base/Object.h"
#include "platform/base/String.h"

#include <vector>

class CDSAlbum;

class CResType : public CObject {
    DECLARE_DYNAMIC(CResType)
public:
    CResType(int typeId, const CString& name, int installType);
    // Deletes the albums of both lists.
    ~CResType() override;

    int GetTypeId() const { return m_nTypeId; }
    void SetTypeId(int typeId) { m_nTypeId = typeId; }
    bool IsSameType(const CResType* other) const { return other != nullptr && other->m_nTypeId == m_nTypeId; }
    bool IsOtherType(const CResType* other) const { return !IsSameType(other); }
    const CString& GetName() const { return m_strName; }
    void SetName(const CString& name) { m_strName = name; }
    const CString& GetAlbumExtension() const { return m_strAlbumExtension; }
    void SetAlbumExtension(const CString& extension) { m_strAlbumExtension = extension; }
    // With its leading separator ("/Bilder").
    const CString& GetSubDirectory() const { return m_strSubDirectory; }
    void SetSubDirectory(const CString& subDirectory);
    int GetInstallType() const { return m_nInstallType; }
    // A lister holds the kind while it shows it.
    CResType* AddRef();
    // Gives back one reference; without one, deletes the kind unless the object manager's list owns it,
    // which deletes its kinds itself.
    void Release();
    // Called by the object manager when its list takes the kind.
    void SetOwnedByManager() { m_bOwnedByManager = true; }

    CTypedPtrList<CObList, CDSAlbum*>& GetAlbumList(bool builtIn) {
        return builtIn ? m_builtInAlbums : m_userAlbums;
    }
    bool AddAlbum(CDSAlbum* album, bool builtIn);
    bool IsSecondaryAlbum(const CDSAlbum* album) const;
    bool HasAlbum(const CDSAlbum* album) const;
    // A new empty album of the kind's album class, owned by the caller; null for kinds without albums.
    CDSAlbum* NewAlbum() const;
    // The first user album of that title, letter case ignored, or null.
    CDSAlbum* FindAlbumByTitle(const CString& title) const;

    // False when an album of either list has the title (letter case ignored).
    bool IsValidAlbumName(const CString& name) const;
    bool IsTitleUnused(const CString& name) const;
    // The name when free, else "<name> (2)", "<name> (3)" ... the first free one.
    CString MakeUniqueAlbumName(const CString& name) const;
    bool RenameAlbum(const CString& oldTitle, const CString& newTitle);
    bool RenameAlbumObject(CDSAlbum* album, const CString& newTitle);

    // "/album<n>.<extension>" with the first n from 0 for which base directory + sub-directory holds no
    // such file.
    CString MakeAlbumFileName(const CString& baseDirectory) const;
    CString GetAlbumPath(const CDSAlbum* album, const CString& dataDirectory) const;
    // In the object manager's data directory.
    CString GetAlbumFullPath(const CDSAlbum* album) const;
    // The folder of the kind's user albums and of its "albums.dat".
    CString GetAlbumFolder() const;
    // A new album with an empty index (written to a new archive for a user album), or null when the title
    // is taken, the kind has no albums or the archive cannot be made.
    CDSAlbum* CreateAlbum(const CString& name, const CString& dataDirectory, bool builtIn);
    // Deletes a user album with its archive; refused (false) while an entry is in use.
    bool DeleteAlbum(CDSAlbum* album);
    bool DeleteAlbumByTitle(const CString& title);
    // Copies the album's archive to a new album file of the kind and appends the copy to the user list.
    CDSAlbum* DuplicateAlbumFile(CDSAlbum* album);
    // Reads "albums.dat" and appends the albums whose properties can be read.
    bool LoadAlbums();
    // Replaces "albums.dat" with the user list; false when it could not be written.
    bool SaveAlbums() const;

    // Key 1 producers, key 2 titles, letter case ignored; other keys keep the order. Saves the list.
    bool SortAlbums(int key, bool ascending);
    bool MoveAlbumToFront(CDSAlbum* album);
    bool MoveAlbumUp(CDSAlbum* album);
    bool MoveAlbumDown(CDSAlbum* album);
    bool MoveAlbumToBack(CDSAlbum* album);
    // -1 when a is shown before b (user list first, then the built-in list), else 1.
    int CompareAlbumOrder(const CDSAlbum* a, const CDSAlbum* b) const;

private:
    CString GetListFilePath() const;
    bool MoveAlbum(CDSAlbum* album, bool toFront, bool oneStep);

    CString m_strAlbumExtension;
    CString m_strSubDirectory;
    CTypedPtrList<CObList, CDSAlbum*> m_userAlbums;
    CTypedPtrList<CObList, CDSAlbum*> m_builtInAlbums;
    CString m_strName;
    int m_nTypeId;
    int m_nInstallType;
    int m_nRefCount = 0;
    bool m_bOwnedByManager = false;
};

// Whether a path read from an album list names an album file: "album<n>.<extension>" behind one
// separator. Anything else could make "delete album" remove a file outside the kind's folder.
bool IsAlbumFileName(const CString& path, const CString& extension);
// The album files an album list names, in order, with '/' separators; false when it cannot be read.
bool ReadAlbumList(const CString& listPath, const CString& extension, std::vector<CString>& paths);
