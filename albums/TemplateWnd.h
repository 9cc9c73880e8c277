#pragma once
// CTemplateWnd: the tile of a page template. It owns the template and draws a reduced picture of its
// page at every paint, turned when the template is not upright. In edit mode a click starts a drag that
// replaces the page's template on release.

#include "albums/CategoryTile.h"

#include <memory>

class CTemplate;

class CTemplateWnd : public CCategoryTile {
public:
    static constexpr COLORREF kBackground = RGB(239, 241, 211);

    // Takes the template over.
    explicit CTemplateWnd(CTemplate* page);
    ~CTemplateWnd() override;
    CTemplate* GetTemplate() const { return m_template.get(); }

protected:
    void OnPaint() override;
    void OnLButtonDown(UINT flags, CPoint point) override;

private:
    std::unique_ptr<CTemplate> m_template;
};
