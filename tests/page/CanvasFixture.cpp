// A page canvas in a window of the main window's size with stand-ins for its host.

#include "tests/page/CanvasFixture.h"

#include "image/PictureInfo.h"
#include "page/DrawImage.h"
#include "page/DrawText.h"
#include "platform/base/Module.h"
#include "platform/base/Resource.h"
#include "platform/gdi/Dc.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MenuPresenter.h"
#include "platform/ui/TimerTesting.h"
#include "tests/image/DibBuilder.h"
#include "tests/support/UiTestSupport.h"

#include <QApplication>
#include <QWidget>

namespace {
HMODULE g_resources = nullptr;
} // namespace

CanvasFixture::CanvasFixture() = default;
CanvasFixture::~CanvasFixture() = default;

void CanvasFixture::SetUpTestSuite() {
    EnsureUiApplication();
    if (!g_resources)
        g_resources = LoadLibrary(VC_PROGRAM_DIR "/qz_res.deu");
}

void CanvasFixture::SetUp() {
    ASSERT_NE(g_resources, nullptr);
    AfxSetResourceHandle(g_resources);
    m_app.SetResourceModule(g_resources);
    m_app.SetEditMode(TRUE);
    UseManualTimersForTesting(true);
    m_menus = std::make_unique<RecordingMenuPresenter>();
    m_host.m_page = A4Page();
    ASSERT_TRUE(
        m_main.CreateEx(0, nullptr, "Vellumcraft", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr, nullptr));
    ShowActive(&m_main);
    m_canvas = new CPreviewWnd;
    ASSERT_TRUE(m_canvas->Create(nullptr, "PreviewWnd", WS_CHILD | WS_VISIBLE, CRect(197, 40, 767, 475),
                                 &m_main, 1202));
    CPreviewWnd::s_lastContextPoint = CPoint(0, 0);
    CPreviewWnd::s_lastPagePoint = CPoint(-1000, -1000);
}

void CanvasFixture::TearDown() {
    if (IsWindow(m_main.m_hWnd))
        m_main.DestroyWindow();
    PumpMessages();
    UseManualTimersForTesting(false);
    m_menus.reset();
    AfxSetResourceHandle(nullptr);
}

std::unique_ptr<CTemplate> CanvasFixture::A4Page() {
    auto page = std::make_unique<CTemplate>();
    page->SetPageSize(CSize(2100, 2970));
    page->SetOrientation(1);
    return page;
}

CPictureInfo* CanvasFixture::SolidDib(unsigned rgb, int width, int height) {
    DibBuilder dib(width, height, 24);
    dib.Pixels(std::vector<unsigned>(static_cast<size_t>(width * height), rgb));
    return PictureOf(dib);
}

CDrawImage* CanvasFixture::SolidPicture(const CRect& frame, unsigned rgb, int width, int height) {
    auto* image = new CDrawImage(frame);
    CPictureInfo* picture = SolidDib(rgb, width, height);
    image->SetAdjustedDib(picture);
    picture->Release();
    return image;
}

CDrawText* CanvasFixture::Text(const CRect& frame, const char* text) {
    return new CDrawText(frame, text);
}

CPoint CanvasFixture::Centre(const CDrawObj* object) const {
    const CRect window = m_canvas->ObjectToWindow(object->GetPosition());
    return {(window.left + window.right) / 2, (window.top + window.bottom) / 2};
}

COLORREF CanvasFixture::BitmapPixel(CPoint point) const {
    return m_canvas->GetMemoryDC()->GetPixel(point.x, point.y);
}

int CanvasFixture::WindowDiffersFromBitmap() {
    int differing = 0;
    CRect client;
    m_canvas->GetClientRect(&client);
    m_canvas->UpdateWindow();
    CDC* dc = m_canvas->GetDC();
    for (int y = 0; y < client.Height(); ++y) {
        for (int x = 0; x < client.Width(); ++x) {
            if (dc->GetPixel(x, y) != BitmapPixel(CPoint(x, y)))
                ++differing;
        }
    }
    m_canvas->ReleaseDC(dc);
    return differing;
}

std::vector<std::string> CanvasFixture::LastMenu() const {
    if (m_menus->m_shown == 0)
        return {"-"};
    return m_menus->m_items;
}
