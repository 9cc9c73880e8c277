#pragma once
// CCategWnd: the skinned category panel along the bottom of the main window. A category combo (photos,
// templates, mats, stencils, clip art, and in edit mode the page objects) and an album combo choose what
// it shows: one tile per item of the chosen album (or template group), six at a time in six fixed slots,
// with an information button above each slot, four paging buttons and a page counter under them. A click
// on a tile selects it and, in normal mode, puts the item on the page at once. The panel deletes itself
// when its window is destroyed.

#include "app/CategoryPanel.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/Region.h"
#include "platform/ui/ToolTipCtrl.h"
#include "platform/ui/Wnd.h"

#include <array>
#include <memory>
#include <vector>

class CCategoryTile;
class CComboBox;
class CMainComboBox;
class CMyBitmapButton;
class CResType;
class CTransparentStatic;

class CCategWnd : public CWnd, public ICategoryPanel {
public:
    // Category codes: the category combo's item data, its position plus one.
    enum Code { kPhotos = 1, kTemplates, kMats, kStencils, kCliparts, kGeneric };
    static constexpr int kTileCategories = 5;
    static constexpr int kSlots = 6;
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 116;
    // Control ids.
    static constexpr UINT kCloseId = 1002;
    static constexpr UINT kUndoId = 1016;
    static constexpr UINT kFirstId = 2033;
    static constexpr UINT kLastId = 2034;
    static constexpr UINT kNextId = 2035;
    static constexpr UINT kPrevId = 2036;
    static constexpr UINT kCategoryComboId = 2037;
    static constexpr UINT kAlbumComboId = 2038;
    static constexpr UINT kCounterId = 2039;
    static constexpr UINT kTileId = 1000;
    // Information button k (0-based) of slot k.
    static constexpr std::array<UINT, kSlots> kInfoIds = {2046, 2075, 2076, 2077, 2078, 2079};

    CCategWnd();
    ~CCategWnd() override;

    // The slot's rectangle in client coordinates; slot kSlots is the off-page rectangle.
    static CRect SlotRect(int slot);

    CWnd* CreatePanel(CWnd* parent, const CRect& rect, UINT id) override;
    void EnableUndoButton(BOOL enable) override;
    void SetCategoryMode(BYTE editMode) override;
    void ResetPageCounter() override;
    void SelectCategory(int position) override;
    BOOL ReloadAlbums() override;
    void SelectItem(CDSAlbum* album, BOOL firstPage) override;
    BOOL ShowPage(int photoIndex) override;
    void OnSelChangeCategory() override;
    void SetPresetTemplateGroup(const CString& name) override { m_presetTemplateGroup = name; }
    CDSObj* GetSelectedPhoto() override;
    CTemplate* GetSelectedTemplate() override;
    CMat* GetSelectedMat() override;
    CStencil* GetSelectedDSObj() override;

    // The category combo's position, -1 for none.
    int GetCurrentCategory() const;
    CComboBox* GetAlbumCombo() const;

    // Every tile calls it when clicked; null only deselects.
    void SelectTile(CCategoryTile* tile);
    void ClearPhotoAlbum();
    void ResetPhotoSelection();
    void UpdateInfoButtons();

    void OnSelChangeAlbum();
    void OnFirst();
    void OnLast();
    void OnNext();
    void OnPrev();
    void OnInfo(UINT id);
    void OnUndo();
    void OnClose() override;

    // The tiles of a category code (1 to 5), in album order.
    const std::vector<CCategoryTile*>& GetTiles(int code) const { return m_tiles[code - 1]; }
    CString GetCounterText() const;
    int GetCurrentPhotoIndex() const { return m_currentPhoto; }
    // The photo category's remembered entry of the album combo.
    int GetPhotoAlbumIndex() const { return m_photoIndex; }
    CWnd* GetInfoButton(int slot) const;

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* message) override;

protected:
    int OnCreate(LPCREATESTRUCT create) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnDestroy() override;
    void OnNcDestroy() override;

private:
    BOOL CreateButtons();
    void DestroyControls();
    BOOL BuildOutline();
    void AddToolTips();
    // The selected category's code, 0 for none.
    int GetCategoryCode() const;
    void RedrawCombos();
    void SetCounter(int position, int count);

    // Album combo fills.
    void FillAlbumCombo(CResType* kind, bool everyFill, int& rememberedIndex);
    void FillPhotoAlbums();
    void FillTemplateGroups();
    // The album of the album combo's entry, checked against the kind's albums; null for a stale one.
    CDSAlbum* AlbumOfEntry(int index, int kindId) const;
    void ShowResourceAlbum(int code, int index);
    void ListTemplates(const CString& group, int index);

    // Tiles.
    void ClearTiles(int code);
    void ClearOtherTiles(int code);
    void KeepShownAlbumLoaded(const CDSAlbum* album);
    void BuildPhotoTiles(BOOL firstPage);
    void BuildEntryTiles(int code, CDSAlbum* album, BOOL firstPage);
    // The position of the first tile whose window lies on the slot, -1 when none does.
    int TileAtSlot(int code, int slot) const;
    int GetFirstShownIndex(int code) const;
    // Tiles first .. first + 5 into the slots, the others off the page.
    void LayOutPage(int code, int first);
    // Makes the tile's window when it has none and the slot is on the page.
    void MoveToSlot(int code, CCategoryTile* tile, int slot);
    static const char* TileWindowName(int code);
    CCategoryTile* FirstSelectedTile(int code) const;
    // Puts the clicked tile's item on the normal-mode page.
    void ApplyToPage(int code, CCategoryTile* tile);
    int* RememberedIndex(int code);

    std::unique_ptr<CDC> m_memoryDC;
    std::unique_ptr<CBitmap> m_skin;
    CBitmap* m_oldBitmap = nullptr;
    std::array<std::unique_ptr<CMyBitmapButton>, kSlots> m_infoButtons;
    std::unique_ptr<CMyBitmapButton> m_first;
    std::unique_ptr<CMyBitmapButton> m_last;
    std::unique_ptr<CMyBitmapButton> m_next;
    std::unique_ptr<CMyBitmapButton> m_prev;
    std::unique_ptr<CMyBitmapButton> m_close;
    std::unique_ptr<CMyBitmapButton> m_undo;
    std::unique_ptr<CMainComboBox> m_categoryCombo;
    std::unique_ptr<CMainComboBox> m_albumCombo;
    CRgn m_outline;
    // By category code - 1: photos, templates, mats, stencils, clip art.
    std::array<std::vector<CCategoryTile*>, kTileCategories> m_tiles;
    int m_stencilIndex = 0;
    int m_templateIndex = 0;
    int m_matIndex = 0;
    int m_clipartIndex = 0;
    std::unique_ptr<CTransparentStatic> m_counter;
    CToolTipCtrl m_toolTip;
    BYTE m_editMode = 0;
    int m_photoIndex = 0;
    int m_currentPhoto = 0;
    CString m_photoAlbumTitle;
    CString m_presetTemplateGroup;
    BYTE m_defaultAlbumFound = 0;
};
