#pragma once
// CDSObj: one entry of an album, the base of every entry kind (photo, clipart, mat, stencil). An entry
// names a resource file on disk and carries its title, its thumbnail and a few facts about the file. In
// the album's zip archive it is a small XML document (under the entry's href) and a BMP thumbnail (under
// its thumbnail name); on pages and in projects it travels through Serialize.

#include "platform/base/Geometry.h"
#include "platform/base/Object.h"
#include "platform/base/String.h"
#include "platform/base/WinTypes.h"
#include "platform/xml/XmlDocument.h"
#include "platform/xml/XmlElement.h"
#include "platform/xml/XmlPtr.h"

class CArchive;
class CPictureInfo;
class CStringList;
class CZipArchive;

class CDSObj : public CObject {
    DECLARE_SERIAL(CDSObj)
public:
    CDSObj();
    ~CDSObj() override;

    // The title, the relative flag as a 32-bit 1 or 0, the file path. A flag read back is set only for 1.
    void Serialize(CArchive& ar) override;

    // Replaces, pair by pair in list order, every occurrence of from[i] in the file path (letter case
    // ignored) by to[i]. True when something was replaced; false, with the path unchanged, when nothing
    // matched or the lists differ in length.
    virtual bool ReplacePaths(CStringList& from, CStringList& to);
    // A new picture of the entry's file, owned by the caller; null here and when it cannot be loaded.
    virtual CPictureInfo* LoadPicture() const;
    // Whether the kind's extra data (masks, frame descriptions) is loaded; an entry without any is.
    virtual bool IsLoaded() const;
    // The title alone.
    virtual void SerializeTitle(CArchive& ar);
    // Copies the fields of the base (not the in-use flag, size, XML document); the thumbnail becomes a
    // copy of the source's. Meant for fresh entries made by Clone.
    virtual void CopyFrom(const CDSObj& source);
    // A new entry of the same kind owned by the caller; null for the base.
    virtual CDSObj* Clone() const;
    // Between the PROPERTIES element of the XML document and the fields; nothing without a document.
    virtual bool ExchangeXml(BOOL load);
    // Reads the thumbnail from the album's open archive unless a valid one is held.
    virtual bool LoadThumbnail(CZipArchive& archive);
    // Parses the entry's XML document from the first size bytes of the block (which stays the caller's)
    // and takes the fields from it.
    virtual bool ReadXml(HGLOBAL block, DWORD size);
    // Loads the kind's extra data; true for the base.
    virtual bool LoadData();

    // Builds the XML document from the fields when the entry has none yet.
    bool WriteXml();
    // The thumbnail as a BMP file image in a new movable block the caller frees; null without one.
    HGLOBAL GetThumbnailBmp(DWORD& size) const;

    const CString& GetTitle() const { return m_strTitle; }
    void SetTitle(const CString& title) { m_strTitle = title; }
    const CString& GetFilePath() const { return m_strFilePath; }
    void SetFilePath(const CString& path) { m_strFilePath = path; }
    const CString& GetThumbnailName() const { return m_strThumbnailName; }
    void SetThumbnailName(const CString& name) { m_strThumbnailName = name; }
    const CString& GetHref() const { return m_strHref; }
    void SetHref(const CString& href) { m_strHref = href; }
    // Owned by the entry.
    CPictureInfo* GetThumbnail() const { return m_pThumbnail; }
    // Takes over the picture and releases the old one.
    void SetThumbnail(CPictureInfo* thumbnail);
    bool HasThumbnail() const;
    bool IsRelative() const { return m_bRelative; }
    void SetRelative(bool relative) { m_bRelative = relative; }
    bool IsInUse() const { return m_bInUse; }
    void SetInUse(bool inUse) { m_bInUse = inUse; }
    bool IsAlbumOwned() const { return m_bAlbumOwned; }
    void SetAlbumOwned(bool albumOwned) { m_bAlbumOwned = albumOwned; }
    DWORD GetCrc() const { return m_dwCrc; }
    void SetCrc(DWORD crc) { m_dwCrc = crc; }
    // -1 until the file's information was read.
    int GetFileSize() const { return m_nFileSize; }
    const CSize& GetSize() const { return m_size; }
    int GetBitsPerPixel() const { return m_nBitsPerPixel; }
    // What the object manager read from the file's information.
    void SetImageInfo(int fileSize, const CSize& size, int bitsPerPixel);
    // The entry's document, held by the entry (no reference for the caller); null before it is read or
    // built.
    CXmlDocument* GetXmlDocument() const { return m_pXmlDocument.Get(); }
    // The file-name part of the file path.
    CString GetFileName() const;
    // The file path resolved by the object manager.
    CString GetFullPath() const;

protected:
    // The entry's file loaded at bitsPerPixel (0: the file's own depth), dropping any mask the loader
    // returns; owned by the caller, null without the managers or a path or when the file cannot be read.
    CPictureInfo* LoadEntryFile(int bitsPerPixel) const;
    // The PROPERTIES element of the entry's document with a reference for the caller, or null.
    CXmlElement* GetPropertiesElement() const;
    // The attributes every kind reads and writes, in two groups so that a kind can put its own between
    // them: "url", "thumbnail" and "title"; "relativepath" and "crc32".
    void ExchangeNames(CXmlElement* properties, BOOL load);
    void ExchangeFlags(CXmlElement* properties, BOOL load);

private:
    bool m_bRelative = false;
    bool m_bInUse = false;
    bool m_bAlbumOwned = true;
    CString m_strTitle;
    CString m_strFilePath;
    CString m_strThumbnailName;
    CString m_strHref;
    CPictureInfo* m_pThumbnail = nullptr;
    int m_nFileSize = -1;
    CSize m_size;
    int m_nBitsPerPixel = 0;
    DWORD m_dwCrc = 0;
    CXmlPtr<CXmlElement> m_pXmlRoot;
    CXmlPtr<CXmlDocument> m_pXmlDocument;
};
