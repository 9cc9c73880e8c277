// The page canvas's mouse editing: selecting, moving text and clipart, placing new text and clipart, and
// the drops of photos, templates, mats, stencils and pictures onto the page.

#include "image/PictureInfo.h"
#include "library/Clipart.h"
#include "library/DSObjMgr.h"
#include "library/Mat.h"
#include "library/Stencil.h"
#include "page/CategorySelection.h"
#include "page/DrawClipart.h"
#include "page/DrawImage.h"
#include "page/DrawText.h"
#include "page/FrameGeometry.h"
#include "page/MainWndServices.h"
#include "page/PageDialogs.h"
#include "page/PreviewWnd.h"
#include "page/UndoCopy.h"
#include "page/UndoObject.h"
#include "page/UndoPropertiesText.h"
#include "page/UndoReplace.h"
#include "page/UndoTemplate.h"
#include "platform/base/AppServices.h"
#include "platform/base/MessageBoxStyles.h"
#include "platform/gdi/Dc.h"
#include "platform/ui/Cursor.h"

#include <memory>

namespace {

// Cursors by their place in the loaded set (files c1, c2, c4 ... c10).
enum CanvasCursor : int {
    kCursorDefault = 0,  // c1
    kCursorPhoto = 1,    // c2
    kCursorMat = 2,      // c4
    kCursorStencil = 3,  // c5
    kCursorTemplate = 4, // c6
    kCursorSwap = 5,     // c7
    kCursorCopy = 6,     // c8
    kCursorText = 7,     // c9
    kCursorPlace = 8,    // c10
};

// A key is held while bit 15 of its state is set.
bool IsKeyHeld(int virtualKey) {
    return (static_cast<unsigned short>(GetAsyncKeyState(virtualKey)) & 0x8000U) != 0;
}

bool InsidePage(const CTemplate& page, CPoint point) {
    const CSize size = page.GetPageSize();
    return point.x >= 0 && point.x < size.cx && point.y >= 0 && point.y < size.cy;
}

} // namespace

CString CPreviewWnd::EntryPath(const CDSObj* entry) {
    CDSObjMgr* manager = GetDSObjMgr();
    return entry && manager ? manager->GetObjectFilePath(entry) : CString();
}

bool CPreviewWnd::IsHeld(int virtualKey) {
    return IsKeyHeld(virtualKey);
}

CDrawImage* CPreviewWnd::PictureAt(CTemplate* page, CPoint point) {
    CDrawObj* object = page ? page->HitTest(point) : nullptr;
    return CDrawObj::IsDrawImage(object) ? static_cast<CDrawImage*>(object) : nullptr;
}

void CPreviewWnd::OnLButtonDown(UINT flags, CPoint point) {
    if (!AppServices().IsEditMode())
        return;
    const CPoint page = WindowToPage(point);
    s_lastPagePoint = page;
    CTemplate* current = EditTemplate();
    if (m_nDragMode == kDragNewText) {
        if (current)
            PlaceNewText(current, page);
        CWnd::OnLButtonDown(flags, point);
        return;
    }
    if (!current)
        return;
    CDrawObj* object = current->HitTest(page);
    if (!object) {
        m_movingObjects.RemoveAll();
        return;
    }
    if (IsHeld(VK_SPACE)) {
        if (POSITION pos = m_movingObjects.Find(object)) {
            m_movingObjects.RemoveAt(pos);
            return;
        }
        m_movingObjects.AddTail(object);
        BeginCapture(kDragMove);
        return;
    }
    if (IsHeld(VK_SHIFT)) {
        object->SetSelected(!object->IsSelected());
        UpdateTimer(current);
        MainWndServices().UpdateTwoColorsButton();
        UpdateWindow();
        return;
    }
    current->ToggleSelect(object);
    Invalidate();
    UpdateTimer(current);
    MainWndServices().UpdateTwoColorsButton();
    if (CDrawObj::IsDrawImage(object)) {
        m_pPressedPicture = static_cast<CDrawImage*>(object);
        BeginCapture(kDragPicture);
    } else if (CDrawObj::IsTextOrClipart(object)) {
        m_movingObjects.AddTail(object);
        BeginCapture(kDragMove);
    } else {
        UpdateWindow();
    }
}

void CPreviewWnd::PlaceNewText(CTemplate* page, CPoint point) {
    auto* text = new CDrawText(CRect(point.x, point.y, point.x + 1000, point.y + 1000));
    page->InsertObject(text, -1);
    text->SetTemplate(page);
    UpdateObjects(text);
    PageDialogs().RunFontProperties(text, this);
    UpdateObjects(text);
}

