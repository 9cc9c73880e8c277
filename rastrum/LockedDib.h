#pragma once
// The results of the library: 24-bit packed DIBs in locked global memory.

#include "platform/base/GlobalMemory.h"
#include "platform/base/WinStructs.h"
#include "platform/imaging/Resampler.h"

// A new movable block holding a 24-bit packed DIB of that size (40-byte header, zeroed rows), locked
// until Release hands it out; freed on destruction otherwise.
class CLockedDib {
public:
    // Empty when the block cannot be had.
    CLockedDib(int width, int height);
    ~CLockedDib();
    CLockedDib(const CLockedDib&) = delete;
    CLockedDib& operator=(const CLockedDib&) = delete;

    bool IsEmpty() const { return m_header == nullptr; }
    PixelRows Rows() const;
    // Gives the locked DIB to the caller.
    BITMAPINFOHEADER* Release();

private:
    HGLOBAL m_block = nullptr;
    BITMAPINFOHEADER* m_header = nullptr;
};
