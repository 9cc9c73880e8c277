#pragma once
// CImageGIF: reads the first image of a GIF file into an 8-bit indexed image and writes an 8-bit image
// as a GIF89a file, each with its own LZW coder.

#include "image/FileImageImpl.h"

class CGifByteSource;

// Why a GIF file was not read.
enum class GifFault {
    None,
    Unreadable,     // the file cannot be opened
    Signature,      // the file does not begin with "GIF8"
    HeaderCut,      // the header or the logical screen descriptor is incomplete
    ColourTableCut, // a global or local colour table is incomplete
    GraphicControl, // a graphic control block whose size is not 4 or that is cut
    DescriptorCut,  // an image descriptor is incomplete
    EmptyImage,     // an image of width or height 0
    TooLarge,       // beyond the picture limits
    NoImage,        // the blocks end, or an unknown block comes, before any image
    OutOfMemory,    // the picture could not be made
};

class CImageGIF : public CFileImageImpl {
public:
    // Messages shown through the application object.
    static constexpr UINT kMessageNotEightBits = 116;
    static constexpr UINT kMessageCannotCreate = 117;
    static constexpr UINT kMessageNotWritten = 118;

    CImageGIF() = default;

    // An empty path reads the stored path; any other is stored first. Only the first image of the file is
    // read; the image stays as it was when false is returned. A file whose image data is damaged or cut
    // gives the rows decoded before the damage.
    bool Read(const CString& path) override;
    // Writes the image as a GIF89a file through a temporary file: the old file stays whole when anything
    // fails. Only 8-bit images (message 116 otherwise); 117 when the file cannot be made, 118 when it
    // could not be written completely.
    bool Write(const CString& path) override;

    // Reads the first image from source, as Read does from a file.
    GifFault ReadFrom(CGifByteSource& source);
    GifFault GetLastFault() const { return m_lastFault; }
    // Codes past the next free code met while decoding the last image read.
    int GetBadCodeCount() const { return m_badCodes; }

    int GetWriteTransparentIndex() const { return m_writeTransparentIndex; }
    // -1 for none; only 0..255 are written.
    void SetWriteTransparentIndex(int index) { m_writeTransparentIndex = index; }

private:
    int m_writeTransparentIndex = -1;
    GifFault m_lastFault = GifFault::None;
    int m_badCodes = 0;
};
