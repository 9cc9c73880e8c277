#include "platform/base/ClipboardFormat.h"

#include <gtest/gtest.h>
#include <string>

namespace {

TEST(ClipboardFormatTest, OneIdPerNameWhateverItsCase) {
    const UINT transition = RegisterClipboardFormat("Transition");
    EXPECT_GE(transition, kFirstRegisteredFormat);
    EXPECT_EQ(RegisterClipboardFormat("TRANSITION"), transition);
    const UINT other = RegisterClipboardFormat("QZ20");
    EXPECT_NE(other, transition);
    EXPECT_EQ(RegisterClipboardFormat(""), 0u);
    EXPECT_EQ(RegisterClipboardFormat(nullptr), 0u);

    char name[32] = {};
    EXPECT_EQ(GetClipboardFormatName(transition, name, sizeof(name)), 10);
    EXPECT_EQ(std::string(name), "Transition") << "the first spelling is kept";
    char shortName[5] = {};
    EXPECT_EQ(GetClipboardFormatName(transition, shortName, sizeof(shortName)), 4);
    EXPECT_EQ(std::string(shortName), "Tran");
    EXPECT_EQ(GetClipboardFormatName(other + 1000, name, sizeof(name)), 0);
    EXPECT_EQ(GetClipboardFormatName(1, name, sizeof(name)), 0) << "standard formats have no name here";
}

} // namespace
