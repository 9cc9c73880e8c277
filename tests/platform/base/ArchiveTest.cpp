#include "platform/base/Archive.h"

#include "platform/base/Lists.h"
#include "platform/base/MemFile.h"
#include "tests/platform/base/FileFixtures.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/RunTool.h"
#include "tests/support/TempFolder.h"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

// A small serializable hierarchy: a point, a labelled point derived from it, and an unrelated note
// whose loader accepts every schema.
class CTestPoint : public CObject {
    DECLARE_SERIAL(CTestPoint)
public:
    CTestPoint() = default;
    explicit CTestPoint(int x) : m_x(x) {}
    void Serialize(CArchive& ar) override {
        CObject::Serialize(ar);
        if (ar.IsStoring()) {
            ar << m_x;
        } else {
            ar >> m_x;
        }
    }
    int m_x = 0;
};

class CTestLabel : public CTestPoint {
    DECLARE_SERIAL(CTestLabel)
public:
    void Serialize(CArchive& ar) override {
        CTestPoint::Serialize(ar);
        if (ar.IsStoring()) {
            ar << m_text;
        } else {
            ar >> m_text;
        }
    }
    CString m_text;
};

class CTestNote : public CObject {
    DECLARE_SERIAL(CTestNote)
public:
    void Serialize(CArchive& ar) override {
        if (ar.IsLoading()) {
            m_loadedSchema = ar.GetObjectSchema();
            m_schemaAskedTwice = ar.GetObjectSchema();
        }
    }
    UINT m_loadedSchema = 0;
    UINT m_schemaAskedTwice = 0;
};

IMPLEMENT_SERIAL(CTestPoint, CObject, 1)
IMPLEMENT_SERIAL(CTestLabel, CTestPoint, 1)
IMPLEMENT_SERIAL(CTestNote, CObject, VERSIONABLE_SCHEMA | 3)

using Bytes = std::vector<BYTE>;

Bytes Store(const std::function<void(CArchive&)>& write) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    const auto length = static_cast<size_t>(file.GetLength());
    Bytes bytes(length);
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(length));
    return bytes;
}

void Load(Bytes bytes, const std::function<void(CArchive&)>& read) {
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    read(ar);
}

// The cause of the CArchiveException that loading throws, or -1.
int LoadCause(const Bytes& bytes, const std::function<void(CArchive&)>& read) {
    try {
        Load(bytes, read);
    } catch (CArchiveException* e) {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

Bytes Text(const char* text) {
    return Bytes(text, text + std::strlen(text));
}

struct StringCase {
    const char* name;
    size_t length;
    Bytes prefix;
};
std::ostream& operator<<(std::ostream& out, const StringCase& c) {
    return out << c.name;
}

class ArchiveStringTest : public testing::TestWithParam<StringCase> {};

TEST_P(ArchiveStringTest, WritesTheLengthPrefixAndReadsItBack) {
    const StringCase& c = GetParam();
    const CString text(std::string(c.length, 'a'));
    const Bytes bytes = Store([&](CArchive& ar) { ar << text; });
    ASSERT_EQ(bytes.size(), c.prefix.size() + c.length);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + static_cast<long>(c.prefix.size())), c.prefix);
    CString back;
    Load(bytes, [&](CArchive& ar) { ar >> back; });
    EXPECT_EQ(back, text);
}

