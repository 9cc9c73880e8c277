#pragma once
// CDSObjMgr: the one resource object manager. It owns the resource kinds, reads the library's settings
// (section "Settings" of the profile), turns the stored paths of albums, entries and resource files into
// full paths by each kind's install type, creates entries of a kind, and keeps the last loaded albums
// and entries. The application creates it at start-up; GetDSObjMgr reaches it from everywhere.
//
// Folders: the data directory is "DataPath" itself when that is absolute (begins with '/'), else program
// folder + "DataPath" (a value from Windows, "\Data"); the install data directory is "InstallPath" itself
// when "DataPath" is absolute, else "InstallPath" + "DataPath". Stored parts carry their own leading
// separator and are joined by plain concatenation; every stored path may use '\' and is read with '/'.

#include "library/DSAlbum.h"
#include "library/ObjMgr.h"
#include "platform/base/Lists.h"
#include "platform/base/String.h"

#include <map>
#include <vector>

class CResType;

// Resource kinds by type id.
inline constexpr int kResTypePictures = 0;
inline constexpr int kResTypeStencils = 1;
inline constexpr int kResTypeFrames = 2;
inline constexpr int kResTypeClipart = 3;
inline constexpr int kResTypePrintTemplates = 4;
inline constexpr int kResTypeTextFiles = 12;

// Install types: where a kind's files are found.
inline constexpr int kInstallData = 0;        // the data directory
inline constexpr int kInstallProgramData = 1; // the install data directory
inline constexpr int kInstallEither = 2; // the data directory when the file is there, else the install one

// One line of the resource manager's choice lists.
struct ItemChoice {
    int id = 0;
    CString caption;
};

class CDSObjMgr : public CObjMgr {
    DECLARE_DYNAMIC(CDSObjMgr)
public:
    static constexpr int kAlbumCacheLimit = 5;
    static constexpr int kObjectCacheLimit = 20;
    static constexpr int kThumbnailSide = 100;

    // Reads "DataPath" and the program folder and becomes the manager that GetDSObjMgr returns.
    CDSObjMgr();
    // Deletes the kinds with their albums.
    ~CDSObjMgr() override;

    // Reads the install path and the kinds with their albums from "Settings"; true.
    bool LoadInstallSettings();

    CTypedPtrList<CPtrList, CResType*>& GetResTypeList() { return m_resTypes; }
    // The first kind of that type id, or null.
    CResType* GetResType(int typeId) const;
    CResType* GetResTypeOfAlbum(const CDSAlbum* album) const;
    CResType* GetResTypeOfObject(const CDSObj* entry) const;
    CTypedPtrList<CObList, CDSAlbum*>* GetAlbumList(CResType* kind, bool builtIn) const;
    bool UsesInstallDirectory() const;

    CString GetAppDir() const { return m_strAppDir; }
    CString GetInstallPath() const { return m_strInstallPath; }
    CString GetDataDir() const;
    CString GetInstallDataDir() const;

    // The entry's file: its stored path as it is, or for a relative entry composed by its kind's install
    // type; empty for a null entry or an unknown install type.
    CString GetObjectFilePath(const CDSObj* entry) const;
    // The name composed by the kind's install type (resolve), or the name unchanged.
    CString GetResourceFilePath(const CResType* kind, const CString& name, bool resolve) const;
    // The path of an existing file for a template or frame name; empty when none is found.
    CString FindResourceFile(const CResType* kind, const CString& name) const;
    // A new, empty file "<n>.bmp" with the first free number in the pictures folder; its path, or empty.
    CString MakeNumberedBitmapPath() const;
    CString GetObjectPath(const CDSObj* entry) const;
    // The full path of the album's archive.
    CString GetAlbumPath(const CDSAlbum* album) const;

