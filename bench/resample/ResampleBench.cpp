// Reads a binary PPM, scales it with the Rastrum library's Resample (or, for the baseline run, cuts
// out a rectangle of the target size) and writes the result as a PPM:
//   resample_bench resample|crop PROGRAM_DIR IN.ppm WIDTH HEIGHT OUT.ppm
// The baseline run reads and writes the same amounts, so that the difference is the scaling alone.
#include "platform/base/GlobalMemory.h"
#include "platform/base/Module.h"
#include "rastrum/RastrumExports.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::size_t RowBytes(int width) {
    return std::size_t((width * 24 + 31) / 32 * 4);
}

std::vector<BYTE> ReadPpm(const char* path) {
    FILE* file = std::fopen(path, "rb");
    int width = 0, height = 0, maxValue = 0;
    if (file == nullptr || std::fscanf(file, "P6 %d %d %d", &width, &height, &maxValue) != 3 ||
        maxValue != 255)
        std::exit(2);
    std::fgetc(file);
    std::vector<BYTE> rgb(std::size_t(width) * height * 3);
    if (std::fread(rgb.data(), 1, rgb.size(), file) != rgb.size())
        std::exit(2);
    std::fclose(file);

    std::vector<BYTE> dib(40 + RowBytes(width) * std::size_t(height));
    BITMAPINFOHEADER header{};
    header.biSize = 40;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biSizeImage = DWORD(RowBytes(width) * std::size_t(height));
    std::memcpy(dib.data(), &header, 40);
    for (int y = 0; y < height; ++y) {
        const BYTE* in = rgb.data() + std::size_t(y) * width * 3;
        BYTE* out = dib.data() + 40 + RowBytes(width) * std::size_t(height - 1 - y);
        for (int x = 0; x < width; ++x, in += 3, out += 3)
            out[0] = in[2], out[1] = in[1], out[2] = in[0];
    }
    return dib;
}

void WritePpm(const char* path, const BITMAPINFOHEADER* dib) {
    const int width = dib->biWidth, height = dib->biHeight;
    std::vector<BYTE> rgb(std::size_t(width) * height * 3);
    const BYTE* bits = reinterpret_cast<const BYTE*>(dib) + 40;
    for (int y = 0; y < height; ++y) {
        const BYTE* in = bits + RowBytes(width) * std::size_t(height - 1 - y);
        BYTE* out = rgb.data() + std::size_t(y) * width * 3;
        for (int x = 0; x < width; ++x, in += 3, out += 3)
            out[0] = in[2], out[1] = in[1], out[2] = in[0];
    }
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr)
        std::exit(3);
    std::fprintf(file, "P6\n%d %d\n255\n", width, height);
    std::fwrite(rgb.data(), 1, rgb.size(), file);
    std::fclose(file);
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
    std::vector<BYTE> dib = ReadPpm(argv[3]);
    HMODULE rastrum = LoadLibrary((std::string(argv[2]) + "/" + kRastrumFileName).c_str());
    if (rastrum == nullptr)
        return 4;
    if (mode == "crop") {
        WritePpm(argv[6], reinterpret_cast<BITMAPINFOHEADER*>(Crop(dib, width, height).data()));
        return 0;
    }
    auto resample = reinterpret_cast<ResampleFunction>(GetProcAddress(rastrum, kResampleExportName));
    BITMAPINFOHEADER* result =
        resample(reinterpret_cast<BITMAPINFOHEADER*>(dib.data()), DWORD(width), DWORD(height), false);
    if (result == nullptr)
        return 5;
    WritePpm(argv[6], result);
    HGLOBAL block = GlobalHandle(result);
    GlobalUnlock(block);
    GlobalFree(block);
    return 0;
}
