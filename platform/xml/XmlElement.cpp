#include "platform/xml/XmlElement.h"

#include "platform/xml/XmlCharset.h"
#include "platform/xml/XmlElementCollection.h"
#include "platform/xml/XmlTree.h"

#include <libxml/parser.h>

namespace {

const xmlChar* XmlText(const std::string& text) {
    return reinterpret_cast<const xmlChar*>(text.c_str());
}

bool IsXmlName(const std::string& name) {
    return xmlValidateName(XmlText(name), 0) == 0;
}

bool IsSelfOrAncestor(xmlNodePtr candidate, xmlNodePtr node) {
    for (; node != nullptr; node = node->parent) {
        if (node == candidate)
            return true;
    }
    return false;
}

} // namespace

CXmlElement::CXmlElement(std::shared_ptr<CXmlTree> tree, xmlNodePtr node)
    : m_tree(std::move(tree)), m_node(node) {}

void CXmlElement::LastReleased() {
    const std::shared_ptr<CXmlTree> tree = m_tree;
    xmlNodePtr node = m_node;
    node->_private = nullptr;
    delete this;
    tree->CollectIfUnused(node);
}

CString CXmlElement::GetTagName() const {
    return XmlQualifiedName(m_node->ns, m_node->name);
}

CXmlElementCollection* CXmlElement::GetChildren() {
    return new CXmlElementCollection(this);
}

xmlAttrPtr CXmlElement::FindAttribute(const CString& name) const {
    for (xmlAttrPtr attribute = m_node->properties; attribute != nullptr; attribute = attribute->next) {
        if (XmlQualifiedName(attribute->ns, attribute->name).CompareNoCase(name) == 0)
            return attribute;
    }
    return nullptr;
}

bool CXmlElement::GetAttribute(const CString& name, CString& value) const {
    const xmlAttrPtr attribute = FindAttribute(name);
    if (attribute == nullptr)
        return false;
    xmlChar* text = xmlNodeListGetString(m_node->doc, attribute->children, 1);
    value = text != nullptr ? CString(reinterpret_cast<const char*>(text)) : CString();
    xmlFree(text);
    return true;
}

bool CXmlElement::SetAttribute(const CString& name, const CString& value) {
    const std::string xmlName = ToXmlText(name.view());
    if (xmlName != name.str() || !IsXmlName(xmlName))
        return false;
    const std::string xmlValue = ToXmlText(value.view());
    xmlAttrPtr existing = FindAttribute(name);
    if (existing == nullptr)
        return xmlNewProp(m_node, XmlText(xmlName), XmlText(xmlValue)) != nullptr;

    // The first attribute of that name keeps its place; further spellings of the name go.
    for (xmlAttrPtr attribute = existing->next; attribute != nullptr;) {
        const xmlAttrPtr next = attribute->next;
        if (XmlQualifiedName(attribute->ns, attribute->name).CompareNoCase(name) == 0)
            xmlRemoveProp(attribute);
        attribute = next;
    }
    if (existing->ns != nullptr || !xmlStrEqual(existing->name, XmlText(xmlName))) {
        const xmlAttrPtr respelled = xmlNewDocProp(m_node->doc, XmlText(xmlName), nullptr);
        if (respelled == nullptr)
            return false;
        respelled->parent = m_node;
        respelled->prev = existing->prev;
        respelled->next = existing->next;
        if (existing->prev != nullptr)
            existing->prev->next = respelled;
        else
            m_node->properties = respelled;
        if (existing->next != nullptr)
            existing->next->prev = respelled;
        existing->parent = nullptr;
        existing->prev = existing->next = nullptr;
        xmlFreeProp(existing);
        existing = respelled;
    }
    // Takes the value literally, unlike the property functions that read entity references in it.
    return xmlSetNsProp(m_node, existing->ns, existing->name, XmlText(xmlValue)) != nullptr;
}

bool CXmlElement::AddChild(CXmlElement* child, long index) {
    if (child == nullptr || child->m_tree != m_tree)
        return false;
    xmlNodePtr node = child->m_node;
    if (IsSelfOrAncestor(node, m_node) ||
        (node->parent != nullptr && node->parent->type == XML_DOCUMENT_NODE))
        return false;
    const xmlNodePtr before = index >= 0 ? XmlElementChildAt(m_node, index) : nullptr;
    if (node == before)
        return true;
    if (node->parent == nullptr)
        m_tree->ForgetDetached(node);
    xmlUnlinkNode(node);
    if (before != nullptr)
        xmlAddPrevSibling(before, node);
    else
        xmlAddChild(m_node, node);
    return true;
}

bool CXmlElement::RemoveChild(CXmlElement* child) {
    if (child == nullptr || child->m_node->parent != m_node)
        return false;
    xmlUnlinkNode(child->m_node);
    m_tree->AddDetached(child->m_node);
    return true;
}
