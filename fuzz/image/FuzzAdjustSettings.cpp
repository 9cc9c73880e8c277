// The archive form of the adjustment settings, loaded from arbitrary bytes under each kind of version tag
// (the first byte picks it). Loading may throw the framework's exceptions; what loads must be within the
// record's lists and ranges, store and load again to the same settings, and rebuild a small picture.

#include "fuzz/image/StoredSettings.h"
#include "image/PictureInfo.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

bool LoadFrom(CAdjustImage& adjust, std::vector<BYTE> bytes, const char* tag) {
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    try {
        CArchive ar(&file, CArchive::load);
        adjust.SerializeSettings(ar, tag);
        return true;
    } catch (CException* e) {
        e->Delete();
        return false;
    }
}

bool Fraction(double value) {
    return value >= 0.0 && value <= 1.0;
}

CPictureInfo* SmallPicture() {
    constexpr int kWidth = 6, kHeight = 4, kStride = 20;
    auto* picture = new CPictureInfo;
    BYTE* block = picture->Allocate(40 + kStride * kHeight);
    const BITMAPINFOHEADER header{40, kWidth, kHeight, 1, 24, BI_RGB, kStride * kHeight, 0, 0, 0, 0};
    std::memcpy(block, &header, sizeof header);
    for (int i = 0; i < kStride * kHeight; ++i)
        block[40 + i] = static_cast<BYTE>(i * 53);
    return picture;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const char* tag = kSettingsTags[data[0] % std::size(kSettingsTags)];
    CAdjustImage adjust(false);
    if (!LoadFrom(adjust, std::vector<BYTE>(data + 1, data + size), tag))
        return 0;
    if (adjust.effectCount < 0 || adjust.effectCount > ADJUST::kEffectSlots || adjust.currentRegion < 0 ||
        adjust.currentRegion >= ADJUST::kRedEyeSlots || adjust.zoom < ADJUST::kMinZoom ||
        adjust.zoom > ADJUST::kMaxZoom)
        std::abort();
    if (!Fraction(adjust.cropLeft) || !Fraction(adjust.cropRight) || !Fraction(adjust.cropTop) ||
        !Fraction(adjust.cropBottom))
        std::abort();
    for (int i = 0; i <= adjust.currentRegion; ++i) {
        const ADJUST::RedEyeRegion& r = adjust.redEye[i];
        if (!Fraction(r.left) || !Fraction(r.top) || !Fraction(r.right) || !Fraction(r.bottom))
            std::abort();
    }

    CAdjustImage again(false);
    if (!LoadFrom(again, StoreSettings(adjust, tag), tag))
        std::abort();
    // NaN tone values never compare equal; everything else must come back.
    const bool comparable = adjust.brightness == adjust.brightness && adjust.contrast == adjust.contrast &&
                            adjust.gamma == adjust.gamma && adjust.saturation == adjust.saturation &&
                            adjust.sharpness == adjust.sharpness;
    if (comparable && !again.HasSameSettings(&adjust))
        std::abort();

    CPictureInfo* picture = SmallPicture();
    adjust.SetOriginalDib(picture);
    picture->Release();
    adjust.Rebuild(data[0] & 0x80);
    return 0;
}
