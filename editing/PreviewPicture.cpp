// The preview's rendering on a working original reduced to the pixels the preview takes.

#include "editing/PreviewPicture.h"

#include "image/DibGeometry.h"
#include "image/DibRows.h"
#include "image/PictureInfo.h"
#include "platform/gdi/Stretch.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <numeric>
#include <utility>

namespace {

// Quarter turns of the preview's rotation, which turns by whole quarters only.
int QuarterTurns(const ADJUST& settings) {
    return (settings.rotation / 900 % 4 + 4) % 4;
}

// The part of the original that the crop keeps, as the rebuild cuts it.
CRect CropCut(const CAdjustImage& settings, int width, int height) {
    if (!settings.cropOn)
        return CRect(0, 0, width, height);
    CRect cut(static_cast<int>(width * settings.cropLeft), static_cast<int>(height * settings.cropTop),
              static_cast<int>(width * settings.cropRight), static_cast<int>(height * settings.cropBottom));
    cut.NormalizeRect();
    return cut;
}

// The picture pixels (counted from the left or the top of the full result) that the preview takes along
// one axis: the nearest-neighbour walk where it shrinks, every pixel of the span where it does not.
std::vector<int> AxisPixels(const AxisSpan& span) {
    std::vector<int> pixels =
        DrawnPixels(span.sourceEnd - span.sourceStart, span.targetEnd - span.targetStart);
    for (int& pixel : pixels)
        pixel += span.sourceStart;
    return pixels;
}

// Where one axis of the full result lies on the original: along its rows or its columns, and whether
// backwards. The conversion mirrors and flips before the quarter turns (mirror and flip together do
// neither).
struct AxisLink {
    bool alongRows;
    bool reversed;
};

void LinkAxes(const ADJUST& settings, AxisLink& across, AxisLink& down) {
    const bool mirrored = settings.mirror && !settings.flip;
    const bool flipped = settings.flip && !settings.mirror;
    switch (QuarterTurns(settings)) {
    case 1:
        across = {true, flipped};
        down = {false, !mirrored};
        break;
    case 2:
        across = {false, !mirrored};
        down = {true, !flipped};
        break;
    case 3:
        across = {true, !flipped};
        down = {false, mirrored};
        break;
    default:
        across = {false, mirrored};
        down = {true, flipped};
        break;
    }
}

// Pixels of the full result's axis as pixels of the original, whose kept part starts at offset and is
// extent long on that axis.
std::vector<int> OnOriginal(const std::vector<int>& pixels, bool reversed, int offset, int extent) {
    const size_t count = pixels.size();
    std::vector<int> placed(count);
    for (size_t k = 0; k < count; ++k)
        placed[k] = offset + (reversed ? extent - 1 - pixels[count - 1 - k] : pixels[k]);
    return placed;
}

} // namespace

std::vector<int> DrawnPixels(int source, int target) {
    if (source <= 0 || target <= 0)
        return {};
    std::vector<int> pixels(static_cast<size_t>(source > target ? target : source));
    if (source > target)
        ColorOnColorSteps(source, target, 0, target, pixels.data());
    else
        std::iota(pixels.begin(), pixels.end(), 0);
    return pixels;
}

CPictureInfo* SamplePicture(const CPictureInfo& original, const std::vector<int>& columns,
                            const std::vector<int>& rows) {
    const BITMAPINFOHEADER* header = original.GetHeader();
    if (DibBitCount(header) != 24 || header->biCompression != BI_RGB)
        return nullptr;
    const CDibRows source(const_cast<BYTE*>(DibBitsPtr(header)), DibWidth(header), DibHeight(header), 24);
    const int width = static_cast<int>(columns.size());
    const int height = static_cast<int>(rows.size());
    const std::int64_t imageBytes = DibImageBytes(width, height, 24);
    auto picture = std::make_unique<CPictureInfo>();
    BYTE* block = picture->Allocate(static_cast<DWORD>(sizeof(BITMAPINFOHEADER) + imageBytes));
    if (!block)
        return nullptr;
    const BITMAPINFOHEADER sampled{sizeof(BITMAPINFOHEADER),       width, height, 1, 24, BI_RGB,
                                   static_cast<DWORD>(imageBytes), 0,     0,      0, 0};
    std::memcpy(block, &sampled, sizeof sampled);
    BYTE* bits = block + sizeof sampled;
    std::memset(bits, 0, static_cast<size_t>(imageBytes));
    const CDibRows target(bits, width, height, 24);
    for (int y = 0; y < height; ++y) {
        const BYTE* in = source.Row(rows[static_cast<size_t>(y)]);
        BYTE* out = target.Row(y);
        for (const int x : columns) {
            std::memcpy(out, in + 3 * static_cast<std::int64_t>(x), 3);
            out += 3;
        }
    }
    return picture.release();
}