INSTANTIATE_TEST_SUITE_P(
    Prefixes, ArchiveStringTest,
    testing::Values(StringCase{"Empty", 0, {0x00}}, StringCase{"LongestByteForm", 254, {0xFE}},
                    StringCase{"ShortestWordForm", 255, {0xFF, 0xFF, 0x00}},
                    StringCase{"LongestWordForm", 65533, {0xFF, 0xFD, 0xFF}},
                    StringCase{"ShortestDwordForm", 65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
                    StringCase{"LongDwordForm", 70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ArchiveTest, StringsFromWindowsAreReadAsWindows1252) {
    // "Müller" in Windows-1252, then the same name already in UTF-8.
    const Bytes bytes = {6, 'M', 0xFC, 'l', 'l', 'e', 'r', 7, 'M', 0xC3, 0xBC, 'l', 'l', 'e', 'r'};
    CString windows;
    CString utf8;
    Load(bytes, [&](CArchive& ar) { ar >> windows >> utf8; });
    EXPECT_EQ(windows, "Müller");
    EXPECT_EQ(utf8, "Müller");
}

struct EncodingCase {
    const char* name;
    const char* text;
    Bytes stored;
};
std::ostream& operator<<(std::ostream& out, const EncodingCase& c) {
    return out << c.name;
}

class ArchiveEncodingTest : public testing::TestWithParam<EncodingCase> {};

TEST_P(ArchiveEncodingTest, StoresWhatTheWindowsProgramReadsAndReadsItBack) {
    const EncodingCase& c = GetParam();
    EXPECT_EQ(Store([&](CArchive& ar) { ar << CString(c.text); }), c.stored);
    CString back;
    Load(c.stored, [&](CArchive& ar) { ar >> back; });
    EXPECT_EQ(back, c.text);
}

// Windows-1252 where it holds the text and cannot be taken for other UTF-8 text; else the Unicode mark
// 0xFF 0xFFFE, the length in UTF-16 units and UTF-16LE.
INSTANTIATE_TEST_SUITE_P(
    Encodings, ArchiveEncodingTest,
    testing::Values(
        EncodingCase{"Ascii", "Foto", {4, 'F', 'o', 't', 'o'}},
        EncodingCase{"German", "Grüße", {5, 'G', 'r', 0xFC, 0xDF, 'e'}},
        EncodingCase{"Danish", "Ærø", {3, 0xC6, 'r', 0xF8}},
        EncodingCase{"EuroSign", "5 €", {3, '5', ' ', 0x80}},
        EncodingCase{"Polish", "Łódź", {0xFF, 0xFE, 0xFF, 4, 0x41, 0x01, 0xF3, 0, 'd', 0, 0x7A, 0x01}},
        EncodingCase{"Chinese", "写真", {0xFF, 0xFE, 0xFF, 2, 0x99, 0x51, 0x1F, 0x77}},
        EncodingCase{"Emoji", "\xF0\x9F\x93\xB7", {0xFF, 0xFE, 0xFF, 2, 0x3D, 0xD8, 0xF7, 0xDC}},
        // "Ã¼" in Windows-1252 is C3 BC, which reads back as UTF-8 "ü".
        EncodingCase{"Windows1252ThatLooksLikeUtf8", "Ã¼", {0xFF, 0xFE, 0xFF, 2, 0xC3, 0, 0xBC, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

// The Windows program's reading, in Python: narrow strings in its code page, Windows-1252, and the
// Unicode-marked form as UTF-16LE. One text per line.
constexpr char kWindowsReader[] = R"(import sys
data = open(sys.argv[1], 'rb').read()
pos = 0
def take(n):
    global pos
    pos += n
    return data[pos - n:pos]
def length():
    n = take(1)[0]
    if n < 0xFF:
        return n, False
    word = int.from_bytes(take(2), 'little')
    wide = word == 0xFFFE
    if wide:
        n = take(1)[0]
        if n < 0xFF:
            return n, True
        word = int.from_bytes(take(2), 'little')
    if word < 0xFFFF:
        return word, wide
    return int.from_bytes(take(4), 'little'), wide
while pos < len(data):
    n, wide = length()
    text = take(2 * n).decode('utf-16-le') if wide else take(n).decode('cp1252')
    sys.stdout.buffer.write((text + '\n').encode('utf-8'))
)";

TEST(ArchiveTest, TheWindowsProgramReadsEveryStoredString) {
    const std::vector<std::string> texts = {"Foto",
                                            "Grüße",
                                            "Ærø",
                                            "5 €",
                                            "Łódź",
                                            "写真",
                                            "Ã¼",
                                            std::string(300, 'a') + "Ł",
                                            std::string(70000, 'b')};
    const Bytes bytes = Store([&](CArchive& ar) {
        for (const std::string& text : texts)
            ar << CString(text);
    });
    TempFolder folder;
    const std::string archive = (folder.Path() + "/strings.bin").str();
    const std::string reader = (folder.Path() + "/reader.py").str();
    std::ofstream(archive, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    std::ofstream(reader) << kWindowsReader;
    std::string read;
    ASSERT_EQ(RunTool("/usr/bin/python3 '" + reader + "' '" + archive + "'", &read), 0);
    std::string expected;
    for (const std::string& text : texts)
        expected += text + "\n";
    EXPECT_EQ(read, expected);
}

TEST(ArchiveTest, UnicodeMarkedStringsTakeTheUsualLengthPrefix) {
    const CString text(std::string(300, 'a') + "Ł");
    const Bytes bytes = Store([&](CArchive& ar) { ar << text; });
    ASSERT_EQ(bytes.size(), 6u + 2 * 301);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 6), (Bytes{0xFF, 0xFE, 0xFF, 0xFF, 0x2D, 0x01}));
    CString back;
    Load(bytes, [&](CArchive& ar) { ar >> back; });
    EXPECT_EQ(back, text);
}

TEST(ArchiveTest, NarrowStringsAreReadAsUtf8OrElseWindows1252) {
    const Bytes bytes =
        Joined({{5}, Text("Gr\xC3\xBC\xC3"), {3}, Text("a\xC3\xBC"), {3}, Text("\xC3\xBC\xDF")});
    CString utf8Cut;
    CString utf8;
    CString windows;
    Load(bytes, [&](CArchive& ar) { ar >> utf8Cut >> utf8 >> windows; });
    EXPECT_EQ(utf8Cut, "GrÃ¼Ã");
    EXPECT_EQ(utf8, "aü");
    EXPECT_EQ(windows, "Ã¼ß");
}

TEST(ArchiveTest, StrayBytesInAStringAreStoredAsTheyAreRead) {
    // Not UTF-8: read as Windows-1252, so stored as those bytes again.
    const Bytes bytes = Store([](CArchive& ar) { ar << CString(std::string("M\xFCller")); });
    EXPECT_EQ(bytes, Joined({{6}, Text("M\xFCller")}));
}

TEST(ArchiveTest, UnicodeMarkedStringsAreCheckedLikeOthers) {
    const auto read = [](CArchive& ar) {
        CString text;
        ar >> text;
    };
    EXPECT_EQ(LoadCause({0xFF, 0xFE, 0xFF, 3, 'a', 0, 'b'}, read), CArchiveException::endOfFile)
        << "cut in a unit";
    EXPECT_EQ(LoadCause({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF}, read),
              CArchiveException::endOfFile)
        << "longer than the data";
    EXPECT_EQ(LoadCause({0xFF, 0xFE, 0xFF}, read), CArchiveException::endOfFile) << "mark without a length";
    CString text;
    Load({0xFF, 0xFE, 0xFF, 2, 0x00, 0xD8, 'x', 0}, [&](CArchive& ar) { ar >> text; });
    EXPECT_EQ(text, "\uFFFDx") << "an unpaired surrogate";
}

TEST(ArchiveTest, StringLongerThanTheDataIsRefusedBeforeAllocating) {
    const Bytes bytes = {0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF, 'a', 'b'};
    EXPECT_EQ(LoadCause(bytes,
                        [](CArchive& ar) {
                            CString text;
                            ar >> text;
                        }),
              CArchiveException::endOfFile);
}

struct CountCase {
    const char* name;
    DWORD_PTR count;
    Bytes bytes;
};
std::ostream& operator<<(std::ostream& out, const CountCase& c) {
    return out << c.name;
}

class ArchiveCountTest : public testing::TestWithParam<CountCase> {};

TEST_P(ArchiveCountTest, WritesTheShortOrTheEscapedForm) {
    const CountCase& c = GetParam();
    EXPECT_EQ(Store([&](CArchive& ar) { ar.WriteCount(c.count); }), c.bytes);
    DWORD_PTR back = 0;
    Load(c.bytes, [&](CArchive& ar) { back = ar.ReadCount(); });
    EXPECT_EQ(back, c.count);
}

INSTANTIATE_TEST_SUITE_P(
    Counts, ArchiveCountTest,
    testing::Values(CountCase{"Zero", 0, {0x00, 0x00}}, CountCase{"LargestWord", 0xFFFE, {0xFE, 0xFF}},
                    CountCase{"SmallestEscaped", 0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
                    CountCase{"Escaped", 0x10000, {0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ArchiveTest, NumbersAreLittleEndianWithFixedWidths) {
    RECT rect{1, -2, 300, 0x01020304};
    const Bytes bytes = Store([&](CArchive& ar) {
        ar << BYTE{0xAB} << WORD{0x1234} << -2 << DWORD{0xDEADBEEF} << short{-3} << 'z'
           << LONGLONG{-0x0102030405060708} << 1.5f << 0.1 << rect;
    });
    const Bytes expected = {0xAB, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0xEF, 0xBE, 0xAD, 0xDE, 0xFD, 0xFF,
                            'z',  0xF8, 0xF8, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE, 0x00, 0x00, 0xC0, 0x3F,
                            0x9A, 0x99, 0x99, 0x99, 0x99, 0x99, 0xB9, 0x3F, 1,    0,    0,    0,    0xFE,
                            0xFF, 0xFF, 0xFF, 0x2C, 0x01, 0,    0,    0x04, 0x03, 0x02, 0x01};
    EXPECT_EQ(bytes, expected);

    BYTE b = 0;
    WORD w = 0;
    int i = 0;
    DWORD dw = 0;
    short s = 0;
    char ch = 0;
    LONGLONG ll = 0;
    float f = 0;
    double d = 0;
    RECT back{};
    Load(bytes, [&](CArchive& ar) { ar >> b >> w >> i >> dw >> s >> ch >> ll >> f >> d >> back; });
    EXPECT_EQ(b, 0xAB);
    EXPECT_EQ(w, 0x1234);
    EXPECT_EQ(i, -2);
    EXPECT_EQ(dw, 0xDEADBEEF);
    EXPECT_EQ(s, -3);
    EXPECT_EQ(ch, 'z');
    EXPECT_EQ(ll, -0x0102030405060708);
    EXPECT_EQ(f, 1.5f);
    EXPECT_EQ(d, 0.1);
    EXPECT_EQ(back.left, 1);
    EXPECT_EQ(back.top, -2);
    EXPECT_EQ(back.right, 300);
    EXPECT_EQ(back.bottom, 0x01020304);
}

Bytes NewClassTag(WORD schema, const char* name) {
    const auto length = static_cast<BYTE>(std::strlen(name));
    return Joined({{0xFF, 0xFF, LOBYTE(schema), HIBYTE(schema), length, 0x00}, Text(name)});
}

TEST(ArchiveObjectTest, TagsNewClassesKnownClassesKnownObjectsAndNull) {
    CTestPoint first(7);
    CTestPoint second(8);
    CTestNote note;
    const Bytes bytes = Store([&](CArchive& ar) { ar << &first << &second << &first << nullptr << &note; });
    const Bytes expected = Joined({NewClassTag(1, "CTestPoint"),
                                   {7, 0, 0, 0},                  // first: class 1, object 2
                                   {0x01, 0x80, 8, 0, 0, 0},      // second: known class 1, object 3
                                   {0x02, 0x00},                  // first again
                                   {0x00, 0x00},                  // null
                                   NewClassTag(3, "CTestNote")}); // the versionable flag is not stored
    EXPECT_EQ(bytes, expected);

    std::vector<std::unique_ptr<CObject>> owned;
    CObject* loaded[5] = {};
    Load(bytes, [&](CArchive& ar) {
        for (CObject*& object : loaded) {
            ar >> object;
        }
    });
    owned.emplace_back(loaded[0]);
    owned.emplace_back(loaded[1]);
    owned.emplace_back(loaded[4]);
    ASSERT_TRUE(loaded[0]->IsKindOf(RUNTIME_CLASS(CTestPoint)));
    EXPECT_EQ(static_cast<CTestPoint*>(loaded[0])->m_x, 7);
    EXPECT_EQ(static_cast<CTestPoint*>(loaded[1])->m_x, 8);
    EXPECT_EQ(loaded[2], loaded[0]);
    EXPECT_EQ(loaded[3], nullptr);
    EXPECT_TRUE(loaded[4]->IsKindOf(RUNTIME_CLASS(CTestNote)));
}

TEST(ArchiveObjectTest, LoadsDerivedObjectsWhereTheBaseIsAsked) {
    CTestLabel label;
    label.m_x = 3;
    label.m_text = "Überschrift";
    const Bytes bytes = Store([&](CArchive& ar) { ar << &label; });
    CTestPoint* loaded = nullptr;
    Load(bytes, [&](CArchive& ar) { ar >> loaded; });
    std::unique_ptr<CTestPoint> owner(loaded);
    auto* asLabel = DYNAMIC_DOWNCAST(CTestLabel, loaded);
    ASSERT_NE(asLabel, nullptr);
    EXPECT_EQ(asLabel->m_x, 3);
    EXPECT_EQ(asLabel->m_text, "Überschrift");
}

TEST(ArchiveObjectTest, RefusesObjectsOfAnotherClass) {
    CTestNote note;
    const Bytes noteBytes = Store([&](CArchive& ar) { ar << &note; });
    EXPECT_EQ(LoadCause(noteBytes,
                        [](CArchive& ar) {
                            CTestPoint* point = nullptr;
                            ar >> point;
                        }),
              CArchiveException::badClass);

    // A reference back to an object of the wrong class is refused too.
    CTestPoint point(1);
    const Bytes twice = Store([&](CArchive& ar) { ar << &point << &point; });
    EXPECT_EQ(LoadCause(twice,
                        [](CArchive& ar) {
                            std::unique_ptr<CObject> first(ar.ReadObject(nullptr));
                            ar.ReadObject(RUNTIME_CLASS(CTestNote));
                        }),
              CArchiveException::badClass);
}

TEST(ArchiveObjectTest, SchemaMustMatchUnlessTheClassIsVersionable) {
    const Bytes otherPointSchema = Joined({NewClassTag(2, "CTestPoint"), {7, 0, 0, 0}});
    EXPECT_EQ(LoadCause(otherPointSchema, [](CArchive& ar) { ar.ReadObject(nullptr); }),
              CArchiveException::badSchema);

    const Bytes oldNote = Joined({NewClassTag(1, "CTestNote"), {0x01, 0x80}});
    std::unique_ptr<CObject> first;
    std::unique_ptr<CObject> second;
    Load(oldNote, [&](CArchive& ar) {
        first.reset(ar.ReadObject(RUNTIME_CLASS(CTestNote)));
        second.reset(ar.ReadObject(RUNTIME_CLASS(CTestNote)));
    });
    // The loader sees the stored schema once, for the first object and for one of the same class later.
    EXPECT_EQ(static_cast<CTestNote*>(first.get())->m_loadedSchema, 1u);
    EXPECT_EQ(static_cast<CTestNote*>(first.get())->m_schemaAskedTwice, static_cast<UINT>(-1));
    EXPECT_EQ(static_cast<CTestNote*>(second.get())->m_loadedSchema, 1u);
}

struct DamagedCase {
    const char* name;
    Bytes bytes;
    int cause;
};
std::ostream& operator<<(std::ostream& out, const DamagedCase& c) {
    return out << c.name;
}

class ArchiveDamageTest : public testing::TestWithParam<DamagedCase> {};

TEST_P(ArchiveDamageTest, ThrowsInsteadOfTrustingTheData) {
    EXPECT_EQ(LoadCause(GetParam().bytes,
                        [](CArchive& ar) {
                            for (int i = 0; i < 3; ++i) {
                                delete ar.ReadObject(nullptr);
                            }
                        }),
              GetParam().cause);
}

INSTANTIATE_TEST_SUITE_P(
    Damage, ArchiveDamageTest,
    testing::Values(
        DamagedCase{"UnknownClass", NewClassTag(1, "CNoSuchClass"), CArchiveException::badClass},
        DamagedCase{"ClassNotSerializable", NewClassTag(0xFFFF, "CFile"), CArchiveException::badClass},
        DamagedCase{"NameTooLong", NewClassTag(1, std::string(64, 'C').c_str()), CArchiveException::badClass},
        DamagedCase{"NameCutShort", {0xFF, 0xFF, 1, 0, 10, 0, 'C', 'T'}, CArchiveException::badClass},
        DamagedCase{"ObjectIndexAhead", {0x05, 0x00}, CArchiveException::badIndex},
        DamagedCase{"ClassIndexZero", {0x00, 0x80}, CArchiveException::badIndex},
        DamagedCase{"ClassIndexAhead", {0x01, 0x80}, CArchiveException::badIndex},
        DamagedCase{"ObjectIndexNamesAClass",
                    Joined({NewClassTag(1, "CTestPoint"), {1, 0, 0, 0}, {0x01, 0x00}}),
                    CArchiveException::badIndex},
        DamagedCase{"ClassIndexNamesAnObject",
                    Joined({NewClassTag(1, "CTestPoint"), {1, 0, 0, 0}, {0x02, 0x80}}),
                    CArchiveException::badIndex},
        DamagedCase{"BigIndexAhead", {0xFF, 0x7F, 0x00, 0x00, 0x01, 0x00}, CArchiveException::badIndex},
        DamagedCase{"BigClassIndexAhead", {0xFF, 0x7F, 0x00, 0x80, 0x00, 0x80}, CArchiveException::badIndex},
        DamagedCase{"EmptyData", {}, CArchiveException::endOfFile}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ArchiveObjectTest, EveryTruncationThrowsAndLeaksNothing) {
    CTestLabel label;
    label.m_x = 5;
    label.m_text = CString(std::string(300, 't'));
    CTestPoint point(9);
    const Bytes whole = Store([&](CArchive& ar) {
        ar << &label << &point << &label;
        ar.WriteCount(3);
    });
    for (size_t length = 0; length < whole.size(); ++length) {
        const Bytes cut(whole.begin(), whole.begin() + static_cast<long>(length));
        std::vector<std::unique_ptr<CObject>> owned;
        const int cause = LoadCause(cut, [&](CArchive& ar) {
            owned.emplace_back(ar.ReadObject(RUNTIME_CLASS(CTestPoint)));
            owned.emplace_back(ar.ReadObject(RUNTIME_CLASS(CTestPoint)));
            ar.ReadObject(RUNTIME_CLASS(CTestPoint));
            ar.ReadCount();
        });
        EXPECT_NE(cause, -1) << "cut at " << length;
    }
}

TEST(ArchiveObjectTest, ListsTheObjectsLoadedWholeForALoaderThatGivesUp) {
    // A list of three points, cut inside the third: the list and the third point are freed by the
    // failed load, the first two points are whole and the loader's to free.
    CTestPoint first(1), second(2), third(3);
    CObList list;
    list.AddTail(&first);
    list.AddTail(&second);
    list.AddTail(&third);
    Bytes bytes = Store([&](CArchive& ar) { ar << &list; });
    bytes.resize(bytes.size() - 2);
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    bool failed = false;
    try {
        ar.ReadObject(nullptr);
    } catch (CArchiveException* e) {
        failed = true;
        e->Delete();
    }
    ASSERT_TRUE(failed);
    const std::vector<CObject*> loaded = ar.GetLoadedObjects();
    std::vector<std::unique_ptr<CObject>> owned(loaded.begin(), loaded.end());
    ASSERT_EQ(loaded.size(), 2u);
    ASSERT_TRUE(loaded[0]->IsKindOf(RUNTIME_CLASS(CTestPoint)) &&
                loaded[1]->IsKindOf(RUNTIME_CLASS(CTestPoint)));
    EXPECT_EQ(static_cast<CTestPoint*>(loaded[0])->m_x, 1);
    EXPECT_EQ(static_cast<CTestPoint*>(loaded[1])->m_x, 2);
}

TEST(ArchiveObjectTest, IndicesAbove7FFEUseTheBigForm) {
    // Class 1 and objects 2 .. 0x7FFE fill the short range; the note's class gets 0x7FFF.
    std::vector<CTestPoint> points(0x7FFD);
    CTestNote firstNote;
    CTestNote secondNote;
    const Bytes bytes = Store([&](CArchive& ar) {
        for (const CTestPoint& point : points) {
            ar << &point;
        }
        ar << &firstNote << &secondNote << &firstNote << &points.back();
    });
    const Bytes tail(bytes.end() - 18, bytes.end());
    const Bytes expected = Joined({NewClassTag(3, "CTestNote"),
                                   {0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x80}, // known class 0x7FFF
                                   {0xFF, 0x7F, 0x00, 0x80, 0x00, 0x00}, // object 0x8000
                                   {0xFE, 0x7F}});                       // object 0x7FFE
    ASSERT_EQ(Bytes(expected.end() - 18, expected.end()), tail);

    std::vector<std::unique_ptr<CObject>> owned;
    CObject* notes[3] = {};
    CObject* lastPoint = nullptr;
    Load(bytes, [&](CArchive& ar) {
        for (size_t i = 0; i < points.size(); ++i) {
            owned.emplace_back(ar.ReadObject(RUNTIME_CLASS(CTestPoint)));
        }
        for (CObject*& note : notes) {
            note = ar.ReadObject(RUNTIME_CLASS(CTestNote));
        }
        lastPoint = ar.ReadObject(RUNTIME_CLASS(CTestPoint));
    });
    owned.emplace_back(notes[0]);
    owned.emplace_back(notes[1]);
    EXPECT_NE(notes[0], notes[1]);
    EXPECT_EQ(notes[2], notes[0]);
    EXPECT_EQ(lastPoint, owned[points.size() - 1].get());
}

TEST(ArchiveTest, DirectionIsChecked) {
    CMemFile file;
    CArchive storing(&file, CArchive::store);
    try {
        WORD w = 0;
        storing >> w;
        FAIL();
    } catch (CArchiveException* e) {
        EXPECT_EQ(e->m_cause, CArchiveException::writeOnly);
        e->Delete();
    }
    EXPECT_EQ(LoadCause({1, 2}, [](CArchive& ar) { ar << WORD{1}; }), CArchiveException::readOnly);
}

TEST(ArchiveTest, LoadingGivesUnreadBytesBackToTheFile) {
    TempFolder folder;
    const std::string path =
        WriteBytes(InFolder(folder, "stream.bin"), std::string("\x02\x00rest of the file", 18));
    CFile file(path.c_str(), CFile::modeRead);
    {
        CArchive ar(&file, CArchive::load, 4096);
        WORD first = 0;
        ar >> first;
        EXPECT_EQ(first, 2);
        EXPECT_FALSE(ar.IsBufferEmpty());
        EXPECT_EQ(ar.m_strFileName, path.c_str());
    }
    EXPECT_EQ(file.GetPosition(), 2u);
}

TEST(ArchiveTest, LargeWritesAndReadsPassTheBuffer) {
    std::string big(100000, '\0');
    for (size_t i = 0; i < big.size(); ++i) {
        big[i] = static_cast<char>(i * 7);
    }
    const Bytes bytes = Store([&](CArchive& ar) {
        ar << BYTE{1};
        ar.Write(big.data(), static_cast<UINT>(big.size()));
        ar << BYTE{2};
    });
    ASSERT_EQ(bytes.size(), big.size() + 2);
    Load(bytes, [&](CArchive& ar) {
        BYTE first = 0;
        BYTE last = 0;
        std::string back(big.size(), '\0');
        ar >> first;
        EXPECT_EQ(ar.Read(back.data(), static_cast<UINT>(back.size())), back.size());
        ar >> last;
        EXPECT_EQ(first, 1);
        EXPECT_EQ(back, big);
        EXPECT_EQ(last, 2);
        EXPECT_EQ(ar.Read(&last, 1), 0u);
    });
}

TEST(ArchiveTest, ReadsTextLinesEndingInCrLfOrLf) {
    std::vector<CString> lines;
    Load(Text("eins\r\nzwei\n\ndrei"), [&](CArchive& ar) {
        CString line;
        while (ar.ReadString(line)) {
            lines.push_back(line);
        }
    });
    EXPECT_EQ(lines, (std::vector<CString>{"eins", "zwei", "", "drei"}));
    EXPECT_EQ(Store([](CArchive& ar) { ar.WriteString("a\r\n"); }), Text("a\r\n"));
}

} // namespace
