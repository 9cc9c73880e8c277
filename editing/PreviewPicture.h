#pragma once
// CPreviewPicture: what the effects dialog's preview draws. While the preview shows the whole picture
// smaller than it is, the settings are rendered on a working original reduced to the picture pixels that
// the preview's nearest-neighbour drawing would take from the full result, so that a step of the settings
// costs about as much as the preview has pixels; otherwise on the full original. Tone and colour settings
// give the same preview either way; neighbourhood effects act at the preview's scale.

#include "editing/PreviewView.h"
#include "image/AdjustImage.h"

#include <vector>

class CPictureInfo;

// The source pixels that nearest-neighbour drawing takes when it stretches source pixels onto target
// pixels: its walk where it shrinks, every pixel where it does not.
std::vector<int> DrawnPixels(int source, int target);
// A new 24-bit picture (the caller's) of the given columns and rows (top row 0) of a 24-bit picture; null
// for another depth.
CPictureInfo* SamplePicture(const CPictureInfo& original, const std::vector<int>& columns,
                            const std::vector<int>& rows);

class CPreviewPicture {
public:
    CPreviewPicture() : m_render(false) {}

    // The size of the full result in preview quality (crop, whole quarter turns) of settings' original;
    // empty without a valid one.
    static CSize FullSize(const CAdjustImage& settings);

    // The settings changed: the next Render renders them anew.
    void Invalidate() { m_stale = true; }
    // Renders settings for view, whose picture size is FullSize, unless the last render holds them
    // already for what view shows. False when there is no rendered picture.
    bool Render(const CAdjustImage& settings, const CPreviewView& view);
    // The rendered picture, or null.
    const CPictureInfo* GetPicture() const { return m_render.GetAdjustedDib(); }
    // Whether the last rebuild worked on a reduced original.
    bool IsReduced() const { return m_reduced; }
    // The part of the rendered picture that goes to the view's target.
    CRect SourceRect(const CPreviewView& view) const;

private:
    bool Rebuild(const CAdjustImage& settings, std::vector<int> columns, std::vector<int> rows);

    CAdjustImage m_render;
    // The original columns and rows (top row 0) that the reduced original holds, empty when it is the
    // full original.
    std::vector<int> m_columns;
    std::vector<int> m_rows;
    const CPictureInfo* m_sampledFrom = nullptr;
    bool m_reduced = false;
    bool m_stale = true;
};
