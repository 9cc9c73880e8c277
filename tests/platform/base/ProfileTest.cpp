#include "platform/base/Profile.h"

#include "tests/support/TempFolder.h"

#include <climits>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <stdlib.h>
#include <string>
#include <thread>
#include <vector>

namespace {

class ProfileTest : public testing::Test {
protected:
    void SetUp() override { SetProfileFolderForTesting(m_folder.Path()); }
    void TearDown() override { SetProfileFolderForTesting(""); }

    // Drops what the store holds in memory, so the next call reads the file.
    void Reopen() { SetProfileFolderForTesting(m_folder.Path()); }

    std::string FileContent() const {
        std::ifstream file(GetProfileFilePath().GetString(), std::ios::binary);
        std::ostringstream content;
        content << file.rdbuf();
        return content.str();
    }

    TempFolder m_folder;
};

TEST_F(ProfileTest, StringsSurviveTheFile) {
    struct Case {
        const char* name;
        const char* value;
    };
    const Case cases[] = {
        {"Umlauts", "Grüße aus Köln – 20 €"},
        {"Empty", ""},
        {"WindowsPath", "C:\\Programme\\Vellumcraft\\Daten"},
        {"CommasAndQuotes", "a, \"b\", c"},
        {"LeadingAt", "@ByteArray(not binary)"},
        {"OuterBlanks", "  padded  "},
        {"LineBreaks", "erste\nzweite\r\n"},
        {"IniSyntax", "[Settings]\nx=1;y"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteProfileString("Settings", c.name, c.value)) << c.name;
    }
    Reopen();
    for (const Case& c : cases) {
        EXPECT_EQ(GetProfileString("Settings", c.name, "default"), c.value) << c.name;
    }
    EXPECT_EQ(GetProfileString("Settings", "Missing", "default"), "default");
    EXPECT_EQ(GetProfileString("Settings", "Missing"), "");
    EXPECT_EQ(GetProfileString("Nowhere", "DataPath", "d"), "d");
}

TEST_F(ProfileTest, IntegersSurviveTheFileAndOtherTextGivesTheDefault) {
    const int values[] = {0, 1, -1, 800, INT_MAX, INT_MIN};
    for (const int value : values) {
        ASSERT_TRUE(WriteProfileInt("Settings", std::to_string(value).c_str(), value));
    }
    WriteProfileString("Settings", "Word", "zehn");
    WriteProfileString("Settings", "Padded", " 42 ");
    Reopen();
    for (const int value : values) {
        EXPECT_EQ(static_cast<int>(GetProfileInt("Settings", std::to_string(value).c_str(), 7)), value);
    }
    EXPECT_EQ(static_cast<int>(GetProfileInt("Settings", "ZoomStep", -1)), -1);
    EXPECT_EQ(GetProfileInt("Settings", "Word", 5), 5u);
    EXPECT_EQ(GetProfileInt("Settings", "Padded", 5), 42u);
    EXPECT_EQ(GetProfileString("Settings", "800"), "800");
}

TEST_F(ProfileTest, BinaryValuesSurviveTheFileAndAreNoStrings) {
    const std::vector<std::vector<BYTE>> values = {
        {}, {0x00}, {0x00, 0xFF, 0x0A, 0x0D, '=', '\\'}, std::vector<BYTE>(1000, 0x80)};
    for (size_t i = 0; i < values.size(); ++i) {
        const std::string name = "DevMode" + std::to_string(i);
        ASSERT_TRUE(WriteProfileBinary("Printers", name.c_str(), values[i].data(),
                                       static_cast<UINT>(values[i].size())));
    }
    Reopen();
    for (size_t i = 0; i < values.size(); ++i) {
        const std::string name = "DevMode" + std::to_string(i);
        BYTE* data = nullptr;
        UINT bytes = 0;
        ASSERT_TRUE(GetProfileBinary("Printers", name.c_str(), &data, &bytes)) << name;
        EXPECT_EQ(std::vector<BYTE>(data, data + bytes), values[i]) << name;
        delete[] data;
    }

    WriteProfileString("Printers", "DefaultPrinterName", "PDF");
    BYTE* data = reinterpret_cast<BYTE*>(1);
    UINT bytes = 99;
    EXPECT_FALSE(GetProfileBinary("Printers", "DefaultPrinterName", &data, &bytes));
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(bytes, 0u);
    EXPECT_FALSE(GetProfileBinary("Printers", "Missing", &data, &bytes));
    EXPECT_EQ(GetProfileString("Printers", "DevMode2", "none"), "none");
    EXPECT_FALSE(WriteProfileBinary("Printers", "Bad", nullptr, 4));
}

TEST_F(ProfileTest, SectionsAreLevelsAndNamesIgnoreCaseButKeepTheirSpelling) {
    WriteProfileInt("Settings\\Thumbnails\\Browse", "thumbcx", 96);
    WriteProfileString("Settings", "DataPath", "/home/anna/Vellumcraft");
    Reopen();
    EXPECT_EQ(GetProfileInt("SETTINGS\\thumbnails\\BROWSE", "ThumbCX", 0), 96u);
    EXPECT_EQ(GetProfileString("settings", "datapath"), "/home/anna/Vellumcraft");

    WriteProfileString("SETTINGS", "DATAPATH", "/srv/daten");
    EXPECT_EQ(GetProfileSubkeyNames(""), std::vector<CString>{"Settings"});
    EXPECT_EQ(GetProfileSubkeyNames("Settings"), std::vector<CString>{"Thumbnails"});
    EXPECT_EQ(GetProfileValueNames("Settings"), std::vector<CString>{"DataPath"});
    EXPECT_EQ(GetProfileString("Settings", "DataPath"), "/srv/daten");
    EXPECT_TRUE(GetProfileSubkeyNames("Missing").empty());
    EXPECT_TRUE(GetProfileValueNames("Missing").empty());
}

TEST_F(ProfileTest, PrinterNamesWithSlashesStayOneKey) {
    const CString printers[] = {"\\\\server\\HP LaserJet", "Canon/Color", "Grau 50%", "PDF"};
    for (const CString& printer : printers) {
        ASSERT_TRUE(WriteProfileInt(EscapeProfileKeyPart(printer), "OffsetX", 12));
    }
    // A raw '/' never opens a hidden level.
    WriteProfileString("Page/Mapping", "A4", "9");
    Reopen();

    std::vector<CString> names;
    for (const CString& key : GetProfileSubkeyNames("")) {
        names.push_back(UnescapeProfileKeyPart(key));
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<CString>{"Canon/Color", "Grau 50%", "PDF", "Page/Mapping",
                                           "\\\\server\\HP LaserJet"}));
    for (const CString& printer : printers) {
        EXPECT_EQ(GetProfileInt(EscapeProfileKeyPart(printer), "OffsetX", 0), 12u) << printer.GetString();
    }
    EXPECT_EQ(GetProfileString("Page/Mapping", "A4"), "9");
}

