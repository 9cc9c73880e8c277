#pragma once
// CEinstellungenDlg: the skinned settings dialog. It shows and, on OK, writes the defaults of section
// "Settings" (album, page template, stencil, frame, scanner or camera source, print scale factor, sounds),
// and opens the print set-up and the printer offset calibration.

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ToolTipCtrl.h"
#include "skin/CheckBitmapButton.h"
#include "skin/MyBitmapButton.h"
#include "skin/MyComboBox.h"
#include "skin/SkinBackground.h"
#include "skin/SkinListsOwner.h"

#include <memory>

class CMainWnd;
class CPrintDialog;

inline constexpr UINT IDD_EINSTELLUNGEN = 232;

class CEinstellungenDlg : public CDialog, public ISkinListsOwner {
public:
    static constexpr UINT kFrameListId = 2041;
    static constexpr UINT kTemplateListId = 2042;
    static constexpr UINT kStencilListId = 2043;
    static constexpr UINT kAlbumListId = 2044;
    static constexpr UINT kSourceListId = 2049;
    static constexpr UINT kScaleFactorId = 2054;
    static constexpr UINT kPrintSetUpId = 1044;
    static constexpr UINT kCloseId = 1045;
    static constexpr UINT kOffsetsId = 1004;
    static constexpr UINT kSoundId = 1003;
    static constexpr UINT kFocusHolderId = 1082;

    // The main window gives the source list and the print set-up, which a replacement takes over.
    explicit CEinstellungenDlg(CMainWnd* parent);
    ~CEinstellungenDlg() override;

    // Invalidates each list and the background beneath it, then updates the dialog at once.
    void RedrawLists() override;

    CMyComboBox* GetList(UINT id) const;
    CEdit* GetScaleFactorField() const { return m_scaleFactor.get(); }
    CCheckBitmapButton& GetSoundBox() { return m_soundBox; }

    BOOL PreTranslateMessage(MSG* message) override;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnPaint() override;
    LRESULT OnNcHitTest(CPoint point) override;
    BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message) override;

private:
    bool BuildControls();
    bool ShapeButtons();
    bool CreateScaleFactorField();
    bool CreateList(std::unique_ptr<CMyComboBox>& list, const RECT& rect, UINT id);
    void AddToolTips();

    // Each fills its list, selecting the stored value; FALSE leaves it as far as it got.
    BOOL FillAlbumList(CMyComboBox& list, int kindType, LPCTSTR value);
    BOOL FillTemplateList();
    BOOL FillSourceList();

    void OnPrintSetUp();
    void OnOffsets();
    void CheckScaleFactorWhileTyping();
    void CheckScaleFactorOnLeaving();
    // "0", message 243, the whole text selected and shown.
    void ResetScaleFactor();
    // The selected entry's text; empty for none or for the "none" entry.
    CString SelectedName(const CMyComboBox* list) const;
    void PlaySound(LPCTSTR fileName) const;

    CMyBitmapButton m_printSetUpButton;
    CMyBitmapButton m_okButton;
    CMyBitmapButton m_cancelButton;
    CMyBitmapButton m_closeButton;
    CCheckBitmapButton m_soundBox;
    CMyBitmapButton m_offsetsButton;
    CMainWnd* m_mainWnd;
    CPrintDialog* m_printDialog = nullptr; // the main window's
    CToolTipCtrl m_toolTip;
    CSkinBackground m_background;
    std::unique_ptr<CMyComboBox> m_frameList;
    std::unique_ptr<CMyComboBox> m_stencilList;
    std::unique_ptr<CMyComboBox> m_templateList;
    std::unique_ptr<CMyComboBox> m_albumList;
    std::unique_ptr<CMyComboBox> m_sourceList;
    std::unique_ptr<CEdit> m_scaleFactor;
    int m_width = 527;
    int m_height = 410;
    std::unique_ptr<CFont> m_fieldFont;
};
