// skincontrolsgallery: the skinned controls on the settings dialog's skin, with the program's German
// texts, as PNG files for a person to judge the looks:
//   skincontrolsgallery OUTPUT_FOLDER
// skin-combos.png shows the skinned combo boxes closed, labels, a colour picker and a swatch button,
// skin-combo-open.png a settings combo box with its list dropped down, colour-popup.png the picker's open
// popup with a cell under the pointer, inplace-list.png a list with a choice list open over a cell.

#include "platform/base/AppServices.h"
#include "platform/base/Module.h"
#include "platform/base/Resource.h"
#include "platform/ui/PaintDC.h"
#include "skin/AlbumComboBox.h"
#include "skin/CBListCtrl.h"
#include "skin/ColorButton.h"
#include "skin/ColorPicker.h"
#include "skin/MainComboBox.h"
#include "skin/MyComboBox.h"
#include "skin/SkinBitmap.h"
#include "skin/TransparentStatic.h"

#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <cstdio>

namespace {

// The language modules of the program folder: strings and skin bitmaps.
class GalleryServices final : public CDefaultAppServices {
public:
    GalleryServices()
        : m_text(LoadLibrary(VC_PROGRAM_DIR "/qz_txt.deu")),
          m_resources(LoadLibrary(VC_PROGRAM_DIR "/qz_res.deu")) {}
    ~GalleryServices() override {
        FreeLibrary(m_text);
        FreeLibrary(m_resources);
    }
    GalleryServices(const GalleryServices&) = delete;
    GalleryServices& operator=(const GalleryServices&) = delete;

