#include "platform/base/Archive.h"
#include "platform/base/Arrays.h"
#include "platform/base/Lists.h"
#include "platform/base/MemFile.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

Bytes Store(CObject& object) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    object.Serialize(ar);
    ar.Close();
    Bytes bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

void Load(Bytes bytes, CObject& object) {
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    object.Serialize(ar);
}

template <typename LIST>
std::vector<typename std::decay_t<decltype(std::declval<LIST>().GetHead())>> Elements(const LIST& list) {
    std::vector<typename std::decay_t<decltype(std::declval<LIST>().GetHead())>> out;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        out.push_back(list.GetNext(pos));
    }
    return out;
}

TEST(ListTest, PositionsStayValidWhileOtherNodesChange) {
    CList<int, int> list;
    const POSITION two = list.AddTail(2);
    list.AddHead(1);
    const POSITION four = list.AddTail(4);
    list.InsertAfter(two, 3);
    list.InsertBefore(nullptr, 0);
    list.InsertAfter(nullptr, 5);
    EXPECT_EQ(Elements(list), (std::vector<int>{0, 1, 2, 3, 4, 5}));

    list.RemoveAt(list.Find(3));
    list.RemoveAt(list.FindIndex(0));
    EXPECT_EQ(list.GetAt(two), 2);
    EXPECT_EQ(list.GetAt(four), 4);
    list.SetAt(four, 40);
    EXPECT_EQ(Elements(list), (std::vector<int>{1, 2, 40, 5}));
    EXPECT_EQ(list.GetCount(), 4);

    std::vector<int> backwards;
    for (POSITION pos = list.GetTailPosition(); pos;) {
        backwards.push_back(list.GetPrev(pos));
    }
    EXPECT_EQ(backwards, (std::vector<int>{5, 40, 2, 1}));
    EXPECT_EQ(list.RemoveHead(), 1);
    EXPECT_EQ(list.RemoveTail(), 5);
    EXPECT_EQ(list.GetHead(), 2);
    EXPECT_EQ(list.GetTail(), 40);
    EXPECT_EQ(list.FindIndex(2), nullptr);
    EXPECT_EQ(list.FindIndex(-1), nullptr);
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
}

TEST(ListTest, FindsValuesAfterAPositionAndAppendsWholeLists) {
    CStringList names;
    names.AddTail("Anna");
    const POSITION bert = names.AddTail("Bert");
    names.AddTail("Anna");
    EXPECT_EQ(names.Find("Anna"), names.GetHeadPosition());
    EXPECT_EQ(names.Find("Anna", bert), names.GetTailPosition());
    EXPECT_EQ(names.Find("anna"), nullptr);

    CStringList more;
    more.AddTail("X");
    more.AddTail("Y");
    names.AddHead(&more);
    names.AddTail(&more);
    EXPECT_EQ(Elements(names), (std::vector<CString>{"X", "Y", "Anna", "Bert", "Anna", "X", "Y"}));
}

class CShape : public CObject {
    DECLARE_SERIAL(CShape)
public:
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring()) {
            ar << m_id;
        } else {
            ar >> m_id;
        }
    }
    int m_id = 0;
};
IMPLEMENT_SERIAL(CShape, CObject, 2)

// A class whose CObject part does not start at its address, as with a second base class.
struct CColorInfo {
    virtual ~CColorInfo() = default;
    int m_color = 7;
};
class CTintedShape : public CColorInfo, public CShape {};

TEST(TypedPtrListTest, CastsBackToTheStoredType) {
    CShape plain;
    CTintedShape tinted;
    CTypedPtrList<CObList, CShape*> shapes;
    shapes.AddTail(&plain);
    shapes.AddTail(&tinted);
    POSITION pos = shapes.GetHeadPosition();
    EXPECT_EQ(shapes.GetNext(pos), &plain);
    CShape* back = shapes.GetNext(pos);
    EXPECT_EQ(back, static_cast<CShape*>(&tinted));
    EXPECT_EQ(static_cast<CTintedShape*>(back)->m_color, 7);
    EXPECT_EQ(shapes.RemoveHead(), &plain);

    int value = 3;
    CTypedPtrList<CPtrList, int*> pointers;
    pointers.AddHead(&value);
    EXPECT_EQ(*pointers.GetHead(), 3);
}