TEST(ProfileKeyPartTest, EscapingRoundTrips) {
    struct Case {
        const char* name;
        const char* escaped;
    };
    for (const Case& c : {Case{"plain", "plain"}, Case{"a/b", "a%2Fb"}, Case{"a\\b", "a%5Cb"},
                          Case{"100%", "100%25"}, Case{"%2F", "%252F"}, Case{"", ""}}) {
        EXPECT_EQ(EscapeProfileKeyPart(c.name), c.escaped);
        EXPECT_EQ(UnescapeProfileKeyPart(c.escaped), c.name);
    }
    EXPECT_EQ(UnescapeProfileKeyPart("a%2fb%5c"), "a/b\\");
    EXPECT_EQ(UnescapeProfileKeyPart("50%"), "50%");
    EXPECT_EQ(UnescapeProfileKeyPart("%41%"), "%41%");
}

TEST_F(ProfileTest, DeletesValuesAndWholeSections) {
    WriteProfileInt("Printers", "Count", 2);
    WriteProfileInt("Printers\\PDF", "OffsetX", 3);
    WriteProfileInt("Settings", "Sound", 1);
    WriteProfileInt("Settings", "ZoomStep", 5);

    EXPECT_TRUE(WriteProfileString("Settings", "ZoomStep", nullptr));
    EXPECT_FALSE(WriteProfileString("Settings", "ZoomStep", nullptr));
    EXPECT_TRUE(DeleteProfileKey("printers"));
    EXPECT_FALSE(DeleteProfileKey("Printers"));
    EXPECT_FALSE(DeleteProfileKey(""));
    EXPECT_FALSE(DeleteProfileValue("Settings", "Missing"));
    Reopen();
    EXPECT_EQ(GetProfileSubkeyNames(""), std::vector<CString>{"Settings"});
    EXPECT_EQ(GetProfileValueNames("Settings"), std::vector<CString>{"Sound"});
    EXPECT_EQ(GetProfileInt("Printers\\PDF", "OffsetX", -1), static_cast<UINT>(-1));

    EXPECT_TRUE(WriteProfileString("Settings", nullptr, nullptr));
    EXPECT_TRUE(GetProfileSubkeyNames("").empty());
}

