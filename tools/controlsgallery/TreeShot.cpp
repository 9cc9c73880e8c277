// The gallery's folder tree: German folders with pictures, one opened, a selection and a drop target.

#include "platform/ui/TreeCtrl.h"
#include "tools/controlsgallery/Galleries.h"
#include "tools/controlsgallery/Snapshot.h"

#include <vector>

namespace {

constexpr COLORREF kTransparent = RGB(255, 0, 255);
constexpr COLORREF kFolder = RGB(240, 200, 80);
constexpr COLORREF kFolderEdge = RGB(160, 120, 20);

// Pictures of 16 x 16: 0 a closed folder, 1 an open folder, 2 a computer, 3 the link arrow overlay.
void DrawPictures(CDC* dc) {
    dc->FillSolidRect(0, 0, 64, 16, kTransparent);
    // Closed folder.
    dc->FillSolidRect(1, 3, 6, 2, kFolderEdge);
    dc->FillSolidRect(1, 4, 14, 10, kFolderEdge);
    dc->FillSolidRect(2, 5, 12, 8, kFolder);
    // Open folder: the back, then the front flap leaning out.
    dc->FillSolidRect(17, 3, 6, 2, kFolderEdge);
    dc->FillSolidRect(17, 4, 13, 10, kFolderEdge);
    dc->FillSolidRect(18, 5, 11, 8, RGB(250, 225, 140));
    for (int row = 0; row < 6; ++row)
        dc->FillSolidRect(19 + (5 - row) / 2, 8 + row, 12, 1, row == 5 ? kFolderEdge : kFolder);
    // Computer: a screen on a foot.
    dc->FillSolidRect(33, 2, 14, 10, RGB(80, 80, 80));
    dc->FillSolidRect(34, 3, 12, 8, RGB(90, 160, 230));
    dc->FillSolidRect(38, 12, 6, 2, RGB(80, 80, 80));
    dc->FillSolidRect(35, 14, 12, 1, RGB(80, 80, 80));
    // Link arrow in the lower left corner.
    dc->FillSolidRect(48, 9, 7, 7, RGB(255, 255, 255));
    dc->FillSolidRect(49, 10, 5, 5, RGB(0, 0, 0));
    dc->FillSolidRect(50, 13, 3, 1, RGB(255, 255, 255));
    dc->FillSolidRect(52, 11, 1, 2, RGB(255, 255, 255));
}

bool MakePictures(CImageList* pictures) {
    CBitmap strip;
    const std::vector<BYTE> bits(64 * 16 * 3, 0);
    if (!strip.CreateBitmap(64, 16, 1, 24, bits.data()) ||
        !pictures->Create(16, 16, ILC_COLOR24 | ILC_MASK, 4, 1))
        return false;
    CDC memory;
    memory.CreateCompatibleDC(nullptr);
    CBitmap* previous = memory.SelectObject(&strip);
    DrawPictures(&memory);
    memory.SelectObject(previous);
    return pictures->Add(&strip, kTransparent) == 0 && pictures->SetOverlayImage(3, 1);
}

HTREEITEM Folder(CTreeCtrl& tree, const char* name, HTREEITEM parent, int image = 0, int selectedImage = 1) {
    return tree.InsertItem(name, image, selectedImage, parent);
}

} // namespace

bool SaveTreeShot(const QString& folder) {
    CImageList pictures;
    if (!MakePictures(&pictures))
        return false;
    CWnd window;
    if (!window.CreateEx(0, "#32770", "Ordner wählen", WS_POPUP | WS_CAPTION, CRect(100, 100, 340, 380),
                         nullptr, 0))
        return false;
    CTreeCtrl tree;
    tree.CreateEx(WS_EX_CLIENTEDGE, WC_TREEVIEW, "",
                  WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                  CRect(8, 8, 232, 252), &window, 1);
    tree.SetImageList(&pictures, TVSIL_NORMAL);
    const HTREEITEM computer = Folder(tree, "Arbeitsplatz", TVI_ROOT, 2, 2);
    const HTREEITEM pictureFolder = Folder(tree, "Eigene Bilder", computer);
    const HTREEITEM holiday = Folder(tree, "Urlaub am Meer", pictureFolder);
    Folder(tree, "Strand", holiday);
    const HTREEITEM mountains = Folder(tree, "Wanderung", holiday);
    const HTREEITEM family = Folder(tree, "Familienfeier", pictureFolder);
    const HTREEITEM birthdays = Folder(tree, "Geburtstage", pictureFolder);
    TVITEM more{};
    more.mask = TVIF_CHILDREN | TVIF_HANDLE;
    more.hItem = birthdays;
    more.cChildren = 1;
    tree.SetItem(&more);
    const HTREEITEM documents = Folder(tree, "Dokumente", computer);
    Folder(tree, "Briefe", documents);
    tree.SetItemState(documents, INDEXTOOVERLAYMASK(1), TVIS_OVERLAYMASK);
    Folder(tree, "Vorlagen", computer);
    Folder(tree, "Schriftarten", computer);
    tree.Expand(computer, TVE_EXPAND);
    tree.Expand(pictureFolder, TVE_EXPAND);
    tree.Expand(holiday, TVE_EXPAND);
    tree.SelectItem(family);
    tree.SelectDropTarget(mountains);
    window.ShowWindow(SW_SHOW);
    const bool saved = Save(window.m_hWnd, folder + "/tree.png");
    window.DestroyWindow();
    return saved;
}
