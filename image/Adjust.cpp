#include "image/Adjust.h"

#include <algorithm>
#include <cstring>

ADJUST::ADJUST() {
    // Zeroing the whole object first fixes the padding bytes too.
    std::memset(static_cast<void*>(this), 0, sizeof(*this));
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
