// controlsgallery: the standard controls of the window layer with German texts, as PNG files for a
// person to judge the looks:
//   controlsgallery OUTPUT_FOLDER
// gallery.png shows a closed combo box, a slider, a spin button with its buddy, labels and the child
// frames; combo-open.png the same combo box with its list dropped down; Galleries.h names the others.

#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Edit.h"
#include "platform/ui/SliderCtrl.h"
#include "platform/ui/SpinButtonCtrl.h"
#include "platform/ui/Static.h"
#include "tools/controlsgallery/Galleries.h"
#include "tools/controlsgallery/Snapshot.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: controlsgallery OUTPUT_FOLDER\n");
        return 2;
    }
    QApplication application(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);

    CWnd window;
    if (!window.CreateEx(0, "#32770", "Steuerelemente", WS_POPUP | WS_CAPTION, CRect(100, 100, 520, 330),
                         nullptr, 0))
        return 1;
    CStatic kindLabel;
    kindLabel.Create("Art:", WS_CHILD | WS_VISIBLE, CRect(12, 16, 80, 34), &window);
    CComboBox kind;
    kind.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(90, 12, 260, 160), &window, 10);
    for (const char* item : {"Album", "Vorlage", "Maske", "Rahmen", "Clipart", "Hintergrund"})
        kind.AddString(item);
    kind.SetCurSel(1);

    CStatic zoomLabel;
    zoomLabel.Create("Zoom:", WS_CHILD | WS_VISIBLE, CRect(12, 56, 80, 74), &window);
    CSliderCtrl zoom;
    zoom.Create(WS_CHILD | WS_VISIBLE | TBS_AUTOTICKS, CRect(90, 48, 400, 80), &window, 11);
    zoom.SetRange(0, 10);
    zoom.SetPos(4);

    CStatic stepLabel;
    stepLabel.Create("Schrittweite:", WS_CHILD | WS_VISIBLE, CRect(12, 98, 90, 116), &window);
    CEdit step;
    step.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(100, 94, 170, 116), &window, 12);
    CSpinButtonCtrl spin;
    spin.Create(WS_CHILD | WS_VISIBLE | UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT, CRect(0, 0, 16, 22),
                &window, 13);
    spin.SetRange(1, 1000);
    spin.SetPos(25);

    const struct {
        const char* text;
        DWORD style;
        DWORD exStyle;
    } frames[] = {
        {"WS_BORDER", WS_BORDER, 0}, {"WS_DLGFRAME", WS_DLGFRAME, 0}, {"Client-Rand", 0, WS_EX_CLIENTEDGE}};
    CStatic framed[3];
    for (int i = 0; i < 3; ++i)
        framed[i].CreateEx(frames[i].exStyle, "Static", frames[i].text,
                           WS_CHILD | WS_VISIBLE | SS_CENTER | frames[i].style,
                           CRect(12 + 132 * i, 136, 132 + 132 * i, 176), &window, 20 + i);
    CButton ok;
    ok.Create("OK", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, CRect(226, 190, 306, 216), &window, IDOK);
    CButton cancel;
    cancel.Create("Abbrechen", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(316, 190, 406, 216), &window,
                  IDCANCEL);

    window.ShowWindow(SW_SHOW);
    if (!Save(window.m_hWnd, folder + "/gallery.png"))
        return 1;
    kind.ShowDropDown();
    Pump();
    CWnd* list = CWnd::GetCapture();
    const bool saved = list && Save(list->m_hWnd, folder + "/combo-open.png");
    kind.ShowDropDown(FALSE);
    window.DestroyWindow();
    return saved && SaveStandardControls(folder) && SavePropertySheet(folder) && SaveTreeShot(folder) &&
                   SaveScrolling(folder) && SaveMenu(folder)
               ? 0
               : 1;
}
