#pragma once
// The reference count shared by the XML layer's objects. Whoever receives an object from the layer holds
// one reference and gives it back with Release; the last Release destroys the object.

#include "platform/base/WinTypes.h"

class CXmlObject {
public:
    CXmlObject() = default;
    CXmlObject(const CXmlObject&) = delete;
    CXmlObject& operator=(const CXmlObject&) = delete;

    // Documents are used by one thread at a time, so the count is a plain integer.
    ULONG AddRef() { return ++m_references; }
    ULONG Release() {
        if (--m_references > 0)
            return m_references;
        LastReleased();
        return 0;
    }

protected:
    virtual ~CXmlObject() = default;
    // Destroys the object; elements override it to give their node back to the tree.
    virtual void LastReleased() { delete this; }

private:
    ULONG m_references = 1;
};
