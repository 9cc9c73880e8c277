#pragma once
// CBPPFilter: passes a picture file by its colour depth, compared with a value of bits per pixel. A
// file the imaging library cannot read fails.

#include "albums/BrowseFileFilter.h"

class CBPPFilter : public CBrowseFileFilter {
public:
    // The depth passes when it is equal to, less than or greater than the filter's value; the bits
    // combine, and a filter with none set passes nothing.
    static constexpr int kEqual = 1;
    static constexpr int kLess = 2;
    static constexpr int kGreater = 4;

    // Only the three comparison bits count.
    void SetFlags(int clear, int set) override;
    void SetBitsPerPixel(const int& bitsPerPixel) { m_nBitsPerPixel = bitsPerPixel; }
    bool Test(LPCTSTR path) const override;

private:
    int m_nBitsPerPixel = 32;
};
