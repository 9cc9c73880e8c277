#pragma once
// CImageList: pictures of one size kept as images with alpha, drawn by index with an optional overlay.
// Masked lists make their mask from a mask bitmap or a mask colour; unmasked ones are opaque.

#include "platform/gdi/Dc.h"
#include "platform/ui/UiTypes.h"

#include <QImage>
#include <vector>

class CWnd;
struct ImageListRecord;
using HIMAGELIST = ImageListRecord*;

inline constexpr UINT ILC_MASK = 0x0001;
inline constexpr UINT ILC_COLOR = 0x0000;
inline constexpr UINT ILC_COLOR4 = 0x0004;
inline constexpr UINT ILC_COLOR8 = 0x0008;
inline constexpr UINT ILC_COLOR16 = 0x0010;
inline constexpr UINT ILC_COLOR24 = 0x0018;
inline constexpr UINT ILC_COLOR32 = 0x0020;

inline constexpr UINT ILD_NORMAL = 0x0000;
inline constexpr UINT ILD_TRANSPARENT = 0x0001;
inline constexpr UINT ILD_OVERLAYMASK = 0x0F00;
constexpr UINT INDEXTOOVERLAYMASK(UINT overlay) {
    return overlay << 8;
}

// No colour is transparent; the default is the colour of the bitmap's top left pixel.
inline constexpr COLORREF CLR_NONE = 0xFFFFFFFF;
inline constexpr COLORREF CLR_DEFAULT = 0xFF000000;

// What controls holding a list's handle need: its picture size and drawing by index.
BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy);
BOOL ImageList_Draw(HIMAGELIST list, int image, HDC dc, int x, int y, UINT style);
// The picture at index, premultiplied; null when there is none.
QImage ImageListPicture(HIMAGELIST list, int image);

// Drag images: one picture follows the pointer as a translucent window above all others while a drag
// runs. The hot spot is the point of the picture that stays under the pointer; positions are relative to
// the top left corner of the lock window (the desktop, screen coordinates, for null).
BOOL ImageList_BeginDrag(HIMAGELIST list, int image, int dxHotspot, int dyHotspot);
void ImageList_EndDrag();
// Shows the drag image with its hot spot at (x, y) of the lock window.
BOOL ImageList_DragEnter(HWND lock, int x, int y);
BOOL ImageList_DragMove(int x, int y);
// Hides the drag image; the drag goes on.
BOOL ImageList_DragLeave(HWND lock);
// Hides or shows the entered drag image again.
BOOL ImageList_DragShowNolock(BOOL show);
// Puts the picture, as the pointer's shape, over the drag image with the two hot spots on one point; set
// before the drag begins, it is combined when it begins.
BOOL ImageList_SetDragCursorImage(HIMAGELIST list, int image, int dxHotspot, int dyHotspot);

class CImageList {
public:
    CImageList() = default;
    // Deletes the list it owns.
    ~CImageList();
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    HIMAGELIST m_hImageList = nullptr;

    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    operator HIMAGELIST() const { return m_hImageList; }

    // An empty list of cx x cy pictures; initial and grow only size the storage.
    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    // A list cut from a bitmap resource of the resource module into pictures cx wide and as high as the
    // bitmap; masked unless mask is CLR_NONE.
    BOOL Create(UINT bitmapId, int cx, int grow, COLORREF mask);
    BOOL Create(LPCTSTR bitmapName, int cx, int grow, COLORREF mask);
    BOOL DeleteImageList();

    int GetImageCount() const;
    // A bitmap as wide as a whole number of pictures adds them all; returns the index of the first, or
    // -1. In a masked list the set bits of the monochrome mask (or the pixels of the mask colour) are
    // transparent.
    int Add(CBitmap* bitmap, CBitmap* mask);
    int Add(CBitmap* bitmap, COLORREF mask);
    int Add(HICON icon);
    BOOL Replace(int image, CBitmap* bitmap, CBitmap* mask);
    // -1 for image adds the icon; returns the picture's index, or -1.
    int Replace(int image, HICON icon);
    // -1 removes every picture; the ones after a removed picture move down.
    BOOL Remove(int image);
    // Makes a picture overlay 1 to 15, drawn over another by INDEXTOOVERLAYMASK in Draw's style.
    BOOL SetOverlayImage(int image, int overlay);
    // ILD_NORMAL and ILD_TRANSPARENT draw alike: the background is the context's own.
    BOOL Draw(CDC* dc, int image, POINT point, UINT style);

    // The drag image calls above, for this list's pictures.
    BOOL BeginDrag(int image, CPoint hotSpot);
    static void EndDrag();
    static BOOL DragEnter(CWnd* lock, CPoint point);
    static BOOL DragMove(CPoint point);
    static BOOL DragLeave(CWnd* lock);
    static BOOL DragShowNolock(BOOL show);
    BOOL SetDragCursorImage(int image, CPoint hotSpot);

private:
    // Pictures cut from a bitmap, with a mask bitmap or colour applied when the list is masked.
    std::vector<QImage> Cut(CBitmap* bitmap, CBitmap* mask, COLORREF maskColor) const;
    // Adds the pictures; the index of the first, or -1 for none.
    int Append(std::vector<QImage> pictures);
};
