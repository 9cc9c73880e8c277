#include "platform/xml/XmlElementCollection.h"

#include "platform/xml/XmlElement.h"
#include "platform/xml/XmlTree.h"

CXmlElementCollection::CXmlElementCollection(CXmlElement* parent) : m_parent(parent) {
    m_parent->AddRef();
}

CXmlElementCollection::~CXmlElementCollection() {
    m_parent->Release();
}

long CXmlElementCollection::GetLength() const {
    long length = 0;
    for (xmlNodePtr child = m_parent->Node()->children; child != nullptr; child = child->next) {
        if (child->type == XML_ELEMENT_NODE)
            ++length;
    }
    return length;
}

CXmlElement* CXmlElementCollection::ItemByName(const CString& tagName) const {
    for (xmlNodePtr child = m_parent->Node()->children; child != nullptr; child = child->next) {
        if (child->type == XML_ELEMENT_NODE && XmlQualifiedName(child->ns, child->name) == tagName)
            return m_parent->Tree()->Wrap(child);
    }
    return nullptr;
}

CXmlElement* CXmlElementCollection::ItemByIndex(long index) const {
    return m_parent->Tree()->Wrap(XmlElementChildAt(m_parent->Node(), index));
}
