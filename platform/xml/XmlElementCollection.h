#pragma once
// The element children of one element, as a live collection: it always reflects the current tree.

#include "platform/base/String.h"
#include "platform/xml/XmlObject.h"

class CXmlElement;

class CXmlElementCollection : public CXmlObject {
public:
    // Holds a reference to parent for its own lifetime.
    explicit CXmlElementCollection(CXmlElement* parent);

    long GetLength() const;
    // The first element child with that tag name, with one reference for the caller; null when none.
    CXmlElement* ItemByName(const CString& tagName) const;
    // The element child at the zero-based index, with one reference for the caller; null out of range.
    CXmlElement* ItemByIndex(long index) const;

protected:
    ~CXmlElementCollection() override;

private:
    CXmlElement* m_parent;
};
