#pragma once
// CMat: an entry of a frame album, a decorative frame laid around a picture on a page. Beside the frame
// picture lie two companion files: the mask ".msk" (a bitmap, white where the frame is opaque) and the
// description ".frm", six integers and the frame's name, one per line, from which the opening in the
// frame is computed as fractions of the frame picture's size.

#include "library/DSObj.h"

class CDC;

class CMat : public CDSObj {
    DECLARE_DYNCREATE(CMat)
public:
    CMat() = default;
    ~CMat() override;

    // Frame picture and mask both present.
    bool IsLoaded() const override;
    // Null for a mat without a valid description; else a copy (see CopyMat).
    CDSObj* Clone() const override;
    // The frame picture and the mask when absent, then the description; false when any is missing.
    bool LoadData() override;
    // A new picture of the file at its own depth, owned by the caller; null without the managers or a path.
    CPictureInfo* LoadPicture() const override;

    bool LoadFrameImage();
    bool LoadMask();
    // Reads the ".frm" file. A description that cannot be read, has fewer than seven lines, or has a
    // width (A) or height (B) that is not positive sets the fractions to -1 and returns false.
    bool ReadFrameFile();
    // A mat with the fractions and the frame name only, owned by the caller.
    CMat* CloneUnloaded() const;

    // Nothing without a frame picture; otherwise the frame picture stretched into rect.
    void Draw(CDC* dc, const CRect& rect) const;

    // Owned by the mat.
    CPictureInfo* GetImageDib() const { return m_pFramePicture; }
    CPictureInfo* GetMaskDib() const { return m_pMask; }
    const CString& GetFrameName() const { return m_strFrameName; }
    void SetFrameName(const CString& name) { m_strFrameName = name; }
    double GetLeft() const { return m_dLeft; }
    double GetTop() const { return m_dTop; }
    double GetRight() const { return m_dRight; }
    double GetBottom() const { return m_dBottom; }

private:
    void InvalidateFractions();
    void SetFramePicture(CPictureInfo* picture);
    void SetMask(CPictureInfo* mask);

    double m_dLeft = -1.0;
    double m_dTop = -1.0;
    double m_dRight = -1.0;
    double m_dBottom = -1.0;
    CString m_strFrameName;
    CPictureInfo* m_pFramePicture = nullptr;
    CPictureInfo* m_pMask = nullptr;
};
