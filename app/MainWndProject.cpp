// Project files: the page saved to and opened from a .qzp file in either mode.
#include "app/CategoryPanel.h"
#include "app/MainWnd.h"
#include "app/PathExtension.h"
#include "image/WorkBitmap.h"
#include "library/DSObjMgr.h"
#include "library/Mat.h"
#include "library/Stencil.h"
#include "page/PreviewWnd.h"
#include "page/Project.h"
#include "page/Template.h"
#include "platform/base/AppServices.h"
#include "platform/base/Archive.h"
#include "platform/base/AtomicFileWriter.h"
#include "platform/base/Exception.h"
#include "platform/base/File.h"
#include "platform/base/MemFile.h"
#include "platform/base/Path.h"
#include "platform/ui/WaitCursor.h"

#include <cstdlib>
#include <memory>
#include <new>

namespace {

constexpr UINT kFileErrorId = 155;
constexpr UINT kPictureMissingId = 156;
constexpr UINT kDamagedProjectId = 65521;

// Reads or writes the project through an archive on file; false when the project refuses the file or
// its bytes cannot be made.
bool SerializeProject(CProject& project, CFile& file, CArchive::Mode mode) {
    try {
        CArchive ar(&file, mode, 4096);
        project.Serialize(ar);
        ar.Close();
        return true;
    } catch (CException* e) {
        e->Delete();
    } catch (const std::bad_alloc&) {
    }
    return false;
}

template <class Entry>
Entry* Loaded(Entry* entry) {
    if (entry)
        entry->LoadData();
    return entry;
}

} // namespace

void CMainWnd::ShowMode(BYTE editMode) {
    AppServices().SetEditMode(editMode);
    if (ICategoryPanel* panel = GetCategoryPanel())
        panel->SetCategoryMode(editMode);
    CheckModeButtons(editMode);
}

BOOL CMainWnd::LoadProjectFile(const CString& path) {
    if (CPreviewWnd* canvas = Canvas())
        canvas->KillDragTimer();
    if (path.IsEmpty())
        return TRUE;
    CFile file;
    if (!file.Open(ResolvePathCase(path), CFile::modeRead)) {
        AppServices().MessageBox(kFileErrorId);
        return FALSE;
    }
    CWaitCursor wait;
    CProject project;
    if (!SerializeProject(project, file, CArchive::load)) {
        delete project.GetTemplate();
        AppServices().MessageBox(kDamagedProjectId);
        return FALSE;
    }
    if (CProject::IsTemplateVersion(project.GetVersion())) {
        ClearUndo();
        ReplaceEditPage(project.GetTemplate());
        ShowMode(TRUE);
    } else {
        // Everything is loaded before the page changes; a picture that does not load changes nothing.
        std::unique_ptr<CWorkBitmap> work =
            LoadWorkBitmap(CProject::LocalFilePath(project.GetPicturePath()), &project.GetAdjustments());
        if (!work) {
            AppServices().MessageBox(kPictureMissingId);
            return FALSE;
        }
        std::unique_ptr<CTemplate> page(project.LoadTemplates());
        std::unique_ptr<CStencil> stencil(Loaded(project.CreateStencil()));
        std::unique_ptr<CMat> mat(Loaded(project.CreateMat()));
        ClearUndo();
        SetWorkBitmap(std::move(work));
        delete m_normalTemplate;
        m_normalTemplate = page.release();
        SetStencil(stencil.release());
        SetMat(mat.release());
        ShowMode(FALSE);
    }
    SetModified(FALSE);
    RedrawPreview();
    m_projectPath = path;
    return TRUE;
}

BOOL CMainWnd::SaveProjectFile(const CString& chosenPath) {
    if (!HasPageToSave())
        return FALSE;
    const bool editMode = AppServices().IsEditMode() != 0;
    const CString path = WithExtension(chosenPath, kProjectExtension);
    m_dialogPath = path;
    CProject project;
    if (editMode) {
        project.SetTemplate(m_template);
    } else {
        project.SetPicturePath(m_workBitmap->GetFilePath());
        if (m_normalTemplate)
            project.SetTemplateName(m_normalTemplate->GetName());
        if (m_stencil)
            project.SetStencil(m_stencil->GetFilePath(), m_stencil->IsRelative());
        if (m_mat)
            project.SetMat(m_mat->GetFilePath(), m_mat->IsRelative());
        project.GetAdjustments().CopyFrom(m_workBitmap.get());
    }
    CMemFile bytes;
    const bool stored = SerializeProject(project, bytes, CArchive::store);
    const auto size = static_cast<SIZE_T>(bytes.GetLength());
    BYTE* data = bytes.Detach();
    const bool written = stored && WriteFileAtomically(path, data, size);
    std::free(data);
    if (!written) {
        AppServices().MessageBox(kFileErrorId);
        return FALSE;
    }
    SetModified(FALSE);
    m_projectPath = path;
    return TRUE;
}
