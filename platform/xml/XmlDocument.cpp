#include "platform/xml/XmlDocument.h"

#include "platform/base/TextEncoding.h"
#include "platform/xml/XmlCharset.h"
#include "platform/xml/XmlElement.h"
#include "platform/xml/XmlTree.h"

#include <algorithm>
#include <libxml/parser.h>
#include <libxml/xmlerror.h>
#include <mutex>

namespace {

// External entities, external DTDs and the like are never loaded while one of our documents parses, be
// it by a file:// or an http:// reference. Other users of libxml2 in the process keep their loader.
thread_local bool t_parsing = false;
xmlExternalEntityLoader g_otherLoader = nullptr;

xmlParserInputPtr RefuseWhileParsing(const char* url, const char* id, xmlParserCtxtPtr context) {
    if (t_parsing || g_otherLoader == nullptr)
        return nullptr;
    return g_otherLoader(url, id, context);
}

void InitialiseLibxml() {
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        g_otherLoader = xmlGetExternalEntityLoader();
        xmlSetExternalEntityLoader(RefuseWhileParsing);
    });
}

// The first error of a parse; libxml2 often follows it with consequential ones.
struct FirstError {
    bool set = false;
    int code = 0;
    int line = 0;
    int column = 0;
    CString message;
};

void KeepFirstError(void* context, xmlErrorPtr error) {
    auto* first = static_cast<FirstError*>(context);
    if (first->set || error == nullptr || error->level < XML_ERR_ERROR)
        return;
    first->set = true;
    first->code = error->code;
    first->line = error->line;
    first->column = error->int2;
    first->message = error->message != nullptr ? CString(error->message) : CString("unknown error");
    first->message.TrimRight();
}

// Captures libxml2's errors of this thread instead of printing them, for the duration of one call.
class CErrorCapture {
public:
    explicit CErrorCapture(FirstError& first)
        : m_handler(xmlStructuredError), m_context(xmlStructuredErrorContext) {
        xmlSetStructuredErrorFunc(&first, KeepFirstError);
    }
    ~CErrorCapture() { xmlSetStructuredErrorFunc(m_context, m_handler); }
    CErrorCapture(const CErrorCapture&) = delete;
    CErrorCapture& operator=(const CErrorCapture&) = delete;

private:
    xmlStructuredErrorFunc m_handler;
    void* m_context;
};

const char* Utf8Next(const char* p, const char* end) {
    ++p;
    while (p < end && (static_cast<unsigned char>(*p) & 0xC0) == 0x80)
        ++p;
    return p;
}

// The 1-based line of the text (lines end with LF; a CR before it is dropped), as UTF-8.
std::string LineOf(std::string_view text, long line) {
    size_t start = 0;
    for (long n = 1; n < line; ++n) {
        start = text.find('\n', start);
        if (start == std::string_view::npos)
            return {};
        ++start;
    }
    std::string_view rest = text.substr(start);
    rest = rest.substr(0, rest.find('\n'));
    if (rest.ends_with('\r'))
        rest.remove_suffix(1);
    return StoredTextToUtf8(rest);
}

// Up to count characters of the text, from the 1-based character column on.
CString CharactersFrom(const std::string& text, long column, int count) {
    const char* p = text.data();
    const char* end = p + text.size();
    for (long skip = column - 1; skip > 0 && p < end; --skip)
        p = Utf8Next(p, end);
    const char* stop = p;
    for (int n = 0; n < count && stop < end; ++n)
        stop = Utf8Next(stop, end);
    return CString(std::string_view(p, static_cast<size_t>(stop - p)));
}

// The text at the failing place. libxml2 reports some errors (a mismatched end tag, data cut short) just
// behind the text it read; at the end of a line that text, up to count characters, is what was found.
CString FoundText(const std::string& line, long column, int count) {
    CString found = CharactersFrom(line, column, count);
    if (!found.IsEmpty())
        return found;
    long characters = 0;
    for (const char* p = line.data(); p < line.data() + line.size();
         p = Utf8Next(p, line.data() + line.size()))
        ++characters;
    const long first = std::max(1L, std::min(column, characters + 1) - count);
    return CharactersFrom(line, first, count);
}

bool NamesEncodable(xmlNodePtr node, const CString& charset) {
    for (; node != nullptr; node = node->next) {
        if ((node->type == XML_ELEMENT_NODE || node->type == XML_PI_NODE) &&
            !CanEncode(reinterpret_cast<const char*>(node->name), charset))
            return false;
        if (node->type != XML_ELEMENT_NODE)
            continue;
        for (xmlAttrPtr attribute = node->properties; attribute != nullptr; attribute = attribute->next) {
            if (!CanEncode(reinterpret_cast<const char*>(attribute->name), charset))
                return false;
        }
        if (!NamesEncodable(node->children, charset))
            return false;
    }
    return true;
}

} // namespace

CXmlDocument* CXmlDocument::Create() {
    InitialiseLibxml();
    const xmlDocPtr doc = xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0"));
    if (doc == nullptr)
        return nullptr;
    return new CXmlDocument(std::make_shared<CXmlTree>(doc));
}

CXmlDocument::CXmlDocument(std::shared_ptr<CXmlTree> tree) : m_tree(std::move(tree)) {}

CXmlDocument::~CXmlDocument() = default;

void CXmlDocument::SetError(HRESULT result, const CString& expected) {
    m_error = XmlParseError{.result = result, .expected = expected};
}

