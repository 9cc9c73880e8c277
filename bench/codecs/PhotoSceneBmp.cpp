// Writes the photo-like test picture as a BMP file, for benchmarks that have real tools encode it:
//   photoscene_bmp <width> <height> <file.bmp>

#include "tools/photoscene/PhotoScene.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: photoscene_bmp <width> <height> <file.bmp>\n");
        return 2;
    }
    const std::vector<BYTE> dib = MakePhotoScene(std::atoi(argv[1]), std::atoi(argv[2]));
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42; // "BM"
    header.bfSize = static_cast<DWORD>(sizeof header + dib.size());
    header.bfOffBits = sizeof header + sizeof(BITMAPINFOHEADER);
    std::FILE* file = std::fopen(argv[3], "wb");
    if (!file)
        return 1;
    const bool written = std::fwrite(&header, sizeof header, 1, file) == 1 &&
                         std::fwrite(dib.data(), dib.size(), 1, file) == 1;
    return std::fclose(file) == 0 && written ? 0 : 1;
}
