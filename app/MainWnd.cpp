#include "app/MainWnd.h"

#include "image/FileHelpers.h"
#include "image/WorkBitmap.h"
#include "library/DSObjMgr.h"
#include "library/Mat.h"
#include "library/Stencil.h"
#include "page/PreviewWnd.h"
#include "page/Template.h"
#include "platform/base/AppServices.h"
#include "platform/base/Exception.h"
#include "platform/base/Profile.h"
#include "platform/gdi/Dc.h"
#include "platform/print/PrintDialog.h"
#include "platform/ui/BitmapButton.h"
#include "platform/ui/PaintDC.h"

#include <new>

namespace {

constexpr UINT kNoneTextId = 292;
constexpr int kNoneTextLength = 255;

// The two children in skin coordinates.
constexpr RECT kPreviewRect{197, 40, 767, 475};
constexpr RECT kCategRect{0, 484, 800, 600};

// Stands in for the page canvas and the category panel until they exist: a plain child window that,
// like them, deletes its object when its window is destroyed.
class CSelfDeletingWnd : public CWnd {
protected:
    void PostNcDestroy() override { delete this; }
};

CString& NoneText() {
    static CString text;
    return text;
}

} // namespace

CMainWnd::CMainWnd() : m_printDialog(NewPrintSetUpDialog()) {
    NoneText() = AppServices().LoadString(kNoneTextId, kNoneTextLength);
}

CMainWnd::~CMainWnd() {
    if (&MainWndServices() == &m_pageServices)
        SetMainWndServices(nullptr);
    if (GetPrintMainWnd() == this)
        SetPrintMainWnd(nullptr);
    if (m_memoryDC) {
        if (m_displacedBitmap)
            m_memoryDC->SelectObject(CBitmap::FromHandle(m_displacedBitmap));
        m_memoryDC->DeleteDC();
        m_memoryDC.reset();
    }
    m_background.reset();
    for (int button = 0; button < kButtonCount; ++button)
        DestroyButton(static_cast<Button>(button));
    m_workBitmap.reset();
    // The panel went with its window: the records are freed without it.
    m_categPanel = nullptr;
    ClearUndo();
    delete m_template;
    delete m_normalTemplate;
    ReleasePrintSetUpDialog();
    m_mat.reset();
    m_stencil.reset();
}

BOOL CMainWnd::MadeOrReported(const std::function<void()>& make) {
    try {
        make();
        return TRUE;
    } catch (CException* e) {
        char text[512] = {};
        e->GetErrorMessage(text, sizeof text);
        e->Delete();
        AppServices().MessageBoxText(text, MB_ICONEXCLAMATION);
    } catch (const std::bad_alloc&) {
        CMemoryException memory;
        char text[512] = {};
        memory.GetErrorMessage(text, sizeof text);
        AppServices().MessageBoxText(text, MB_ICONEXCLAMATION);
    }
    return FALSE;
}

const CString& CMainWnd::GetNoneText() {
    return NoneText();
}

CPoint CMainWnd::SkinOrigin(int width, int height) {
    return CPoint((width - kSkinWidth) / 2, (height - kSkinHeight) / 2);
}

int CMainWnd::OnCreate(LPCREATESTRUCT create) {
    if (CWnd::OnCreate(create) == -1)
        return -1;
    CRect desktop;
    GetDesktopWindow()->GetWindowRect(&desktop);
    MoveWindow(0, 0, desktop.Width(), desktop.Height(), TRUE);

    if (!MadeOrReported([this] {
            m_memoryDC = std::make_unique<CDC>();
            m_background = std::make_unique<CBitmap>();
        }))
        return -1;
    if (!LoadBackground())
        return -1;
    CDC* windowDC = GetDC();
    m_memoryDC->CreateCompatibleDC(windowDC);
    ReleaseDC(windowDC);
    CBitmap* displaced = m_memoryDC->SelectObject(m_background.get());
    m_displacedBitmap = displaced ? static_cast<HBITMAP>(displaced->GetSafeHandle()) : nullptr;

    if (!SetUpPrinter())
        return -1;
    if (!CreateCaptionButtons() || !CreateButtons() || !CreateChildWindows())
        return -1;

    AppServices().SetClipartPath(GetProfileString("Settings", "Clipart Path"));
    const CString templateName = GetProfileString("Settings", "Template");
    if (!templateName.IsEmpty()) {
        delete m_normalTemplate;
        m_normalTemplate = LoadTemplateByName(templateName);
    }

    if (CDSObjMgr* manager = GetDSObjMgr())
        m_currentAlbum =
            DYNAMIC_DOWNCAST(CDSAlbum, manager->GetDefaultObject(manager->GetResType(kResTypePictures)));
    RedrawPreview();
    AddToolTips();
    return 0;
}

BOOL CMainWnd::LoadBackground() {
    CDC* windowDC = GetDC();
    const bool loaded = LoadResourceBitmapWithPalette(*m_background, "MAIN_WND", windowDC);
    ReleaseDC(windowDC);
    return loaded ? TRUE : FALSE;
}

BOOL CMainWnd::CreateChildWindows() {
    for (CWnd** child : {&m_previewWnd, &m_categWnd}) {
        if (*child)
            (*child)->DestroyWindow();
        *child = nullptr;
    }
    CRect desktop;
    GetDesktopWindow()->GetWindowRect(&desktop);
    const CPoint origin = SkinOrigin(desktop.Width(), desktop.Height());
    // The tables stay in skin coordinates, so that a second call places the children the same way.
    CRect previewRect(kPreviewRect);
    CRect categRect(kCategRect);
    previewRect.OffsetRect(origin);
    categRect.OffsetRect(origin);

    std::unique_ptr<CWnd> preview;
    std::unique_ptr<CWnd> categ;
    if (!MadeOrReported([&] {
            // The canvas deletes itself with its window.
            preview = std::make_unique<CPreviewWnd>();
            categ = std::make_unique<CSelfDeletingWnd>();
        }))
        return FALSE;
    // Once its window exists, each object belongs to its window.
    if (!preview->Create(nullptr, "PreviewWnd", WS_CHILD | WS_VISIBLE, previewRect, this, kPreviewWndId))
        return FALSE;
    m_previewWnd = preview.release();
    m_previewWnd->ShowWindow(SW_SHOW);
    SetMainWndServices(&m_pageServices);
    SetPrintMainWnd(this);
    // The plain child stands in while no panel factory is installed.
    if (CreateCategoryPanel(categRect))
        return TRUE;
    if (!categ->Create(nullptr, "CategWnd", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, categRect, this,
                       kCategWndId))
        return FALSE;
    m_categWnd = categ.release();
    m_categWnd->ShowWindow(SW_SHOW);
    return TRUE;
}

void CMainWnd::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    const int width = client.Width();
    const int height = client.Height();
    const CPoint origin = SkinOrigin(width, height);
    const int skinRight = (width + kSkinWidth) / 2;
    const int skinBottom = (height + kSkinHeight) / 2;
    CBrush* black = CBrush::FromHandle(static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const CRect bands[] = {{0, 0, width, origin.y},
                           {skinRight, 0, width, height},
                           {0, skinBottom, skinRight, height},
                           {0, origin.y, origin.x, skinBottom}};
    for (const CRect& band : bands)
        dc.FillRect(&band, black);
    dc.BitBlt(origin.x, origin.y, width, height, m_memoryDC.get(), 0, 0, SRCCOPY);
}

BOOL CMainWnd::OnEraseBkgnd(CDC* /*dc*/) {
    return TRUE;
}

void CMainWnd::OnNcDestroy() {
    CWnd::OnNcDestroy();
    delete this;
}
