#include "tests/platform/xml/XmlTestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using namespace xmltest;

namespace {

// An album index as the program builds it, with umlauts and a character that ISO-8859-2 lacks.
DocumentPtr BuildAlbumIndex(const char* title) {
    DocumentPtr document(CXmlDocument::Create());
    EXPECT_EQ(document->Load("<ALBUM/>", 8), S_OK);
    EXPECT_TRUE(document->SetCharset("ISO-8859-2"));
    const ElementPtr root(document->GetRoot());
    const ElementPtr property(document->CreateElement(kXmlElementType, "PROPERTY"));
    property->SetAttribute("Producer", "Bäckerei Müller");
    property->SetAttribute("Title", title);
    property->SetAttribute("description", "Zeile 1\r\nZeile 2 & <mehr> \"zitiert\"");
    const ElementPtr objects(document->CreateElement(kXmlElementType, "OBJECTS"));
    for (const char* href : {"Straße.jpg.xml", "Öl(0).jpg.xml"}) {
        const ElementPtr object(document->CreateElement(kXmlElementType, "OBJECT"));
        object->SetAttribute("href", href);
        objects->AddChild(object.Get(), -1);
    }
    root->AddChild(property.Get(), 0);
    root->AddChild(objects.Get(), 0);
    return document;
}

TEST(XmlDocumentTest, RoundTripKeepsTextAndWritesMissingCharactersAsReferences) {
    const DocumentPtr written = BuildAlbumIndex("Grüße, Łódź € 📷");
    const std::string bytes = Save(written.Get());
    EXPECT_EQ(bytes.find("<?xml version=\"1.0\" encoding=\"ISO-8859-2\"?>"), 0u) << bytes;
    EXPECT_NE(bytes.find("Gr\xFC\xDF"
                         "e, \xA3\xF3"
                         "d\xBC"),
              std::string::npos)
        << "umlauts in ISO-8859-2";
    EXPECT_NE(bytes.find("&#8364; &#128247;"), std::string::npos) << bytes;

    HRESULT result;
    const DocumentPtr read = Parse(bytes, &result);
    ASSERT_EQ(result, S_OK) << read->GetError().expected;
    EXPECT_EQ(read->GetCharset(), "ISO-8859-2");
    const ElementPtr root(read->GetRoot());
    EXPECT_EQ(root->GetTagName(), "ALBUM");
    const ElementPtr property = Child(root.Get(), "PROPERTY");
    EXPECT_EQ(Attribute(property.Get(), "title"), "Grüße, Łódź € 📷");
    EXPECT_EQ(Attribute(property.Get(), "producer"), "Bäckerei Müller");
    EXPECT_EQ(Attribute(property.Get(), "description"), "Zeile 1\r\nZeile 2 & <mehr> \"zitiert\"");
    const CollectionPtr objects(Child(root.Get(), "OBJECTS")->GetChildren());
    ASSERT_EQ(objects->GetLength(), 2);
    EXPECT_EQ(Attribute(ElementPtr(objects->ItemByIndex(1)).Get(), "HREF"), "Öl(0).jpg.xml");
    EXPECT_EQ(Save(read.Get()), bytes) << "a read document writes the same bytes";
}

// Python's ElementTree reads what we write: tags and attributes in document order, as JSON.
constexpr const char* kDumpWithElementTree = R"(
import json, sys, xml.etree.ElementTree as ET
root = ET.parse(sys.argv[1]).getroot()
print(json.dumps([[e.tag, e.attrib] for e in root.iter()]))
)";

