// Opens arbitrary bytes as an archive and extracts, finds and lists every entry: no crash, no leak, no
// allocation beyond the limits.
#include "library/zip/ZipArchive.h"
#include "platform/base/Exception.h"
#include "platform/base/GlobalMemory.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

// The archive is a file: the component reads through one. Removed when the fuzzer ends.
struct FuzzFile {
    FuzzFile() : path("/tmp/vc-zip-fuzz-" + std::to_string(getpid()) + ".zip") {}
    ~FuzzFile() { unlink(path.c_str()); }
    std::string path;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const FuzzFile fuzzFile;
    const std::string& path = fuzzFile.path;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    CZipArchive archive;
    try {
        if (!archive.Open(path.c_str(), CZipArchive::zipOpenReadOnly))
            return 0;
        for (int i = 0; i < archive.GetEntryCount(); ++i) {
            CZipEntryHeader header;
            archive.GetEntryInfo(static_cast<WORD>(i), header);
            archive.FindFile(header.GetFileName());
            try {
                DWORD entrySize = 0;
                GlobalFree(archive.ExtractToMemory(static_cast<WORD>(i), entrySize));
            } catch (CException* e) {
                e->Delete();
            }
        }
        archive.Close();
    } catch (CException* e) {
        e->Delete();
    }
    return 0;
}
