// The page the main window owns: its templates, the working picture with its stencil and mat, and the
// category panel that shows what can go on it.
#include "app/CategoryPanel.h"
#include "app/MainWnd.h"
#include "image/PictureInfo.h"
#include "image/WorkBitmap.h"
#include "library/Mat.h"
#include "library/Stencil.h"
#include "page/DrawImage.h"
#include "page/PreviewWnd.h"
#include "page/Template.h"
#include "platform/base/AppServices.h"
#include "platform/base/Arrays.h"
#include "skin/TwoColorsBitmapButton.h"

#include <memory>

namespace {

constexpr int kTrueColourMode = 3;
constexpr UINT kNothingSelectedId = 171;
constexpr UINT kSeveralSelectedId = 172;
constexpr UINT kNoValidPictureId = 214;

} // namespace

ICategoryPanel* CMainWnd::GetCategoryPanel() const {
    // The panel goes with its window.
    return m_categPanel && IsWindow(m_categPanelWindow) ? m_categPanel : nullptr;
}

BOOL CMainWnd::CreateCategoryPanel(const CRect& rect) {
    m_categPanel = nullptr;
    m_categPanelWindow = nullptr;
    std::unique_ptr<ICategoryPanel> panel(NewCategoryPanel());
    if (!panel)
        return FALSE;
    CWnd* window = panel->CreatePanel(this, rect, kCategWndId);
    if (!window)
        return FALSE;
    m_categPanel = panel.release();
    m_categPanelWindow = window->GetSafeHwnd();
    m_categWnd = window;
    return TRUE;
}

CPreviewWnd* CMainWnd::Canvas() const {
    return dynamic_cast<CPreviewWnd*>(m_previewWnd);
}

void CMainWnd::RedrawPreview() {
    CPreviewWnd* canvas = Canvas();
    if (!canvas || !canvas->GetSafeHwnd())
        return;
    canvas->Redraw();
    canvas->Invalidate();
}

CPictureInfo* CMainWnd::RenderPagePicture() {
    CPreviewWnd* canvas = Canvas();
    return canvas ? canvas->RenderPagePicture() : nullptr;
}

CPictureInfo* CMainWnd::RenderPagePictureScaled(int percent) {
    CPreviewWnd* canvas = Canvas();
    return canvas ? canvas->RenderPagePictureScaled(percent) : nullptr;
}

BOOL CMainWnd::SavePageImageScaled(const CString& path, int percent) {
    CPreviewWnd* canvas = Canvas();
    return canvas ? canvas->SavePageImageScaled(path, percent) : FALSE;
}

BOOL CMainWnd::ExportHtmlPage(const CString& path) {
    CPreviewWnd* canvas = Canvas();
    CStringArray files;
    return canvas ? canvas->ExportHtmlImage(path, files) : FALSE;
}

BOOL CMainWnd::SetCurrentAlbum(CDSAlbum* album) {
    if (album == m_currentAlbum)
        return FALSE;
    m_currentAlbum = album;
    return TRUE;
}

void CMainWnd::ReplaceEditPage(CTemplate* page) {
    if (CPreviewWnd* canvas = Canvas())
        canvas->ClearSelection();
    delete m_template;
    m_template = page;
}

void CMainWnd::SetTemplate(CTemplate* page) {
    if (!AppServices().IsEditMode()) {
        delete m_normalTemplate;
        m_normalTemplate = page;
        return;
    }
    if (page && !page->HasOnlyContentObjects()) {
        std::unique_ptr<CTemplate> given(page);
        page = given->CloneAsEmptyFrames();
        if (m_template)
            page->TakeImagesFrom(m_template, nullptr);
    }
    delete m_template;
    m_template = page;
}

void CMainWnd::SetMat(CMat* mat) {
    m_mat.reset(mat);
}

void CMainWnd::SetStencil(CStencil* stencil) {
    m_stencil.reset(stencil);
}

std::unique_ptr<CWorkBitmap> CMainWnd::LoadWorkBitmap(const CString& path, const CAdjustImage* settings) {
    CPictureInfo* picture = CDrawImage::LoadPictureFile(path);
    if (!picture)
        return nullptr;
    auto work = std::make_unique<CWorkBitmap>();
    work->SetOriginalDib(picture);
    picture->Release();
    work->colourMode = kTrueColourMode;
    if (settings)
        work->CopyFrom(settings);
    work->ApplyAdjustments(settings != nullptr, true);
    work->SetFilePath(path);
    return work;
}

void CMainWnd::DeleteWorkBitmap() {
    SetWorkBitmap(nullptr);
}

void CMainWnd::SetWorkBitmap(std::unique_ptr<CWorkBitmap> work) {
    m_workBitmap = std::move(work);
    UpdateTwoColorsButton();
}

BOOL CMainWnd::LoadPictureWithSettings(const CString& path, const CAdjustImage& settings) {
    std::unique_ptr<CWorkBitmap> work = LoadWorkBitmap(path, &settings);
    if (!work)
        return FALSE;
    SetWorkBitmap(std::move(work));
    return TRUE;
}

BOOL CMainWnd::AddPicturesToPage(const CString& path) {
    std::unique_ptr<CWorkBitmap> work = LoadWorkBitmap(path, nullptr);
    if (!work)
        return FALSE;
    SetWorkBitmap(std::move(work));
    if (m_projectPath.IsEmpty())
        m_projectPath = path;
    return TRUE;
}

CAdjustImage* CMainWnd::GetCurrentPicture() {
    if (!AppServices().IsEditMode())
        return m_workBitmap.get();
    if (!m_template)
        return nullptr;
    const int selected = m_template->GetSelectedCount();
    if (selected != 1) {
        AppServices().MessageBox(selected == 0 ? kNothingSelectedId : kSeveralSelectedId);
        return nullptr;
    }
    auto* image = DYNAMIC_DOWNCAST(CDrawImage, m_template->GetFirstSelected());
    if (!image)
        return nullptr;
    if (!image->GetOriginalDib() || !image->GetOriginalDib()->IsValid()) {
        AppServices().MessageBox(kNoValidPictureId);
        return nullptr;
    }
    return image;
}

void CMainWnd::UpdateTwoColorsButton() {
    CTwoColorsBitmapButton* button = TwoColors();
    if (!button)
        return;
    COLORREF first = 0;
    COLORREF second = 0;
    if (AppServices().IsEditMode()) {
        if (m_template && m_template->GetSelectedCount() < 2) {
            auto* image = DYNAMIC_DOWNCAST(CDrawImage, m_template->GetFirstSelected());
            if (!image)
                return;
            first = image->GetDarkColor();
            second = image->GetLightColor();
        }
    } else if (m_workBitmap) {
        first = m_workBitmap->GetDarkColor();
        second = m_workBitmap->GetLightColor();
    }
    button->SetFirstColor(first);
    button->SetSecondColor(second);
    if (button->GetSafeHwnd())
        button->Invalidate();
}
