#include "platform/xml/XmlTree.h"

#include "platform/xml/XmlElement.h"

#include <algorithm>

CXmlTree::~CXmlTree() {
    // Elements hold the tree, so none is left here; the detached subtrees are ours alone.
    for (xmlNodePtr node : m_detached)
        xmlFreeNode(node);
    xmlFreeDoc(m_doc);
}

CXmlElement* CXmlTree::Wrap(xmlNodePtr node) {
    if (node == nullptr || node->type != XML_ELEMENT_NODE)
        return nullptr;
    if (node->_private != nullptr) {
        auto* element = static_cast<CXmlElement*>(node->_private);
        element->AddRef();
        return element;
    }
    auto* element = new CXmlElement(shared_from_this(), node);
    node->_private = element;
    return element;
}

void CXmlTree::AddDetached(xmlNodePtr node) {
    if (std::find(m_detached.begin(), m_detached.end(), node) == m_detached.end())
        m_detached.push_back(node);
}

void CXmlTree::ForgetDetached(xmlNodePtr node) {
    std::erase(m_detached, node);
}

void CXmlTree::CollectIfUnused(xmlNodePtr node) {
    xmlNodePtr top = node;
    while (top->parent != nullptr)
        top = top->parent;
    const auto it = std::find(m_detached.begin(), m_detached.end(), top);
    if (it == m_detached.end() || HasElements(top))
        return;
    m_detached.erase(it);
    xmlFreeNode(top);
}

bool CXmlTree::HasElements(xmlNodePtr subtree) {
    if (subtree->_private != nullptr)
        return true;
    if (subtree->type != XML_ELEMENT_NODE)
        return false;
    for (xmlNodePtr child = subtree->children; child != nullptr; child = child->next) {
        if (HasElements(child))
            return true;
    }
    return false;
}

CString XmlQualifiedName(const xmlNs* ns, const xmlChar* name) {
    CString qualified;
    if (ns != nullptr && ns->prefix != nullptr)
        qualified = CString(reinterpret_cast<const char*>(ns->prefix)) + ":";
    return qualified + reinterpret_cast<const char*>(name);
}

xmlNodePtr XmlElementChildAt(xmlNodePtr parent, long index) {
    if (index < 0)
        return nullptr;
    for (xmlNodePtr child = parent->children; child != nullptr; child = child->next) {
        if (child->type == XML_ELEMENT_NODE && index-- == 0)
            return child;
    }
    return nullptr;
}
