// The album: its list, its index in memory and the reading operations. The changing operations are in
// DSAlbumChanges.cpp.
#include "library/DSAlbum.h"

#include "library/AlbumArchive.h"
#include "library/DSObjMgr.h"
#include "library/xml/XmlHelpers.h"
#include "platform/base/AppServices.h"
#include "platform/base/Exception.h"

IMPLEMENT_DYNCREATE(CDSAlbum, CObject)

namespace {

constexpr UINT kIdsAlbumEntryUnreadable = 65509;

// Shows that the entry of href in the album at archivePath could not be read.
void ReportUnreadableEntry(const CString& archivePath, const CString& href) {
    CString text;
    text.Format(AppServices().LoadString(kIdsAlbumEntryUnreadable, 255), archivePath, href);
    AppServices().MessageBoxText(text, MB_OK, 0);
}

} // namespace

CDSAlbum::CDSAlbum() = default;

CDSAlbum::CDSAlbum(const CString& path) : m_strPath(path) {}

CDSAlbum::~CDSAlbum() {
    ClearObjects();
    if (CDSObjMgr* manager = GetDSObjMgr())
        manager->ForgetAlbum(this);
}

CString CDSAlbum::GetArchivePath() const {
    CDSObjMgr* manager = GetDSObjMgr();
    return manager != nullptr ? manager->GetAlbumPath(this) : CString();
}

bool CDSAlbum::ReadIndex(CZipArchive& zip, IndexDocument& index) {
    const int entry = zip.FindFile("index.xml");
    if (entry < 0)
        return false;
    DWORD size = 0;
    const UniqueGlobal block(zip.ExtractToMemory(static_cast<WORD>(entry), size));
    if (!block)
        return false;
    index.document = CXmlPtr<CXmlDocument>(XmlLoadFromMemory(block.get(), size));
    if (!index.document)
        return false;
    index.root = CXmlPtr<CXmlElement>(XmlGetRoot(index.document.Get()));
    if (!index.root)
        return false;
    ReadProperties(index.root.Get());
    CXmlPtr<CXmlElementCollection> rootChildren(XmlGetChildren(index.root.Get()));
    CXmlPtr<CXmlElement> objects(XmlGetItemByName(rootChildren.Get(), "OBJECTS"));
    index.entries = CXmlPtr<CXmlElementCollection>(XmlGetChildren(objects.Get()));
    return true;
}

void CDSAlbum::ReadProperties(CXmlElement* root) {
    CXmlPtr<CXmlElementCollection> children(XmlGetChildren(root));
    CXmlPtr<CXmlElement> property(XmlGetItemByName(children.Get(), "PROPERTY"));
    if (!property)
        return;
    m_strProducer.Empty();
    m_strTitle.Empty();
    m_strDescription.Empty();
    XmlGetAttribute(property.Get(), "producer", m_strProducer);
    XmlGetAttribute(property.Get(), "title", m_strTitle);
    XmlGetAttribute(property.Get(), "description", m_strDescription);
}

bool CDSAlbum::Load(AlbumProgressCallback callback, void* context) {
    const CString archivePath = GetArchivePath();
    try {
        CAlbumArchive archive;
        if (!archive.OpenForReading(archivePath))
            return false;
        IndexDocument index;
        if (!ReadIndex(archive.Zip(), index))
            return false;
        const long count = XmlGetLength(index.entries.Get());
        for (long i = 0; i < count; ++i) {
            CXmlPtr<CXmlElement> item(XmlGetItemByIndex(index.entries.Get(), i));
            CString href;
            XmlGetAttribute(item.Get(), "href", href);
            DWORD size = 0;
            const UniqueGlobal block = archive.Extract(href, size);
            CDSObj* entry = NewObject();
            if (entry != nullptr && block && entry->ReadXml(block.get(), size)) {
                entry->SetHref(href);
                m_objects.AddTail(entry);
            } else {
                ReportUnreadableEntry(archivePath, href);
                delete entry;
            }
            if (callback != nullptr)
                callback(context, "");
        }
        m_pIndexDocument = std::move(index.document);
        m_pIndexRoot = std::move(index.root);
        return true;
    } catch (CException* e) {
        e->Delete();
        return false;
    }
}

bool CDSAlbum::LoadProperties(int& count) {
    try {
        CAlbumArchive archive;
        if (!archive.OpenForReading(GetArchivePath()))
            return false;
        IndexDocument index;
        if (!ReadIndex(archive.Zip(), index))
            return false;
        if (index.entries)
            count = static_cast<int>(XmlGetLength(index.entries.Get()));
        return true;
    } catch (CException* e) {
        e->Delete();
        return false;
    }
}