    bool Loaded() const { return m_text && m_resources; }
    CString LoadString(UINT stringId, int /*initialLength*/) override {
        char buffer[1024];
        const int length = ::LoadString(m_text, stringId, buffer, sizeof(buffer));
        return CString(buffer, length);
    }
    HMODULE GetResourceModule() override { return m_resources; }
    HMODULE GetTextModule() override { return m_text; }

private:
    HMODULE m_text;
    HMODULE m_resources;
};

constexpr COLORREF kPanelColor = RGB(70, 96, 84);

class SkinWindow : public CWnd {
public:
    CBitmap m_background;

protected:
    BOOL OnEraseBkgnd(CDC*) override { return TRUE; }
    void OnPaint() override {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        BITMAP info{};
        m_background.GetBitmap(&info);
        dc.FillSolidRect(&client, kPanelColor);
        DrawSkinBitmap(&dc, CRect(0, 0, info.bmWidth, info.bmHeight), m_background, nullptr);
    }
};

void Pump() {
    for (int round = 0; round < 4; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QThread::msleep(50);
    }
}

// The screen's pixels of a rectangle, so that popups over the window show as the user sees them.
bool SaveScreen(const CRect& rect, const QString& path) {
    Pump();
    const QPixmap shot =
        QGuiApplication::primaryScreen()->grabWindow(0, rect.left, rect.top, rect.Width(), rect.Height());
    if (!shot.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", path.toUtf8().constData());
        return false;
    }
    return true;
}

void Fill(CComboBox& combo, std::initializer_list<const char*> items, int selection) {
    for (const char* item : items)
        combo.AddString(item);
    combo.SetCurSel(selection);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: skincontrolsgallery OUTPUT_FOLDER\n");
        return 2;
    }
    QApplication application(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    GalleryServices services;
    if (!services.Loaded())
        return 1;
    SetAppServices(&services);

    // The settings skin on top, a plain panel under it for the category panel's and album dialog's kinds.
    const CRect windowRect(40, 40, 600, 560);
    SkinWindow window;
    if (!window.CreateEx(0, nullptr, "Einstellungen", WS_POPUP | WS_VISIBLE, windowRect, nullptr, 0) ||
        !LoadSkinBitmap(window.m_background, "EINSTELLUNGEN_WND", &window))
        return 1;
    constexpr DWORD kComboStyle =
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
    // The settings dialog's combo boxes sit in the skin's three fields.
    CMyComboBox scanner;
    scanner.Create(kComboStyle, CRect(40, 173, 240, 330), &window, 2041);
    Fill(scanner, {"Testscanner", "Kamera im Ordner", "Keine Quelle"}, 0);
    CMyComboBox albums;
    albums.Create(kComboStyle, CRect(40, 219, 240, 380), &window, 2042);
    Fill(albums, {"Urlaub 2026", "Familie", "Garten", "Feste"}, 1);
    CMyComboBox templates;
    templates.Create(kComboStyle, CRect(40, 265, 240, 380), &window, 2043);
    Fill(templates, {"Postkarte", "Kalender", "Einladung"}, -1);

    // The panel under the skin; its labels copy their piece of the panel's context, as owners do.
    BITMAP skinSize{};
    window.m_background.GetBitmap(&skinSize);
    const int top = skinSize.bmHeight + 16;
    CDC panel;
    CBitmap panelBitmap;
    {
        CClientDC screen(&window);
        panel.CreateCompatibleDC(&screen);
        panelBitmap.CreateCompatibleBitmap(&screen, windowRect.Width(), windowRect.Height());
    }
    CBitmap* oldPanelBitmap = panel.SelectObject(&panelBitmap);
    panel.FillSolidRect(0, 0, windowRect.Width(), windowRect.Height(), kPanelColor);
    CTransparentStatic albumLabel(-12, RGB(255, 255, 255), "Arial", DT_LEFT);
    CTransparentStatic categoryLabel(-12, RGB(255, 255, 255), "Arial", DT_LEFT);
    CTransparentStatic colourLabel(-12, RGB(255, 255, 255), "Arial", DT_LEFT);
    const struct {
        CTransparentStatic* label;
        const char* text;
        CRect rect;
    } labels[] = {{&albumLabel, "Album (Albumdialog):", CRect(20, top, 220, top + 16)},
                  {&categoryLabel, "Kategorie (Kategorieleiste):", CRect(240, top, 470, top + 16)},
                  {&colourLabel, "Farben:", CRect(20, top + 62, 80, top + 78)}};
    for (const auto& placed : labels) {
        placed.label->Create(placed.text, WS_CHILD | WS_VISIBLE, placed.rect, &window);
        placed.label->SetStyle(TRUE, placed.rect.left, placed.rect.top, &panel);
    }
    CAlbumComboBox album;
    album.Create(kComboStyle, CRect(28, top + 26, 198, top + 170), &window, 2044);
    Fill(album, {"Urlaub 2026", "Familie", "Garten"}, 0);
    CMainComboBox category;
    category.Create(kComboStyle, CRect(240, top + 26, 435, top + 170), &window, 2045);
    Fill(category, {"Bilder", "Vorlagen", "Schablonen", "Rahmen"}, 0);

    CColorPicker picker;
    picker.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(90, top + 60, 170, top + 80), &window,
                  2046);
    picker.SetColor(RGB(0, 128, 128));
    CColorButton swatch;
    swatch.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(190, top + 58, 230, top + 82), &window,
                  2047);
    swatch.SetColor(RGB(255, 173, 91));

    if (!SaveScreen(windowRect, folder + "/skin-combos.png"))
        return 1;

    albums.ShowDropDown();
    CRect open = windowRect;
    open.top = windowRect.top + 150;
    open.right = windowRect.left + 300;
    open.bottom = windowRect.top + 320;
    const bool openSaved = SaveScreen(open, folder + "/skin-combo-open.png");
    albums.ShowDropDown(FALSE);
    if (!openSaved)
        return 1;

    window.SendMessage(WM_COMMAND, MAKEWPARAM(2046, BN_CLICKED), reinterpret_cast<LPARAM>(picker.m_hWnd));
    Pump();
    CWnd* popup = CWnd::GetCapture();
    if (!popup)
        return 1;
    // The pointer over the fourth cell of the third row.
    popup->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3 * 18 + 11, 2 * 18 + 40));
    CRect popupRect;
    popup->GetWindowRect(&popupRect);
    const bool popupSaved = SaveScreen(popupRect, folder + "/colour-popup.png");
    popup->SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    Pump();
    if (!popupSaved)
        return 1;

    CCBListCtrl list;
    list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_EDITLABELS | LVS_SINGLESEL,
                CRect(250, 150, 550, 290), &window, 2048);
    list.InsertColumn(0, "Papier", LVCFMT_LEFT, 110);
    list.InsertColumn(1, "Druckerschacht", LVCFMT_LEFT, 170);
    const char* rows[][2] = {{"A4", "Automatisch"}, {"A5", "Schacht 1"}, {"Brief", "Manuelle Zufuhr"}};
    for (int row = 0; row < 3; ++row) {
        list.InsertItem(row, rows[row][0]);
        list.SetItemText(row, 1, rows[row][1]);
    }
    for (const char* choice : {"Automatisch", "Schacht 1", "Schacht 2", "Manuelle Zufuhr"})
        list.m_choices.Add(choice);
    for (DWORD value : {7u, 1u, 2u, 4u})
        list.m_values.Add(value);
    list.m_editableColumns.Add(1);
    list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    CComboBox* choices = list.ShowInPlaceList(1, 1, list.m_choices, list.m_values, 1);
    if (choices)
        choices->ShowDropDown();
    CRect listRect;
    list.GetWindowRect(&listRect);
    const bool listSaved = SaveScreen(listRect, folder + "/inplace-list.png");
    window.DestroyWindow();
    panel.SelectObject(oldPanelBitmap);
    Pump();
    return listSaved ? 0 : 1;
}
