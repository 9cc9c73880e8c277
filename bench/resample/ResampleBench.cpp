// Reads a binary PPM and scales it with the Rastrum library's Resample, printing the time the call took,
// from the call to the freed result:
//   resample_bench PROGRAM_DIR IN.ppm WIDTH HEIGHT
// A call on a small picture comes first, so that the library's one-time start-up is not counted.
#include "bench/support/Ppm.h"
#include "platform/base/GlobalMemory.h"
#include "platform/base/Module.h"
#include "rastrum/RastrumExports.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

bool Resample(ResampleFunction resample, std::vector<BYTE>& dib, int width, int height) {
    BITMAPINFOHEADER* result =
        resample(reinterpret_cast<BITMAPINFOHEADER*>(dib.data()), DWORD(width), DWORD(height), false);
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
        std::fprintf(stderr, "usage: resample_bench PROGRAM_DIR IN.ppm WIDTH HEIGHT\n");
        return 1;
    }
    const int width = std::atoi(argv[3]), height = std::atoi(argv[4]);
    std::vector<BYTE> dib = ReadPpmDib(argv[2]);
    if (dib.empty())
        return 2;
    HMODULE rastrum = LoadLibrary((std::string(argv[1]) + "/" + kRastrumFileName).c_str());
    auto resample =
        rastrum ? reinterpret_cast<ResampleFunction>(GetProcAddress(rastrum, kResampleExportName)) : nullptr;
    if (resample == nullptr)
        return 4;
    std::vector<BYTE> warmUp = NewDib24(64, 64);
    if (!Resample(resample, warmUp, 16, 16))
        return 5;
    const auto start = std::chrono::steady_clock::now();
    if (!Resample(resample, dib, width, height))
        return 5;
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("seconds=%.6f\n", took.count());
    return 0;
}
