#pragma once
// Small helpers of the XML tests: documents from text, temporary folders and the system's Python.

#include "platform/xml/XmlDocument.h"
#include "platform/xml/XmlElement.h"
#include "platform/xml/XmlElementCollection.h"
#include "platform/xml/XmlPtr.h"
#include "tests/support/RunTool.h"
#include "tests/support/TempFolder.h"

#include <fstream>
#include <string>
#include <string_view>

namespace xmltest {

using DocumentPtr = CXmlPtr<CXmlDocument>;
using ElementPtr = CXmlPtr<CXmlElement>;
using CollectionPtr = CXmlPtr<CXmlElementCollection>;

inline DocumentPtr Parse(std::string_view text, HRESULT* result = nullptr) {
    DocumentPtr document(CXmlDocument::Create());
    const HRESULT hr = document->Load(text.data(), text.size());
    if (result != nullptr)
        *result = hr;
    return document;
}

inline std::string Save(CXmlDocument* document) {
    std::string bytes;
    return document->Save(bytes) == S_OK ? bytes : std::string("(save failed)");
}

inline CString Attribute(CXmlElement* element, const char* name) {
    CString value = "(missing)";
    element->GetAttribute(name, value);
    return value;
}

inline ElementPtr Child(CXmlElement* parent, const char* tagName) {
    const CollectionPtr children(parent->GetChildren());
    return ElementPtr(children->ItemByName(tagName));
}

// A file name in a test's folder.
inline std::string FileIn(const TempFolder& folder, const char* name) {
    return folder.Path().str() + "/" + name;
}

inline void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Runs /usr/bin/python3 with the script and arguments; its standard output, or "(python failed)".
inline std::string RunPython(const std::string& script, const std::string& arguments) {
    TempFolder folder;
    const std::string scriptPath = FileIn(folder, "script.py");
    WriteBytes(scriptPath, script);
    std::string out;
    return RunTool("/usr/bin/python3 " + scriptPath + " " + arguments, &out) == 0 ? out : "(python failed)";
}

} // namespace xmltest
