// The adjustment engine's full rebuild (crop, one tone adjustment, sharpening, true-colour conversion,
// the unrotated result into the temporary file, rotation 0) of the photo-like test picture:
//   adjust_bench rebuild WIDTH HEIGHT   prints seconds=<median of several rebuilds>
//   adjust_bench ppm WIDTH HEIGHT OUT   writes the test picture as a binary PPM for the peer tool
#include "bench/support/Ppm.h"
#include "image/AdjustImage.h"
#include "image/PictureInfo.h"
#include "tools/photoscene/PhotoScene.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The rebuild's settings, which the peer's command line in bench/adjust.py matches.
constexpr double kCropMargin = 0.05;
constexpr int kBrightnessSlider = 60;
constexpr int kSharpnessSlider = 70;

int Rebuild(const std::vector<BYTE>& dib) {
    auto* original = new CPictureInfo;
    std::memcpy(original->Allocate(static_cast<DWORD>(dib.size())), dib.data(), dib.size());
    CAdjustImage adjust(true);
    adjust.SetOriginalDib(original);
    original->Release();
    adjust.SetCrop(true, kCropMargin, 1 - kCropMargin, kCropMargin, 1 - kCropMargin);
    adjust.SetAdjustPercent(kAdjustBrightness, kBrightnessSlider);
    adjust.SetAdjustPercent(kAdjustSharpness, kSharpnessSlider);

    // As the effects dialog's slider does: one rebuild after another.
    const int rounds = dib.size() > 8'000'000 ? 5 : 31;
    std::vector<double> seconds;
    for (int i = 0; i <= rounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        if (!adjust.Rebuild(true))
            return 4;
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        if (i > 0) // the first warms the caches and the allocator
            seconds.push_back(took.count());
    }
    std::nth_element(seconds.begin(), seconds.begin() + rounds / 2, seconds.end());
    std::printf("seconds=%.6f\n", seconds[rounds / 2]);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4)
        return 1;
    const std::string mode = argv[1];
    const std::vector<BYTE> dib = MakePhotoScene(std::atoi(argv[2]), std::atoi(argv[3]));
    if (mode == "ppm" && argc == 5)
        return WriteDibPpm(reinterpret_cast<const BITMAPINFOHEADER*>(dib.data()), argv[4]) ? 0 : 3;
    if (mode == "rebuild")
        return Rebuild(dib);
    return 1;
}
