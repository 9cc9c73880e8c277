#pragma once
// The framework's concrete lists: of objects, of untyped pointers and of strings, and the typed pointer
// list over the first two. None of them deletes what its pointers point to.

#include "platform/base/List.h"
#include "platform/base/String.h"

// Serialize writes the count, then every object with its class tag.
class CObList : public CList<CObject*, CObject*> {
    DECLARE_SERIAL(CObList)
public:
    explicit CObList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
    void Serialize(CArchive& ar) override;
};

class CPtrList : public CList<void*, void*> {
    DECLARE_DYNAMIC(CPtrList)
public:
    explicit CPtrList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
};

// Serialize writes the count, then every string.
class CStringList : public CList<CString, const CString&> {
    DECLARE_SERIAL(CStringList)
public:
    explicit CStringList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
    void Serialize(CArchive& ar) override;
};

// A list of TYPE pointers kept in a CObList or CPtrList: the same list, with the casts done here.
template <typename BASE_CLASS, typename TYPE>
class CTypedPtrList : public BASE_CLASS {
public:
    explicit CTypedPtrList(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

    TYPE GetHead() const { return Cast(BASE_CLASS::GetHead()); }
    TYPE GetTail() const { return Cast(BASE_CLASS::GetTail()); }
    TYPE RemoveHead() { return Cast(BASE_CLASS::RemoveHead()); }
    TYPE RemoveTail() { return Cast(BASE_CLASS::RemoveTail()); }
    TYPE GetNext(POSITION& rPosition) const { return Cast(BASE_CLASS::GetNext(rPosition)); }
    TYPE GetPrev(POSITION& rPosition) const { return Cast(BASE_CLASS::GetPrev(rPosition)); }
    TYPE GetAt(POSITION position) const { return Cast(BASE_CLASS::GetAt(position)); }
    void SetAt(POSITION pos, TYPE newElement) { BASE_CLASS::SetAt(pos, newElement); }

    POSITION AddHead(TYPE newElement) { return BASE_CLASS::AddHead(newElement); }
    POSITION AddTail(TYPE newElement) { return BASE_CLASS::AddTail(newElement); }
    void AddHead(CTypedPtrList* pNewList) { BASE_CLASS::AddHead(pNewList); }
    void AddTail(CTypedPtrList* pNewList) { BASE_CLASS::AddTail(pNewList); }
    POSITION InsertBefore(POSITION position, TYPE newElement) {
        return BASE_CLASS::InsertBefore(position, newElement);
    }
    POSITION InsertAfter(POSITION position, TYPE newElement) {
        return BASE_CLASS::InsertAfter(position, newElement);
    }

private:
    template <typename STORED>
    static TYPE Cast(STORED stored) {
        return static_cast<TYPE>(stored);
    }
};
