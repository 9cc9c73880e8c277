// Album entries on their own: the XML document, the archive form, path replacement and copies.
#include "image/PictureInfo.h"
#include "library/DSObj.h"
#include "library/Photo.h"
#include "library/xml/XmlHelpers.h"
#include "platform/base/Archive.h"
#include "platform/base/GlobalMemory.h"
#include "platform/base/Lists.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/TempFolder.h"

#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace {

std::string SaveXml(const CDSObj& entry) {
    DWORD size = 0;
    const UniqueGlobal block(XmlSaveToMemory(entry.GetXmlDocument(), size));
    const CGlobalLock lock(block.get());
    return std::string(reinterpret_cast<const char*>(lock.Bytes()), size);
}

UniqueGlobal BlockOf(std::string_view bytes) {
    UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
    const CGlobalLock lock(block.get());
    std::memcpy(lock.Bytes(), bytes.data(), bytes.size());
    return block;
}

// Parses the document bytes into a fresh entry of the same kind.
template <typename Entry>
bool ReadBack(std::string_view xml, Entry& entry) {
    const UniqueGlobal block = BlockOf(xml);
    return entry.ReadXml(block.get(), static_cast<DWORD>(xml.size()));
}

std::string Serialized(CDSObj& entry) {
    const std::vector<BYTE> bytes = StoredBytes([&](CArchive& ar) { entry.Serialize(ar); });
    return std::string(bytes.begin(), bytes.end());
}

void Deserialize(const std::string& bytes, CDSObj& entry) {
    LoadFromBytes({bytes.begin(), bytes.end()}, [&](CArchive& ar) { entry.Serialize(ar); });
}

TEST(EntryTest, FreshDocumentCarriesEveryAttributeAndReadsBack) {
    FakeAppServices app;
    CDSObj entry;
    entry.SetFilePath("/Urlaub/Strand.jpg");
    entry.SetThumbnailName("Strand.jpg(0).thumb.bmp");
    entry.SetTitle("Strand am Meer");
    entry.SetRelative(true);
    entry.SetCrc(4000000000u);
    entry.SetImageInfo(1234, CSize(640, 480), 24);
    ASSERT_TRUE(entry.WriteXml());
    const std::string xml = SaveXml(entry);
    EXPECT_NE(xml.find("encoding=\"ISO-8859-2\""), std::string::npos) << xml;
    EXPECT_NE(
        xml.find(R"(url="/Urlaub/Strand.jpg" thumbnail="Strand.jpg(0).thumb.bmp" title="Strand am Meer" )"
                 R"(width="0" height="0" relativepath="true" crc32="4000000000")"),
        std::string::npos)
        << "the attributes in their order, the size never written: " << xml;

    CDSObj read;
    ASSERT_TRUE(ReadBack(xml, read));
    EXPECT_EQ(read.GetFilePath(), "/Urlaub/Strand.jpg");
    EXPECT_EQ(read.GetThumbnailName(), "Strand.jpg(0).thumb.bmp");
    EXPECT_EQ(read.GetTitle(), "Strand am Meer");
    EXPECT_TRUE(read.IsRelative());
    EXPECT_EQ(read.GetCrc(), 4000000000u);
    EXPECT_TRUE(read.WriteXml()) << "a read document stays as it is";
    EXPECT_EQ(SaveXml(read), xml);
}

TEST(EntryTest, ReadsDocumentsWrittenElsewhere) {
    FakeAppServices app;
    struct Case {
        const char* name;
        std::string xml;
        CString url;
        bool relative;
        DWORD crc;
    };
    const Case cases[] = {
        {"WindowsPathAndCapitalNames",
         R"(<?xml version="1.0" encoding="ISO-8859-2"?><OBJECT><PROPERTIES URL="\Fotos\a.jpg" TITLE="x" )"
         R"(RelativePath="TRUE" CRC32="17"/></OBJECT>)",
         "/Fotos/a.jpg", true, 17},
        {"MissingAttributesAreEmpty", R"(<OBJECT><PROPERTIES/></OBJECT>)", "", false, 0},
        {"NonNumericCrcIsZero", R"(<OBJECT><PROPERTIES url="a" crc32="abc"/></OBJECT>)", "a", false, 0},
        {"FullThirtyTwoBits", R"(<OBJECT><PROPERTIES url="a" crc32="4294967295"/></OBJECT>)", "a", false,
         0xFFFFFFFF},
    };
    for (const Case& c : cases) {
        CDSObj entry;
        ASSERT_TRUE(ReadBack(c.xml, entry)) << c.name;
        EXPECT_EQ(entry.GetFilePath(), c.url) << c.name;
        EXPECT_EQ(entry.IsRelative(), c.relative) << c.name;
        EXPECT_EQ(entry.GetCrc(), c.crc) << c.name;
    }
}

