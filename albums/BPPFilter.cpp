// The colour-depth test reads only the file's headers.

#include "albums/BPPFilter.h"

#include "platform/imaging/ImagingFile.h"

namespace {
constexpr int kComparisonBits = CBPPFilter::kEqual | CBPPFilter::kLess | CBPPFilter::kGreater;
} // namespace

void CBPPFilter::SetFlags(int clear, int set) {
    m_nFlags = (m_nFlags & ~(clear & kComparisonBits)) | (set & kComparisonBits);
}

bool CBPPFilter::Test(LPCTSTR path) const {
    ImagingFileInfo info;
    if (!path || !ReadImagingFileInfo(path, info))
        return false;
    const int depth = info.bitsPerPixel;
    return ((m_nFlags & kEqual) && depth == m_nBitsPerPixel) ||
           ((m_nFlags & kLess) && depth < m_nBitsPerPixel) ||
           ((m_nFlags & kGreater) && depth > m_nBitsPerPixel);
}
