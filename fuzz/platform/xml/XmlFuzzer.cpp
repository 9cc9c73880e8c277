// Parses arbitrary bytes, walks and changes the tree the way the album code does, writes it and reads it
// back: no crash, no leak, and every document we write must parse again.

#include "platform/xml/XmlDocument.h"
#include "platform/xml/XmlElement.h"
#include "platform/xml/XmlElementCollection.h"
#include "platform/xml/XmlPtr.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Visit(CXmlDocument* document, CXmlElement* element, int depth) {
    CString value;
    element->GetAttribute("HREF", value);
    element->GetAttribute("title", value);
    element->SetAttribute("Title", value + "\xC3\xA4\xE2\x82\xAC");
    CXmlPtr<CXmlElementCollection> children(element->GetChildren());
    const long length = children->GetLength();
    for (long i = 0; i < length && depth < 8; ++i) {
        CXmlPtr<CXmlElement> child(children->ItemByIndex(i));
        if (child)
            Visit(document, child.Get(), depth + 1);
    }
    CXmlPtr<CXmlElement> first(children->ItemByIndex(0));
    if (first && element->RemoveChild(first.Get()))
        element->AddChild(first.Get(), length);
    CXmlPtr<CXmlElement> added(document->CreateElement(kXmlElementType, "OBJECT"));
    element->AddChild(added.Get(), 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    CXmlPtr<CXmlDocument> document(CXmlDocument::Create());
    if (document->Load(data, size) != S_OK)
        return 0;
    CXmlPtr<CXmlElement> root(document->GetRoot());
    Visit(document.Get(), root.Get(), 0);
    std::string bytes;
    if (document->Save(bytes) != S_OK)
        return 0;
    CXmlPtr<CXmlDocument> reread(CXmlDocument::Create());
    if (reread->Load(bytes.data(), bytes.size()) != S_OK)
        std::abort();
    return 0;
}
