#include "platform/ui/QtMenuPresenter.h"

#include "platform/ui/Menu.h"

#include <QAction>
#include <QMenu>

namespace {

// "&Datei" keeps its mnemonic; a tab separates the shortcut text, which Qt shows after the text.
void Fill(QMenu& target, CMenu& menu) {
    for (int position = 0; position < menu.GetMenuItemCount(); ++position) {
        const UINT state = menu.GetMenuState(static_cast<UINT>(position), MF_BYPOSITION);
        if (state & MF_SEPARATOR) {
            target.addSeparator();
            continue;
        }
        CString text;
        menu.GetMenuString(static_cast<UINT>(position), text, MF_BYPOSITION);
        const QString label = QString::fromUtf8(text.GetString());
        const bool enabled = !(state & (MF_GRAYED | MF_DISABLED));
        if (CMenu* popup = menu.GetSubMenu(position)) {
            QMenu* inner = target.addMenu(label);
            inner->setEnabled(enabled);
            Fill(*inner, *popup);
            continue;
        }
        QAction* action = target.addAction(label);
        action->setData(menu.GetMenuItemID(position));
        action->setEnabled(enabled);
        action->setCheckable(state & MF_CHECKED);
        action->setChecked(state & MF_CHECKED);
    }
}

} // namespace

UINT CQtMenuPresenter::Track(HWND /*owner*/, CMenu& menu, POINT point) {
    QMenu popup;
    Fill(popup, menu);
    const QAction* chosen = popup.exec(QPoint(point.x, point.y));
    return chosen ? chosen->data().toUInt() : 0;
}
