// The save dialog's page: the lists follow the chosen file type, the size fields keep the picture's
// proportions, and a depth too small for the picture's colours needs the user's yes.

#include "editing/PreviewSaveFileDlg.h"

#include "image/ExtMgr.h"
#include "platform/base/AppServices.h"
#include "platform/base/Resource.h"
#include "platform/ui/CommandMap.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace {

constexpr WORD kTemplateId = 108;
constexpr UINT kFewerColoursQuestion = 409;

constexpr int kColorDepthList = 7001;
constexpr int kResampleList = 1152;
constexpr int kPresetList = 1153;
constexpr int kPercentMode = 1143;
constexpr int kSizeMode = 1146;
constexpr int kPercentField = 1144;
constexpr int kPercentSpin = 1097;
constexpr int kWidthField = 1147;
constexpr int kWidthSpin = 1148;
constexpr int kHeightField = 1149;
constexpr int kHeightSpin = 1150;
constexpr int kKeepProportions = 1151;

struct ListEntry {
    const char* text;
    int data;
};

constexpr ListEntry kResampleModes[] = {{"Normal", 0}, {"Resample", 2}, {"Bicubic", 4}};
constexpr ListEntry kPresets[] = {{"Druck einfach", 0},    {"Druck mittel", 1},    {"Druck hoch", 2},
                                  {"Internet einfach", 3}, {"Internet mittel", 4}, {"Internet hoch", 5}};

// How many colours a depth holds, in 64 bits so that 32 bits and more do not overflow.
std::uint64_t ColoursOfDepth(int bits) {
    if (bits >= 64)
        return std::numeric_limits<std::uint64_t>::max();
    return std::uint64_t{1} << std::max(bits, 0);
}

// The field's number within the size range; false for a text that is no number (empty while typing).
bool ParseSizeField(const CString& text, int& value) {
    char* end = nullptr;
    const long parsed = std::strtol(text.GetString(), &end, 10);
    if (end == text.GetString())
        return false;
    value = static_cast<int>(
        std::clamp<long>(parsed, CPreviewSaveFileDlg::kSmallestSize, CPreviewSaveFileDlg::kLargestSize));
    return true;
}

// A computed side, truncated into the size range.
int ClampSize(double value) {
    if (!(value >= CPreviewSaveFileDlg::kSmallestSize))
        return CPreviewSaveFileDlg::kSmallestSize;
    return static_cast<int>(std::min<double>(value, CPreviewSaveFileDlg::kLargestSize));
}

// Field index of a 0-separated filter list ("text\0pattern\0...\0\0"); empty beyond its end.
CString FilterField(LPCTSTR filter, int index) {
    if (!filter)
        return {};
    const char* field = filter;
    for (int i = 0; i < index; ++i) {
        if (!*field)
            return {};
        field += std::char_traits<char>::length(field) + 1;
    }
    return field;
}

} // namespace

CPreviewSaveFileDlg::CPreviewSaveFileDlg(BOOL openFileDialog, LPCTSTR defaultExtension, LPCTSTR fileName,
                                         DWORD flags, LPCTSTR filter, CWnd* parent)
    : CFileDialog(openFileDialog, defaultExtension, fileName, flags, filter, parent) {
    m_ofn.Flags |= OFN_ENABLETEMPLATE | OFN_EXPLORER;
    m_ofn.lpTemplateName = MAKEINTRESOURCE(kTemplateId);
}

INT_PTR CPreviewSaveFileDlg::DoModal() {
    m_ofn.hInstance = AfxGetResourceHandle();
    return CFileDialog::DoModal();
}

void CPreviewSaveFileDlg::GetResultSize(CSize& size, int sourceWidth, int sourceHeight) const {
    std::int64_t width = sourceWidth;
    std::int64_t height = sourceHeight;
    if (m_nSizeMode == 1) {
        width = m_nWidth;
        height = m_nHeight;
        if (m_nKeepProportions && sourceWidth > 0)
            height = std::int64_t{sourceHeight} * m_nWidth / sourceWidth;
    } else if (m_nPercent != 100) {
        width = std::int64_t{sourceWidth} * m_nPercent / 100;
        height = std::int64_t{sourceHeight} * m_nPercent / 100;
    }
    const auto side = [](std::int64_t value) {
        return static_cast<int>(std::clamp<std::int64_t>(value, 1, std::numeric_limits<int>::max()));
    };
    size = CSize(side(width), side(height));
}

