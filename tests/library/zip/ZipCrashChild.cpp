// Changes an album archive as the album code does and closes it; the crash test kills it on the way.
// Usage: zip_crash_child ARCHIVE MEBIBYTES. Writes one byte to standard output when it starts the change.
#include "library/zip/ZipArchive.h"
#include "tests/library/zip/ZipTestTools.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    // The same bytes in every run, which deflate does not shrink: xorshift64, eight bytes a step.
    std::string large(static_cast<size_t>(std::atoi(argv[2])) << 20, '\0');
    std::uint64_t state = 0x9E3779B97F4A7C15;
    for (size_t i = 0; i + 8 <= large.size(); i += 8) {
        state ^= state << 13, state ^= state >> 7, state ^= state << 17;
        std::memcpy(&large[i], &state, 8);
    }
    CZipArchive archive;
    if (!archive.Open(argv[1]))
        return 1;
    if (write(STDOUT_FILENO, "!", 1) != 1)
        return 1;
    archive.DeleteFiles(Names({"index.xml"}));
    AddBytes(archive, "index.xml", "neu");
    AddBytes(archive, "gross.bin", large);
    archive.Close();
    return 0;
}
