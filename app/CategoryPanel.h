#pragma once
// ICategoryPanel: what the main window asks of the category panel under the page, with what the page
// canvas asks of it (its selection). The panel is made by a factory that start-up installs; tests install
// one that makes a recording stand-in.

#include "page/CategorySelection.h"
#include "platform/base/Geometry.h"
#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

class CDSAlbum;
class CWnd;

class ICategoryPanel : public ICategorySelection {
public:
    virtual ~ICategoryPanel() = default;

    // Makes the panel's window, a visible child of parent at rect with id; null when it cannot be made.
    // The panel belongs to its window from then on: the main window never deletes it.
    virtual CWnd* CreatePanel(CWnd* parent, const CRect& rect, UINT id) = 0;

    // The Undo button follows whether the undo list holds records.
    virtual void EnableUndoButton(BOOL enable) = 0;
    // The edit-mode flag: adds or removes the generic category.
    virtual void SetCategoryMode(BYTE editMode) = 0;
    virtual void ResetPageCounter() = 0;
    // Selects a category position without notification.
    virtual void SelectCategory(int position) = 0;
    virtual BOOL ReloadAlbums() = 0;
    virtual void SelectItem(CDSAlbum* album, BOOL firstPage) = 0;
    virtual BOOL ShowPage(int photoIndex) = 0;
    // Refills the album list for the selected category.
    virtual void OnSelChangeCategory() = 0;
    // The template group that the next fill of the template category selects.
    virtual void SetPresetTemplateGroup(const CString& name) = 0;
};

// Makes a new panel object, not yet a window; null when none can be made.
using CategoryPanelFactory = ICategoryPanel* (*)();

// Installs the factory (null: none); the main window then takes its panel from it.
void SetCategoryPanelFactory(CategoryPanelFactory factory);
// A new panel from the installed factory, or null without one.
ICategoryPanel* NewCategoryPanel();
