#pragma once
// CPictureInfo: the program's one picture type, a packed DIB (header, colour table, bottom-up rows) in one
// heap block, with the block's length and a reference count. Plug-ins build and free it with their own
// copy of this code, so its layout and its allocation (operator new[] of the shared run-time) are fixed.

#include "platform/base/Geometry.h"
#include "platform/base/String.h"
#include "platform/base/WinStructs.h"

#include <cstddef>
#include <memory>

class CArchive;
class CBitmap;
class CDC;
class CFile;
struct NormalizedDib;

class CPictureInfo {
public:
    CPictureInfo() = default;
    ~CPictureInfo() { Free(); }
    CPictureInfo(const CPictureInfo&) = delete;
    CPictureInfo& operator=(const CPictureInfo&) = delete;

    void Free();
    LONG AddRef() { return ++m_refCount; }
    // The last release deletes the object; it must live on the heap.
    LONG Release();
    // Deletes the object whatever its reference count.
    void Destroy();

    BOOL IsValid() const { return m_dib != nullptr && m_length > 0; }
    BITMAPINFOHEADER* GetHeader() const { return reinterpret_cast<BITMAPINFOHEADER*>(m_dib); }
    int GetWidth() const { return m_dib ? GetHeader()->biWidth : 0; }
    int GetHeight() const { return m_dib ? GetHeader()->biHeight : 0; }
    DWORD GetLength() const { return static_cast<DWORD>(m_length); }
    BOOL Is24Bit() const { return GetHeader()->biBitCount == 24; }
    BYTE* GetBits() const;
    DWORD GetBitsSize() const;

    // A new picture (reference count 1, owned by the caller) with a copy of the block.
    CPictureInfo* Clone() const;

    // The block the picture holds; an empty picture first reads the BMP file at path.
    BYTE* LoadFile(const CString& path);

    // Takes over a block allocated with new BYTE[] by the program's own code.
    void Attach(BYTE* block, DWORD length);
    // Gives up the block (to be freed with delete[]); the picture is empty afterwards.
    BYTE* Detach();
    // Replaces the block by a zero-filled one of length bytes and returns it.
    BYTE* Allocate(DWORD length);
    // Takes a copy of a packed DIB from outside the program, checked and normalised; FALSE leaves it empty.
    BOOL SetExternalDib(const void* dib, std::size_t size);
    // The same taking over a block from outside allocated with new BYTE[], kept where it is in the
    // program's form already, so that a large picture is not copied.
    BOOL TakeExternalDib(std::unique_ptr<BYTE[]> dib, std::size_t size);

    // Readers of outside data: each replaces the picture by the checked and normalised DIB, or leaves it
    // empty. A BMP file's bfSize must equal the file's size.
    BOOL ReadBmpFile(const CString& path);
    // From an open file, which stays open.
    BOOL ReadFromHandle(HANDLE file);
    // The whole of an open file is a packed DIB without file header.
    BOOL ReadRawFromHandle(HANDLE file);
    // A BMP file image of size bytes in global memory (its file header is not checked).
    BOOL FromBmpHGlobal(HGLOBAL data, DWORD size);
    // A bitmap resource of a language module by name. A missing or damaged bitmap returns FALSE and leaves
    // the picture as it was.
    BOOL LoadResource(const CString& name, HINSTANCE module);

    // Writers of the BMP file form: a 14-byte file header, then the block unchanged. SaveFile shows the
    // file error to the user; WriteBmpFile leaves that to the caller.
    BOOL SaveFile(const CString& path);
    BOOL WriteBmpFile(const CString& path, int* osError = nullptr) const;
    // Writes from the start of an open file and cuts the file behind the picture.
    BOOL SaveToHandle(HANDLE file);
    // A new movable block the caller frees, or null for an empty picture; its byte count goes to size.
    HGLOBAL ToBmpHGlobal(DWORD& size);

    // The archive form: a 32-bit length, then the block. An empty picture stores length 0 and nothing
    // else; loading length 0 empties the picture, and a block the gate refuses leaves it empty too.
    void Serialize(CArchive& ar);

    // Operations through the imaging library (image/PictureImaging.cpp). Each returns a new picture owned
    // by the caller, or null. bitsPerPixel 0 keeps the picture's own depth.
    // The picture scaled to size; flags is the resize mode (0 nearest pixel, 2 area averaging, 4 bicubic).
    CPictureInfo* FromLeadBitmap(const CSize& size, int bitsPerPixel, int flags) const;
    // The rectangle (top-down, clamped to the picture) cut out.
    CPictureInfo* CropLead(const CRect& r, int bitsPerPixel) const;
    // The picture turned by tenths of a degree, anticlockwise for positive angles, the uncovered corners in
    // the fill colour; flags 1 grows the result to the turned picture's bounding box.
    CPictureInfo* RotateFilled(int tenths, COLORREF fill, int bitsPerPixel, int flags) const;
    // A picture of one colour.
    static CPictureInfo* CreateFilled(const CSize& size, COLORREF colour, int bitsPerPixel);

