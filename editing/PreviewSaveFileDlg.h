#pragma once
// CPreviewSaveFileDlg: the save dialog for the current picture. Beneath the file chooser, template 108
// offers the colour depths of the chosen file type's plug-in, a quality preset, a resampling method and
// the output size (percent, or width and height with kept proportions). A depth with fewer colours than
// the picture uses is accepted only after message 409.

#include "platform/ui/ComboBox.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/SpinButtonCtrl.h"

class CPreviewSaveFileDlg : public CFileDialog {
public:
    // Percent, width and height stay within these; the spins run between them.
    static constexpr int kSmallestSize = 1;
    static constexpr int kLargestSize = 3000;

    CPreviewSaveFileDlg(BOOL openFileDialog, LPCTSTR defaultExtension, LPCTSTR fileName, DWORD flags,
                        LPCTSTR filter, CWnd* parent = nullptr);

    // Takes template 108 from the current resource module.
    INT_PTR DoModal() override;

    void SetWidth(int width) { m_nWidth = width; }
    void SetHeight(int height) { m_nHeight = height; }
    void SetAspectRatio(double ratio) { m_aspectRatio = ratio; }
    void SetColorsUsed(int colours) { m_nColorsUsed = colours; }

    // Bits per pixel for the save; 0 (the plug-in's default) when the type offers no depths.
    int GetColorDepth() const { return m_nColorDepth; }
    // Quality preset 0..5.
    int GetPreset() const { return m_nPreset; }
    // 0 normal, 2 resample, 4 bicubic.
    int GetResampleMode() const { return m_nResampleMode; }
    BOOL IsPercentMode() const { return m_nSizeMode == 0; }
    int GetPercent() const { return m_nPercent; }
    int GetKeepProportions() const { return m_nKeepProportions; }
    // The output size for a source picture of that size; each side at least 1.
    void GetResultSize(CSize& size, int sourceWidth, int sourceHeight) const;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnTypeChange() override;
    BOOL OnFileNameOK() override;

private:
    CString CurrentFileType() const;
    void FillColorDepths();
    void FillResampleModes();
    void FillPresets();
    void EnablePresets();
    void EnableSizeControls();
    void EnableItem(int id, BOOL enable);

    void OnColorDepthChange();
    void OnResampleChange();
    void OnPresetChange();
    void OnPercentMode();
    void OnSizeMode();
    void OnKeepProportions();
    void OnPercentChange();
    void OnWidthChange();
    void OnHeightChange();

    void ReadControls();
    void KeepHeightToWidth();
    void KeepWidthToHeight();
    void WriteField(int id, int value);

    CComboBox m_colorDepths;
    CComboBox m_resampleModes;
    CComboBox m_presets;
    CSpinButtonCtrl m_percentSpin;
    CSpinButtonCtrl m_widthSpin;
    CSpinButtonCtrl m_heightSpin;

    int m_nColorDepth = 0;
    int m_nResampleMode = 0;
    int m_nPreset = 0;
    int m_nSizeMode = 0; // 0 percent, 1 width and height
    int m_nPercent = 100;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nKeepProportions = 1;
    double m_aspectRatio = 1.0;
    int m_nColorsUsed = 0;
    // While the dialog writes a field itself, its change fires no rule.
    bool m_writingField = false;
};