TEST(ArrayTest, GrowsInsertsAndRemoves) {
    CArray<int, int> numbers;
    EXPECT_EQ(numbers.Add(1), 0);
    EXPECT_EQ(numbers.Add(2), 1);
    numbers.InsertAt(1, 9, 2);
    numbers.InsertAt(6, 7); // past the end: the gap is filled with zeros
    EXPECT_EQ(numbers.GetSize(), 7);
    const std::vector<int> expected{1, 9, 9, 2, 0, 0, 7};
    for (INT_PTR i = 0; i < numbers.GetSize(); ++i) {
        EXPECT_EQ(numbers[i], expected[static_cast<size_t>(i)]);
    }
    numbers.RemoveAt(1, 3);
    numbers.SetAtGrow(5, 8);
    EXPECT_EQ(numbers.GetUpperBound(), 5);
    EXPECT_EQ(numbers.GetAt(3), 7);
    EXPECT_EQ(numbers.GetAt(4), 0);
    numbers.ElementAt(0) = 100;
    EXPECT_EQ(numbers.GetData()[0], 100);

    CArray<int, int> other;
    other.Add(5);
    EXPECT_EQ(other.Append(numbers), 1);
    EXPECT_EQ(other.GetSize(), 7);
    numbers.Copy(other);
    EXPECT_EQ(numbers.GetAt(0), 5);
    numbers.InsertAt(0, numbers[6]); // an element of the array itself
    EXPECT_EQ(numbers.GetAt(0), 8);
    numbers.SetSize(2);
    EXPECT_EQ(numbers.GetSize(), 2);
}

TEST(ArrayDeathTest, IndexOutsideStopsTheProgram) {
    CArray<int, int> numbers;
    numbers.Add(1);
    EXPECT_DEATH(numbers.GetAt(1), "");
    EXPECT_DEATH(numbers.RemoveAt(0, 2), "");
}

TEST(CollectionArchiveTest, StringsAndNumbersGoOutAsCountThenElements) {
    CStringList list;
    list.AddTail("ab");
    list.AddTail("");
    EXPECT_EQ(Store(list), (Bytes{2, 0, 2, 'a', 'b', 0}));

    CStringArray array;
    array.Add("x");
    EXPECT_EQ(Store(array), (Bytes{1, 0, 1, 'x'}));

    CDWordArray dwords;
    dwords.Add(0x01020304);
    dwords.Add(5);
    EXPECT_EQ(Store(dwords), (Bytes{2, 0, 4, 3, 2, 1, 5, 0, 0, 0}));

    CWordArray words;
    words.Add(0xBEEF);
    EXPECT_EQ(Store(words), (Bytes{1, 0, 0xEF, 0xBE}));

    CByteArray bytes;
    bytes.Add(0xAA);
    bytes.Add(0xBB);
    EXPECT_EQ(Store(bytes), (Bytes{2, 0, 0xAA, 0xBB}));

    CStringList listBack;
    Load(Store(list), listBack);
    EXPECT_EQ(Elements(listBack), (std::vector<CString>{"ab", ""}));
    CDWordArray dwordsBack;
    Load(Store(dwords), dwordsBack);
    ASSERT_EQ(dwordsBack.GetSize(), 2);
    EXPECT_EQ(dwordsBack[0], 0x01020304u);
    CByteArray bytesBack;
    Load(Store(bytes), bytesBack);
    EXPECT_EQ(bytesBack.GetAt(1), 0xBB);
}

TEST(CollectionArchiveTest, ObjectListsKeepSharedObjectsShared) {
    CShape first;
    first.m_id = 11;
    CShape second;
    second.m_id = 12;
    CObList list;
    list.AddTail(&first);
    list.AddTail(&second);
    list.AddTail(&first);
    list.AddTail(static_cast<CObject*>(nullptr));
    const Bytes expected = {4,  0, 0xFF, 0xFF, 2,    0,    6,  0, 'C', 'S', 'h',  'a', 'p', 'e',
                            11, 0, 0,    0,    0x01, 0x80, 12, 0, 0,   0,   0x02, 0,   0,   0};
    EXPECT_EQ(Store(list), expected);

    CObList back;
    Load(expected, back);
    std::vector<CObject*> objects = Elements(back);
    ASSERT_EQ(objects.size(), 4u);
    std::unique_ptr<CObject> owner1(objects[0]);
    std::unique_ptr<CObject> owner2(objects[1]);
    EXPECT_EQ(objects[2], objects[0]);
    EXPECT_EQ(objects[3], nullptr);
    EXPECT_EQ(static_cast<CShape*>(objects[1])->m_id, 12);

    CObArray array;
    array.Add(&second);
    array.Add(&second);
    CObArray arrayBack;
    Load(Store(array), arrayBack);
    ASSERT_EQ(arrayBack.GetSize(), 2);
    std::unique_ptr<CObject> owner3(arrayBack[0]);
    EXPECT_EQ(arrayBack[1], arrayBack[0]);
}

TEST(CollectionArchiveTest, CountsBeyondTheDataAreRefusedBeforeAllocating) {
    const std::vector<std::pair<const char*, std::function<CObject*()>>> collections = {
        {"CDWordArray", [] { return new CDWordArray; }}, {"CStringArray", [] { return new CStringArray; }},
        {"CStringList", [] { return new CStringList; }}, {"CObList", [] { return new CObList; }},
        {"CObArray", [] { return new CObArray; }},       {"CByteArray", [] { return new CByteArray; }}};
    for (const auto& [name, make] : collections) {
        std::unique_ptr<CObject> collection(make());
        try {
            Load({0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF, 0, 0}, *collection);
            ADD_FAILURE() << name;
        } catch (CArchiveException* e) {
            EXPECT_EQ(e->m_cause, CArchiveException::endOfFile) << name;
            e->Delete();
        }
    }
}

} // namespace