void CPreviewWnd::OnMouseMove(UINT flags, CPoint point) {
    CWnd::OnMouseMove(flags, point);
    const CPoint page = WindowToPage(point);
    if (!AppServices().IsEditMode() || !EditTemplate())
        return;
    if (m_nDragMode == kDragNone)
        return;
    if (m_nDragMode != kDragMove) {
        SetDragCursor(point, IsHeld(VK_CONTROL));
        return;
    }
    const CSize offset(page.x - s_lastPagePoint.x, page.y - s_lastPagePoint.y);
    if (offset.cx == 0 && offset.cy == 0)
        return;
    for (POSITION pos = m_movingObjects.GetHeadPosition(); pos;) {
        CDrawObj* object = m_movingObjects.GetNext(pos);
        CRect moved = object->GetSavedPosition();
        moved.OffsetRect(offset);
        object->SetTrackerShown(TRUE);
        object->MoveTo(moved, this);
    }
    s_lastPagePoint = page;
}

void CPreviewWnd::SetDragCursor(CPoint point, bool controlHeld) {
    CTemplate* current = EditTemplate();
    const CPoint page = WindowToPage(point);
    const bool overPicture = PictureAt(current, page) != nullptr;
    int cursor = kCursorDefault;
    switch (m_nDragMode) {
    case kDragPhoto:
        cursor = overPicture ? kCursorPhoto : kCursorDefault;
        break;
    case kDragTemplate:
        cursor = ClientRect().PtInRect(point) ? kCursorTemplate : kCursorDefault;
        break;
    case kDragMat:
        cursor = overPicture ? kCursorMat : kCursorDefault;
        break;
    case kDragStencil:
        cursor = overPicture ? kCursorStencil : kCursorDefault;
        break;
    case kDragPicture:
        cursor = overPicture ? (controlHeld ? kCursorCopy : kCursorSwap) : kCursorDefault;
        break;
    case kDragNewText:
        cursor = kCursorText;
        break;
    case kDragPlaceClipart:
        cursor = current && m_pPlacedObject && InsidePage(*current, page) ? kCursorPlace : kCursorDefault;
        break;
    default:
        break;
    }
    SetCursor(m_cursors[static_cast<size_t>(cursor)]);
}

void CPreviewWnd::OnLButtonUp(UINT flags, CPoint point) {
    CWnd::OnLButtonUp(flags, point);
    if (!AppServices().IsEditMode())
        return;
    CTemplate* current = EditTemplate();
    const int mode = m_nDragMode;
    CDSObj* placed = m_pPlacedObject;
    CDrawImage* pressed = m_pPressedPicture;
    m_pPressedPicture = nullptr;
    ReleaseCapture();
    if (!current)
        return;
    const CPoint page = WindowToPage(point);
    switch (mode) {
    case kDragPhoto:
    case kDragMat:
    case kDragStencil:
        if (CDrawImage* target = PictureAt(current, page))
            DropOnPicture(mode, current, target);
        break;
    case kDragTemplate:
        if (ClientRect().PtInRect(point))
            DropTemplate(current);
        break;
    case kDragPicture:
        if (CDrawImage* target = PictureAt(current, page); target && pressed)
            SwapOrCopyPictures(current, target, pressed);
        break;
    case kDragMove:
        for (POSITION pos = m_movingObjects.GetHeadPosition(); pos;) {
            CDrawObj* object = m_movingObjects.GetNext(pos);
            object->SetPosition(object->GetSavedPosition());
        }
        m_movingObjects.RemoveAll();
        RedrawTemplate();
        break;
    case kDragPlaceClipart:
        if (placed && InsidePage(*current, page))
            PlaceClipart(current, page, placed);
        break;
    default:
        break;
    }
}

void CPreviewWnd::DropOnPicture(int mode, CTemplate* page, CDrawImage* target) {
    IMainWndServices& host = MainWndServices();
    ICategorySelection* panel = host.GetCategWnd();
    if (!panel)
        return;
    const int index = page->IndexOf(target);
    if (mode == kDragPhoto) {
        CDSObj* photo = panel->GetSelectedPhoto();
        if (!photo)
            return;
        host.AddUndo(new CUndoObject(0, target->GetFilePath(), index, *target));
        target->SetPhoto(photo);
    } else if (mode == kDragMat) {
        CMat* mat = panel->GetSelectedMat();
        if (!mat)
            return;
        host.AddUndo(new CUndoObject(2, EntryPath(target->GetMat()), index));
        target->SetMat(mat);
    } else {
        CStencil* stencil = panel->GetSelectedDSObj();
        if (!stencil)
            return;
        host.AddUndo(new CUndoObject(3, EntryPath(target->GetStencil()), index));
        target->SetStencil(stencil);
    }
    host.SetModified(TRUE);
    UpdateArea(target);
}

