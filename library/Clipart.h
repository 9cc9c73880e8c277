#pragma once
// CClipart: an entry of a clipart album, a picture placed on a page with transparency. It holds the
// picture and its mask as a pair; the mask comes from a metafile's own outline, from a ".msk" bitmap
// beside the picture (white opaque, black transparent) or, without either, is all white.

#include "image/TransPicture.h"
#include "library/DSObj.h"

class CDC;

class CClipart : public CDSObj {
    DECLARE_DYNCREATE(CClipart)
public:
    CClipart() = default;

    // File path, second name, title, and the relative flag as a 32-bit 1 or 0 (set only for 1). The
    // pictures are not archived: the owner loads them with LoadData.
    void Serialize(CArchive& ar) override;
    // Picture and mask both present.
    bool IsLoaded() const override;
    // A new clipart with the fields, the thumbnail and a copy of the pair.
    CDSObj* Clone() const override;
    // False when no picture is held and none can be loaded; a missing mask is then made.
    bool LoadData() override;

    // Frees the pair and loads it from the entry's full path; true when a picture came back.
    bool LoadPicturePair();
    // Replaces the mask (see the class comment); true when one was made.
    bool RebuildMask();
    // The picture's size in pixels when loaded, else -1.
    int GetImageWidth() const;
    int GetImageHeight() const;
    // Nothing without a picture; otherwise the pair with the stretch mode COLORONCOLOR.
    void DrawMasked(CDC* dc, const CRect& dest, const CRect& clip, BOOL smooth) const;

    const CString& GetSecondName() const { return m_strSecondName; }
    void SetSecondName(const CString& name) { m_strSecondName = name; }
    const CTransPicture& GetPicturePair() const { return m_picturePair; }
    CTransPicture& GetPicturePair() { return m_picturePair; }

    // The text after the last "." of the path's file name; empty when it has none.
    static CString GetExtension(const CString& path);

private:
    CString m_strSecondName;
    CTransPicture m_picturePair;
};
