#include "rastrum/PageCurl.h"

#include "platform/base/Parallel.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// The back of a photo: light grey paper.
constexpr double kPaperGrey = 235.0;
// The flap darkens towards its tip by up to this share, times the settings' shading.
constexpr double kTipDarkening = 0.4;
// The shadow darkens the page next to the flap by up to this share.
constexpr double kShadowDarkening = 0.35;
// Samples per pixel side near the curl's edges, so that they are smooth.
constexpr int kSamplesPerSide = 3;
constexpr std::int64_t kRowsPerThread = 16;

struct Colour {
    double blue = 0, green = 0, red = 0;
};

// Everything in "curl space": screen coordinates (y downwards) mirrored so that the curled corner is
// the bottom right one, at (width, height). The fold runs from (width - curlWidth, height) to
// (width, height - curlHeight); the part beyond it is folded back over the picture.
class CurlGeometry {
public:
    CurlGeometry(int width, int height, const CurlSettings& settings)
        : m_width(width), m_height(height), m_mirrorX(settings.corner == 0 || settings.corner == 2),
          m_mirrorY(settings.corner == 0 || settings.corner == 1) {
        const double cw = settings.curlWidth, ch = settings.curlHeight;
        const double length = std::hypot(cw, ch);
        m_foldX = width - cw;
        m_foldY = height;
        m_normalX = ch / length;
        m_normalY = cw / length;
        m_depth = cw * ch / length;
        m_shadowWidth = std::max(2.0, 0.08 * m_depth);
        // The flap is the corner triangle mirrored over the fold.
        m_flap[0][0] = width - cw, m_flap[0][1] = height;
        m_flap[1][0] = width, m_flap[1][1] = height - ch;
        Mirror(width, height, m_flap[2][0], m_flap[2][1]);
    }

    // Signed distance beyond the fold: positive on the curled-away side.
    double Beyond(double x, double y) const { return (x - m_foldX) * m_normalX + (y - m_foldY) * m_normalY; }

    // The point's mirror image over the fold.
    void Mirror(double x, double y, double& mx, double& my) const {
        const double d = Beyond(x, y);
        mx = x - 2 * d * m_normalX;
        my = y - 2 * d * m_normalY;
    }

    bool InsidePicture(double x, double y) const { return x >= 0 && x < m_width && y >= 0 && y < m_height; }

    // Distance from a point in front of the fold to the flap triangle's two free edges.
    double DistanceToFlap(double x, double y) const {
        return std::min(SegmentDistance(x, y, m_flap[0], m_flap[2]),
                        SegmentDistance(x, y, m_flap[1], m_flap[2]));
    }

    double Depth() const { return m_depth; }
    double ShadowWidth() const { return m_shadowWidth; }

    // From pixel coordinates of the screen to curl space and back: the same mirror both ways.
    double MapX(double x) const { return m_mirrorX ? m_width - x : x; }
    double MapY(double y) const { return m_mirrorY ? m_height - y : y; }

private:
    static double SegmentDistance(double x, double y, const double* a, const double* b) {
        const double dx = b[0] - a[0], dy = b[1] - a[1];
        const double lengthSquared = dx * dx + dy * dy;
        const double t = lengthSquared > 0
                             ? std::clamp(((x - a[0]) * dx + (y - a[1]) * dy) / lengthSquared, 0.0, 1.0)
                             : 0.0;
        return std::hypot(x - (a[0] + t * dx), y - (a[1] + t * dy));
    }

    double m_width, m_height;
    bool m_mirrorX, m_mirrorY;
    double m_foldX, m_foldY, m_normalX, m_normalY, m_depth, m_shadowWidth;
    double m_flap[3][2];
};

class CurlPainter {
public:
    CurlPainter(const ConstPixelRows& source, const CurlSettings& settings)
        : m_source(source), m_settings(settings), m_geometry(source.width, source.height, settings) {}