void CDSAlbum::LoadThumbnails(AlbumProgressCallback callback, void* context) {
    try {
        CAlbumArchive archive;
        if (!archive.OpenForReading(GetArchivePath()))
            return;
        for (POSITION pos = m_objects.GetHeadPosition(); pos != nullptr;) {
            CDSObj* entry = m_objects.GetNext(pos);
            if (!entry->HasThumbnail())
                entry->LoadThumbnail(archive.Zip());
            if (callback != nullptr)
                callback(context, entry->GetThumbnailName());
        }
    } catch (CException* e) {
        // A damaged thumbnail leaves that entry and the ones after it without a picture.
        e->Delete();
    }
}

void CDSAlbum::Unload() {
    ClearObjects();
    m_pIndexRoot.Reset();
    m_pIndexDocument.Reset();
}

bool CDSAlbum::ClearObjects() {
    CDSObjMgr* manager = GetDSObjMgr();
    while (!m_objects.IsEmpty()) {
        CDSObj* entry = m_objects.RemoveHead();
        if (manager != nullptr)
            manager->ForgetObject(entry);
        delete entry;
    }
    return true;
}

void CDSAlbum::CreateIndex() {
    m_pIndexRoot.Reset();
    m_pIndexDocument.Reset();
    CXmlDocument* created = nullptr;
    if (!XmlCreateDocument(&created))
        return;
    CXmlPtr<CXmlDocument> document(created);
    XmlCreateDocumentWithRoot(document.Get(), "ALBUM");
    document->SetCharset("ISO-8859-2");
    CXmlPtr<CXmlElement> root(XmlGetRoot(document.Get()));
    CXmlPtr<CXmlElement> property(XmlCreateElement(document.Get(), kXmlElementType, "PROPERTY"));
    CXmlPtr<CXmlElement> objects(XmlCreateElement(document.Get(), kXmlElementType, "OBJECTS"));
    // A new index spells these two with capitals; every reader matches names ignoring case.
    XmlSetAttribute(property.Get(), "Producer", m_strProducer);
    XmlSetAttribute(property.Get(), "Title", m_strTitle);
    XmlSetAttribute(property.Get(), "description", m_strDescription);
    XmlAddChild(root.Get(), property.Get(), 0);
    XmlAddChild(root.Get(), objects.Get(), 0);
    m_pIndexDocument = std::move(document);
    m_pIndexRoot = std::move(root);
}

void CDSAlbum::ExchangeProperty(BOOL load) {
    CXmlPtr<CXmlElementCollection> children(XmlGetChildren(m_pIndexRoot.Get()));
    CXmlPtr<CXmlElement> property(XmlGetItemByName(children.Get(), "PROPERTY"));
    if (!property)
        return;
    if (load) {
        ReadProperties(m_pIndexRoot.Get());
        return;
    }
    XmlSetAttribute(property.Get(), "producer", m_strProducer);
    XmlSetAttribute(property.Get(), "title", m_strTitle);
    XmlSetAttribute(property.Get(), "description", m_strDescription);
}

void CDSAlbum::ExchangeObjects(BOOL load) {
    if (load || !m_pIndexRoot)
        return;
    CXmlPtr<CXmlElement> old(GetObjectsElement());
    if (old)
        XmlRemoveChild(m_pIndexRoot.Get(), old.Get());
    CXmlPtr<CXmlElement> objects(XmlCreateElement(m_pIndexDocument.Get(), kXmlElementType, "OBJECTS"));
    XmlAddChild(m_pIndexRoot.Get(), objects.Get(), 0);
    long index = 0;
    for (POSITION pos = m_objects.GetHeadPosition(); pos != nullptr;) {
        CXmlPtr<CXmlElement> item(XmlCreateElement(m_pIndexDocument.Get(), kXmlElementType, "OBJECT"));
        XmlSetAttribute(item.Get(), "href", m_objects.GetNext(pos)->GetHref());
        XmlAddChild(objects.Get(), item.Get(), index++);
    }
}

CXmlElement* CDSAlbum::GetObjectsElement() const {
    CXmlPtr<CXmlElementCollection> children(XmlGetChildren(m_pIndexRoot.Get()));
    return XmlGetItemByName(children.Get(), "OBJECTS");
}

void CDSAlbum::Sort(const int& key, const bool& ascending) {
    ExchangeSort(ascending, [key](const CDSObj* a, const CDSObj* b) {
        return key == 1 ? a->GetTitle().CompareNoCase(b->GetTitle()) : 0;
    });
}

CDSObj* CDSAlbum::NewObject() {
    return nullptr;
}

