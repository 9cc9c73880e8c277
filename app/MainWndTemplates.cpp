// Print templates by name, and the turns between the modes: to edit mode builds the edit page from the
// normal-mode template and picture; back to normal mode drops the edit page, which may be saved first.
#include "app/CategoryPanel.h"
#include "app/MainWnd.h"
#include "image/WorkBitmap.h"
#include "library/DSObjMgr.h"
#include "page/PreviewWnd.h"
#include "page/Template.h"
#include "page/TemplateList.h"
#include "platform/base/AppServices.h"
#include "platform/base/StdioFile.h"
#include "platform/ui/WaitCursor.h"
#include "skin/RadioBitmapButton.h"

#include <memory>

namespace {

constexpr UINT kToEditModeQuestionId = 216;
constexpr UINT kToNormalModeQuestionId = 217;

} // namespace

CTemplate* CMainWnd::LoadTemplateByName(const CString& name) {
    if (!name.IsEmpty())
        if (ICategoryPanel* panel = GetCategoryPanel())
            panel->SetPresetTemplateGroup(name);
    CDSObjMgr* manager = GetDSObjMgr();
    const CString listPath = GetTemplateListPath();
    CStdioFile list;
    if (name.IsEmpty() || listPath.IsEmpty() || !list.Open(listPath, CFile::modeRead))
        return nullptr;
    CString line;
    while (list.ReadString(line)) {
        if (line.IsEmpty() || line.Find(name) < 0)
            continue;
        const std::vector<CString> fields = SplitTemplateListLine(line);
        // The title names the template, letter case included.
        if (TemplateListField(fields, 7) != name)
            continue;
        std::unique_ptr<CTemplate> page = TemplateFromListFields(fields);
        const CString file =
            manager->FindResourceFile(manager->GetResType(kResTypePrintTemplates), "\\" + page->GetName());
        switch (ReadTemplateFile(file, *page)) {
        case TemplateFileRead::kRead:
            return page.release();
        case TemplateFileRead::kNotOpened:
            continue;
        case TemplateFileRead::kRefused:
            return nullptr;
        }
    }
    return nullptr;
}

BOOL CMainWnd::BuildEditPageFromNormal(CWorkBitmap* work, CStencil* stencil, CMat* mat) {
    delete m_template;
    m_template = nullptr;
    if (!m_normalTemplate)
        return FALSE;
    // Without a picture the frames stay empty.
    m_template = work ? m_normalTemplate->FillWithPicture(work, stencil, mat, m_pageOption != 0)
                      : m_normalTemplate->CloneAsEmptyFrames();
    return TRUE;
}

void CMainWnd::CheckModeButtons(BYTE editMode) {
    for (const Button button : {kNormalMode, kEditMode}) {
        CRadioBitmapButton* radio = ModeButton(button);
        if (!radio)
            continue;
        radio->SetCheck((button == kEditMode) == (editMode != 0) ? TRUE : FALSE);
        if (radio->GetSafeHwnd())
            radio->Invalidate();
    }
}

void CMainWnd::OnEditMode() {
    if (AppServices().IsEditMode())
        return;
    if (AppServices().MessageBox(kToEditModeQuestionId, MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
        CheckModeButtons(FALSE);
        return;
    }
    CWaitCursor wait;
    ShowMode(TRUE);
    ClearUndo();
    BuildEditPageFromNormal(m_workBitmap.get(), m_stencil.get(), m_mat.get());
    SetModified(FALSE);
    RedrawPreview();
}

void CMainWnd::OnNormalMode() {
    if (!AppServices().IsEditMode())
        return;
    const int answer = AppServices().MessageBox(kToNormalModeQuestionId, MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL || (answer == IDYES && !OnSaveProject())) {
        CheckModeButtons(TRUE);
        return;
    }
    CWaitCursor wait;
    ShowMode(FALSE);
    ClearUndo();
    ReplaceEditPage(nullptr);
    SetModified(FALSE);
    if (CPreviewWnd* canvas = Canvas())
        canvas->KillDragTimer();
    RedrawPreview();
    if (ICategoryPanel* panel = GetCategoryPanel())
        panel->ResetPageCounter();
    UpdateTwoColorsButton();
}
