#pragma once
// CPreviewWnd: the page canvas, the main window's child in which the page is shown and edited. The page
// is drawn into an off-screen bitmap of the client size, which painting only copies; in edit mode the
// canvas selects, moves, places and swaps the template's objects and takes drops from the resource
// panels.

#include "page/PageWindow.h"
#include "page/Template.h"
#include "platform/ui/Wnd.h"

#include <array>
#include <memory>

class CArchive;
class CBitmap;
class CPictureInfo;
class CStringArray;
class CDC;
class CDrawImage;
class CDrawRect;
class CDrawText;
class CRgn;
class CDSObj;

// What the current mouse capture does.
enum CanvasDragMode : int {
    kDragNone = -1,
    kDragPhoto = 0,
    kDragTemplate = 1,
    kDragMat = 2,
    kDragStencil = 3,
    kDragPicture = 4,
    kDragMove = 5,
    kDragNewText = 6,
    kDragPlaceClipart = 7,
};

// Commands of the canvas's context menus and keys.
enum CanvasCommand : UINT {
    kCmdFitStretch = 32771,
    kCmdFitKeep = 32772,
    kCmdPosition = 32773,
    kCmdBringToFront = 32774,
    kCmdSendToBack = 32775,
    kCmdForward = 32776,
    kCmdBackward = 32777,
    kCmdDeleteSelected = 32779,
    kCmdFont = 32780,
    kCmdRemoveMat = 32791,
    kCmdRemoveStencil = 32792,
    kCmdCopy = 57634,
    kCmdCut = 57635,
    kCmdPaste = 57637,
};

class CPreviewWnd : public CWnd, public CPageWindow {
    DECLARE_DYNAMIC(CPreviewWnd)
public:
    CPreviewWnd();
    ~CPreviewWnd() override;

    static constexpr UINT kSelectionTimer = 1;
    static constexpr UINT kSelectionTimerElapse = 250;
    static constexpr COLORREF kBackground = 0xD3F1EF; // RGB(239, 241, 211)

    // The full redraw of the page the application's mode shows.
    BOOL Redraw();
    // FALSE without a template (the bitmap then shows the background only).
    BOOL RedrawTemplate();
    BOOL RedrawPage();
    // Partial redraws of one object's area; FALSE without a template.
    BOOL UpdateArea(CDrawObj* object);
    BOOL UpdateObjects(CDrawObj* object);

    // The page's scale and its rectangle in the window; scale 0 and an empty rectangle without a page.
    float GetScale() const;
    CRect GetPageRect() const;
    // A window point in page units; unchanged without a page.
    CPoint WindowToPage(CPoint point) const;
    // An object's rectangle in the window.
    CRect ObjectToWindow(const CRect& position) const;

    CPoint PageToWindow(CPoint page) const override;
    CDC* GetClientDC() override;
    void ReleaseClientDC(CDC* dc) override;

    // Drags begun by the resource panels.
    void BeginCapture(int mode);
    // The clipart entry stays the caller's.
    void BeginPlaceObject(CDSObj* entry);
    void ReleaseCapture();
    int GetDragMode() const { return m_nDragMode; }

    // Empties the moving-objects list.
    void ClearSelection();
    void KillDragTimer();
    void PrepareNewObject(CDrawObj*, int) {}
    const CDrawObjList& GetMovingObjects() const { return m_movingObjects; }
    BOOL IsTimerRunning() const { return m_bTimerRunning; }

    // Page pictures of the page as shown: new pictures owned by the caller, null without a page. The
    // unscaled picture is 700 x 990 pixels; a scaled one a third of the page size times percent / 100.
    CPictureInfo* RenderPagePicture();
    CPictureInfo* RenderPagePictureScaled(int percent);
    // Saved through the codec plug-ins by the path's extension; TRUE on success.
    BOOL SavePageImage(const CString& path);
    // The same through a temporary bitmap that is read back first (message 165 when that fails).
    BOOL SavePageImageAs(const CString& path);
    BOOL RenderToTempBitmap(const CString& path);
    BOOL SavePageImageScaled(const CString& path, int percent);
    // HTML pages beside their images, whose paths are appended to files: one picture of the whole page,
    // or every object as an image at its place, the page width pixels wide.
    BOOL ExportHtmlImage(const CString& path, CStringArray& files);
    BOOL ExportHtml(const CString& path, CStringArray& files, int width, COLORREF background);

