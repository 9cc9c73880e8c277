// Reads a binary PPM into a 24-bit DIB, runs one export of the effects library on it and prints the
// time the call took, from the call to the freed result:
//   effects_bench PROGRAM_DIR IN.ppm EFFECT STRENGTH
// A call on a small picture comes first, so that the library's one-time start-up is not counted.
#include "bench/support/Ppm.h"
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

    std::vector<BYTE> warmUp = NewDib24(64, 64);
    std::vector<BYTE> picture = ReadPpmDib(argv[2]);
    if (picture.empty())
        return 2;
    if (!Run(address, isNegative, warmUp, strength))
        return 4;
    const auto start = std::chrono::steady_clock::now();
    if (!Run(address, isNegative, picture, strength))
        return 4;
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("seconds=%.6f\n", took.count());
    return 0;
}
