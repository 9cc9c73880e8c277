#include "platform/base/TextEncoding.h"

#include "tests/support/RunTool.h"

#include <gtest/gtest.h>
#include <string>

namespace {

TEST(TextEncodingTest, RecognisesUtf8) {
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8("Grüße €"));
    EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x93\xB7"));  // camera emoji
    EXPECT_FALSE(IsValidUtf8("\xFC"));             // Windows-1252 "ü"
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));         // overlong '/'
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(IsValidUtf8("\xE2\x82"));         // cut short
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80")); // above U+10FFFF
}

TEST(TextEncodingTest, ReadsWindows1252) {
    EXPECT_EQ(Windows1252ToUtf8("Gr\xFC\xDF"
                                "e \x80"),
              "Grüße €");
    EXPECT_EQ(Windows1252ToUtf8("\x84"
                                "a\x93"),
              "„a“");
    EXPECT_EQ(StoredTextToUtf8("Grüße"), "Grüße");
    EXPECT_EQ(StoredTextToUtf8("Gr\xFC\xDF"
                               "e"),
              "Grüße");
}

TEST(TextEncodingTest, ReadsStrayBytesOfUtf8TextAsWindows1252) {
    struct Case {
        const char* name;
        std::string_view bytes;
        std::string_view utf8;
    };
    const Case cases[] = {
        {"ValidTextUnchanged", "Grüße €", "Grüße €"},
        {"LoneByteAmidUtf8", "Grüße \x80 und \xFC", "Grüße € und ü"},
        {"CutSequenceAtEnd", "ab\xE2\x82", "abâ‚"},
        {"SurrogateBytes", "\xED\xA0\x80", "í\xC2\xA0€"},
        {"AboveUnicodeRange", "\xF4\x90\x80\x80", "ô\xC2\x90€€"},
        {"EmbeddedNulKept", std::string_view("a\0b", 3), std::string_view("a\0b", 3)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Utf8WithWindows1252Fallback(c.bytes), c.utf8) << c.name;
}

TEST(TextEncodingTest, ReadsCodePage850LikePython) {
    std::string high;
    for (int b = 0x80; b <= 0xFF; ++b)
        high += static_cast<char>(b);
    std::string expected;
    ASSERT_EQ(RunTool("/usr/bin/python3 -c \"import sys; sys.stdout.buffer.write(bytes(range(128, 256))"
                      ".decode('cp850').encode('utf-8'))\"",
                      &expected),
              0);
    EXPECT_EQ(Cp850ToUtf8(high), expected);
    EXPECT_EQ(Utf8ToCp850(expected), high);
}

TEST(TextEncodingTest, WritesCodePage850OnlyWhenEveryCharacterFits) {
    struct Case {
        const char* name;
        std::string utf8;
        std::optional<std::string> cp850;
    };
    const Case cases[] = {
        {"Ascii", "index.xml", "index.xml"},
        {"GermanLetters", "Grüße Äö",
         "Gr\x81\xE1"
         "e \x8E\x94"},
        {"EuroSignHasNoPlace", "Preis €", std::nullopt},
        {"FourByteFormHasNoPlace", "\xF0\x9F\x93\xB7", std::nullopt},
        {"NotUtf8",
         "Gr\xFC\xDF"
         "e",
         std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Utf8ToCp850(c.utf8), c.cp850) << c.name;
}

TEST(TextEncodingTest, WritesWindows1252OnlyWhenEveryCharacterFits) {
    std::string every;
    for (int b = 0; b <= 0xFF; ++b)
        every += static_cast<char>(b);
    EXPECT_EQ(Utf8ToWindows1252(Windows1252ToUtf8(every)), every) << "every byte comes back";

    struct Case {
        const char* name;
        std::string utf8;
        std::optional<std::string> windows1252;
    };
    const Case cases[] = {
        {"GermanLetters", "Grüße €",
         "Gr\xFC\xDF"
         "e \x80"},
        {"PolishLetterHasNoPlace", "Łódź", std::nullopt},
        {"C1ControlOutsideTheCodePage", "\xC2\x80", std::nullopt},
        {"FourByteFormHasNoPlace", "\xF0\x9F\x93\xB7", std::nullopt},
        {"NotUtf8", "Gr\xFC", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Utf8ToWindows1252(c.utf8), c.windows1252) << c.name;
}

TEST(TextEncodingTest, Utf16AgreesWithPython) {
    const std::string text = "Grüße 写真 \xF0\x9F\x93\xB7";
    std::string expected;
    ASSERT_EQ(RunTool("/usr/bin/python3 -c \"import sys; sys.stdout.buffer.write('Grüße 写真 \\U0001F4F7'"
                      ".encode('utf-16-le'))\"",
                      &expected),
              0);
    const std::u16string units = Utf8ToUtf16(text);
    std::string bytes;
    for (const char16_t unit : units) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(Utf16ToUtf8(units), text);
}

TEST(TextEncodingTest, UnpairedSurrogatesBecomeReplacementCharacters) {
    EXPECT_EQ(Utf16ToUtf8(u"a\xD800"
                          u"b"),
              "a\uFFFDb");
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xDC00')), "\uFFFD");
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xD83D')), "\uFFFD") << "high surrogate at the end";
    EXPECT_EQ(Utf8ToUtf16("a\xFC"), u"a\uFFFD");
}

} // namespace
