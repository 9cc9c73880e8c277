#include "effects/EffectCall.h"

#include "effects/EffectsExports.h"
#include "platform/imaging/DibLayout.h"
#include "platform/imaging/LockedDib.h"

#include <algorithm>

BITMAPINFOHEADER* CallEffect(const BITMAPINFOHEADER* source, int strength, EffectBody body) {
    try {
        DibLayout dib;
        // The exports get a bare header pointer: its fields are all there is to tell the block's size.
        if (!ReadDibLayout(source, 0, dib) || dib.bitsPerPixel != 24)
            return nullptr;
        CLockedDib result(dib.width, dib.height);
        if (result.IsEmpty())
            return nullptr;
        // Both sides top row first, the order of the pictures the effects think in.
        const ConstPixelRows sourceRows{dib.Row(dib.height - 1), -dib.rowStep, dib.width, dib.height};
        const PixelRows bottomUp = result.Rows();
        const PixelRows targetRows{bottomUp.row0 + bottomUp.step * (dib.height - 1), -bottomUp.step,
                                   dib.width, dib.height};
        if (!body(sourceRows, targetRows, std::clamp(strength, kMinEffectStrength, kMaxEffectStrength)))
            return nullptr;
        return result.Release();
    } catch (...) {
        return nullptr;
    }
}
