// Reads arbitrary bytes as a language module: the resource container, the manifest check, and every
// dialog template the container holds.

#include "platform/base/DialogTemplate.h"
#include "platform/base/RccFormat.h"
#include "platform/base/ResourceFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::map<std::string, std::vector<BYTE>> entries;
    if (ReadRccEntries(data, size, entries)) {
        for (const auto& [path, contents] : entries) {
            DialogTemplate dialog;
            if (path.rfind("dialog/", 0) == 0) {
                ParseDialogTemplate(contents.data(), static_cast<DWORD>(contents.size()), dialog);
            }
        }
    }
    CResourceFile::FromBytes(data, size);
    return 0;
}
