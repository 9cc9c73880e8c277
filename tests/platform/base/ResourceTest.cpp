#include "platform/base/Resource.h"

#include "platform/base/Module.h"
#include "platform/base/WinStructs.h"
#include "tests/support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

class ResourceTest : public testing::Test {
protected:
    static void SetUpTestSuite() { s_module = LoadLibrary(VC_TEST_RESOURCE_MODULE); }
    static void TearDownTestSuite() { FreeLibrary(s_module); }
    void SetUp() override { ASSERT_NE(s_module, nullptr); }

    static CString Text(HRSRC resource) {
        return CString(static_cast<const char*>(LockResource(LoadResource(s_module, resource))),
                       static_cast<int>(SizeofResource(s_module, resource)));
    }

    static HMODULE s_module;
};
HMODULE ResourceTest::s_module = nullptr;

TEST_F(ResourceTest, EachTypeHasItsOwnNamespace) {
    // The fixture holds string 300 and dialog 300, and bitmaps only by name.
    EXPECT_EQ(Text(FindResource(s_module, MAKEINTRESOURCE(300), RT_STRING)), "Dreihundert");
    const CString dialog = Text(FindResource(s_module, MAKEINTRESOURCE(300), RT_DIALOG));
    EXPECT_EQ(dialog.Left(1), "{");
    EXPECT_EQ(FindResource(s_module, MAKEINTRESOURCE(300), RT_BITMAP), nullptr);
    EXPECT_EQ(FindResource(s_module, MAKEINTRESOURCE(300), RT_MENU), nullptr);
    EXPECT_EQ(FindResource(s_module, "TINY24", RT_STRING), nullptr);
    EXPECT_NE(FindResource(s_module, "TINY24", RT_BITMAP), nullptr);
}

TEST_F(ResourceTest, NamesAndIdsAreFoundAsTheFrameworkFindsThem) {
    struct Case {
        const char* what;
        LPCTSTR name;
        LPCTSTR type;
        bool found;
    };
    const Case cases[] = {
        {"name in another letter case", "tiny24", RT_BITMAP, true},
        {"id written as #number", "#300", RT_STRING, true},
        {"id with leading zeros", "#0300", RT_STRING, true},
        {"digits alone are a name, not an id", "300", RT_STRING, false},
        {"id beyond 16 bits", "#65836", RT_STRING, false},
        {"huge id", "#99999999999999999999999", RT_STRING, false},
        {"unknown name", "NO_SUCH_BITMAP", RT_BITMAP, false},
        {"type the modules do not hold", "TINY24", MAKEINTRESOURCE(3), false},
        {"type by name", "TINY24", "BITMAP", false},
        {"no name", nullptr, RT_BITMAP, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindResource(s_module, c.name, c.type) != nullptr, c.found) << c.what;
    }
}

TEST_F(ResourceTest, ModulesWithoutResourcesFindNothing) {
    EXPECT_EQ(FindResource(nullptr, "TINY24", RT_BITMAP), nullptr);
    HMODULE library = LoadLibrary(VC_TEST_BINARY_DIR "/TestModule.so");
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(FindResource(library, "TINY24", RT_BITMAP), nullptr);
    FreeLibrary(library);

    EXPECT_EQ(LoadResource(s_module, nullptr), nullptr);
    EXPECT_EQ(SizeofResource(s_module, nullptr), 0u);
    EXPECT_EQ(LockResource(nullptr), nullptr);
}

TEST_F(ResourceTest, ABitmapIsThePackedDibOfItsFile) {
    const HRSRC resource = FindResource(s_module, "TINY8", RT_BITMAP);
    ASSERT_NE(resource, nullptr);
    const HGLOBAL data = LoadResource(s_module, resource);
    const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(data));
    // 40-byte header, three colour table entries, two rows of four bytes.
    EXPECT_EQ(SizeofResource(s_module, resource), 40u + 3 * 4 + 2 * 4);
    EXPECT_EQ(header->biSize, 40u);
    EXPECT_EQ(header->biWidth, 2);
    EXPECT_EQ(header->biBitCount, 8);
    EXPECT_EQ(header->biClrUsed, 3u);
    EXPECT_FALSE(FreeResource(data));
    EXPECT_EQ(LockResource(LoadResource(s_module, resource)), header) << "the module keeps the bytes";
}

