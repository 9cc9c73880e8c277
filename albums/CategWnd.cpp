// The category panel's window: skin, outline, controls, tool tips, the Undo and Close buttons and the
// routing of its commands.

#include "albums/CategWnd.h"

#include "albums/CategoryPanelHost.h"
#include "albums/CategoryTile.h"
#include "image/FileHelpers.h"
#include "page/MainWndServices.h"
#include "platform/base/AppServices.h"
#include "platform/base/Profile.h"
#include "platform/base/Resource.h"
#include "platform/sound/PlaySound.h"
#include "platform/ui/PaintDC.h"
#include "skin/MainComboBox.h"
#include "skin/MyBitmapButton.h"
#include "skin/TransparentStatic.h"
#include "skinart/SkinArt.h"

#include <new>
#include <span>

namespace {

constexpr UINT kInfoTipId = 179;
constexpr UINT kUndoTipId = 180;
constexpr UINT kCloseTipId = 181;
constexpr UINT kAskSaveId = 215;
constexpr UINT kCategoriesId = 250;
constexpr CPoint kCounterOrigin{448, 100};
constexpr CRect kCounterRect{448, 100, 476, 117};
constexpr CRect kCategoryComboRect{83, 30, 83 + 124, 30 + 150};
constexpr CRect kAlbumComboRect{94, 76, 94 + 113, 76 + 100};

struct ButtonShape {
    CPoint position;
    CSize size;
    std::span<const POINT> shape;
    std::span<const POINT> hit;
    const char* up;
    const char* down;
    const char* focus;
};

constexpr CSize kSmall{100, 100};
constexpr std::array<int, CCategWnd::kSlots> kInfoX = {261, 357, 454, 552, 650, 751};

const ButtonShape kCloseShape{
    {782, 100},   {200, 200},  SkinArt::kCategCloseShape, SkinArt::kCategCloseHit, "MAINCLOSEU",
    "MAINCLOSED", "MAINCLOSEF"};
const ButtonShape kUndoShape{{95, 55}, kSmall, SkinArt::kCategUndoShape, SkinArt::kCategUndoHit, "UNDOU",
                             "UNDOD",  "UNDOF"};
const ButtonShape kFirstShape{
    {408, 98}, kSmall, SkinArt::kCategFirstShape, SkinArt::kCategFirstHit, "FIRSTU", "FIRSTD", "FIRSTF"};
const ButtonShape kPrevShape{{424, 98}, kSmall, SkinArt::kCategPrevShape, SkinArt::kCategPrevHit, "PREVU",
                             "PREVD",   "PREVF"};
const ButtonShape kNextShape{{483, 98}, kSmall, SkinArt::kCategNextShape, SkinArt::kCategNextHit, "NEXTU",
                             "NEXTD",   "NEXTF"};
const ButtonShape kLastShape{{500, 98}, kSmall, SkinArt::kCategLastShape, SkinArt::kCategLastHit, "LASTU",
                             "LASTD",   "LASTF"};

ButtonShape InfoShape(int slot) {
    return {{kInfoX[static_cast<size_t>(slot)], 0},
            kSmall,
            SkinArt::kCategInfoShape,
            SkinArt::kCategInfoHit,
            "INFOU",
            "INFOD",
            "INFOF"};
}

BOOL MakePolygonRegion(CRgn& region, std::span<const POINT> points, int fillMode) {
    return region.CreatePolygonRgn(points.data(), static_cast<int>(points.size()), fillMode);
}

BOOL ShapeButton(CMyBitmapButton& button, const ButtonShape& layout) {
    CRgn shape;
    CRgn hit;
    if (!MakePolygonRegion(shape, layout.shape, WINDING) || !MakePolygonRegion(hit, layout.hit, WINDING))
        return FALSE;
    button.MoveWindow(layout.position.x, layout.position.y, layout.size.cx, layout.size.cy, TRUE);
    return button.SetRegions(&shape, &hit, TRUE) && button.LoadBitmaps(layout.up, layout.down, layout.focus);
}

void DestroyOwned(std::unique_ptr<CMyBitmapButton>& button) {
    if (button && button->GetSafeHwnd())
        button->DestroyWindow();
    button.reset();
}

} // namespace

CCategWnd::CCategWnd() = default;

CCategWnd::~CCategWnd() {
    if (!m_defaultAlbumFound && !m_photoAlbumTitle.IsEmpty())
        WriteProfileString("Settings", "Album", m_photoAlbumTitle);
    if (m_memoryDC && m_oldBitmap)
        m_memoryDC->SelectObject(m_oldBitmap);
    DestroyControls();
}

CRect CCategWnd::SlotRect(int slot) {
    static constexpr std::array<RECT, kSlots + 1> kRects = {{{225, 16, 305, 94},
                                                             {325, 16, 405, 94},
                                                             {420, 16, 500, 90},
                                                             {520, 16, 600, 94},
                                                             {616, 16, 696, 94},
                                                             {714, 16, 794, 94},
                                                             {-1, -1, -1, -1}}};
    return CRect(kRects[static_cast<size_t>(slot)]);
}