TEST(EntryTest, RefusesDocumentsItCannotParse) {
    FakeAppServices app;
    CDSObj entry;
    EXPECT_FALSE(ReadBack("<OBJECT><PROPERTIES", entry));
    EXPECT_EQ(entry.GetXmlDocument(), nullptr);
    EXPECT_FALSE(app.Messages().empty()) << "the XML helpers report the parse error";
}

TEST(EntryTest, ArchiveFormIsTitleFlagAndPath) {
    CDSObj entry;
    entry.SetTitle("Rose");
    entry.SetRelative(true);
    entry.SetFilePath("/Blumen/rose.png");
    const std::string bytes = Serialized(entry);
    EXPECT_EQ(bytes, std::string("\x04Rose\x01\x00\x00\x00\x10/Blumen/rose.png", 26));

    struct Case {
        const char* name;
        char flag;
        bool relative;
    };
    for (const Case c : {Case{"One", 1, true}, Case{"Two", 2, false}, Case{"Zero", 0, false}}) {
        std::string stored = bytes;
        stored[5] = c.flag;
        CDSObj read;
        Deserialize(stored, read);
        EXPECT_EQ(read.IsRelative(), c.relative) << c.name;
        EXPECT_EQ(read.GetTitle(), "Rose") << c.name;
        EXPECT_EQ(read.GetFilePath(), "/Blumen/rose.png") << c.name;
    }

    CDSObj windows;
    Deserialize(std::string("\x01R\x00\x00\x00\x00\x0a"
                            "C:\\x\\y.bmp",
                            17),
                windows);
    EXPECT_EQ(windows.GetFilePath(), "C:/x/y.bmp") << "stored backslashes are read as slashes";
}

TEST(EntryTest, ReplacePathsReplacesEveryOccurrenceAndKeepsTheCase) {
    struct Case {
        const char* name;
        CString path;
        std::vector<CString> from;
        std::vector<CString> to;
        bool replaced;
        CString result;
    };
    const Case cases[] = {
        {"ListsOfDifferentLength", "/Alt/Bild.JPG", {"/alt"}, {}, false, "/Alt/Bild.JPG"},
        {"TwoOccurrences", "/alt/x/alt/y.jpg", {"/alt"}, {"/neu"}, true, "/neu/x/neu/y.jpg"},
        {"LetterCaseIgnoredRestKept", "/ALT/Bild.JPG", {"/alt"}, {"/Neu"}, true, "/Neu/Bild.JPG"},
        {"PairsInOrder", "/a/b.jpg", {"/a", "/c"}, {"/c", "/d"}, true, "/d/b.jpg"},
        {"NothingMatches", "/Foto/Bild.JPG", {"/alt"}, {"/neu"}, false, "/Foto/Bild.JPG"},
    };
    for (const Case& c : cases) {
        CStringList from;
        CStringList to;
        for (const CString& s : c.from)
            from.AddTail(s);
        for (const CString& s : c.to)
            to.AddTail(s);
        CDSObj entry;
        entry.SetFilePath(c.path);
        EXPECT_EQ(entry.ReplacePaths(from, to), c.replaced) << c.name;
        EXPECT_EQ(entry.GetFilePath(), c.result) << c.name;
    }
}

TEST(EntryTest, CloneCopiesTheBaseFieldsAndAnIndependentThumbnail) {
    CPhoto photo;
    photo.SetTitle("Hafen");
    photo.SetFilePath("/h.jpg");
    photo.SetHref("h.jpg(0).xml");
    photo.SetThumbnailName("h.jpg(0).thumb.bmp");
    photo.SetRelative(true);
    photo.SetAlbumOwned(false);
    photo.SetInUse(true);
    photo.SetCrc(7);
    photo.SetDescription("Abends");
    photo.SetThumbnail(CPictureInfo::CreateFilled(CSize(2, 2), RGB(1, 2, 3), 24));

    std::unique_ptr<CDSObj> clone(photo.Clone());
    ASSERT_NE(dynamic_cast<CPhoto*>(clone.get()), nullptr);
    EXPECT_EQ(clone->GetTitle(), "Hafen");
    EXPECT_EQ(clone->GetFilePath(), "/h.jpg");
    EXPECT_EQ(clone->GetHref(), "h.jpg(0).xml");
    EXPECT_EQ(clone->GetThumbnailName(), "h.jpg(0).thumb.bmp");
    EXPECT_TRUE(clone->IsRelative());
    EXPECT_FALSE(clone->IsAlbumOwned());
    EXPECT_FALSE(clone->IsInUse()) << "in use belongs to the original";
    EXPECT_EQ(clone->GetCrc(), 7u);
    ASSERT_TRUE(clone->HasThumbnail());
    EXPECT_NE(clone->GetThumbnail(), photo.GetThumbnail());
    photo.SetThumbnail(nullptr);
    EXPECT_TRUE(clone->HasThumbnail()) << "the copy outlives the original's picture";
}

