// Writes the stored settings of a few adjusted pictures, one file for each version tag the settings
// fuzzer picks with its first byte, into the folder given as the last argument.

#include "image/AdjustImage.h"
#include "platform/base/Archive.h"
#include "platform/base/MemFile.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void Write(const std::string& path, BYTE tagIndex, const char* tag, CAdjustImage& adjust) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        adjust.SerializeSettings(ar, tag);
        ar.Close();
    }
    const auto length = static_cast<size_t>(file.GetLength());
    BYTE* block = file.Detach();
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out) {
        std::fputc(tagIndex, out);
        std::fwrite(block, 1, length, out);
        std::fclose(out);
    }
    std::free(block);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return 1;
    const std::string folder = argv[argc - 1];
    const char* tags[] = {"4.1.b", "4.1.a", "3.0.a", "2.0.2", "1.0.a"};
    for (BYTE i = 0; i < 5; ++i) {
        CAdjustImage plain(false);
        Write(folder + "/plain" + std::to_string(i), i, tags[i], plain);

        CAdjustImage adjusted(false);
        adjusted.SetFilePath("/bilder/strand.jpg");
        adjusted.SetAdjustPercent(kAdjustContrast, 70);
        adjusted.SetAdjustPercent(kAdjustSwirl, 40);
        adjusted.SetCrop(true, 0.1, 0.9, 0.2, 0.7);
        adjusted.rotation = 450;
        adjusted.mirror = 1;
        Write(folder + "/adjusted" + std::to_string(i), i, tags[i], adjusted);

        CAdjustImage redEye(false);
        redEye.SetCurrentShapeEntry(0.2, 0.4, 0.2, 0.4);
        redEye.SetAdjustPercent(kAdjustRedEye, 60);
        redEye.PushShapeEntry();
        redEye.SetCurrentShapeEntry(0.6, 0.8, 0.2, 0.4);
        Write(folder + "/redeye" + std::to_string(i), i, tags[i], redEye);
    }
    return 0;
}
