#include "image/RastrumResample.h"

#include "platform/base/Module.h"
#include "tests/support/FakeAppServices.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

// The three situations of the program: the library with its export, a library without it, and none.
// Both libraries stay loaded for the whole suite, so that each handle stays one module.
class RastrumLinkTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_rastrum = LoadLibrary(VC_PROGRAM_DIR "/libRastrum.so");
        s_withoutExport = LoadLibrary(VC_TEST_BINARY_DIR "/librastrum_without_resample.so");
    }
    static void TearDownTestSuite() {
        FreeLibrary(s_rastrum);
        FreeLibrary(s_withoutExport);
    }

    FakeAppServices m_services;
    static HMODULE s_rastrum;
    static HMODULE s_withoutExport;
};

HMODULE RastrumLinkTest::s_rastrum = nullptr;
HMODULE RastrumLinkTest::s_withoutExport = nullptr;

TEST_F(RastrumLinkTest, FollowsTheModuleHandleWhenItChanges) {
    ASSERT_NE(nullptr, s_rastrum);
    ASSERT_NE(nullptr, s_withoutExport);
    for (int round = 0; round < 2; ++round) {
        m_services.SetRastrumModule(s_rastrum);
        RastrumLink link = FindRastrumResample();
        EXPECT_TRUE(link.libraryLoaded);
        EXPECT_NE(nullptr, link.resample);

        m_services.SetRastrumModule(s_withoutExport);
        link = FindRastrumResample();
        EXPECT_TRUE(link.libraryLoaded);
        EXPECT_EQ(nullptr, link.resample);

        m_services.SetRastrumModule(nullptr);
        link = FindRastrumResample();
        EXPECT_FALSE(link.libraryLoaded);
        EXPECT_EQ(nullptr, link.resample);
    }
}

TEST_F(RastrumLinkTest, ResampleThroughGivesADibOfTheAskedSizeOrNothing) {
    m_services.SetRastrumModule(s_rastrum);
    const RastrumLink link = FindRastrumResample();
    std::vector<BYTE> source(40 + 8 * 2);
    BITMAPINFOHEADER header{40, 2, 2, 1, 24, BI_RGB, 16, 0, 0, 0, 0};
    std::memcpy(source.data(), &header, 40);
    const auto* dib = reinterpret_cast<const BITMAPINFOHEADER*>(source.data());

    const CResampledDib scaled = ResampleThrough(link, dib, 7, 3);
    ASSERT_TRUE(scaled);
    EXPECT_EQ(7, scaled.Get()->biWidth);
    EXPECT_EQ(3, scaled.Get()->biHeight);
    EXPECT_FALSE(ResampleThrough(link, dib, 0, 3));
    EXPECT_FALSE(ResampleThrough(RastrumLink{true, nullptr}, dib, 7, 3));
}

} // namespace
