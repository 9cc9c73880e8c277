#pragma once
// A bitmap file under a unique private name in the temporary folder, removed when the object goes, so
// that no page picture is left behind, whatever happens between.

#include "image/PictureInfo.h"
#include "platform/base/String.h"

class CExtMgr;

class CTempBitmap {
public:
    CTempBitmap() = default;
    ~CTempBitmap();
    CTempBitmap(const CTempBitmap&) = delete;
    CTempBitmap& operator=(const CTempBitmap&) = delete;

    // Writes the picture as a BMP file under a new name; false when it cannot be written.
    bool Write(const CPictureInfo& picture);
    const CString& Path() const { return m_path; }

private:
    CString m_path;
};

// The picture written to a temporary bitmap and read back through the codecs, as the page's pictures are
// saved; null after message 165 when either step fails.
OwnedPicture ThroughTempBitmap(const CPictureInfo& picture, CExtMgr& codecs);
