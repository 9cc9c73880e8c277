#include "library/xml/XmlHelpers.h"

#include "platform/base/AppServices.h"
#include "platform/base/AtomicFileWriter.h"
#include "platform/base/File.h"
#include "platform/base/FileApi.h"
#include "platform/base/FileException.h"
#include "platform/base/GlobalMemory.h"
#include "platform/base/Path.h"
#include "platform/xml/XmlPtr.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

namespace {

void ShowMessage(const CString& text) {
    AppServices().MessageBoxText(text, MB_OK, 0);
}

// The details of the document's last failure, after prefix (the path of a file, or nothing).
void ShowParseMessage(const CXmlDocument* document, const CString& prefix) {
    const XmlParseError& error = document->GetError();
    CString text;
    text.Format("%s Error on line %d. Found %s while expecting %s\r\n", prefix, error.line, error.found,
                error.expected);
    ShowMessage(text);
}

// The names the memory loader gives the results it knows, before its detailed message.
const char* ResultName(HRESULT result) {
    switch (static_cast<DWORD>(result)) {
    case 0x8007000E:
        return "E_OUTOFMEMORY";
    case 0x80004005:
        return "E_FAIL";
    case 0x8000FFFF:
        return "E_UNEXPECTED";
    case 0xC00CE558:
        return "0xc00ce558";
    case 0xC00CE500:
        return "0xc00ce500";
    default:
        return nullptr;
    }
}

enum class ReadResult { Read, Unreadable, NoMemory };

// The whole file, or as much of a larger one as makes the document object refuse it.
ReadResult ReadWholeFile(const CString& path, std::string& bytes) {
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary))
        return ReadResult::Unreadable;
    try {
        const ULONGLONG length = std::min<ULONGLONG>(file.GetLength(), CXmlDocument::kMaxDocumentBytes + 1);
        bytes.resize(static_cast<size_t>(length));
        size_t done = 0;
        while (done < bytes.size()) {
            const UINT read = file.Read(bytes.data() + done, static_cast<UINT>(bytes.size() - done));
            if (read == 0)
                break;
            done += read;
        }
        bytes.resize(done);
    } catch (const std::bad_alloc&) {
        return ReadResult::NoMemory;
    } catch (CException* e) {
        e->Delete();
        return ReadResult::Unreadable;
    }
    return ReadResult::Read;
}

bool ParseBool(CString text, bool& value) {
    text.Trim();
    if (text.CompareNoCase("true") == 0 || text.CompareNoCase("false") == 0) {
        value = text.CompareNoCase("true") == 0;
        return true;
    }
    char* end = nullptr;
    errno = 0;
    const double number = std::strtod(text, &end);
    if (text.IsEmpty() || end != text.GetString() + text.GetLength() || errno == ERANGE)
        return false;
    value = number != 0;
    return true;
}

} // namespace

bool XmlCheckAvailable() {
    CXmlPtr<CXmlDocument> document(CXmlDocument::Create());
    if (!document) {
        ShowMessage("XML Libraries missing !");
        return false;
    }
    return true;
}

bool XmlCreateDocument(CXmlDocument** document) {
    if (document == nullptr)
        return false;
    *document = CXmlDocument::Create();
    return *document != nullptr;
}

bool XmlCreateDocumentWithRoot(CXmlDocument* document, const CString& rootTag) {
    if (document == nullptr)
        return false;
    CString text;
    text.Format("<%s/>", rootTag);
    document->Load(text.GetString(), static_cast<size_t>(text.GetLength()));
    return true;
}

CXmlDocument* XmlLoadFromFile(const CString& path) {
    const CString onDisk = BackslashesToSlashes(path);
    CFileStatus status;
    if (!CFile::GetStatus(onDisk, status))
        return nullptr;
    CXmlPtr<CXmlDocument> document(CXmlDocument::Create());
    if (!document) {
        ShowMessage("CoCreateInstance Failed!");
        return nullptr;
    }
    std::string bytes;
    switch (ReadWholeFile(onDisk, bytes)) {
    case ReadResult::Read:
        break;
    case ReadResult::Unreadable:
        return nullptr;
    case ReadResult::NoMemory:
        ShowMessage("Couldn't open stream on URL!");
        return nullptr;
    }
    if (document->Load(bytes.data(), bytes.size()) != S_OK) {
        ShowParseMessage(document.Get(), path);
        return nullptr;
    }
    return document.Detach();
}

