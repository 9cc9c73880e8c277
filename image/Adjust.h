#pragma once
// ADJUST: how a loaded picture is to be shown (tone, colour mode, mirror, rotation, crop, red-eye regions,
// the effect to apply, shift and zoom). The picture itself never changes; every view is rebuilt from the
// source picture and this record.

#include "platform/base/Geometry.h"
#include "platform/base/WinTypes.h"

#include <type_traits>

struct ADJUST {
    static constexpr int kEffectSlots = 32;
    static constexpr int kRedEyeSlots = 32;
    // Zoom percentages beyond these show nothing useful; a file may hold anything.
    static constexpr int kMinZoom = 1;
    static constexpr int kMaxZoom = 10000;
    // A shift this far moves any picture out of any frame, and keeps the render arithmetic small.
    static constexpr int kMaxShift = 1 << 24;

    struct EffectEntry {
        int id;
        int value;
        bool operator==(const EffectEntry&) const = default;
    };

    // Coordinates are relative (0..1) to the picture after the crop and before mirror and rotation.
    struct RedEyeRegion {
        double left;
        double top;
        double right;
        double bottom;
        COLORREF colour;
        int threshold;
        bool operator==(const RedEyeRegion&) const = default;
    };

    float brightness; // offset, slider (v-50)/100
    float contrast;   // factor, slider 4^((v-50)/100)
    float gamma;      // exponent, slider 2^((v-50)/100)
    float saturation; // colour weight, slider (v-50)/100 + 1
    float sharpness;  // sharpening amount, slider (v-50)/100
    int effectCount;  // used entries of effects
    EffectEntry effects[kEffectSlots];
    BYTE sharpen;   // the conversion sharpens with the sharpness amount
    int colourMode; // 0 two colours, 1 grey, 2 256 colours, 3 true colour
    BYTE mirror;    // shown mirrored left to right
    BYTE flip;      // the conversion turns the picture upside down
    int rotation;   // tenths of a degree, 0..3599
    BYTE cropOn;
    double cropLeft;
    double cropRight;
    double cropTop;
    double cropBottom;
    RedEyeRegion redEye[kRedEyeSlots];
    int currentRegion; // last used red-eye region, 0..kRedEyeSlots-1
    int shiftX;
    int shiftY;
    int zoom; // percent

    // Every byte of the record, padding included, is set here, so records compare and store
    // deterministically: all red-eye regions zero, then InitSettings.
    ADJUST();

    // All effect entries {-1, 0}, then the defaults.
    void InitSettings();
    // The defaults of every setting. The effect list and the red-eye regions other than entry 0 stay,
    // and so does entry 0's threshold.
    void ResetSettings();

    // The comparison that decides whether a picture must be rebuilt: tone, effect (the first entry
    // only), crop, mirror, rotation and the red-eye regions in use. Shift, zoom, the sharpen and flip
    // flags and later effect entries do not count.
    bool SettingsEqual(const ADJUST& other) const;

    void SetCrop(bool on, double left, double right, double top, double bottom);
    void GetCrop(bool& on, double& left, double& right, double& top, double& bottom) const;

    // The current red-eye region, relative to the picture as the rebuild crops it. With toView the
    // rectangle is mapped to the mirrored and turned view.
    void SetCurrentShapeEntry(double left, double right, double top, double bottom);
    void GetCurrentShapeEntry(double& left, double& right, double& top, double& bottom, bool toView) const;
    void SetCurrentShapeColor(COLORREF colour);

    // Relative rectangles between the picture and its view (mirrored, then turned by whole quarter turns
    // of the rotation); ViewToImageRect undoes ImageToViewRect.
    void ImageToViewRect(double& left, double& right, double& top, double& bottom) const;
    void ViewToImageRect(double& left, double& right, double& top, double& bottom) const;

    // A new current region as a copy of the current one; nothing when all regions are in use.
    void PushShapeEntry();
    // Drops the current region; the values it held move one place down. Nothing at region 0.
    void PopShapeEntry();

    CSize GetShift() const { return CSize(shiftX, shiftY); }

    // Brings shift and zoom read from a file into the range the renderers are made for.
    void ClampViewSettings();

    // Every field compared (the settings comparison of the adjustment holder is a looser one).
    bool operator==(const ADJUST&) const = default;
};

static_assert(std::is_trivially_copyable_v<ADJUST> && std::is_standard_layout_v<ADJUST>,
              "ADJUST is copied whole and must hold no pointers or hidden state");
