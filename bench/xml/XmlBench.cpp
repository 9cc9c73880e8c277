// xml_bench roundtrip FILE: parses an XML file and writes it back to standard output.
// xml_bench base64 FILE: writes the file Base64-encoded in 76-character lines to standard output, reading
// it into a global memory block first, as the mail attachments do.

#include "library/Base64.h"
#include "platform/base/GlobalMemory.h"
#include "platform/xml/XmlDocument.h"
#include "platform/xml/XmlPtr.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

int RoundTrip(std::ifstream& in, size_t size) {
    std::string bytes(size, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(size));
    CXmlPtr<CXmlDocument> document(CXmlDocument::Create());
    std::string written;
    if (document->Load(bytes.data(), bytes.size()) != S_OK || document->Save(written) != S_OK)
        return 1;
    std::fwrite(written.data(), 1, written.size(), stdout);
    return 0;
}

int EncodeBase64(std::ifstream& in, size_t size) {
    const UniqueGlobal source(GlobalAlloc(GMEM_MOVEABLE, size));
    in.read(reinterpret_cast<char*>(CGlobalLock(source.get()).Bytes()), static_cast<std::streamsize>(size));
    DWORD length = 0;
    const UniqueGlobal text(Base64EncodeBuffer(source.get(), static_cast<int>(size), length, 76));
    if (!text)
        return 1;
    std::fwrite(CGlobalLock(text.get()).Bytes(), 1, length, stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    std::ifstream in(argv[2], std::ios::binary | std::ios::ate);
    const auto size = static_cast<size_t>(in.tellg());
    in.seekg(0);
    const std::string mode = argv[1];
    return mode == "roundtrip" ? RoundTrip(in, size) : mode == "base64" ? EncodeBase64(in, size) : 2;
}
