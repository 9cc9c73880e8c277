#pragma once
// What the category panel and its tiles ask of the main window beyond the page services it shares with
// the page canvas (page, picture, mat, stencil, undo list, modified flag): the current photo album, the
// flag that the normal-mode picture came from an album, loading a picture onto the page, the canvas, the
// panel itself and the button sound. The main window installs an implementation at start-up; tests
// install a recording fake. Until then there is no album, no page and no canvas.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

class CDSAlbum;
class CPreviewWnd;
class ICategoryPanel;

class ICategoryPanelHost {
public:
    virtual ~ICategoryPanelHost() = default;

    // The photo album whose pictures the panel shows; the object manager owns it.
    virtual CDSAlbum* GetCurrentAlbum() = 0;
    virtual void SetCurrentAlbum(CDSAlbum* album) = 0;
    // Set while the normal-mode picture came from an album.
    virtual BYTE IsAlbumPicture() = 0;
    virtual void SetAlbumPicture(BYTE fromAlbum) = 0;
    // The file as the normal-mode working picture; FALSE, with nothing changed, when it does not load.
    virtual BOOL AddPicturesToPage(const CString& path) = 0;
    // Deletes the normal-mode working picture.
    virtual void DeleteWorkBitmap() = 0;
    virtual BYTE IsModified() = 0;
    virtual void RedrawPreview() = 0;
    // The main window's undo command.
    virtual void OnUndo() = 0;
    virtual CPreviewWnd* GetPreviewWnd() = 0;
    virtual ICategoryPanel* GetCategoryPanel() = 0;
    // Whether button sounds play, and the folder they are in.
    virtual BYTE IsSoundEnabled() = 0;
    virtual CString GetSoundPath() = 0;
};

// No main window: no album, no page, nothing to play. The built-in host; stand-ins derive from it and
// answer only what they need.
class CNoCategoryPanelHost : public ICategoryPanelHost {
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

// Installs the host (null goes back to the built-in one, which has nothing); the caller keeps it.
void SetCategoryPanelHost(ICategoryPanelHost* host);
ICategoryPanelHost& CategoryPanelHost();
