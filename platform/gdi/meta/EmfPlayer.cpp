// EMF through SVG. The converter runs on checked copies only; the SVG is drawn into a transparent picture
// of the frame's device size, which is laid over the context inside its clip region.

#include "platform/gdi/meta/EmfPlayer.h"

#include "platform/base/ByteOrder.h"
#include "platform/base/DibLimits.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/QtInterop.h"
#include "platform/gdi/meta/EmfCheck.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdint>
#include <cstdlib>
#include <emf2svg.h>
#include <mutex>

namespace {

// The converter's own state is not documented as safe across threads.
std::mutex& ConverterLock() {
    static std::mutex lock;
    return lock;
}

QByteArray ConvertToSvg(std::vector<BYTE>& emf) {
    char* svg = nullptr;
    std::size_t length = 0;
    generatorOptions options{};
    char noNamespace[] = "";
    options.nameSpace = noNamespace;
    options.svgDelimiter = true;
    // EMF+ records inside comments are not checked above: the converter leaves them alone.
    options.emfplus = false;
    int converted = 0;
    {
        const std::lock_guard<std::mutex> hold(ConverterLock());
        converted = emf2svg(reinterpret_cast<char*>(emf.data()), emf.size(), &svg, &length, &options);
    }
    QByteArray result;
    if (converted && svg)
        result = QByteArray(svg, static_cast<qsizetype>(length));
    std::free(svg);
    return result;
}

// The header's inclusive bounds in device units.
QRectF BoundsOf(std::span<const BYTE> file) {
    const auto field = [&](std::size_t at) { return static_cast<std::int32_t>(ReadLe32(file.data() + at)); };
    const double width = double(field(16)) - field(8) + 1;
    const double height = double(field(20)) - field(12) + 1;
    if (width <= 0 || height <= 0 || width > kMaxDibSide || height > kMaxDibSide)
        return {};
    return QRectF(0, 0, width, height);
}

} // namespace

std::unique_ptr<EmfPicture> EmfPicture::FromFile(std::span<const BYTE> file) {
    std::vector<BYTE> checked = CheckedEmfCopy(file);
    if (checked.empty())
        return nullptr;
    const QRectF area = BoundsOf(file);
    if (area.isEmpty())
        return nullptr;
    QByteArray svg = ConvertToSvg(checked);
    if (svg.isEmpty())
        return nullptr;
    return std::unique_ptr<EmfPicture>(new EmfPicture(std::move(svg), area));
}

bool EmfPicture::Play(CDC& dc, const RECT& frame) const {
    CRect device(frame);
    dc.LPtoDP(&device);
    device.NormalizeRect();
    const int width = device.Width(), height = device.Height();
    if (width <= 0 || height <= 0 || width > kMaxDibSide || height > kMaxDibSide ||
        std::int64_t{width} * height > kMaxDibPixels)
        return false;
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return false;
    image.fill(Qt::transparent);
    QSvgRenderer renderer(m_svg);
    renderer.setViewBox(m_area);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, width, height));
    painter.end();

    // The picture is in device pixels: laid over with the mapping set aside.
    const int saved = dc.SaveDC();
    dc.SetMapMode(MM_TEXT);
    dc.SetWindowOrg(0, 0);
    dc.SetViewportOrg(0, 0);
    const bool played = DrawImageOver(dc.GetSafeHdc(), device.left, device.top, image);
    dc.RestoreDC(saved);
    return played;
}
