#pragma once
// CWorkBitmap: the picture of the page in normal mode, and the effects dialog's preview. Its original is
// always an uncompressed 24-bit picture once a take-in succeeded, and it keeps a temporary file, so that
// it can be turned again from its last unrotated result.

#include "image/AdjustImage.h"
#include "platform/base/Object.h"

class CWorkBitmap : public CObject, public CAdjustImage {
public:
    CWorkBitmap();
    ~CWorkBitmap() override;

    // Takes a copy of a packed DIB of size bytes (1, 4, 8, 16, 24 or 32 bits) as the new original, made
    // 24-bit. A header that names any compression is refused with message 104, before the picture is
    // checked; other data that is not a picture gives false.
    bool SetTo(DWORD size, const void* data);
    // The original from a packed DIB in global memory, which is freed, made 24-bit; without a block,
    // from the BMP file at the file path, made 24-bit unless it has 16 bits per pixel. False when there
    // is no readable picture.
    bool SetFromImage(HGLOBAL block);
    // SetFromImage, then the rebuild. A 16-bit file is refused with message 124 and kept as the original
    // as it was read.
    bool SetFromFile(HGLOBAL block);

    // Write the adjusted or the original picture as a BMP file; false when there is none or the file
    // cannot be written (an old file of that name then stays as it was).
    bool SaveAdjusted(const CString& path);
    bool SaveOriginal(const CString& path);

    // The whole temporary file (the last unrotated adjusted picture as a BMP file image) in a new fixed
    // global block, the caller's; its size goes to *size. Null without a temporary file or when it
    // cannot be read whole.
    HGLOBAL ReadTempFile(DWORD* size);
};
