// Painting a tree view: from the first row shown, each item's lines, button, pictures and label. The
// parent is asked through NM_CUSTOMDRAW before the paint and, when it wants, before each item, whose
// text colours it may change.

#include "platform/gdi/Dc.h"
#include "platform/ui/Messages.h"
#include "platform/ui/TreeCtrlState.h"
#include "platform/ui/WindowInternals.h"

namespace {

constexpr int kButtonSide = 9;

CRect ToRect(const QRect& rect) {
    return CRect(rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1);
}

LRESULT AskParent(HWND tree, NMTVCUSTOMDRAW& record) {
    record.nmcd.hdr = NMHDR{tree, tree->id, NM_CUSTOMDRAW};
    if (!IsLiveWindow(tree->parent))
        return CDRF_DODEFAULT;
    return SendToWindow(tree->parent, WM_NOTIFY, tree->id, reinterpret_cast<LPARAM>(&record));
}

// Every other pixel, as the lines between items are drawn.
void DottedLine(CDC* dc, QPoint from, QPoint to) {
    const COLORREF color = GetSysColor(COLOR_GRAYTEXT);
    const bool vertical = from.x() == to.x();
    const int start = vertical ? from.y() : from.x();
    const int end = vertical ? to.y() : to.x();
    for (int at = start + (start & 1); at <= end; at += 2)
        dc->SetPixel(vertical ? from.x() : at, vertical ? at : from.y(), color);
}

// The lines of an item's own column and of the columns of its ancestors that have later siblings.
void DrawLines(HWND tree, CDC* dc, HTREEITEM item, const TreeRowParts& parts) {
    if (parts.button.isNull())
        return;
    const int centreY = parts.row.center().y();
    const int centreX = parts.button.center().x();
    const bool first = !PreviousSibling(item) && !ParentOf(item);
    DottedLine(dc, QPoint(centreX, first ? centreY : parts.row.top()), QPoint(centreX, centreY));
    DottedLine(dc, QPoint(centreX, centreY), QPoint(parts.button.right(), centreY));
    if (NextSibling(item))
        DottedLine(dc, QPoint(centreX, centreY), QPoint(centreX, parts.row.bottom()));
    int x = centreX;
    for (HTREEITEM above = ParentOf(item); above && x - IndentWidth() >= 0; above = ParentOf(above)) {
        x -= IndentWidth();
        if (NextSibling(above) && (ParentOf(above) || (tree->style & TVS_LINESATROOT)))
            DottedLine(dc, QPoint(x, parts.row.top()), QPoint(x, parts.row.bottom()));
    }
}

void DrawButton(CDC* dc, HTREEITEM item, const TreeRowParts& parts) {
    const QPoint centre = parts.button.center();
    CRect box(centre.x() - kButtonSide / 2, centre.y() - kButtonSide / 2, centre.x() + kButtonSide / 2 + 1,
              centre.y() + kButtonSide / 2 + 1);
    dc->FillSolidRect(&box, GetSysColor(COLOR_3DSHADOW));
    box.DeflateRect(1, 1);
    dc->FillSolidRect(&box, GetSysColor(COLOR_WINDOW));
    const COLORREF sign = GetSysColor(COLOR_WINDOWTEXT);
    dc->FillSolidRect(centre.x() - 2, centre.y(), 5, 1, sign);
    if (!(item->state & TVIS_EXPANDED))
        dc->FillSolidRect(centre.x(), centre.y() - 2, 1, 5, sign);
}

struct TextColors {
    COLORREF text;
    COLORREF background; // CLR_NONE: the window's own
};

// The drop target shows highlighted; the selection does while the tree has the focus or always shows
// it, in the face colour while another item is the drop target.
TextColors ColorsOf(HWND tree, HTREEITEM item, bool focused) {
    const TreeState& state = TreeStateOf(tree);
    if (item->state & TVIS_DROPHILITED)
        return {GetSysColor(COLOR_HIGHLIGHTTEXT), GetSysColor(COLOR_HIGHLIGHT)};
    if (!(item->state & TVIS_SELECTED) || !(focused || (tree->style & TVS_SHOWSELALWAYS)))
        return {GetSysColor(COLOR_WINDOWTEXT), CLR_NONE};
    if (state.dropTarget)
        return {GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_3DFACE)};
    return {GetSysColor(COLOR_HIGHLIGHTTEXT), GetSysColor(COLOR_HIGHLIGHT)};
}

