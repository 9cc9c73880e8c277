#include "tools/photoscene/PhotoScene.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

struct Colour {
    double r, g, b;
};

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
};

Face FaceOf(int width, int height) {
    const double aspect = static_cast<double>(width) / height;
    return {0.3 * aspect, 0.56, 0.13, 0.17, 0.52, 0.055, 0.028, 0.014};
}

Colour Sky(double v) {
    return Mix({70, 125, 205}, {205, 225, 240}, v / 0.5);
}

// Landscape colour at (u, v): u across the picture's width in height units, v down its height.
Colour Landscape(double u, double v, double aspect) {
    const double far = 0.42 + 0.06 * std::sin(u * 5.1) + 0.025 * std::sin(u * 17.0 + 1.3);
    const double near = 0.6 + 0.045 * std::sin(u * 3.3 + 2.0) + 0.01 * std::sin(u * 29.0);
    const double shore = 0.8;
    Colour c = Sky(v);
    // The sun with its glow.
    const double sunDistance = std::hypot(u - 0.8 * aspect, v - 0.17);
    c = Mix(c, {255, 245, 200}, 0.6 * std::exp(-sunDistance * 9));
    if (sunDistance < 0.055)
        c = {255, 246, 214};
    if (v > far) {
        const Colour rock = Mix({115, 130, 160}, {80, 95, 110}, (v - far) * 5);
        c = Mix(rock, Sky(0.45), 0.25);
    }
    if (v > near) {
        const double stripes = 0.08 * std::sin(u * 90 + v * 40);
        c = Scale(Mix({80, 150, 60}, {35, 85, 30}, (v - near) * 5), 1.0 + stripes);
    }
    if (v > shore) {
        // The water mirrors the sky above the horizon, rippled.
        const double ripple = 0.06 * std::sin(v * 260 + std::sin(u * 20) * 3);
        c = Scale(Mix({60, 110, 160}, {25, 60, 100}, (v - shore) * 4), 1.0 + ripple);
    }
    return c;
}

Colour FacePixel(double u, double v, const Face& f, Colour behind) {
    const double dx = (u - f.cx) / f.rx, dy = (v - f.cy) / f.ry;
    const double d = dx * dx + dy * dy;
    if (d > 1)
        return behind;
    // Hair over the upper third, skin shaded towards the edge.
    if (dy < -0.55 + 0.12 * std::sin(dx * 9))
        return Mix({85, 55, 35}, {45, 28, 18}, -dy);
    Colour c = Scale({228, 184, 152}, 1.0 - 0.25 * d);
    const double mouthY = f.cy + 0.09;
    if (std::abs(v - mouthY - 0.02 * (u - f.cx) * (u - f.cx) * 100) < 0.007 && std::abs(u - f.cx) < 0.045)
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
            c = Mix({225, 30, 25}, {150, 10, 10}, p / f.pupilR);
        if (p < f.pupilR * 0.3)
            c = {255, 235, 230};
    }
    return c;
}

} // namespace

std::vector<BYTE> MakePhotoScene(int width, int height) {
    const std::int64_t stride = DibRowBytes(width, 24);
    std::vector<BYTE> dib(sizeof(BITMAPINFOHEADER) + static_cast<std::size_t>(stride * height));
    const BITMAPINFOHEADER header = Dib24Header(width, height);
    std::memcpy(dib.data(), &header, sizeof header);
    const double aspect = static_cast<double>(width) / height;
    const Face face = FaceOf(width, height);
    for (int y = 0; y < height; ++y) {
        BYTE* row = dib.data() + sizeof header + (height - 1 - y) * stride;
        const double v = (y + 0.5) / height;
        for (int x = 0; x < width; ++x) {
            const double u = (x + 0.5) / height;
            Colour c = FacePixel(u, v, face, Landscape(u, v, aspect));
            const double grain = 2 * Grain(x, y);
            row[3 * x + 0] = static_cast<BYTE>(std::clamp(c.b + grain, 0.0, 255.0));
            row[3 * x + 1] = static_cast<BYTE>(std::clamp(c.g + grain, 0.0, 255.0));
            row[3 * x + 2] = static_cast<BYTE>(std::clamp(c.r + grain, 0.0, 255.0));
        }
    }
    return dib;
}

std::array<SceneRect, 2> PhotoSceneEyes(int width, int height) {
    const Face f = FaceOf(width, height);
    const double aspect = static_cast<double>(width) / height;
    std::array<SceneRect, 2> eyes{};
    for (int i = 0; i < 2; ++i) {
        const double ex = f.cx + (i ? 1 : -1) * f.eyeDx;
        const double room = f.pupilR * 1.5;
        eyes[i] = {(ex - room) / aspect, (ex + room) / aspect, f.eyeY - room, f.eyeY + room};
    }
    return eyes;
}
