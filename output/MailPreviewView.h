#pragma once
// CMailPreviewView: shows the document's off-screen copy centred in the view, with margins of at least
// 10 pixels, magnified at paint time when the zoom is above 100 %. The scroll range covers the whole
// shown picture.

#include "platform/ui/ScrollView.h"

class CMailPreviewDocument;

class CMailPreviewView : public CScrollView {
    DECLARE_DYNCREATE(CMailPreviewView)
public:
    CMailPreviewView() = default;

    CMailPreviewDocument* GetPreviewDocument() const;
    // The zoom the view magnifies with: the document's, never below 100.
    int GetViewZoom() const { return m_nViewZoom; }
    // Margins in device pixels: left, top, right, bottom.
    CRect GetMargins() const { return CRect(m_nLeft, m_nTop, m_nRight, m_nBottom); }
    // The client rectangle as it would be without the scroll bars that the scroll sizes show.
    CRect GetClientRectWithoutBars() const;

    void OnPrepareDC(CDC* dc) override;
    void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override;
    void OnDraw(CDC* dc) override;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& create) override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnHScroll(UINT code, UINT position, CScrollBar* scrollBar) override;
    void OnVScroll(UINT code, UINT position, CScrollBar* scrollBar) override;

private:
    int m_nViewZoom = 0;
    int m_nLeft = 0;
    int m_nTop = 0;
    int m_nRight = 0;
    int m_nBottom = 0;
};