TEST(XmlDocumentTest, PythonReadsTheDocumentsWeWrite) {
    for (const char* charset : {"ISO-8859-2", "UTF-8"}) {
        const DocumentPtr written = BuildAlbumIndex("Grüße € 📷");
        ASSERT_TRUE(written->SetCharset(charset));
        TempFolder folder;
        WriteBytes(FileIn(folder, "index.xml"), Save(written.Get()));
        const QJsonArray elements =
            QJsonDocument::fromJson(
                QByteArray::fromStdString(RunPython(kDumpWithElementTree, FileIn(folder, "index.xml"))))
                .array();
        ASSERT_EQ(elements.size(), 5) << charset;
        EXPECT_EQ(elements[0].toArray()[0].toString(), "ALBUM");
        EXPECT_EQ(elements[1].toArray()[0].toString(), "OBJECTS") << "added at index 0 after PROPERTY";
        const QJsonObject property = elements[4].toArray()[1].toObject();
        EXPECT_EQ(elements[4].toArray()[0].toString(), "PROPERTY");
        EXPECT_EQ(property["Title"].toString(), QString::fromUtf8("Grüße € 📷")) << charset;
        EXPECT_EQ(property["Producer"].toString(), QString::fromUtf8("Bäckerei Müller"));
        EXPECT_EQ(property["description"].toString(),
                  QString::fromUtf8("Zeile 1\r\nZeile 2 & <mehr> \"zitiert\""));
        EXPECT_EQ(elements[2].toArray()[1].toObject()["href"].toString(),
                  QString::fromUtf8("Straße.jpg.xml"));
        EXPECT_EQ(elements[3].toArray()[1].toObject()["href"].toString(), QString::fromUtf8("Öl(0).jpg.xml"));
    }
}

TEST(XmlDocumentTest, ReadsWhatPythonWritesInIso88592) {
    TempFolder folder;
    RunPython(R"(
import sys, xml.etree.ElementTree as ET
root = ET.Element("ALBUMS")
ET.SubElement(root, "ALBUM", path="\\album0.zip", title="Żółć € ß")
ET.ElementTree(root).write(sys.argv[1], encoding="ISO-8859-2", xml_declaration=True)
)",
              FileIn(folder, "albums.dat"));
    HRESULT result;
    const DocumentPtr document = Parse(ReadBytes(FileIn(folder, "albums.dat")), &result);
    ASSERT_EQ(result, S_OK) << document->GetError().expected;
    EXPECT_EQ(document->GetCharset().CompareNoCase("ISO-8859-2"), 0);
    const ElementPtr album = Child(ElementPtr(document->GetRoot()).Get(), "ALBUM");
    EXPECT_EQ(Attribute(album.Get(), "PATH"), "\\album0.zip");
    EXPECT_EQ(Attribute(album.Get(), "title"), "Żółć € ß");
}

TEST(XmlDocumentTest, DeclaredCharsetHoldsAndWindows1252ReadsOnlyInvalidBytes) {
    struct Case {
        const char* name;
        std::string_view bytes;
        const char* title;
        const char* charset;
    };
    const Case cases[] = {
        {"Iso88592Letters", "<?xml version=\"1.0\" encoding=\"ISO-8859-2\"?><a t=\"\xB1\xE6\xEA\xFC\"/>",
         "ąćęü", "ISO-8859-2"},
        {"Utf8WithStrayWindowsBytes", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><a t=\"Grüße \x80 \xFC\"/>",
         "Grüße € ü", "UTF-8"},
        {"NoDeclarationMeansUtf8", "<a t=\"\xE2\x82\xAC \x84x\x93\"/>", "€ „x“", "UTF-8"},
        {"Utf8ByteOrderMark", "\xEF\xBB\xBF<?xml version=\"1.0\"?><a t=\"\xC3\xA4\"/>", "ä", "UTF-8"},
        {"ByteUndefinedInWindows1250", "<?xml version='1.0' encoding='windows-1250'?><a t=\"\x9A\x81\"/>",
         "š\xC2\x81", "windows-1250"},
        {"Latin1", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a t=\"\xE4\xA4\"/>", "ä¤", "ISO-8859-1"},
    };
    for (const Case& c : cases) {
        HRESULT result;
        const DocumentPtr document = Parse(c.bytes, &result);
        ASSERT_EQ(result, S_OK) << c.name << ": " << document->GetError().expected;
        EXPECT_EQ(Attribute(ElementPtr(document->GetRoot()).Get(), "t"), c.title) << c.name;
        EXPECT_EQ(document->GetCharset(), c.charset) << c.name;
    }
}

