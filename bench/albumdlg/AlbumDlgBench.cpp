// The album dialog opened on the main window's current album until its first page of tiles is painted:
// albumdlg_bench <data folder> <profile folder> <album title>. The data folder holds "Bilder" with
// "albums.dat" and its albums. The German resource and text modules come from VC_PROGRAM_DIR. Prints
// seconds= (from the dialog's construction to its painted first page), tiles= and shown= (tiles on the
// first page).

#include "albums/AlbumDlg.h"
#include "albums/CategoryPanelHost.h"
#include "albums/PhotoWnd.h"
#include "bench/support/BenchProgram.h"
#include "library/DSAlbum.h"
#include "library/DSObjMgr.h"
#include "library/ResType.h"

#include <QTimer>
#include <cstdio>

namespace {

// The main window as the dialog sees it: the current album, and no category panel.
class DialogHost final : public CNoCategoryPanelHost {
public:
    DialogHost() { SetCategoryPanelHost(this); }
    ~DialogHost() override { SetCategoryPanelHost(nullptr); }
    DialogHost(const DialogHost&) = delete;
    DialogHost& operator=(const DialogHost&) = delete;

    CDSAlbum* GetCurrentAlbum() override { return m_album; }
    void SetCurrentAlbum(CDSAlbum* album) override { m_album = album; }

    CDSAlbum* m_album = nullptr;
};

int Run(const CString& title) {
    DialogHost host;
    CDSObjMgr manager;
    manager.LoadInstallSettings();
    host.m_album = manager.GetResType(kResTypePictures)->FindAlbumByTitle(title);
    if (!host.m_album || host.m_album->IsIndexOpen()) {
        std::fprintf(stderr, "the album \"%s\" is not an album still to be opened\n", title.GetString());
        return 1;
    }
    CWnd frame;
    if (!CreateOwnerWindow(frame, 800, 600))
        return 1;

    const CStopwatch stopwatch;
    double seconds = 0;
    int tiles = 0;
    int shown = 0;
    CAlbumDlg dialog(&frame);
    QTimer::singleShot(0, [&] {
        dialog.RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        seconds = stopwatch.GetSeconds();
        tiles = dialog.GetPhotoWndCount();
        for (int i = 0; i < tiles; ++i)
            shown += IsOnPage(*dialog.GetPhotoWnd(i)) ? 1 : 0;
        dialog.EndDialog(IDCANCEL);
    });
    dialog.DoModal();
    std::printf("seconds=%.6f tiles=%d shown=%d\n", seconds, tiles, shown);
    frame.DestroyWindow();
    return shown > 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: albumdlg_bench <data folder> <profile folder> <album title>\n");
        return 2;
    }
    const CBenchProgram program(argc, argv, argv[1], argv[2]);
    if (!program.IsLoaded())
        return 1;
    return Run(argv[3]);
}
