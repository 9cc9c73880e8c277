// Thumbnails of picture files: scaled row by row as they are decoded where the format allows (the whole
// picture is never held), else decoded at a reduced scale where the format allows and scaled by the one
// resampling kernel; laid on the background colour.
#include "platform/base/Geometry.h"
#include "platform/base/Parallel.h"
#include "platform/imaging/DepthConversion.h"
#include "platform/imaging/FileFormats.h"
#include "platform/imaging/ImagingFile.h"
#include "platform/imaging/Resampler.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <utility>

namespace {

CSize FittedSize(const ImagingFileInfo& info, const ThumbnailOptions& options) {
    const double scale =
        std::min({1.0, double(options.width) / info.width, double(options.height) / info.height});
    const int width = std::clamp(int(std::lround(info.width * scale)), 1, options.width);
    const int height = std::clamp(int(std::lround(info.height * scale)), 1, options.height);
    return CSize(width, height);
}

// Transparent parts show the background: each colour mixed with it by its alpha.
void OverBackground(BytePixels& bgr, const BytePixels& alpha, COLORREF background) {
    const int under[3] = {GetBValue(background), GetGValue(background), GetRValue(background)};
    for (std::size_t i = 0; i < alpha.bytes.size(); ++i) {
        const int a = alpha.bytes[i];
        BYTE* p = bgr.bytes.data() + 3 * i;
        for (int c = 0; c < 3; ++c)
            p[c] = BYTE((p[c] * a + under[c] * (255 - a) + 127) / 255);
    }
}

// Rows scaled to the thumbnail's size as they come, top row first, into rows bottom first as the DIB
// has them.
class CScaledRows : public CRowReceiver {
public:
    CScaledRows(CSize size, ResampleFilter filter) : m_size(size), m_filter(filter) {}

    void Begin(int width, int height, int channels) override {
        m_scaled = BytePixels(m_size.cx, m_size.cy, channels);
        const PixelRows target{m_scaled.Row(m_size.cy - 1), -m_scaled.RowBytes(), m_size.cx, m_size.cy};
        m_resampler = std::make_unique<CRowResampler>(width, height, target, channels, m_filter);
    }
    void Row(const BYTE* pixels) override { m_resampler->AddRow(pixels); }

    // The scaled pixels as blue-green-red, and their alpha where the rows had one.
    void Split(BytePixels& bgr, BytePixels& alpha) const {
        const int channels = m_scaled.bytesPerPixel;
        const bool grey = channels <= 2, hasAlpha = channels % 2 == 0;
        bgr = BytePixels(m_size.cx, m_size.cy, 3);
        if (hasAlpha)
            alpha = BytePixels(m_size.cx, m_size.cy, 1);
        const BYTE* in = m_scaled.bytes.data();
        for (std::size_t i = 0; 3 * i < bgr.bytes.size(); ++i, in += channels) {
            BYTE* out = bgr.bytes.data() + 3 * i;
            out[0] = in[0], out[1] = in[grey ? 0 : 1], out[2] = in[grey ? 0 : 2];
            if (hasAlpha)
                alpha.bytes[i] = in[channels - 1];
        }
    }

private:
    CSize m_size;
    ResampleFilter m_filter;
    BytePixels m_scaled;
    std::unique_ptr<CRowResampler> m_resampler;
};

// The picture at the fitted size as blue-green-red, and its alpha where it has transparency (else
// alpha stays empty).
bool ScaledPicture(std::span<const BYTE> file, ImagingFileInfo& info, CSize fitted, ResampleFilter filter,
                   BytePixels& scaled, BytePixels& scaledAlpha) {
    CScaledRows rows(fitted, filter);
    switch (StreamFileImageRows(file, info.format, rows)) {
    case RowStreaming::Done:
        rows.Split(scaled, scaledAlpha);
        return true;
    case RowStreaming::Failed:
        return false;
    case RowStreaming::NotStreamable:
        break;
    }
    CImagingBitmap picture;
    if (!DecodeFileImage(file, picture, info, fitted.cx, fitted.cy))
        return false;
    scaled = BytePixels(fitted.cx, fitted.cy, 3);
    const BytePixels bgr = BgrPixelsOf(picture);
    ResamplePixels(bgr.Rows(), scaled.Rows(), 3, filter);
    if (picture.HasTransparency()) {
        BytePixels alpha(picture.GetWidth(), picture.GetHeight(), 1);
        alpha.bytes = picture.GetAlpha();
        scaledAlpha = BytePixels(fitted.cx, fitted.cy, 1);
        ResamplePixels(std::as_const(alpha).Rows(), scaledAlpha.Rows(), 1, filter);
    }
    return true;
}

bool MakeThumbnail(const CString& path, const ThumbnailOptions& options, CImagingBitmap& thumbnail) {
    if (!IsDibSizeAllowed(options.width, options.height))
        return false;
    std::vector<BYTE> file;
    ImagingFileInfo info;
    if (!ReadFileImage(path, file) || !ReadFileImageInfo(file, info) ||
        !IsDibSizeAllowed(info.width, info.height))
        return false;
    try {
        const CSize fitted = FittedSize(info, options);
        const ResampleFilter filter = options.resample ? ResampleFilter::Area : ResampleFilter::Nearest;
        BytePixels scaled, scaledAlpha;
        if (!ScaledPicture(file, info, fitted, filter, scaled, scaledAlpha))
            return false;
        if (!scaledAlpha.bytes.empty())
            OverBackground(scaled, scaledAlpha, options.background);
        if (!options.forceSize) {
            thumbnail.Attach(WriteDib(scaled, 24, {}));
            return true;
        }

        BytePixels canvas(options.width, options.height, 3);
        const BYTE fill[3] = {GetBValue(options.background), GetGValue(options.background),
                              GetRValue(options.background)};
        for (std::size_t i = 0; i < canvas.bytes.size(); i += 3)
            std::copy(fill, fill + 3, canvas.bytes.begin() + std::ptrdiff_t(i));
        // Centred, the offsets counted from the top left as the picture is seen.
        const int left = (options.width - fitted.cx) / 2, top = (options.height - fitted.cy) / 2;
        for (int y = 0; y < fitted.cy; ++y) {
            const int canvasRow = options.height - 1 - (top + fitted.cy - 1 - y);
            std::copy_n(scaled.Row(y), scaled.RowBytes(), canvas.Row(canvasRow) + std::ptrdiff_t(left) * 3);
        }
        thumbnail.Attach(WriteDib(canvas, 24, {}));
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

} // namespace

bool CreateImagingThumbnail(const CString& path, const ThumbnailOptions& options, CImagingBitmap& thumbnail) {
    // Thumbnails are made one after another on the file browser's own thread: they leave the other
    // cores to the program, and a thumbnail's small scaling costs less than starting threads for it.
    return RunOnThisThread([&] { return MakeThumbnail(path, options, thumbnail); });
}
