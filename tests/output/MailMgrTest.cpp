#include "output/MailMgr.h"

#include "output/MailMessage.h"
#include "platform/base/Profile.h"
#include "tests/output/MailClock.h"
#include "tests/output/ScriptedSmtpServer.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

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

class SendMailTest : public MailMgrTest {
protected:
    SendMailTest() {
        for (UINT id : {408u, 416u, 417u, 418u, 419u, 420u})
            m_services.SetString(id, CString(std::to_string(id)));
        m_services.SetString(7102, "abgelehnt: %s");
        m_manager.SetServer("127.0.0.1");
        m_manager.SetSender("anna@example.org");
        m_message.AddRecipient("ben@example.org", "Ben");
        m_message.m_sBody = "Hallo";
    }

    static void Record(void* reports, void* second, const CString& text) {
        EXPECT_EQ(reinterpret_cast<void*>(0x2), second);
        static_cast<std::vector<std::string>*>(reports)->push_back(text.GetString());
    }

    FixedMailClock m_clock;
    FakeAppServices m_services;
    CMailMgr m_manager;
    CMailMessage m_message;
    std::vector<std::string> m_reports;
};

const std::vector<ScriptedReply> kAcceptingSession = {
    Reply("220 bereit\r\n"), Reply("250 ok\r\n"), Reply("250 ok\r\n"), Reply("250 ok\r\n"),
    Reply("354 los\r\n"),    Reply("250 ok\r\n"), Reply("221 ok\r\n")};

TEST_F(SendMailTest, ASendingReportsItsStagesAndTwentySteps) {
    ScriptedSmtpServer server(kAcceptingSession);
    m_manager.SetPort(server.Port());
    EXPECT_TRUE(m_manager.SendMail(&m_message, Record, &m_reports, reinterpret_cast<void*>(0x2)));
    std::vector<std::string> expected = {"416", "417", "420"};
    expected.resize(23);
    expected.insert(expected.end(), {"408", "418", "419"});
    EXPECT_EQ(expected, m_reports);
    EXPECT_TRUE(m_services.Messages().empty());
    EXPECT_EQ(CString("anna@example.org"), m_message.m_sFrom);
    EXPECT_NE(std::string::npos, server.Received().find("MAIL FROM:<anna@example.org>"));
}

TEST_F(SendMailTest, ARefusedConnectionShowsOneMessageAndStopsAfterTheFirstStage) {
    unsigned port;
    {
        Listener gone;
        port = gone.Port();
    }
    m_manager.SetPort(port);
    EXPECT_FALSE(m_manager.SendMail(&m_message, Record, &m_reports, reinterpret_cast<void*>(0x2)));
    EXPECT_EQ(std::vector<std::string>{"416"}, m_reports);
    ASSERT_EQ(1u, m_services.Messages().size());
    EXPECT_EQ(CString("Cannot connect to mail server"), m_services.Messages()[0].text);
}

TEST_F(SendMailTest, RefusedRecipientsAreNamedAfterTheOthersGotTheMail) {
    m_message.AddRecipient("cleo@example.org", "");
    ScriptedSmtpServer server({Reply("220 bereit\r\n"), Reply("250 ok\r\n"), Reply("250 ok\r\n"),
                               Reply("550 unbekannt\r\n"), Reply("250 ok\r\n"), Reply("354 los\r\n"),
                               Reply("250 ok\r\n"), Reply("221 ok\r\n")});
    m_manager.SetPort(server.Port());
    EXPECT_TRUE(m_manager.SendMail(&m_message, nullptr, nullptr, nullptr));
    ASSERT_EQ(1u, m_services.Messages().size());
    EXPECT_EQ(CString("abgelehnt: ben@example.org"), m_services.Messages()[0].text);
}

} // namespace
