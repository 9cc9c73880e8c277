// Reads a binary PPM, scales it with the Rastrum library's Resample (or, for the baseline run, cuts
// out a rectangle of the target size) and writes the result as a PPM:
//   resample_bench resample|crop PROGRAM_DIR IN.ppm WIDTH HEIGHT OUT.ppm
// The baseline run reads and writes the same amounts, so that the difference is the scaling alone.
#include "bench/support/Ppm.h"
#include "platform/base/GlobalMemory.h"
#include "platform/base/Module.h"
#include "rastrum/RastrumExports.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::size_t RowBytes(int width) {
    return std::size_t(DibRowBytes(width, 24));
}

std::vector<BYTE> Crop(const std::vector<BYTE>& dib, int width, int height) {
    const auto* source = reinterpret_cast<const BITMAPINFOHEADER*>(dib.data());
    std::vector<BYTE> cut(40 + RowBytes(width) * std::size_t(height));
    BITMAPINFOHEADER header = *source;
    header.biWidth = width;
    header.biHeight = height;
    header.biSizeImage = DWORD(RowBytes(width) * std::size_t(height));
    std::memcpy(cut.data(), &header, 40);
    for (int y = 0; y < height; ++y)
        std::memcpy(cut.data() + 40 + RowBytes(width) * std::size_t(y),
                    dib.data() + 40 + RowBytes(source->biWidth) * std::size_t(y), std::size_t(width) * 3);
    return cut;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 7)
        return 1;
    const std::string mode = argv[1];
    const int width = std::atoi(argv[4]), height = std::atoi(argv[5]);
    std::vector<BYTE> dib = ReadPpmDib(argv[3]);
    if (dib.empty())
        return 2;
    HMODULE rastrum = LoadLibrary((std::string(argv[2]) + "/" + kRastrumFileName).c_str());
    if (rastrum == nullptr)
        return 4;
    if (mode == "crop") {
        std::vector<BYTE> cut = Crop(dib, width, height);
        return WriteDibPpm(reinterpret_cast<BITMAPINFOHEADER*>(cut.data()), argv[6]) ? 0 : 3;
    }
    auto resample = reinterpret_cast<ResampleFunction>(GetProcAddress(rastrum, kResampleExportName));
    BITMAPINFOHEADER* result =
        resample(reinterpret_cast<BITMAPINFOHEADER*>(dib.data()), DWORD(width), DWORD(height), false);
    if (result == nullptr)
        return 5;
    const bool written = WriteDibPpm(result, argv[6]);
    HGLOBAL block = GlobalHandle(result);
    GlobalUnlock(block);
    GlobalFree(block);
    return written ? 0 : 3;
}
