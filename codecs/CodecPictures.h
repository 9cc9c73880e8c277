#pragma once
// What the plug-in frame does between the imaging library and the program's picture type.

#include "platform/base/Exception.h"
#include "platform/base/GlobalMemory.h"
#include "platform/imaging/ImagingBitmap.h"

#include <cstddef>
#include <memory>

class CPictureInfo;

// A new picture (owned by the caller) holding the bitmap's DIB, checked by the picture gate; null when
// the gate refuses it.
CPictureInfo* PictureFromBitmap(const CImagingBitmap& bitmap);

// A new picture (owned by the caller) taking over a packed DIB block made with new BYTE[], checked by the
// picture gate in place; null when the gate refuses it.
CPictureInfo* PictureFromBlock(std::unique_ptr<BYTE[]> dib, std::size_t size);

// Hands the 1-bit mask of the bitmap's transparency (white where opaque) to the caller through mask,
// deleting the picture mask held. With whiten, the transparent pixels of the bitmap become white
// first, so that the pair draws as the mask with OR and then the picture with AND; when that fails no
// mask is handed out. Nothing happens for a bitmap without transparency.
void TakeMask(CImagingBitmap& bitmap, bool whiten, CPictureInfo*& mask);

// The quality factor passed to the encoder for the save dialog's preset level (0 to 5). Formats with a
// quality map the presets (print simple, medium, high; web simple, medium, high); any other level, and
// every level of a format without quality, gives startValue.
int QualityForLevel(int level, int startValue, bool hasQuality);

// An image file in a global memory block that the caller hands in: locked while it is read. Bytes() is
// null when the handle is no block or the size it comes with runs past the block.
class CMemoryFile {
public:
    CMemoryFile(void* data, DWORD size) : m_lock(static_cast<HGLOBAL>(data)), m_size(size) {}
    const BYTE* Bytes() const { return m_lock.Bytes() && m_size <= m_lock.Size() ? m_lock.Bytes() : nullptr; }
    DWORD Size() const { return m_size; }

private:
    CGlobalLock m_lock;
    DWORD m_size;
};

// Runs an export's body so that nothing is thrown across the plug-in boundary: any exception gives the
// export's failure value.
template <typename Result, typename Body>
Result Guarded(Result failure, Body body) noexcept {
    try {
        return body();
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    return failure;
}

// The same for exports without a result.
template <typename Body>
void Guarded(Body body) noexcept {
    try {
        body();
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
}
