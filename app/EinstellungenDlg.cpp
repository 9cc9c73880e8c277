// The settings dialog: its skin, the hover rule, the print set-up and offsets buttons, the scale factor's
// checks, OK and Cancel. The lists are filled in EinstellungenDlgLists.cpp.

#include "app/EinstellungenDlg.h"

#include "app/MainWnd.h"
#include "app/ScaleFactorText.h"
#include "image/FileHelpers.h"
#include "library/DSObjMgr.h"
#include "output/PrintersManager.h"
#include "output/PrnJustierenDlg.h"
#include "platform/base/AppServices.h"
#include "platform/base/Profile.h"
#include "platform/print/PrintDialog.h"
#include "platform/sound/PlaySound.h"
#include "platform/ui/PaintDC.h"
#include "skinart/SkinArt.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <new>
#include <span>

namespace {

constexpr char kSettings[] = "Settings";
constexpr UINT kScaleFactorRangeId = 243;
constexpr int kDefaultScaleFactor = 5;

struct ShapedButton {
    CSkinButton* button;
    POINT origin;
    SIZE size;
    std::span<const POINT> shape;
    std::span<const POINT> hit;
    LPCTSTR up;
    LPCTSTR down;
    LPCTSTR focus;
};

struct Tip {
    UINT control;
    UINT text; // a string of the text module
};

constexpr Tip kTips[] = {{IDOK, 140},
                         {IDCANCEL, 141},
                         {CEinstellungenDlg::kCloseId, 142},
                         {CEinstellungenDlg::kPrintSetUpId, 143},
                         {CEinstellungenDlg::kSourceListId, 182},
                         {CEinstellungenDlg::kAlbumListId, 183},
                         {CEinstellungenDlg::kTemplateListId, 184},
                         {CEinstellungenDlg::kStencilListId, 185},
                         {CEinstellungenDlg::kFrameListId, 186}};
static_assert(std::size(kTips) == 9);

constexpr CRect kScaleFactorRect(336, 58, 370, 74);
constexpr POINT kSoundOrigin{411, 12};
constexpr SIZE kSoundSize{28, 30};

BOOL MakePolygonRegion(CRgn& region, std::span<const POINT> points) {
    return region.CreatePolygonRgn(points.data(), static_cast<int>(points.size()), WINDING);
}

} // namespace

CEinstellungenDlg::CEinstellungenDlg(CMainWnd* parent)
    : CDialog(IDD_EINSTELLUNGEN, parent), m_mainWnd(parent) {}

CEinstellungenDlg::~CEinstellungenDlg() = default;

void CEinstellungenDlg::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, kPrintSetUpId, m_printSetUpButton);
    DDX_Control(exchange, IDOK, m_okButton);
    DDX_Control(exchange, IDCANCEL, m_cancelButton);
    DDX_Control(exchange, kCloseId, m_closeButton);
    DDX_Control(exchange, kSoundId, m_soundBox);
    DDX_Control(exchange, kOffsetsId, m_offsetsButton);
}

BOOL CEinstellungenDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowPos(nullptr, 0, 0, m_width, m_height, SWP_NOMOVE | SWP_NOZORDER);
    if (m_mainWnd && (m_printDialog = m_mainWnd->GetPrintDialog()))
        m_printDialog->m_pd.Flags &= ~PD_RETURNDEFAULT;
    if (!m_background.Load("EINSTELLUNGEN_WND", this) || !BuildControls())
        return FALSE;
    AddToolTips();
    m_soundBox.SetCheck(GetProfileInt(kSettings, "Sound", 1) == 1);
    m_soundBox.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return FALSE;
}

