#include "image/Adjust.h"

#include <algorithm>
#include <cstring>
#include <tuple>
#include <utility>

namespace {

// Whole quarter turns of a rotation in tenths of a degree, 0..3.
int QuarterTurns(int rotation) {
    return ((rotation / 900) % 4 + 4) % 4;
}

} // namespace

ADJUST::ADJUST() {
    // Zeroing the whole object first fixes the padding bytes too.
    std::memset(static_cast<void*>(this), 0, sizeof(*this));
    InitSettings();
}

void ADJUST::InitSettings() {
    for (EffectEntry& entry : effects)
        entry = {-1, 0};
    ResetSettings();
}

void ADJUST::ResetSettings() {
    brightness = 0.0f;
    contrast = 1.0f;
    gamma = 1.0f;
    saturation = 1.0f;
    sharpness = 0.0f;
    effectCount = 0;
    sharpen = 1;
    colourMode = 3;
    mirror = 0;
    flip = 0;
    rotation = 0;
    cropOn = 0;
    cropLeft = 0.0;
    cropRight = 1.0;
    cropTop = 0.0;
    cropBottom = 1.0;
    redEye[0].left = 0.35;
    redEye[0].top = 0.35;
    redEye[0].right = 0.65;
    redEye[0].bottom = 0.65;
    redEye[0].colour = 50;
    currentRegion = 0;
    shiftX = 0;
    shiftY = 0;
    zoom = 100;
}

void ADJUST::ClampViewSettings() {
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    shiftX = std::clamp(shiftX, -kMaxShift, kMaxShift);
    shiftY = std::clamp(shiftY, -kMaxShift, kMaxShift);
}

bool ADJUST::SettingsEqual(const ADJUST& other) const {
    if (colourMode != other.colourMode || brightness != other.brightness || saturation != other.saturation ||
        contrast != other.contrast || gamma != other.gamma || sharpness != other.sharpness)
        return false;
    if (effectCount != other.effectCount)
        return false;
    if (effectCount != 0 && effects[0] != other.effects[0])
        return false;
    if (cropOn != other.cropOn || cropLeft != other.cropLeft || cropRight != other.cropRight ||
        cropTop != other.cropTop || cropBottom != other.cropBottom)
        return false;
    if (mirror != other.mirror || rotation != other.rotation || currentRegion != other.currentRegion)
        return false;
    const int lastRegion = std::clamp(currentRegion, 0, kRedEyeSlots - 1);
    for (int i = 0; i <= lastRegion; ++i) {
        if (redEye[i] != other.redEye[i])
            return false;
    }
    return true;
}

void ADJUST::SetCrop(bool on, double left, double right, double top, double bottom) {
    cropOn = on ? 1 : 0;
    cropLeft = left;
    cropRight = right;
    cropTop = top;
    cropBottom = bottom;
}

void ADJUST::GetCrop(bool& on, double& left, double& right, double& top, double& bottom) const {
    on = cropOn != 0;
    left = cropLeft;
    right = cropRight;
    top = cropTop;
    bottom = cropBottom;
}

void ADJUST::SetCurrentShapeEntry(double left, double right, double top, double bottom) {
    RedEyeRegion& region = redEye[currentRegion];
    region.left = left;
    region.right = right;
    region.top = top;
    region.bottom = bottom;
}

void ADJUST::GetCurrentShapeEntry(double& left, double& right, double& top, double& bottom,
                                  bool toView) const {
    const RedEyeRegion& region = redEye[currentRegion];
    left = region.left;
    right = region.right;
    top = region.top;
    bottom = region.bottom;
    if (toView)
        ImageToViewRect(left, right, top, bottom);
}

void ADJUST::SetCurrentShapeColor(COLORREF colour) {
    redEye[currentRegion].colour = colour;
}

void ADJUST::ImageToViewRect(double& left, double& right, double& top, double& bottom) const {
    if (mirror)
        std::tie(left, right) = std::pair(1 - right, 1 - left);
    const double l = left, r = right, t = top, b = bottom;
    switch (QuarterTurns(rotation)) {
    case 1:
        std::tie(left, right, top, bottom) = std::tuple(t, b, 1 - r, 1 - l);
        break;
    case 2:
        std::tie(left, right, top, bottom) = std::tuple(1 - r, 1 - l, 1 - b, 1 - t);
        break;
    case 3:
        std::tie(left, right, top, bottom) = std::tuple(1 - b, 1 - t, l, r);
        break;
    default:
        break;
    }
}

void ADJUST::ViewToImageRect(double& left, double& right, double& top, double& bottom) const {
    const double l = left, r = right, t = top, b = bottom;
    switch (QuarterTurns(rotation)) {
    case 1:
        std::tie(left, right, top, bottom) = std::tuple(1 - b, 1 - t, l, r);
        break;
    case 2:
        std::tie(left, right, top, bottom) = std::tuple(1 - r, 1 - l, 1 - b, 1 - t);
        break;
    case 3:
        std::tie(left, right, top, bottom) = std::tuple(t, b, 1 - r, 1 - l);
        break;
    default:
        break;
    }
    if (mirror)
        std::tie(left, right) = std::pair(1 - right, 1 - left);
}

void ADJUST::PushShapeEntry() {
    if (currentRegion >= kRedEyeSlots - 1)
        return;
    ++currentRegion;
    redEye[currentRegion] = redEye[currentRegion - 1];
}

void ADJUST::PopShapeEntry() {
    if (currentRegion <= 0)
        return;
    --currentRegion;
    redEye[currentRegion] = redEye[currentRegion + 1];
}
