#include "library/zip/ZipEntryName.h"

#include <gtest/gtest.h>
#include <zlib.h>

namespace {

// An Info-ZIP Unicode path extra field for a stored name, with the checksum given.
std::string UnicodePathField(std::string_view utf8, uLong nameCrc) {
    std::string field = "up";
    const size_t size = 5 + utf8.size();
    field += static_cast<char>(size & 0xFF);
    field += static_cast<char>(size >> 8);
    field += '\x01';
    for (int shift = 0; shift < 32; shift += 8)
        field += static_cast<char>((nameCrc >> shift) & 0xFF);
    return field += utf8;
}

uLong CrcOf(std::string_view bytes) {
    return crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size()));
}

TEST(ZipEntryNameTest, DecodesByFlagContentAndUnicodeField) {
    const std::string cp850 = "Gr\x81\xE1"
                              "e.xml";
    const std::string timestamp = std::string("UT\x05\x00\x01\x00\x00\x00\x00", 9);
    struct Case {
        const char* name;
        std::string stored;
        WORD flags;
        std::string extra;
        std::string expected;
    };
    const Case cases[] = {
        {"Ascii", "index.xml", 0, "", "index.xml"},
        {"FlaggedUtf8", "Grüße.xml", kZipFlagUtf8, "", "Grüße.xml"},
        {"UnflaggedUtf8FromLinux", "Grüße.xml", 0, "", "Grüße.xml"},
        {"CodePage850", cp850, 0, "", "Grüße.xml"},
        {"FlagOnBytesThatAreNotUtf8", cp850, kZipFlagUtf8, "", "Grüße.xml"},
        {"Backslashes", "Fotos\\Urlaub.bmp", 0, "", "Fotos/Urlaub.bmp"},
        {"UnicodeFieldWins", cp850, 0, timestamp + UnicodePathField("Größe.xml", CrcOf(cp850)), "Größe.xml"},
        {"UnicodeFieldForAnotherName", cp850, 0, UnicodePathField("Größe.xml", CrcOf("other")), "Grüße.xml"},
        {"UnicodeFieldCutShort", cp850, 0, UnicodePathField("Größe.xml", CrcOf(cp850)).substr(0, 8),
         "Grüße.xml"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodeZipEntryName(c.stored, c.flags, c.extra), c.expected) << c.name;
}

TEST(ZipEntryNameTest, EncodesInCodePage850WhenEverythingFits) {
    struct Case {
        const char* name;
        std::string_view given;
        std::string stored;
        WORD flags;
    };
    const Case cases[] = {
        {"Ascii", "a/b.xml", "a/b.xml", 0},
        {"Backslashes", "a\\b.xml", "a/b.xml", 0},
        {"GermanLetters", "Grüße.xml",
         "Gr\x81\xE1"
         "e.xml",
         0},
        {"EuroSign", "€.xml", "€.xml", kZipFlagUtf8},
        {"Windows1252Text",
         "Gr\xFC\xDF"
         "e.xml",
         "Gr\x81\xE1"
         "e.xml",
         0},
        {"Cp850BytesThatReadAsUtf8", "├ñ", "├ñ", kZipFlagUtf8},
    };
    for (const Case& c : cases) {
        const ZipStoredName stored = EncodeZipEntryName(c.given);
        EXPECT_EQ(stored.bytes, c.stored) << c.name;
        EXPECT_EQ(stored.flags, c.flags) << c.name;
    }
}

} // namespace
