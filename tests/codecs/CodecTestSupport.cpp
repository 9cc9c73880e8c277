#include "CodecTestSupport.h"

#include "DibFixtures.h"
#include "platform/imaging/ImagingBitmap.h"
#include "tests/support/TempFolder.h"

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace fs = std::filesystem;

namespace {

TempFolder& Scratch() {
    static TempFolder folder;
    return folder;
}

} // namespace

const CString& CodecScratchFolder() {
    return Scratch().Path();
}

std::string ScratchPath(const std::string& name) {
    static std::atomic<int> counter{0};
    return CodecScratchFolder().str() + "/" + std::to_string(++counter) + "-" + name;
}

CExtMgr& Codecs() {
    static const std::unique_ptr<CExtMgr> manager = [] {
        static TempFolder folder;
        const fs::path plugins = fs::path(folder.Path().str()) / "plugins";
        fs::create_directories(plugins);
        for (const char* name : {"codecfpx.phl", "codecmain.phl", "codectiff.phl"})
            fs::create_symlink(fs::path(VC_PROGRAM_DIR) / "plugins" / name, plugins / name);
        auto loaded = std::make_unique<CExtMgr>(folder.Path());
        loaded->LoadPlugins();
        return loaded;
    }();
    return *manager;
}

PicturePtr MakePicture(int width, int height, const std::function<DWORD(int, int)>& colour) {
    PixelGrid grid(static_cast<std::size_t>(height), std::vector<DWORD>(static_cast<std::size_t>(width)));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            grid[y][x] = colour(x, y);
    DibSpec layout;
    layout.width = width;
    layout.height = height;
    layout.bits = Rows24(grid);
    const std::vector<BYTE> dib = BuildDib(layout);
    auto picture = std::make_unique<CPictureInfo>();
    picture->SetExternalDib(dib.data(), dib.size());
    return picture;
}

PicturePtr MakePhoto(int width, int height) {
    return MakePicture(width, height, [=](int x, int y) -> DWORD {
        if (x < width / 4 && y < height / 4)
            return 0xC01020; // a solid block
        if ((x / 7 + y / 5) % 9 == 0)
            return 0xFFFFFF; // thin bright stripes
        const DWORD red = DWORD(255 * x / std::max(1, width - 1));
        const DWORD green = DWORD(255 * y / std::max(1, height - 1));
        const DWORD blue = DWORD(128 + 100 * std::sin((x + y) / 6.0));
        return red << 16 | green << 8 | blue;
    });
}

PixelGrid PixelsOf(const CPictureInfo& picture) {
    return AllPixels(reinterpret_cast<const BYTE*>(picture.GetHeader()));
}

int BitsOf(const CPictureInfo& picture) {
    return picture.GetHeader()->biBitCount;
}

PixelGrid ReducedPixels(const CPictureInfo& picture, int bitsPerPixel) {
    CImagingBitmap bitmap;
    if (!bitmap.Load(picture.GetHeader(), picture.GetLength(), 0) || !bitmap.ConvertDepth(bitsPerPixel))
        return {};
    return AllPixels(bitmap.GetDib().data());
}

namespace {

template <typename Fold>
double CompareChannels(const PixelGrid& a, const PixelGrid& b, Fold fold) {
    double result = 0;
    for (std::size_t y = 0; y < a.size(); ++y)
        for (std::size_t x = 0; x < a[y].size(); ++x)
            for (int shift : {0, 8, 16})
                result =
                    fold(result, std::abs(int((a[y][x] >> shift) & 0xFF) - int((b[y][x] >> shift) & 0xFF)));
    return result;
}

bool SameSize(const PixelGrid& a, const PixelGrid& b) {
    if (a.size() != b.size() || a.empty())
        return false;
    for (std::size_t y = 0; y < a.size(); ++y)
        if (a[y].size() != b[y].size())
            return false;
    return true;
}

} // namespace

int MaxChannelDifference(const PixelGrid& a, const PixelGrid& b) {
    if (!SameSize(a, b))
        return -1;
    return int(CompareChannels(a, b, [](double m, int d) { return std::max(m, double(d)); }));
}

double MeanChannelDifference(const PixelGrid& a, const PixelGrid& b) {
    if (!SameSize(a, b))
        return -1;
    const double sum = CompareChannels(a, b, [](double s, int d) { return s + d; });
    return sum / double(3 * a.size() * a[0].size());
}

DWORD AverageColour(const PixelGrid& grid) {
    double sums[3] = {};
    std::size_t count = 0;
    for (const auto& row : grid)
        for (DWORD colour : row) {
            for (int channel = 0; channel < 3; ++channel)
                sums[channel] += (colour >> (8 * channel)) & 0xFF;
            ++count;
        }
    DWORD average = 0;
    for (int channel = 0; channel < 3; ++channel)
        average |= DWORD(std::lround(sums[channel] / double(std::max<std::size_t>(count, 1))))
                   << (8 * channel);
    return average;
}

PixelGrid PixelsByImageMagick(const std::string& path) {
    std::string size;
    if (RunTool("/usr/bin/identify -format '%w %h\\n' '" + path + "[0]' 2>/dev/null", &size) != 0)
        return {};
    int width = 0, height = 0;
    std::istringstream(size) >> width >> height;
    std::string raw;
    if (RunTool("/usr/bin/convert '" + path + "[0]' -depth 8 rgb:- 2>/dev/null", &raw) != 0 ||
        raw.size() != std::size_t(3 * width * height))
        return {};
    PixelGrid grid(static_cast<std::size_t>(height), std::vector<DWORD>(static_cast<std::size_t>(width)));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const auto* p = reinterpret_cast<const BYTE*>(raw.data()) + 3 * (y * width + x);
            grid[y][x] = DWORD{p[0]} << 16 | DWORD{p[1]} << 8 | p[2];
        }
    return grid;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}
