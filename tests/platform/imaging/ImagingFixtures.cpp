#include "ImagingFixtures.h"

#include "TestDibs.h"
#include "image/DibValidation.h"
#include "tests/support/RunTool.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

CImagingBitmap BitmapOf(const std::vector<BYTE>& dib) {
    CImagingBitmap bitmap;
    if (!bitmap.Load(&HeaderOf(dib), dib.size(), 0))
        throw std::runtime_error("not a DIB the library takes");
    return bitmap;
}

CImagingBitmap ColourBitmap(int width, int height, const std::vector<COLORREF>& coloursTopDown) {
    return BitmapOf(ColourDib(width, height, coloursTopDown));
}

CImagingBitmap PhotoLike(int width, int height) {
    std::vector<COLORREF> colours;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double u = double(x) / width, v = double(y) / height;
            const int red = int(255 * u);
            const int green = int(127.5 + 127.5 * std::sin(6.0 * v + 3.0 * u));
            const int blue = int(255 * v * (1 - u)) ^ ((x / 4 + y / 4) % 2 ? 8 : 0);
            colours.push_back(RGB(red, green, blue));
        }
    return ColourBitmap(width, height, colours);
}

bool InProgramForm(const CImagingBitmap& bitmap) {
    const std::vector<BYTE>& dib = bitmap.GetDib();
    const NormalizedDib normalized = NormalizeExternalDib(std::span<const BYTE>(dib));
    const std::size_t pixels = std::size_t(bitmap.GetWidth()) * std::size_t(bitmap.GetHeight());
    return normalized && normalized.length == dib.size() &&
           std::memcmp(normalized.block.get(), dib.data(), dib.size()) == 0 &&
           (bitmap.GetAlpha().empty() || bitmap.GetAlpha().size() == pixels);
}

std::vector<COLORREF> ColoursOf(const CImagingBitmap& bitmap) {
    return PixelColours(bitmap.GetDib());
}

std::vector<BYTE> AlphaOf(const CImagingBitmap& bitmap) {
    const std::vector<BYTE>& alpha = bitmap.GetAlpha();
    std::vector<BYTE> topDown;
    const int width = bitmap.GetWidth();
    for (int y = bitmap.GetHeight() - 1; y >= 0 && !alpha.empty(); --y)
        topDown.insert(topDown.end(), alpha.begin() + std::ptrdiff_t(y) * width,
                       alpha.begin() + std::ptrdiff_t(y + 1) * width);
    return topDown;
}

int LargestDifference(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
    if (a.size() != b.size() || a.empty())
        return 256;
    int largest = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        for (int shift : {0, 8, 16})
            largest = std::max(largest, std::abs(int(a[i] >> shift & 0xFF) - int(b[i] >> shift & 0xFF)));
    return largest;
}

double MeanDifference(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
    if (a.size() != b.size() || a.empty())
        return 256;
    double sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        for (int shift : {0, 8, 16})
            sum += std::abs(int(a[i] >> shift & 0xFF) - int(b[i] >> shift & 0xFF));
    return sum / (3.0 * double(a.size()));
}

std::vector<BYTE> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<BYTE>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

bool RunCommand(const std::string& command) {
    return std::system(InToolLocale(command).c_str()) == 0;
}

namespace {

std::string GmRgba(const std::string& path, int width, int height) {
    const std::string raw = ToolOutput("gm convert '" + path + "' -depth 8 rgba:- 2>/dev/null");
    return raw.size() == std::size_t(4 * width * height) ? raw : std::string();
}

} // namespace

std::vector<COLORREF> GmColours(const std::string& path, int width, int height) {
    const std::string raw = GmRgba(path, width, height);
    std::vector<COLORREF> colours;
    for (std::size_t i = 0; i + 3 < raw.size(); i += 4)
        colours.push_back(RGB(BYTE(raw[i]), BYTE(raw[i + 1]), BYTE(raw[i + 2])));
    return colours;
}

std::vector<BYTE> GmAlpha(const std::string& path, int width, int height) {
    const std::string raw = GmRgba(path, width, height);
    std::vector<BYTE> alpha;
    for (std::size_t i = 0; i + 3 < raw.size(); i += 4)
        alpha.push_back(BYTE(raw[i + 3]));
    return alpha;
}
