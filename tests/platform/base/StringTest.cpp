#include "platform/base/String.h"

#include <gtest/gtest.h>

namespace {

TEST(CStringTest, KeepsEmbeddedNuls) {
    CString s("a\0b", 3);
    EXPECT_EQ(s.GetLength(), 3);
    s += CString("\0c", 2);
    EXPECT_EQ(s.str(), std::string("a\0b\0c", 5));
    EXPECT_EQ(s.Mid(1, 3).str(), std::string("\0b\0", 3));
    EXPECT_EQ(s.Find('c'), 4);
}

TEST(CStringTest, SlicesClampToTheString) {
    const CString s("Fotoalbum");
    EXPECT_EQ(s.Left(4), "Foto");
    EXPECT_EQ(s.Right(5), "album");
    EXPECT_EQ(s.Mid(4), "album");
    EXPECT_EQ(s.Left(99), "Fotoalbum");
    EXPECT_EQ(s.Right(-1), "");
    EXPECT_EQ(s.Mid(20, 3), "");
    EXPECT_EQ(s.Mid(-3, 2), "Fo");
}

TEST(CStringTest, FindsForwardAndBackward) {
    const CString s("a/b/c.d.e");
    EXPECT_EQ(s.Find('/'), 1);
    EXPECT_EQ(s.Find('/', 2), 3);
    EXPECT_EQ(s.Find("c.d"), 4);
    EXPECT_EQ(s.Find("zz"), -1);
    EXPECT_EQ(s.Find('x', 100), -1);
    EXPECT_EQ(s.ReverseFind('.'), 7);
    EXPECT_EQ(s.ReverseFind('x'), -1);
    EXPECT_EQ(s.FindOneOf(".c"), 4);
}

TEST(CStringTest, EditsInPlace) {
    CString s("  Urlaub  2024 \t");
    s.TrimRight();
    EXPECT_EQ(s, "  Urlaub  2024");
    s.TrimLeft();
    EXPECT_EQ(s, "Urlaub  2024");
    EXPECT_EQ(s.Replace("  ", " "), 1);
    EXPECT_EQ(s, "Urlaub 2024");
    EXPECT_EQ(s.Replace('u', 'U'), 1);
    EXPECT_EQ(s.Remove(' '), 1);
    EXPECT_EQ(s, "UrlaUb2024");
    s.Insert(6, "-");
    s.Delete(0, 2);
    EXPECT_EQ(s, "laUb-2024");
    CString dots("..x..");
    dots.TrimRight('.').TrimLeft('.');
    EXPECT_EQ(dots, "x");
}

TEST(CStringTest, CaseMappingFollowsUnicode) {
    CString s("Größe ÄÖÜ");
    s.MakeUpper();
    EXPECT_EQ(s, "GRÖSSE ÄÖÜ");
    s.MakeLower();
    EXPECT_EQ(s, "grösse äöü");
    EXPECT_EQ(CString("ÄRGER").CompareNoCase("ärger"), 0);
    EXPECT_LT(CString("abc").CompareNoCase("ABD"), 0);
}

TEST(CStringTest, FoldedFormsAreEqualExactlyWhenCompareNoCaseIs) {
    const std::pair<const char*, const char*> pairs[] = {
        {"INDEX.XML", "index.xml"}, {"ÄRGER", "ärger"},   {"\xE2\x84\xAA" "elvin", "kelvin"}, // Kelvin sign
        {"ΣΟΦΟΣ", "σοφος"},         {"Straße", "STRASSE"}, {"a", "b"},
        {"\xC4rger", "\xE4rger"},   {"\xC4RGER", "\xC4rger"},
    };
    for (const auto& [a, b] : pairs) {
        EXPECT_EQ(CString(a).GetCaseFolded() == CString(b).GetCaseFolded(), CString(a).CompareNoCase(b) == 0)
            << a << " / " << b;
    }
}

TEST(CStringTest, CaseMappingLeavesNonUtf8BytesAlone) {
    CString s("\xC4rger"); // Windows-1252 "Ärger"
    s.MakeLower();
    EXPECT_EQ(s, "\xC4rger");
}

TEST(CStringTest, CollatesInGermanOrder) {
    // German dictionary order puts umlauts with their base letters, not after 'z'.
    EXPECT_LT(CString("Äpfel").Collate("Birnen"), 0);
    EXPECT_LT(CString("Müller").Collate("Mzyk"), 0);
    EXPECT_GT(CString("b").Collate("a"), 0);
    EXPECT_EQ(CString("abc").CollateNoCase("ABC"), 0);
    EXPECT_NE(CString("abc").Collate("ABC"), 0);
}

struct FormatCase {
    const char* name;
    CString result;
    const char* expected;
};

void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << c.name;
}

class CStringFormatTest : public testing::TestWithParam<FormatCase> {};

CString Fmt(const char* format, const auto&... args) {
    CString s;
    s.Format(format, args...);
    return s;
}

TEST_P(CStringFormatTest, Formats) {
    EXPECT_EQ(GetParam().result.str(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CStringFormatTest,
    testing::Values(
        FormatCase{"Integers", Fmt("%d %5d %-4d| %03d", 42, -7, 3, 9), "42    -7 3   | 009"},
        FormatCase{"Unsigned32", Fmt("%u %x %X", -1, 255, 0xABCu), "4294967295 ff ABC"},
        FormatCase{"Wide", Fmt("%I64d %lld", 5000000000LL, -5000000000LL), "5000000000 -5000000000"},
        FormatCase{"CStringArgument", Fmt("%s(%d).xml", CString("Bild"), 3), "Bild(3).xml"},
        FormatCase{"Precision", Fmt("%.3s|%6.2f", "abcdef", 3.14159), "abc|  3.14"},
        FormatCase{"Star", Fmt("%*d|%.*s", 4, 7, 2, "xyz"), "   7|xy"},
        FormatCase{"Char", Fmt("%c%c", 'o', 'k'), "ok"}, FormatCase{"Percent", Fmt("100%%"), "100%"},
        FormatCase{"IntegerForString", Fmt("%s", 12), "12"},
        FormatCase{"StringForInteger", Fmt("%d", "zwölf"), "zwölf"},
        FormatCase{"MissingArgument", Fmt("a%db"), "ab"}, FormatCase{"NoWrite", Fmt("x%ny", 1), "xy"},
        FormatCase{"Settings", Fmt("%s=%d", "Brightness", 50), "Brightness=50"}),
    [](const testing::TestParamInfo<FormatCase>& info) { return info.param.name; });

TEST(CStringTest, BufferRoundTrip) {
    CString s;
    char* buffer = s.GetBuffer(16);
    std::strcpy(buffer, "Vorlage");
    s.ReleaseBuffer();
    EXPECT_EQ(s, "Vorlage");
    EXPECT_EQ(s.GetLength(), 7);
    std::memcpy(s.GetBuffer(3), "abc", 3);
    s.ReleaseBuffer(3);
    EXPECT_EQ(s, "abc");
}

} // namespace