TEST(XmlDocumentTest, ReadsUtf16WithByteOrderMark) {
    const std::u16string text = u"\xFEFF<a t=\"Grüße\"/>";
    std::string bytes;
    for (const char16_t ch : text) {
        bytes += static_cast<char>(ch & 0xFF);
        bytes += static_cast<char>(ch >> 8);
    }
    HRESULT result;
    const DocumentPtr document = Parse(bytes, &result);
    ASSERT_EQ(result, S_OK) << document->GetError().expected;
    EXPECT_EQ(Attribute(ElementPtr(document->GetRoot()).Get(), "t"), "Grüße");
}

TEST(XmlDocumentTest, SyntaxErrorsGiveLineFoundAndExpectedTexts) {
    struct Case {
        const char* name;
        const char* text;
        long line;
        const char* found;
        const char* expected;
    };
    const Case cases[] = {
        {"MismatchedEndTag", "<ALBUM>\n  <PROPERTY title=\"x\">\n</ALBUM>\n", 3, "</ALBUM>",
         "Opening and ending tag mismatch"},
        {"UnquotedValue", "<?xml version=\"1.0\"?>\n<a>\n<b c=d/></a>", 3, "d/></a>", "AttValue"},
        {"SecondRoot", "<a/>\n<b/>", 2, "<b/>", "Extra content"},
        {"CutShort", "<a>\n<b>", 2, "<b>", "Premature end of data"},
        {"Empty", "", 1, "", "Document is empty"},
        {"FoundStopsAfterTwentyCharacters", "<a>\n&unknown;abcdefghijklmnopqrstuvwxyz</a>", 2,
         "abcdefghijklmnopqrst", "Entity 'unknown' not defined"},
        {"ColumnCountsCharacters", "<a>\n<ä ö=\"1\" ö=\"2\"/></a>", 2, "/></a>", "Attribute ö redefined"},
    };
    for (const Case& c : cases) {
        HRESULT result;
        const DocumentPtr document = Parse(c.text, &result);
        const XmlParseError& error = document->GetError();
        EXPECT_EQ(result, E_FAIL) << c.name;
        EXPECT_EQ(error.result, E_FAIL) << c.name;
        EXPECT_EQ(error.line, c.line) << c.name;
        EXPECT_EQ(error.found, c.found) << c.name;
        EXPECT_NE(error.expected.Find(c.expected), -1) << c.name << ": " << error.expected;
        EXPECT_EQ(ElementPtr(document->GetRoot()).Get(), nullptr) << c.name;
    }
}

TEST(XmlDocumentTest, FailedLoadKeepsTheContent) {
    const DocumentPtr document = Parse("<ALBUM t=\"1\"/>");
    EXPECT_EQ(document->Load("<broken", 7), E_FAIL);
    EXPECT_EQ(Attribute(ElementPtr(document->GetRoot()).Get(), "t"), "1");
    EXPECT_EQ(document->Load("<NEW/>", 6), S_OK);
    EXPECT_EQ(document->GetError().result, S_OK) << "a good load clears the error";
    EXPECT_EQ(ElementPtr(document->GetRoot())->GetTagName(), "NEW");
}

// A file the parser must never read: its content may not appear in anything the document gives back.
class XmlExternalReferenceTest : public testing::Test {
protected:
    void SetUp() override {
        WriteBytes(FileIn(m_folder, "secret.txt"), "GEHEIM");
        WriteBytes(FileIn(m_folder, "evil.dtd"), "<!ENTITY secret \"GEHEIM\">");
    }
    std::string Url(const char* name) const { return "file://" + FileIn(m_folder, name); }
    TempFolder m_folder;
};