bool CEinstellungenDlg::BuildControls() {
    if (!ShapeButtons() || !CreateScaleFactorField())
        return false;
    if (!CreateList(m_frameList, CRect(43, 362, 243, 552), kFrameListId) ||
        !CreateList(m_stencilList, CRect(43, 316, 243, 506), kStencilListId) ||
        !CreateList(m_templateList, CRect(43, 269, 244, 459), kTemplateListId) ||
        !CreateList(m_albumList, CRect(43, 222, 244, 423), kAlbumListId) ||
        !CreateList(m_sourceList, CRect(43, 173, 244, 375), kSourceListId))
        return false;
    // A list that cannot be filled stays empty (the source list keeps its "none" entry); the rest of
    // the dialog still works.
    FillAlbumList(*m_frameList, kResTypeFrames, "Frame");
    FillAlbumList(*m_stencilList, kResTypeStencils, "Stencil");
    FillTemplateList();
    FillAlbumList(*m_albumList, kResTypePictures, "Album");
    FillSourceList();
    return true;
}

bool CEinstellungenDlg::ShapeButtons() {
    using namespace SkinArt;
    // clang-format off
    const ShapedButton buttons[] = {
        {&m_okButton, {17, 12}, {50, 50}, kSettingsOkShape, kSettingsOkHit,
         "EINSTELLUNGEN_OKU", "EINSTELLUNGEN_OKD", "EINSTELLUNGEN_OKF"},
        {&m_cancelButton, {63, 12}, {50, 50}, kSettingsCancelShape, kSettingsCancelHit,
         "EINSTELLUNGEN_CANCELU", "EINSTELLUNGEN_CANCELD", "EINSTELLUNGEN_CANCELF"},
        {&m_closeButton, {500, 12}, {100, 100}, kSettingsCloseShape, kSettingsCloseHit,
         "EINSTELLUNGEN_CLOSEU", "EINSTELLUNGEN_CLOSED", "EINSTELLUNGEN_CLOSEF"},
        {&m_printSetUpButton, {107, 58}, {100, 100}, kSettingsPrintShape, kSettingsPrintHit,
         "EINSTELLUNGEN_PRINTU", "EINSTELLUNGEN_PRINTD", "EINSTELLUNGEN_PRINTF"},
        {&m_offsetsButton, {332, 106}, {28, 30}, kSettingsJustierenShape, kSettingsJustierenHit,
         "EINSTELLUNGEN_JUSTIERENU", "EINSTELLUNGEN_JUSTIEREND", "EINSTELLUNGEN_JUSTIERENF"},
    };
    // clang-format on
    for (const ShapedButton& layout : buttons) {
        CRgn shape;
        CRgn hit;
        if (!MakePolygonRegion(shape, layout.shape) || !MakePolygonRegion(hit, layout.hit))
            return false;
        layout.button->SetWindowPos(nullptr, layout.origin.x, layout.origin.y, layout.size.cx, layout.size.cy,
                                    SWP_NOZORDER | SWP_NOACTIVATE);
        if (!layout.button->SetRegions(&shape, &hit, TRUE) ||
            !layout.button->LoadBitmaps(layout.up, layout.down, layout.focus))
            return false;
    }
    CRgn soundShape;
    if (!MakePolygonRegion(soundShape, SkinArt::kSettingsSndShape))
        return false;
    m_soundBox.SetWindowPos(nullptr, kSoundOrigin.x, kSoundOrigin.y, kSoundSize.cx, kSoundSize.cy,
                            SWP_NOZORDER | SWP_NOACTIVATE);
    return m_soundBox.SetRegion(&soundShape, TRUE) &&
           m_soundBox.LoadBitmaps("EINSTELLUNGEN_SNDU", "EINSTELLUNGEN_SNDD", "EINSTELLUNGEN_SNDUF", nullptr,
                                  "EINSTELLUNGEN_SNDDF");
}

bool CEinstellungenDlg::CreateScaleFactorField() {
    try {
        m_scaleFactor = std::make_unique<CEdit>();
        m_fieldFont = std::make_unique<CFont>();
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (!m_scaleFactor->Create(WS_CHILD | WS_VISIBLE, kScaleFactorRect, this, kScaleFactorId))
        return false;
    CString value;
    value.Format("%d", GetProfileInt(kSettings, "ScaledFactor", kDefaultScaleFactor));
    m_scaleFactor->SetWindowText(value);
    if (m_fieldFont->CreateFont(14, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, 0, 0, 0, 0, 0, "Arial"))
        m_scaleFactor->SetFont(m_fieldFont.get());
    return true;
}

bool CEinstellungenDlg::CreateList(std::unique_ptr<CMyComboBox>& list, const RECT& rect, UINT id) {
    try {
        list = std::make_unique<CMyComboBox>();
    } catch (const std::bad_alloc&) {
        return false;
    }
    return list->Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED |
                            CBS_HASSTRINGS,
                        rect, this, id);
}

