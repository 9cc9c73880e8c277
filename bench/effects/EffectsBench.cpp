// Reads a binary PPM into a 24-bit DIB, runs one export of the effects library on it and prints the
// time the call took, from the call to the freed result:
//   effects_bench PROGRAM_DIR IN.ppm EFFECT STRENGTH
// A call on a small picture comes first, so that the library's one-time start-up is not counted.
#include "effects/EffectsExports.h"
#include "platform/base/GlobalMemory.h"
#include "platform/base/Module.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::size_t RowBytes(int width) {
    return std::size_t((width * 24 + 31) / 32 * 4);
}

std::vector<BYTE> MakeDib(int width, int height) {
    std::vector<BYTE> dib(40 + RowBytes(width) * std::size_t(height));
    BITMAPINFOHEADER header{};
    header.biSize = 40;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biSizeImage = DWORD(RowBytes(width) * std::size_t(height));
    std::memcpy(dib.data(), &header, 40);
    return dib;
}

std::vector<BYTE> ReadPpm(const char* path) {
    FILE* file = std::fopen(path, "rb");
    int width = 0, height = 0, maxValue = 0;
    if (file == nullptr || std::fscanf(file, "P6 %d %d %d", &width, &height, &maxValue) != 3 ||
        maxValue != 255)
        std::exit(2);
    std::fgetc(file);
    std::vector<BYTE> rgb(std::size_t(width) * std::size_t(height) * 3);
    if (std::fread(rgb.data(), 1, rgb.size(), file) != rgb.size())
        std::exit(2);
    std::fclose(file);
    std::vector<BYTE> dib = MakeDib(width, height);
    for (int y = 0; y < height; ++y) {
        const BYTE* in = rgb.data() + std::size_t(y) * std::size_t(width) * 3;
        BYTE* out = dib.data() + 40 + RowBytes(width) * std::size_t(height - 1 - y);
        for (int x = 0; x < width; ++x, in += 3, out += 3)
            out[0] = in[2], out[1] = in[1], out[2] = in[0];
    }
    return dib;
}

bool Run(FARPROC address, bool isNegative, std::vector<BYTE>& dib, int strength) {
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(dib.data());
    BITMAPINFOHEADER* result = isNegative ? reinterpret_cast<NegativeFunction>(address)(header)
                                          : reinterpret_cast<EffectFunction>(address)(header, strength);
    if (result == nullptr)
        return false;
    HGLOBAL block = GlobalHandle(result);
    GlobalUnlock(block);
    GlobalFree(block);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: effects_bench PROGRAM_DIR IN.ppm EFFECT STRENGTH\n");
        return 1;
    }
    HMODULE module = LoadLibrary((std::string(argv[1]) + "/" + kEffectsFileName).c_str());
    FARPROC address = module ? GetProcAddress(module, argv[3]) : nullptr;
    if (address == nullptr)
        return 3;
    const bool isNegative = std::strcmp(argv[3], kNegativeExportName) == 0;
    const int strength = std::atoi(argv[4]);

    std::vector<BYTE> warmUp = MakeDib(64, 64);
    std::vector<BYTE> picture = ReadPpm(argv[2]);
    if (!Run(address, isNegative, warmUp, strength))
        return 4;
    const auto start = std::chrono::steady_clock::now();
    if (!Run(address, isNegative, picture, strength))
        return 4;
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("seconds=%.6f\n", took.count());
    return 0;
}
