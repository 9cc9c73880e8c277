// The gallery's scrolling picture: a window with both scroll bars, scrolled part of the way, beside a
// report list scrolled down.

#include "platform/gdi/Dc.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/ScrollBar.h"
#include "tools/controlsgallery/Galleries.h"
#include "tools/controlsgallery/Snapshot.h"

#include <string>

namespace {

constexpr int kCell = 40;

// A grid of numbered cells, drawn from the bars' positions.
class GridPane : public CWnd {
protected:
    void OnPaint() override {
        CPaintDC dc(this);
        const int left = GetScrollPos(SB_HORZ);
        const int top = GetScrollPos(SB_VERT);
        for (int row = 0; row < 12; ++row) {
            for (int column = 0; column < 12; ++column) {
                CRect cell(column * kCell - left, row * kCell - top, (column + 1) * kCell - left,
                           (row + 1) * kCell - top);
                dc.FillSolidRect(&cell, (row + column) % 2 ? RGB(255, 255, 255) : RGB(220, 232, 248));
                const std::string label = std::to_string(row * 12 + column + 1);
                dc.SetBkMode(TRANSPARENT);
                dc.DrawText(label.c_str(), &cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            }
        }
    }
};

} // namespace

bool SaveScrolling(const QString& folder) {
    CWnd window;
    if (!window.CreateEx(0, "#32770", "Rollbalken", WS_POPUP | WS_CAPTION, CRect(100, 100, 560, 340), nullptr,
                         0))
        return false;
    GridPane pane;
    pane.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_HSCROLL | WS_VSCROLL,
                  CRect(12, 12, 212, 228), &window, 10);
    CRect client;
    pane.GetClientRect(&client);
    pane.SetScrollRange(SB_HORZ, 0, 12 * kCell - client.Width());
    pane.SetScrollRange(SB_VERT, 0, 12 * kCell - client.Height());
    pane.SetScrollPos(SB_HORZ, 60);
    pane.SetScrollPos(SB_VERT, 130);

    CListCtrl list;
    list.CreateEx(WS_EX_CLIENTEDGE, WC_LISTVIEW, "", WS_CHILD | WS_VISIBLE | LVS_REPORT,
                  CRect(224, 12, 448, 228), &window, 11);
    list.InsertColumn(0, "Name", LVCFMT_LEFT, 110);
    list.InsertColumn(1, "Größe", LVCFMT_LEFT, 70);
    list.InsertColumn(2, "Datum", LVCFMT_LEFT, 90);
    for (int item = 0; item < 40; ++item) {
        list.InsertItem(item, ("Urlaubsbild " + std::to_string(item + 1) + ".jpg").c_str());
        list.SetItemText(item, 1, (std::to_string(120 + item * 37) + " KB").c_str());
        list.SetItemText(item, 2, ("0" + std::to_string(1 + item % 9) + ".07.2026").c_str());
    }
    list.EnsureVisible(24, FALSE);
    list.SetItemState(20, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);

    window.ShowWindow(SW_SHOW);
    const bool saved = Save(window.m_hWnd, folder + "/scrolling.png");
    window.DestroyWindow();
    return saved;
}
