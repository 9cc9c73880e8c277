// The standard controls side by side, as a dialog of the program would hold them.

#include "platform/gdi/GdiObjects.h"
#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/ProgressCtrl.h"
#include "platform/ui/SliderCtrl.h"
#include "platform/ui/SpinButtonCtrl.h"
#include "platform/ui/Static.h"
#include "tools/controlsgallery/Galleries.h"
#include "tools/controlsgallery/Snapshot.h"

#include <cstring>

namespace {

struct Row {
    const char* name;
    const char* size;
    const char* changed;
};

constexpr Row kFiles[] = {{"Ostsee.jpg", "2,4 MB", "12.06.2026 18:40"},
                          {"Geburtstag Oma.png", "860 KB", "03.05.2026 09:12"},
                          {"Rahmen gold.bmp", "1,1 MB", "21.11.2025 14:05"},
                          {"Winterwald.tif", "7,9 MB", "02.01.2026 11:30"}};

// The font of the program's dialog templates (Arial 9 points at 96 pixels per inch) on every control,
// as a dialog built from a template gets it.
void UseDialogFont(CWnd& window, CFont& font) {
    LOGFONT logFont{};
    logFont.lfHeight = -12;
    logFont.lfWeight = FW_NORMAL;
    std::strncpy(logFont.lfFaceName, "Arial", LF_FACESIZE - 1);
    font.CreateFontIndirect(&logFont);
    for (CWnd* child = window.GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT))
        child->SetFont(&font, FALSE);
}

} // namespace

bool SaveStandardControls(const QString& folder) {
    CWnd window;
    if (!window.CreateEx(0, "#32770", "Standard-Steuerelemente", WS_POPUP | WS_CAPTION,
                         CRect(80, 60, 720, 432), nullptr, 0))
        return false;
    const auto label = [&window](CStatic& control, const char* text, int x, int y, int width) {
        control.Create(text, WS_CHILD | WS_VISIBLE, CRect(x, y + 3, x + width, y + 21), &window);
    };

    // Texts.
    CStatic nameLabel, noteLabel, lockedLabel;
    label(nameLabel, "Name:", 12, 12, 80);
    CEdit name;
    name.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(96, 12, 300, 34), &window, 100);
    name.SetWindowText("Urlaub an der Ostsee");
    label(noteLabel, "Notiz:", 12, 44, 80);
    CEdit note;
    note.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE, CRect(96, 44, 300, 96), &window, 101);
    note.SetWindowText("Zwei Wochen Sonne,\r\nWind und Möwen.");
    label(lockedLabel, "Gesperrt:", 12, 106, 80);
    CEdit locked;
    locked.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_DISABLED, CRect(96, 106, 300, 128), &window, 102);
    locked.SetWindowText("Nicht änderbar");

    // Choices.
    CButton frame, shadow, mirror, portrait, landscape;
    frame.Create("Rahmen zeigen", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, CRect(12, 140, 150, 160), &window,
                 110);
    frame.SetCheck(BST_CHECKED);
    shadow.Create("Schatten", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, CRect(12, 162, 150, 182), &window,
                  111);
    mirror.Create("Spiegeln", WS_CHILD | WS_VISIBLE | WS_DISABLED | BS_AUTOCHECKBOX, CRect(12, 184, 150, 204),
                  &window, 112);
    portrait.Create("Hochformat", WS_CHILD | WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON,
                    CRect(160, 140, 300, 160), &window, 113);
    landscape.Create("Querformat", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, CRect(160, 162, 300, 182),
                     &window, 114);
    portrait.SetCheck(BST_CHECKED);

    // Combo boxes: a list to choose from and one to type into.
    CStatic kindLabel, zoomLabel;
    label(kindLabel, "Art:", 330, 12, 60);
    CComboBox kind;
    kind.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, CRect(400, 12, 620, 160), &window,
                120);
    for (const char* item : {"Album", "Vorlage", "Maske", "Rahmen", "Clipart", "Hintergrund"})
        kind.AddString(item);
    kind.SetCurSel(1);
    label(zoomLabel, "Zoom:", 330, 44, 60);
    CComboBox zoom;
    zoom.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, CRect(400, 44, 620, 180), &window, 121);
    for (const char* item : {"25%", "50%", "100%", "200%"})
        zoom.AddString(item);
    zoom.SetWindowText("100%");

    // Slider, spin button with its buddy, progress.
    CStatic sizeLabel, stepLabel, progressLabel;
    label(sizeLabel, "Größe:", 330, 80, 60);
    CSliderCtrl size;
    size.Create(WS_CHILD | WS_VISIBLE | TBS_AUTOTICKS, CRect(400, 76, 620, 108), &window, 130);
    size.SetRange(0, 10);
    size.SetPos(6);
    label(stepLabel, "Schritt:", 330, 118, 60);
    CEdit step;
    step.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(400, 118, 470, 140), &window, 131);
    CSpinButtonCtrl spin;
    spin.Create(WS_CHILD | WS_VISIBLE | UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS,
                CRect(0, 0, 16, 22), &window, 132);
    spin.SetRange(1, 1000);
    spin.SetPos(25);
    label(progressLabel, "Fortschritt:", 330, 152, 70);
    CProgressCtrl progress;
    progress.Create(WS_CHILD | WS_VISIBLE, CRect(400, 156, 620, 172), &window, 133);
    progress.SetRange(0, 100);
    progress.SetPos(60);

    // A list in report view.
    CListCtrl files;
    files.CreateEx(WS_EX_CLIENTEDGE, "SysListView32", "",
                   WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                   CRect(12, 216, 620, 320), &window, 140);
    files.InsertColumn(0, "Name", LVCFMT_LEFT, 260);
    files.InsertColumn(1, "Größe", LVCFMT_LEFT, 120);
    files.InsertColumn(2, "Geändert", LVCFMT_LEFT, 200);
    for (int i = 0; i < static_cast<int>(std::size(kFiles)); ++i) {
        files.InsertItem(i, kFiles[i].name);
        files.SetItemText(i, 1, kFiles[i].size);
        files.SetItemText(i, 2, kFiles[i].changed);
    }
    files.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);

    CButton ok, cancel, apply;
    ok.Create("OK", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, CRect(354, 336, 434, 360), &window, IDOK);
    cancel.Create("Abbrechen", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(440, 336, 520, 360), &window,
                  IDCANCEL);
    apply.Create("Übernehmen", WS_CHILD | WS_VISIBLE | WS_DISABLED | BS_PUSHBUTTON, CRect(526, 336, 620, 360),
                 &window, 150);

    CFont font;
    UseDialogFont(window, font);
    window.ShowWindow(SW_SHOW);
    bool saved = Save(window.m_hWnd, folder + "/standard-controls.png");
    kind.ShowDropDown();
    Pump();
    CWnd* list = CWnd::GetCapture();
    saved = saved && list && SaveWithPopup(window.m_hWnd, list->m_hWnd, folder + "/standard-combo-open.png");
    kind.ShowDropDown(FALSE);
    window.DestroyWindow();
    return saved;
}
