#pragma once
// Where the preview window shows the adjusted picture: the fit scale, the zoom (1 to 8) and the picture
// rectangle in client coordinates, which may reach beyond the client area when zoomed. The window keeps
// one and asks it after every change; nothing here draws.

#include "platform/base/Geometry.h"

// The part of the picture one axis shows: target on the client, source in picture pixels.
struct AxisSpan {
    int targetStart;
    int targetEnd;
    int sourceStart;
    int sourceEnd;
};

class CPreviewView {
public:
    static constexpr double kMinZoom = 1.0;
    static constexpr double kMaxZoom = 8.0;

    void SetClientSize(CSize client) { m_client = client; }
    void SetPictureSize(CSize picture) { m_picture = picture; }
    CSize GetClientSize() const { return m_client; }

    double GetZoom() const { return m_zoom; }
    double GetBaseScale() const { return m_baseScale; }
    double GetScale() const { return m_baseScale * m_zoom; }
    const CRect& GetPictureRect() const { return m_rect; }
    // Sets the rectangle, then clamps it.
    void SetPictureRect(const CRect& rect);

    // At zoom 1 only: the scale that fits the picture into the client, never above 1.
    void FitScale();
    // Fits, then centres the whole picture at the fitted size.
    void ResetView();
    // A side at least as long as the client covers it; a shorter side is centred.
    void ClampPictureRect();

    // The zoom commands; each returns whether anything changed. Zoom in and out step by one and keep the
    // picture point under the client's centre; zoom 1 by ZoomTo refits and resets.
    bool ZoomIn();
    bool ZoomOut();
    bool ZoomTo(int zoom);
    // The picture moved so that anchor (relative to its top-left corner) lies under point, then clamped.
    void PanTo(CPoint point, CPoint anchor);

    // What the picture rectangle shows along each axis.
    AxisSpan HorizontalSpan() const;
    AxisSpan VerticalSpan() const;

private:
    void Recentre();

    CSize m_client;
    CSize m_picture;
    double m_zoom = 1.0;
    double m_baseScale = 0.5;
    CRect m_rect;
};