// Descriptions in the photo's document: which are encoded, and that every one reads back byte for byte.
TEST(EntryTest, PhotoDescriptionsRoundTrip) {
    FakeAppServices app;
    struct Case {
        const char* name;
        std::string description;
        bool encoded;
    };
    const Case cases[] = {
        {"SingleBlanksStayPlain", "Ein Tag am Meer", false},
        {"UmlautsStayPlain", "Grüße aus Köln", false},
        {"OutsideTheCharset", "Preis 5 € – gut", false},
        {"Empty", "", false},
        {"TwoLines", "Erste Zeile\nZweite Zeile", true},
        {"RunOfBlanks", "a   b", true},
        {"CarriageReturnLineFeed", "a\r\nb", true},
        {"LoneCarriageReturn", "a\rb", false},
        {"Tab", "a\tb", false},
        {"Nul", std::string("a\0b", 3), true},
        {"OtherControlCharacter",
         "a\x01"
         "b",
         true},
        {"Long", std::string(200, 'x') + "\n" + std::string(100, 'y'), true},
    };
    for (const Case& c : cases) {
        CPhoto photo;
        photo.SetDescription(CString(c.description));
        ASSERT_TRUE(photo.WriteXml()) << c.name;
        const std::string xml = SaveXml(photo);
        const bool marked = xml.find("description_encoding=\"base64\"") != std::string::npos;
        EXPECT_EQ(marked, c.encoded) << c.name << ": " << xml;
        if (!c.encoded) {
            EXPECT_NE(xml.find("description_encoding=\"\""), std::string::npos) << c.name;
        }
        CPhoto read;
        ASSERT_TRUE(ReadBack(xml, read)) << c.name;
        EXPECT_EQ(read.GetDescription().str(), c.description) << c.name << ": " << xml;
    }
}

TEST(EntryTest, PhotoFromAFileOnDisk) {
    TempFolder folder;
    const CString path = folder.Path() + "/Urlaub am Meer.jpg";
    std::ofstream(path.str()) << "x";
    CPhoto named;
    ASSERT_TRUE(named.InitFromFile(path, "Abends", nullptr));
    EXPECT_EQ(named.GetTitle(), "Urlaub am Meer.jpg") << "without a title the file's name";
    EXPECT_EQ(named.GetDescription(), "Abends");
    EXPECT_EQ(named.GetFilePath(), path);
    CPhoto titled;
    ASSERT_TRUE(titled.InitFromFile(folder.Path() + "/URLAUB AM MEER.JPG", "", "Strand"));
    EXPECT_EQ(titled.GetTitle(), "Strand");
    CPhoto missing;
    EXPECT_FALSE(missing.InitFromFile(folder.Path() + "/fehlt.jpg", "", nullptr));
    EXPECT_EQ(missing.GetFilePath(), "");
}

TEST(EntryTest, PhotoDecodesBase64WhateverTheLetterCaseOfTheMark) {
    FakeAppServices app;
    const std::string xml = R"(<OBJECT><PROPERTIES description="SGFsbG8KV2VsdA==" )"
                            R"(description_encoding="BASE64"/></OBJECT>)";
    CPhoto photo;
    ASSERT_TRUE(ReadBack(xml, photo));
    EXPECT_EQ(photo.GetDescription(), "Hallo\nWelt");

    CPhoto plain;
    ASSERT_TRUE(ReadBack(R"(<OBJECT><PROPERTIES description="SGFsbG8="/></OBJECT>)", plain));
    EXPECT_EQ(plain.GetDescription(), "SGFsbG8=") << "without the mark the text is taken as it is";
}

TEST(EntryTest, PhotoEncodesInLinesOfSeventySixCharacters) {
    FakeAppServices app;
    CPhoto photo;
    photo.SetDescription(CString(std::string(120, 'z') + "\n"));
    ASSERT_TRUE(photo.WriteXml());
    CXmlPtr<CXmlElement> root(XmlGetRoot(photo.GetXmlDocument()));
    CXmlPtr<CXmlElementCollection> children(XmlGetChildren(root.Get()));
    CXmlPtr<CXmlElement> properties(XmlGetItemByName(children.Get(), "PROPERTIES"));
    CString text;
    ASSERT_TRUE(XmlGetAttribute(properties.Get(), "description", text));
    const int lineEnd = text.Find("\r\n");
    EXPECT_EQ(lineEnd, 76);
}

} // namespace
