#include "platform/base/Arrays.h"

#include "platform/base/Archive.h"

IMPLEMENT_SERIAL(CByteArray, CObject, 0)
IMPLEMENT_SERIAL(CWordArray, CObject, 0)
IMPLEMENT_SERIAL(CDWordArray, CObject, 0)
IMPLEMENT_DYNAMIC(CUIntArray, CObject)
IMPLEMENT_SERIAL(CStringArray, CObject, 0)
IMPLEMENT_SERIAL(CObArray, CObject, 0)
IMPLEMENT_DYNAMIC(CPtrArray, CObject)

namespace {

// Storing: the count and every element. Loading: the count, checked against the bytes that remain
// (each element takes at least minBytes), then the elements.
template <typename ARRAY>
void SerializeElements(ARRAY& array, CArchive& ar, ULONGLONG minBytes) {
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD_PTR>(array.GetSize()));
        for (INT_PTR i = 0; i < array.GetSize(); ++i) {
            ar << array.GetAt(i);
        }
        return;
    }
    const DWORD_PTR count = ar.ReadCount();
    ar.EnsureRemaining(count * minBytes);
    array.SetSize(static_cast<INT_PTR>(count));
    for (INT_PTR i = 0; i < array.GetSize(); ++i) {
        ar >> array.ElementAt(i);
    }
}

} // namespace

void CByteArray::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    SerializeElements(*this, ar, sizeof(BYTE));
}

void CWordArray::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    SerializeElements(*this, ar, sizeof(WORD));
}

void CDWordArray::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    SerializeElements(*this, ar, sizeof(DWORD));
}

void CStringArray::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    SerializeElements(*this, ar, 1);
}

void CObArray::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        SerializeElements(*this, ar, 2);
        return;
    }
    // Objects are read one by one, so the array holds only what was really loaded when reading fails.
    DWORD_PTR count = ar.ReadCount();
    ar.EnsureRemaining(count * 2);
    while (count-- > 0) {
        CObject* object = nullptr;
        ar >> object;
        Add(object);
    }
}
