// The object view's thumbnail values: its own defaults, values read back, and the spacing cap.

#include "resmanager/ResManagerThumbnailSettings.h"

#include "platform/base/Profile.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

class ThumbnailSettingsTest : public ::testing::Test {
protected:
    ThumbnailSettingsTest() { SetProfileFolderForTesting(m_profile.Path()); }
    ~ThumbnailSettingsTest() override { SetProfileFolderForTesting(""); }

private:
    TempFolder m_profile;
};

TEST_F(ThumbnailSettingsTest, DefaultsGiveNinetyPixelCellsAndSpacingCappedAt150) {
    const BrowseThumbnailSettings settings = ReadResManagerThumbnailSettings();
    EXPECT_EQ(settings.thumbWidth, 90);
    EXPECT_EQ(settings.thumbHeight, 90);
    EXPECT_EQ(settings.spacingX, 101);
    EXPECT_EQ(settings.spacingY, 101);
    EXPECT_EQ(ResManagerIconSpacing(settings), CSize(150, 150));
}

TEST_F(ThumbnailSettingsTest, SpacingDefaultFollowsTheSizeReadAndStoredValuesWin) {
    WriteProfileInt(kResManagerThumbnailSection, "thumbcx", 40);
    WriteProfileInt(kResManagerThumbnailSection, "thumbcy", 50);
    WriteProfileInt(kResManagerThumbnailSection, "spacingcy", 20);
    WriteProfileInt(kResManagerThumbnailSection, "bkcolor", 0x123456);
    const BrowseThumbnailSettings settings = ReadResManagerThumbnailSettings();
    EXPECT_EQ(settings.spacingX, 51);
    EXPECT_EQ(settings.spacingY, 20);
    EXPECT_EQ(settings.backgroundColor, 0x123456u);
    EXPECT_EQ(ResManagerIconSpacing(settings), CSize(91, 70));
}

TEST_F(ThumbnailSettingsTest, LargeThumbnailGetsSpacingNarrowerThanItsCell) {
    WriteProfileInt(kResManagerThumbnailSection, "thumbcx", 200);
    WriteProfileInt(kResManagerThumbnailSection, "spacingcx", 0);
    EXPECT_EQ(ResManagerIconSpacing(ReadResManagerThumbnailSettings()).cx, 150);
}

} // namespace
