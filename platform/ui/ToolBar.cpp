// The tool bar: its buttons from a template and a bitmap strip, their layout in one row, clicks that
// send commands to the frame, the states the frame's update pass gives them, and the tips.
#include "platform/ui/ToolBar.h"

#include "platform/base/AppServices.h"
#include "platform/base/Resource.h"
#include "platform/base/ToolBarTemplate.h"
#include "platform/gdi/Dc.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/ToolTipCtrl.h"

#include <QImage>
#include <QPainter>
#include <cstring>

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

namespace {

// Room around a button's image, and the bar's own edge above and below the buttons.
constexpr int kButtonPadX = 8;
constexpr int kButtonPadY = 7;
constexpr int kBarEdge = 2;
constexpr int kGripperWidth = 8;
constexpr int kSeparatorWidth = 8;
// The strips' key colour: magenta pixels are transparent.
constexpr COLORREF kStripKey = RGB(255, 0, 255);

QColor SystemColor(int index) {
    const COLORREF color = GetSysColor(index);
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

// A disabled button's picture: grey and faint.
QImage DisabledPicture(const QImage& picture) {
    QImage grey = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < grey.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const int level = 128 + qGray(row[x]) / 2;
            row[x] = qRgba(level, level, level, qAlpha(row[x]) / 2);
        }
    }
    return grey;
}

// The tip of a command: the text after "\n" in its string; empty when there is none.
CString TipOfCommand(UINT id) {
    HMODULE module = AppServices().GetTextModule();
    if (!module)
        module = AfxGetResourceHandle();
    const CString text = LoadWholeString(module, id, 256);
    const int lineBreak = text.Find('\n');
    return lineBreak < 0 ? CString() : text.Mid(lineBreak + 1);
}

} // namespace

class CToolBarCmdUI final : public CCmdUI {
public:
    void Enable(BOOL on) override {
        CCmdUI::Enable(on);
        auto* bar = static_cast<CToolBar*>(m_pOther);
        const int index = static_cast<int>(m_nIndex);
        const UINT style = bar->GetButtonStyle(index);
        bar->SetButtonStyle(index, on ? style & ~TBBS_DISABLED : style | TBBS_DISABLED);
    }
    void SetCheck(int check) override {
        auto* bar = static_cast<CToolBar*>(m_pOther);
        const int index = static_cast<int>(m_nIndex);
        const UINT style = bar->GetButtonStyle(index);
        bar->SetButtonStyle(index, check ? style | TBBS_CHECKED : style & ~TBBS_CHECKED);
    }
};

CToolBar::CToolBar() = default;

CToolBar::~CToolBar() = default;

BOOL CToolBar::CreateEx(CWnd* parent, DWORD /*ctrlStyle*/, DWORD style, CRect borders, UINT id) {
    m_borders = borders;
    if (!CreateBar(nullptr, style, parent, id))
        return FALSE;
    if (m_dwStyle & CBRS_TOOLTIPS) {
        m_tips = std::make_unique<CToolTipCtrl>();
        if (!m_tips->Create(this))
            m_tips.reset();
    }
    return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT resourceId) {
    ToolBarTemplate bar;
    if (!LoadToolBarTemplate(AfxGetResourceHandle(), resourceId, bar))
        return FALSE;
    auto images = std::make_unique<CImageList>();
    if (!images->Create(bar.bitmap.GetString(), bar.imageWidth, 1, kStripKey))
        return FALSE;
    m_images = std::move(images);
    m_imageSize = CSize(bar.imageWidth, bar.imageHeight);
    return SetButtons(bar.buttons.data(), static_cast<int>(bar.buttons.size()));
}

BOOL CToolBar::SetButtons(const UINT* ids, int count) {
    if (count < 0 || (count > 0 && !ids))
        return FALSE;
    m_buttons.clear();
    int image = 0;
    for (int i = 0; i < count; ++i) {
        Button button;
        button.id = ids[i];
        if (ids[i] == ID_SEPARATOR) {
            button.style = TBBS_SEPARATOR;
            button.image = kSeparatorWidth;
        } else {
            button.image = image++;
        }
        m_buttons.push_back(button);
    }
    UpdateTips();
    Invalidate();
    return TRUE;
}

void CToolBar::SetButtonInfo(int index, UINT id, UINT style, int image) {
    if (index < 0 || index >= GetCount())
        return;
    Button& button = m_buttons[static_cast<size_t>(index)];
    button.id = id;
    button.style = style;
    button.image = image;
    UpdateTips();
    Invalidate();
}

void CToolBar::GetButtonInfo(int index, UINT& id, UINT& style, int& image) const {
    if (index < 0 || index >= GetCount())
        return;
    const Button& button = m_buttons[static_cast<size_t>(index)];
    id = button.id;
    style = button.style;
    image = button.image;
}

