#include "editing/SkinnedPanel.h"

#include "image/FileHelpers.h"
#include "platform/gdi/Region.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/Wnd.h"

#include <new>

bool ShapeSkinButton(CSkinButton& button, POINT position, int side, std::span<const POINT> outline,
                     LPCTSTR up, LPCTSTR down, LPCTSTR focus) {
    CRgn shape;
    CRgn pressed;
    const int count = static_cast<int>(outline.size());
    if (!shape.CreatePolygonRgn(outline.data(), count, ALTERNATE) ||
        !pressed.CreatePolygonRgn(outline.data(), count, ALTERNATE))
        return false;
    button.SetWindowPos(nullptr, position.x, position.y, side, side, SWP_NOZORDER | SWP_NOACTIVATE);
    return button.SetRegions(&shape, &pressed, TRUE) && button.LoadBitmaps(up, down, focus);
}

void FocusUnderPointer(CWnd* dialog, CWnd* window, int holderId) {
    if (window == dialog) {
        if (CWnd* holder = dialog->GetDlgItem(holderId))
            holder->SetFocus();
    } else if (window) {
        window->SetFocus();
    }
}