TEST_F(XmlExternalReferenceTest, NothingIsLoaded) {
    const std::string cases[] = {
        "<!DOCTYPE a [<!ENTITY x SYSTEM \"" + Url("secret.txt") + "\">]><a b=\"1\">&x;</a>",
        "<!DOCTYPE a SYSTEM \"" + Url("evil.dtd") + "\"><a b=\"1\">&secret;</a>",
        "<!DOCTYPE a [<!ENTITY % p SYSTEM \"" + Url("evil.dtd") + "\"> %p;]><a b=\"1\">&secret;</a>",
        "<!DOCTYPE a SYSTEM \"" + Url("evil.dtd") + "\"><a b=\"&secret;\"/>",
        "<!DOCTYPE a [<!ENTITY x SYSTEM \"http://127.0.0.1:9/secret\">]><a b=\"1\">&x;</a>",
    };
    for (const std::string& text : cases) {
        HRESULT result;
        const DocumentPtr document = Parse(text, &result);
        if (result != S_OK)
            continue;
        EXPECT_EQ(Save(document.Get()).find("GEHEIM"), std::string::npos) << text;
        EXPECT_NE(Attribute(ElementPtr(document->GetRoot()).Get(), "b"), "GEHEIM") << text;
    }
}

std::string EntityBomb(bool inAttribute) {
    std::string text = "<?xml version=\"1.0\"?><!DOCTYPE lolz [<!ENTITY lol \"lol\">";
    for (int level = 1; level <= 9; ++level) {
        const std::string previous = level == 1 ? "lol" : "lol" + std::to_string(level - 1);
        text += "<!ENTITY lol" + std::to_string(level) + " \"";
        for (int n = 0; n < 10; ++n)
            text += "&" + previous + ";";
        text += "\">";
    }
    return text + (inAttribute ? "]><lolz a=\"&lol9;\"/>" : "]><lolz>&lol9;</lolz>");
}

TEST(XmlDocumentTest, RefusesEntityExpansionBombs) {
    for (const bool inAttribute : {false, true}) {
        HRESULT result;
        const DocumentPtr document = Parse(EntityBomb(inAttribute), &result);
        EXPECT_EQ(result, E_FAIL) << (inAttribute ? "attribute" : "content");
        EXPECT_NE(document->GetError().expected.Find("entity"), -1) << document->GetError().expected;
    }
}

TEST(XmlDocumentTest, RefusesDocumentsAboveTheSizeLimitUnread) {
    std::string text = "<a>";
    text.resize(CXmlDocument::kMaxDocumentBytes - 3, ' ');
    text += "</a> ";
    HRESULT result;
    const DocumentPtr document = Parse(text, &result);
    EXPECT_EQ(result, E_FAIL);
    EXPECT_NE(document->GetError().expected.Find("at most"), -1) << document->GetError().expected;
}

TEST(XmlDocumentTest, SaveRefusesWhatItCannotWriteFaithfully) {
    DocumentPtr empty(CXmlDocument::Create());
    std::string bytes;
    EXPECT_EQ(empty->Save(bytes), E_FAIL) << "no root";

    const DocumentPtr document = Parse("<a/>");
    const ElementPtr root(document->GetRoot());
    const ElementPtr omega(document->CreateElement(kXmlElementType, "Ωmega"));
    ASSERT_TRUE(omega);
    root->AddChild(omega.Get(), -1);
    EXPECT_EQ(document->Save(bytes), S_OK) << "UTF-8 has every character";
    ASSERT_TRUE(document->SetCharset("ISO-8859-2"));
    EXPECT_EQ(document->Save(bytes), E_FAIL) << "a name cannot be a character reference";
}

TEST(XmlDocumentTest, SetCharsetRefusesUnknownCharsets) {
    DocumentPtr document(CXmlDocument::Create());
    EXPECT_EQ(document->GetCharset(), "UTF-8");
    EXPECT_FALSE(document->SetCharset("no-such-charset"));
    EXPECT_FALSE(document->SetCharset(""));
    EXPECT_EQ(document->GetCharset(), "UTF-8");
    EXPECT_TRUE(document->SetCharset("windows-1252"));
    EXPECT_EQ(document->GetCharset(), "windows-1252");
}

} // namespace