UINT CToolBar::GetButtonStyle(int index) const {
    return index >= 0 && index < GetCount() ? m_buttons[static_cast<size_t>(index)].style : 0;
}

void CToolBar::SetButtonStyle(int index, UINT style) {
    if (index < 0 || index >= GetCount() || m_buttons[static_cast<size_t>(index)].style == style)
        return;
    m_buttons[static_cast<size_t>(index)].style = style;
    CRect rect;
    GetItemRect(index, &rect);
    InvalidateRect(&rect, FALSE);
}

void CToolBar::GetItemRect(int index, LPRECT rect) const {
    *rect = CRect(0, 0, 0, 0);
    if (index < 0 || index >= GetCount())
        return;
    int x = m_borders.left + kBarEdge + ((m_dwStyle & CBRS_GRIPPER) ? kGripperWidth : 0);
    const int top = m_borders.top + kBarEdge;
    const int height = m_imageSize.cy + kButtonPadY;
    for (int i = 0;; ++i) {
        const Button& button = m_buttons[static_cast<size_t>(i)];
        const int width = (button.style & TBBS_SEPARATOR) ? button.image : m_imageSize.cx + kButtonPadX;
        if (i == index) {
            *rect = CRect(x, top, x + width, top + height);
            return;
        }
        x += width;
    }
}

UINT CToolBar::GetItemID(int index) const {
    return index >= 0 && index < GetCount() ? m_buttons[static_cast<size_t>(index)].id : 0;
}

int CToolBar::CommandToIndex(UINT id) const {
    for (int i = 0; i < GetCount(); ++i) {
        if (m_buttons[static_cast<size_t>(i)].id == id)
            return i;
    }
    return -1;
}

int CToolBar::GetCount() const {
    return static_cast<int>(m_buttons.size());
}

CToolTipCtrl* CToolBar::GetToolTips() const {
    return m_tips.get();
}

int CToolBar::CalcHeight() const {
    return m_borders.top + m_borders.bottom + 2 * kBarEdge + m_imageSize.cy + kButtonPadY;
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) {
    if (!target)
        return;
    CToolBarCmdUI state;
    state.m_pOther = this;
    for (int i = 0; i < GetCount(); ++i) {
        const Button& button = m_buttons[static_cast<size_t>(i)];
        if (button.style & TBBS_SEPARATOR)
            continue;
        state.m_nID = button.id;
        state.m_nIndex = static_cast<UINT>(i);
        target->UpdateCommand(&state, disableIfNoHandler);
    }
}

BOOL CToolBar::PreTranslateMessage(MSG* message) {
    if (m_tips && message->hwnd == m_hWnd && message->message >= WM_MOUSEFIRST &&
        message->message <= WM_MOUSELAST)
        m_tips->RelayEvent(message);
    return CControlBar::PreTranslateMessage(message);
}

void CToolBar::UpdateTips() {
    if (!m_tips)
        return;
    for (UINT id : m_tipTools)
        m_tips->DelTool(this, id);
    m_tipTools.clear();
    for (int i = 0; i < GetCount(); ++i) {
        const Button& button = m_buttons[static_cast<size_t>(i)];
        if (button.style & TBBS_SEPARATOR)
            continue;
        const CString tip = TipOfCommand(button.id);
        if (tip.IsEmpty())
            continue;
        CRect rect;
        GetItemRect(i, &rect);
        if (m_tips->AddTool(this, tip, &rect, button.id))
            m_tipTools.push_back(button.id);
    }
}

int CToolBar::HitButton(CPoint point) const {
    for (int i = 0; i < GetCount(); ++i) {
        CRect rect;
        GetItemRect(i, &rect);
        if (!(m_buttons[static_cast<size_t>(i)].style & TBBS_SEPARATOR) && rect.PtInRect(point))
            return i;
    }
    return -1;
}

void CToolBar::OnLButtonDown(UINT /*flags*/, CPoint point) {
    const int index = HitButton(point);
    if (index < 0 || (GetButtonStyle(index) & TBBS_DISABLED))
        return;
    m_pressed = index;
    m_pressedInside = true;
    SetCapture();
    SetButtonStyle(index, GetButtonStyle(index) | TBBS_PRESSED);
}

void CToolBar::OnMouseMove(UINT /*flags*/, CPoint point) {
    if (m_pressed < 0)
        return;
    m_pressedInside = HitButton(point) == m_pressed;
    const UINT style = GetButtonStyle(m_pressed);
    SetButtonStyle(m_pressed, m_pressedInside ? style | TBBS_PRESSED : style & ~TBBS_PRESSED);
}