    void PaintRow(int screenY, BYTE* out) const {
        const BYTE* in = SourcePixel(0, screenY);
        for (int x = 0; x < m_source.width; ++x, out += 3, in += 3) {
            if (!IsNearTheCurl(x, screenY)) {
                out[0] = in[0], out[1] = in[1], out[2] = in[2];
                continue;
            }
            Colour sum;
            for (int sy = 0; sy < kSamplesPerSide; ++sy) {
                for (int sx = 0; sx < kSamplesPerSide; ++sx) {
                    const Colour c =
                        Sample(x + (sx + 0.5) / kSamplesPerSide, screenY + (sy + 0.5) / kSamplesPerSide);
                    sum.blue += c.blue, sum.green += c.green, sum.red += c.red;
                }
            }
            constexpr double samples = kSamplesPerSide * kSamplesPerSide;
            out[0] = ToByte(sum.blue / samples), out[1] = ToByte(sum.green / samples),
            out[2] = ToByte(sum.red / samples);
        }
    }

private:
    static BYTE ToByte(double v) { return BYTE(std::clamp(v + 0.5, 0.0, 255.0)); }

    // Rows of the source counted from the top of the screen.
    const BYTE* SourcePixel(int x, int screenY) const {
        return m_source.row0 + m_source.step * (m_source.height - 1 - screenY) + std::ptrdiff_t{x} * 3;
    }

    Colour SourceColour(double screenX, double screenY) const {
        const int x = std::clamp(int(screenX), 0, m_source.width - 1);
        const int y = std::clamp(int(screenY), 0, m_source.height - 1);
        const BYTE* p = SourcePixel(x, y);
        return {double(p[0]), double(p[1]), double(p[2])};
    }

    bool IsNearTheCurl(int x, int screenY) const {
        const double reach = m_geometry.Depth() + m_geometry.ShadowWidth() + 2;
        const double cx = m_geometry.MapX(x + 0.5), cy = m_geometry.MapY(screenY + 0.5);
        return m_geometry.Beyond(cx, cy) > -reach;
    }

    Colour Sample(double screenX, double screenY) const {
        const double x = m_geometry.MapX(screenX), y = m_geometry.MapY(screenY);
        const double beyond = m_geometry.Beyond(x, y);
        if (beyond > 0)
            return {double(m_settings.backBlue), double(m_settings.backGreen), double(m_settings.backRed)};

        double mx, my;
        m_geometry.Mirror(x, y, mx, my);
        if (m_geometry.InsidePicture(mx, my)) {
            const Colour seen = SourceColour(m_geometry.MapX(mx), m_geometry.MapY(my));
            const double through = std::clamp(m_settings.transparency, 0.0, 1.0);
            const double tip = std::min(1.0, -beyond / m_geometry.Depth());
            const double light = 1.0 - std::clamp(m_settings.shading, 0.0, 1.0) * kTipDarkening * tip * tip;
            auto back = [&](double picture) {
                return light * (kPaperGrey * (1 - through) + picture * through);
            };
            return {back(seen.blue), back(seen.green), back(seen.red)};
        }

        Colour page = SourceColour(screenX, screenY);
        if (m_settings.shadow == 1) {
            const double distance = m_geometry.DistanceToFlap(x, y);
            if (distance < m_geometry.ShadowWidth()) {
                const double near = 1.0 - distance / m_geometry.ShadowWidth();
                const double light = 1.0 - kShadowDarkening * near * near;
                page.blue *= light, page.green *= light, page.red *= light;
            }
        }
        return page;
    }

    const ConstPixelRows& m_source;
    const CurlSettings& m_settings;
    CurlGeometry m_geometry;
};

} // namespace

void DrawPageCurl(const ConstPixelRows& source, const PixelRows& target, const CurlSettings& settings) {
    if (settings.curlWidth <= 0 || settings.curlHeight <= 0) {
        for (int y = 0; y < source.height; ++y)
            std::memcpy(target.row0 + target.step * y, source.row0 + source.step * y,
                        std::size_t(source.width) * 3);
        return;
    }
    const CurlPainter painter(source, settings);
    ParallelFor(source.height, kRowsPerThread, [&](std::int64_t begin, std::int64_t end) {
        for (std::int64_t screenY = begin; screenY < end; ++screenY)
            painter.PaintRow(int(screenY), target.row0 + target.step * (source.height - 1 - screenY));
    });
}
