#include "library/xml/XmlHelpers.h"

#include "platform/base/GlobalMemory.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/TempFolder.h"

#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <sys/stat.h>

namespace {

class XmlHelpersTest : public testing::Test {
protected:
    std::string PathOf(const char* name) const { return m_folder.Path().str() + "/" + name; }
    std::string Write(const char* name, std::string_view bytes) const {
        const std::string path = PathOf(name);
        std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    static std::string ReadAll(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::vector<CString> Texts() const {
        std::vector<CString> texts;
        for (const auto& message : m_app.Messages())
            texts.push_back(message.text);
        return texts;
    }

    FakeAppServices m_app;
    TempFolder m_folder;
};

// The album list as the resource kinds write it.
CXmlDocument* BuildAlbumList(std::initializer_list<const char*> paths) {
    CXmlDocument* document = nullptr;
    EXPECT_TRUE(XmlCreateDocument(&document));
    EXPECT_TRUE(XmlCreateDocumentWithRoot(document, "ALBUMS"));
    CXmlElement* root = XmlGetRoot(document);
    long index = 0;
    for (const char* path : paths) {
        CXmlElement* album = XmlCreateElement(document, kXmlElementType, "ALBUM");
        EXPECT_TRUE(XmlSetAttribute(album, "path", path));
        EXPECT_TRUE(XmlAddChild(root, album, index++));
        XmlRelease(&album);
    }
    XmlRelease(&root);
    return document;
}

std::vector<CString> AlbumPaths(CXmlDocument* document) {
    CXmlElement* root = XmlGetRoot(document);
    CXmlElementCollection* albums = XmlGetChildren(root);
    std::vector<CString> paths;
    for (long i = 0; i < XmlGetLength(albums); ++i) {
        CXmlElement* album = XmlGetItemByIndex(albums, i);
        CString path;
        XmlGetAttribute(album, "PATH", path);
        paths.push_back(path);
        XmlRelease(&album);
    }
    XmlRelease(&albums);
    XmlRelease(&root);
    return paths;
}

TEST_F(XmlHelpersTest, FileRoundTripReplacesTheOldFileEvenWhenReadOnly) {
    const std::string path = Write("albums.dat", "old");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    CXmlDocument* written = BuildAlbumList({"\\album0.zip", "\\Ölbilder.zip"});
    ASSERT_TRUE(XmlSaveToFile(written, path.c_str()));
    XmlRelease(&written);
    EXPECT_EQ(written, nullptr) << "released and cleared";

    struct stat status {};
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_TRUE(status.st_mode & S_IWUSR) << "the read-only attribute was cleared";
    CXmlDocument* read = XmlLoadFromFile(path.c_str());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(AlbumPaths(read), (std::vector<CString>{"\\album0.zip", "\\Ölbilder.zip"}));
    XmlRelease(&read);
    EXPECT_TRUE(m_app.Messages().empty());
}

TEST_F(XmlHelpersTest, StoredPathsWithBackslashesAndOtherCaseFindTheFile) {
    ASSERT_EQ(::mkdir(PathOf("Photos").c_str(), 0755), 0);
    Write("Photos/albums.dat", "<ALBUMS><ALBUM path=\"\\album0.zip\"/></ALBUMS>");
    CXmlDocument* read = XmlLoadFromFile((m_folder.Path() + "\\PHOTOS\\Albums.dat").GetString());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(AlbumPaths(read), (std::vector<CString>{"\\album0.zip"}));
    XmlRelease(&read);
}

TEST_F(XmlHelpersTest, MissingOrUnreadableFilesLoadNothingSilently) {
    EXPECT_EQ(XmlLoadFromFile(PathOf("missing.xml").c_str()), nullptr);
    EXPECT_EQ(XmlLoadFromFile(m_folder.Path()), nullptr) << "a folder";
    EXPECT_TRUE(m_app.Messages().empty());
}

TEST_F(XmlHelpersTest, SyntaxErrorInAFileNamesPathLineAndTexts) {
    const std::string path = Write("index.xml", "<ALBUM>\n  <PROPERTY title=\"x\">\n</ALBUM>\n");
    EXPECT_EQ(XmlLoadFromFile(path.c_str()), nullptr);
    EXPECT_EQ(Texts(),
              (std::vector<CString>{CString(path) +
                                    " Error on line 3. Found </ALBUM> while expecting Opening and ending "
                                    "tag mismatch: PROPERTY line 2 and ALBUM\r\n"}));
}

TEST_F(XmlHelpersTest, SavingWhereNoFileCanBeMadeFailsAndKeepsTheOldFile) {
    const std::string blocker = Write("blocker", "kept");
    CXmlDocument* document = BuildAlbumList({"\\album0.zip"});
    EXPECT_FALSE(XmlSaveToFile(document, (blocker + "/albums.dat").c_str()))
        << "a file stands for the folder";
    EXPECT_EQ(ReadAll(blocker), "kept");

    CXmlDocument* empty = nullptr;
    ASSERT_TRUE(XmlCreateDocument(&empty));
    const std::string old = Write("old.xml", "old content");
    EXPECT_FALSE(XmlSaveToFile(empty, old.c_str())) << "a document without root";
    EXPECT_EQ(ReadAll(old), "old content");
    EXPECT_EQ(Texts(), (std::vector<CString>{" Error on line 0. Found  while expecting a root element\r\n"}));
    XmlRelease(&empty);
    XmlRelease(&document);
}

TEST_F(XmlHelpersTest, MemoryRoundTripLeavesTheBlockWithTheCaller) {
    CXmlDocument* written = BuildAlbumList({"\\album0.zip"});
    DWORD size = 0;
    const UniqueGlobal block(XmlSaveToMemory(written, size));
    XmlRelease(&written);
    ASSERT_TRUE(block);
    EXPECT_EQ(GlobalSize(block.get()), size);
    EXPECT_EQ(GlobalFlags(block.get()) & GMEM_LOCKCOUNT, 0u);

    CXmlDocument* read = XmlLoadFromMemory(block.get(), size);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(AlbumPaths(read), (std::vector<CString>{"\\album0.zip"}));
    XmlRelease(&read);
    EXPECT_EQ(GlobalFlags(block.get()), 0u) << "still a valid, unlocked block";
}

TEST_F(XmlHelpersTest, MemoryErrorsShowResultNameAndDetails) {
    const std::string_view text = "<a>\n<b c=d/></a>";
    const UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, text.size()));
    std::memcpy(CGlobalLock(block.get()).Bytes(), text.data(), text.size());

