// Writes the stored settings of a few adjusted pictures, one file for each version tag the settings
// fuzzer picks with its first byte, into the folder given as the last argument.

#include "fuzz/image/StoredSettings.h"

#include <cstdio>
#include <string>

namespace {

void Write(const std::string& path, BYTE tagIndex, CAdjustImage& adjust) {
    const std::vector<BYTE> bytes = StoreSettings(adjust, kSettingsTags[tagIndex]);
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out) {
        std::fputc(tagIndex, out);
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return 1;
    const std::string folder = argv[argc - 1];
    for (BYTE i = 0; i < std::size(kSettingsTags); ++i) {
        CAdjustImage plain(false);
        Write(folder + "/plain" + std::to_string(i), i, plain);

        CAdjustImage adjusted(false);
        adjusted.SetFilePath("/bilder/strand.jpg");
        adjusted.SetAdjustPercent(kAdjustContrast, 70);
        adjusted.SetAdjustPercent(kAdjustSwirl, 40);
        adjusted.SetCrop(true, 0.1, 0.9, 0.2, 0.7);
        adjusted.rotation = 450;
        adjusted.mirror = 1;
        Write(folder + "/adjusted" + std::to_string(i), i, adjusted);

        CAdjustImage redEye(false);
        redEye.SetCurrentShapeEntry(0.2, 0.4, 0.2, 0.4);
        redEye.SetAdjustPercent(kAdjustRedEye, 60);
        redEye.PushShapeEntry();
        redEye.SetCurrentShapeEntry(0.6, 0.8, 0.2, 0.4);
        Write(folder + "/redeye" + std::to_string(i), i, redEye);
    }
    return 0;
}
