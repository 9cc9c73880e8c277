#pragma once
// Charsets of XML documents. Internal to the XML layer.
//
// Reading: the declared charset holds; a byte that is not valid in it is read as Windows-1252, because such
// bytes come from files written by Windows programs. Writing: strings reach the tree as UTF-8, and the
// serialiser writes characters the document's charset lacks as numeric character references.

#include "platform/base/String.h"

#include <string>
#include <string_view>

struct XmlDecodedText {
    // False when the parser is to read the bytes itself: UTF-16 and UTF-32 documents, and charsets that
    // iconv does not know (the parser then reports them).
    bool decoded = false;
    std::string text;
    // The charset the document declares; "UTF-8" for a document without a declaration or with a UTF-8
    // byte-order mark.
    CString charset;
};

XmlDecodedText DecodeXmlBytes(std::string_view bytes);

// A string of the program as text the tree can hold: UTF-8 (a string that is not UTF-8 is read as
// Windows-1252) without the characters XML 1.0 cannot carry at all.
std::string ToXmlText(std::string_view text);

// True when documents can be written in the charset.
bool IsWritableCharset(const CString& charset);

// The UTF-8 text in the charset, each character the charset lacks as a numeric character reference. The
// caller makes sure that no such character stands where a reference means something else (names).
bool EncodeXmlText(std::string_view utf8, const CString& charset, std::string& out);

// True when every character of the UTF-8 text exists in the charset, so it can be written without a
// character reference (names cannot use references).
bool CanEncode(std::string_view utf8, const CString& charset);
