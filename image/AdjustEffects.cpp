#include "image/AdjustEffects.h"

#include "effects/EffectsExports.h"
#include "image/AdjustImage.h"
#include "image/PictureInfo.h"
#include "platform/base/AppServices.h"
#include "platform/base/GlobalMemory.h"
#include "platform/base/Module.h"
#include "platform/imaging/ImagingBitmap.h"
#include "rastrum/RastrumExports.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

static_assert(kNegativeAdjustId == kAdjustNegative);

// The curl's fixed look: white behind the flap, a fully shaded flap that hides the picture, the
// bottom right corner, with a shadow.
constexpr BYTE kCurlBack = 0xFF;
constexpr double kCurlShading = 1.0;
constexpr double kCurlTransparency = 0.0;
constexpr LONG kCurlCorner = 3;
constexpr BYTE kCurlShadow = 1;

// Takes a library's result into the picture: the DIB lies locked in a global block, which is freed
// whatever happens.
bool TakeLibraryResult(CPictureInfo& picture, BITMAPINFOHEADER* result) {
    if (!result)
        return false;
    HGLOBAL block = GlobalHandle(result);
    if (!block)
        return false;
    const bool taken = ReplaceWithCheckedDib(picture, result, GlobalSize(block));
    GlobalUnlock(block);
    GlobalFree(block);
    return taken;
}

BITMAPINFOHEADER* CallEffectsLibrary(BITMAPINFOHEADER* dib, int id, int value) {
    const HMODULE module = AppServices().GetEffectsModule();
    if (!module)
        return nullptr;
    FARPROC function = GetProcAddress(module, EffectExportName(id));
    if (!function)
        return nullptr;
    if (id == kAdjustNegative)
        return reinterpret_cast<NegativeFunction>(function)(dib);
    return reinterpret_cast<EffectFunction>(function)(dib, value);
}

BITMAPINFOHEADER* CallPageCurl(BITMAPINFOHEADER* dib, int value) {
    const HMODULE module = AppServices().GetRastrumModule();
    if (!module)
        return nullptr;
    auto function = reinterpret_cast<PageCurlFunction>(GetProcAddress(module, kPageCurlExportName));
    if (!function)
        return nullptr;
    CurlSettings settings{};
    settings.curlWidth = dib->biWidth * value / 100;
    settings.curlHeight = dib->biHeight * value / 100;
    settings.backRed = settings.backGreen = settings.backBlue = kCurlBack;
    settings.shading = kCurlShading;
    settings.transparency = kCurlTransparency;
    settings.corner = kCurlCorner;
    settings.shadow = kCurlShadow;
    return function(dib, &settings);
}

// A relative region of the settings in pixels of a width x height picture, top row 0.
RECT RegionRect(const ADJUST::RedEyeRegion& region, int width, int height) {
    const auto scaled = [](double fraction, int size) { return static_cast<LONG>(size * fraction); };
    RECT rect{scaled(region.left, width), scaled(region.top, height), scaled(region.right, width),
              scaled(region.bottom, height)};
    if (rect.left > rect.right)
        std::swap(rect.left, rect.right);
    if (rect.top > rect.bottom)
        std::swap(rect.top, rect.bottom);
    return rect;
}

} // namespace

bool ReplaceWithCheckedDib(CPictureInfo& picture, const void* dib, std::size_t size) {
    CPictureInfo checked;
    if (!checked.SetExternalDib(dib, size))
        return false;
    const DWORD length = checked.GetLength();
    picture.Attach(checked.Detach(), length);
    return true;
}

bool ApplyLibraryEffect(CPictureInfo& picture, int id, int value) {
    if (!picture.IsValid() || id < kAdjustEmboss || id > kAdjustCurl)
        return false;
    BITMAPINFOHEADER* dib = picture.GetHeader();
    BITMAPINFOHEADER* result =
        id == kAdjustCurl ? CallPageCurl(dib, value) : CallEffectsLibrary(dib, id, value);
    return TakeLibraryResult(picture, result);
}

bool ApplyRedEyeReduction(CPictureInfo& picture, const ADJUST& settings) {
    if (!picture.IsValid())
        return false;
    CImagingBitmap bitmap;
    if (!bitmap.Load(picture.GetHeader(), picture.GetLength(), 0))
        return false;
    const int last = std::clamp(settings.currentRegion, 0, ADJUST::kRedEyeSlots - 1);
    bool corrected = false;
    for (int i = 0; i <= last; ++i) {
        const ADJUST::RedEyeRegion& region = settings.redEye[i];
        const RECT rect = RegionRect(region, bitmap.GetWidth(), bitmap.GetHeight());
        corrected |= bitmap.CorrectRedEye(rect, region.colour, region.threshold);
    }
    if (!corrected)
        return false;
    const std::vector<BYTE>& dib = bitmap.GetDib();
    return ReplaceWithCheckedDib(picture, dib.data(), dib.size());
}
