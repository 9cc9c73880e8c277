#include <gtest/gtest.h>

#include "platform/base/TextEncoding.h"

namespace {

TEST(TextEncodingTest, RecognisesUtf8) {
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8("Grüße €"));
    EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x93\xB7")); // camera emoji
    EXPECT_FALSE(IsValidUtf8("\xFC"));              // Windows-1252 "ü"
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong '/'
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(IsValidUtf8("\xE2\x82"));          // cut short
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
}

TEST(TextEncodingTest, ReadsWindows1252) {
    EXPECT_EQ(Windows1252ToUtf8("Gr\xFC\xDF" "e \x80"), "Grüße €");
    EXPECT_EQ(Windows1252ToUtf8("\x84" "a\x93"), "„a“");
    EXPECT_EQ(StoredTextToUtf8("Grüße"), "Grüße");
    EXPECT_EQ(StoredTextToUtf8("Gr\xFC\xDF" "e"), "Grüße");
}

} // namespace
