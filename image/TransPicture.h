#pragma once
// CTransPicture: a picture and its transparency mask, drawn so that the page shows through where the mask
// is black. The image is white where the picture is transparent; the mask is white where it is opaque.
// Drawing ORs the mask onto the page (white over the opaque part, the page untouched elsewhere) and then
// ANDs the image (the picture into the white, the page kept under the image's white).

#include "platform/base/Geometry.h"
#include "platform/base/WinTypes.h"

class CArchive;
class CDC;
class CPictureInfo;
class CString;

class CTransPicture {
public:
    CTransPicture() = default;
    virtual ~CTransPicture();
    CTransPicture(const CTransPicture&) = delete;
    CTransPicture& operator=(const CTransPicture&) = delete;

    // For each of image and mask: a 32-bit 1 and the picture's own archive form, or a 32-bit 0. Loading
    // frees the pair first; a flag other than 1 means the picture is absent.
    virtual void Serialize(CArchive& ar);

    // Frees the pair and loads the file through the plug-in manager: its picture becomes the image and
    // the mask it returns beside it the mask. TRUE when an image came back.
    BOOL Load(const CString& path);
    // Frees the pair and takes copies of the other pair's pictures, each only when present.
    void Copy(const CTransPicture& other);
    BOOL IsValid() const { return m_pImage != nullptr && m_pMask != nullptr; }
    // Frees the pair and makes it the source turned by tenths of a degree at size: the image scaled and
    // turned on white, the mask scaled at 1 bit and turned on black, both grown to the turned bounds. A
    // whole turn leaves the pair empty and succeeds; a null source or one without both pictures fails.
    BOOL Rotate(const CTransPicture* source, const CSize& size, int tenths);
    // Only a valid pair: the mask with SRCPAINT, then the image with SRCAND, each stretched to dest and
    // limited to clip, with the stretch mode COLORONCOLOR for the time of the drawing.
    void Draw(CDC* dc, const CRect& dest, const CRect& clip, BOOL smooth) const;
    void Free();

    // Owned by the pair.
    CPictureInfo* GetImage() const { return m_pImage; }
    CPictureInfo* GetMask() const { return m_pMask; }
    // Take over the picture (may be null) and release the one held.
    void SetImage(CPictureInfo* image);
    void SetMask(CPictureInfo* mask);

private:
    CPictureInfo* m_pImage = nullptr;
    CPictureInfo* m_pMask = nullptr;
};
