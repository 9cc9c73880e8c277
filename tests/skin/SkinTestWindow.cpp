#include "tests/skin/SkinTestWindow.h"

#include "platform/base/Module.h"
#include "skinart/SkinArt.h"

#include <vector>

HMODULE SkinTest::s_resources = nullptr;

void SkinTest::SetUpTestSuite() {
    UiTest::SetUpTestSuite();
    s_resources = LoadLibrary(VC_PROGRAM_DIR "/qz_res.deu");
}

void SkinTest::TearDownTestSuite() {
    FreeLibrary(s_resources);
    s_resources = nullptr;
}

void SkinTest::SetUp() {
    UiTest::SetUp();
    ASSERT_NE(s_resources, nullptr);
    m_services.SetResourceModule(s_resources);
    ASSERT_TRUE(m_parent.CreatePopup(CRect(0, 0, 400, 300)));
    ShowActive(&m_parent);
    m_log.clear();
}

COLORREF SkinTest::ProbeColour(const char* bitmap) {
    const SkinArt::BitmapProbe* probe = SkinArt::FindBitmap(bitmap);
    EXPECT_NE(probe, nullptr) << bitmap;
    return probe ? probe->colour : CLR_INVALID;
}

CPoint SkinTest::ProbePoint(const char* bitmap) {
    const SkinArt::BitmapProbe* probe = SkinArt::FindBitmap(bitmap);
    EXPECT_NE(probe, nullptr) << bitmap;
    return probe ? CPoint(probe->probe) : CPoint(0, 0);
}

bool SkinTest::Shows(CWnd* window, const char* bitmap) {
    PumpMessages();
    return WindowPixel(window, ProbePoint(bitmap)) == ProbeColour(bitmap);
}

MessageLog SkinTest::TakeLog() {
    PumpMessages();
    MessageLog taken;
    taken.swap(m_log);
    return taken;
}

void MakePolygon(CRgn& region, std::initializer_list<POINT> points) {
    const std::vector<POINT> corners(points);
    region.CreatePolygonRgn(corners.data(), static_cast<int>(corners.size()), WINDING);
}
