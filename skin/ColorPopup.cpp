// The popup grid: sizing around the captions, the cell a point or a key leads to, the end of a choice
// (with the colour dialog of the custom box), and the painting of cells and boxes.

#include "skin/ColorPopup.h"

#include "platform/base/AppServices.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/FrameControls.h"
#include "platform/gdi/SystemColors.h"
#include "platform/ui/ColorDialog.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/SystemMetrics.h"
#include "skin/CustomColorDialogOwner.h"

#include <algorithm>
#include <vector>

namespace {

struct NamedColor {
    COLORREF color;
    UINT nameId;
};

// Grid order, 8 columns by 5 rows; the name is the cell's tool tip.
constexpr NamedColor kColors[CColorPopup::kColorCount] = {
    {RGB(0, 0, 0), 320},       {RGB(165, 42, 0), 321},    {RGB(0, 64, 64), 322},
    {RGB(0, 85, 0), 323},      {RGB(0, 0, 94), 324},      {RGB(0, 0, 139), 325},
    {RGB(75, 0, 130), 326},    {RGB(40, 40, 40), 327},    {RGB(139, 0, 0), 330},
    {RGB(255, 104, 32), 331},  {RGB(139, 139, 0), 332},   {RGB(0, 147, 0), 333},
    {RGB(0, 128, 128), 334},   {RGB(0, 0, 255), 335},     {RGB(123, 123, 192), 336},
    {RGB(102, 102, 102), 337}, {RGB(255, 0, 0), 338},     {RGB(255, 173, 91), 339},
    {RGB(50, 205, 50), 360},   {RGB(60, 179, 113), 348},  {RGB(127, 255, 212), 349},
    {RGB(125, 158, 192), 361}, {RGB(128, 0, 128), 362},   {RGB(127, 127, 127), 363},
    {RGB(255, 192, 203), 340}, {RGB(255, 215, 0), 341},   {RGB(255, 255, 0), 342},
    {RGB(0, 255, 0), 343},     {RGB(64, 224, 208), 344},  {RGB(192, 255, 255), 345},
    {RGB(72, 0, 72), 346},     {RGB(192, 192, 192), 347}, {RGB(255, 228, 225), 350},
    {RGB(210, 180, 140), 351}, {RGB(255, 255, 224), 352}, {RGB(152, 251, 152), 353},
    {RGB(175, 238, 238), 354}, {RGB(104, 131, 139), 355}, {RGB(230, 230, 250), 356},
    {RGB(255, 255, 255), 357},
};

constexpr COLORREF AsPaletteColor(COLORREF color) {
    return PALETTERGB(GetRValue(color), GetGValue(color), GetBValue(color));
}

} // namespace