CXmlDocument* XmlLoadFromMemory(HGLOBAL block, DWORD size) {
    CXmlPtr<CXmlDocument> document(CXmlDocument::Create());
    if (!document) {
        ShowMessage("CoCreateInstance Failed!");
        return nullptr;
    }
    const CGlobalLock lock(block);
    if (lock.Bytes() == nullptr || size > lock.Size()) {
        ShowMessage("Couldn't open stream on URL!");
        return nullptr;
    }
    const HRESULT result = document->Load(lock.Bytes(), size);
    if (result == S_OK)
        return document.Detach();
    if (const char* name = ResultName(result))
        ShowMessage(name);
    const XmlParseError& error = document->GetError();
    CString text;
    text.Format(
        "hResult = %x  Error on line %d. Found %s while expecting %s buf = %s ich = %d handle = %x \r\n",
        result, error.line, error.found, error.expected, error.sourceLine, error.position,
        reinterpret_cast<UINT_PTR>(block));
    ShowMessage(text);
    return nullptr;
}

bool XmlSaveToFile(CXmlDocument* document, const CString& path) {
    if (document == nullptr)
        return false;
    std::string bytes;
    if (document->Save(bytes) != S_OK) {
        ShowParseMessage(document, "");
        return false;
    }
    const CString onDisk = BackslashesToSlashes(path);
    if (GetFileAttributes(onDisk) != INVALID_FILE_ATTRIBUTES)
        SetFileAttributes(onDisk, FILE_ATTRIBUTE_NORMAL);
    return WriteFileAtomically(onDisk, bytes.data(), bytes.size());
}

HGLOBAL XmlSaveToMemory(CXmlDocument* document, DWORD& size) {
    if (document == nullptr)
        return nullptr;
    std::string bytes;
    if (document->Save(bytes) != S_OK) {
        ShowParseMessage(document, "");
        return nullptr;
    }
    UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
    const CGlobalLock lock(block.get());
    if (lock.Bytes() == nullptr) {
        ShowParseMessage(document, "");
        return nullptr;
    }
    std::memcpy(lock.Bytes(), bytes.data(), bytes.size());
    size = static_cast<DWORD>(bytes.size());
    return block.release();
}

CXmlElement* XmlGetRoot(CXmlDocument* document) {
    return document != nullptr ? document->GetRoot() : nullptr;
}

CXmlElement* XmlCreateElement(CXmlDocument* document, long type, const CString& tagName) {
    return document != nullptr ? document->CreateElement(type, tagName) : nullptr;
}

CXmlElementCollection* XmlGetChildren(CXmlElement* element) {
    return element != nullptr ? element->GetChildren() : nullptr;
}

long XmlGetLength(CXmlElementCollection* collection) {
    return collection != nullptr ? collection->GetLength() : 0;
}

CXmlElement* XmlGetItemByName(CXmlElementCollection* collection, const CString& tagName) {
    return collection != nullptr ? collection->ItemByName(tagName) : nullptr;
}

CXmlElement* XmlGetItemByIndex(CXmlElementCollection* collection, long index) {
    return collection != nullptr ? collection->ItemByIndex(index) : nullptr;
}

bool XmlAddChild(CXmlElement* parent, CXmlElement* child, long index) {
    return parent != nullptr && parent->AddChild(child, index);
}

bool XmlRemoveChild(CXmlElement* parent, CXmlElement* child) {
    return parent != nullptr && parent->RemoveChild(child);
}

bool XmlGetAttribute(CXmlElement* element, const CString& name, CString& value) {
    return element != nullptr && element->GetAttribute(name, value);
}

bool XmlGetAttributeBool(CXmlElement* element, const CString& name, bool& value) {
    CString text;
    return XmlGetAttribute(element, name, text) && ParseBool(text, value);
}

bool XmlSetAttribute(CXmlElement* element, const CString& name, const CString& value) {
    return element != nullptr && element->SetAttribute(name, value);
}

bool XmlSetAttributeBool(CXmlElement* element, const CString& name, bool value) {
    return XmlSetAttribute(element, name, value ? "true" : "false");
}

CXmlElement* XmlFindChildByAttribute(CXmlElementCollection* collection, const CString& name,
                                     const CString& value) {
    const long length = XmlGetLength(collection);
    for (long index = 0; index < length; ++index) {
        CXmlPtr<CXmlElement> item(collection->ItemByIndex(index));
        CString itemValue;
        if (item && item->GetAttribute(name, itemValue) && itemValue == value)
            return item.Detach();
    }
    return nullptr;
}
