#pragma once
// CDSAlbum: a named, ordered collection of entries kept on disk as one zip archive, the base of every
// album kind. The archive holds "index.xml" (the album's properties and the hrefs of its entries in album
// order), one XML document and one BMP thumbnail per entry. Every change is written to the archive before
// it returns; the zip component writes a changed archive as a copy and puts it in place only when the
// whole change went through, so a failed change leaves the album as it was, on disk and in memory.

#include "library/DSObj.h"
#include "platform/base/Lists.h"
#include "platform/base/Object.h"
#include "platform/base/String.h"
#include "platform/xml/XmlDocument.h"
#include "platform/xml/XmlElement.h"
#include "platform/xml/XmlPtr.h"

#include <vector>

class CZipArchive;

// Called once per entry while an album loads (text "") and once per entry while thumbnails load (the
// entry's thumbnail name). May be null.
using AlbumProgressCallback = void (*)(void* context, const CString& text);

class CDSAlbum : public CObject {
    DECLARE_DYNCREATE(CDSAlbum)
public:
    CDSAlbum();
    explicit CDSAlbum(const CString& path);
    // Deletes the entries and releases the index.
    ~CDSAlbum() override;

    // Reads the index and every entry's document from the archive into an unloaded album. An entry whose
    // document cannot be read is reported (message 65509) and skipped.
    virtual bool Load(AlbumProgressCallback callback = nullptr, void* context = nullptr);
    // Deletes the entries (taking them out of the object manager's list of loaded entries) and releases
    // the index.
    virtual void Unload();
    // Between the PROPERTY element of the index and the title, producer and description.
    virtual void ExchangeProperty(BOOL load);
    // Storing rebuilds OBJECTS from the list; loading does nothing.
    virtual void ExchangeObjects(BOOL load);
    // A new index in memory: ALBUM with PROPERTY and an empty OBJECTS. Nothing is written.
    virtual void CreateIndex();
    // Reads the properties and the entry count (left alone without OBJECTS) from the archive, leaving the
    // index fields untouched.
    virtual bool LoadProperties(int& count);
    // Key 1 sorts by title, letter case ignored; every key rewrites the index.
    virtual void Sort(const int& key, const bool& ascending);
    // A new empty entry of the album's kind, owned by the caller; null for the base.
    virtual CDSObj* NewObject();
    // Reads the thumbnails that the entries lack.
    virtual void LoadThumbnails(AlbumProgressCallback callback = nullptr, void* context = nullptr);

    const CString& GetTitle() const { return m_strTitle; }
    void SetTitle(const CString& title) { m_strTitle = title; }
    const CString& GetProducer() const { return m_strProducer; }
    void SetProducer(const CString& producer) { m_strProducer = producer; }
    const CString& GetDescription() const { return m_strDescription; }
    void SetDescription(const CString& description) { m_strDescription = description; }
    // The album's file reference inside its kind's folder ("/album0.zip").
    const CString& GetPath() const { return m_strPath; }
    void SetPath(const CString& path) { m_strPath = path; }
    int GetNumber() const { return m_nNumber; }
    void SetNumber(int number) { m_nNumber = number; }

    int GetObjectCount() const { return static_cast<int>(m_objects.GetCount()); }
    // Null outside 0 .. count - 1.
    CDSObj* GetObjectAt(int index) const;
    CDSObj* GetFirstObject(POSITION& pos) const;
    CDSObj* GetNextObject(POSITION& pos) const;
    CDSObj* GetHeadObject() const;
    CDSObj* GetTailObject() const;
    POSITION FindObject(CDSObj* entry) const;
    int GetObjectIndex(CDSObj* entry) const;
    CDSObj* GetObjectAfter(CDSObj* entry) const;
    CDSObj* GetObjectBefore(CDSObj* entry) const;
    // -1 when a is in the album and b lies after it; 1 when a is in the album and b does not lie after
    // it, or a is absent and b present; 0 when both are absent.
    int CompareObjectOrder(CDSObj* a, CDSObj* b) const;
    const CTypedPtrList<CObList, CDSObj*>& GetObjectList() const { return m_objects; }

