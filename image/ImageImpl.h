#pragma once
// CImageImpl: one device-independent bitmap in global memory with an optional palette and transparent
// index, pixel access by coordinates and drawing. Derived classes add file operations.

#include "platform/base/String.h"
#include "platform/base/WinStructs.h"

#include <memory>

class CDC;
class CImagePalette;

class CImageImpl {
public:
    // Mode bit: pixels are palette indices and colour writes go through the palette.
    static constexpr int kModeIndexed = 1;
    // Both mode bits, set whenever a palette is attached.
    static constexpr int kModePalette = 3;

    CImageImpl();
    virtual ~CImageImpl();
    CImageImpl(const CImageImpl&) = delete;
    CImageImpl& operator=(const CImageImpl&) = delete;

    virtual bool IsInside(int x, int y) const;
    // Replaces the DIB and drops the palette. A negative mode stores 0 up to 8 bits per pixel, else 2.
    // False, without DIB, when the size is beyond the picture limits or memory runs out.
    virtual bool Create(int width, int height, int bitsPerPixel, int mode);
    // y counts from the last row of the picture as displayed (rows are stored bottom-up). Index access
    // reads and writes whole bytes, so it is refused unless the image has 8 bits per pixel.
    virtual int GetPixelIndex(int x, int y) const;
    // With a palette the palette entry of the pixel's index; without, the pixel's own blue, green, red
    // bytes, which only 24-bit images have.
    virtual bool GetPixelColor(int x, int y, BYTE& red, BYTE& green, BYTE& blue) const;
    virtual bool SetPixelIndex(int x, int y, int index);
    // Indexed images store the nearest palette entry's index; others, 24-bit only, the colour itself.
    virtual bool SetPixelColor(int x, int y, BYTE red, BYTE green, BYTE blue);
    virtual bool Read(const CString& path);
    virtual bool Write(const CString& path);

    // Takes ownership of palette (null: false); the colour table then holds palette indices.
    bool SetPalette(CImagePalette* palette);
    // green defaults to red and blue to green when null.
    bool SetPalette(int count, const BYTE* red, const BYTE* green = nullptr, const BYTE* blue = nullptr);
    // count triples red, green, blue.
    bool SetPaletteFromTriples(int count, const BYTE* rgb);
    bool SetPaletteFromQuads(int count, const RGBQUAD* quads);

    // Sets the image's rows to the context at (x, y); -1 for width or height means the image's. The
    // palette selected in the context maps the indices of an image with a palette.
    bool Draw(CDC* dc, int x, int y, int width = -1, int height = -1, int srcX = 0, int srcY = 0);
    // Stretches the image; -1 for the source size means the rest of the image from the source origin. An
    // indexed image with a transparent index leaves the destination alone where its pixels have that index.
    bool StretchDraw(CDC* dc, int x, int y, int width = -1, int height = -1, int srcX = 0, int srcY = 0,
                     int srcWidth = -1, int srcHeight = -1);
    // Takes the other's DIB, palette, transparent index and sizes; the other is left without DIB.
    void TakeOver(CImageImpl& other);

    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    int GetBitsPerPixel() const { return m_bitsPerPixel; }
    int GetMode() const { return m_mode; }
    int GetStride() const { return m_stride; }
    // The first pixel byte (of the last displayed row); null without DIB.
    BYTE* GetBits() const { return m_bits; }
    // The locked DIB block: header, colour table, pixels. Null without DIB.
    BITMAPINFOHEADER* GetInfo() const { return m_info; }
    CImagePalette* GetPalette() const { return m_palette.get(); }
    int GetTransparentIndex() const { return m_transparentIndex; }
    void SetTransparentIndex(int index) { m_transparentIndex = index; }

private:
    void FreeDib();
    BYTE* PixelAddress(int x, int y) const;
    bool AttachPalette(std::unique_ptr<CImagePalette> palette);
    struct Area;
    void StretchMasked(CDC* dc, const Area& dest, const Area& source);
    bool StretchOnce(CDC* dc, const Area& dest, const Area& source, DWORD rop);
    UINT ColourUsage() const;

    BYTE* m_bits = nullptr;
    int m_width = 0;
    int m_height = 0;
    int m_bitsPerPixel = 0;
    int m_mode = 0;
    int m_stride = 0;
    BITMAPINFOHEADER* m_info = nullptr;
    int m_transparentIndex = -1;
    std::unique_ptr<CImagePalette> m_palette;
};