BOOL CPreviewSaveFileDlg::OnInitDialog() {
    CFileDialog::OnInitDialog();
    m_colorDepths.SubclassDlgItem(kColorDepthList, this);
    m_resampleModes.SubclassDlgItem(kResampleList, this);
    m_presets.SubclassDlgItem(kPresetList, this);
    FillResampleModes();
    FillColorDepths();
    FillPresets();
    EnablePresets();
    // The spins show their position in their fields: they start at the fields' values. Lower bound
    // 3000, upper 1: the up arrow lowers the value.
    m_writingField = true;
    const struct {
        CSpinButtonCtrl& spin;
        int spinId;
        int fieldId;
        int value;
    } spins[] = {{m_percentSpin, kPercentSpin, kPercentField, m_nPercent},
                 {m_widthSpin, kWidthSpin, kWidthField, m_nWidth},
                 {m_heightSpin, kHeightSpin, kHeightField, m_nHeight}};
    for (const auto& entry : spins) {
        entry.spin.SubclassDlgItem(static_cast<UINT>(entry.spinId), this);
        entry.spin.SetRange(kLargestSize, kSmallestSize);
        entry.spin.SetBuddy(GetDlgItem(entry.fieldId));
        entry.spin.SetPos(entry.value);
        WriteField(entry.fieldId, entry.value);
    }
    CheckDlgButton(kPercentMode, m_nSizeMode == 0 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(kSizeMode, m_nSizeMode == 1 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(kKeepProportions, m_nKeepProportions ? BST_CHECKED : BST_UNCHECKED);
    m_writingField = false;
    EnableSizeControls();
    return TRUE;
}

BOOL CPreviewSaveFileDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    static const CommandEntry<CPreviewSaveFileDlg> kCommands[] = {
        {kColorDepthList, CBN_SELCHANGE, &CPreviewSaveFileDlg::OnColorDepthChange},
        {kResampleList, CBN_SELCHANGE, &CPreviewSaveFileDlg::OnResampleChange},
        {kPresetList, CBN_SELCHANGE, &CPreviewSaveFileDlg::OnPresetChange},
        {kPercentMode, BN_CLICKED, &CPreviewSaveFileDlg::OnPercentMode},
        {kSizeMode, BN_CLICKED, &CPreviewSaveFileDlg::OnSizeMode},
        {kKeepProportions, BN_CLICKED, &CPreviewSaveFileDlg::OnKeepProportions},
        {kPercentField, EN_CHANGE, &CPreviewSaveFileDlg::OnPercentChange},
        {kWidthField, EN_CHANGE, &CPreviewSaveFileDlg::OnWidthChange},
        {kHeightField, EN_CHANGE, &CPreviewSaveFileDlg::OnHeightChange}};
    return DispatchCommand(*this, kCommands, wParam) || CFileDialog::OnCommand(wParam, lParam);
}

void CPreviewSaveFileDlg::OnTypeChange() {
    FillColorDepths();
    EnablePresets();
    CFileDialog::OnTypeChange();
}

BOOL CPreviewSaveFileDlg::OnFileNameOK() {
    // Depth 0 lets the plug-in choose, so there is nothing to warn about.
    if (m_nColorDepth > 0 && m_nColorsUsed > 0 &&
        ColoursOfDepth(m_nColorDepth) < static_cast<std::uint64_t>(m_nColorsUsed) &&
        AppServices().MessageBox(kFewerColoursQuestion, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return TRUE;
    return CFileDialog::OnFileNameOK();
}

// The part after the first '.' of the chosen type's pattern, up to a further pattern: "*.jpg;*.jpeg"
// gives "jpg".
CString CPreviewSaveFileDlg::CurrentFileType() const {
    const CString pattern = FilterField(m_ofn.lpstrFilter, 2 * static_cast<int>(m_ofn.nFilterIndex) - 1);
    const int dot = pattern.Find('.');
    if (dot < 0)
        return {};
    CString type = pattern.Mid(dot + 1);
    const int next = type.Find(';');
    return next < 0 ? type : type.Left(next);
}

void CPreviewSaveFileDlg::FillColorDepths() {
    CExtMgr* codecs = GetExtMgr();
    CColorDepthList depths;
    if (codecs)
        codecs->GetColorDepthsForExtension(depths, CurrentFileType());
    m_colorDepths.ResetContent();
    m_colorDepths.EnableWindow(!depths.IsEmpty());
    if (depths.IsEmpty()) {
        m_nColorDepth = 0;
        return;
    }
    int preselected = 0;
    std::uint64_t preselectedColours = std::numeric_limits<std::uint64_t>::max();
    for (POSITION position = depths.GetHeadPosition(); position;) {
        CColorDepth* depth = depths.GetNext(position);
        const int index = m_colorDepths.AddString(depth->m_name);
        m_colorDepths.SetItemData(index, static_cast<DWORD_PTR>(depth->m_bits));
        const std::uint64_t colours = ColoursOfDepth(depth->m_bits);
        if (m_nColorsUsed > 0 && colours > static_cast<std::uint64_t>(m_nColorsUsed) &&
            colours < preselectedColours) {
            preselected = index;
            preselectedColours = colours;
        }
        delete depth;
    }
    m_colorDepths.SetCurSel(preselected);
    m_nColorDepth = static_cast<int>(m_colorDepths.GetItemData(preselected));
}

void CPreviewSaveFileDlg::FillResampleModes() {
    for (const ListEntry& mode : kResampleModes)
        m_resampleModes.SetItemData(m_resampleModes.AddString(mode.text), static_cast<DWORD_PTR>(mode.data));
    m_resampleModes.SetCurSel(0);
    m_nResampleMode = kResampleModes[0].data;
}

void CPreviewSaveFileDlg::FillPresets() {
    for (const ListEntry& preset : kPresets)
        m_presets.SetItemData(m_presets.AddString(preset.text), static_cast<DWORD_PTR>(preset.data));
    m_presets.SetCurSel(0);
    m_nPreset = kPresets[0].data;
}

void CPreviewSaveFileDlg::EnablePresets() {
    CExtMgr* codecs = GetExtMgr();
    m_presets.EnableWindow(codecs && codecs->ExtensionHasQuality(CurrentFileType()));
}

void CPreviewSaveFileDlg::EnableSizeControls() {
    const BOOL explicitSize = m_nSizeMode == 1;
    for (const int id : {kWidthField, kWidthSpin, kHeightField, kHeightSpin, kKeepProportions})
        EnableItem(id, explicitSize);
    for (const int id : {kPercentField, kPercentSpin})
        EnableItem(id, !explicitSize);
}

void CPreviewSaveFileDlg::EnableItem(int id, BOOL enable) {
    if (CWnd* item = GetDlgItem(id))
        item->EnableWindow(enable);
}

void CPreviewSaveFileDlg::OnColorDepthChange() {
    const int selection = m_colorDepths.GetCurSel();
    if (selection >= 0)
        m_nColorDepth = static_cast<int>(m_colorDepths.GetItemData(selection));
}

void CPreviewSaveFileDlg::OnResampleChange() {
    const int selection = m_resampleModes.GetCurSel();
    if (selection >= 0)
        m_nResampleMode = static_cast<int>(m_resampleModes.GetItemData(selection));
}

void CPreviewSaveFileDlg::OnPresetChange() {
    const int selection = m_presets.GetCurSel();
    if (selection >= 0)
        m_nPreset = static_cast<int>(m_presets.GetItemData(selection));
}

void CPreviewSaveFileDlg::OnPercentMode() {
    m_nSizeMode = 0;
    EnableSizeControls();
}

void CPreviewSaveFileDlg::OnSizeMode() {
    m_nSizeMode = 1;
    EnableSizeControls();
}

void CPreviewSaveFileDlg::OnKeepProportions() {
    ReadControls();
    KeepHeightToWidth();
}

void CPreviewSaveFileDlg::OnPercentChange() {
    if (!m_writingField)
        ReadControls();
}

void CPreviewSaveFileDlg::OnWidthChange() {
    if (m_writingField)
        return;
    ReadControls();
    KeepHeightToWidth();
}

void CPreviewSaveFileDlg::OnHeightChange() {
    if (m_writingField)
        return;
    ReadControls();
    KeepWidthToHeight();
}

// A field that holds no number keeps its member; the others are clamped into the size range.
void CPreviewSaveFileDlg::ReadControls() {
    const struct {
        int id;
        int& value;
    } fields[] = {{kPercentField, m_nPercent}, {kWidthField, m_nWidth}, {kHeightField, m_nHeight}};
    for (const auto& field : fields) {
        CString text;
        GetDlgItemText(field.id, text);
        ParseSizeField(text, field.value);
    }
    m_nKeepProportions = IsDlgButtonChecked(kKeepProportions) == BST_CHECKED ? 1 : 0;
    m_nSizeMode = IsDlgButtonChecked(kSizeMode) == BST_CHECKED ? 1 : 0;
}

void CPreviewSaveFileDlg::KeepHeightToWidth() {
    if (m_nSizeMode != 1 || !m_nKeepProportions || m_aspectRatio == 0.0)
        return;
    m_nHeight = ClampSize(m_nWidth / m_aspectRatio);
    WriteField(kHeightField, m_nHeight);
}

void CPreviewSaveFileDlg::KeepWidthToHeight() {
    if (m_nSizeMode != 1 || !m_nKeepProportions || m_aspectRatio == 0.0)
        return;
    m_nWidth = ClampSize(m_nHeight * m_aspectRatio);
    WriteField(kWidthField, m_nWidth);
}

// Rewrites the field only when its text differs; the change this makes fires no rule, so a typed width
// is never changed back through the height it set.
void CPreviewSaveFileDlg::WriteField(int id, int value) {
    CString text;
    text.Format("%d", value);
    CString shown;
    GetDlgItemText(id, shown);
    if (shown == text)
        return;
    const bool wasWriting = m_writingField;
    m_writingField = true;
    SetDlgItemText(id, text);
    m_writingField = wasWriting;
}
