// The album tree's commands: new, rename, delete and copy of albums, the context menu, and the object
// view's commands passed on.

#include "albums/CategoryPanelHost.h"
#include "library/DSAlbum.h"
#include "library/DSObjMgr.h"
#include "library/ResType.h"
#include "platform/base/AppServices.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/Menu.h"
#include "resmanager/AlbumsView.h"
#include "resmanager/FrameMessage.h"
#include "resmanager/ResManagerMessages.h"

namespace {

constexpr UINT kNewText = 62019;
constexpr UINT kRenameText = 62020;
constexpr UINT kDeleteText = 62021;
constexpr UINT kCopyText = 62024;
constexpr UINT kDeleteQuestion = 62017;
constexpr UINT kRelativeObjectsMessage = 65519;

constexpr int kContextMenuOffset = 5;

// The main window and the category panel let go of an album that is gone, as after the album dialog's
// delete; the panel lists its albums anew when the manager closes.
void ForgetDeletedAlbum(const CDSAlbum* deleted) {
    ICategoryPanelHost& host = CategoryPanelHost();
    if (host.GetCurrentAlbum() == deleted)
        host.SetCurrentAlbum(nullptr);
}

constexpr UINT kHandledCommands[] = {ID_RM_NEW,           ID_RM_RENAME,       ID_RM_DELETE,
                                     ID_RM_DUPLICATE,     ID_RM_OPEN,         ID_RM_SORTDESCENDING,
                                     ID_RM_SORTASCENDING, ID_RM_THUMBSETTINGS};

} // namespace

BOOL CAlbumsView::HasCommandHandler(UINT id) const {
    for (const UINT handled : kHandledCommands)
        if (handled == id)
            return TRUE;
    return CTreeView::HasCommandHandler(id);
}

BOOL CAlbumsView::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (lParam != 0)
        return CTreeView::OnCommand(wParam, lParam);
    switch (LOWORD(wParam)) {
    case ID_RM_NEW:
        OnNewItem();
        return TRUE;
    case ID_RM_RENAME:
        OnRename();
        return TRUE;
    case ID_RM_DELETE:
        OnDeleteAlbum();
        return TRUE;
    case ID_RM_DUPLICATE:
        OnCopyAlbum();
        return TRUE;
    case ID_RM_OPEN:
        OnEndEdit();
        return TRUE;
    default:
        return RelayObjectViewCommand(this, LOWORD(wParam)) || CTreeView::OnCommand(wParam, lParam);
    }
}

BOOL CAlbumsView::OnUpdateCommandUI(CCmdUI* cmdUI) {
    const HTREEITEM selected = GetTreeCtrl().GetSelectedItem();
    switch (cmdUI->m_nID) {
    case ID_RM_NEW:
        cmdUI->Enable(selected != nullptr);
        return TRUE;
    case ID_RM_RENAME:
    case ID_RM_DELETE:
    case ID_RM_DUPLICATE:
        cmdUI->Enable(AlbumOf(selected) != nullptr);
        return TRUE;
    case ID_RM_OPEN:
    case ID_RM_SORTDESCENDING:
    case ID_RM_SORTASCENDING:
    case ID_RM_THUMBSETTINGS:
        cmdUI->Enable(TRUE);
        return TRUE;
    default:
        return CTreeView::OnUpdateCommandUI(cmdUI);
    }
}

void CAlbumsView::OnNewItem() {
    SendToParentFrame(this, WM_RM_NEWITEM);
}

void CAlbumsView::OnRename() {
    const HTREEITEM selected = GetTreeCtrl().GetSelectedItem();
    if (AlbumOf(selected))
        GetTreeCtrl().EditLabel(selected);
}

void CAlbumsView::OnEndEdit() {
    SendKeyToEditor(VK_RETURN);
}

void CAlbumsView::OnDeleteAlbum() {
    // The accelerator took the Delete key from the label editor: it deletes there as the key would.
    if (CEdit* editor = GetTreeCtrl().GetEditControl()) {
        int start = 0;
        int end = 0;
        editor->GetSel(start, end);
        if (start == end)
            editor->SetSel(start, start + 1);
        editor->ReplaceSel("");
        return;
    }
    CResType* kind = nullptr;
    CDSAlbum* album = nullptr;
    const HTREEITEM node = SelectedUserAlbum(&kind, &album);
    CDSObjMgr* manager = GetDSObjMgr();
    if (!node || !manager)
        return;
    if (album->HasRelativeObjects()) {
        AppServices().MessageBox(kRelativeObjectsMessage, MB_OK);
        return;
    }
    CString question;
    question.Format(AppServices().LoadString(kDeleteQuestion), 1, kind->GetName().GetString());
    if (AppServices().MessageBoxText(question, MB_YESNO) != IDYES)
        return;
    // The details view and the object view let go of the album first: the object view lists the kind,
    // whose list still holds the album until it is deleted.
    SendToParentFrame(this, WM_RM_SHOWDETAILS, MAKEWPARAM(1, kDetailsNothing), 0);
    const HTREEITEM kindNode = GetTreeCtrl().GetParentItem(node);
    GetTreeCtrl().SelectItem(kindNode);
    if (!manager->DeleteAlbum(album)) {
        GetTreeCtrl().SelectItem(node);
        return;
    }
    ForgetDeletedAlbum(album);
    GetTreeCtrl().DeleteItem(node);
    SendToParentFrame(this, WM_RM_SHOWRESTYPE, 0, reinterpret_cast<LPARAM>(kind));
}

void CAlbumsView::OnCopyAlbum() {
    const CTreeCtrl& tree = GetTreeCtrl();
    const HTREEITEM node = tree.GetSelectedItem();
    const HTREEITEM kindNode = node ? tree.GetParentItem(node) : nullptr;
    CResType* kind = KindOf(kindNode);
    CDSAlbum* album = AlbumOf(node);
    CDSObjMgr* manager = GetDSObjMgr();
    if (!kind || !album || !manager)
        return;
    CDSAlbum* copy = manager->DuplicateAlbumFile(album);
    if (!copy)
        return;
    copy->SetTitle(kind->MakeUniqueAlbumName(album->GetTitle()));
    copy->ExchangeProperty(FALSE);
    if (copy->SaveIndex())
        InsertAlbumNode(kindNode, copy);
}

void CAlbumsView::OnContextMenu(CWnd* window, CPoint point) {
    if (window != this)
        return;
    CTreeCtrl& tree = GetTreeCtrl();
    HTREEITEM node = nullptr;
    if (point.x == -1 && point.y == -1) {
        node = tree.GetSelectedItem();
        CRect text;
        if (!node || !tree.GetItemRect(node, &text, TRUE))
            return;
        point = CPoint(text.left + kContextMenuOffset, text.top + kContextMenuOffset);
        ClientToScreen(&point);
    } else {
        CPoint client = point;
        ScreenToClient(&client);
        node = tree.HitTest(client);
    }
    if (!node)
        return;
    if (tree.GetSelectedItem() != node)
        tree.SelectItem(node);
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    IAppServices& app = AppServices();
    menu.AppendMenu(MF_STRING, ID_RM_NEW, app.LoadString(kNewText));
    if (tree.GetParentItem(node)) {
        menu.AppendMenu(MF_STRING, ID_RM_DUPLICATE, app.LoadString(kCopyText));
        menu.AppendMenu(MF_STRING, ID_RM_RENAME, app.LoadString(kRenameText));
        menu.AppendMenu(MF_STRING, ID_RM_DELETE, app.LoadString(kDeleteText));
    }
    menu.TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, this);
}
