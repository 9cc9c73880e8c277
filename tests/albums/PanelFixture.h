#pragma once
// The category panel in a window of the main window's size, over a library in a temporary folder, with
// a recording stand-in for the main window (its page, undo list, current album and canvas) and the
// German resource and text modules.

#include "albums/CategWnd.h"
#include "albums/CategoryPanelHost.h"
#include "image/WorkBitmap.h"
#include "library/Mat.h"
#include "library/Stencil.h"
#include "page/MainWndServices.h"
#include "page/PreviewWnd.h"
#include "page/Template.h"
#include "tests/support/LibraryTestSupport.h"

#include <memory>
#include <string>
#include <vector>

class CDSObj;

// Records what the panel and its tiles do to the main window.
class RecordingMainWnd final : public IMainWndServices, public ICategoryPanelHost {
public:
    RecordingMainWnd();
    ~RecordingMainWnd() override;
    RecordingMainWnd(const RecordingMainWnd&) = delete;
    RecordingMainWnd& operator=(const RecordingMainWnd&) = delete;

    CTemplate* GetTemplate() override { return m_page.get(); }
    void SetTemplate(CTemplate* page) override;
    CTemplate* GetNormalModeSource() override { return m_normalPage.get(); }
    CWorkBitmap* GetWorkBitmap() override { return m_work.get(); }
    CMat* GetMat() override { return m_mat.get(); }
    void SetMat(CMat* mat) override { m_mat.reset(mat); }
    CStencil* GetNormalStencil() override { return m_stencil.get(); }
    void SetNormalStencil(CStencil* stencil) override { m_stencil.reset(stencil); }
    BOOL IsFlagClear() override { return TRUE; }
    void SetStretchFlag(BOOL) override {}
    void AddUndo(CObject* record) override { m_undo.emplace_back(record); }
    void SetModified(BOOL modified) override { m_modified = static_cast<BYTE>(modified); }
    BOOL OnSaveProject() override { return TRUE; }
    ICategorySelection* GetCategWnd() override { return m_panel; }
    void UpdateTwoColorsButton() override {}

    CDSAlbum* GetCurrentAlbum() override { return m_album; }
    void SetCurrentAlbum(CDSAlbum* album) override { m_album = album; }
    BYTE IsAlbumPicture() override { return m_albumPicture; }
    void SetAlbumPicture(BYTE fromAlbum) override { m_albumPicture = fromAlbum; }
    BOOL AddPicturesToPage(const CString& path) override;
    void DeleteWorkBitmap() override { m_work.reset(); }
    BYTE IsModified() override { return m_modified; }
    void RedrawPreview() override { ++m_redraws; }
    void OnUndo() override { ++m_undoCommands; }
    CPreviewWnd* GetPreviewWnd() override { return m_canvas; }
    ICategoryPanel* GetCategoryPanel() override { return m_panel; }
    BYTE IsSoundEnabled() override { return m_sound; }
    CString GetSoundPath() override { return m_soundPath; }

    std::unique_ptr<CTemplate> m_page;
    std::unique_ptr<CTemplate> m_normalPage;
    std::unique_ptr<CWorkBitmap> m_work;
    std::unique_ptr<CMat> m_mat;
    std::unique_ptr<CStencil> m_stencil;
    std::vector<std::unique_ptr<CObject>> m_undo;
    std::vector<CString> m_pictures;
    CDSAlbum* m_album = nullptr;
    BYTE m_albumPicture = 0;
    BYTE m_modified = 0;
    int m_redraws = 0;
    int m_undoCommands = 0;
    BYTE m_sound = 0;
    CString m_soundPath;
    CPreviewWnd* m_canvas = nullptr;
    CCategWnd* m_panel = nullptr;
};

class PanelTest : public TempLibraryTest {
protected:
    void SetUp() override;
    void TearDown() override;

    CString KindFolder(int kindId) const;
    CResType* Kind(int kindId) const { return m_manager->GetResType(kindId); }
    // A user album of the kind with count entries "<prefix>1" ..., each a 4 x 3 BMP file with a 5 x 3
    // thumbnail.
    CDSAlbum* MakeAlbum(int kindId, const CString& title, int count, const char* prefix = "Bild");
    // Writes the template list of the template kind.
    void WriteTemplateList(const std::string& text);
    // A template file of the template kind: a page of width x height with the orientation.
    void WriteTemplateFile(const CString& name, CSize size, int orientation);

    // Makes the panel at the bottom of the main window; null when creation was refused.
    CCategWnd* CreatePanel();
    // The canvas above the panel, for drags.
    CPreviewWnd* CreateCanvas();
    // Chooses the category position and the album entry as the user does.
    void ChooseCategory(int position);
    void ChooseAlbum(int index);
    // Tile i of the category: its slot (0 .. 5), or -1 when it is off the page.
    int SlotOf(int code, int index) const;
    // The slots of the category's tiles in order, "-" for off-page: e.g. "012345--".
    std::string Slots(int code) const;
    // The visible information buttons, e.g. "111000".
    std::string InfoButtons() const;
    void ClickTile(int code, int index);

    RecordingMainWnd m_main;
    CWnd m_frame;
    CCategWnd* m_panel = nullptr;
};