    EXPECT_EQ(XmlLoadFromMemory(block.get(), static_cast<DWORD>(text.size())), nullptr);
    CString details;
    details.Format(
        "hResult = 80004005  Error on line 2. Found d/></a> while expecting AttValue: \" or ' expected "
        "buf = <b c=d/></a> ich = 6 handle = %x \r\n",
        reinterpret_cast<UINT_PTR>(block.get()));
    EXPECT_EQ(Texts(), (std::vector<CString>{"E_FAIL", details}));

    m_app.ClearMessages();
    EXPECT_EQ(XmlLoadFromMemory(block.get(), static_cast<DWORD>(text.size() + 1)), nullptr);
    EXPECT_EQ(XmlLoadFromMemory(nullptr, 0), nullptr);
    EXPECT_EQ(Texts(), (std::vector<CString>{"Couldn't open stream on URL!", "Couldn't open stream on URL!"}))
        << "a size beyond the block is never read";
}

TEST_F(XmlHelpersTest, BooleanAttributes) {
    struct Case {
        const char* name;
        const char* text;
        bool readable;
        bool value;
    };
    const Case cases[] = {
        {"True", "true", true, true},         {"FalseInCapitals", "FALSE", true, false},
        {"Blanks", " true ", true, true},     {"One", "1", true, true},
        {"Zero", "0", true, false},           {"Fraction", "-0.5", true, true},
        {"Word", "ja", false, false},         {"Empty", "", false, false},
        {"TrailingText", "1x", false, false},
    };
    CXmlDocument* document = nullptr;
    ASSERT_TRUE(XmlCreateDocument(&document));
    XmlCreateDocumentWithRoot(document, "PROPERTIES");
    CXmlElement* properties = XmlGetRoot(document);
    for (const Case& c : cases) {
        ASSERT_TRUE(XmlSetAttribute(properties, "relativepath", c.text));
        bool value = !c.value;
        EXPECT_EQ(XmlGetAttributeBool(properties, "RelativePath", value), c.readable) << c.name;
        EXPECT_EQ(value, c.readable ? c.value : !c.value) << c.name << ": left alone when unreadable";
    }
    bool untouched = true;
    EXPECT_FALSE(XmlGetAttributeBool(properties, "missing", untouched));
    EXPECT_TRUE(untouched);

    for (const bool value : {false, true}) {
        ASSERT_TRUE(XmlSetAttributeBool(properties, "relativepath", value));
        CString text;
        ASSERT_TRUE(XmlGetAttribute(properties, "relativepath", text));
        EXPECT_EQ(text, value ? "true" : "false");
    }
    XmlRelease(&properties);
    XmlRelease(&document);
}

TEST_F(XmlHelpersTest, FindChildByAttributeComparesValuesExactly) {
    CXmlDocument* document = nullptr;
    ASSERT_TRUE(XmlCreateDocument(&document));
    const char* text =
        "<OBJECTS><OBJECT href=\"A.jpg.xml\"/><OBJECT/><OBJECT href=\"a.jpg.xml\" n=\"2\"/></OBJECTS>";
    ASSERT_EQ(document->Load(text, std::strlen(text)), S_OK);
    CXmlElement* root = XmlGetRoot(document);
    CXmlElementCollection* objects = XmlGetChildren(root);

    CXmlElement* found = XmlFindChildByAttribute(objects, "HREF", "a.jpg.xml");
    CString n;
    EXPECT_TRUE(XmlGetAttribute(found, "n", n));
    EXPECT_EQ(n, "2");
    EXPECT_EQ(XmlFindChildByAttribute(objects, "href", "b.jpg.xml"), nullptr);
    EXPECT_EQ(XmlFindChildByAttribute(nullptr, "href", "a.jpg.xml"), nullptr);
    XmlRelease(&found);
    XmlRelease(&objects);
    XmlRelease(&root);
    XmlRelease(&document);
}

TEST_F(XmlHelpersTest, NullArgumentsGiveFalseOrNullWithoutMessage) {
    CString value = "unchanged";
    bool flag = true;
    DWORD size = 7;
    EXPECT_FALSE(XmlCreateDocumentWithRoot(nullptr, "A"));
    EXPECT_FALSE(XmlCreateDocument(nullptr));
    EXPECT_FALSE(XmlSaveToFile(nullptr, PathOf("x.xml").c_str()));
    EXPECT_EQ(XmlSaveToMemory(nullptr, size), nullptr);
    EXPECT_EQ(XmlGetRoot(nullptr), nullptr);
    EXPECT_EQ(XmlCreateElement(nullptr, kXmlElementType, "A"), nullptr);
    EXPECT_EQ(XmlGetChildren(nullptr), nullptr);
    EXPECT_EQ(XmlGetLength(nullptr), 0);
    EXPECT_EQ(XmlGetItemByName(nullptr, "A"), nullptr);
    EXPECT_EQ(XmlGetItemByIndex(nullptr, 0), nullptr);
    EXPECT_FALSE(XmlAddChild(nullptr, nullptr, 0));
    EXPECT_FALSE(XmlRemoveChild(nullptr, nullptr));
    EXPECT_FALSE(XmlGetAttribute(nullptr, "a", value));
    EXPECT_FALSE(XmlGetAttributeBool(nullptr, "a", flag));
    EXPECT_FALSE(XmlSetAttribute(nullptr, "a", "b"));
    EXPECT_FALSE(XmlSetAttributeBool(nullptr, "a", true));
    CXmlElement* none = nullptr;
    XmlRelease(&none);
    EXPECT_EQ(value, "unchanged");
    EXPECT_TRUE(flag);
    EXPECT_EQ(size, 7u);
    EXPECT_TRUE(m_app.Messages().empty());
    EXPECT_FALSE(std::ifstream(PathOf("x.xml")).good());
}

TEST_F(XmlHelpersTest, CheckAndRootCreation) {
    EXPECT_TRUE(XmlCheckAvailable());
    CXmlDocument* document = nullptr;
    ASSERT_TRUE(XmlCreateDocument(&document));
    EXPECT_EQ(XmlGetRoot(document), nullptr) << "a new document is empty";
    EXPECT_TRUE(XmlCreateDocumentWithRoot(document, "zwei worte")) << "true whenever a document is given";
    EXPECT_EQ(XmlGetRoot(document), nullptr);
    EXPECT_TRUE(XmlCreateDocumentWithRoot(document, "OBJECT"));
    CXmlElement* root = XmlGetRoot(document);
    EXPECT_EQ(root->GetTagName(), "OBJECT");
    XmlRelease(&root);
    XmlRelease(&document);
    EXPECT_TRUE(m_app.Messages().empty());
}

} // namespace
