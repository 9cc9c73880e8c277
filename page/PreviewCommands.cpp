// The page canvas's keys, context menus and commands: fitting, position, layers, font, removing mats
// and stencils, and deleting the selection.

#include "library/Mat.h"
#include "library/Stencil.h"
#include "page/DrawClipart.h"
#include "page/DrawImage.h"
#include "page/DrawText.h"
#include "page/MainWndServices.h"
#include "page/PageDialogs.h"
#include "page/PreviewWnd.h"
#include "page/UndoDelete.h"
#include "page/UndoLayers.h"
#include "page/UndoObject.h"
#include "platform/base/AppServices.h"
#include "platform/base/MessageBeep.h"
#include "platform/base/MessageBoxStyles.h"
#include "platform/ui/Menu.h"

#include <memory>

namespace {

// Menus of the resource module.
constexpr UINT kMenuNormalPage = 154;
constexpr UINT kMenuPicture = 193;
constexpr UINT kMenuText = 194;
constexpr UINT kMenuPaste = 195;
// "Delete the selected objects?"
constexpr UINT kStringAskDelete = 246;

// Layer operations as the undo record names them.
constexpr int kLayerToBack = 0;
constexpr int kLayerForward = 1;
constexpr int kLayerBackward = 2;
constexpr int kLayerToFront = 3;

// The point where the menu key asked for the menu: the client area's corner plus this.
constexpr int kMenuKeyOffset = 5;

bool IsLoaded(const CDSObj* entry) {
    return entry && entry->IsLoaded();
}

bool HoldsSelectedNonPicture(CTemplate& page) {
    for (POSITION pos = page.GetObjectList().GetHeadPosition(); pos;) {
        CDrawObj* object = page.GetObjectList().GetNext(pos);
        if (object->IsSelected() && !CDrawObj::IsDrawImage(object))
            return true;
    }
    return false;
}

// 0 when no selected picture carries a loaded one, 1 when all do, 2 when some do.
template <typename HasOne>
int AttachmentState(CTemplate& page, HasOne hasOne) {
    int selected = 0;
    int with = 0;
    for (POSITION pos = page.GetObjectList().GetHeadPosition(); pos;) {
        CDrawObj* object = page.GetObjectList().GetNext(pos);
        if (!object->IsSelected() || !CDrawObj::IsDrawImage(object))
            continue;
        ++selected;
        with += hasOne(*static_cast<CDrawImage*>(object)) ? 1 : 0;
    }
    if (with == 0)
        return 0;
    return with == selected ? 1 : 2;
}

} // namespace

void CPreviewWnd::OnRButtonDown(UINT flags, CPoint point) {
    CWnd::OnRButtonDown(flags, point);
    ReleaseCapture();
    s_lastContextPoint = point;
    ShowContextMenu(point);
}

void CPreviewWnd::OnContextMenu(CWnd*, CPoint) {}

void CPreviewWnd::ShowContextMenu(CPoint point) {
    UINT menuId = 0;
    bool stencilLoaded = false;
    bool matLoaded = false;
    if (AppServices().IsEditMode()) {
        CTemplate* page = EditTemplate();
        if (!page)
            return;
        const int selected = page->GetSelectedCount();
        if (selected == 0 && ClipboardKind() == kDrawKindText) {
            menuId = kMenuPaste;
        } else if (selected == 1) {
            CDrawObj* object = page->GetFirstSelected();
            if (CDrawObj::IsDrawImage(object)) {
                auto* picture = static_cast<CDrawImage*>(object);
                stencilLoaded = IsLoaded(picture->GetStencil());
                matLoaded = IsLoaded(picture->GetMat());
                menuId = kMenuPicture;
            } else {
                menuId = CDrawObj::IsDrawClipart(object) ? kMenuPicture : kMenuText;
            }
        }
    } else {
        stencilLoaded = IsLoaded(MainWndServices().GetNormalStencil());
        matLoaded = IsLoaded(MainWndServices().GetMat());
        menuId = kMenuNormalPage;
    }
    if (menuId == 0)
        return;
    CMenu menu;
    if (!menu.LoadMenu(menuId))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    if (!popup)
        return;
    if (menuId != kMenuText && menuId != kMenuPaste) {
        if (!stencilLoaded)
            popup->EnableMenuItem(kCmdRemoveStencil, MF_BYCOMMAND | MF_GRAYED);
        if (!matLoaded)
            popup->EnableMenuItem(kCmdRemoveMat, MF_BYCOMMAND | MF_GRAYED);
    }
    CPoint screen = point;
    if (screen.x == -1 && screen.y == -1)
        screen = CPoint(kMenuKeyOffset, kMenuKeyOffset);
    ClientToScreen(&screen);
    popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, this);
}

