#pragma once
// CEffectsDlg: the modal dialog in which the user adjusts one picture against a live preview. It works on
// a private copy (the working picture) and its own undo list of settings snapshots; the edited picture
// changes only when OK is confirmed.

#include "app/EffectsDialogs.h"
#include "editing/PreviewPicture.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Dc.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ToolTipCtrl.h"
#include "skin/CheckBitmapButton.h"
#include "skin/MyBitmapButton.h"
#include "skin/SkinBackground.h"
#include "skin/TickBitmapButton.h"
#include "skin/TransparentStatic.h"
#include "skin/TwoColorsBitmapButton.h"

#include <array>
#include <memory>
#include <vector>

class CAdjustImage;
class CEffModifWnd;
class CEffOrigWnd;
class CEffectImgWnd;
class CEffectsComboBox;
class CWorkBitmap;

class CEffectsDlg : public CDialog {
public:
    static constexpr UINT kTemplateId = 102;
    static constexpr int kPresetCount = 5;
    // The strength bar, in client pixels.
    static constexpr RECT kStrengthBar = {43, 193, 229, 221};
    // The template's control that takes the focus while the pointer is over the background.
    static constexpr UINT kFocusHolderId = 1066;

    // picture: the edited picture's adjustment part (not owned); owner: the main window's services.
    CEffectsDlg(CAdjustImage* picture, CWnd* parent, IEffectsDialogOwner* owner);
    ~CEffectsDlg() override;

    // Results after IDOK.
    BOOL IsApplied() const { return m_applied; }
    BOOL GetMirror() const { return m_mirror; }
    int GetRotation() const { return m_rotation; }
    int GetColorMode() const { return m_colorMode; }
    COLORREF GetColor1() const { return m_color1; }
    COLORREF GetColor2() const { return m_color2; }
    BOOL GetCropEnabled() const { return m_cropOn; }
    double GetCropValueA() const { return m_cropLeft; }
    double GetCropValueB() const { return m_cropRight; }
    double GetCropValueC() const { return m_cropTop; }
    double GetCropValueD() const { return m_cropBottom; }
    int GetStrength() const { return m_strength; }
    // The working settings as the dialog closed (the working picture itself goes with the window).
    const CAdjustImage* GetWorkSettings() const { return m_settings.get(); }
    size_t GetUndoCount() const { return m_undo.size(); }

    // For the effect windows.
    CWorkBitmap* GetWorkBitmap() const { return m_work.get(); }
    CEffModifWnd* GetModifWnd() const { return m_modif.get(); }
    CEffOrigWnd* GetOrigWnd() const { return m_orig.get(); }
    CEffectImgWnd* GetPresetWnd(int index) const { return m_presets[static_cast<size_t>(index)].get(); }
    CEffectsComboBox* GetEffectList() const { return m_effectList.get(); }
    BOOL IsEffectSelected(int effect) const;
    // What the preview draws.
    CPreviewPicture& GetPreviewPicture() { return m_preview; }
    // The working settings changed: the preview renders them at its next update.
    void RebuildPreview() { m_preview.Invalidate(); }
    // Snapshots the working settings onto the undo list.
    void PushUndo();
    // Renders the working picture in preview quality and repaints the preview.
    void RefreshPreview();
    // Stores, shows and applies a strength without a snapshot.
    void SetStrength(int value);

    // The crop state the original window drags.
    BOOL IsCropOn() const { return m_cropOn; }
    void GetCrop(double& left, double& right, double& top, double& bottom) const;
    void SetCrop(double left, double right, double top, double bottom);

    // The strength that a point of the bar stands for, and where the bar's marker stands for a strength.
    static int StrengthAtX(int x);
    static int MarkerX(int strength);

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* message) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    void OnOK() override;
    void OnCancel() override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    LRESULT OnNcHitTest(CPoint point) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message) override;
    void OnDestroy() override;

private:
    bool MakeWorkingPicture();
    bool BuildSkin();
    bool CreateWindows();
    void AddToolTips();
    void TakePictureState();

    void ShowStrength();
    void InvalidateBar();
    void ApplyStrength();
    void RepaintPreview();
    void ShowPresets(int effect);
    void WriteGeometry();
    void OnEffectChanged();
    void OnMirror();
    void OnRotate();
    void OnColorMode(int mode);
    void OnChooseColors();
    void OnCrop();
    void OnReset();
    void OnUndo();
    void PlaySound(LPCTSTR fileName);

    CCheckBitmapButton m_cropButton;
    CMyBitmapButton m_closeButton2;
    CMyBitmapButton m_undoButton2;
    CTickBitmapButton m_plusButton;
    CTickBitmapButton m_minusButton;
    CMyBitmapButton m_okButton;
    CMyBitmapButton m_cancelButton;
    CMyBitmapButton m_undoButton;
    CMyBitmapButton m_rotateButton;
    CMyBitmapButton m_mirrorButton;
    CMyBitmapButton m_trueColorButton;
    CMyBitmapButton m_grayButton;
    CTwoColorsBitmapButton m_twoColorsButton;
    CMyBitmapButton m_256ColorsButton;
    CMyBitmapButton m_closeButton;
    CMyBitmapButton m_resetButton;
    CMyBitmapButton m_albumButton;
    std::unique_ptr<CTransparentStatic> m_strengthLabel;
    std::unique_ptr<CEffectsComboBox> m_effectList;
    int m_colorMode = 3;
    std::array<std::unique_ptr<CEffectImgWnd>, kPresetCount> m_presets;
    int m_strength = 0;
    int m_dragStart = 0;
    COLORREF m_color2 = 0xFFFFFF;
    COLORREF m_color1 = 0;
    BYTE m_mirror = 0;
    int m_rotation = 0;
    // Snapshots of the working settings, newest last.
    std::vector<std::unique_ptr<CAdjustImage>> m_undo;
    CToolTipCtrl m_toolTip;
    CSkinBackground m_background;
    int m_width = 800;
    int m_height = 600;
    BYTE m_dragging = 0;
    CAdjustImage* m_picture;
    std::unique_ptr<CEffOrigWnd> m_orig;
    std::unique_ptr<CEffModifWnd> m_modif;
    std::unique_ptr<CWorkBitmap> m_work;
    std::unique_ptr<CAdjustImage> m_settings;
    CPreviewPicture m_preview;
    IEffectsDialogOwner* m_owner;
    BYTE m_cropOn = 0;
    double m_cropTop = 0.0;
    double m_cropBottom = 1.0;
    double m_cropLeft = 0.0;
    double m_cropRight = 1.0;
    BYTE m_applied = 0;
};
