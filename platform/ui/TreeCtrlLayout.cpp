// Where the rows of a tree view lie: one row per shown item from the first row shown, each indented by
// its depth, with the button column, the state picture, the picture and the label side by side.

#include "platform/gdi/Dc.h"
#include "platform/ui/ScrollBar.h"
#include "platform/ui/TreeCtrlState.h"
#include "platform/ui/WindowInternals.h"

#include <algorithm>

namespace {

constexpr int kTextHeight = 16;
constexpr int kRowPadding = 2;
constexpr int kIndent = 19;
constexpr int kLabelPadding = 2;

QSize ImageSize(HIMAGELIST images) {
    int cx = 0;
    int cy = 0;
    if (images)
        ImageList_GetIconSize(images, &cx, &cy);
    return QSize(cx, cy);
}

int TextWidth(HWND tree, const CString& text) {
    CDC measure;
    measure.CreateCompatibleDC(nullptr);
    CFont* previous = measure.SelectObject(
        CFont::FromHandle(tree->font ? tree->font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))));
    const int width = measure.GetTextExtent(text).cx;
    measure.SelectObject(previous);
    return width;
}

// Top-level items get a column of their own when lines or buttons reach the root.
int Level(HWND tree, HTREEITEM item) {
    return DepthOf(item) + ((tree->style & TVS_LINESATROOT) ? 1 : 0);
}

UINT OutsideFlags(QPoint point, QSize client) {
    UINT flags = 0;
    if (point.y() < 0)
        flags |= TVHT_ABOVE;
    if (point.y() >= client.height())
        flags |= TVHT_BELOW;
    if (point.x() < 0)
        flags |= TVHT_TOLEFT;
    if (point.x() >= client.width())
        flags |= TVHT_TORIGHT;
    return flags;
}

} // namespace

int RowHeight(HWND tree) {
    const TreeState& state = TreeStateOf(tree);
    return std::max({kTextHeight, ImageSize(state.images[TVSIL_NORMAL]).height(),
                     ImageSize(state.images[TVSIL_STATE]).height()}) +
           kRowPadding;
}

int RowsPerPage(HWND tree) {
    return std::max(1, ClientSize(tree).height() / RowHeight(tree));
}

int IndentWidth() {
    return kIndent;
}

TreeRowParts PartsOf(HWND tree, HTREEITEM item, int row) {
    const TreeState& state = TreeStateOf(tree);
    const int height = RowHeight(tree);
    const int top = (row - state.top) * height;
    TreeRowParts parts;
    parts.row = QRect(0, top, ClientSize(tree).width(), height);
    const int level = Level(tree, item);
    int x = level * kIndent;
    if (level > 0)
        parts.button = QRect(x - kIndent, top, kIndent, height);
    const QSize stateSize = ImageSize(state.images[TVSIL_STATE]);
    if (state.images[TVSIL_STATE]) {
        parts.stateIcon =
            QRect(x, top + (height - stateSize.height()) / 2, stateSize.width(), stateSize.height());
        x += stateSize.width();
    }
    const QSize iconSize = ImageSize(state.images[TVSIL_NORMAL]);
    if (state.images[TVSIL_NORMAL]) {
        parts.icon = QRect(x, top + (height - iconSize.height()) / 2, iconSize.width(), iconSize.height());
        x += iconSize.width() + 1;
    }
    parts.label = QRect(x, top, TextWidth(tree, item->text) + 2 * kLabelPadding, height);
    return parts;
}

HTREEITEM HitTestTree(HWND tree, QPoint point, UINT* flags) {
    TreeState& state = TreeStateOf(tree);
    const QSize client = ClientSize(tree);
    *flags = OutsideFlags(point, client);
    if (*flags)
        return nullptr;
    const std::vector<HTREEITEM> rows = VisibleRows(state);
    const int row = TopRow(tree, rows) + point.y() / RowHeight(tree);
    if (row >= static_cast<int>(rows.size())) {
        *flags = TVHT_NOWHERE;
        return nullptr;
    }
    const HTREEITEM item = rows[static_cast<size_t>(row)];
    const TreeRowParts parts = PartsOf(tree, item, row);
    const int picturesLeft = parts.button.isNull() ? 0 : parts.button.right() + 1;
    if (point.x() < picturesLeft)
        *flags = parts.button.contains(point) && (tree->style & TVS_HASBUTTONS) && HasChildren(item)
                     ? TVHT_ONITEMBUTTON
                     : TVHT_ONITEMINDENT;
    else if (parts.stateIcon.contains(point))
        *flags = TVHT_ONITEMSTATEICON;
    else if (point.x() < parts.label.left())
        *flags = TVHT_ONITEMICON;
    else if (point.x() <= parts.label.right())
        *flags = TVHT_ONITEMLABEL;
    else
        *flags = TVHT_ONITEMRIGHT;
    return item;
}

int TopRow(HWND tree, const std::vector<HTREEITEM>& rows) {
    TreeState& state = TreeStateOf(tree);
    // The first item shown stays first as rows come and go above it; inside a closed item its nearest
    // shown ancestor takes its place.
    int row = -1;
    for (HTREEITEM item = IsTreeItem(state, state.topItem) ? state.topItem : nullptr; item && row < 0;
         item = ParentOf(item))
        row = RowOf(rows, item);
    const int count = static_cast<int>(rows.size());
    state.top = std::clamp(row, 0, std::max(0, count - RowsPerPage(tree)));
    state.topItem = count ? rows[static_cast<size_t>(state.top)] : nullptr;
    return state.top;
}

int TopRow(HWND tree) {
    return TopRow(tree, VisibleRows(TreeStateOf(tree)));
}

void ScrollTreeTo(HWND tree, int top) {
    TreeState& state = TreeStateOf(tree);
    const std::vector<HTREEITEM> rows = VisibleRows(state);
    const int before = TopRow(tree, rows);
    if (rows.empty())
        return;
    state.topItem = rows[static_cast<size_t>(std::clamp(top, 0, static_cast<int>(rows.size()) - 1))];
    if (TopRow(tree, rows) == before)
        return;
    InvalidateWindow(tree, ClientArea(tree), false);
    // The editor would no longer sit over its label: the edit ends as a loss of the focus ends it.
    if (state.editor)
        EndTreeLabelEdit(tree, false);
}

void UpdateTreeScrollBar(HWND tree) {
    const std::vector<HTREEITEM> rows = VisibleRows(TreeStateOf(tree));
    const int top = TopRow(tree, rows);
    SCROLLINFO info{sizeof(SCROLLINFO),
                    SIF_RANGE | SIF_PAGE | SIF_POS,
                    0,
                    std::max(static_cast<int>(rows.size()) - 1, 0),
                    static_cast<UINT>(RowsPerPage(tree)),
                    top,
                    0};
    SetScrollInfo(tree, SB_VERT, &info, TRUE);
}

void ScrollRowIntoView(HWND tree, int row) {
    const int top = TopRow(tree);
    if (row < top)
        ScrollTreeTo(tree, row);
    else if (row >= top + RowsPerPage(tree))
        ScrollTreeTo(tree, row - RowsPerPage(tree) + 1);
}
