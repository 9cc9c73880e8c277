#include "output/MailMgr.h"

#include "platform/base/Profile.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

class MailMgrTest : public ::testing::Test {
protected:
    MailMgrTest() { SetProfileFolderForTesting(folder.Path()); }
    ~MailMgrTest() override { SetProfileFolderForTesting(""); }

    TempFolder folder;
};

TEST_F(MailMgrTest, StartsEmptyAndRegistersItself) {
    CMailMgr manager;
    EXPECT_EQ(CMailMgr::GetInstance(), &manager);
    EXPECT_EQ(manager.GetServer(), "");
    EXPECT_EQ(manager.GetIntSetting(), 20);
    ASSERT_TRUE(manager.LoadSettings());
    EXPECT_EQ(manager.GetSender(), "") << "missing values read as empty";
}

TEST_F(MailMgrTest, LoadsThreeSettingsAndSavesTwo) {
    WriteProfileString("Settings", "SMTPServer", "mail.example.org");
    WriteProfileString("Settings", "MailSender", "anna@example.org");
    WriteProfileString("Settings", "EmailHelpFile", "Hilfe\\Mail.html");
    CMailMgr manager;
    ASSERT_TRUE(manager.LoadSettings());
    EXPECT_EQ(manager.GetServer(), "mail.example.org");
    EXPECT_EQ(manager.GetSender(), "anna@example.org");
    EXPECT_EQ(manager.GetHelpFile(), "Hilfe\\Mail.html");

    manager.SetServer("smtp.example.com");
    manager.SetSender("");
    ASSERT_TRUE(manager.SaveSettings());
    EXPECT_EQ(GetProfileString("Settings", "SMTPServer"), "smtp.example.com");
    EXPECT_EQ(GetProfileString("Settings", "MailSender", "fehlt"), "");
    DeleteProfileValue("Settings", "EmailHelpFile");
    ASSERT_TRUE(manager.SaveSettings());
    EXPECT_EQ(GetProfileString("Settings", "EmailHelpFile", "nie geschrieben"), "nie geschrieben");
}

} // namespace