    bool IsIndexOpen() const { return m_pIndexRoot && m_pIndexDocument; }
    // Loads the album when needed; true when an entry is stored relative to its kind's folder.
    bool HasRelativeObjects();
    // False while an entry is in use.
    bool IsDeletable() const;
    CDSObj* FindObjectByName(const CString& name) const;
    // The title itself when no entry has it, else "<title> (2)", "<title> (3)" ... the first free one.
    void MakeUniqueObjectName(CString& out, const CString& name) const;
    // "<name>(0).xml", "<name>(1).xml" ... the first that no entry uses as href (letter case ignored).
    void MakeXmlName(CString& out, const CString& name) const;
    // "<name>(0).thumb.bmp" ... the first that no entry uses as thumbnail name.
    void MakeThumbnailName(CString& out, const CString& name) const;

    // Adds the entry to the archive and, when that went through, to the list, which then owns it. An
    // empty or taken href or thumbnail name is replaced by a numbered one first.
    bool AddObjects(CDSObj* entry);
    // Removes the entry from the archive and the list and deletes it.
    bool RemoveObjects(CDSObj* entry);
    // Writes the entry's document back into the archive; true also when no OBJECT names it.
    bool SaveObjectInfo(CDSObj* entry);
    // Writes the index document into the archive.
    bool SaveIndex();
    // Each false when the entry is absent or already at that end; the index is rewritten after a move.
    bool MoveObjectToFront(CDSObj* entry);
    bool MoveObjectUp(CDSObj* entry);
    bool MoveObjectDown(CDSObj* entry);
    bool MoveObjectToBack(CDSObj* entry);
    // Deletes every entry; true.
    bool ClearObjects();
    // Makes a new archive at path holding the index alone; false when a file is there already or it
    // cannot be written.
    bool CreateArchive(const CString& path);

protected:
    // The album's entries in album order; owned.
    CTypedPtrList<CObList, CDSObj*>& Objects() { return m_objects; }
    // The exchange sort of the album kinds: entry i and a later entry j change places when compare(i, j)
    // says i comes after j (ascending) or before it (descending); then the index is rewritten.
    template <typename Compare>
    void ExchangeSort(const bool& ascending, Compare compare);
    // Rebuilds OBJECTS from the list and saves the index; when that fails, the list goes back to the
    // previous order so that memory and archive agree.
    bool RewriteObjects(const std::vector<CDSObj*>& previousOrder);
    std::vector<CDSObj*> GetOrder() const;
    // The archive's full path from the object manager.
    CString GetArchivePath() const;

private:
    // Swaps the list slots of two positions.
    void SwapSlots(POSITION a, POSITION b);
    // Swaps an entry with the one after it (or before it) and rewrites the index; false at the end.
    bool SwapWithNeighbour(CDSObj* entry, bool next);
    // Moves an entry to the back (or front) and rewrites the index; false when it is there already.
    bool MoveToEnd(CDSObj* entry, bool back);
    bool IsHrefUsed(const CString& href) const;
    bool IsThumbnailNameUsed(const CString& name) const;
    bool IsTitleUsed(const CString& title) const;
    // The OBJECTS element of the index with a reference for the caller.
    CXmlElement* GetObjectsElement() const;
    // The parsed index.xml: its root and the entries of its OBJECTS element (null when it has none).
    struct IndexDocument {
        CXmlPtr<CXmlDocument> document;
        CXmlPtr<CXmlElement> root;
        CXmlPtr<CXmlElementCollection> entries;
    };
    // Reads the index of the archive and takes the album's properties from it.
    bool ReadIndex(CZipArchive& archive, IndexDocument& index);
    void ReadProperties(CXmlElement* root);

    int m_nNumber = -1;
    CString m_strTitle;
    CString m_strProducer;
    CString m_strPath;
    CString m_strDescription;
    CTypedPtrList<CObList, CDSObj*> m_objects;
    CXmlPtr<CXmlElement> m_pIndexRoot;
    CXmlPtr<CXmlDocument> m_pIndexDocument;
};

template <typename Compare>
void CDSAlbum::ExchangeSort(const bool& ascending, Compare compare) {
    const std::vector<CDSObj*> previousOrder = GetOrder();
    for (POSITION i = m_objects.GetHeadPosition(); i != nullptr; m_objects.GetNext(i)) {
        POSITION j = i;
        for (m_objects.GetNext(j); j != nullptr; m_objects.GetNext(j)) {
            const int order = compare(m_objects.GetAt(i), m_objects.GetAt(j));
            if (ascending ? order > 0 : order < 0)
                SwapSlots(i, j);
        }
    }
    RewriteObjects(previousOrder);
}
