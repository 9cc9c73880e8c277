// The effects dialog's preset windows: making a thumbnail, painting it fitted, and a click.

#include "editing/EffectImgWnd.h"

#include "editing/EffModifWnd.h"
#include "editing/EffectsDlg.h"
#include "editing/PreviewPicture.h"
#include "image/WorkBitmap.h"
#include "platform/base/AppServices.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/ui/PaintDC.h"

#include <algorithm>
#include <cstdlib>

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

// Where a picture of that size is painted, fitted and centred, on a client of that size.
CRect FittedRect(CSize client, CSize picture) {
    const float scale = std::min(static_cast<float>(client.cx - 1) / static_cast<float>(picture.cx),
                                 static_cast<float>(client.cy - 1) / static_cast<float>(picture.cy));
    const int w = static_cast<int>(static_cast<float>(picture.cx) * scale);
    const int h = static_cast<int>(static_cast<float>(picture.cy) * scale);
    return CRect(1 + (client.cx - w) / 2, 1 + (client.cy - h) / 2, (client.cx + w) / 2, (client.cy + h) / 2);
}

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
    if (original && original->IsValid() && original->GetWidth() > 0 && original->GetHeight() != 0) {
        m_shownSize = CSize(original->GetWidth(), std::abs(original->GetHeight()));
        CRect client;
        GetClientRect(&client);
        const CRect painted = FittedRect(client.Size(), m_shownSize);
        m_thumbnail.reset(SamplePicture(*original, DrawnPixels(m_shownSize.cx, painted.Width()),
                                        DrawnPixels(m_shownSize.cy, painted.Height())));
        if (!m_thumbnail)
            m_thumbnail.reset(original->Clone());
    }
    if (m_thumbnail) {
        if (effect == kAdjustRedEye) {
            if (LPCTSTR swatch = RedEyeSwatchName(static_cast<COLORREF>(value))) {
                m_thumbnail->LoadResource(swatch, AppServices().GetResourceModule());
                m_shownSize = CSize(m_thumbnail->GetWidth(), std::abs(m_thumbnail->GetHeight()));
            }
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
    if (!m_thumbnail || m_shownSize.cx <= 0 || m_shownSize.cy <= 0) {
        dc.FillSolidRect(&client, kEffectPanelColor);
    } else {
        const CRect picture = FittedRect(client.Size(), m_shownSize);
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
                m_dialog->RebuildPreview();
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
