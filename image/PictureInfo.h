#pragma once
// CPictureInfo: the program's one picture type, a packed DIB (header, colour table, bottom-up rows) in one
// heap block, with the block's length and a reference count. Plug-ins build and free it with their own
// copy of this code, so its layout and its allocation (operator new[] of the shared run-time) are fixed.

#include "platform/base/Geometry.h"
#include "platform/base/String.h"
#include "platform/base/WinStructs.h"

class CArchive;
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

    // Readers of outside data: each replaces the picture by the checked and normalised DIB, or leaves it
    // empty. A BMP file's bfSize must equal the file's size.
    BOOL ReadBmpFile(const CString& path);
    // From an open file, which stays open.
    BOOL ReadFromHandle(HANDLE file);
    // The whole of an open file is a packed DIB without file header.
    BOOL ReadRawFromHandle(HANDLE file);
    // A BMP file image of size bytes in global memory (its file header is not checked).
    BOOL FromBmpHGlobal(HGLOBAL data, DWORD size);

    // Writers of the BMP file form: a 14-byte file header, then the block unchanged. SaveFile shows the
    // file error to the user.
    BOOL SaveFile(const CString& path);
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

private:
    BITMAPFILEHEADER MakeFileHeader() const;
    BOOL ReadBmp(CFile& file);
    BOOL TakeNormalized(NormalizedDib normalized);

    // Field order is part of the plug-in interface.
    BYTE* m_dib = nullptr;
    LONG m_length = 0;
    LONG m_refCount = 1;
};