CSize CPreviewPicture::FullSize(const CAdjustImage& settings) {
    const CPictureInfo* original = settings.GetOriginalDib();
    if (!original || !original->IsValid())
        return CSize();
    const CRect cut = CropCut(settings, original->GetWidth(), std::abs(original->GetHeight()));
    if (cut.Width() <= 0 || cut.Height() <= 0)
        return CSize();
    return QuarterTurns(settings) % 2 ? CSize(cut.Height(), cut.Width()) : cut.Size();
}

bool CPreviewPicture::Render(const CAdjustImage& settings, const CPreviewView& view) {
    const CPictureInfo* original = settings.GetOriginalDib();
    if (!original || !original->IsValid())
        return false;
    // Only a whole picture shown smaller than it is gets a reduced original: effects that reach over
    // the picture and the red-eye regions need all of it.
    const CRect& rect = view.GetPictureRect();
    const CSize client = view.GetClientSize();
    const CSize full = FullSize(settings);
    const std::vector<int> across = AxisPixels(view.HorizontalSpan());
    const std::vector<int> down = AxisPixels(view.VerticalSpan());
    const bool whole = rect.left >= 0 && rect.top >= 0 && rect.right <= client.cx && rect.bottom <= client.cy;
    const bool shrunk =
        !across.empty() && !down.empty() &&
        (static_cast<int>(across.size()) < full.cx || static_cast<int>(down.size()) < full.cy);
    const bool inside = !across.empty() && !down.empty() && across.back() < full.cx && down.back() < full.cy;
    std::vector<int> columns, rows;
    if (whole && shrunk && inside) {
        AxisLink acrossLink{}, downLink{};
        LinkAxes(settings, acrossLink, downLink);
        const CRect cut = CropCut(settings, original->GetWidth(), std::abs(original->GetHeight()));
        for (const auto& [pixels, link] : {std::pair(&across, acrossLink), std::pair(&down, downLink)}) {
            std::vector<int>& onOriginal = link.alongRows ? rows : columns;
            onOriginal = link.alongRows ? OnOriginal(*pixels, link.reversed, cut.top, cut.Height())
                                        : OnOriginal(*pixels, link.reversed, cut.left, cut.Width());
        }
    }
    const bool same = !m_stale && m_sampledFrom == original && m_columns == columns && m_rows == rows &&
                      GetPicture() != nullptr;
    if (same)
        return true;
    return Rebuild(settings, std::move(columns), std::move(rows));
}

bool CPreviewPicture::Rebuild(const CAdjustImage& settings, std::vector<int> columns, std::vector<int> rows) {
    CPictureInfo* original = settings.GetOriginalDib();
    const bool sameSample = m_reduced && m_sampledFrom == original && m_columns == columns && m_rows == rows;
    m_stale = false;
    m_sampledFrom = original;
    m_columns = std::move(columns);
    m_rows = std::move(rows);
    CPictureInfo* sample =
        m_columns.empty() || sameSample ? nullptr : SamplePicture(*original, m_columns, m_rows);
    m_reduced = sameSample || sample;
    m_render.CopyFrom(&settings);
    if (sample) {
        m_render.SetOriginalDib(sample);
        sample->Release();
    } else if (!m_reduced) {
        m_columns.clear();
        m_rows.clear();
        m_render.SetOriginalDib(original);
    }
    // The reduced original holds only the kept part.
    if (m_reduced)
        m_render.cropOn = 0;
    return m_render.Rebuild(false);
}

CRect CPreviewPicture::SourceRect(const CPreviewView& view) const {
    const CPictureInfo* picture = GetPicture();
    if (m_reduced && picture)
        return CRect(0, 0, picture->GetWidth(), std::abs(picture->GetHeight()));
    const AxisSpan across = view.HorizontalSpan();
    const AxisSpan down = view.VerticalSpan();
    return CRect(across.sourceStart, down.sourceStart, across.sourceEnd, down.sourceEnd);
}
