#pragma once
// CList: the framework's doubly linked list. A POSITION names a node; it stays valid until that node is
// removed, whatever else is added or removed.

#include "platform/base/Object.h"

#include <cassert>
#include <utility>

struct PositionTag;
using POSITION = PositionTag*;

template <typename TYPE, typename ARG_TYPE = const TYPE&>
class CList : public CObject {
public:
    // The block size is the framework's allocation hint; nodes are allocated one by one here.
    explicit CList(INT_PTR nBlockSize = 10) { (void)nBlockSize; }
    ~CList() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    // The list must not be empty.
    TYPE& GetHead() { return Checked(m_pNodeHead)->data; }
    const TYPE& GetHead() const { return Checked(m_pNodeHead)->data; }
    TYPE& GetTail() { return Checked(m_pNodeTail)->data; }
    const TYPE& GetTail() const { return Checked(m_pNodeTail)->data; }
    TYPE RemoveHead() {
        Node* node = Checked(m_pNodeHead);
        TYPE data = std::move(node->data);
        Unlink(node);
        return data;
    }
    TYPE RemoveTail() {
        Node* node = Checked(m_pNodeTail);
        TYPE data = std::move(node->data);
        Unlink(node);
        return data;
    }

    POSITION AddHead(ARG_TYPE newElement) { return InsertBefore(nullptr, newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return InsertAfter(nullptr, newElement); }
    // Copies the other list's elements, in order, to the front or the end of this one.
    void AddHead(CList* pNewList) {
        for (POSITION pos = pNewList->GetTailPosition(); pos;) {
            AddHead(pNewList->GetPrev(pos));
        }
    }
    void AddTail(CList* pNewList) {
        for (POSITION pos = pNewList->GetHeadPosition(); pos;) {
            AddTail(pNewList->GetNext(pos));
        }
    }
    void RemoveAll() {
        while (m_pNodeHead) {
            Unlink(m_pNodeHead);
        }
    }

    POSITION GetHeadPosition() const { return ToPosition(m_pNodeHead); }
    POSITION GetTailPosition() const { return ToPosition(m_pNodeTail); }
    // The element at rPosition; rPosition moves to the next (or previous) node, null past the end.
    TYPE& GetNext(POSITION& rPosition) {
        Node* node = Checked(ToNode(rPosition));
        rPosition = ToPosition(node->pNext);
        return node->data;
    }
    const TYPE& GetNext(POSITION& rPosition) const {
        const Node* node = Checked(ToNode(rPosition));
        rPosition = ToPosition(node->pNext);
        return node->data;
    }
    TYPE& GetPrev(POSITION& rPosition) {
        Node* node = Checked(ToNode(rPosition));
        rPosition = ToPosition(node->pPrev);
        return node->data;
    }
    const TYPE& GetPrev(POSITION& rPosition) const {
        const Node* node = Checked(ToNode(rPosition));
        rPosition = ToPosition(node->pPrev);
        return node->data;
    }

    TYPE& GetAt(POSITION position) { return Checked(ToNode(position))->data; }
    const TYPE& GetAt(POSITION position) const { return Checked(ToNode(position))->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { Checked(ToNode(pos))->data = newElement; }
    void RemoveAt(POSITION position) { Unlink(Checked(ToNode(position))); }

    // A null position inserts at the front (InsertBefore) or at the end (InsertAfter).
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement) {
        Node* next = position ? ToNode(position) : m_pNodeHead;
        Node* node = new Node{next ? next->pPrev : m_pNodeTail, next, newElement};
        Link(node);
        return ToPosition(node);
    }
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement) {
        Node* prev = position ? ToNode(position) : m_pNodeTail;
        Node* node = new Node{prev, prev ? prev->pNext : m_pNodeHead, newElement};
        Link(node);
        return ToPosition(node);
    }

    // The first node after startAfter (from the head when null) whose element equals searchValue.
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const {
        const Node* node = startAfter ? ToNode(startAfter)->pNext : m_pNodeHead;
        for (; node; node = node->pNext) {
            if (node->data == searchValue) {
                return ToPosition(node);
            }
        }
        return nullptr;
    }
    // The node at a zero-based index, or null outside the list.
    POSITION FindIndex(INT_PTR nIndex) const {
        if (nIndex < 0 || nIndex >= m_nCount) {
            return nullptr;
        }
        const Node* node = m_pNodeHead;
        while (nIndex-- > 0) {
            node = node->pNext;
        }
        return ToPosition(node);
    }

private:
    struct Node {
        Node* pPrev;
        Node* pNext;
        TYPE data;
    };

    static POSITION ToPosition(const Node* node) {
        return reinterpret_cast<POSITION>(const_cast<Node*>(node));
    }
    static Node* ToNode(POSITION position) { return reinterpret_cast<Node*>(position); }
    // A null node here is a caller's error (an empty list, a position past the end); fail at once.
    template <typename N>
    static N* Checked(N* node) {
        assert(node);
        if (!node) {
            __builtin_trap();
        }
        return node;
    }

    void Link(Node* node) {
        (node->pPrev ? node->pPrev->pNext : m_pNodeHead) = node;
        (node->pNext ? node->pNext->pPrev : m_pNodeTail) = node;
        ++m_nCount;
    }
    void Unlink(Node* node) {
        (node->pPrev ? node->pPrev->pNext : m_pNodeHead) = node->pNext;
        (node->pNext ? node->pNext->pPrev : m_pNodeTail) = node->pPrev;
        --m_nCount;
        delete node;
    }

    Node* m_pNodeHead = nullptr;
    Node* m_pNodeTail = nullptr;
    INT_PTR m_nCount = 0;
};
