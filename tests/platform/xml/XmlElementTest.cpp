#include "tests/platform/xml/XmlTestSupport.h"

#include <gtest/gtest.h>

using namespace xmltest;

namespace {

TEST(XmlElementTest, AttributeNamesMatchWithoutRegardToCase) {
    struct Case {
        const char* name;
        const char* written;
        const char* read;
    };
    const Case cases[] = {
        {"IndexWrittenCapitalisedReadLowerCase", "Producer", "producer"},
        {"HrefLookedUpInCapitals", "href", "HREF"},
        {"UmlautNames", "Größe", "GRÖßE"},
    };
    for (const Case& c : cases) {
        const DocumentPtr document = Parse("<a/>");
        const ElementPtr root(document->GetRoot());
        ASSERT_TRUE(root->SetAttribute(c.written, "Wert")) << c.name;
        EXPECT_EQ(Attribute(root.Get(), c.read), "Wert") << c.name;
        // It holds after writing and reading the document, too.
        const DocumentPtr reread = Parse(Save(document.Get()));
        EXPECT_EQ(Attribute(ElementPtr(reread->GetRoot()).Get(), c.read), "Wert") << c.name;
    }
}

TEST(XmlElementTest, SettingReplacesAnyCaseInPlaceAndTakesTheNewSpelling) {
    const DocumentPtr document = Parse("<PROPERTY Producer=\"DS\" Title=\"Alt\" description=\"d\"/>");
    const ElementPtr property(document->GetRoot());
    ASSERT_TRUE(property->SetAttribute("producer", "Neu"));
    ASSERT_TRUE(property->SetAttribute("title", "Titel"));
    ASSERT_TRUE(property->SetAttribute("description", "e"));
    EXPECT_NE(Save(document.Get()).find("<PROPERTY producer=\"Neu\" title=\"Titel\" description=\"e\"/>"),
              std::string::npos)
        << Save(document.Get());
}

TEST(XmlElementTest, DuplicateSpellingsFromAFileCollapseToOne) {
    const DocumentPtr document = Parse("<OBJECT HREF=\"eins\" x=\"1\" href=\"zwei\"/>");
    const ElementPtr object(document->GetRoot());
    EXPECT_EQ(Attribute(object.Get(), "href"), "eins") << "the first of them is read";
    ASSERT_TRUE(object->SetAttribute("Href", "drei"));
    EXPECT_NE(Save(document.Get()).find("<OBJECT Href=\"drei\" x=\"1\"/>"), std::string::npos)
        << Save(document.Get());
}

TEST(XmlElementTest, ValuesAreLiteralAndKeepOnlyCharactersXmlCanCarry) {
    struct Case {
        const char* name;
        std::string_view value;
        const char* read;
    };
    const Case cases[] = {
        {"EntityLookalikesStayText", "&amp; &#65; &lt;", "&amp; &#65; &lt;"},
        {"LineBreaksAndTabsKept", "a\r\nb\tc\rd", "a\r\nb\tc\rd"},
        {"ControlCharactersLeftOut",
         std::string_view("a\x01"
                          "b\0c\x1F"
                          "d",
                          7),
         "abcd"},
        {"NonCharactersLeftOut", "x\xEF\xBF\xBEy\xEF\xBF\xBFz", "xyz"},
        {"Windows1252StringReadAsSuch",
         "Gr\xFC\xDF"
         "e",
         "Grüße"},
    };
    for (const Case& c : cases) {
        const DocumentPtr document = Parse("<a/>");
        ASSERT_TRUE(ElementPtr(document->GetRoot())->SetAttribute("v", CString(c.value))) << c.name;
        HRESULT result;
        const DocumentPtr reread = Parse(Save(document.Get()), &result);
        ASSERT_EQ(result, S_OK) << c.name << ": " << reread->GetError().expected;
        EXPECT_EQ(Attribute(ElementPtr(reread->GetRoot()).Get(), "v"), c.read) << c.name;
    }
}

TEST(XmlElementTest, RefusesNamesThatAreNotXmlNames) {
    const DocumentPtr document = Parse("<a/>");
    const ElementPtr root(document->GetRoot());
    for (const char* name : {"", "zwei worte", "1st", "a\x01"}) {
        EXPECT_FALSE(root->SetAttribute(name, "x")) << name;
        EXPECT_FALSE(ElementPtr(document->CreateElement(kXmlElementType, name))) << name;
    }
    EXPECT_FALSE(ElementPtr(document->CreateElement(kXmlElementType + 1, "TEXT"))) << "only plain elements";
    EXPECT_EQ(Save(document.Get()).find("<a/>"),
              std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n").size());
}

TEST(XmlElementTest, ReadsEntityReferencesOfTheInternalSubset) {
    const DocumentPtr document =
        Parse("<!DOCTYPE a [<!ENTITY firma \"Müller &amp; Söhne\">]><a v=\"&firma; GmbH\"/>");
    EXPECT_EQ(Attribute(ElementPtr(document->GetRoot()).Get(), "v"), "Müller & Söhne GmbH");
}

std::string TagsOf(CXmlElement* parent) {
    const CollectionPtr children(parent->GetChildren());
    std::string tags;
    for (long i = 0; i < children->GetLength(); ++i)
        tags += ElementPtr(children->ItemByIndex(i))->GetTagName().str() + " ";
    return tags;
}

TEST(XmlElementTest, AddChildInsertsBeforeTheElementAtTheIndex) {
    struct Case {
        const char* name;
        long index;
        const char* tags;
    };
    const Case cases[] = {
        {"AtZeroGoesFirst", 0, "NEW A B C "},   {"InTheMiddle", 2, "A B NEW C "},
        {"AtTheCountAppends", 3, "A B C NEW "}, {"PastTheEndAppends", 99, "A B C NEW "},
        {"NegativeAppends", -1, "A B C NEW "},
    };
    for (const Case& c : cases) {
        // Text and comments between the elements are not counted.
        const DocumentPtr document = Parse("<r>text<A/><!-- c --><B/> <C/></r>");
        const ElementPtr root(document->GetRoot());
        const ElementPtr added(document->CreateElement(kXmlElementType, "NEW"));
        ASSERT_TRUE(root->AddChild(added.Get(), c.index)) << c.name;
        EXPECT_EQ(TagsOf(root.Get()), c.tags) << c.name;
    }
}

TEST(XmlElementTest, IndexesZeroOneTwoKeepTheOrderOfAdding) {
    const DocumentPtr document = Parse("<OBJECTS/>");
    const ElementPtr objects(document->GetRoot());
    for (long i = 0; i < 3; ++i) {
        const ElementPtr object(document->CreateElement(kXmlElementType, "OBJECT"));
        object->SetAttribute("href", CString(std::to_string(i)));
        objects->AddChild(object.Get(), i);
    }
    const CollectionPtr children(objects->GetChildren());
    for (long i = 0; i < 3; ++i)
        EXPECT_EQ(Attribute(ElementPtr(children->ItemByIndex(i)).Get(), "href"), CString(std::to_string(i)));
}

TEST(XmlElementTest, AddChildMovesAndRefusesWhatWouldBreakTheTree) {
    const DocumentPtr document = Parse("<r><A><A1/></A><B/></r>");
    const DocumentPtr other = Parse("<x/>");
    const ElementPtr root(document->GetRoot());
    const ElementPtr a = Child(root.Get(), "A");
    const ElementPtr a1 = Child(a.Get(), "A1");
    const ElementPtr b = Child(root.Get(), "B");

    EXPECT_FALSE(a1->AddChild(a.Get(), -1)) << "an ancestor into its descendant";
    EXPECT_FALSE(a->AddChild(a.Get(), -1)) << "an element into itself";
    EXPECT_FALSE(b->AddChild(root.Get(), -1)) << "the root";
    EXPECT_FALSE(root->AddChild(ElementPtr(other->GetRoot()).Get(), -1)) << "an element of another document";
    EXPECT_FALSE(root->AddChild(nullptr, -1));
    EXPECT_EQ(TagsOf(root.Get()), "A B ");

    EXPECT_TRUE(b->AddChild(a1.Get(), 0)) << "moves";
    EXPECT_EQ(TagsOf(a.Get()), "");
    EXPECT_EQ(TagsOf(b.Get()), "A1 ");
}

TEST(XmlElementTest, RemovedChildStaysUsableAndCanComeBack) {
    const DocumentPtr document = Parse("<ALBUM><PROPERTY/><OBJECTS><OBJECT href=\"1\"/></OBJECTS></ALBUM>");
    const ElementPtr root(document->GetRoot());
    const CollectionPtr children(root->GetChildren());
    const ElementPtr objects(children->ItemByName("OBJECTS"));
    const ElementPtr object = Child(objects.Get(), "OBJECT");

    EXPECT_FALSE(objects->RemoveChild(root.Get())) << "not its child";
    EXPECT_TRUE(root->RemoveChild(objects.Get()));
    EXPECT_FALSE(root->RemoveChild(objects.Get())) << "already removed";
    EXPECT_EQ(children->GetLength(), 1) << "the collection is live";
    EXPECT_FALSE(ElementPtr(children->ItemByName("OBJECTS")));
    EXPECT_EQ(Attribute(object.Get(), "href"), "1") << "a held element of the removed subtree";

    EXPECT_TRUE(root->AddChild(objects.Get(), 0));
    EXPECT_EQ(TagsOf(root.Get()), "OBJECTS PROPERTY ");
    EXPECT_EQ(Attribute(ElementPtr(CollectionPtr(objects->GetChildren())->ItemByIndex(0)).Get(), "href"),
              "1");
}

TEST(XmlElementTest, HeldElementsOutliveTheirDocumentAndItsContent) {
    ElementPtr oldRoot;
    ElementPtr removed;
    ElementPtr created;
    {
        const DocumentPtr document = Parse("<a v=\"alt\"><b v=\"weg\"/></a>");
        oldRoot = ElementPtr(document->GetRoot());
        removed = Child(oldRoot.Get(), "b");
        oldRoot->RemoveChild(removed.Get());
        created = ElementPtr(document->CreateElement(kXmlElementType, "neu"));
        ASSERT_EQ(document->Load("<c/>", 4), S_OK);
        EXPECT_EQ(ElementPtr(document->GetRoot())->GetTagName(), "c");
        EXPECT_FALSE(ElementPtr(document->GetRoot())->AddChild(created.Get(), -1))
            << "belongs to the old content";
    }
    EXPECT_EQ(Attribute(oldRoot.Get(), "v"), "alt");
    EXPECT_EQ(Attribute(removed.Get(), "v"), "weg");
    EXPECT_TRUE(oldRoot->AddChild(created.Get(), -1));
    EXPECT_EQ(TagsOf(oldRoot.Get()), "neu ");
}

TEST(XmlElementTest, CollectionFindsByNameAndIndex) {
    const DocumentPtr document = Parse("<r><X n=\"1\"/>text<Y/><X n=\"2\"/></r>");
    const CollectionPtr children(ElementPtr(document->GetRoot())->GetChildren());
    EXPECT_EQ(children->GetLength(), 3);
    EXPECT_EQ(Attribute(ElementPtr(children->ItemByName("X")).Get(), "n"), "1") << "the first of that name";
    EXPECT_FALSE(ElementPtr(children->ItemByName("x"))) << "tag names keep their case";
    EXPECT_FALSE(ElementPtr(children->ItemByName("Z")));
    EXPECT_EQ(ElementPtr(children->ItemByIndex(1))->GetTagName(), "Y");
    EXPECT_FALSE(ElementPtr(children->ItemByIndex(3)));
    EXPECT_FALSE(ElementPtr(children->ItemByIndex(-1)));
}

} // namespace
