#pragma once
// The helpers through which the library creates, loads, saves and walks XML documents (the album index,
// the entry descriptions, the album lists). Failures of the document object are shown in message boxes
// with fixed English texts and end in false or null; a null document, element or collection gives false
// or null without a message.
//
// Ownership: a document, element or collection that a helper returns carries one reference, which the
// caller gives back with XmlRelease. A memory block that a helper returns belongs to the caller; a block
// handed to XmlLoadFromMemory stays the caller's.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"
#include "platform/xml/XmlDocument.h"
#include "platform/xml/XmlElement.h"
#include "platform/xml/XmlElementCollection.h"

// Creates a document and drops it; shows "XML Libraries missing !" and returns false when that fails.
bool XmlCheckAvailable();
// A new empty document in *document; false when none could be made.
bool XmlCreateDocument(CXmlDocument** document);
// Loads "<rootTag/>" into the document; true whenever a document is given.
bool XmlCreateDocumentWithRoot(CXmlDocument* document, const CString& rootTag);

// The parsed file, or null: silently when no file is there or it cannot be read, after a message naming
// the path, line and texts of the error when it does not parse.
CXmlDocument* XmlLoadFromFile(const CString& path);
// The document parsed from the first size bytes of the block, or null after a message.
CXmlDocument* XmlLoadFromMemory(HGLOBAL block, DWORD size);
// Replaces the file with the document's text as a whole, or leaves it as it was and returns false.
bool XmlSaveToFile(CXmlDocument* document, const CString& path);
// The document's text in a new movable block of size bytes, or null after a message.
HGLOBAL XmlSaveToMemory(CXmlDocument* document, DWORD& size);

CXmlElement* XmlGetRoot(CXmlDocument* document);
// A new element, not yet in the tree; type is kXmlElementType.
CXmlElement* XmlCreateElement(CXmlDocument* document, long type, const CString& tagName);
CXmlElementCollection* XmlGetChildren(CXmlElement* element);
// The number of element children; 0 for a null collection.
long XmlGetLength(CXmlElementCollection* collection);
CXmlElement* XmlGetItemByName(CXmlElementCollection* collection, const CString& tagName);
CXmlElement* XmlGetItemByIndex(CXmlElementCollection* collection, long index);
// Inserts child before the element child at index (a negative index or the count appends).
bool XmlAddChild(CXmlElement* parent, CXmlElement* child, long index);
bool XmlRemoveChild(CXmlElement* parent, CXmlElement* child);

// Attribute names match without regard to case. The getters leave value alone when they return false.
bool XmlGetAttribute(CXmlElement* element, const CString& name, CString& value);
// True with value set for "true", "false" (any case) or a number (not zero is true); false otherwise.
bool XmlGetAttributeBool(CXmlElement* element, const CString& name, bool& value);
bool XmlSetAttribute(CXmlElement* element, const CString& name, const CString& value);
// Writes "true" or "false".
bool XmlSetAttributeBool(CXmlElement* element, const CString& name, bool value);
// The first item whose attribute of that name equals value byte for byte, or null.
CXmlElement* XmlFindChildByAttribute(CXmlElementCollection* collection, const CString& name,
                                     const CString& value);

// Gives back the reference *object holds and sets it to null; nothing for null.
template <typename T>
void XmlRelease(T** object) {
    if (object != nullptr && *object != nullptr) {
        (*object)->Release();
        *object = nullptr;
    }
}