CWnd* CCategWnd::CreatePanel(CWnd* parent, const CRect& rect, UINT id) {
    return Create(nullptr, "CategWnd", WS_CHILD | WS_VISIBLE, rect, parent, id) ? this : nullptr;
}

int CCategWnd::OnCreate(LPCREATESTRUCT create) {
    if (CWnd::OnCreate(create) == -1)
        return -1;
    try {
        m_memoryDC = std::make_unique<CDC>();
        m_skin = std::make_unique<CBitmap>();
        CClientDC windowDC(this);
        if (!LoadResourceBitmapWithPalette(*m_skin, "CATEG_WND", &windowDC) ||
            !m_memoryDC->CreateCompatibleDC(&windowDC))
            return -1;
        m_oldBitmap = m_memoryDC->SelectObject(m_skin.get());
        if (!CreateButtons() || !BuildOutline())
            return -1;
    } catch (const std::bad_alloc&) {
        return -1;
    }
    AddToolTips();
    return 0;
}

BOOL CCategWnd::BuildOutline() {
    if (!MakePolygonRegion(m_outline, SkinArt::kCategPanelOutline, ALTERNATE))
        return FALSE;
    CRgn window;
    window.CreateRectRgn(0, 0, 0, 0);
    window.CopyRgn(&m_outline);
    SetWindowRgn(static_cast<HRGN>(window.Detach()), FALSE);
    return TRUE;
}

void CCategWnd::AddToolTips() {
    m_toolTip.Create(this);
    m_toolTip.Activate(TRUE);
    // The tips' strings are in the text module; everything else comes from the resource module.
    AfxSetResourceHandle(AppServices().GetTextModule());
    for (const auto& button : m_infoButtons)
        m_toolTip.AddTool(button.get(), kInfoTipId);
    m_toolTip.AddTool(m_close.get(), kCloseTipId);
    m_toolTip.AddTool(m_undo.get(), kUndoTipId);
    AfxSetResourceHandle(AppServices().GetResourceModule());
}

void CCategWnd::DestroyControls() {
    for (auto& button : m_infoButtons)
        DestroyOwned(button);
    for (auto* button : {&m_first, &m_last, &m_next, &m_prev, &m_close, &m_undo})
        DestroyOwned(*button);
    for (auto* combo : {&m_categoryCombo, &m_albumCombo}) {
        if (*combo && (*combo)->GetSafeHwnd())
            (*combo)->DestroyWindow();
        combo->reset();
    }
    if (m_counter && m_counter->GetSafeHwnd())
        m_counter->DestroyWindow();
    m_counter.reset();
}

BOOL CCategWnd::CreateButtons() {
    DestroyControls();
    const auto make = [this](std::unique_ptr<CMyBitmapButton>& button, const char* caption, UINT id) {
        button = std::make_unique<CMyBitmapButton>();
        if (!button->Create(caption, WS_CHILD | BS_OWNERDRAW | WS_CLIPSIBLINGS, CRect(0, 0, 0, 0), this, id))
            return false;
        button->ShowWindow(SW_SHOW);
        return true;
    };
    static constexpr std::array<const char*, kSlots> kInfoCaptions = {"Info",  "Info2", "Info3",
                                                                      "Info4", "Info5", "Info6"};
    if (!make(m_close, "Close", kCloseId) || !make(m_undo, "Undo", kUndoId))
        return FALSE;
    for (size_t i = 0; i < m_infoButtons.size(); ++i) {
        if (!make(m_infoButtons[i], kInfoCaptions[i], kInfoIds[i]))
            return FALSE;
    }
    if (!make(m_first, "First", kFirstId) || !make(m_last, "Last", kLastId) ||
        !make(m_next, "Next", kNextId) || !make(m_prev, "Prev", kPrevId))
        return FALSE;

    const DWORD comboStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_VSCROLL | CBS_DROPDOWNLIST |
                             CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
    m_categoryCombo = std::make_unique<CMainComboBox>();
    m_albumCombo = std::make_unique<CMainComboBox>();
    // Created in place: the height given at creation is the height of the dropped list.
    if (!m_categoryCombo->Create(comboStyle, kCategoryComboRect, this, kCategoryComboId) ||
        !m_albumCombo->Create(comboStyle, kAlbumComboRect, this, kAlbumComboId))
        return FALSE;
    m_categoryCombo->ShowWindow(SW_SHOW);
    m_albumCombo->ShowWindow(SW_SHOW);

    m_counter = std::make_unique<CTransparentStatic>(-11, RGB(0, 0, 0), "Arial", 1);
    m_counter->SetStyle(1, kCounterOrigin.x, kCounterOrigin.y, m_memoryDC.get());
    if (!m_counter->Create("", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, kCounterRect, this, kCounterId))
        return FALSE;
    m_counter->ShowWindow(SW_SHOW);

    if (!ShapeButton(*m_close, kCloseShape) || !ShapeButton(*m_undo, kUndoShape))
        return FALSE;
    for (int slot = 0; slot < kSlots; ++slot) {
        if (!ShapeButton(*m_infoButtons[static_cast<size_t>(slot)], InfoShape(slot)))
            return FALSE;
    }

    CString names = AppServices().LoadString(kCategoriesId);
    int code = kPhotos;
    for (int start = 0; code <= kCliparts; ++code) {
        const int bar = names.Find('|', start);
        const CString name = bar < 0 ? names.Mid(start) : names.Mid(start, bar - start);
        const int index = m_categoryCombo->AddString(name);
        m_categoryCombo->SetItemData(index, static_cast<DWORD_PTR>(code));
        if (bar < 0)
            break;
        start = bar + 1;
    }
    m_categoryCombo->SetCurSel(0);

    if (!ShapeButton(*m_first, kFirstShape) || !ShapeButton(*m_last, kLastShape) ||
        !ShapeButton(*m_next, kNextShape) || !ShapeButton(*m_prev, kPrevShape))
        return FALSE;
    OnSelChangeCategory();
    return TRUE;
}

