#pragma once
// One parsed or built libxml2 tree and the elements handed out for its nodes. Internal to the XML layer.
//
// Each node has at most one CXmlElement, found through the node's _private field. Elements keep the tree
// alive, so a document can load new content while elements of its old content are still held. Nodes taken
// out of the tree (removed children, created elements not yet added) are kept as detached subtrees and
// freed as soon as no element of theirs is held any more, or with the tree.

#include "platform/base/String.h"

#include <libxml/tree.h>
#include <memory>
#include <vector>

class CXmlElement;

class CXmlTree : public std::enable_shared_from_this<CXmlTree> {
public:
    explicit CXmlTree(xmlDocPtr doc) : m_doc(doc) {}
    ~CXmlTree();
    CXmlTree(const CXmlTree&) = delete;
    CXmlTree& operator=(const CXmlTree&) = delete;

    xmlDocPtr Doc() const { return m_doc; }

    // The element of an element node of this tree, with one reference for the caller.
    CXmlElement* Wrap(xmlNodePtr node);

    // A node that has no parent (newly created, or just unlinked) is remembered as a detached subtree.
    void AddDetached(xmlNodePtr node);
    // The node is about to get a parent: it is no longer a detached subtree of its own.
    void ForgetDetached(xmlNodePtr node);
    // Frees the detached subtree that holds node when none of its elements is held any more.
    void CollectIfUnused(xmlNodePtr node);

private:
    static bool HasElements(xmlNodePtr subtree);

    xmlDocPtr m_doc;
    std::vector<xmlNodePtr> m_detached;
};

// The name as written in the document: prefix:name for a name in a namespace.
CString XmlQualifiedName(const xmlNs* ns, const xmlChar* name);

// The element child at a zero-based index among the element children only (text, comments and the like
// are not counted), or null.
xmlNodePtr XmlElementChildAt(xmlNodePtr parent, long index);
