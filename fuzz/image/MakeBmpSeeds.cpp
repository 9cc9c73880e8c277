// Writes small valid BMP files of every kind the picture reader accepts into the folder given as the last
// argument; with --archive first, the pictures' archive form instead (32-bit length, then the DIB).

#include "DibFixtures.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<RGBQUAD> Ramp(int entries) {
    std::vector<RGBQUAD> table;
    for (int i = 0; i < entries; ++i)
        table.push_back(RGBQUAD{BYTE(i * 7), BYTE(i * 3), BYTE(i), 0});
    return table;
}

DibSpec Plain(WORD bitCount, LONG width, LONG height) {
    DibSpec layout;
    layout.bitCount = bitCount;
    layout.width = width;
    layout.height = height;
    if (bitCount <= 8)
        layout.table = Ramp(1 << bitCount);
    const std::size_t rowBytes = std::size_t((width * bitCount + 31) / 32 * 4);
    for (std::size_t i = 0; i < rowBytes * std::size_t(height < 0 ? -height : height); ++i)
        layout.bits.push_back(BYTE(i * 37));
    return layout;
}

bool g_archiveForm = false;

void Write(const std::string& folder, const char* name, std::vector<BYTE> bytes) {
    if (g_archiveForm) {
        bytes.erase(bytes.begin(), bytes.begin() + sizeof(BITMAPFILEHEADER));
        const auto length = static_cast<DWORD>(bytes.size());
        bytes.insert(bytes.begin(),
                     {BYTE(length), BYTE(length >> 8), BYTE(length >> 16), BYTE(length >> 24)});
    }
    const std::string path = folder + "/" + name;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return 1;
    const std::string folder = argv[argc - 1];
    g_archiveForm = std::string(argv[1]) == "--archive";
    for (WORD bitCount : {1, 4, 8, 16, 24, 32})
        Write(folder, ("plain" + std::to_string(bitCount) + ".bmp").c_str(),
              BuildBmpFile(Plain(bitCount, 5, 3)));
    Write(folder, "topdown.bmp", BuildBmpFile(Plain(24, 3, -4)));
    Write(folder, "gap.bmp", BuildBmpFile(Plain(8, 3, 2), 6));

    DibSpec core = Plain(8, 4, 2);
    core.headerSize = 12;
    Write(folder, "core.bmp", BuildBmpFile(core));

    DibSpec v5 = Plain(32, 3, 2);
    v5.headerSize = 124;
    v5.compression = BI_BITFIELDS;
    v5.masks = {0xFF, 0xFF00, 0xFF0000};
    Write(folder, "v5.bmp", BuildBmpFile(v5));

    DibSpec rgb565 = Plain(16, 4, 2);
    rgb565.compression = BI_BITFIELDS;
    rgb565.masks = {0xF800, 0x07E0, 0x001F};
    Write(folder, "565.bmp", BuildBmpFile(rgb565));

    DibSpec rle8 = Plain(8, 6, 3);
    rle8.compression = BI_RLE8;
    rle8.bits = {3, 1, 0, 3, 2, 3, 4, 0, 0, 0, 0, 2, 1, 0, 1, 7, 0, 0, 8, 9, 0, 1};
    Write(folder, "rle8.bmp", BuildBmpFile(rle8));

    DibSpec rle4 = Plain(4, 5, 2);
    rle4.compression = BI_RLE4;
    rle4.bits = {5, 0x12, 0, 0, 0, 3, 0x34, 0x10, 0, 2, 1, 0, 2, 0x44, 0, 1};
    Write(folder, "rle4.bmp", BuildBmpFile(rle4));
    return 0;
}