void CPreviewWnd::DropTemplate(CTemplate* page) {
    IMainWndServices& host = MainWndServices();
    ICategorySelection* panel = host.GetCategWnd();
    if (!panel)
        return;
    // Nothing is asked when there is nothing to drop.
    std::unique_ptr<CTemplate> dropped(panel->GetSelectedTemplate());
    if (!dropped)
        return;
    if (page->HasText() || page->HasClipart()) {
        if (AppServices().IsSavePromptEnabled()) {
            const int answer = PageDialogs().RunSaveProject();
            if (answer == IDCANCEL)
                return;
            if (answer == IDYES && !host.OnSaveProject())
                return;
        } else if (AppServices().GetSavePromptAnswer()) {
            host.OnSaveProject();
        }
    }
    host.AddUndo(new CUndoTemplate(page));
    ClearSelection();
    host.SetTemplate(dropped.release());
    host.SetModified(TRUE);
    Redraw();
}

void CPreviewWnd::SwapOrCopyPictures(CTemplate* page, CDrawImage* target, CDrawImage* pressed) {
    const int targetIndex = page->IndexOf(target);
    const int pressedIndex = page->IndexOf(pressed);
    if (pressedIndex < 0 || targetIndex == pressedIndex)
        return;
    IMainWndServices& host = MainWndServices();
    if (IsHeld(VK_CONTROL)) {
        host.AddUndo(new CUndoCopy(2, targetIndex, target));
        page->CopyImage(target, pressed);
    } else {
        host.AddUndo(new CUndoReplace(2, targetIndex, pressedIndex));
        page->SwapImages(target, pressed);
    }
    host.SetModified(TRUE);
    Redraw();
}

void CPreviewWnd::PlaceClipart(CTemplate* page, CPoint point, CDSObj* placed) {
    auto* clipart = dynamic_cast<CClipart*>(placed->Clone());
    if (!clipart)
        return;
    if (!clipart->IsLoaded())
        clipart->LoadData();
    const CRect rect(point.x, point.y, point.x + clipart->GetImageWidth(),
                     point.y + clipart->GetImageHeight());
    auto* object = new CDrawClipart(rect, clipart);
    page->InsertObject(object, -1);
    UpdateObjects(object);
}

void CPreviewWnd::OnLButtonDblClk(UINT flags, CPoint point) {
    CWnd::OnLButtonDblClk(flags, point);
    if (!AppServices().IsEditMode())
        return;
    CTemplate* current = EditTemplate();
    CDrawObj* object = current ? current->HitTest(WindowToPage(point)) : nullptr;
    if (!CDrawObj::IsDrawText(object))
        return;
    EditFont(current, static_cast<CDrawText*>(object));
}

void CPreviewWnd::EditFont(CTemplate* page, CDrawText* text) {
    MainWndServices().AddUndo(new CUndoPropertiesText(text, page->IndexOf(text)));
    PageDialogs().RunFontProperties(text, this);
    UpdateObjects(text);
}

// Every 250 ms: the selection markers, drawn straight onto the window.
void CPreviewWnd::OnTimer(UINT_PTR id) {
    if (id != kSelectionTimer) {
        CWnd::OnTimer(id);
        return;
    }
    CTemplate* current = EditTemplate();
    if (!current)
        return;
    const PageLayout layout = LayoutOf(current);
    CDC* dc = GetDC();
    for (POSITION pos = current->GetObjectList().GetHeadPosition(); pos;) {
        CDrawObj* object = current->GetObjectList().GetNext(pos);
        if (!object->IsSelected())
            continue;
        if (!CDrawObj::IsDrawImage(object)) {
            object->DrawFrame(dc, layout.scale, layout.rect.left, layout.rect.top);
            continue;
        }
        auto* picture = static_cast<CDrawImage*>(object);
        CRect frame = ObjectToWindow(picture->GetPosition(), layout);
        if (picture->HasValidAdjusted() && picture->IsStateFlagClear() &&
            picture->GetAdjustedDib()->GetWidth() > 0 && picture->GetAdjustedDib()->GetHeight() > 0)
            frame = FitToPicture(frame, *picture->GetAdjustedDib());
        picture->DrawBlinkFrame(dc, picture->GetPictureRect(frame));
    }
    ReleaseDC(dc);
}
