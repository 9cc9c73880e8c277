// The gallery's popup menu: the canvas-like menu of a page object with a grayed item, a checked item, a
// separator and a submenu, shown by the program's own menu presenter.

#include "platform/ui/Menu.h"
#include "platform/ui/QtMenuPresenter.h"
#include "platform/ui/Wnd.h"
#include "tools/controlsgallery/Galleries.h"

#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <cstdio>

bool SaveMenu(const QString& folder) {
    CWnd window;
    if (!window.CreateEx(0, "#32770", "Menü", WS_POPUP | WS_CAPTION, CRect(100, 100, 400, 300), nullptr, 0))
        return false;
    window.ShowWindow(SW_SHOW);
    CMenu align;
    align.CreatePopupMenu();
    align.AppendMenu(MF_STRING, 101, "Nach vorne");
    align.AppendMenu(MF_STRING, 102, "Nach hinten");
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, 1, "Ausschneiden");
    menu.AppendMenu(MF_STRING, 2, "Kopieren");
    menu.AppendMenu(MF_STRING | MF_GRAYED, 3, "Einfügen");
    menu.AppendMenu(MF_SEPARATOR, 0, nullptr);
    menu.AppendMenu(MF_STRING | MF_CHECKED, 4, "Rahmen zeigen");
    // The menu owns its submenu from here on.
    menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(align.Detach()), "Anordnen");
    menu.AppendMenu(MF_SEPARATOR, 0, nullptr);
    menu.AppendMenu(MF_STRING, 5, "Löschen");

    CQtMenuPresenter presenter;
    SetMenuPresenter(&presenter);
    const QString path = folder + "/popup-menu.png";
    bool saved = false;
    QTimer::singleShot(400, [&] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            saved = popup->grab().save(path);
            popup->close();
        }
    });
    menu.TrackPopupMenu(TPM_RIGHTBUTTON, 150, 150, &window);
    SetMenuPresenter(nullptr);
    window.DestroyWindow();
    if (!saved)
        std::fprintf(stderr, "cannot write %s\n", path.toUtf8().constData());
    return saved;
}