void DrawItem(HWND tree, CDC* dc, HTREEITEM item, int row, bool askParent, bool focused) {
    const TreeState& state = TreeStateOf(tree);
    const TreeRowParts parts = PartsOf(tree, item, row);
    const TextColors colors = ColorsOf(tree, item, focused);
    NMTVCUSTOMDRAW record{};
    record.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
    record.nmcd.hdc = *dc;
    record.nmcd.rc = ToRect(parts.row);
    record.nmcd.dwItemSpec = reinterpret_cast<DWORD_PTR>(item);
    record.nmcd.uItemState = ((item->state & TVIS_SELECTED) ? CDIS_SELECTED : 0) |
                             (focused && item == state.selected ? CDIS_FOCUS : 0);
    record.nmcd.lItemlParam = item->data;
    record.clrText = colors.text;
    record.clrTextBk = colors.background;
    record.iLevel = DepthOf(item);
    const LRESULT answer = askParent ? AskParent(tree, record) : CDRF_DODEFAULT;
    if (!IsLiveWindow(tree) || (answer & CDRF_SKIPDEFAULT))
        return;
    if (tree->style & TVS_HASLINES)
        DrawLines(tree, dc, item, parts);
    if ((tree->style & TVS_HASBUTTONS) && HasChildren(item) && !parts.button.isNull())
        DrawButton(dc, item, parts);
    const UINT stateImage = (item->state & TVIS_STATEIMAGEMASK) >> 12;
    if (state.images[TVSIL_STATE] && stateImage)
        ImageList_Draw(state.images[TVSIL_STATE], static_cast<int>(stateImage), *dc, parts.stateIcon.left(),
                       parts.stateIcon.top(), ILD_TRANSPARENT);
    if (state.images[TVSIL_NORMAL]) {
        const int image = (item->state & TVIS_SELECTED) ? item->selectedImage : item->image;
        ImageList_Draw(state.images[TVSIL_NORMAL], image, *dc, parts.icon.left(), parts.icon.top(),
                       ILD_TRANSPARENT | (item->state & TVIS_OVERLAYMASK));
    }
    CRect label = ToRect(parts.label);
    if (record.clrTextBk != CLR_NONE)
        dc->FillSolidRect(&label, record.clrTextBk);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(record.clrText);
    dc->DrawText(item->text, &label, DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (focused && item == state.selected && !state.dropTarget)
        dc->DrawFocusRect(&label);
    if (answer & CDRF_NOTIFYPOSTPAINT) {
        record.nmcd.dwDrawStage = CDDS_ITEMPOSTPAINT;
        AskParent(tree, record);
    }
}

} // namespace

void PaintTree(HWND tree) {
    UpdateTreeScrollBar(tree);
    PAINTSTRUCT paint;
    CDC* dc = CDC::FromHandle(BeginPaint(tree, &paint));
    TreeState& state = TreeStateOf(tree);
    const QSize size = ClientSize(tree);
    CRect client(0, 0, size.width(), size.height());
    dc->FillSolidRect(&client, GetSysColor(COLOR_WINDOW));
    CFont* font =
        CFont::FromHandle(tree->font ? tree->font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    CFont* previous = dc->SelectObject(font);
    NMTVCUSTOMDRAW record{};
    record.nmcd.dwDrawStage = CDDS_PREPAINT;
    record.nmcd.hdc = *dc;
    record.nmcd.rc = client;
    const LRESULT answer = AskParent(tree, record);
    if (IsLiveWindow(tree) && !(answer & CDRF_SKIPDEFAULT)) {
        const bool focused = GetFocus() == tree;
        const std::vector<HTREEITEM> rows = VisibleRows(state);
        const int count = static_cast<int>(rows.size());
        const int last = std::min(count, TopRow(tree, rows) + RowsPerPage(tree) + 1);
        for (int row = state.top; row < last && IsLiveWindow(tree); ++row) {
            // The parent may have deleted items while it was asked.
            if (!IsTreeItem(state, rows[static_cast<size_t>(row)]))
                continue;
            DrawItem(tree, dc, rows[static_cast<size_t>(row)], row, (answer & CDRF_NOTIFYITEMDRAW) != 0,
                     focused);
            dc->SelectObject(font);
        }
        if (IsLiveWindow(tree) && (answer & CDRF_NOTIFYPOSTPAINT)) {
            record.nmcd.dwDrawStage = CDDS_POSTPAINT;
            AskParent(tree, record);
        }
    }
    dc->SelectObject(previous);
    EndPaint(tree, &paint);
}
