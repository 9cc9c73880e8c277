#pragma once
// A category panel for the main window's tests: a plain child window that writes every call it gets
// into a log the test keeps, and deletes itself with its window as the real panel does.

#include "app/CategoryPanel.h"
#include "platform/base/String.h"
#include "platform/ui/Wnd.h"

#include <vector>

class FakeCategoryPanel : public CWnd, public ICategoryPanel {
public:
    // Installs a factory of panels that log into log until the object goes.
    class Installer {
    public:
        explicit Installer(std::vector<CString>* log);
        ~Installer();
        Installer(const Installer&) = delete;
        Installer& operator=(const Installer&) = delete;
    };

    CWnd* CreatePanel(CWnd* parent, const CRect& rect, UINT id) override;
    void EnableUndoButton(BOOL enable) override { Log("undo", enable); }
    void SetCategoryMode(BYTE editMode) override { Log("mode", editMode); }
    void ResetPageCounter() override { Log("counter", 0); }
    void SelectCategory(int position) override { Log("category", position); }
    BOOL ReloadAlbums() override { return Log("reload", 0), TRUE; }
    void SelectItem(CDSAlbum*, BOOL firstPage) override { Log("item", firstPage); }
    BOOL ShowPage(int photoIndex) override { return Log("page", photoIndex), TRUE; }
    void OnSelChangeCategory() override { Log("change", 0); }
    void SetPresetTemplateGroup(const CString& name) override { Log(("preset " + name).GetString(), 0); }
    // Nothing is selected in the stand-in.
    CDSObj* GetSelectedPhoto() override { return nullptr; }
    CTemplate* GetSelectedTemplate() override { return nullptr; }
    CMat* GetSelectedMat() override { return nullptr; }
    CStencil* GetSelectedDSObj() override { return nullptr; }

protected:
    void PostNcDestroy() override { delete this; }

private:
    void Log(const char* call, int value);
};
