#include "tools/photoscene/PhotoScene.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

using Colour = SceneColour;

Colour Mix(Colour a, Colour b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Colour Scale(Colour c, double f) {
    return {c.r * f, c.g * f, c.b * f};
}

// A repeatable pseudo-random value in -1..1 for a pixel.
double Grain(int x, int y) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFF) / 32767.5 - 1.0;
}

// The face's geometry, in units of the picture height, from the picture's left and top edges.
struct Face {
    double cx, cy, rx, ry;
    double eyeY, eyeDx, eyeR, pupilR;
    double scale;
};

Face FaceOf(int width, int height, const SceneVariant& variant) {
    const double aspect = static_cast<double>(width) / height;
    const double s = variant.faceScale;
    return {variant.faceX * aspect,
            variant.faceY,
            0.13 * s,
            0.17 * s,
            0.52 + (variant.faceY - 0.56) - (s - 1) * 0.04,
            0.055 * s,
            0.028 * s,
            0.014 * s,
            s};
}

Colour Sky(double v, const SceneVariant& variant) {
    return Mix(variant.skyTop, variant.skyHorizon, v / 0.5);
}

// A blossom colour for some cells of the meadow, nearer ones more often; none for most.
bool Blossom(double u, double v, double near, const SceneVariant& variant, Colour& c) {
    const int cellX = static_cast<int>(u * 400), cellY = static_cast<int>(v * 400);
    const double chance = variant.flowers * std::clamp((v - near) * 4, 0.2, 1.0);
    if ((Grain(cellX, cellY) + 1) / 2 >= chance)
        return false;
    static constexpr Colour kBlossoms[] = {{250, 250, 245}, {250, 215, 60}, {225, 70, 90}, {150, 110, 200}};
    c = kBlossoms[static_cast<int>((Grain(cellY, cellX) + 1) * 2) & 3];
    return true;
}

// Landscape colour at (u, v): u across the picture's width in height units, v down its height.
Colour Landscape(double u, double v, double aspect, const SceneVariant& variant) {
    const double far = 0.42 + 0.06 * std::sin(u * 5.1) + 0.025 * std::sin(u * 17.0 + 1.3);
    const double near = 0.6 + 0.045 * std::sin(u * 3.3 + 2.0) + 0.01 * std::sin(u * 29.0);
    const double shore = variant.shore;
    Colour c = Sky(v, variant);
    // The sun with its glow.
    const double sunDistance = std::hypot(u - variant.sunX * aspect, v - variant.sunY);
    c = Mix(c, variant.sunGlow, 0.6 * std::exp(-sunDistance * 9));
    if (sunDistance < 0.055)
        c = variant.sunDisc;
    if (v > far) {
        const Colour rock = Mix(variant.rockTop, variant.rockFoot, (v - far) * 5);
        c = Mix(rock, Sky(0.45, variant), 0.25);
    }
    if (variant.trees > 0) {
        const double crowns =
            near - variant.trees * (0.55 + 0.45 * std::abs(std::sin(u * 21.0 + std::sin(u * 7.0))));
        if (v > crowns) {
            const double leaves = 0.5 + 0.5 * std::sin(u * 160 + std::sin(v * 90) * 2) * std::cos(v * 130);
            c = Scale(Mix(variant.crownLight, variant.crownDark, leaves),
                      1.0 - 0.3 * (v - crowns) / variant.trees);
        }
    }
    if (v > near) {
        const double stripes = 0.08 * std::sin(u * 90 + v * 40);
        c = Scale(Mix(variant.grassTop, variant.grassFoot, (v - near) * 5), 1.0 + stripes);
        if (variant.flowers > 0 && v < shore)
            Blossom(u, v, near, variant, c);
    }
    if (v > shore) {
        // The water mirrors the sky above the horizon, rippled.
        const double ripple = 0.06 * std::sin(v * 260 + std::sin(u * 20) * 3);
        c = Scale(Mix(variant.waterTop, variant.waterFoot, (v - shore) * 4), 1.0 + ripple);
    }
    if (variant.fog > 0) {
        // Haze thickest in the distance and just above the water.
        double amount = variant.fog * (1.0 - 0.6 * std::clamp((v - 0.4) / 0.6, 0.0, 1.0));
        if (v > shore)
            amount = variant.fog * std::clamp(0.9 - (v - shore) * 2.5, 0.2, 1.0);
        c = Mix(c, variant.haze, amount);
    }
    return c;
}

