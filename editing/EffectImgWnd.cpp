// The effects dialog's preset windows: making a thumbnail, painting it fitted, and a click.

#include "editing/EffectImgWnd.h"

#include "editing/EffModifWnd.h"
#include "editing/EffectsDlg.h"
#include "image/WorkBitmap.h"
#include "platform/base/AppServices.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/ui/PaintDC.h"

#include <algorithm>

namespace {

struct Swatch {
    COLORREF colour;
    LPCTSTR bitmap;
};
constexpr Swatch kSwatches[] = {{0x8A7B43, "REDEYE_1"},
                                {0x5A6A96, "REDEYE_2"},
                                {0x9AB6BA, "REDEYE_3"},
                                {0x5C9459, "REDEYE_4"},
                                {0x965D5C, "REDEYE_5"}};

constexpr COLORREF kClickedFrame = 0x0000FF;
constexpr COLORREF kFocusFrame = 0x7FFF7F;

} // namespace

LPCTSTR RedEyeSwatchName(COLORREF colour) {
    for (const Swatch& swatch : kSwatches) {
        if (swatch.colour == colour)
            return swatch.bitmap;
    }
    return nullptr;
}

void CEffectImgWnd::SetEffect(CAdjustImage* settings, int effect, int value) {
    m_thumbnail.reset();
    const CPictureInfo* original = settings ? settings->GetOriginalDib() : nullptr;
    if (original)
        m_thumbnail.reset(original->Clone());
    if (m_thumbnail) {
        if (effect == kAdjustRedEye) {
            if (LPCTSTR swatch = RedEyeSwatchName(static_cast<COLORREF>(value)))
                m_thumbnail->LoadResource(swatch, AppServices().GetResourceModule());
        } else if (effect != kAdjustNegative || value < 50) {
            // Negative at 50 or more is the unchanged picture.
            settings->ApplyEffect(m_thumbnail.get(), effect, value);
        }
    }
    m_value = value;
}

void CEffectImgWnd::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    const int width = client.Width();
    const int height = client.Height();
    if (!m_thumbnail || m_thumbnail->GetWidth() <= 0 || m_thumbnail->GetHeight() <= 0) {
        dc.FillSolidRect(&client, kEffectPanelColor);
    } else {
        const float scale =
            std::min(static_cast<float>(width - 1) / static_cast<float>(m_thumbnail->GetWidth()),
                     static_cast<float>(height - 1) / static_cast<float>(m_thumbnail->GetHeight()));
        const int w = static_cast<int>(static_cast<float>(m_thumbnail->GetWidth()) * scale);
        const int h = static_cast<int>(static_cast<float>(m_thumbnail->GetHeight()) * scale);
        const CRect picture(1 + (width - w) / 2, 1 + (height - h) / 2, (width + w) / 2, (height + h) / 2);
        m_thumbnail->Draw(&dc, picture, SRCCOPY);
        dc.FillSolidRect(0, 0, width, picture.top, kEffectPanelColor);
        dc.FillSolidRect(0, picture.bottom, width, height - picture.bottom, kEffectPanelColor);
        dc.FillSolidRect(0, picture.top, picture.left, picture.Height(), kEffectPanelColor);
        dc.FillSolidRect(picture.right, picture.top, width - picture.right, picture.Height(),
                         kEffectPanelColor);
    }
    if (GetFocus() != this)
        return;
    CPen pen(PS_SOLID, 3, m_clicked ? kClickedFrame : kFocusFrame);
    CPen* oldPen = dc.SelectObject(&pen);
    CGdiObject* oldBrush = dc.SelectStockObject(HOLLOW_BRUSH);
    dc.Rectangle(&client);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
}

void CEffectImgWnd::OnLButtonDown(UINT flags, CPoint point) {
    m_clicked = 1;
    Invalidate();
    if (m_value >= 0) {
        CWorkBitmap* work = m_dialog->GetWorkBitmap();
        if (m_dialog->IsEffectSelected(kAdjustRedEye)) {
            if (work) {
                work->SetCurrentShapeColor(static_cast<COLORREF>(m_value));
                work->Rebuild(false);
            }
            if (CEffModifWnd* preview = m_dialog->GetModifWnd()) {
                preview->UpdateView();
                preview->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            }
        } else {
            m_dialog->SetStrength(m_value);
        }
    }
    CEffectWindowBase::OnLButtonDown(flags, point);
}

void CEffectImgWnd::OnSetFocus(CWnd* oldWindow) {
    CEffectWindowBase::OnSetFocus(oldWindow);
    Invalidate();
}

void CEffectImgWnd::OnKillFocus(CWnd* newWindow) {
    CEffectWindowBase::OnKillFocus(newWindow);
    m_clicked = 0;
    Invalidate();
}
