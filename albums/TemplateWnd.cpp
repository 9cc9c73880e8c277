#include "albums/TemplateWnd.h"

#include "albums/CategWnd.h"
#include "albums/CategoryPanelHost.h"
#include "page/PreviewWnd.h"
#include "page/Template.h"
#include "platform/base/AppServices.h"
#include "platform/ui/PaintDC.h"

#include <algorithm>

namespace {

constexpr int kUpright = 1;

} // namespace

CTemplateWnd::CTemplateWnd(CTemplate* page) : m_template(page) {}

CTemplateWnd::~CTemplateWnd() = default;

void CTemplateWnd::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    const int width = client.Width();
    const int height = client.Height();
    dc.FillSolidRect(&client, kBackground);
    CSize page = m_template ? m_template->GetPageSize() : CSize(0, 0);
    if (m_template && m_template->GetOrientation() != kUpright)
        std::swap(page.cx, page.cy);
    if (page.cx > 0 && page.cy > 0) {
        const float scale = std::min(static_cast<float>(width) / static_cast<float>(page.cx),
                                     static_cast<float>(height) / static_cast<float>(page.cy));
        const float pageWidth = static_cast<float>(page.cx) * scale;
        const float pageHeight = static_cast<float>(page.cy) * scale;
        const CRect paper(static_cast<int>((static_cast<float>(width) - pageWidth) * 0.5f),
                          static_cast<int>((static_cast<float>(height) - pageHeight) * 0.5f),
                          static_cast<int>((pageWidth + static_cast<float>(width)) * 0.5f),
                          static_cast<int>((pageHeight + static_cast<float>(height)) * 0.5f));
        dc.FillSolidRect(&paper, RGB(255, 255, 255));
        m_template->DrawObjects(&dc, paper.left, paper.top, scale);
    }
    if (IsSelected())
        DrawSelectionFrame(dc);
}

void CTemplateWnd::OnLButtonDown(UINT flags, CPoint point) {
    if (auto* panel = dynamic_cast<CCategWnd*>(GetParent()))
        panel->SelectTile(this);
    if (AppServices().IsEditMode()) {
        if (CPreviewWnd* canvas = CategoryPanelHost().GetPreviewWnd())
            canvas->BeginCapture(kDragTemplate);
    }
    CWnd::OnLButtonDown(flags, point);
}
