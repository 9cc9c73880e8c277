// Times one pixel operation on a synthetic picture made in memory and prints the seconds it took:
//   pixel_bench convert CASE        ConvertDib of a 6000 x 4000 24-bit picture (cases below)
//   pixel_bench blend               BlendDib24 over 6000 x 4000
//   pixel_bench copy3               a plain memcpy of the three buffers that the blend reads
//   pixel_bench rotate TENTHS       CPictureInfo::Rotate of a 4000 x 3000 24-bit picture
//   pixel_bench ppm WIDTH HEIGHT OUT.ppm   writes the synthetic picture for the peer tools
// Making the picture is not timed.
#include "image/DibBlend.h"
#include "image/DibConvert.h"
#include "image/DibGeometry.h"
#include "image/PictureInfo.h"
#include "platform/base/GlobalMemory.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Case {
    const char* name;
    int mode;
    int outKind;
    bool sharpen;
    float sharpness;
    float saturation;
    float gamma;
};

// The colour modes as the rebuild (outKind 1) and the previews use them; sharpness 0 is the default,
// where sharpening is skipped, 0.2 makes it run.
const Case kCases[] = {
    {"two-colours", 0, 1, true, 0.0f, 1.0f, 1.0f},
    {"grey", 1, 1, false, 0.0f, 1.0f, 1.2f},
    {"grey-sharpened", 1, 1, true, 0.2f, 1.0f, 1.2f},
    {"palette-dithered", 2, 1, true, 0.0f, 1.2f, 1.2f},
    {"palette-true-colour", 2, 2, true, 0.0f, 1.2f, 1.2f},
    {"true-colour-defaults", 3, 1, true, 0.0f, 1.0f, 1.0f},
    {"true-colour-adjusted", 3, 1, true, 0.2f, 1.2f, 1.2f},
    {"true-colour-to-cube", 3, 0, true, 0.2f, 1.2f, 1.2f},
};

// A 24-bit DIB with smooth gradients and some noise, like a photo for these loops.
std::vector<BYTE> MakePicture(int width, int height) {
    const std::int64_t stride = DibRowBytes(width, 24);
    std::vector<BYTE> dib(sizeof(BITMAPINFOHEADER) + static_cast<size_t>(stride * height));
    const BITMAPINFOHEADER header = Dib24Header(width, height);
    std::memcpy(dib.data(), &header, sizeof header);
    std::uint32_t noise = 12345;
    for (int y = 0; y < height; ++y) {
        BYTE* row = dib.data() + sizeof header + y * stride;
        for (int x = 0; x < width; ++x) {
            noise ^= noise << 13, noise ^= noise >> 17, noise ^= noise << 5;
            row[3 * x] = static_cast<BYTE>(x * 255 / width + (noise & 15));
            row[3 * x + 1] = static_cast<BYTE>(y * 255 / height + ((noise >> 4) & 15));
            row[3 * x + 2] = static_cast<BYTE>((x + y) * 127 / (width + height) + ((noise >> 8) & 63));
        }
    }
    return dib;
}

template <typename Work>
double Seconds(Work work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int Convert(const char* name) {
    for (const Case& c : kCases) {
        if (std::strcmp(c.name, name) != 0)
            continue;
        const std::vector<BYTE> picture = MakePicture(6000, 4000);
        const auto* src = reinterpret_cast<const BITMAPINFOHEADER*>(picture.data());
        ADJUST s;
        s.colourMode = c.mode;
        s.sharpen = c.sharpen;
        s.sharpness = c.sharpness;
        s.saturation = c.saturation;
        s.gamma = c.gamma;
        HGLOBAL result = nullptr;
        const double seconds = Seconds([&] {
            result =
                ConvertDib(src, 0, 4000, CRect(0, 0, 6000, 4000), 6000, 4000, &s, 2, c.outKind, 0, 0xFFFFFF);
        });
        if (!result)
            return 1;
        GlobalFree(result);
        std::printf("%.6f\n", seconds);
        return 0;
    }
    return 2;
}

// Three areas written once before timing, so that page faults do not count.
struct Areas {
    std::vector<BYTE> dst, src, mask;
    Areas() {
        const std::vector<BYTE> picture = MakePicture(6000, 4000);
        dst.assign(picture.begin() + 40, picture.end());
        src.assign(dst.rbegin(), dst.rend());
        mask.assign(dst.size(), 0);
        for (size_t i = 0; i < mask.size(); ++i)
            mask[i] = static_cast<BYTE>(i * 7);
    }
};

int Blend() {
    Areas areas;
    std::printf("%.6f\n", Seconds([&] {
                    BlendDib24(4000, 6000, areas.dst.data(), areas.src.data(), areas.mask.data());
                }));
    return 0;
}

int CopyThree() {
    Areas areas;
    std::vector<BYTE> a(areas.dst.size(), 1), b(areas.dst.size(), 1), c(areas.dst.size(), 1);
    std::printf("%.6f\n", Seconds([&] {
                    std::memcpy(a.data(), areas.dst.data(), a.size());
                    std::memcpy(b.data(), areas.src.data(), b.size());
                    std::memcpy(c.data(), areas.mask.data(), c.size());
                }));
    return a[5] + b[5] + c[5] == 0xFFFF; // keeps the copies from being dropped
}

int Rotate(int tenths) {
    const std::vector<BYTE> dib = MakePicture(4000, 3000);
    CPictureInfo picture;
    std::memcpy(picture.Allocate(static_cast<DWORD>(dib.size())), dib.data(), dib.size());
    CPictureInfo* mask = nullptr;
    std::unique_ptr<CPictureInfo> turned;
    const double seconds = Seconds([&] { turned.reset(picture.Rotate(tenths, mask)); });
    delete mask;
    if (!turned)
        return 1;
    std::printf("%.6f\n", seconds);
    return 0;
}

int WritePpm(int width, int height, const char* path) {
    const std::vector<BYTE> dib = MakePicture(width, height);
    const std::int64_t stride = DibRowBytes(width, 24);
    FILE* file = std::fopen(path, "wb");
    if (!file)
        return 1;
    std::fprintf(file, "P6\n%d %d\n255\n", width, height);
    std::vector<BYTE> rgb(static_cast<size_t>(width) * 3);
    for (int y = 0; y < height; ++y) {
        const BYTE* in = dib.data() + 40 + (height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            rgb[3 * x] = in[3 * x + 2];
            rgb[3 * x + 1] = in[3 * x + 1];
            rgb[3 * x + 2] = in[3 * x];
        }
        std::fwrite(rgb.data(), 1, rgb.size(), file);
    }
    return std::fclose(file) == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    const std::string what = argc > 1 ? argv[1] : "";
    if (what == "convert" && argc == 3)
        return Convert(argv[2]);
    if (what == "blend")
        return Blend();
    if (what == "copy3")
        return CopyThree();
    if (what == "rotate" && argc == 3)
        return Rotate(std::atoi(argv[2]));
    if (what == "ppm" && argc == 5)
        return WritePpm(std::atoi(argv[2]), std::atoi(argv[3]), argv[4]);
    std::fprintf(stderr, "usage: pixel_bench convert CASE | blend | copy3 | rotate TENTHS | ppm W H OUT\n");
    return 2;
}