CColorPopup::CColorPopup(COLORREF color) : m_initialColor(color), m_currentColor(color) {
    m_margin = GetSystemMetrics(SM_CXEDGE);
    if (m_cellSize - 2 * m_margin - 2 < 5)
        m_cellSize = 2 * m_margin + 7;
    m_rows = (m_colorCount + m_columns - 1) / m_columns;

    NONCLIENTMETRICS metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        m_font.CreateFontIndirect(&metrics.lfMessageFont);

    std::vector<BYTE> paletteBytes(sizeof(LOGPALETTE) + (m_colorCount - 1) * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(paletteBytes.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(m_colorCount);
    for (int i = 0; i < m_colorCount; ++i)
        palette->palPalEntry[i] = {GetRValue(kColors[i].color), GetGValue(kColors[i].color),
                                   GetBValue(kColors[i].color), 0};
    m_palette.CreatePalette(palette);
}

CColorPopup* CColorPopup::Open(CPoint point, COLORREF color, CWnd* picker, LPCTSTR defaultText,
                               LPCTSTR customText) {
    auto* popup = new CColorPopup(color);
    if (popup->CreatePopupWindow(point, color, picker, defaultText, customText))
        return popup;
    delete popup;
    return nullptr;
}

COLORREF CColorPopup::GetColor(int index) {
    return index >= 0 && index < kColorCount ? kColors[index].color : CLR_DEFAULT;
}

BOOL CColorPopup::CreatePopupWindow(CPoint point, COLORREF color, CWnd* picker, LPCTSTR defaultText,
                                    LPCTSTR customText) {
    m_picker = picker;
    LPCTSTR className =
        AfxRegisterWndClass(CS_SAVEBITS | CS_HREDRAW | CS_VREDRAW, nullptr, GetSysColorBrush(COLOR_BTNFACE));
    if (!CreateEx(0, className, "", WS_VISIBLE | WS_POPUP, point.x, point.y, 100, 100,
                  picker ? picker->GetSafeHwnd() : nullptr, nullptr))
        return FALSE;
    m_defaultText = defaultText ? defaultText : "";
    m_customText = customText ? customText : "";
    SetWindowSize();
    CreateToolTips();
    FindCellFromColor(color);
    // Keys go to the window with the focus; the popup takes it as the system's activation would.
    SetFocus();
    SetCapture();
    return TRUE;
}

void CColorPopup::PostNcDestroy() {
    delete this;
}

void CColorPopup::SetWindowSize() {
    CSize textSize(0, 0);
    if (!m_defaultText.IsEmpty() || !m_customText.IsEmpty()) {
        CClientDC dc(this);
        CFont* oldFont = dc.SelectObject(&m_font);
        const CSize defaultSize = dc.GetTextExtent(m_defaultText);
        const CSize customSize = dc.GetTextExtent(m_customText);
        dc.SelectObject(oldFont);
        textSize = CSize(std::max(defaultSize.cx, customSize.cx), std::max(defaultSize.cy, customSize.cy));
    }
    textSize.cx += 2 * m_margin;
    textSize.cy += 2 * m_margin;
    textSize.cy += 2 * m_margin + 2;

    GetWindowRect(&m_windowRect);
    m_windowRect.right = m_windowRect.left + m_columns * m_cellSize + 2 * m_margin;
    m_windowRect.bottom = m_windowRect.top + m_rows * m_cellSize + 2 * m_margin;

    if (!m_defaultText.IsEmpty()) {
        if (textSize.cx > m_windowRect.Width())
            m_windowRect.right = m_windowRect.left + textSize.cx;
        textSize.cx = m_windowRect.Width() - 2 * m_margin;
        m_defaultRect.SetRect(m_margin, m_margin, m_margin + textSize.cx, textSize.cy + 2 * m_margin);
        m_windowRect.bottom += m_defaultRect.Height() + 2 * m_margin;
    }
    if (!m_customText.IsEmpty()) {
        if (textSize.cx > m_windowRect.Width())
            m_windowRect.right = m_windowRect.left + textSize.cx;
        textSize.cx = m_windowRect.Width() - 2 * m_margin;
        const int height = m_windowRect.Height();
        m_customRect.SetRect(m_margin, height, m_margin + textSize.cx, height + m_margin + textSize.cy);
        m_windowRect.bottom += m_customRect.Height() + 2 * m_margin;
    }

    const CSize screen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    if (m_windowRect.right > screen.cx)
        m_windowRect.OffsetRect(-(m_windowRect.right - screen.cx), 0);
    if (m_windowRect.left < 0)
        m_windowRect.OffsetRect(-m_windowRect.left, 0);
    if (m_windowRect.bottom > screen.cy) {
        CRect pickerRect;
        if (m_picker)
            m_picker->GetWindowRect(&pickerRect);
        m_windowRect.OffsetRect(0, -(pickerRect.Height() + m_windowRect.Height()));
    }
    MoveWindow(&m_windowRect, TRUE);
}

void CColorPopup::CreateToolTips() {
    if (!m_toolTip.Create(this))
        return;
    for (int i = 0; i < m_colorCount; ++i) {
        const CRect cell = GetCellRect(i);
        const CString name = AppServices().LoadString(kColors[i].nameId).Left(255);
        m_toolTip.AddTool(this, name, &cell, static_cast<UINT_PTR>(i + 1));
    }
}

BOOL CColorPopup::PreTranslateMessage(MSG* message) {
    if (m_toolTip.m_hWnd)
        m_toolTip.RelayEvent(message);
    return CWnd::PreTranslateMessage(message);
}

void CColorPopup::FindCellFromColor(COLORREF color) {
    if (color == CLR_DEFAULT && !m_defaultText.IsEmpty()) {
        m_chosenCell = kDefaultBox;
        return;
    }
    for (int i = 0; i < m_colorCount; ++i) {
        if (kColors[i].color == color) {
            m_chosenCell = i;
            return;
        }
    }
    m_chosenCell = m_customText.IsEmpty() ? kNoCell : kCustomBox;
}

CRect CColorPopup::GetCellRect(int index) const {
    CRect cell((index % m_columns) * m_cellSize + m_margin, (index / m_columns) * m_cellSize + m_margin, 0,
               0);
    if (!m_defaultText.IsEmpty())
        cell.OffsetRect(0, m_margin + m_defaultRect.Height());
    cell.right = cell.left + m_cellSize;
    cell.bottom = cell.top + m_cellSize;
    return cell;
}

int CColorPopup::CellFromPoint(CPoint point) const {
    point.Offset(-m_margin, -m_margin);
    if (m_customRect.PtInRect(point))
        return kCustomBox;
    if (m_defaultRect.PtInRect(point))
        return kDefaultBox;
    if (!m_defaultText.IsEmpty())
        point.y -= m_defaultRect.Height();
    const int row = point.y / m_cellSize;
    const int column = point.x / m_cellSize;
    // Right of the last column (a caption wider than the grid) lies no cell, not one of the next row.
    if (column >= m_columns)
        return kNoCell;
    const int index = row * m_columns + column;
    return row >= 0 && row < m_rows && column >= 0 && index < m_colorCount ? index : kNoCell;
}

void CColorPopup::OnMouseMove(UINT flags, CPoint point) {
    const int cell = CellFromPoint(point);
    if (cell != kNoCell && cell != m_currentCell)
        ChangeSelection(cell);
    CWnd::OnMouseMove(flags, point);
}

void CColorPopup::OnLButtonUp(UINT flags, CPoint point) {
    CWnd::OnLButtonUp(flags, point);
    CPoint screenPoint = point;
    ClientToScreen(&screenPoint);
    EndSelection(m_windowRect.PtInRect(screenPoint) ? CPN_SELENDOK : CPN_SELENDCANCEL);
}

int CColorPopup::CellAfterKey(UINT key) const {
    const bool hasDefault = !m_defaultText.IsEmpty();
    const bool hasCustom = !m_customText.IsEmpty();
    const int last = m_colorCount - 1;
    // Where a move off the grid's end (after) or start (before) lands.
    const int after = hasCustom ? kCustomBox : hasDefault ? kDefaultBox : 0;
    const int before = hasDefault ? kDefaultBox : hasCustom ? kCustomBox : last;
    // With no current cell (-1) this is row 0, column -1: Right leads to the first cell.
    const int row = m_currentCell / m_columns;
    const int column = m_currentCell % m_columns;
    switch (key) {
    case VK_DOWN:
        if (m_currentCell == kDefaultBox)
            return 0;
        if (m_currentCell == kCustomBox)
            return hasDefault ? kDefaultBox : 0;
        return (row + 1) * m_columns + column <= last ? (row + 1) * m_columns + column : after;
    case VK_UP:
        if (m_currentCell == kDefaultBox)
            return hasCustom ? kCustomBox : last;
        if (m_currentCell == kCustomBox)
            return last;
        return row >= 1 ? (row - 1) * m_columns + column : before;
    case VK_RIGHT: {
        if (m_currentCell == kDefaultBox)
            return 0;
        if (m_currentCell == kCustomBox)
            return hasDefault ? kDefaultBox : 0;
        const int next = column < m_columns - 1 ? row * m_columns + column + 1 : (row + 1) * m_columns;
        return next <= last ? next : after;
    }
    case VK_LEFT:
        if (m_currentCell == kDefaultBox)
            return hasCustom ? kCustomBox : last;
        if (m_currentCell == kCustomBox)
            return last;
        if (column > 0)
            return row * m_columns + column - 1;
        return row >= 1 ? (row - 1) * m_columns + m_columns - 1 : before;
    default:
        return m_currentCell;
    }
}

void CColorPopup::OnKeyDown(UINT key, UINT repeatCount, UINT flags) {
    switch (key) {
    case VK_DOWN:
    case VK_UP:
    case VK_RIGHT:
    case VK_LEFT:
        ChangeSelection(CellAfterKey(key));
        return;
    case VK_RETURN:
    case VK_SPACE:
        EndSelection(CPN_SELENDOK);
        return;
    case VK_ESCAPE:
        m_currentColor = m_initialColor;
        EndSelection(CPN_SELENDCANCEL);
        return;
    default:
        CWnd::OnKeyDown(key, repeatCount, flags);
    }
}

void CColorPopup::OnKillFocus(CWnd* newWindow) {
    CWnd::OnKillFocus(newWindow);
    ReleaseCapture();
}

void CColorPopup::OnActivateApp(BOOL active, DWORD threadId) {
    CWnd::OnActivateApp(active, threadId);
    if (!active)
        EndSelection(CPN_SELENDCANCEL);
}

void CColorPopup::ChangeSelection(int index) {
    if (index >= m_colorCount)
        index = kCustomBox;
    const int old = m_currentCell;
    m_currentCell = index;
    if (old != kNoCell)
        RedrawCell(old);
    RedrawCell(index);
    if (index == kCustomBox) {
        m_picker->SendMessage(CPN_SELCHANGE, m_initialColor, 0);
        return;
    }
    m_currentColor = index == kDefaultBox ? CLR_DEFAULT : kColors[index].color;
    m_picker->SendMessage(CPN_SELCHANGE, m_currentColor, 0);
}

bool CColorPopup::ChooseCustomColor() {
    auto* owner = m_picker ? dynamic_cast<ICustomColorDialogOwner*>(m_picker->GetParent()) : nullptr;
    CColorDialog dialog(m_initialColor, CC_FULLOPEN | CC_ANYCOLOR, this);
    if (owner)
        owner->SetCustomColorDialogOpen(TRUE);
    const bool chosen = dialog.DoModal() == IDOK;
    if (owner)
        owner->SetCustomColorDialogOpen(FALSE);
    if (chosen)
        m_currentColor = dialog.GetColor();
    return chosen;
}

void CColorPopup::EndSelection(UINT message) {
    // The colour dialog runs inside an ending; the application losing its activation meanwhile must not
    // end (and destroy) the popup a second time.
    if (m_ending)
        return;
    m_ending = true;
    ReleaseCapture();
    if (message == CPN_SELENDOK && m_currentCell == kCustomBox && !ChooseCustomColor())
        message = CPN_SELENDCANCEL;
    if (message == CPN_SELENDCANCEL)
        m_currentColor = m_initialColor;
    m_picker->SendMessage(message, m_currentColor, 0);
    DestroyWindow();
}

void CColorPopup::RedrawCell(int index) {
    if (index == kNoCell)
        return;
    CClientDC dc(this);
    if (index >= 0)
        DrawCell(&dc, index);
    else
        DrawBox(&dc, index);
}

void CColorPopup::OnPaint() {
    CPaintDC dc(this);
    if (!m_defaultText.IsEmpty())
        DrawBox(&dc, kDefaultBox);
    for (int i = 0; i < m_colorCount; ++i)
        DrawCell(&dc, i);
    if (!m_customText.IsEmpty())
        DrawBox(&dc, kCustomBox);
    CRect client;
    GetClientRect(&client);
    dc.DrawEdge(&client, EDGE_RAISED, BF_RECT);
}

void CColorPopup::DrawCell(CDC* dc, int index) {
    CRect cell = GetCellRect(index);
    CPalette* oldPalette = nullptr;
    if (dc->GetDeviceCaps(RASTERCAPS) & RC_PALETTE) {
        oldPalette = dc->SelectPalette(&m_palette, FALSE);
        dc->RealizePalette();
    }
    const bool current = index == m_currentCell;
    const bool chosen = index == m_chosenCell;
    dc->FillSolidRect(&cell, GetSysColor(chosen && !current ? COLOR_3DHILIGHT : COLOR_3DFACE));
    if (current)
        dc->DrawEdge(&cell, BDR_RAISEDINNER, BF_RECT);
    else if (chosen)
        dc->DrawEdge(&cell, BDR_SUNKENOUTER, BF_RECT);

    CBrush brush(AsPaletteColor(kColors[index].color));
    CPen pen(PS_SOLID, 1, GetSysColor(COLOR_3DSHADOW));
    CBrush* oldBrush = dc->SelectObject(&brush);
    CPen* oldPen = dc->SelectObject(&pen);
    cell.DeflateRect(m_margin + 1, m_margin + 1);
    dc->Rectangle(&cell);
    dc->SelectObject(oldBrush);
    dc->SelectObject(oldPen);
    if (oldPalette)
        dc->SelectPalette(oldPalette, FALSE);
}

void CColorPopup::DrawBox(CDC* dc, int index) {
    const bool isDefault = index == kDefaultBox;
    CRect box = isDefault ? m_defaultRect : m_customRect;
    if (!isDefault) {
        box.top += 2 * m_margin;
        dc->FillSolidRect(&box, GetSysColor(COLOR_3DFACE));
        // The separator above the custom box.
        const int left = box.left + 2 * m_margin;
        const int width = box.Width() - 4 * m_margin;
        dc->FillSolidRect(left, box.top, width, 1, GetSysColor(COLOR_3DSHADOW));
        dc->FillSolidRect(left, box.top + 1, width, 1, GetSysColor(COLOR_3DHILIGHT));
    } else {
        dc->FillSolidRect(&box, GetSysColor(COLOR_3DFACE));
    }
    box.DeflateRect(1, 1);
    const bool current = index == m_currentCell;
    const bool chosen = index == m_chosenCell;
    if (chosen && !current)
        dc->FillSolidRect(&box, GetSysColor(COLOR_3DLIGHT));
    if (isDefault) {
        CRect outline = box;
        outline.DeflateRect(2 * m_margin, 2 * m_margin);
        CPen pen(PS_SOLID, 1, GetSysColor(COLOR_3DSHADOW));
        CPen* oldPen = dc->SelectObject(&pen);
        CGdiObject* oldBrush = dc->SelectStockObject(NULL_BRUSH);
        dc->Rectangle(&outline);
        dc->SelectObject(oldPen);
        dc->SelectObject(oldBrush);
    }
    if (current)
        dc->DrawEdge(&box, BDR_RAISEDINNER, BF_RECT);
    else if (chosen)
        dc->DrawEdge(&box, BDR_SUNKENOUTER, BF_RECT);

    CFont* oldFont = dc->SelectObject(&m_font);
    dc->SetBkMode(TRANSPARENT);
    dc->DrawText(isDefault ? m_defaultText : m_customText, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    dc->SelectObject(oldFont);
}