HRESULT CXmlDocument::Load(const void* bytes, size_t length) {
    if (length > kMaxDocumentBytes) {
        CString limit;
        limit.Format("a document of at most %u bytes", kMaxDocumentBytes);
        SetError(E_FAIL, limit);
        return E_FAIL;
    }
    const std::string_view raw(static_cast<const char*>(bytes), bytes != nullptr ? length : 0);
    const XmlDecodedText decoded = DecodeXmlBytes(raw);
    const std::string_view source = decoded.decoded ? std::string_view(decoded.text) : raw;

    FirstError first;
    xmlParserCtxtPtr context = xmlNewParserCtxt();
    if (context == nullptr) {
        SetError(E_OUTOFMEMORY, "memory for the parser");
        return E_OUTOFMEMORY;
    }
    // No XML_PARSE_NOENT, XML_PARSE_DTDLOAD or XML_PARSE_HUGE: entities stay references, external
    // subsets are not read, and libxml2's limits on entity amplification and node sizes hold.
    int options = XML_PARSE_NONET | XML_PARSE_NOBLANKS;
    if (decoded.decoded)
        options |= XML_PARSE_IGNORE_ENC;
    xmlDocPtr doc;
    {
        const CErrorCapture capture(first);
        t_parsing = true;
        doc = xmlCtxtReadMemory(context, source.data(), static_cast<int>(source.size()), nullptr,
                                decoded.decoded ? "UTF-8" : nullptr, options);
        t_parsing = false;
    }
    const bool wellFormed = context->wellFormed != 0;
    xmlFreeParserCtxt(context);

    if (doc == nullptr || !wellFormed || xmlDocGetRootElement(doc) == nullptr) {
        if (doc != nullptr)
            xmlFreeDoc(doc);
        const HRESULT result = first.code == XML_ERR_NO_MEMORY ? E_OUTOFMEMORY : E_FAIL;
        const std::string line = LineOf(source, first.line);
        m_error = XmlParseError{
            .result = result,
            .line = first.line,
            .position = first.column,
            .found = FoundText(line, first.column, kFoundLength),
            .expected = first.set ? first.message : CString("a root element"),
            .sourceLine = CharactersFrom(line, 1, kSourceLineLength),
        };
        return result;
    }

    std::shared_ptr<CXmlTree> tree;
    try {
        tree = std::make_shared<CXmlTree>(doc);
    } catch (const std::bad_alloc&) {
        xmlFreeDoc(doc);
        SetError(E_OUTOFMEMORY, "memory for the document");
        return E_OUTOFMEMORY;
    }
    m_tree = std::move(tree);
    if (decoded.decoded)
        m_charset = decoded.charset;
    else
        m_charset = doc->encoding != nullptr ? reinterpret_cast<const char*>(doc->encoding) : "UTF-16";
    m_error = {};
    return S_OK;
}

HRESULT CXmlDocument::Save(std::string& bytes) {
    const xmlDocPtr doc = m_tree->Doc();
    if (xmlDocGetRootElement(doc) == nullptr) {
        SetError(E_FAIL, "a root element");
        return E_FAIL;
    }
    if (!NamesEncodable(doc->children, m_charset)) {
        SetError(E_FAIL, "element and attribute names that " + m_charset + " can write");
        return E_FAIL;
    }
    // libxml2 writes UTF-8; the charset conversion is ours, the same iconv that reads documents.
    xmlChar* text = nullptr;
    int size = 0;
    {
        FirstError first;
        const CErrorCapture capture(first);
        xmlDocDumpFormatMemoryEnc(doc, &text, &size, "UTF-8", 1);
    }
    if (text == nullptr) {
        SetError(E_OUTOFMEMORY, "memory for the written document");
        return E_OUTOFMEMORY;
    }
    std::string utf8(reinterpret_cast<const char*>(text), static_cast<size_t>(size));
    xmlFree(text);
    const std::string_view declared = "encoding=\"UTF-8\"";
    const size_t at = utf8.find(declared);
    if (at == std::string::npos || at > utf8.find("?>")) {
        SetError(E_UNEXPECTED, "an XML declaration from the writer");
        return E_UNEXPECTED;
    }
    utf8.replace(at, declared.size(), "encoding=\"" + m_charset.str() + "\"");
    if (!EncodeXmlText(utf8, m_charset, bytes)) {
        SetError(E_FAIL, "text that " + m_charset + " can write");
        return E_FAIL;
    }
    m_error = {};
    return S_OK;
}

CXmlElement* CXmlDocument::GetRoot() const {
    return m_tree->Wrap(xmlDocGetRootElement(m_tree->Doc()));
}

CXmlElement* CXmlDocument::CreateElement(long type, const CString& tagName) {
    if (type != kXmlElementType || ToXmlText(tagName.view()) != tagName.str() ||
        xmlValidateName(reinterpret_cast<const xmlChar*>(tagName.GetString()), 0) != 0)
        return nullptr;
    const xmlNodePtr node =
        xmlNewDocNode(m_tree->Doc(), nullptr, reinterpret_cast<const xmlChar*>(tagName.GetString()), nullptr);
    if (node == nullptr)
        return nullptr;
    m_tree->AddDetached(node);
    return m_tree->Wrap(node);
}

bool CXmlDocument::SetCharset(const CString& charset) {
    if (!IsWritableCharset(charset))
        return false;
    m_charset = charset;
    return true;
}
