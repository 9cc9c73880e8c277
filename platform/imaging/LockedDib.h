#pragma once
// The results of the run-time libraries: 24-bit packed DIBs in locked global memory.

#include "platform/base/GlobalMemory.h"
#include "platform/base/WinStructs.h"
#include "platform/imaging/Resampler.h"

// A new movable block holding a 24-bit packed DIB of that size (40-byte header, rows whose padding is
// zeroed), locked until Release hands it out; freed on destruction otherwise. The pixels are left for
// the caller to write, every one of them: zeroing pictures of many megabytes first would cost as much
// as a simple pass over them.
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
