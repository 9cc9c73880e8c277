// The page template: its "TPL" stream, its queries and the order of its objects.
#include "page/Template.h"

#include "page/DrawImage.h"
#include "page/DrawText.h"
#include "platform/base/Archive.h"

#include <algorithm>
#include <memory>
#include <unordered_set>
#include <vector>

IMPLEMENT_DYNCREATE(CTemplate, CObject)

namespace {

constexpr char kTemplateTag[] = "TPL";
// Every stored object takes at least its two-byte tag.
constexpr ULONGLONG kSmallestStoredObject = 2;

// Attaches pictures and texts to the page that now holds them.
void AttachToPage(CDrawObj* object, CTemplate* page) {
    if (auto* image = DYNAMIC_DOWNCAST(CDrawImage, object))
        image->SetTemplate(page);
    else if (auto* text = DYNAMIC_DOWNCAST(CDrawText, object))
        text->SetTemplate(page);
}

} // namespace

CTemplate::CTemplate() = default;

CTemplate::~CTemplate() {
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        CDrawObj* object = m_objects.GetNext(pos);
        delete object;
    }
    m_objects.RemoveAll();
}

void CTemplate::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << CString(kTemplateTag) << m_nPageWidth << m_nPageHeight << m_strStoredText << m_nOrientation
           << static_cast<WORD>(m_nPaperNumber);
        ar.WriteCount(m_objects.GetCount());
        for (POSITION pos = m_objects.GetHeadPosition(); pos;)
            ar.WriteObject(m_objects.GetNext(pos));
        return;
    }
    CString tag;
    ar >> tag;
    if (tag != kTemplateTag)
        throw CMyException();
    int width = 0;
    int height = 0;
    CString storedText;
    int orientation = 0;
    WORD paper = 0;
    ar >> width >> height >> storedText >> orientation >> paper;

    // Everything is read before anything changes, and what was read is freed when the stream fails.
    std::vector<std::unique_ptr<CDrawObj>> loaded;
    const DWORD_PTR count = ar.ReadCount();
    ar.EnsureRemaining(count * kSmallestStoredObject);
    std::unordered_set<CDrawObj*> seen;
    for (DWORD_PTR i = 0; i < count; ++i) {
        CObject* object = ar.ReadObject(RUNTIME_CLASS(CDrawObj));
        auto* drawObj = static_cast<CDrawObj*>(object);
        // A null entry or one object listed twice would be drawn from nothing or freed twice.
        if (!drawObj || !seen.insert(drawObj).second)
            AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
        loaded.emplace_back(drawObj);
    }
    m_nPageWidth = width;
    m_nPageHeight = height;
    m_strStoredText = storedText;
    m_nOrientation = orientation;
    m_nPaperNumber = static_cast<short>(paper);
    for (std::unique_ptr<CDrawObj>& object : loaded) {
        AttachToPage(object.get(), this);
        m_objects.AddTail(object.release());
    }
}

void CTemplate::SerializeTextRecord(CArchive& ar) {
    CString* fields[] = {&m_strText1, &m_strText2, &m_strText3, &m_strName,   &m_strText5,
                         &m_strText6, &m_strTitle, &m_strText8, &m_strComment};
    for (CString* field : fields) {
        if (ar.IsStoring())
            ar << *field;
        else
            ar >> *field;
    }
}

CString CTemplate::GetRecordText(int field) const {
    switch (field) {
    case 1:
        return m_strText1;
    case 2:
        return m_strText2;
    case 3:
        return m_strText3;
    case 5:
        return m_strText5;
    case 6:
        return m_strText6;
    case 8:
        return m_strText8;
    default:
        return {};
    }
}

void CTemplate::SetRecordText(int field, const CString& text) {
    switch (field) {
    case 1:
        m_strText1 = text;
        break;
    case 2:
        m_strText2 = text;
        break;
    case 3:
        m_strText3 = text;
        break;
    case 5:
        m_strText5 = text;
        break;
    case 6:
        m_strText6 = text;
        break;
    case 8:
        m_strText8 = text;
        break;
    default:
        break;
    }
}

CDrawObj* CTemplate::GetObjectAt(int index) const {
    const POSITION pos = index < 0 ? nullptr : m_objects.FindIndex(index);
    return pos ? m_objects.GetAt(pos) : nullptr;
}

POSITION CTemplate::FindPosition(CDrawObj* object) const {
    return object ? m_objects.Find(object) : nullptr;
}

int CTemplate::IndexOf(CDrawObj* object) const {
    int index = 0;
    for (POSITION pos = m_objects.GetHeadPosition(); pos; ++index) {
        if (m_objects.GetNext(pos) == object)
            return index;
    }
    return -1;
}

