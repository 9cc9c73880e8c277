// The changing operations of an album. Each one prepares everything in memory first, writes the archive
// through one update that is put in place only when all of it went through, and undoes its change of the
// index in memory when the archive could not be written.
#include "image/FileHelpers.h"
#include "library/AlbumArchive.h"
#include "library/DSAlbum.h"
#include "library/DSObjMgr.h"
#include "library/xml/XmlHelpers.h"
#include "platform/base/Exception.h"

namespace {

constexpr char kIndexName[] = "index.xml";

// The OBJECT child of objects whose href equals href exactly, with its child index; null when none.
CXmlElement* FindObjectElement(CXmlElement* objects, const CString& attribute, const CString& href,
                               long& index) {
    CXmlPtr<CXmlElementCollection> items(XmlGetChildren(objects));
    const long count = XmlGetLength(items.Get());
    for (index = 0; index < count; ++index) {
        CXmlPtr<CXmlElement> item(XmlGetItemByIndex(items.Get(), index));
        CString value;
        if (XmlGetAttribute(item.Get(), attribute, value) && value == href)
            return item.Detach();
    }
    return nullptr;
}

} // namespace

bool CDSAlbum::AddObjects(CDSObj* entry) {
    if (entry == nullptr || FindObject(entry) != nullptr)
        return false;
    CDSObjMgr* manager = GetDSObjMgr();
    if (!IsIndexOpen() && manager != nullptr)
        manager->LoadAlbum(this);
    if (!IsIndexOpen())
        return false;
    const CString fileName = GetFileNamePart(manager != nullptr ? manager->GetObjectFilePath(entry) : "");
    if (entry->GetHref().IsEmpty() || IsHrefUsed(entry->GetHref())) {
        CString href;
        MakeXmlName(href, fileName);
        entry->SetHref(href);
    }
    if (entry->GetThumbnailName().IsEmpty() || IsThumbnailNameUsed(entry->GetThumbnailName())) {
        CString name;
        MakeThumbnailName(name, fileName);
        entry->SetThumbnailName(name);
    }
    if (!entry->WriteXml())
        return false;

    DWORD entrySize = 0;
    const UniqueGlobal entryXml(XmlSaveToMemory(entry->GetXmlDocument(), entrySize));
    if (!entryXml)
        return false;
    // An entry without a thumbnail is stored without one; loading it later simply finds none.
    DWORD thumbnailSize = 0;
    const UniqueGlobal thumbnail(entry->GetThumbnailBmp(thumbnailSize));

    CXmlPtr<CXmlElement> objects(GetObjectsElement());
    CXmlPtr<CXmlElement> item(XmlCreateElement(m_pIndexDocument.Get(), kXmlElementType, "OBJECT"));
    if (!objects || !item || !XmlSetAttribute(item.Get(), "href", entry->GetHref()) ||
        !XmlAddChild(objects.Get(), item.Get(), -1))
        return false;
    bool written = false;
    DWORD indexSize = 0;
    const UniqueGlobal indexXml(XmlSaveToMemory(m_pIndexDocument.Get(), indexSize));
    if (indexXml) {
        try {
            CAlbumArchive archive;
            written =
                archive.OpenForUpdate(GetArchivePath()) &&
                archive.Replace(entry->GetHref(), entryXml.get(), entrySize) &&
                (!thumbnail || archive.Replace(entry->GetThumbnailName(), thumbnail.get(), thumbnailSize)) &&
                archive.Replace(kIndexName, indexXml.get(), indexSize);
            if (written)
                archive.Commit();
        } catch (CException* e) {
            e->Delete();
            written = false;
        }
    }
    if (!written) {
        XmlRemoveChild(objects.Get(), item.Get());
        return false;
    }
    m_objects.AddTail(entry);
    return true;
}

bool CDSAlbum::RemoveObjects(CDSObj* entry) {
    CDSObjMgr* manager = GetDSObjMgr();
    if (!IsIndexOpen() && manager != nullptr)
        manager->LoadAlbum(this);
    const POSITION pos = FindObject(entry);
    if (pos == nullptr || !IsIndexOpen())
        return false;
    CXmlPtr<CXmlElement> objects(GetObjectsElement());
    long itemIndex = -1;
    CXmlPtr<CXmlElement> item(FindObjectElement(objects.Get(), "href", entry->GetHref(), itemIndex));
    if (item)
        XmlRemoveChild(objects.Get(), item.Get());
    bool written = false;
    DWORD indexSize = 0;
    const UniqueGlobal indexXml(XmlSaveToMemory(m_pIndexDocument.Get(), indexSize));
    if (indexXml) {
        try {
            CAlbumArchive archive;
            if (archive.OpenForUpdate(GetArchivePath())) {
                archive.Delete({entry->GetHref(), entry->GetThumbnailName()});
                written = archive.Replace(kIndexName, indexXml.get(), indexSize);
                if (written)
                    archive.Commit();
            }
        } catch (CException* e) {
            e->Delete();
            written = false;
        }
    }
    if (!written) {
        if (item)
            XmlAddChild(objects.Get(), item.Get(), itemIndex);
        return false;
    }
    m_objects.RemoveAt(pos);
    if (manager != nullptr)
        manager->ForgetObject(entry);
    delete entry;
    return true;
}