void CDSAlbum::SwapSlots(POSITION a, POSITION b) {
    CDSObj* first = m_objects.GetAt(a);
    m_objects.SetAt(a, m_objects.GetAt(b));
    m_objects.SetAt(b, first);
}

CDSObj* CDSAlbum::GetObjectAt(int index) const {
    const POSITION pos = m_objects.FindIndex(index);
    return pos != nullptr ? m_objects.GetAt(pos) : nullptr;
}

CDSObj* CDSAlbum::GetFirstObject(POSITION& pos) const {
    pos = m_objects.GetHeadPosition();
    return pos != nullptr ? m_objects.GetNext(pos) : nullptr;
}

CDSObj* CDSAlbum::GetNextObject(POSITION& pos) const {
    return pos != nullptr ? m_objects.GetNext(pos) : nullptr;
}

CDSObj* CDSAlbum::GetHeadObject() const {
    return m_objects.IsEmpty() ? nullptr : m_objects.GetHead();
}

CDSObj* CDSAlbum::GetTailObject() const {
    return m_objects.IsEmpty() ? nullptr : m_objects.GetTail();
}

POSITION CDSAlbum::FindObject(CDSObj* entry) const {
    return m_objects.Find(entry);
}

int CDSAlbum::GetObjectIndex(CDSObj* entry) const {
    int index = 0;
    for (POSITION pos = m_objects.GetHeadPosition(); pos != nullptr; ++index) {
        if (m_objects.GetNext(pos) == entry)
            return index;
    }
    return -1;
}

CDSObj* CDSAlbum::GetObjectAfter(CDSObj* entry) const {
    POSITION pos = FindObject(entry);
    if (pos == nullptr)
        return nullptr;
    m_objects.GetNext(pos);
    return pos != nullptr ? m_objects.GetAt(pos) : nullptr;
}

CDSObj* CDSAlbum::GetObjectBefore(CDSObj* entry) const {
    POSITION pos = FindObject(entry);
    if (pos == nullptr)
        return nullptr;
    m_objects.GetPrev(pos);
    return pos != nullptr ? m_objects.GetAt(pos) : nullptr;
}

int CDSAlbum::CompareObjectOrder(CDSObj* a, CDSObj* b) const {
    const POSITION posA = FindObject(a);
    if (posA == nullptr)
        return FindObject(b) != nullptr ? 1 : 0;
    return m_objects.Find(b, posA) != nullptr ? -1 : 1;
}

bool CDSAlbum::HasRelativeObjects() {
    if (!IsIndexOpen()) {
        if (CDSObjMgr* manager = GetDSObjMgr())
            manager->LoadAlbum(this);
    }
    for (POSITION pos = m_objects.GetHeadPosition(); pos != nullptr;) {
        if (m_objects.GetNext(pos)->IsRelative())
            return true;
    }
    return false;
}

bool CDSAlbum::IsDeletable() const {
    for (POSITION pos = m_objects.GetHeadPosition(); pos != nullptr;) {
        if (m_objects.GetNext(pos)->IsInUse())
            return false;
    }
    return true;
}

CDSObj* CDSAlbum::FindObjectByName(const CString& /*name*/) const {
    return nullptr;
}

bool CDSAlbum::IsHrefUsed(const CString& href) const {
    for (POSITION pos = m_objects.GetHeadPosition(); pos != nullptr;) {
        if (m_objects.GetNext(pos)->GetHref().CompareNoCase(href) == 0)
            return true;
    }
    return false;
}

bool CDSAlbum::IsThumbnailNameUsed(const CString& name) const {
    for (POSITION pos = m_objects.GetHeadPosition(); pos != nullptr;) {
        if (m_objects.GetNext(pos)->GetThumbnailName().CompareNoCase(name) == 0)
            return true;
    }
    return false;
}

bool CDSAlbum::IsTitleUsed(const CString& title) const {
    for (POSITION pos = m_objects.GetHeadPosition(); pos != nullptr;) {
        if (m_objects.GetNext(pos)->GetTitle() == title)
            return true;
    }
    return false;
}

void CDSAlbum::MakeUniqueObjectName(CString& out, const CString& name) const {
    out = name;
    for (int counter = 2; out.IsEmpty() || IsTitleUsed(out); ++counter)
        out.Format("%s (%d)", name, counter);
}

void CDSAlbum::MakeXmlName(CString& out, const CString& name) const {
    int counter = 0;
    do {
        out.Format("%s(%d).xml", name, counter++);
    } while (IsHrefUsed(out));
}

void CDSAlbum::MakeThumbnailName(CString& out, const CString& name) const {
    int counter = 0;
    do {
        out.Format("%s(%d).thumb.bmp", name, counter++);
    } while (IsThumbnailNameUsed(out));
}