TEST_F(ProfileTest, TextThatIsNotUtf8IsReadAsWindows1252) {
    ASSERT_TRUE(WriteProfileString("Settings", "MailSender",
                                   "J\xFCrgen M\xFC"
                                   "ller"));
    EXPECT_EQ(GetProfileString("Settings", "MailSender"), "Jürgen Müller");

    // A file carried over with Windows-1252 bytes keeps its umlauts, also after the next write.
    std::ofstream(GetProfileFilePath().GetString(), std::ios::binary)
        << "[Settings]\nSMTPServer=mail.example\nClipart%20Path=/home/j\xFCrgen/Cliparts\n";
    Reopen();
    EXPECT_EQ(GetProfileString("Settings", "Clipart Path"), "/home/jürgen/Cliparts");
    EXPECT_EQ(GetProfileString("Settings", "SMTPServer"), "mail.example");
    WriteProfileInt("Settings", "Sound", 0);
    EXPECT_NE(FileContent().find("/home/jürgen/Cliparts"), std::string::npos);
}

TEST_F(ProfileTest, DefaultFileLiesInTheUsersConfigurationFolder) {
    SetProfileFolderForTesting("");
    const char* previous = getenv("XDG_CONFIG_HOME");
    const std::string saved = previous ? previous : "";
    setenv("XDG_CONFIG_HOME", m_folder.Path(), 1);

    EXPECT_EQ(GetProfileFilePath(), m_folder.Path() + "/Morrowgate/Vellumcraft.conf");
    ASSERT_TRUE(WriteProfileInt("Settings", "Sound", 1));
    EXPECT_TRUE(std::ifstream((m_folder.Path() + "/Morrowgate/Vellumcraft.conf").GetString()).good());

    previous ? setenv("XDG_CONFIG_HOME", saved.c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
}

TEST_F(ProfileTest, ThreadsWritingAtOnceLoseNothing) {
    constexpr int kThreads = 4;
    constexpr int kValues = 20;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t] {
            for (int i = 0; i < kValues; ++i) {
                WriteProfileInt(("Thread" + std::to_string(t)).c_str(), std::to_string(i).c_str(),
                                t * 100 + i);
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    Reopen();
    for (int t = 0; t < kThreads; ++t) {
        for (int i = 0; i < kValues; ++i) {
            EXPECT_EQ(GetProfileInt(("Thread" + std::to_string(t)).c_str(), std::to_string(i).c_str(), -1),
                      static_cast<UINT>(t * 100 + i));
        }
    }
}

} // namespace
