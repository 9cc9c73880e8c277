#include "albums/CategoryPanelHost.h"

namespace {

// No main window: no album, no page, nothing to play.
class CNoHost final : public ICategoryPanelHost {
public:
    CDSAlbum* GetCurrentAlbum() override { return nullptr; }
    void SetCurrentAlbum(CDSAlbum*) override {}
    BYTE IsAlbumPicture() override { return 0; }
    void SetAlbumPicture(BYTE) override {}
    BOOL AddPicturesToPage(const CString&) override { return FALSE; }
    void DeleteWorkBitmap() override {}
    BYTE IsModified() override { return 0; }
    void RedrawPreview() override {}
    void OnUndo() override {}
    CPreviewWnd* GetPreviewWnd() override { return nullptr; }
    ICategoryPanel* GetCategoryPanel() override { return nullptr; }
    BYTE IsSoundEnabled() override { return 0; }
    CString GetSoundPath() override { return CString(); }
};

CNoHost g_noHost;
ICategoryPanelHost* g_host = &g_noHost;

} // namespace

void SetCategoryPanelHost(ICategoryPanelHost* host) {
    g_host = host ? host : &g_noHost;
}

ICategoryPanelHost& CategoryPanelHost() {
    return *g_host;
}