void CPreviewWnd::OnKeyDown(UINT key, UINT repeatCount, UINT flags) {
    CWnd::OnKeyDown(key, repeatCount, flags);
    CTemplate* page = EditTemplate();
    if (!AppServices().IsEditMode() || !page)
        return;
    const bool control = IsHeld(VK_CONTROL);
    switch (key) {
    case VK_CONTROL:
        if (m_nDragMode == kDragPicture)
            SetDragCursor(CursorClientPoint(), true);
        break;
    case VK_ESCAPE:
        if (m_nDragMode != kDragNone)
            ReleaseCapture();
        break;
    case VK_INSERT:
        if (control)
            Copy();
        else if (IsHeld(VK_SHIFT))
            Paste();
        break;
    case VK_DELETE:
        DeleteSelection(page);
        break;
    case 'C':
        if (control)
            Copy();
        break;
    case 'V':
        if (control)
            Paste();
        break;
    case 'X':
        if (control)
            Cut();
        break;
    default:
        break;
    }
}

void CPreviewWnd::OnKeyUp(UINT key, UINT repeatCount, UINT flags) {
    CWnd::OnKeyUp(key, repeatCount, flags);
    if (AppServices().IsEditMode() && EditTemplate() && key == VK_CONTROL && m_nDragMode == kDragPicture)
        SetDragCursor(CursorClientPoint(), false);
}

CPoint CPreviewWnd::CursorClientPoint() const {
    CPoint point;
    GetCursorPos(&point);
    ScreenToClient(&point);
    return point;
}

BOOL CPreviewWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (OnCanvasCommand(LOWORD(static_cast<DWORD>(wParam))))
        return TRUE;
    return CWnd::OnCommand(wParam, lParam);
}

bool CPreviewWnd::OnCanvasCommand(UINT command) {
    CTemplate* page = EditTemplate();
    const bool edit = AppServices().IsEditMode() != 0;
    switch (command) {
    case kCmdFitStretch:
        FitPicture(true);
        return true;
    case kCmdFitKeep:
        FitPicture(false);
        return true;
    case kCmdRemoveMat:
        RemoveMats(edit ? page : nullptr);
        return true;
    case kCmdRemoveStencil:
        RemoveStencils(edit ? page : nullptr);
        return true;
    case kCmdCopy:
        Copy();
        return true;
    case kCmdCut:
        Cut();
        return true;
    case kCmdPaste:
        Paste();
        return true;
    default:
        break;
    }
    if (!edit || !page)
        return command >= kCmdFitStretch && command <= kCmdRemoveStencil;
    switch (command) {
    case kCmdPosition:
        ApplyPosition(page);
        return true;
    case kCmdBringToFront:
    case kCmdSendToBack:
    case kCmdForward:
    case kCmdBackward:
        ChangeLayer(page, command);
        return true;
    case kCmdDeleteSelected: {
        auto undo = std::make_unique<CUndoDelete>();
        ForgetMovingObjects();
        page->DeleteSelected(undo.get());
        MainWndServices().AddUndo(undo.release());
        RedrawTemplate();
        return true;
    }
    case kCmdFont:
        if (CDrawObj* object = page->GetFirstSelected(); CDrawObj::IsDrawText(object))
            EditFont(page, static_cast<CDrawText*>(object));
        return true;
    default:
        return false;
    }
}

