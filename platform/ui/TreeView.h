#pragma once
// CTreeView: a view whose window is a tree control. Add tree styles (TVS_...) in PreCreateWindow; the
// tree's notifications come back to the view as reflected ones (OnChildNotify).

#include "platform/ui/TreeCtrl.h"
#include "platform/ui/View.h"

class CTreeView : public CView {
    DECLARE_DYNCREATE(CTreeView)
public:
    CTreeView() = default;
    ~CTreeView() override;

    // The view's window as a tree control.
    CTreeCtrl& GetTreeCtrl() const { return m_tree; }

    BOOL PreCreateWindow(CREATESTRUCT& create) override;
    // The tree paints itself.
    void OnDraw(CDC* dc) override;

protected:
    int OnCreate(LPCREATESTRUCT create) override;
    void OnPaint() override;
    void OnNcDestroy() override;

private:
    // Shares the view's window without being attached to it.
    mutable CTreeCtrl m_tree;
};