bool CDSAlbum::SaveObjectInfo(CDSObj* entry) {
    if (entry == nullptr)
        return false;
    CXmlPtr<CXmlElement> objects(GetObjectsElement());
    long itemIndex = -1;
    // The index is written with "href"; the lookup relies on names matching whatever their case.
    CXmlPtr<CXmlElement> item(FindObjectElement(objects.Get(), "HREF", entry->GetHref(), itemIndex));
    if (!item)
        return true;
    DWORD size = 0;
    const UniqueGlobal block(XmlSaveToMemory(entry->GetXmlDocument(), size));
    if (!block)
        return false;
    try {
        CAlbumArchive archive;
        if (!archive.OpenForUpdate(GetArchivePath()) || !archive.Replace(entry->GetHref(), block.get(), size))
            return false;
        archive.Commit();
        return true;
    } catch (CException* e) {
        e->Delete();
        return false;
    }
}

bool CDSAlbum::SaveIndex() {
    DWORD size = 0;
    const UniqueGlobal block(XmlSaveToMemory(m_pIndexDocument.Get(), size));
    if (!block)
        return false;
    try {
        CAlbumArchive archive;
        if (!archive.OpenForUpdate(GetArchivePath()) || !archive.Replace(kIndexName, block.get(), size))
            return false;
        archive.Commit();
        return true;
    } catch (CException* e) {
        e->Delete();
        return false;
    }
}

bool CDSAlbum::CreateArchive(const CString& path) {
    DWORD size = 0;
    const UniqueGlobal block(XmlSaveToMemory(m_pIndexDocument.Get(), size));
    if (!block)
        return false;
    try {
        CAlbumArchive archive;
        if (!archive.Create(path) || !archive.Replace(kIndexName, block.get(), size))
            return false;
        archive.Commit();
        return true;
    } catch (CException* e) {
        e->Delete();
        return false;
    }
}

std::vector<CDSObj*> CDSAlbum::GetOrder() const {
    std::vector<CDSObj*> order;
    order.reserve(static_cast<size_t>(m_objects.GetCount()));
    for (POSITION pos = m_objects.GetHeadPosition(); pos != nullptr;)
        order.push_back(m_objects.GetNext(pos));
    return order;
}

bool CDSAlbum::RewriteObjects(const std::vector<CDSObj*>& previousOrder) {
    ExchangeObjects(FALSE);
    if (SaveIndex())
        return true;
    m_objects.RemoveAll();
    for (CDSObj* entry : previousOrder)
        m_objects.AddTail(entry);
    ExchangeObjects(FALSE);
    return false;
}

bool CDSAlbum::MoveObjectToFront(CDSObj* entry) {
    return MoveToEnd(entry, false);
}

bool CDSAlbum::MoveObjectToBack(CDSObj* entry) {
    return MoveToEnd(entry, true);
}

bool CDSAlbum::MoveToEnd(CDSObj* entry, bool back) {
    const POSITION pos = FindObject(entry);
    if (pos == nullptr || pos == (back ? m_objects.GetTailPosition() : m_objects.GetHeadPosition()))
        return false;
    const std::vector<CDSObj*> previousOrder = GetOrder();
    m_objects.RemoveAt(pos);
    if (back)
        m_objects.AddTail(entry);
    else
        m_objects.AddHead(entry);
    return RewriteObjects(previousOrder);
}

bool CDSAlbum::MoveObjectUp(CDSObj* entry) {
    return SwapWithNeighbour(entry, false);
}

bool CDSAlbum::MoveObjectDown(CDSObj* entry) {
    return SwapWithNeighbour(entry, true);
}

bool CDSAlbum::SwapWithNeighbour(CDSObj* entry, bool next) {
    const POSITION pos = FindObject(entry);
    if (pos == nullptr || pos == (next ? m_objects.GetTailPosition() : m_objects.GetHeadPosition()))
        return false;
    const std::vector<CDSObj*> previousOrder = GetOrder();
    POSITION neighbour = pos;
    if (next)
        m_objects.GetNext(neighbour);
    else
        m_objects.GetPrev(neighbour);
    SwapSlots(pos, neighbour);
    return RewriteObjects(previousOrder);
}
