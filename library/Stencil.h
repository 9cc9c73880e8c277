#pragma once
// CStencil: an entry of a stencil album, a shape picture that clips a picture on a page. Unlike the
// clipart and frame entries it can be archived as a tagged object of its class (schema 0); its picture
// is never archived and is loaded again with LoadData.

#include "library/DSObj.h"

class CDC;

class CStencil : public CDSObj {
    DECLARE_SERIAL(CStencil)
public:
    CStencil() = default;
    ~CStencil() override;

    // A new empty stencil, owned by the caller.
    static CStencil* CreateEmpty();

    // The stencil picture is present.
    bool IsLoaded() const override;
    // A new stencil with the path, title, relative flag, and copies of the picture and the thumbnail.
    CDSObj* Clone() const override;
    // Reloads when no picture is held; true even when the file cannot be loaded.
    bool LoadData() override;
    // A new picture of the file at its own depth, owned by the caller; null without the managers or a path.
    CPictureInfo* LoadPicture() const override;

    // Releases the picture and loads it again at 24 bits per pixel; true whether or not one came back.
    bool Reload();
    // Nothing without a picture; otherwise the picture stretched into rect.
    void Draw(CDC* dc, const CRect& rect) const;
    // Owned by the stencil; null when not loaded.
    CPictureInfo* GetBitmap() const { return m_pPicture; }

private:
    void SetPicture(CPictureInfo* picture);

    CPictureInfo* m_pPicture = nullptr;
};
