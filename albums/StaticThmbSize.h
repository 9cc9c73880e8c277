#pragma once
// CStaticThmbSize: previews a thumbnail size or the gaps between thumbnails on a white field, with the
// sample picture (bitmap 6008) in each cell. Each axis follows a fraction value / range; the values are
// used at the next paint, and the owner invalidates the control.

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Dc.h"
#include "platform/ui/Static.h"

#include <memory>

class CStaticThmbSize : public CStatic {
    DECLARE_DYNAMIC(CStaticThmbSize)
public:
    // One cell whose size follows the fractions.
    static constexpr int kSizeMode = 1;
    // Four cells of 2 × 2 whose gaps follow the fractions.
    static constexpr int kSpacingMode = 2;

    CStaticThmbSize();
    ~CStaticThmbSize() override;

    void SetMode(int mode) { m_nMode = mode; }
    // Negative values are kept as 0.
    void SetHorizontalValue(int value);
    void SetHorizontalRange(int range);
    void SetVerticalValue(int value);
    void SetVerticalRange(int range);

    // Makes the memory context with the sample picture; called once after the control exists. TRUE even
    // without the picture: the cells are then drawn black.
    BOOL CreateMemDC();

protected:
    void OnPaint() override;
    void OnDestroy() override;

private:
    void DrawCell(CDC* dc, const CRect& cell);
    void FreeMemDC();

    int m_nMode = kSizeMode;
    int m_nHorizontalValue = 0;
    int m_nHorizontalRange = 0;
    int m_nVerticalValue = 0;
    int m_nVerticalRange = 0;
    CBitmap m_sample;
    CBitmap* m_pOldBitmap = nullptr;
    std::unique_ptr<CDC> m_pMemDC;
};
