#pragma once
// CExtMgr: the program's one gateway to image files. It loads every codec plug-in ("*.phl") from the
// plugins folder in sorted file-name order and sends each load, save, thumbnail, colour-depth and
// quality question to the first plug-in that lists the file's lower-case extension. Exports are looked
// up anew on every call. After LoadPlugins the lists are only read, so a worker thread may make
// thumbnails while the user-interface thread uses the manager for everything else.

#include "image/ColorDepth.h"
#include "image/PluginExt.h"
#include "platform/base/Geometry.h"

class CPictureInfo;

class CExtMgr : public CTypedPtrList<CObList, CPluginExt*> {
public:
    // Scans the program folder's plugins folder.
    CExtMgr();
    // Scans directory's plugins folder (tests and tools point it elsewhere).
    explicit CExtMgr(const CString& directory);
    // Deletes every plug-in, which frees its library.
    ~CExtMgr() override;

    void LoadPlugins();

    CPluginExt* FindPluginForOpen(const CString& extension) const;
    CPluginExt* FindPluginForSave(const CString& extension) const;

    // Each returns a new picture owned by the caller, or null. A plug-in that produces a mask deletes
    // the picture mask held and stores the new one there.
    CPictureInfo* LoadFile(const CString& path, CPictureInfo*& mask, int bitsPerPixel);
    // Reads the file with the plug-in of extension, whatever the path's own extension.
    CPictureInfo* LoadFileAs(const CString& path, const CString& extension, CPictureInfo*& mask,
                             int bitsPerPixel);
    // data: an HGLOBAL holding a whole image file of size bytes; it stays the caller's.
    CPictureInfo* LoadFromMemory(void* data, DWORD size, const CString& extension, CPictureInfo*& mask);
    CPictureInfo* CreateThumbnailForFile(const CString& path, const CSize& size, COLORREF background,
                                         int forceSize, int resample);

    // 0 when no plug-in opens the extension (or it cannot count).
    int CountColorsUsed(const CString& path);
    int CountColorsUsedInMemory(void* data, DWORD size, const CString& extension);

    // 0 for a null picture, -1 when no plug-in saves the path's extension, else the plug-in's result
    // (1 on success).
    int SaveFile(const CPictureInfo* picture, const CString& path, int bitsPerPixel, int qualityLevel);
    // 0 for a null picture or when no plug-in saves the extension; 1 on success. data receives a new
    // HGLOBAL block that the caller frees with GlobalFree.
    int SaveFileInMemory(const CPictureInfo* picture, const CString& extension, int bitsPerPixel, void*& data,
                         DWORD& size);

    // Appends the depths that the save format of extension offers, as new objects the caller deletes.
    void GetColorDepthsForExtension(CColorDepthList& depths, const CString& extension);
    bool ExtensionHasQuality(const CString& extension);

    // The filter of the open (save) dialogs: "description (*.ext)|*.ext|" for every format in load order,
    // then "|"; withAllEntry puts "Alle Grafiken |; *.ext...|" in front.
    CString BuildOpenFilter(bool withAllEntry) const;
    CString BuildSaveFilter(bool withAllEntry) const;

    // Append the lists of every loaded plug-in, in load order.
    void GetOpenExtensions(CStringList& list) const;
    void GetOpenDescriptions(CStringList& list) const;
    void GetSaveExtensions(CStringList& list) const;
    void GetSaveDescriptions(CStringList& list) const;
    // The first extension of the first loaded plug-in that lists any; empty when none does.
    CString GetFirstOpenExtension() const;
    CString GetFirstSaveExtension() const;

    CString GetDirectory() const { return m_directory; }

private:
    using ListMember = CStringList CPluginExt::*;

    CPluginExt* FindPlugin(const CString& extension, ListMember extensions) const;
    CString BuildFilter(bool withAllEntry, ListMember extensions, ListMember descriptions) const;
    void AppendLists(CStringList& list, ListMember member) const;
    CString GetFirstExtension(ListMember extensions) const;

    CString m_directory; // without a trailing slash
};

// The manager the program created (the latest one alive), or null.
CExtMgr* GetExtMgr();