void CEinstellungenDlg::AddToolTips() {
    if (!m_toolTip.Create(this))
        return;
    m_toolTip.Activate(TRUE);
    // The tips' texts live in the text module.
    AfxSetResourceHandle(AppServices().GetTextModule());
    for (const Tip& tip : kTips) {
        if (CWnd* control = GetDlgItem(static_cast<int>(tip.control)))
            m_toolTip.AddTool(control, tip.text);
    }
    AfxSetResourceHandle(AppServices().GetResourceModule());
}

CMyComboBox* CEinstellungenDlg::GetList(UINT id) const {
    switch (id) {
    case kFrameListId:
        return m_frameList.get();
    case kStencilListId:
        return m_stencilList.get();
    case kTemplateListId:
        return m_templateList.get();
    case kAlbumListId:
        return m_albumList.get();
    case kSourceListId:
        return m_sourceList.get();
    default:
        return nullptr;
    }
}

BOOL CEinstellungenDlg::PreTranslateMessage(MSG* message) {
    if (m_toolTip.GetSafeHwnd())
        m_toolTip.RelayEvent(message);
    return CDialog::PreTranslateMessage(message);
}

BOOL CEinstellungenDlg::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CEinstellungenDlg::OnPaint() {
    CPaintDC dc(this);
    m_background.Paint(&dc, m_width, m_height);
}

LRESULT CEinstellungenDlg::OnNcHitTest(CPoint) {
    // The dialog is dragged by its background.
    return HTCAPTION;
}

BOOL CEinstellungenDlg::OnSetCursor(CWnd* window, UINT hitTest, UINT message) {
    const CMyComboBox* lists[] = {m_albumList.get(), m_frameList.get(), m_templateList.get(),
                                  m_stencilList.get(), m_sourceList.get()};
    const CWnd* buttons[] = {&m_printSetUpButton, &m_okButton, &m_cancelButton,
                             &m_closeButton,      &m_soundBox, &m_offsetsButton};
    const bool overList = window && std::find(std::begin(lists), std::end(lists), window) != std::end(lists);
    if (overList) {
        // Only the list under the pointer keeps its hover look (the source list keeps its own).
        for (CMyComboBox* list :
             {m_albumList.get(), m_frameList.get(), m_templateList.get(), m_stencilList.get()}) {
            if (list && list != window && list->IsHot()) {
                list->SetHot(0);
                list->Invalidate();
            }
        }
    } else if (window && std::find(std::begin(buttons), std::end(buttons), window) != std::end(buttons)) {
        window->SetFocus();
    } else if (m_scaleFactor && CWnd::GetFocus() == m_scaleFactor.get()) {
        // Typing goes on where it is.
    } else if (window == this) {
        if (CWnd* holder = GetDlgItem(kFocusHolderId))
            holder->SetFocus();
    }
    return CDialog::OnSetCursor(window, hitTest, message);
}

BOOL CEinstellungenDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(static_cast<DWORD>(wParam));
    const WORD code = HIWORD(static_cast<DWORD>(wParam));
    if (id == kScaleFactorId) {
        if (code == EN_CHANGE)
            CheckScaleFactorWhileTyping();
        else if (code == EN_KILLFOCUS)
            CheckScaleFactorOnLeaving();
        return TRUE;
    }
    switch (id) {
    case kCloseId:
        EndDialog(IDCANCEL);
        return TRUE;
    case kPrintSetUpId:
        OnPrintSetUp();
        return TRUE;
    case kOffsetsId:
        OnOffsets();
        return TRUE;
    default:
        return CDialog::OnCommand(wParam, lParam);
    }
}

