#include "platform/base/Module.h"

#include "tests/support/TempFolder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace {

const CString kTestModule = VC_TEST_BINARY_DIR "/TestModule.so";

TEST(ModuleTest, LoadsALibraryAndFindsItsExportsByName) {
    HMODULE module = LoadLibrary(kTestModule);
    ASSERT_NE(module, nullptr);
    EXPECT_NE(GetProcAddress(module, "AllocateLockedBlock"), nullptr);
    EXPECT_EQ(GetProcAddress(module, "NoSuchExport"), nullptr);
    EXPECT_EQ(GetProcAddress(module, nullptr), nullptr);
    EXPECT_EQ(GetProcAddress(nullptr, "AllocateLockedBlock"), nullptr);

    char path[MAX_PATH];
    const DWORD length = GetModuleFileName(module, path, MAX_PATH);
    EXPECT_EQ(CString(path), kTestModule);
    EXPECT_EQ(length, static_cast<DWORD>(kTestModule.GetLength()));
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_FALSE(FreeLibrary(nullptr));
}

TEST(ModuleTest, FindsALibraryWhosePathDiffersInCase) {
    CString otherCase = kTestModule;
    otherCase.Replace("TestModule.so", "testmodule.SO");
    HMODULE module = LoadLibrary(otherCase);
    ASSERT_NE(module, nullptr);
    EXPECT_NE(GetProcAddress(module, "FreeBlock"), nullptr);
    FreeLibrary(module);
}

TEST(ModuleTest, RefusesMissingFilesAndFilesThatAreNoLibraries) {
    TempFolder folder;
    const CString notALibrary = folder.Path() + "/Effects.so";
    std::ofstream(notALibrary.GetString()) << "not an ELF file";

    for (const CString& path : {folder.Path() + "/Missing.so", notALibrary, CString("")}) {
        EXPECT_EQ(LoadLibrary(path), nullptr) << path.GetString();
    }
    EXPECT_EQ(LoadLibrary(nullptr), nullptr);
}

TEST(ModuleTest, NamesTheProgramAndCutsLongNamesToTheBuffer) {
    const CString program = VC_TEST_BINARY_DIR "/base_tests";
    char path[MAX_PATH];
    EXPECT_EQ(GetModuleFileName(nullptr, path, MAX_PATH), static_cast<DWORD>(program.GetLength()));
    EXPECT_EQ(CString(path), program);

    char small[6];
    EXPECT_EQ(GetModuleFileName(nullptr, small, sizeof(small)), sizeof(small));
    EXPECT_EQ(CString(small), program.Left(5));
    EXPECT_EQ(GetModuleFileName(nullptr, small, 0), 0u);
}

TEST(ModuleTest, ProgramFolderIsTheExecutablesFolderUnlessATestSetsOne) {
    EXPECT_EQ(GetProgramFolder(), VC_TEST_BINARY_DIR);
    SetProgramFolderForTesting(VC_PROGRAM_DIR "/");
    EXPECT_EQ(GetProgramFolder(), VC_PROGRAM_DIR);
    SetProgramFolderForTesting("");
    EXPECT_EQ(GetProgramFolder(), VC_TEST_BINARY_DIR);
}

} // namespace