// Edit mode: the picture under the last context point; normal mode: the main window's stretch flag, which
// works the other way round.
void CPreviewWnd::FitPicture(bool stretch) {
    if (AppServices().IsEditMode()) {
        CDrawImage* picture = PictureAt(EditTemplate(), WindowToPage(s_lastContextPoint));
        if (!picture)
            return;
        picture->SetStateFlag(!stretch); // a clear flag keeps the proportions
    } else {
        MainWndServices().SetStretchFlag(stretch ? FALSE : TRUE);
    }
    Redraw();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CPreviewWnd::ApplyPosition(CTemplate* page) {
    CDrawObj* object = page->GetFirstSelected();
    if (!object)
        return;
    ObjPosition position;
    if (PageDialogs().RunObjPosition(object, position) != IDOK)
        return;
    const CRect rect(position.x, position.y, position.x + position.width, position.y + position.height);
    object->SetPosition(rect);
    object->SetSavedPosition(rect);
    object->SetRotation(static_cast<int>(position.angle * 10.0));
    if (CDrawObj::IsDrawClipart(object))
        static_cast<CDrawClipart*>(object)->UpdateRotated();
    Invalidate();
    RedrawTemplate();
}

void CPreviewWnd::ChangeLayer(CTemplate* page, UINT command) {
    CDrawObj* object = page->GetFirstSelected();
    if (!object)
        return;
    const int index = page->IndexOf(object);
    IMainWndServices& host = MainWndServices();
    switch (command) {
    case kCmdBringToFront:
        host.AddUndo(new CUndoLayers(index, kLayerToFront));
        page->BringToFront(object);
        break;
    case kCmdSendToBack:
        host.AddUndo(new CUndoLayers(index, kLayerToBack));
        page->SendToBack(object);
        break;
    case kCmdForward:
        host.AddUndo(new CUndoLayers(index, kLayerForward));
        page->MoveForward(object);
        break;
    default:
        host.AddUndo(new CUndoLayers(index, kLayerBackward));
        page->MoveBackward(object);
        break;
    }
    if (CDrawObj::IsDrawImage(object))
        UpdateArea(object);
    else
        UpdateObjects(object);
}

void CPreviewWnd::RemoveMats(CTemplate* page) {
    if (page) {
        page->RemoveMatFromSelected();
        RedrawTemplate();
        return;
    }
    if (AppServices().IsEditMode() || !IsLoaded(MainWndServices().GetMat()))
        return;
    MainWndServices().SetMat(nullptr);
    RedrawPage();
}

void CPreviewWnd::RemoveStencils(CTemplate* page) {
    if (page) {
        page->RemoveStencilFromSelected();
        RedrawTemplate();
        return;
    }
    if (AppServices().IsEditMode() || !IsLoaded(MainWndServices().GetNormalStencil()))
        return;
    MainWndServices().SetNormalStencil(nullptr);
    RedrawPage();
}

void CPreviewWnd::DeleteSelection(CTemplate* page) {
    if (page->GetSelectedCount() == 0) {
        MessageBeep(0xFFFF);
        return;
    }
    if (HoldsSelectedNonPicture(*page)) {
        if (AppServices().MessageBox(kStringAskDelete, MB_YESNO) != IDYES)
            return;
        auto undo = std::make_unique<CUndoDelete>();
        ForgetMovingObjects();
        page->DeleteSelected(undo.get());
        MainWndServices().AddUndo(undo.release());
        RedrawTemplate();
        return;
    }
    DeletePictures(page);
}

// Only pictures are selected: the dialog asks whether to clear them or to take off their stencils or mats.
void CPreviewWnd::DeletePictures(CTemplate* page) {
    const int stencilState =
        AttachmentState(*page, [](const CDrawImage& picture) { return IsLoaded(picture.GetStencil()); });
    const int matState =
        AttachmentState(*page, [](const CDrawImage& picture) { return IsLoaded(picture.GetMat()); });
    DeleteImageOptions options;
    if (PageDialogs().RunDeleteImage(stencilState, matState, options) != IDOK)
        return;
    auto undo = std::make_unique<CUndoDelete>();
    if (options.pictures) {
        page->ResetSelectedImages(undo.get());
    } else {
        int index = 0;
        for (POSITION pos = page->GetObjectList().GetHeadPosition(); pos; ++index) {
            CDrawObj* object = page->GetObjectList().GetNext(pos);
            if (!object->IsSelected() || !CDrawObj::IsDrawImage(object))
                continue;
            auto* picture = static_cast<CDrawImage*>(object);
            if (options.stencils == 0 && picture->GetStencil()) {
                undo->Add(new CUndoObject(3, EntryPath(picture->GetStencil()), index));
                picture->RemoveStencil();
            }
            if (options.mats == 0 && picture->GetMat()) {
                undo->Add(new CUndoObject(2, EntryPath(picture->GetMat()), index));
                picture->RemoveMat();
            }
        }
    }
    // A choice that changes nothing leaves nothing to undo.
    if (undo->GetList().IsEmpty())
        return;
    MainWndServices().AddUndo(undo.release());
    RedrawTemplate();
}
