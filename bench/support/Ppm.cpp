#include "bench/support/Ppm.h"

#include <cstdio>
#include <cstring>

namespace {

std::size_t RowBytes(int width) {
    return static_cast<std::size_t>(DibRowBytes(width, 24));
}

} // namespace

std::vector<BYTE> NewDib24(int width, int height) {
    std::vector<BYTE> dib(sizeof(BITMAPINFOHEADER) + RowBytes(width) * std::size_t(height));
    const BITMAPINFOHEADER header = Dib24Header(width, height);
    std::memcpy(dib.data(), &header, sizeof header);
    return dib;
}

std::vector<BYTE> ReadPpmDib(const char* path) {
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr)
        return {};
    int width = 0, height = 0, maxValue = 0;
    const bool header = std::fscanf(file, "P6 %d %d %d", &width, &height, &maxValue) == 3 &&
                        maxValue == 255 && width > 0 && height > 0;
    std::vector<BYTE> rgb(header ? std::size_t(width) * std::size_t(height) * 3 : 0);
    // One white-space byte ends the header.
    const bool read =
        header && std::fgetc(file) != EOF && std::fread(rgb.data(), 1, rgb.size(), file) == rgb.size();
    std::fclose(file);
    if (!read)
        return {};
    std::vector<BYTE> dib = NewDib24(width, height);
    for (int y = 0; y < height; ++y) {
        const BYTE* in = rgb.data() + std::size_t(y) * std::size_t(width) * 3;
        BYTE* out = dib.data() + sizeof(BITMAPINFOHEADER) + RowBytes(width) * std::size_t(height - 1 - y);
        for (int x = 0; x < width; ++x, in += 3, out += 3)
            out[0] = in[2], out[1] = in[1], out[2] = in[0];
    }
    return dib;
}

bool WriteDibPpm(const BITMAPINFOHEADER* dib, const char* path) {
    const int width = dib->biWidth, height = dib->biHeight;
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr)
        return false;
    std::fprintf(file, "P6\n%d %d\n255\n", width, height);
    const BYTE* bits = reinterpret_cast<const BYTE*>(dib) + sizeof(BITMAPINFOHEADER);
    std::vector<BYTE> rgb(std::size_t(width) * 3);
    for (int y = 0; y < height; ++y) {
        const BYTE* in = bits + RowBytes(width) * std::size_t(height - 1 - y);
        for (int x = 0; x < width; ++x)
            rgb[3 * x] = in[3 * x + 2], rgb[3 * x + 1] = in[3 * x + 1], rgb[3 * x + 2] = in[3 * x];
        std::fwrite(rgb.data(), 1, rgb.size(), file);
    }
    return std::fclose(file) == 0;
}