    // The off-screen context, for page pictures.
    CDC* GetMemoryDC() const { return m_pMemoryDC.get(); }

    // Program-wide: the last mouse point in page units and the last context-menu point in window pixels.
    static CPoint s_lastPagePoint;
    static CPoint s_lastContextPoint;

protected:
    int OnCreate(LPCREATESTRUCT create) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnNcDestroy() override;
    void OnTimer(UINT_PTR id) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags) override;
    void OnKeyUp(UINT key, UINT repeatCount, UINT flags) override;
    void OnContextMenu(CWnd* window, CPoint point) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The page the mode shows: the template in edit mode, the normal-mode page otherwise.
    CTemplate* CurrentPage() const;
    CTemplate* EditTemplate() const;
    // Extent across and down of the page by its orientation.
    static CSize PageExtent(const CTemplate& page);
    CRect ClientRect() const;
    // The page's scale and rectangle in the window; scale 0 and an empty rectangle without a page.
    struct PageLayout {
        float scale = 0.0F;
        CRect rect;
    };
    PageLayout LayoutOf(const CTemplate* page) const;
    // position scaled, normalised and moved onto the page.
    static CRect ObjectToWindow(const CRect& position, const PageLayout& layout);

    // Drawing into the off-screen bitmap.
    void DrawEditObject(CDrawObj* object, const PageLayout& layout, CRgn& clip);
    BOOL RedrawArea(CTemplate* page, const CRect& area);
    void ShowBitmapNow();
    void DrawNormalFrame(CDrawRect* frame, const PageLayout& layout, CRgn& pageClip);

    // Editing.
    static bool IsHeld(int virtualKey);
    // The full path of an attached entry, or nothing.
    static CString EntryPath(const CDSObj* entry);
    CPoint CursorClientPoint() const;
    static CDrawImage* PictureAt(CTemplate* page, CPoint point);
    void UpdateTimer(CTemplate* page);
    void SetDragCursor(CPoint point, bool controlHeld);
    void DropOnPicture(int mode, CTemplate* page, CDrawImage* target);
    void DropTemplate(CTemplate* page);
    void SwapOrCopyPictures(CTemplate* page, CDrawImage* target, CDrawImage* pressed);
    void PlaceClipart(CTemplate* page, CPoint point, CDSObj* placed);
    void PlaceNewText(CTemplate* page, CPoint point);
    void EditFont(CTemplate* page, CDrawText* text);
    void ShowContextMenu(CPoint point);
    void DeleteSelection(CTemplate* page);
    void DeletePictures(CTemplate* page);
    void FitPicture(bool stretch);
    void ChangeLayer(CTemplate* page, UINT command);
    void ApplyPosition(CTemplate* page);
    void RemoveMats(CTemplate* page);
    void RemoveStencils(CTemplate* page);
    bool OnCanvasCommand(UINT command);
    // Before objects are deleted: a move in progress must not reach them.
    void ForgetMovingObjects();

    // Page pictures and HTML export.
    CPictureInfo* RenderPageAt(int width, int height);
    BOOL SaveThroughTempBitmap(const CPictureInfo* picture, const CString& path);
    bool ExportObjectGif(CDrawObj* object, const CString& path, float scale, COLORREF background);
    bool ExportPicture(CDrawImage* picture, const CString& base, int& counter, CStringArray& files,
                       CString& html, float scale, COLORREF background);

    // Page clipboard.
    static UINT ClipboardFormat();
    void Copy();
    void Cut();
    void Paste();
    // The kind of object on the clipboard, or -1 for none.
    int ClipboardKind();
    void PasteFrom(CTemplate* page, HANDLE data);
    void PasteText(CTemplate* page, CArchive& ar);
    void PastePicture(CTemplate* page, CArchive& ar);
    void PasteClipart(CTemplate* page, CArchive& ar);
    // Moves a pasted object's top-left corner to the last context point.
    void MoveToContextPoint(CDrawObj* object);

    bool m_bTimerRunning = false;
    CDrawObjList m_movingObjects{10};
    std::unique_ptr<CDC> m_pMemoryDC;
    std::unique_ptr<CBitmap> m_pPageBitmap;
    HBITMAP m_hPreviousBitmap = nullptr;
    int m_nDragMode = kDragNone;
    CDrawImage* m_pPressedPicture = nullptr;
    COLORREF m_background = kBackground;
    CDSObj* m_pPlacedObject = nullptr;
    std::array<HCURSOR, 9> m_cursors{};
};
