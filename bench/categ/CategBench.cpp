// The category panel choosing a photo album, as the user does with its album combo, until the first page
// of tiles is painted: categ_bench <data folder> <profile folder> <album title>. The data folder holds
// "Bilder" with "albums.dat" and its albums; the panel starts on the first one. The German resource and
// text modules come from VC_PROGRAM_DIR. Prints seconds= (choosing and painting), tiles= and shown=
// (tiles on the first page).

#include "albums/CategWnd.h"
#include "albums/CategoryPanelHost.h"
#include "albums/CategoryTile.h"
#include "bench/support/BenchProgram.h"
#include "library/DSObjMgr.h"
#include "library/Mat.h"
#include "library/Stencil.h"
#include "page/MainWndServices.h"
#include "page/Template.h"
#include "platform/base/Profile.h"
#include "platform/ui/ComboBox.h"

#include <QApplication>
#include <cstdio>
#include <vector>

namespace {

// The main window as the panel sees it: a page, and the album the panel chose.
class PanelHost final : public IMainWndServices, public CNoCategoryPanelHost {
public:
    PanelHost() {
        SetMainWndServices(this);
        SetCategoryPanelHost(this);
    }
    ~PanelHost() override {
        SetCategoryPanelHost(nullptr);
        SetMainWndServices(nullptr);
    }
    PanelHost(const PanelHost&) = delete;
    PanelHost& operator=(const PanelHost&) = delete;

    CTemplate* GetTemplate() override { return &m_page; }
    void SetTemplate(CTemplate* page) override { delete page; }
    CTemplate* GetNormalModeSource() override { return nullptr; }
    CWorkBitmap* GetWorkBitmap() override { return nullptr; }
    CMat* GetMat() override { return nullptr; }
    void SetMat(CMat* mat) override { delete mat; }
    CStencil* GetNormalStencil() override { return nullptr; }
    void SetNormalStencil(CStencil* stencil) override { delete stencil; }
    BOOL IsFlagClear() override { return TRUE; }
    void SetStretchFlag(BOOL) override {}
    void AddUndo(CObject* record) override { delete record; }
    void SetModified(BOOL) override {}
    BOOL OnSaveProject() override { return TRUE; }
    ICategorySelection* GetCategWnd() override { return m_panel; }
    void UpdateTwoColorsButton() override {}

    CDSAlbum* GetCurrentAlbum() override { return m_album; }
    void SetCurrentAlbum(CDSAlbum* album) override { m_album = album; }
    ICategoryPanel* GetCategoryPanel() override { return m_panel; }

    CTemplate m_page;
    CDSAlbum* m_album = nullptr;
    CCategWnd* m_panel = nullptr;
};

int Run(const CString& title) {
    PanelHost host;
    CDSObjMgr manager;
    manager.LoadInstallSettings();
    CWnd frame;
    if (!CreateOwnerWindow(frame, 800, 600))
        return 1;
    auto* panel = new CCategWnd;
    if (!panel->CreatePanel(&frame, CRect(0, 484, 800, 600), 1204)) {
        delete panel;
        return 1;
    }
    host.m_panel = panel;
    panel->SelectCategory(0);
    panel->OnSelChangeCategory();
    QApplication::processEvents();
    CComboBox* albums = panel->GetAlbumCombo();
    const int index = albums->FindStringExact(-1, title);
    if (index < 0 || index == albums->GetCurSel()) {
        std::fprintf(stderr, "the album \"%s\" is not a second album of the combo\n", title.GetString());
        return 1;
    }

    const CStopwatch stopwatch;
    albums->SetCurSel(index);
    panel->OnSelChangeAlbum();
    QApplication::processEvents();
    frame.RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const double seconds = stopwatch.GetSeconds();

    const std::vector<CCategoryTile*>& tiles = panel->GetTiles(CCategWnd::kPhotos);
    int shown = 0;
    for (const CCategoryTile* tile : tiles)
        shown += IsOnPage(*tile) ? 1 : 0;
    std::printf("seconds=%.6f tiles=%zu shown=%d\n", seconds, tiles.size(), shown);
    frame.DestroyWindow();
    return shown > 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: categ_bench <data folder> <profile folder> <album title>\n");
        return 2;
    }
    const CBenchProgram program(argc, argv, argv[1], argv[2]);
    if (!program.IsLoaded())
        return 1;
    // The panel starts on the album it showed last: the first one, not the one to be chosen.
    WriteProfileString("Settings", "Album", "");
    return Run(argv[3]);
}
