#include "platform/imaging/PcxCodec.h"

#include "platform/base/ByteOrder.h"
#include "platform/imaging/DepthConversion.h"

#include <algorithm>

namespace {

constexpr std::size_t kHeaderBytes = 128;
constexpr BYTE kManufacturer = 0x0A;
constexpr BYTE kVersionWithPalette = 5;
constexpr BYTE kRunLengthEncoding = 1;
// A byte with both top bits set is a run count in its low six bits; data of that form is written as a
// run of one.
constexpr BYTE kRunMarker = 0xC0;
constexpr int kLongestRun = 0x3F;
// The 256-colour palette follows the pixel data behind this byte.
constexpr BYTE kPaletteMarker = 0x0C;

// Readers show a 1-bit file in black and white whatever its header palette holds, so the pixels of the
// lighter of the picture's two colours are written as white: the index that becomes bit 1.
int WhiteIndex(const DibLayout& dib) {
    auto brightness = [&](int i) {
        return i < dib.paletteEntries
                   ? Brightness(dib.palette[i].rgbRed, dib.palette[i].rgbGreen, dib.palette[i].rgbBlue)
                   : -1;
    };
    if (dib.paletteEntries < 2)
        return brightness(0) >= 128 ? 0 : 1;
    return brightness(0) > brightness(1) ? 0 : 1;
}

int DepthOfPlanes(int bitsPerPlane, int planes) {
    const int bits = bitsPerPlane * planes;
    if (bits == 1)
        return 1;
    if (bits <= 4)
        return 4;
    if (bits == 8 && planes == 1)
        return 8;
    if (bitsPerPlane == 8 && planes == 3)
        return 24;
    if (bitsPerPlane == 8 && planes == 4)
        return 32;
    return 0;
}

void AppendRuns(const std::vector<BYTE>& line, std::vector<BYTE>& out) {
    for (std::size_t i = 0; i < line.size();) {
        const BYTE value = line[i];
        std::size_t run = 1;
        while (i + run < line.size() && line[i + run] == value && run < kLongestRun)
            ++run;
        if (run > 1 || (value & kRunMarker) == kRunMarker)
            out.push_back(BYTE(kRunMarker | run));
        out.push_back(value);
        i += run;
    }
}

} // namespace

bool IsPcxFile(std::span<const BYTE> file) {
    if (file.size() < kHeaderBytes || file[0] != kManufacturer || file[2] > kRunLengthEncoding)
        return false;
    const BYTE version = file[1];
    const BYTE bitsPerPlane = file[3];
    return (version == 0 || (version >= 2 && version <= 5)) &&
           (bitsPerPlane == 1 || bitsPerPlane == 2 || bitsPerPlane == 4 || bitsPerPlane == 8);
}

bool ReadPcxInfo(std::span<const BYTE> file, ImagingFileInfo& info) {
    if (!IsPcxFile(file))
        return false;
    const int depth = DepthOfPlanes(file[3], file[65]);
    const int xMin = ReadLe16(&file[4]), yMin = ReadLe16(&file[6]);
    const int xMax = ReadLe16(&file[8]), yMax = ReadLe16(&file[10]);
    if (depth == 0 || xMax < xMin || yMax < yMin)
        return false;
    info.width = xMax - xMin + 1;
    info.height = yMax - yMin + 1;
    info.bitsPerPixel = depth;
    info.compression = file[2] == kRunLengthEncoding ? "RLE" : "None";
    info.hasTransparency = depth == 32;
    return true;
}

int EncodePcx(const CImagingBitmap& bitmap, int bitsPerPixel, std::vector<BYTE>& file) {
    if (bitsPerPixel == 0)
        bitsPerPixel = bitmap.GetBitsPerPixel() > 8 ? 24 : bitmap.GetBitsPerPixel();
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 24)
        return kImagingErrorFormat;
    const int width = bitmap.GetWidth(), height = bitmap.GetHeight();
    if (width > 0xFFFF || height > 0xFFFF)
        return kImagingErrorFormat;
    CImagingBitmap prepared;
    prepared.Attach(ConvertedDib(bitmap, bitsPerPixel, 1 << std::min(bitsPerPixel, 8)));
    DibLayout dib;
    const std::vector<BYTE>& block = prepared.GetDib();
    ReadDibLayout(reinterpret_cast<const BITMAPINFOHEADER*>(block.data()), block.size(), dib);

    const int planes = bitsPerPixel == 4 ? 4 : bitsPerPixel == 24 ? 3 : 1;
    const int bitsPerPlane = bitsPerPixel == 8 || bitsPerPixel == 24 ? 8 : 1;
    // Bytes of one plane of one line, even as the format asks.
    const int lineBytes = ((width * bitsPerPlane + 7) / 8 + 1) & ~1;

    file.assign(kHeaderBytes, 0);
    file[0] = kManufacturer;
    file[1] = kVersionWithPalette;
    file[2] = kRunLengthEncoding;
    file[3] = BYTE(bitsPerPlane);
    // Window: xMin, yMin, xMax, yMax.
    file[8] = BYTE(width - 1), file[9] = BYTE((width - 1) >> 8);
    file[10] = BYTE(height - 1), file[11] = BYTE((height - 1) >> 8);
    file[12] = 72, file[14] = 72; // dots per inch
    const int whiteIndex = WhiteIndex(dib);
    if (bitsPerPixel == 1)
        std::fill(file.begin() + 19, file.begin() + 22, BYTE(0xFF)); // black, white
    for (int i = 0; i < 16 && i < dib.paletteEntries && bitsPerPixel == 4; ++i) {
        file[16 + 3 * std::size_t(i)] = dib.palette[i].rgbRed;
        file[17 + 3 * std::size_t(i)] = dib.palette[i].rgbGreen;
        file[18 + 3 * std::size_t(i)] = dib.palette[i].rgbBlue;
    }
    file[65] = BYTE(planes);
    file[66] = BYTE(lineBytes), file[67] = BYTE(lineBytes >> 8);
    file[68] = 1; // colour palette

    const BytePixels pixels = ReadBytePixels(dib);
    std::vector<BYTE> line(static_cast<std::size_t>(lineBytes));
    for (int y = height - 1; y >= 0; --y) {
        const BYTE* row = pixels.Row(y);
        for (int plane = 0; plane < planes; ++plane) {
            std::fill(line.begin(), line.end(), 0);
            for (int x = 0; x < width; ++x) {
                if (bitsPerPixel == 24)
                    line[std::size_t(x)] = row[3 * x + 2 - plane]; // red, green, blue planes
                else if (bitsPerPixel == 8)
                    line[std::size_t(x)] = row[x];
                else if (bitsPerPixel == 1 ? row[x] == whiteIndex : (row[x] >> plane) & 1)
                    line[std::size_t(x >> 3)] |= BYTE(0x80 >> (x & 7));
            }
            AppendRuns(line, file);
        }
    }
    if (bitsPerPixel == 8) {
        file.push_back(kPaletteMarker);
        for (int i = 0; i < 256; ++i) {
            const RGBQUAD entry = i < dib.paletteEntries ? dib.palette[i] : RGBQUAD{};
            file.push_back(entry.rgbRed), file.push_back(entry.rgbGreen), file.push_back(entry.rgbBlue);
        }
    }
    return kImagingSuccess;
}
