#pragma once
// CResManagerDetailsView: the resource manager's lower right pane. It embeds the properties form of the
// album or entry that the tree or the object view made current, at its top-left corner, stretched to the
// pane and scrolled by hand when the pane is smaller. Edits are stored when applied (32881), when another
// item is shown unless the caller drops them, and when the manager closes.

#include "albums/AlbumPropertiesDialog.h"
#include "platform/ui/View.h"
#include "resmanager/ObjectPropertiesDialog.h"
#include "resmanager/ResManagerPanes.h"

class CResManagerDetailsView : public CView, public IDetailsOperations {
    DECLARE_DYNCREATE(CResManagerDetailsView)
public:
    CResManagerDetailsView();
    ~CResManagerDetailsView() override;

    LRESULT ShowDetails(BOOL dropEdits, int kind, void* item) override;

    // The scroll bar position after a request, within minimum..maximum; thumb is the position the request
    // carries.
    static int ScrollTarget(UINT request, int position, int thumb, int minimum, int maximum);

    // The kind shown (0 nothing, 1 album, 2 entry) and its form, or null.
    int GetShownKind() const { return m_nShownKind; }
    CDialog* GetShownDialog() const { return m_pShownDialog; }

    BOOL PreCreateWindow(CREATESTRUCT& create) override;
    void OnDraw(CDC* dc) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL HasCommandHandler(UINT id) const override;
    BOOL OnUpdateCommandUI(CCmdUI* cmdUI) override;

protected:
    void OnSize(UINT type, int cx, int cy) override;
    void OnHScroll(UINT code, UINT position, CScrollBar* scrollBar) override;
    void OnVScroll(UINT code, UINT position, CScrollBar* scrollBar) override;

private:
    // Stores or drops the edits of the form shown, hides it and shows nothing.
    void LetGoOfShownForm(bool drop);
    // Makes the form's window on first use; false when it cannot be made.
    bool EnsureForm(CDialog& form, UINT templateId);
    void Layout();
    void Scroll(int bar, UINT code, UINT thumb);
    bool IsShownFormModified();
    void OnApply();

    CObjectPropertiesDialog m_objectDialog;
    CAlbumPropertiesDialog m_albumDialog;
    int m_nShownKind = kDetailsNothing;
    CDialog* m_pShownDialog = nullptr;
};