TEST_F(ResourceTest, LoadStringCutsToTheBufferAndTerminates) {
    char buffer[8];
    EXPECT_EQ(LoadString(s_module, 1, buffer, sizeof(buffer)), 4);
    EXPECT_STREQ(buffer, "Eins");
    EXPECT_EQ(LoadString(s_module, 300, buffer, 5), 4);
    EXPECT_STREQ(buffer, "Drei");
    EXPECT_EQ(LoadString(s_module, 5, buffer, sizeof(buffer)), 7);
    EXPECT_STREQ(buffer, "Zeile e");

    buffer[0] = 'x';
    EXPECT_EQ(LoadString(s_module, 999, buffer, sizeof(buffer)), 0);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(LoadString(s_module, 1, buffer, 0), 0);
    EXPECT_EQ(LoadString(s_module, 1, nullptr, 8), 0);
    EXPECT_EQ(LoadString(nullptr, 1, buffer, sizeof(buffer)), 0);
}

TEST_F(ResourceTest, LoadWholeStringGrowsTheBufferUntilTheTextFits) {
    struct Case {
        const char* what;
        UINT id;
        CString expected;
    };
    CString umlauts;
    for (int i = 0; i < 300; ++i) {
        umlauts += "Ä";
    }
    const Case cases[] = {
        {"253 bytes fit the first buffer", 2, CString('a', 253)},
        {"254 bytes fill it, so it grows once", 3, CString('b', 254)},
        {"600 bytes of umlauts need three buffers", 4, umlauts},
        {"escaped line break", 5, "Zeile eins\nZeile zwei"},
        {"missing string", 999, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LoadWholeString(s_module, c.id, 255), c.expected) << c.what;
    }
    EXPECT_EQ(LoadWholeString(s_module, 4, 1), umlauts) << "a tiny first buffer";
    EXPECT_EQ(LoadWholeString(s_module, 1, 0), "Eins") << "no first buffer";
}

TEST_F(ResourceTest, TheResourceHandleSelectsTheModuleThatAnswers) {
    TempFolder folder;
    std::filesystem::copy_file(VC_TEST_RESOURCE_MODULE, (folder.Path() + "/other.deu").GetString());
    HMODULE other = LoadLibrary(folder.Path() + "/other.deu");
    ASSERT_NE(other, nullptr);
    ASSERT_NE(other, s_module);

    const HINSTANCE before = AfxGetResourceHandle();
    AfxSetResourceHandle(s_module);
    EXPECT_EQ(AfxGetResourceHandle(), s_module);
    EXPECT_EQ(FindResource(AfxGetResourceHandle(), "TINY24", RT_BITMAP),
              FindResource(s_module, "TINY24", RT_BITMAP));
    AfxSetResourceHandle(other);
    EXPECT_EQ(FindResource(AfxGetResourceHandle(), "TINY24", RT_BITMAP),
              FindResource(other, "TINY24", RT_BITMAP));
    EXPECT_NE(FindResource(other, "TINY24", RT_BITMAP), FindResource(s_module, "TINY24", RT_BITMAP));
    AfxSetResourceHandle(before);
    FreeLibrary(other);
}

TEST(ResourceModuleTest, ABareNameIsLoadedFromTheProgramFolder) {
    TempFolder folder;
    std::filesystem::copy_file(VC_TEST_RESOURCE_MODULE, (folder.Path() + "/qz_txt.deu").GetString());
    SetProgramFolderForTesting(folder.Path());
    HMODULE module = LoadLibrary("qz_txt.deu");
    HMODULE otherCase = LoadLibrary("QZ_TXT.DEU");
    SetProgramFolderForTesting("");
    ASSERT_NE(module, nullptr);
    ASSERT_NE(otherCase, nullptr);
    char path[MAX_PATH];
    GetModuleFileName(module, path, MAX_PATH);
    EXPECT_EQ(CString(path), folder.Path() + "/qz_txt.deu");
    EXPECT_EQ(LoadWholeString(module, 1, 255), "Eins");
    FreeLibrary(module);
    FreeLibrary(otherCase);

    EXPECT_EQ(LoadLibrary("qz_txt.deu"), nullptr) << "not in the test program's own folder";
}

} // namespace
