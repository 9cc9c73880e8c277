#pragma once
// EMF pictures: the checked file converted to SVG by libemf2svg and drawn by Qt's SVG renderer.

#include "platform/gdi/GdiTypes.h"

#include <QByteArray>
#include <QRectF>
#include <memory>
#include <span>

class CDC;

class EmfPicture {
public:
    // Null when the bytes fail the checks, the conversion fails or the picture has no area.
    static std::unique_ptr<EmfPicture> FromFile(std::span<const BYTE> file);
    // Draws the picture stretched over frame (logical units of the context) over what is there.
    bool Play(CDC& dc, const RECT& frame) const;

private:
    EmfPicture(QByteArray svg, const QRectF& area) : m_svg(std::move(svg)), m_area(area) {}

    QByteArray m_svg;
    // The picture's area in the SVG's units: the header's bounds, moved to the origin.
    QRectF m_area;
};
