#pragma once
// How the plug-ins that draw their own thumbnails draw a picture: whole when it is small or the
// destination large, else row by row, so that a large picture shrunk onto a small thumbnail keeps every
// thin line a row of its own could show.

#include "platform/base/Geometry.h"
#include "platform/base/WinTypes.h"

class CDC;
class CPictureInfo;

class CPictureHelper {
public:
    explicit CPictureHelper(const CPictureInfo& picture) : m_picture(picture) {}

    // 0 without data.
    int GetWidth() const;
    int GetHeight() const;
    // Stretches the picture onto dest with the stretch mode COLORONCOLOR; nothing without data.
    void Draw(CDC* dc, const CRect& dest, DWORD rop) const;

private:
    void DrawRows(CDC* dc, const CRect& dest, DWORD rop) const;

    const CPictureInfo& m_picture;
};
