#pragma once
// The XML document object: a tree with one root element, parsed from bytes or built element by element,
// written back as bytes in the document's charset. Parsing never loads anything from the network or the
// file system and refuses entity-expansion bombs.

#include "platform/base/String.h"
#include "platform/xml/XmlObject.h"

#include <cstddef>
#include <memory>
#include <string>

class CXmlElement;
class CXmlTree;

// What went wrong in the last Load or Save of a document.
struct XmlParseError {
    HRESULT result = S_OK;
    long line = 0;      // 1-based; 0 when the failure has no place in the text
    long position = 0;  // 1-based character column on that line
    CString found;      // the text at the failing place, up to kFoundLength characters
    CString expected;   // what the parser wanted there, in its own words
    CString sourceLine; // the failing line, up to kSourceLineLength characters
};

// The element type of CreateElement: a plain element, the only kind the program builds.
inline constexpr long kXmlElementType = 0;

class CXmlDocument : public CXmlObject {
public:
    // A larger document is refused before parsing: far above any album index or description, yet it keeps
    // a damaged or hostile file from making the parser hold gigabytes.
    static constexpr size_t kMaxDocumentBytes = 64u << 20;
    static constexpr int kFoundLength = 20;
    static constexpr int kSourceLineLength = 200;

    // A new empty document (no root, charset "UTF-8") with one reference, or null when memory is short.
    static CXmlDocument* Create();

    // Replaces the content with the parsed bytes: S_OK, or E_FAIL (malformed or refused document) or
    // E_OUTOFMEMORY with the details in GetError. On failure the content stays as it was.
    HRESULT Load(const void* bytes, size_t length);
    // The document as bytes in its charset, the characters the charset lacks as character references.
    // E_FAIL with the details in GetError for a document without root, or with a name the charset lacks.
    HRESULT Save(std::string& bytes);
    const XmlParseError& GetError() const { return m_error; }

    // The root element with one reference for the caller, or null for an empty document.
    CXmlElement* GetRoot() const;
    // A new element of this document, not yet in the tree, with one reference for the caller; null for
    // another type than kXmlElementType or a tag that is not an XML name.
    CXmlElement* CreateElement(long type, const CString& tagName);

    // The charset the document declares and is written in.
    CString GetCharset() const { return m_charset; }
    // False, with nothing changed, for a charset that documents cannot be written in.
    bool SetCharset(const CString& charset);

private:
    explicit CXmlDocument(std::shared_ptr<CXmlTree> tree);
    ~CXmlDocument() override;

    void SetError(HRESULT result, const CString& expected);

    std::shared_ptr<CXmlTree> m_tree;
    CString m_charset = "UTF-8";
    XmlParseError m_error;
};
