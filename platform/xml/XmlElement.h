#pragma once
// One element of an XML document: its tag name, its attributes (names matched without regard to case)
// and its element children.

#include "platform/base/String.h"
#include "platform/xml/XmlObject.h"

#include <memory>

class CXmlElementCollection;
class CXmlTree;
struct _xmlAttr;
struct _xmlNode;

class CXmlElement : public CXmlObject {
public:
    CXmlElement(std::shared_ptr<CXmlTree> tree, _xmlNode* node);

    CString GetTagName() const;

    // The live collection of the element children, with one reference for the caller.
    CXmlElementCollection* GetChildren();

    // The value of the first attribute whose name matches without regard to case; false when there is none.
    bool GetAttribute(const CString& name, CString& value) const;
    // Sets the attribute, replacing one whose name matches without regard to case; the attribute then takes
    // the given spelling. False for a name that is not an XML name. Characters that XML 1.0 cannot carry
    // (control characters other than tab and line breaks) are left out of the value, so that the document
    // stays readable.
    bool SetAttribute(const CString& name, const CString& value);

    // Inserts child before the element child at index; a negative index or one past the end appends. The
    // child may be a new element or one of this document's elements elsewhere, which moves; false for an
    // element of another document, the root, or this element or one of its ancestors.
    bool AddChild(CXmlElement* child, long index);
    // Takes a child element out of the tree; false when child is not a child of this element.
    bool RemoveChild(CXmlElement* child);

    _xmlNode* Node() const { return m_node; }
    const std::shared_ptr<CXmlTree>& Tree() const { return m_tree; }

protected:
    void LastReleased() override;

private:
    _xmlAttr* FindAttribute(const CString& name) const;

    std::shared_ptr<CXmlTree> m_tree;
    _xmlNode* m_node;
};