    CDSAlbum* CreateAlbum(CResType* kind, const CString& name);
    bool DeleteAlbum(CDSAlbum* album);
    bool RenameAlbum(CResType* kind, const CString& oldTitle, const CString& newTitle);
    CDSAlbum* DuplicateAlbumFile(CDSAlbum* album);
    bool IsTitleUnused(CResType* kind, const CString& name) const;
    CString MakeAlbumFileName(CResType* kind) const;
    // Loads an album and keeps it among the last kAlbumCacheLimit loaded ones; true for null.
    bool LoadAlbum(CDSAlbum* album, AlbumProgressCallback callback = nullptr, void* context = nullptr);
    // The album whose entries a window shows (its tiles or items hold them): loading others never unloads
    // it. One album per window; null when it shows none.
    void SetShownAlbum(const void* window, const CDSAlbum* album);
    // Writes the current photo album's path to "Settings"/"PhotoAlbum".
    bool SaveCurrentPhotoAlbum();
    const CTypedPtrList<CObList, CDSAlbum*>& GetLoadedAlbumList() const { return m_loadedAlbums; }

    // A new empty stencil, mat or clipart for type ids 1, 2, 3; null otherwise.
    CDSObj* NewEntryOfKind(CResType* kind) const;
    // A new entry of the kind, owned by the caller unless keepAlbumOwned; stored relative when path lies
    // in the kind's folder in the data directory. With fromFile its thumbnail, names and CRC-32 come from
    // the file at path; null when no codec plug-in opens the file.
    CDSObj* NewObjectOfKind(CResType* kind, bool keepAlbumOwned, bool fromFile, const CString& path);
    CDSObj* CloneObject(const CDSObj* entry) const;
    // Deletes an entry that no album owns; false for null.
    bool DeleteObject(CDSObj* entry);
    bool VerifyObjectCrc(const CDSObj* entry) const;
    bool UpdateObjectCrc(CDSObj* entry) const;
    // Reads file size, picture size and depth of the entry's file unless known (or forced).
    bool ReadImageInfo(CDSObj* entry, bool force) const;
    // Loads the entry's extra data and keeps an album's entry among the last kObjectCacheLimit ones.
    bool LoadObject(CDSObj* entry);
    CObList& GetLoadedObjectList() { return m_loadedObjects; }

    void GetItemChoices(const CObject* item, std::vector<ItemChoice>& choices) const;
    // The open dialog's filter for the kind's files.
    CString GetFileFilter(const CResType* kind, bool withAllEntry) const;
    CDSObj* GetDefaultObject(const CResType* kind) const;

    // Albums and entries going away leave the caches and the current album.
    void ForgetAlbum(const CDSAlbum* album);
    void ForgetObject(const CDSObj* entry);

    // The built-in album titles (strings 31548, 31447, 31448, 31549).
    const CString& GetBuiltInTitle(int index) const { return m_strBuiltInTitles[index]; }

private:
    // Appends the kind's user albums (user pass) or its built-in albums.
    bool BuildAlbums(CResType* kind, bool builtIn);
    void LoadKind(int typeId, LPCTSTR installTypeValue, LPCTSTR nameValue, UINT nameStringId,
                  LPCTSTR folderValue);
    // Appends a new kind to the list, which owns it from then on.
    void AddKind(CResType* kind);
    bool IsShown(const CDSAlbum* album) const;
    // The folder of the kind's files for a relative name by install type; name decides for type 2.
    CString ComposeKindPath(const CResType* kind, const CString& name) const;

    CTypedPtrList<CPtrList, CResType*> m_resTypes;
    CTypedPtrList<CObList, CDSAlbum*> m_loadedAlbums;
    CObList m_loadedObjects;
    std::map<const void*, const CDSAlbum*> m_shownAlbums; // by window
    CString m_strDataPath;
    bool m_bAbsoluteDataPath = false;
    CString m_strBuiltInTitles[4];
};

// The manager the program created, or null.
CDSObjMgr* GetDSObjMgr();
