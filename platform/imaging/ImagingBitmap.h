#pragma once
// A picture inside the imaging library: loaded from a packed DIB at a chosen depth, changed by its
// operations, and handed back as a new packed DIB. Each operation returns true on success and leaves
// the picture as it was on failure.

#include "platform/base/WinStructs.h"

#include <cstddef>
#include <vector>

// Resize modes; any other value resizes like kResizeNormal.
inline constexpr int kResizeNormal = 0;   // nearest neighbour
inline constexpr int kResizeResample = 2; // area averaging
inline constexpr int kResizeBicubic = 4;  // Catmull-Rom cubic

// Rotation flag: the result grows to the bounding box of the turned picture instead of keeping its size.
inline constexpr int kRotateResize = 1;

class CImagingBitmap {
public:
    // Takes a copy of a packed DIB of `length` bytes (40-byte or longer header, uncompressed, 1 to 32
    // bits), converted to bitsPerPixel (1, 4, 8, 16, 24 or 32; 0 keeps the picture's own depth).
    bool Load(const BITMAPINFOHEADER* dib, std::size_t length, int bitsPerPixel);

    // A new picture of that size and depth whose pixels are all black; pictures of 8 bits or fewer
    // get the standard palette of their depth.
    bool Create(int width, int height, int bitsPerPixel);

    // Sets every pixel to the colour, or to the nearest colour of the palette.
    bool Fill(COLORREF colour);

    // Scales the picture to exactly width x height with one of the resize modes.
    bool Resize(int width, int height, int mode);

    // Keeps the rectangle of width x height pixels whose lower left corner is at (left, bottom),
    // bottom counted in rows from the picture's bottom edge, as DIB rows are stored. The rectangle is
    // clamped to the picture; nothing of it left inside fails.
    bool Crop(int left, int bottom, int width, int height);

    // Turns the picture about its centre by hundredths of a degree; a positive angle turns it
    // clockwise on the screen. Quarter turns move pixels exactly; other angles take the nearest source
    // pixel, and the corners left uncovered get the fill colour. kRotateResize in flags makes the
    // result as large as the turned picture's bounding box; otherwise it keeps its size.
    bool Rotate(int hundredths, int flags, COLORREF fill);

    // Converts the picture to another depth (1, 4, 8, 16, 24 or 32). At 8 bits or fewer a picture that
    // already fits keeps its colours exactly; any other gets a palette made for it (median cut) and is
    // dithered onto it (Floyd-Steinberg). 16 bits keep 5 bits a channel. At 32 bits the fourth byte is
    // the transparency's alpha where the picture has one. The transparency is kept.
    bool ConvertDepth(int bitsPerPixel);

    // The number of distinct colours the pixels show (palette entries that no pixel uses do not count).
    // 0 for an empty picture.
    int CountColorsUsed() const;

    // Red-eye correction inside rect (pixel coordinates, top row 0, right and bottom exclusive, clamped
    // to the picture): every pixel whose redness, 255 * red / (red + green + blue), exceeds threshold
    // takes the eye colour's hue and saturation at its own brightness. 24 and 32 bits only.
    bool CorrectRedEye(const RECT& rect, COLORREF eyeColour, int threshold);

    // The transparency a file carried: one alpha byte a pixel, in DIB row order (bottom row first);
    // empty when there is none. Set by the file loaders and kept by ConvertDepth; the geometric
    // operations, Load, Create and Fill drop it.
    bool HasTransparency() const { return !m_alpha.empty(); }
    const std::vector<BYTE>& GetAlpha() const { return m_alpha; }

    // The transparency as a 1-bit mask of the same size: white where the picture is opaque (alpha 128
    // and above), black around it. False when the picture has no transparency.
    bool GetMask(CImagingBitmap& mask) const;

    // Every pixel under a dark pixel (below half brightness) of a mask of the same size becomes white,
    // so that the mask drawn with OR and then the picture with AND show the picture on what lies below.
    bool WhitenMasked(const CImagingBitmap& mask);

    // Takes over a packed DIB made by MakeDib or WriteDib (40-byte header, BI_RGB, bottom-up rows,
    // biClrUsed palette entries), and the alpha bytes of its transparency or nothing.
    void Attach(std::vector<BYTE> dib, std::vector<BYTE> alpha = {});

    bool IsEmpty() const { return m_dib.empty(); }
    int GetWidth() const;
    int GetHeight() const;
    int GetBitsPerPixel() const;

    // The picture as a packed DIB: 40-byte header, colour table for 8 bits or fewer, bottom-up rows.
    const std::vector<BYTE>& GetDib() const { return m_dib; }
    void Free() {
        m_dib.clear();
        m_alpha.clear();
    }

private:
    const BITMAPINFOHEADER& Header() const {
        return *reinterpret_cast<const BITMAPINFOHEADER*>(m_dib.data());
    }
    std::vector<RGBQUAD> Palette() const;

    std::vector<BYTE> m_dib;
    std::vector<BYTE> m_alpha;
};