void CToolBar::OnLButtonUp(UINT /*flags*/, CPoint point) {
    if (m_pressed < 0)
        return;
    const int index = m_pressed;
    const bool clicked = HitButton(point) == index;
    m_pressed = -1;
    SetButtonStyle(index, GetButtonStyle(index) & ~TBBS_PRESSED);
    if (GetCapture() == this)
        ::ReleaseCapture();
    CWnd* parent = GetParent();
    if (clicked && parent)
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetItemID(index)), BN_CLICKED),
                            reinterpret_cast<LPARAM>(m_hWnd));
}

void CToolBar::OnCaptureChanged(CWnd* window) {
    if (m_pressed >= 0 && window != this) {
        SetButtonStyle(m_pressed, GetButtonStyle(m_pressed) & ~TBBS_PRESSED);
        m_pressed = -1;
    }
    CControlBar::OnCaptureChanged(window);
}

void CToolBar::OnDestroy() {
    m_tips.reset();
    CControlBar::OnDestroy();
}

BOOL CToolBar::OnEraseBkgnd(CDC* /*dc*/) {
    return TRUE;
}

void CToolBar::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    if (client.IsRectEmpty())
        return;
    QImage surface(client.Width(), client.Height(), QImage::Format_RGB32);
    surface.fill(SystemColor(COLOR_BTNFACE));
    {
        QPainter painter(&surface);
        const QColor shadow = SystemColor(COLOR_BTNSHADOW);
        const QColor light = SystemColor(COLOR_BTNHIGHLIGHT);
        if (m_dwStyle & CBRS_BORDER_BOTTOM) {
            painter.setPen(shadow);
            painter.drawLine(0, client.Height() - 1, client.Width() - 1, client.Height() - 1);
        }
        if (m_dwStyle & CBRS_GRIPPER) {
            const int x = m_borders.left + kBarEdge + 2;
            painter.setPen(light);
            painter.drawLine(x, kBarEdge + 2, x, client.Height() - kBarEdge - 3);
            painter.setPen(shadow);
            painter.drawLine(x + 1, kBarEdge + 2, x + 1, client.Height() - kBarEdge - 3);
        }
        for (int i = 0; i < GetCount(); ++i) {
            const Button& button = m_buttons[static_cast<size_t>(i)];
            CRect rect;
            GetItemRect(i, &rect);
            if (button.style & TBBS_SEPARATOR) {
                const int x = rect.CenterPoint().x;
                painter.setPen(shadow);
                painter.drawLine(x - 1, rect.top + 1, x - 1, rect.bottom - 2);
                painter.setPen(light);
                painter.drawLine(x, rect.top + 1, x, rect.bottom - 2);
                continue;
            }
            const bool sunken = button.style & (TBBS_PRESSED | TBBS_CHECKED);
            if (sunken) {
                painter.setPen(shadow);
                painter.drawLine(rect.left, rect.top, rect.right - 1, rect.top);
                painter.drawLine(rect.left, rect.top, rect.left, rect.bottom - 1);
                painter.setPen(light);
                painter.drawLine(rect.left, rect.bottom - 1, rect.right - 1, rect.bottom - 1);
                painter.drawLine(rect.right - 1, rect.top, rect.right - 1, rect.bottom - 1);
            }
            const QImage picture =
                m_images ? ImageListPicture(m_images->GetSafeHandle(), button.image) : QImage();
            if (picture.isNull())
                continue;
            const int shift = sunken ? 1 : 0;
            const QPoint at(rect.left + (rect.Width() - picture.width()) / 2 + shift,
                            rect.top + (rect.Height() - picture.height()) / 2 + shift);
            painter.drawImage(at, (button.style & TBBS_DISABLED) ? DisabledPicture(picture) : picture);
        }
    }
    CDC surfaceDc;
    if (surfaceDc.CreateImageDC(&surface))
        dc.BitBlt(0, 0, client.Width(), client.Height(), &surfaceDc, 0, 0, SRCCOPY);
}

void SetToolBarComboFont(CComboBox& box, CFont& font) {
    constexpr BYTE kSwissVariablePitch = 0x22; // FF_SWISS | VARIABLE_PITCH
    constexpr LONG kThinWeight = 100;
    if (GetSystemMetrics(SM_DBCSENABLED) == 0) {
        LOGFONT logFont{};
        logFont.lfHeight = -12;
        logFont.lfWeight = kThinWeight;
        logFont.lfPitchAndFamily = kSwissVariablePitch;
        std::strncpy(logFont.lfFaceName, "MS Sans Serif", LF_FACESIZE - 1);
        if (font.CreateFontIndirect(&logFont))
            box.SetFont(&font);
    } else {
        font.Attach(GetStockObject(DEFAULT_GUI_FONT));
        box.SetFont(&font);
    }
}
