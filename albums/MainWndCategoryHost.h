#pragma once
// The category panel's host in the program: the main window, found when asked, so the panel works as soon
// as the window exists and answers like no host before it does and after it goes.

#include "albums/CategoryPanelHost.h"

class CMainWndCategoryHost final : public ICategoryPanelHost {
public:
    CDSAlbum* GetCurrentAlbum() override;
    void SetCurrentAlbum(CDSAlbum* album) override;
    BYTE IsAlbumPicture() override;
    void SetAlbumPicture(BYTE fromAlbum) override;
    BOOL AddPicturesToPage(const CString& path) override;
    void DeleteWorkBitmap() override;
    BYTE IsModified() override;
    void RedrawPreview() override;
    void OnUndo() override;
    CPreviewWnd* GetPreviewWnd() override;
    ICategoryPanel* GetCategoryPanel() override;
    BYTE IsSoundEnabled() override;
    CString GetSoundPath() override;
};
