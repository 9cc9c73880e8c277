// The drag image of a list item: its picture and its label drawn on the list's background colour, which
// becomes transparent in the image list made from it.

#include "platform/ui/ListCtrl.h"

#include <memory>

CImageList* CListCtrl::CreateDragImage(int item, LPPOINT point) {
    CRect icon;
    CRect label;
    if (!GetItemRect(item, &icon, LVIR_ICON) || !GetItemRect(item, &label, LVIR_LABEL))
        return nullptr;
    CRect bounds;
    bounds.UnionRect(icon, label);
    if (bounds.IsRectEmpty())
        return nullptr;
    const COLORREF ground = GetBkColor();
    CDC memory;
    memory.CreateCompatibleDC(nullptr);
    CBitmap picture;
    if (!picture.CreateCompatibleBitmap(&memory, bounds.Width(), bounds.Height()))
        return nullptr;
    CBitmap* previousBitmap = memory.SelectObject(&picture);
    memory.FillSolidRect(0, 0, bounds.Width(), bounds.Height(), ground);
    memory.SetViewportOrg(-bounds.left, -bounds.top);

    const bool report = (GetStyle() & LVS_TYPEMASK) == LVS_REPORT;
    const auto images =
        reinterpret_cast<HIMAGELIST>(SendMessage(LVM_GETIMAGELIST, report ? LVSIL_SMALL : LVSIL_NORMAL));
    LVITEM info{LVIF_IMAGE, item, 0, 0, 0, nullptr, 0, 0, 0};
    if (images && GetItem(&info))
        ImageList_Draw(images, info.iImage, memory, icon.left, icon.top, ILD_TRANSPARENT);
    const auto font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    CFont* previousFont = memory.SelectObject(
        CFont::FromHandle(font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))));
    memory.SetBkMode(TRANSPARENT);
    memory.SetTextColor(GetTextColor());
    memory.DrawText(GetItemText(item, 0), &label,
                    (report ? DT_LEFT : DT_CENTER) | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS |
                        DT_NOPREFIX);
    memory.SelectObject(previousFont);
    memory.SelectObject(previousBitmap);

    auto list = std::make_unique<CImageList>();
    if (!list->Create(bounds.Width(), bounds.Height(), ILC_COLOR24 | ILC_MASK, 1, 0) ||
        list->Add(&picture, ground) != 0)
        return nullptr;
    if (point)
        *point = bounds.TopLeft();
    return list.release();
}
