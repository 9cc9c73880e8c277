#include "platform/base/Lists.h"

#include "platform/base/Archive.h"

IMPLEMENT_SERIAL(CObList, CObject, 0)
IMPLEMENT_DYNAMIC(CPtrList, CObject)
IMPLEMENT_SERIAL(CStringList, CObject, 0)

namespace {

// The smallest stored element: an object tag is a WORD, a string at least its length byte.
constexpr ULONGLONG kMinObjectBytes = 2;
constexpr ULONGLONG kMinStringBytes = 1;

} // namespace

void CObList::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD_PTR>(GetCount()));
        for (POSITION pos = GetHeadPosition(); pos;) {
            ar << GetNext(pos);
        }
        return;
    }
    DWORD_PTR count = ar.ReadCount();
    ar.EnsureRemaining(count * kMinObjectBytes);
    while (count-- > 0) {
        CObject* object = nullptr;
        ar >> object;
        AddTail(object);
    }
}

void CStringList::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD_PTR>(GetCount()));
        for (POSITION pos = GetHeadPosition(); pos;) {
            ar << GetNext(pos);
        }
        return;
    }
    DWORD_PTR count = ar.ReadCount();
    ar.EnsureRemaining(count * kMinStringBytes);
    while (count-- > 0) {
        CString text;
        ar >> text;
        AddTail(text);
    }
}
