// The sliders hold the sizes in the ranges the previews can show; the previews get each size as a
// fraction of its slider's span.

#include "albums/BrowseFileSettingsDlg.h"

#include "platform/base/AppServices.h"
#include "platform/gdi/SystemColors.h"
#include "platform/ui/CommandMap.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/ScrollBar.h"

#include <algorithm>

namespace {

constexpr UINT kTemplateId = 6010;
constexpr int kBkColorPickerId = 1369;
constexpr int kTextColorPickerId = 1370;
constexpr int kThumbWidthSliderId = 6011;
constexpr int kThumbHeightSliderId = 6012;
constexpr int kSpacingXSliderId = 6013;
constexpr int kSpacingYSliderId = 6014;
constexpr int kSaveSettingsId = 6015;
constexpr int kSpacingPreviewId = 6016;
constexpr int kSizePreviewId = 6017;
// The caption of the background picker's default-colour box.
constexpr UINT kDefaultColorTextId = 61527;

constexpr int kThumbMin = 32;
constexpr int kThumbMax = 100;
constexpr int kThumbTicks = 17;
constexpr int kSpacingMin = 20;
constexpr int kSpacingMax = 50;
constexpr int kSpacingTicks = 3;

void SetUpSlider(CSliderCtrl& slider, int low, int high, int ticks, int position) {
    slider.SetRange(low, high, TRUE);
    slider.SetTicFreq(ticks);
    slider.SetPos(position);
}

} // namespace

CBrowseFileSettingsDlg::CBrowseFileSettingsDlg(CWnd* parent) : CDialog(kTemplateId, parent) {
    m_settings.backgroundColor = GetSysColor(COLOR_WINDOW);
    m_settings.textColor = GetSysColor(COLOR_WINDOWTEXT);
    m_BkColorPicker.SetDefaultText(AppServices().LoadString(kDefaultColorTextId));
}

CBrowseFileSettingsDlg::~CBrowseFileSettingsDlg() = default;

void CBrowseFileSettingsDlg::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, kTextColorPickerId, m_TextColorPicker);
    DDX_Control(exchange, kBkColorPickerId, m_BkColorPicker);
    DDX_Control(exchange, kSpacingPreviewId, m_SpacingPreview);
    DDX_Control(exchange, kSizePreviewId, m_SizePreview);
    DDX_Control(exchange, kThumbHeightSliderId, m_ThumbHeightSlider);
    DDX_Control(exchange, kThumbWidthSliderId, m_ThumbWidthSlider);
    DDX_Slider(exchange, kThumbHeightSliderId, m_settings.thumbHeight);
    DDX_Slider(exchange, kThumbWidthSliderId, m_settings.thumbWidth);
    DDX_Control(exchange, kSpacingYSliderId, m_SpacingYSlider);
    DDX_Control(exchange, kSpacingXSliderId, m_SpacingXSlider);
    DDX_Slider(exchange, kSpacingYSliderId, m_settings.spacingY);
    DDX_Slider(exchange, kSpacingXSliderId, m_settings.spacingX);
}

BOOL CBrowseFileSettingsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_SizePreview.CreateMemDC();
    m_settings.thumbWidth = std::clamp(m_settings.thumbWidth, kThumbMin, kThumbMax);
    SetUpSlider(m_ThumbWidthSlider, kThumbMin, kThumbMax, kThumbTicks, m_settings.thumbWidth);
    m_settings.thumbHeight = std::clamp(m_settings.thumbHeight, kThumbMin, kThumbMax);
    SetUpSlider(m_ThumbHeightSlider, kThumbMin, kThumbMax, kThumbTicks, m_settings.thumbHeight);
    m_SizePreview.SetHorizontalRange(kThumbMax - kThumbMin);
    m_SizePreview.SetVerticalRange(kThumbMax - kThumbMin);
    ShowThumbSize();

    m_SpacingPreview.SetMode(CStaticThmbSize::kSpacingMode);
    m_SpacingPreview.CreateMemDC();
    m_settings.spacingX = std::clamp(m_settings.spacingX, kSpacingMin, kSpacingMax);
    SetUpSlider(m_SpacingXSlider, kSpacingMin, kSpacingMax, kSpacingTicks, m_settings.spacingX);
    m_SpacingPreview.SetHorizontalRange(kSpacingMax - kSpacingMin);
    m_SpacingPreview.SetHorizontalValue(m_settings.spacingX - kSpacingMin);
    m_settings.spacingY = std::clamp(m_settings.spacingY, kSpacingMin, kSpacingMax);
    SetUpSlider(m_SpacingYSlider, kSpacingMin, kSpacingMax, kSpacingTicks, m_settings.spacingY);
    m_SpacingPreview.SetVerticalRange(kSpacingMax - kSpacingMin);
    m_SpacingPreview.SetVerticalValue(m_settings.spacingY - kSpacingMin);

    m_BkColorPicker.SetColor(m_settings.backgroundColor);
    m_TextColorPicker.SetColor(m_settings.textColor);
    return TRUE;
}

