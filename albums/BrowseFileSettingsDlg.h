#pragma once
// CBrowseFileSettingsDlg: the thumbnail size, the gaps and the two list colours of a thumbnail view.
// The caller gives the current settings and a profile section before DoModal and reads the settings
// after IDOK; only the save button writes them to the section, and the dialog stays open then.

#include "albums/BrowseThumbnailSettings.h"
#include "albums/StaticThmbSize.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/SliderCtrl.h"
#include "skin/ColorPicker.h"

class CBrowseFileSettingsDlg : public CDialog {
public:
    explicit CBrowseFileSettingsDlg(CWnd* parent = nullptr);
    ~CBrowseFileSettingsDlg() override;

    void SetSettings(const BrowseThumbnailSettings& settings) { m_settings = settings; }
    const BrowseThumbnailSettings& GetSettings() const { return m_settings; }
    void SetSection(const CString& section) { m_strSection = section; }

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnHScroll(UINT code, UINT position, CScrollBar* scrollBar) override;
    void OnVScroll(UINT code, UINT position, CScrollBar* scrollBar) override;

private:
    void OnSaveSettings();
    void OnColorChosen(int pickerId);
    // Thumbnails stay square: the slider moved sets both sides.
    void OnThumbSizeScrolled(const CSliderCtrl& moved);
    void ShowThumbSize();

    CColorPicker m_TextColorPicker;
    CColorPicker m_BkColorPicker;
    CStaticThmbSize m_SpacingPreview;
    CStaticThmbSize m_SizePreview;
    CSliderCtrl m_ThumbHeightSlider;
    CSliderCtrl m_ThumbWidthSlider;
    CSliderCtrl m_SpacingYSlider;
    CSliderCtrl m_SpacingXSlider;
    BrowseThumbnailSettings m_settings;
    CString m_strSection;
};