Colour FacePixel(double u, double v, const Face& f, const SceneVariant& variant, Colour behind) {
    const double dx = (u - f.cx) / f.rx, dy = (v - f.cy) / f.ry;
    const double d = dx * dx + dy * dy;
    if (d > 1) {
        if (!variant.shoulders)
            return behind;
        const double chin = f.cy + f.ry * 0.8;
        const double collar = f.cy + f.ry * 1.2;
        if (v > collar && std::abs(u - f.cx) < f.rx * 1.3 + (v - collar) * 1.2) {
            // A V-neck shows the neck down to a point.
            if (std::abs(u - f.cx) < f.rx * 0.38 - (v - collar) * 0.8)
                return Scale({205, 160, 130}, 1.0 - 0.4 * std::abs(u - f.cx) / f.rx);
            return Scale(variant.shirt, 1.0 - 0.35 * std::abs(u - f.cx) / (f.rx * 2.5));
        }
        if (v > chin && std::abs(u - f.cx) < f.rx * 0.38)
            return Scale({205, 160, 130}, 1.0 - 0.4 * std::abs(u - f.cx) / f.rx);
        return behind;
    }
    // Hair over the upper third, skin shaded towards the edge.
    if (dy < -0.55 + 0.12 * std::sin(dx * 9))
        return Mix({85, 55, 35}, {45, 28, 18}, -dy);
    Colour c = Scale({228, 184, 152}, 1.0 - 0.25 * d);
    const double mouthY = f.cy + 0.09 * f.scale;
    const double bend = (variant.smile ? -0.02 : 0.02) * (u - f.cx) * (u - f.cx) * 100 / f.scale;
    if (std::abs(v - mouthY - bend) < 0.007 * f.scale && std::abs(u - f.cx) < 0.045 * f.scale)
        c = {170, 70, 70};
    for (const double side : {-1.0, 1.0}) {
        const double ex = f.cx + side * f.eyeDx;
        const double e = std::hypot(u - ex, (v - f.eyeY) * 1.6);
        if (e < f.eyeR)
            c = {240, 240, 236};
        const double p = std::hypot(u - ex, v - f.eyeY);
        if (p < f.pupilR * 1.7)
            c = {90, 120, 70};
        if (p < f.pupilR)
            c = variant.redEyes ? Mix({225, 30, 25}, {150, 10, 10}, p / f.pupilR) : Colour{30, 24, 20};
        if (p < f.pupilR * 0.3)
            c = {255, 235, 230};
    }
    return c;
}

} // namespace

std::vector<BYTE> MakePhotoScene(int width, int height, const SceneVariant& variant) {
    const std::int64_t stride = DibRowBytes(width, 24);
    std::vector<BYTE> dib(sizeof(BITMAPINFOHEADER) + static_cast<std::size_t>(stride * height));
    const BITMAPINFOHEADER header = Dib24Header(width, height);
    std::memcpy(dib.data(), &header, sizeof header);
    const double aspect = static_cast<double>(width) / height;
    const Face face = FaceOf(width, height, variant);
    for (int y = 0; y < height; ++y) {
        BYTE* row = dib.data() + sizeof header + (height - 1 - y) * stride;
        const double v = (y + 0.5) / height;
        for (int x = 0; x < width; ++x) {
            const double u = (x + 0.5) / height;
            const Colour behind = Landscape(u, v, aspect, variant);
            const Colour c = variant.face ? FacePixel(u, v, face, variant, behind) : behind;
            const double grain = variant.grain * Grain(x, y);
            row[3 * x + 0] = static_cast<BYTE>(std::clamp(c.b + grain, 0.0, 255.0));
            row[3 * x + 1] = static_cast<BYTE>(std::clamp(c.g + grain, 0.0, 255.0));
            row[3 * x + 2] = static_cast<BYTE>(std::clamp(c.r + grain, 0.0, 255.0));
        }
    }
    return dib;
}

std::array<SceneRect, 2> PhotoSceneEyes(int width, int height, const SceneVariant& variant) {
    const Face f = FaceOf(width, height, variant);
    const double aspect = static_cast<double>(width) / height;
    std::array<SceneRect, 2> eyes{};
    for (int i = 0; i < 2; ++i) {
        const double ex = f.cx + (i ? 1 : -1) * f.eyeDx;
        const double room = f.pupilR * 1.5;
        eyes[i] = {(ex - room) / aspect, (ex + room) / aspect, f.eyeY - room, f.eyeY + room};
    }
    return eyes;
}