BOOL CBrowseFileSettingsDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    static const CommandEntry<CBrowseFileSettingsDlg> kCommands[] = {
        {kSaveSettingsId, BN_CLICKED, &CBrowseFileSettingsDlg::OnSaveSettings}};
    return DispatchCommand(*this, kCommands, wParam) || CDialog::OnCommand(wParam, lParam);
}

LRESULT CBrowseFileSettingsDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == CPN_SELENDOK) {
        OnColorChosen(static_cast<int>(lParam));
        return 1;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

void CBrowseFileSettingsDlg::OnSaveSettings() {
    UpdateData(TRUE);
    WriteBrowseThumbnailSettings(m_strSection, m_settings);
}

void CBrowseFileSettingsDlg::OnColorChosen(int pickerId) {
    if (pickerId == kBkColorPickerId)
        m_settings.backgroundColor = m_BkColorPicker.GetColor();
    else if (pickerId == kTextColorPickerId)
        m_settings.textColor = m_TextColorPicker.GetColor();
}

void CBrowseFileSettingsDlg::OnHScroll(UINT code, UINT position, CScrollBar* scrollBar) {
    const HWND slider = scrollBar ? scrollBar->m_hWnd : nullptr;
    if (slider == m_ThumbWidthSlider.m_hWnd) {
        OnThumbSizeScrolled(m_ThumbWidthSlider);
    } else if (slider == m_SpacingXSlider.m_hWnd) {
        m_settings.spacingX = m_SpacingXSlider.GetPos();
        m_SpacingPreview.SetHorizontalValue(m_settings.spacingX - kSpacingMin);
        m_SpacingPreview.Invalidate();
        m_SpacingPreview.UpdateWindow();
    }
    CDialog::OnHScroll(code, position, scrollBar);
}

void CBrowseFileSettingsDlg::OnVScroll(UINT code, UINT position, CScrollBar* scrollBar) {
    const HWND slider = scrollBar ? scrollBar->m_hWnd : nullptr;
    if (slider == m_ThumbHeightSlider.m_hWnd) {
        OnThumbSizeScrolled(m_ThumbHeightSlider);
    } else if (slider == m_SpacingYSlider.m_hWnd) {
        m_settings.spacingY = m_SpacingYSlider.GetPos();
        m_SpacingPreview.SetVerticalValue(m_settings.spacingY - kSpacingMin);
        m_SpacingPreview.Invalidate();
        m_SpacingPreview.UpdateWindow();
    }
    CDialog::OnVScroll(code, position, scrollBar);
}

void CBrowseFileSettingsDlg::OnThumbSizeScrolled(const CSliderCtrl& moved) {
    UpdateData(TRUE);
    const int side = moved.GetPos();
    m_settings.thumbWidth = side;
    m_settings.thumbHeight = side;
    UpdateData(FALSE);
    ShowThumbSize();
    m_SizePreview.UpdateWindow();
}

void CBrowseFileSettingsDlg::ShowThumbSize() {
    m_SizePreview.SetHorizontalValue(m_settings.thumbWidth - kThumbMin);
    m_SizePreview.SetVerticalValue(m_settings.thumbHeight - kThumbMin);
    m_SizePreview.Invalidate();
}
