// GIF files written field by field for the reader's tests.

#include "GifFixtures.h"

namespace {

void PutWord(std::string& out, int value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

} // namespace

int GifTableSizeBits(std::size_t colours) {
    int bits = 0;
    while ((std::size_t{2} << bits) < colours)
        ++bits;
    return bits;
}

std::string GifColourTable(const std::vector<DWORD>& colours) {
    const std::size_t entries = std::size_t{2} << GifTableSizeBits(colours.size());
    std::string table;
    for (std::size_t i = 0; i < entries; ++i) {
        const DWORD colour = i < colours.size() ? colours[i] : 0;
        table += static_cast<char>(colour >> 16);
        table += static_cast<char>(colour >> 8);
        table += static_cast<char>(colour);
    }
    return table;
}

std::string UncompressedGifData(const std::vector<BYTE>& pixels, int minimumCodeSize) {
    const int clear = 1 << minimumCodeSize;
    const int codeSize = minimumCodeSize + 1;
    // After a clear the first code adds no entry and each later one adds one; the code size grows once
    // the next free code (clear + 2 after a clear) reaches 2 * clear, so a run stays below that.
    const std::size_t run = static_cast<std::size_t>(clear - 2);
    std::vector<int> codes;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        if (i % run == 0)
            codes.push_back(clear);
        codes.push_back(pixels[i]);
    }
    codes.push_back(clear + 1);
    std::string bytes;
    unsigned bits = 0;
    int count = 0;
    for (int code : codes) {
        bits |= static_cast<unsigned>(code) << count;
        count += codeSize;
        while (count >= 8) {
            bytes += static_cast<char>(bits & 0xFF);
            bits >>= 8;
            count -= 8;
        }
    }
    if (count > 0)
        bytes += static_cast<char>(bits & 0xFF);
    std::string data(1, static_cast<char>(minimumCodeSize));
    for (std::size_t at = 0; at < bytes.size(); at += 255) {
        const std::string block = bytes.substr(at, 255);
        data += static_cast<char>(block.size());
        data += block;
    }
    data += '\0';
    return data;
}

std::string BuildGif(const GifLayout& layout) {
    std::string file = "GIF" + layout.version;
    PutWord(file, layout.width);
    PutWord(file, layout.height);
    const bool global = !layout.globalTable.empty();
    file += static_cast<char>(global ? 0x80 | 0x70 | GifTableSizeBits(layout.globalTable.size()) : 0);
    file += '\0';
    file += '\0';
    if (global)
        file += GifColourTable(layout.globalTable);
    if (layout.transparentIndex >= 0) {
        file += std::string("\x21\xF9\x04\x01\x00\x00", 6);
        file += static_cast<char>(layout.transparentIndex);
        file += '\0';
    }
    file += '\x2C';
    PutWord(file, 0);
    PutWord(file, 0);
    PutWord(file, layout.width);
    PutWord(file, layout.height);
    const bool local = !layout.localTable.empty();
    file += static_cast<char>((local ? 0x80 | GifTableSizeBits(layout.localTable.size()) : 0) |
                              (layout.interlaced ? 0x40 : 0));
    if (local)
        file += GifColourTable(layout.localTable);
    file += UncompressedGifData(layout.pixels, layout.minimumCodeSize);
    file += ';';
    return file;
}
