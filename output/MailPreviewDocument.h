#pragma once
// CMailPreviewDocument: the mailed page as a picture, rendered by the main window at the sheet's scale
// percent, and an off-screen copy of it at the zoom chosen in the preview's zoom box. The copy is never
// larger than the picture: zooms above 100 % are the view's work.

#include "platform/base/List.h"
#include "platform/ui/Document.h"
#include "platform/ui/UiTypes.h"

class CBitmap;
class CDC;
class CPictureInfo;
class CTemplate;

class CMailPreviewDocument : public CDocument {
    DECLARE_DYNCREATE(CMailPreviewDocument)
public:
    CMailPreviewDocument() = default;
    ~CMailPreviewDocument() override;

    // The page being mailed, not owned; without one nothing is rendered.
    void SetTemplate(CTemplate* page) { m_pTemplate = page; }
    // Renders the page anew when the percent differs from the one it was rendered at.
    void SetScalePercent(const int& percent);
    void SetZoom(const int& zoom) { m_nZoom = zoom; }
    int GetZoom() const { return m_nZoom; }
    void SetCurrentPage(const int& index);
    // Always 1: the page being mailed.
    int GetPageCount() const;
    int GetCurrentPage() const { return m_nCurrentPage; }
    void SetCurrentPicture(CPictureInfo* picture);
    // Rebuilds the off-screen copy and, when it was made, updates the views.
    void RefreshPreview();
    // The off-screen copy at the zoom, through the first view's context; false when there is none.
    bool RenderPreview();

    CSize GetPreviewSize() const { return m_previewSize; }
    CSize GetPictureSize() const { return m_pictureSize; }
    CDC* GetPreviewDC() const { return m_pPreviewDC; }

    void DeleteContents() override;

private:
    void FreePreview();

    CList<CPictureInfo*, CPictureInfo*> m_pictures;
    CPictureInfo* m_pCurrentPicture = nullptr;
    CTemplate* m_pTemplate = nullptr;
    CDC* m_pPreviewDC = nullptr;
    int m_nScalePercent = -1;
    int m_nCurrentPage = 0;
    int m_nZoom = 100;
    CSize m_previewSize;
    CSize m_pictureSize;
    CBitmap* m_pPreviewBitmap = nullptr;
    CBitmap* m_pPreviousBitmap = nullptr;
};
