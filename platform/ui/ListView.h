#pragma once
// CListView: a view whose window is a list control. Add list styles (LVS_...) in PreCreateWindow; the
// list's notifications come back to the view as reflected ones (OnChildNotify).

#include "platform/ui/ListCtrl.h"
#include "platform/ui/View.h"

class CListView : public CView {
    DECLARE_DYNCREATE(CListView)
public:
    CListView() = default;
    ~CListView() override;

    // The view's window as a list control.
    CListCtrl& GetListCtrl() const { return m_list; }

    BOOL PreCreateWindow(CREATESTRUCT& create) override;
    // The list paints itself.
    void OnDraw(CDC* dc) override;

protected:
    int OnCreate(LPCREATESTRUCT create) override;
    void OnPaint() override;
    void OnNcDestroy() override;

private:
    // Shares the view's window without being attached to it.
    mutable CListCtrl m_list;
};