int CTemplate::GetSelectedCount() const {
    int count = 0;
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        const CDrawObj* object = m_objects.GetNext(pos);
        count += object && object->IsSelected() ? 1 : 0;
    }
    return count;
}

CDrawObj* CTemplate::GetFirstSelected() const {
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        CDrawObj* object = m_objects.GetNext(pos);
        if (object && object->IsSelected())
            return object;
    }
    return nullptr;
}

bool CTemplate::IsTextOrClipartSelected() const {
    return CDrawObj::IsTextOrClipart(GetFirstSelected()) != FALSE;
}

bool CTemplate::HasText() const {
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        if (CDrawObj::IsDrawText(m_objects.GetNext(pos)))
            return true;
    }
    return false;
}

bool CTemplate::HasClipart() const {
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        if (CDrawObj::IsDrawClipart(m_objects.GetNext(pos)))
            return true;
    }
    return false;
}

bool CTemplate::HasOnlyContentObjects() const {
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        CDrawObj* object = m_objects.GetNext(pos);
        if (!CDrawObj::IsDrawImage(object) && !CDrawObj::IsTextOrClipart(object))
            return false;
    }
    return true;
}

CDrawObj* CTemplate::HitTest(CPoint point) const {
    const CRect probe(point.x, point.y, point.x + 1, point.y + 1);
    for (POSITION pos = m_objects.GetTailPosition(); pos;) {
        CDrawObj* object = m_objects.GetPrev(pos);
        if (object && object->Intersects(probe))
            return object;
    }
    return nullptr;
}

int CTemplate::GetWidestObjectWidth() const {
    int widest = 0;
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        if (const CDrawObj* object = m_objects.GetNext(pos))
            widest = std::max(widest, std::abs(object->GetPosition().Width()));
    }
    return widest;
}

int CTemplate::GetTallestObjectHeight() const {
    int tallest = 0;
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        if (const CDrawObj* object = m_objects.GetNext(pos))
            tallest = std::max(tallest, std::abs(object->GetPosition().Height()));
    }
    return tallest;
}

void CTemplate::DrawObjects(CDC* pDC, int dx, int dy, float scale) {
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        if (CDrawObj* object = m_objects.GetNext(pos))
            object->Draw(pDC, dx, dy, scale);
    }
}

void CTemplate::ToggleSelect(CDrawObj* object) {
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        CDrawObj* current = m_objects.GetNext(pos);
        if (!current)
            continue;
        current->SetSelected(current == object ? !current->IsSelected() : FALSE);
    }
}

void CTemplate::InsertObject(CDrawObj* object, int index) {
    const int count = GetObjectCount();
    if (index != -1 && count > 0 && index >= 0 && index < count)
        m_objects.InsertBefore(m_objects.FindIndex(index), object);
    else if (index != -1 && count > 0 && index < 0)
        m_objects.AddHead(object);
    else
        m_objects.AddTail(object);
}

bool CTemplate::RemoveObject(CDrawObj* object) {
    const POSITION pos = FindPosition(object);
    if (!pos)
        return false;
    m_objects.RemoveAt(pos);
    return true;
}

void CTemplate::BringToFront(CDrawObj* object) {
    if (RemoveObject(object))
        m_objects.AddTail(object);
}

void CTemplate::SendToBack(CDrawObj* object) {
    if (RemoveObject(object))
        m_objects.AddHead(object);
}

void CTemplate::MoveForward(CDrawObj* object) {
    const POSITION pos = FindPosition(object);
    if (!pos)
        return;
    POSITION next = pos;
    m_objects.GetNext(next);
    if (!next)
        return;
    m_objects.RemoveAt(pos);
    m_objects.InsertAfter(next, object);
}

void CTemplate::MoveBackward(CDrawObj* object) {
    const POSITION pos = FindPosition(object);
    if (!pos)
        return;
    POSITION previous = pos;
    m_objects.GetPrev(previous);
    if (!previous)
        return;
    m_objects.RemoveAt(pos);
    m_objects.InsertBefore(previous, object);
}

void CTemplate::MoveToIndex(CDrawObj* object, int index) {
    const POSITION pos = FindPosition(object);
    if (!pos)
        return;
    const int current = IndexOf(object);
    if (current == index || index < 0)
        return;
    const POSITION target = m_objects.FindIndex(index);
    if (!target || target == pos)
        return;
    m_objects.RemoveAt(pos);
    if (current > index)
        m_objects.InsertBefore(target, object);
    else
        m_objects.InsertAfter(target, object);
}
