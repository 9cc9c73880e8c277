// The album dialog opened on the main window's current album until its first page of tiles is painted:
// albumdlg_bench <data folder> <profile folder> <album title>. The data folder holds "Bilder" with
// "albums.dat" and its albums. The German resource and text modules come from VC_PROGRAM_DIR. Prints
// seconds= (from the dialog's construction to its painted first page), tiles= and shown= (tiles on the
// first page).

#include "albums/AlbumDlg.h"
#include "albums/CategoryPanelHost.h"
#include "albums/PhotoWnd.h"
#include "library/DSAlbum.h"
#include "library/DSObjMgr.h"
#include "library/ResType.h"
#include "platform/base/AppServices.h"
#include "platform/base/Module.h"
#include "platform/base/Profile.h"
#include "platform/base/Resource.h"

#include <QApplication>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

class DialogServices : public CDefaultAppServices {
public:
    DialogServices(HMODULE resources, HMODULE texts) : m_resources(resources), m_texts(texts) {}
    CString LoadString(UINT id, int size) override { return LoadWholeString(m_texts, id, size); }
    HMODULE GetResourceModule() override { return m_resources; }
    HMODULE GetTextModule() override { return m_texts; }

private:
    HMODULE m_resources;
    HMODULE m_texts;
};

// The main window as the dialog sees it: the current album, and no category panel.
class DialogHost final : public ICategoryPanelHost {
public:
    DialogHost() { SetCategoryPanelHost(this); }
    ~DialogHost() override { SetCategoryPanelHost(nullptr); }
    DialogHost(const DialogHost&) = delete;
    DialogHost& operator=(const DialogHost&) = delete;

    CDSAlbum* GetCurrentAlbum() override { return m_album; }
    void SetCurrentAlbum(CDSAlbum* album) override { m_album = album; }
    BYTE IsAlbumPicture() override { return 0; }
    void SetAlbumPicture(BYTE) override {}
    BOOL AddPicturesToPage(const CString&) override { return TRUE; }
    void DeleteWorkBitmap() override {}
    BYTE IsModified() override { return 0; }
    void RedrawPreview() override {}
    void OnUndo() override {}
    CPreviewWnd* GetPreviewWnd() override { return nullptr; }
    ICategoryPanel* GetCategoryPanel() override { return nullptr; }
    BYTE IsSoundEnabled() override { return 0; }
    CString GetSoundPath() override { return {}; }

    CDSAlbum* m_album = nullptr;
};

CDSAlbum* FindAlbum(CDSObjMgr& manager, const CString& title) {
    auto* albums = manager.GetAlbumList(manager.GetResType(kResTypePictures), false);
    for (POSITION pos = albums ? albums->GetHeadPosition() : nullptr; pos;) {
        CDSAlbum* album = albums->GetNext(pos);
        if (album->GetTitle() == title)
            return album;
    }
    return nullptr;
}

int Run(const CString& title) {
    DialogHost host;
    CDSObjMgr manager;
    manager.LoadInstallSettings();
    host.m_album = FindAlbum(manager, title);
    if (!host.m_album || host.m_album->IsIndexOpen()) {
        std::fprintf(stderr, "the album \"%s\" is not an album still to be opened\n", title.GetString());
        return 1;
    }
    CWnd frame;
    if (!frame.CreateEx(0, nullptr, "Vellumcraft", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr, nullptr))
        return 1;

    const auto start = std::chrono::steady_clock::now();
    std::chrono::duration<double> seconds{};
    int tiles = 0;
    int shown = 0;
    CAlbumDlg dialog(&frame);
    QTimer::singleShot(0, [&] {
        dialog.RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        seconds = std::chrono::steady_clock::now() - start;
        tiles = dialog.GetPhotoWndCount();
        for (int i = 0; i < tiles; ++i) {
            // Tiles off the page have empty rectangles.
            CRect rect;
            dialog.GetPhotoWnd(i)->GetWindowRect(&rect);
            shown += dialog.GetPhotoWnd(i)->IsWindowVisible() && !rect.IsRectEmpty() ? 1 : 0;
        }
        dialog.EndDialog(IDCANCEL);
    });
    dialog.DoModal();
    std::printf("seconds=%.6f tiles=%d shown=%d\n", seconds.count(), tiles, shown);
    frame.DestroyWindow();
    return shown > 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: albumdlg_bench <data folder> <profile folder> <album title>\n");
        return 2;
    }
    const char* programDir = std::getenv("VC_PROGRAM_DIR");
    const std::string folder = programDir ? programDir : ".";
    HMODULE resources = LoadLibrary((folder + "/qz_res.deu").c_str());
    HMODULE texts = LoadLibrary((folder + "/qz_txt.deu").c_str());
    if (!resources || !texts) {
        std::fprintf(stderr, "no language modules in %s\n", folder.c_str());
        return 1;
    }
    AfxSetResourceHandle(resources);
    DialogServices services(resources, texts);
    SetAppServices(&services);
    SetProfileFolderForTesting(argv[2]);
    WriteProfileString("Settings", "DataPath", argv[1]);
    WriteProfileInt("Settings", "PictureInstallType", 0);
    WriteProfileString("Settings", "PictureDataPath", "/Bilder");
    const int status = Run(argv[3]);
    SetAppServices(nullptr);
    FreeLibrary(texts);
    FreeLibrary(resources);
    return status;
}