void CCategWnd::OnPaint() {
    CPaintDC paint(this);
    if (m_memoryDC)
        paint.BitBlt(0, 0, kWidth, kHeight, m_memoryDC.get(), 0, 0, SRCCOPY);
}

BOOL CCategWnd::OnEraseBkgnd(CDC*) {
    return TRUE;
}

// The tiles go before the panel: those that never had a window are deleted here.
void CCategWnd::OnDestroy() {
    for (int code = kPhotos; code <= kCliparts; ++code)
        ClearTiles(code);
    KeepShownAlbumLoaded(nullptr);
    CWnd::OnDestroy();
}

void CCategWnd::OnNcDestroy() {
    CWnd::OnNcDestroy();
    delete this;
}

BOOL CCategWnd::PreTranslateMessage(MSG* message) {
    if (m_toolTip.m_hWnd)
        m_toolTip.RelayEvent(message);
    return CWnd::PreTranslateMessage(message);
}

BOOL CCategWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (id == kCategoryComboId || id == kAlbumComboId) {
        if (code != CBN_SELCHANGE)
            return CWnd::OnCommand(wParam, lParam);
        if (id == kCategoryComboId)
            OnSelChangeCategory();
        else
            OnSelChangeAlbum();
        return TRUE;
    }
    switch (id) {
    case kUndoId:
        OnUndo();
        return TRUE;
    case kCloseId:
        OnClose();
        return TRUE;
    case kFirstId:
        OnFirst();
        return TRUE;
    case kLastId:
        OnLast();
        return TRUE;
    case kNextId:
        OnNext();
        return TRUE;
    case kPrevId:
        OnPrev();
        return TRUE;
    default:
        break;
    }
    if (id >= kInfoIds.front() && id <= kInfoIds.back()) {
        OnInfo(id);
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

void CCategWnd::OnUndo() {
    ICategoryPanelHost& host = CategoryPanelHost();
    if (host.IsSoundEnabled())
        sndPlaySound(host.GetSoundPath() + "/sweek.wav", SND_ASYNC);
    host.OnUndo();
}

void CCategWnd::OnClose() {
    if (CategoryPanelHost().IsModified()) {
        CString question;
        question.Format(AppServices().LoadString(kAskSaveId), AppServices().GetAppName().GetString());
        const int answer = AppServices().MessageBoxText(question, MB_YESNOCANCEL);
        if (answer == IDCANCEL)
            return;
        if (answer == IDYES && !MainWndServices().OnSaveProject())
            return;
    }
    if (CWnd* main = GetParent())
        main->PostMessage(WM_CLOSE);
}

void CCategWnd::EnableUndoButton(BOOL enable) {
    if (m_undo && m_undo->GetSafeHwnd())
        m_undo->EnableWindow(enable);
}

int CCategWnd::GetCurrentCategory() const {
    return m_categoryCombo ? m_categoryCombo->GetCurSel() : -1;
}

int CCategWnd::GetCategoryCode() const {
    const int position = GetCurrentCategory();
    return position < 0 ? 0 : static_cast<int>(m_categoryCombo->GetItemData(position));
}

CComboBox* CCategWnd::GetAlbumCombo() const {
    return m_albumCombo.get();
}

CString CCategWnd::GetCounterText() const {
    return m_counter ? m_counter->GetText() : CString();
}

void CCategWnd::SetCounter(int position, int count) {
    CString text;
    text.Format("%d/%d", position, count);
    m_counter->SetText(text);
}

CWnd* CCategWnd::GetInfoButton(int slot) const {
    return m_infoButtons[static_cast<size_t>(slot)].get();
}

void CCategWnd::RedrawCombos() {
    for (CMainComboBox* combo : {m_categoryCombo.get(), m_albumCombo.get()}) {
        combo->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        CRect under;
        combo->GetWindowRect(&under);
        ScreenToClient(&under);
        under.bottom += 3;
        InvalidateRect(&under, TRUE);
    }
    UpdateWindow();
}