void CEinstellungenDlg::PlaySound(LPCTSTR fileName) const {
    if (AppServices().IsSoundEnabled())
        sndPlaySound(AppServices().GetSoundPath() + fileName, SND_ASYNC);
}

void CEinstellungenDlg::OnPrintSetUp() {
    PlaySound("/camera2.wav");
    if (!m_printDialog || m_printDialog->DoModal() == IDOK || CommDlgExtendedError() != PDERR_PRINTERNOTFOUND)
        return;
    // The held printer is gone: a fresh set-up on the default printer takes the main window's place.
    auto replacement = std::make_unique<CPrintDialog>(
        TRUE, PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIES | PD_HIDEPRINTTOFILE, nullptr);
    m_printDialog = replacement.get();
    if (m_mainWnd)
        m_mainWnd->ReplacePrintDialog(std::move(replacement));
    m_printDialog->DoModal();
}

void CEinstellungenDlg::OnOffsets() {
    CPrintersManager* printers = CPrintersManager::GetInstance();
    CPrnJustierenDlg dialog(this);
    dialog.m_pPrinter = printers ? printers->GetPrinterInfo() : nullptr;
    dialog.DoModal();
}

void CEinstellungenDlg::CheckScaleFactorWhileTyping() {
    CString text;
    m_scaleFactor->GetWindowText(text);
    if (!text.IsEmpty() && !ScaleFactorPassesWhileTyping(text))
        ResetScaleFactor();
}

void CEinstellungenDlg::CheckScaleFactorOnLeaving() {
    CString text;
    m_scaleFactor->GetWindowText(text);
    if (text.IsEmpty() || ScaleFactorPassesOnLeaving(text))
        return;
    ResetScaleFactor();
    m_scaleFactor->SetFocus();
}

void CEinstellungenDlg::ResetScaleFactor() {
    m_scaleFactor->SetWindowText("0");
    AppServices().MessageBox(kScaleFactorRangeId, MB_OK);
    m_scaleFactor->SetSel(0, -1);
}

CString CEinstellungenDlg::SelectedName(const CMyComboBox* list) const {
    if (!list || list->GetCurSel() < 0)
        return {};
    CString text;
    list->GetLBText(list->GetCurSel(), text);
    return text == CMainWnd::GetNoneText() ? CString() : text;
}

void CEinstellungenDlg::OnOK() {
    PlaySound("/tick.wav");
    WriteProfileString(kSettings, "Template", SelectedName(m_templateList.get()));
    WriteProfileString(kSettings, "Clipart Path", AppServices().GetClipartPath());
    WriteProfileString(kSettings, "Stencil", SelectedName(m_stencilList.get()));
    WriteProfileString(kSettings, "Frame", SelectedName(m_frameList.get()));
    WriteProfileString(kSettings, "Album", SelectedName(m_albumList.get()));
    const CString source = SelectedName(m_sourceList.get());
    WriteProfileString(kSettings, "TwainSource", source);
    if (!source.IsEmpty())
        WriteProfileInt(kSettings, "TwainSourceId",
                        static_cast<int>(m_sourceList->GetItemData(m_sourceList->GetCurSel())));
    if (m_scaleFactor && m_scaleFactor->GetWindowTextLength() > 0) {
        CString text;
        m_scaleFactor->GetWindowText(text);
        WriteProfileInt(kSettings, "ScaledFactor", std::atoi(text.GetString()));
    }
    CPrintersManager* printers = CPrintersManager::GetInstance();
    if (printers && m_printDialog) {
        if (DEVMODE* devMode = m_printDialog->GetDevMode()) {
            printers->LoadPrinterInfo(m_printDialog->GetDeviceName(), devMode);
            GlobalUnlock(m_printDialog->m_pd.hDevMode);
        }
    }
    const BYTE sound = m_soundBox.GetCheck() ? 1 : 0;
    WriteProfileInt(kSettings, "Sound", sound);
    AppServices().SetSoundEnabled(sound);
    EndDialog(IDOK);
}

void CEinstellungenDlg::OnCancel() {
    PlaySound("/tick.wav");
    CDialog::OnCancel();
}