    // Drawing (image/PictureDraw.cpp). None changes the picture; each draws with the stretch mode
    // COLORONCOLOR and restores the context's own. Nothing is drawn for a null context or a picture
    // without data. Rectangles are device pixels; source rectangles count picture rows from the top.
    void Draw(CDC* dc, const CRect& dest, DWORD rop) const;
    void DrawStretched(CDC* dc, const CRect& dest, DWORD rop) const;
    void DrawPart(CDC* dc, const CRect& dest, const CRect& src, DWORD rop) const;
    // The whole picture in tiles (DrawBanded).
    void DrawSmooth(CDC* dc, const CRect& dest, DWORD rop) const;
    // The part of the picture, stretched to dest, that lies inside clip; smooth resamples it first.
    void DrawClipped(CDC* dc, const CRect& dest, const CRect& clip, DWORD rop, BOOL smooth) const;
    // Through a bitmap of the given size compatible with the context.
    void DrawViaBitmap(CDC* dc, const CRect& dest, const CRect& size, DWORD rop) const;
    // Draws any packed DIB into dest: in one transfer with whole set, else in tiles of at most 600 device
    // pixels, retried with smaller tiles (300, 200, 150, 120) while the first tile of an attempt fails, as
    // printer drivers that refuse large bitmaps do. Returns the scan lines drawn, 0 when the draw failed.
    static int DrawBanded(CDC* dc, CRect dest, const BITMAPINFOHEADER* dib, DWORD rop, BOOL whole);
    // A new bitmap compatible with the screen, holding the picture (the caller's); null without data.
    CBitmap* CreateBitmap() const;

    // Conversions (image/PictureConvert.cpp). Each returns a new 24-bit picture owned by the caller, or
    // null; sizes that are not positive or beyond the picture limits are refused.
    CPictureInfo* ConvertTo24Bit() const;
    CPictureInfo* CopyTo24Bit() const;
    CPictureInfo* ScaleTo24Bit(const CRect& size) const;
    CPictureInfo* ScaleTo24Bit(int width, int height) const;
    // The rectangle (counted from the top, clamped to the picture) of a 24-bit picture.
    CPictureInfo* Crop24(const CRect& r) const;
    // Scaled to fit bounds without enlarging, through the DIB conversion: a new movable block, or null.
    HGLOBAL ScaleToFitHGlobal(const CRect& bounds, int a, int b) const;
    // Exchanges the first and third byte of every pixel of a 24-bit picture.
    void SwapRedBlue();
    // This 24-bit picture with the other, stretched to its size, added byte by byte as a + b - 127.
    CPictureInfo* Merge(const CPictureInfo* other) const;

    // Print renderings that resample through the Rastrum library to the exact device size
    // (image/PictureResample.cpp); without the library they stretch like the screen renderings.
    // The whole picture into dest; FALSE when nothing could be drawn (also with a library that lacks
    // Resample).
    BOOL Resample(CDC* dc, const CRect& dest, DWORD rop) const;
    // The same, falling back to the picture itself in tiles when the library cannot help.
    void DrawResampled(CDC* dc, const CRect& dest, DWORD rop) const;
    // A new 24-bit copy of size, owned by the caller, or null: mode 0 stretches it, modes 2 (resample) and
    // 4 (bicubic) filter it through the library, stretching only when the library is missing.
    CPictureInfo* ResampledCopy(const CSize& size, int mode) const;
    // RenderZoomed and RenderZoomedMasked with the picture resampled instead of stretched. With a library
    // that lacks Resample they give the background without the picture.
    CPictureInfo* RenderZoomedResampled(const CRect& frame, const CPoint& shift, int zoom,
                                        COLORREF background) const;
    CPictureInfo* RenderZoomedMaskedResampled(const CRect& frame, const CPoint& shift, int zoom,
                                              COLORREF background, const CPictureInfo* photo) const;

    // Rendering (image/PictureRender.cpp).
    // Fills this empty picture with size on the background, the source scaled to fit in the middle.
    BOOL CreateThumbnail(const CSize& size, COLORREF background, const CPictureInfo* source);
    // A picture of the frame's size: this picture stretched to the frame, zoomed by zoom percent about
    // the frame's centre, moved by shift and clipped, on the background. Zoom 0 gives background only.
    CPictureInfo* RenderZoomed(const CRect& frame, const CPoint& shift, int zoom, COLORREF background) const;
    CPictureInfo* RenderZoomedOwnSize(const CPoint& shift, int zoom, COLORREF background) const;
    // Called on a stencil's mask: the photo zoomed as above, cut by the mask. Null for zoom 0.
    CPictureInfo* RenderZoomedMasked(const CRect& frame, const CPoint& shift, int zoom, COLORREF background,
                                     const CPictureInfo* photo) const;

    // Rotation by tenths of a degree (image/PictureRotate.cpp); each result is a new picture owned by the
    // caller, or null. Rotate and RotateOnBlack first delete the picture that mask holds, then store the new
    // 1-bit mask of the empty corners there.
    CPictureInfo* Rotate(int tenths, CPictureInfo*& mask) const;
    CPictureInfo* RotateOnBlack(int tenths, CPictureInfo*& mask) const;
    CPictureInfo* RotateWithColour(int tenths, COLORREF fill) const;
    // Only valid 8- and 24-bit pictures.
    CPictureInfo* RotateChecked(int tenths, COLORREF fill) const;
    // Only 24-bit pictures.
    CPictureInfo* Rotate24(int tenths, COLORREF fill) const;

    // The file header of the BMP file form (kept in front of the block, unchanged).
    BITMAPFILEHEADER MakeFileHeader() const;

private:
    BOOL ReadBmp(CFile& file);
    BOOL TakeNormalized(NormalizedDib normalized);

    // Field order is part of the plug-in interface.
    BYTE* m_dib = nullptr;
    LONG m_length = 0;
    LONG m_refCount = 1;
};

// Gives up the holder's reference when it goes.
struct PictureRelease {
    void operator()(CPictureInfo* picture) const { picture->Release(); }
};
using OwnedPicture = std::unique_ptr<CPictureInfo, PictureRelease>;
