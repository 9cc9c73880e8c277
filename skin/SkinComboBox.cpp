// The shared parts of the skinned combo boxes: creation of the font and the arrow bitmap, the drop-down
// items, and the reactions that keep the standard drawing off the screen.

#include "skin/SkinComboBox.h"

#include "platform/gdi/GdiObject.h"
#include "platform/ui/PaintDC.h"
#include "skin/SkinBitmap.h"

#include <new>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
// Where the hot and the normal arrow image lie in the skin bitmap.
constexpr int kHotArrowX = 0;
constexpr int kNormalArrowX = 37;
constexpr int kItemWidth = 270;

void CreateArialFont(CFont& font, BOOL italic) {
    font.CreateFont(14, 0, 0, 0, 700, static_cast<BYTE>(italic), 0, 0, 0, 0, 0, 0, 0, "Arial");
}

} // namespace

CSkinComboBox::CSkinComboBox(int itemHeight, LPCTSTR arrowBitmap)
    : m_itemHeight(itemHeight), m_arrowBitmap(arrowBitmap) {}

CSkinComboBox::~CSkinComboBox() {
    if (m_oldBitmap)
        m_memoryDC.SelectObject(m_oldBitmap);
}

int CSkinComboBox::OnCreate(LPCREATESTRUCT create) {
    if (CComboBox::OnCreate(create) == -1)
        return -1;
    try {
        if (m_arrowBitmap) {
            CClientDC screen(this);
            m_memoryDC.CreateCompatibleDC(&screen);
        }
        CreateArialFont(m_font, TRUE);
        SetFont(&m_font, TRUE);
        // A missing arrow bitmap leaves the arrow area unpainted; the control still works.
        if (m_arrowBitmap && LoadSkinBitmap(m_arrow, m_arrowBitmap, this))
            m_oldBitmap = m_memoryDC.SelectObject(&m_arrow);
    } catch (const std::bad_alloc&) {
        return -1;
    }
    return 0;
}

void CSkinComboBox::DrawItem(LPDRAWITEMSTRUCT drawItem) {
    CDC* dc = CDC::FromHandle(drawItem->hDC);
    CRect rect(drawItem->rcItem);
    const int index = static_cast<int>(drawItem->itemID);
    CString text;
    if (index >= 0)
        GetLBText(index, text);
    CFont* oldFont = dc->SelectObject(&m_font);
    dc->SetBkMode(TRANSPARENT);
    if (drawItem->itemAction & ODA_DRAWENTIRE) {
        if (index == -1) {
            rect.left = 35;
            rect.bottom = 18;
            dc->FillSolidRect(&rect, kPaleColor);
        } else {
            dc->FillSolidRect(&rect, kWhite);
            dc->TextOut(rect.left + 3, rect.top + 2, text);
        }
    }
    if (drawItem->itemAction & (ODA_SELECT | ODA_FOCUS)) {
        const bool selected = (drawItem->itemState & ODS_SELECTED) != 0;
        dc->FillSolidRect(&rect, selected ? kPaleColor : kWhite);
        // After a selection change the selected item's text sits two pixels higher.
        const bool raised = selected && (drawItem->itemAction & ODA_SELECT);
        if (index != -1)
            dc->TextOut(rect.left + 3, rect.top + (raised ? 0 : 2), text);
    }
    dc->SelectObject(oldFont);
}

void CSkinComboBox::MeasureItem(LPMEASUREITEMSTRUCT measureItem) {
    measureItem->itemWidth = kItemWidth;
    measureItem->itemHeight = static_cast<UINT>(m_itemHeight);
}

void CSkinComboBox::OnLButtonDown(UINT flags, CPoint point) {
    SendMessage(WM_SETREDRAW, TRUE);
    CComboBox::OnLButtonDown(flags, point);
}

void CSkinComboBox::OnLButtonDblClk(UINT /*flags*/, CPoint /*point*/) {}

BOOL CSkinComboBox::OnSetCursor(CWnd* window, UINT hitTest, UINT message) {
    if (!m_hot) {
        m_hot = 1;
        Invalidate();
        UpdateWindow();
    }
    return CComboBox::OnSetCursor(window, hitTest, message);
}

HBRUSH CSkinComboBox::CtlColor(CDC* /*dc*/, UINT /*ctlColor*/) {
    return static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH));
}

BOOL CSkinComboBox::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(static_cast<DWORD>(wParam)) == LBN_SELCHANGE)
        SendMessage(WM_SETREDRAW, FALSE);
    return CComboBox::OnCommand(wParam, lParam);
}

void CSkinComboBox::RepaintInParent() {
    SendMessage(WM_SETREDRAW, TRUE);
    CWnd* parent = GetParent();
    if (!parent)
        return;
    CRect rect;
    GetWindowRect(&rect);
    parent->ScreenToClient(&rect);
    parent->InvalidateRect(&rect, TRUE);
    parent->UpdateWindow();
}

void CSkinComboBox::DrawArrow(CDC* dc, CPoint to, CSize size, int sourceY) {
    if (!m_arrow.m_hObject)
        return;
    dc->BitBlt(to.x, to.y, size.cx, size.cy, &m_memoryDC, m_hot ? kHotArrowX : kNormalArrowX, sourceY,
               SRCCOPY);
}

void CSkinComboBox::DrawFaceText(CDC* dc, CPoint point, bool clipped) {
    const int selection = GetCurSel();
    if (selection == CB_ERR)
        return;
    CString text;
    GetLBText(selection, text);
    CFont faceFont;
    CreateArialFont(faceFont, FALSE);
    CFont* oldFont = dc->SelectObject(&faceFont);
    dc->SetBkMode(TRANSPARENT);
    CRect client;
    GetClientRect(&client);
    dc->ExtTextOut(point.x, point.y, clipped ? ETO_CLIPPED : 0, clipped ? &client : nullptr, text,
                   static_cast<UINT>(text.GetLength()), nullptr);
    dc->SelectObject(oldFont);
}
