#pragma once
// Stand-ins for what the page canvas reaches through its host interfaces: a main window that owns a page
// and keeps the undo records, a category panel that hands out copies of what the test selects, and
// dialogs that answer as scripted. Each installs itself for its lifetime.

#include "library/DSObj.h"
#include "library/Mat.h"
#include "library/Stencil.h"
#include "page/CategorySelection.h"
#include "page/MainWndServices.h"
#include "page/PageDialogs.h"
#include "page/Template.h"

#include <memory>
#include <string>
#include <vector>

class FakeCategorySelection final : public ICategorySelection {
public:
    CDSObj* GetSelectedPhoto() override { return m_photo ? m_photo->Clone() : nullptr; }
    CTemplate* GetSelectedTemplate() override { return m_template ? m_template->Clone() : nullptr; }
    CMat* GetSelectedMat() override { return m_mat ? static_cast<CMat*>(m_mat->Clone()) : nullptr; }
    CStencil* GetSelectedDSObj() override {
        return m_stencil ? static_cast<CStencil*>(m_stencil->Clone()) : nullptr;
    }

    std::unique_ptr<CDSObj> m_photo;
    std::unique_ptr<CTemplate> m_template;
    std::unique_ptr<CMat> m_mat;
    std::unique_ptr<CStencil> m_stencil;
};

class FakeMainWnd final : public IMainWndServices {
public:
    FakeMainWnd() { SetMainWndServices(this); }
    ~FakeMainWnd() override { SetMainWndServices(nullptr); }
    FakeMainWnd(const FakeMainWnd&) = delete;
    FakeMainWnd& operator=(const FakeMainWnd&) = delete;

    CTemplate* GetTemplate() override { return m_page.get(); }
    void SetTemplate(CTemplate* page) override { m_page.reset(page); }
    CTemplate* GetNormalModeSource() override { return m_normalPage.get(); }
    CWorkBitmap* GetWorkBitmap() override { return m_work; }
    CMat* GetMat() override { return m_mat.get(); }
    void SetMat(CMat* mat) override { m_mat.reset(mat); }
    CStencil* GetNormalStencil() override { return m_normalStencil.get(); }
    void SetNormalStencil(CStencil* stencil) override { m_normalStencil.reset(stencil); }
    BOOL IsFlagClear() override { return !m_stretch; }
    void SetStretchFlag(BOOL stretch) override { m_stretch = stretch; }
    void AddUndo(CObject* record) override { m_undo.emplace_back(record); }
    void SetModified(BOOL modified) override { m_modified = modified; }
    BOOL OnSaveProject() override {
        ++m_saves;
        return m_saveSucceeds;
    }
    ICategorySelection* GetCategWnd() override { return &m_panel; }
    void UpdateTwoColorsButton() override {}

    // The run-time class names of the undo records, in order.
    std::vector<std::string> UndoClasses() const;

    std::unique_ptr<CTemplate> m_page;
    std::unique_ptr<CTemplate> m_normalPage;
    CWorkBitmap* m_work = nullptr;
    std::unique_ptr<CMat> m_mat;
    std::unique_ptr<CStencil> m_normalStencil;
    BOOL m_stretch = FALSE;
    BOOL m_modified = FALSE;
    BOOL m_saveSucceeds = TRUE;
    int m_saves = 0;
    std::vector<std::unique_ptr<CObject>> m_undo;
    FakeCategorySelection m_panel;
};

class FakePageDialogs final : public IPageDialogs {
public:
    FakePageDialogs() { SetPageDialogs(this); }
    ~FakePageDialogs() override { SetPageDialogs(nullptr); }
    FakePageDialogs(const FakePageDialogs&) = delete;
    FakePageDialogs& operator=(const FakePageDialogs&) = delete;

    int RunFontProperties(CDrawText*, CWnd*) override {
        ++m_fontDialogs;
        return 1;
    }
    int RunObjPosition(CDrawObj*, ObjPosition& position) override {
        position = m_position;
        return m_positionAnswer;
    }
    int RunDeleteImage(int stencilState, int matState, DeleteImageOptions& options) override {
        m_deleteStates.emplace_back(stencilState, matState);
        options = m_deleteOptions;
        return m_deleteAnswer;
    }
    int RunSaveProject() override {
        ++m_savePrompts;
        return m_saveAnswer;
    }

    int m_fontDialogs = 0;
    ObjPosition m_position;
    int m_positionAnswer = 1;
    std::vector<std::pair<int, int>> m_deleteStates;
    DeleteImageOptions m_deleteOptions;
    int m_deleteAnswer = 1;
    int m_savePrompts = 0;
    int m_saveAnswer = 7;
};
