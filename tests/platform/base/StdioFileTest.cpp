#include "platform/base/StdioFile.h"

#include "tests/platform/base/FileFixtures.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<CString> ReadLines(const std::string& path) {
    CStdioFile file(path.c_str(), CFile::modeRead | CFile::typeText);
    std::vector<CString> lines;
    CString line;
    while (file.ReadString(line)) {
        lines.push_back(line);
    }
    return lines;
}

TEST(StdioFileTest, ReadsLinesEndingInCrLfOrLf) {
    TempFolder folder;
    const std::string windows = WriteBytes(InFolder(folder, "windows.txt"), "a;b;c\r\n\r\nzwei\r\n");
    EXPECT_EQ(ReadLines(windows), (std::vector<CString>{"a;b;c", "", "zwei"}));
    const std::string unix = WriteBytes(InFolder(folder, "unix.txt"), "eins\nzwei\ndrei ohne Ende");
    EXPECT_EQ(ReadLines(unix), (std::vector<CString>{"eins", "zwei", "drei ohne Ende"}));
    EXPECT_EQ(ReadLines(WriteBytes(InFolder(folder, "empty.txt"), "")), std::vector<CString>{});
    // A lone CR inside a line is text.
    EXPECT_EQ(ReadLines(WriteBytes(InFolder(folder, "cr.txt"), "a\rb\n")), std::vector<CString>{"a\rb"});
}

TEST(StdioFileTest, LinesFromWindowsKeepTheirUmlauts) {
    TempFolder folder;
    const std::string path = WriteBytes(InFolder(folder, "Templ.dat"), "Gr\xFC\xDF"
                                                                       "e\r\nK\xC3\xA4se\r\n");
    EXPECT_EQ(ReadLines(path), (std::vector<CString>{"Grüße", "Käse"}));
}

TEST(StdioFileTest, WritesTextAndBinaryThroughOneBuffer) {
    TempFolder folder;
    const std::string path = InFolder(folder, "out.txt");
    {
        CStdioFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        file.WriteString("Zeile 1\n");
        file.Write("xy", 2);
        file.WriteString("\nZeile 3");
        EXPECT_EQ(file.GetLength(), 18u);
        EXPECT_EQ(file.GetPosition(), 18u);
        file.Close();
    }
    EXPECT_EQ(ReadBytes(path), "Zeile 1\nxy\nZeile 3");

    CStdioFile file(path.c_str(), CFile::modeRead);
    CString line;
    EXPECT_TRUE(file.ReadString(line));
    char two[2];
    EXPECT_EQ(file.Read(two, 2), 2u);
    EXPECT_EQ(std::string(two, 2), "xy");
    file.Seek(-7, CFile::end);
    EXPECT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, "Zeile 3");
    EXPECT_FALSE(file.ReadString(line));
}

TEST(StdioFileTest, OpenFailsLikeAnyFile) {
    TempFolder folder;
    CStdioFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(InFolder(folder, "missing.txt").c_str(), CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    try {
        CStdioFile thrown(InFolder(folder, "missing.txt").c_str(), CFile::modeRead);
        FAIL();
    } catch (CFileException* e) {
        EXPECT_EQ(e->m_cause, CFileException::fileNotFound);
        e->Delete();
    }
}

TEST(StdioFileTest, FullDiskIsReportedWhenTheBufferIsWritten) {
    CStdioFile file("/dev/full", CFile::modeWrite);
    file.WriteString("lost");
    try {
        file.Close();
        FAIL();
    } catch (CFileException* e) {
        EXPECT_EQ(e->m_cause, CFileException::diskFull);
        e->Delete();
    }
}

} // namespace
