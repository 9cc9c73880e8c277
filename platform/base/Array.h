#pragma once
// CArray: the framework's growable array. An index outside the array is a caller's error and stops the
// program at once instead of touching other memory.

#include "platform/base/Object.h"

#include <algorithm>
#include <cassert>
#include <vector>

template <typename TYPE, typename ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
    CArray() = default;

    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_data.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    BOOL IsEmpty() const { return m_data.empty(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    // New elements are value-initialised (zero for numbers and pointers). nGrowBy is the framework's
    // allocation hint.
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1) {
        (void)nGrowBy;
        m_data.resize(static_cast<size_t>(std::max<INT_PTR>(nNewSize, 0)));
    }
    void FreeExtra() { m_data.shrink_to_fit(); }
    void RemoveAll() { m_data.clear(); }

    const TYPE& GetAt(INT_PTR nIndex) const { return m_data[Checked(nIndex)]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_data[Checked(nIndex)] = newElement; }
    TYPE& ElementAt(INT_PTR nIndex) { return m_data[Checked(nIndex)]; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return m_data[Checked(nIndex)]; }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE* GetData() { return m_data.data(); }
    const TYPE* GetData() const { return m_data.data(); }

    // Grows the array as needed to hold nIndex.
    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement) {
        assert(nIndex >= 0);
        if (nIndex >= GetSize()) {
            SetSize(nIndex + 1);
        }
        SetAt(nIndex, newElement);
    }
    // The index of the new element.
    INT_PTR Add(ARG_TYPE newElement) {
        m_data.push_back(newElement);
        return GetUpperBound();
    }
    // The index of the first appended element.
    INT_PTR Append(const CArray& src) {
        const INT_PTR oldSize = GetSize();
        m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
        return oldSize;
    }
    void Copy(const CArray& src) {
        if (&src != this) {
            m_data = src.m_data;
        }
    }
    // Inserting past the end first grows the array to nIndex.
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1) {
        assert(nIndex >= 0 && nCount >= 0);
        if (nIndex > GetSize()) {
            SetSize(nIndex);
        }
        const TYPE copy = newElement; // the element may live in this array
        m_data.insert(m_data.begin() + Checked(nIndex, 0), static_cast<size_t>(std::max<INT_PTR>(nCount, 0)),
                      copy);
    }
    void InsertAt(INT_PTR nStartIndex, CArray* pNewArray) {
        assert(pNewArray && nStartIndex >= 0);
        if (nStartIndex > GetSize()) {
            SetSize(nStartIndex);
        }
        const std::vector<TYPE> copy = pNewArray->m_data;
        m_data.insert(m_data.begin() + Checked(nStartIndex, 0), copy.begin(), copy.end());
    }
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1) {
        const size_t first = Checked(nIndex, 0);
        const size_t last = Checked(nIndex + std::max<INT_PTR>(nCount, 0), 0);
        m_data.erase(m_data.begin() + static_cast<std::ptrdiff_t>(first),
                     m_data.begin() + static_cast<std::ptrdiff_t>(last));
    }

private:
    // An index into the elements, or (with slack 0) up to one past the last.
    size_t Checked(INT_PTR nIndex, INT_PTR slack = 1) const {
        const bool inside = nIndex >= 0 && nIndex <= GetSize() - slack;
        assert(inside);
        if (!inside) {
            __builtin_trap();
        }
        return static_cast<size_t>(nIndex);
    }

    std::vector<TYPE> m_data;
};
