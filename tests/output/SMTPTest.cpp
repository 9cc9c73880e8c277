// The SMTP client against a scripted loopback server: the session byte by byte, each refusal the
// server can give, replies in pieces, silence and closed connections.

#include "output/SMTP.h"

#include "output/MailMessage.h"
#include "tests/output/MailClock.h"
#include "tests/output/ScriptedSmtpServer.h"
#include "tests/support/FakeAppServices.h"

#include <gtest/gtest.h>

namespace {

const std::string kHelo = "HELO " + std::string(GetLocalHostName().GetString()) + "\r\n";

class SmtpTest : public ::testing::Test {
protected:
    SmtpTest() {
        m_services.SetString(420, "Nachricht wird gesendet");
        m_services.SetString(7100, "Ungültige Adresse: %s");
        m_services.SetString(7102, "Abgelehnte Empfänger: %s");
        m_message.m_sFrom = "anna@example.org";
        m_message.m_sSubject = "Gruss";
        m_message.m_sBody = "Hallo";
    }
    // Connects, sends with chunks, says QUIT; the client's results and last error.
    struct Outcome {
        BOOL connected = FALSE;
        BOOL sent = FALSE;
        CString error;
        CString refused;
    };
    Outcome Run(ScriptedSmtpServer& server, int chunks = 4) {
        CSMTP client("127.0.0.1", server.Port());
        SmtpTimeouts timeouts;
        timeouts.greeting = timeouts.command = timeouts.dataCommand = timeouts.dataBlock = timeouts.dataEnd =
            1000;
        client.SetTimeouts(timeouts);
        Outcome outcome;
        outcome.connected = client.Connect();
        if (outcome.connected) {
            outcome.sent = client.SendMessage(&m_message, chunks, Record, &m_progress, nullptr);
            outcome.error = client.GetLastError();
            outcome.refused = client.GetRefusedRecipients();
            client.Disconnect();
        } else {
            outcome.error = client.GetLastError();
        }
        return outcome;
    }

    static void Record(void* progress, void*, const CString& text) {
        static_cast<std::vector<std::string>*>(progress)->push_back(text.GetString());
    }

    FixedMailClock m_clock;
    FakeAppServices m_services;
    CMailMessage m_message;
    std::vector<std::string> m_progress;
};

TEST_F(SmtpTest, ASessionSendsExactlyTheseBytes) {
    m_message.AddRecipient("ben@example.org", "Ben");
    m_message.m_sBody = "Zeile\r\n.\r\n.x\r\nEnde";
    ScriptedSmtpServer server({Reply("220 bereit\r\n"), Reply("250 ok\r\n"), Reply("250 ok\r\n"),
                               Reply("250 ok\r\n"), Reply("354 los\r\n"), Reply("250 angenommen\r\n"),
                               Reply("221 tschuess\r\n")});
    const Outcome outcome = Run(server);
    EXPECT_TRUE(outcome.sent) << outcome.error;
    EXPECT_EQ(
        kHelo +
            "MAIL FROM:<anna@example.org>\r\n"
            "RCPT TO:<ben@example.org>\r\n"
            "DATA\r\n"
            "From: anna@example.org\r\n"
            "To: Ben <ben@example.org>\r\n"
            "Date: " +
            std::string(m_message.m_sHeader.Mid(m_message.m_sHeader.Find("Date: ") + 6, 31).GetString()) +
            "\r\n"
            "Subject: Gruss\r\n"
            "X-Mailer: RVO Mail\r\n"
            "\r\n"
            "Zeile\r\n..\r\n..x\r\nEnde\r\n"
            "\r\n.\r\n"
            "QUIT\r\n",
        server.Received());
    std::vector<std::string> expected = {"Nachricht wird gesendet"};
    expected.resize(5);
    EXPECT_EQ(expected, m_progress) << "the stage text, then one empty text per chunk";
}

struct RefusalCase {
    const char* name;
    std::vector<ScriptedReply> script;
    BOOL connected;
    BOOL sent;
    const char* error;
};

class SmtpRefusalTest : public SmtpTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(SmtpRefusalTest, EndsWithTheStepsText) {
    const RefusalCase& c = GetParam();
    m_message.AddRecipient("ben@example.org", "");
    ScriptedSmtpServer server(c.script);
    const Outcome outcome = Run(server);
    EXPECT_EQ(c.connected, outcome.connected);
    EXPECT_EQ(c.sent, outcome.sent);
    EXPECT_EQ(CString(c.error), outcome.error);
}

const ScriptedReply kGreeting = Reply("220 bereit\r\n");
const ScriptedReply kOk = Reply("250 ok\r\n");

INSTANTIATE_TEST_SUITE_P(
    Replies, SmtpRefusalTest,
    ::testing::Values(
        RefusalCase{
            "GreetingRefused", {Reply("554 nein\r\n")}, FALSE, FALSE, "Mail server is not responding"},
        RefusalCase{"HeloRefused", {kGreeting, Reply("501 wer\r\n")}, FALSE, FALSE, "501:SMTP server error"},
        RefusalCase{"DataRefused",
                    {kGreeting, kOk, kOk, kOk, Reply("503 erst RCPT\r\n")},
                    TRUE,
                    FALSE,
                    "503:SMTP server not ready for data"},
        RefusalCase{"MessageRefusedAfterTheDot",
                    {kGreeting, kOk, kOk, kOk, Reply("354 los\r\n"), Reply("452 voll\r\n")},
                    TRUE,
                    FALSE,
                    "452:SMTP server error"},
        RefusalCase{"MultiLineGreeting",
                    {Reply("220-erste\r\n220-zweite\r\n220 bereit\r\n"), kOk, kOk, kOk, Reply("354 los\r\n"),
                     kOk, Reply("221 ok\r\n")},
                    TRUE,
                    TRUE,
                    "OK"},
        RefusalCase{"RepliesByteByByte",
                    {{ScriptedReply::kSendByteByByte, "220 bereit\r\n"},
                     {ScriptedReply::kSendByteByByte, "250-hallo\r\n250 ok\r\n"},
                     kOk,
                     kOk,
                     Reply("354 los\r\n"),
                     kOk,
                     Reply("221 ok\r\n")},
                    TRUE,
                    TRUE,
                    "OK"},
        RefusalCase{
            "SilentServer", {{ScriptedReply::kSilence, ""}}, FALSE, FALSE, "Mail server is not responding"},
        RefusalCase{"SilenceAfterData",
                    {kGreeting, kOk, kOk, kOk, Reply("354 los\r\n"), {ScriptedReply::kSilence, ""}},
                    TRUE,
                    FALSE,
                    "Mail server is not responding"},
        RefusalCase{"ClosedDuringData",
                    {kGreeting, kOk, kOk, kOk, Reply("354 los\r\n"), {ScriptedReply::kClose, ""}},
                    TRUE,
                    FALSE,
                    "Socket Error"},
        RefusalCase{"QuitRefusedStillSends",
                    {kGreeting, kOk, kOk, kOk, Reply("354 los\r\n"), kOk, Reply("421 weg\r\n")},
                    TRUE,
                    TRUE,
                    "OK"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SmtpTest, ARefusedRecipientIsPassedOverAndListed) {
    m_message.AddRecipient("ben@example.org", "");
    m_message.AddRecipient("cleo@example.org", "");
    ScriptedSmtpServer server({kGreeting, kOk, kOk, Reply("550 unbekannt\r\n"), kOk, Reply("354 los\r\n"),
                               kOk, Reply("221 ok\r\n")});
    const Outcome outcome = Run(server);
    EXPECT_TRUE(outcome.sent);
    EXPECT_EQ(CString("ben@example.org"), outcome.refused);
    EXPECT_NE(std::string::npos, server.Received().find("RCPT TO:<cleo@example.org>\r\nDATA\r\n"));
}

TEST_F(SmtpTest, AllRecipientsRefusedSendsNoData) {
    m_message.AddRecipient("ben@example.org", "");
    m_message.AddRecipient("cleo@example.org", "");
    ScriptedSmtpServer server(
        {kGreeting, kOk, kOk, Reply("550 nein\r\n"), Reply("550 nein\r\n"), Reply("221 ok\r\n")});
    const Outcome outcome = Run(server);
    EXPECT_FALSE(outcome.sent);
    EXPECT_EQ(CString("Abgelehnte Empfänger: ben@example.org, cleo@example.org"), outcome.error);
    EXPECT_EQ(std::string::npos, server.Received().find("DATA"));
}

TEST_F(SmtpTest, FiveBodyBytesInTwentyChunksGiveTwentySteps) {
    m_message.AddRecipient("ben@example.org", "");
    m_message.m_sBody = "abc\r\n";
    ScriptedSmtpServer server({kGreeting, kOk, kOk, kOk, Reply("354 los\r\n"), kOk, Reply("221 ok\r\n")});
    const Outcome outcome = Run(server, 20);
    EXPECT_TRUE(outcome.sent);
    EXPECT_EQ(21u, m_progress.size());
    EXPECT_NE(std::string::npos, server.Received().find("\r\n\r\nabc\r\n\r\n.\r\n"));
}

struct InjectionCase {
    const char* name;
    const char* from;
    const char* recipient;
};

class SmtpInjectionTest : public SmtpTest, public ::testing::WithParamInterface<InjectionCase> {};

TEST_P(SmtpInjectionTest, AnAddressThatCouldCarryACommandIsRefused) {
    const InjectionCase& c = GetParam();
    m_message.m_sFrom = c.from;
    m_message.AddRecipient(c.recipient, "");
    ScriptedSmtpServer server({kGreeting, kOk, Reply("221 ok\r\n")});
    const Outcome outcome = Run(server);
    EXPECT_FALSE(outcome.sent);
    EXPECT_EQ(0, outcome.error.Find("Ungültige Adresse: "));
    EXPECT_EQ(kHelo + "QUIT\r\n", server.Received()) << "nothing but the greeting and goodbye";
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, SmtpInjectionTest,
    ::testing::Values(InjectionCase{"LineBreakInRecipient", "anna@example.org",
                                    "ben@x.org>\r\nRCPT TO:<evil@x.org"},
                      InjectionCase{"LineBreakInSender", "anna@x.org\r\nRSET", "ben@example.org"},
                      InjectionCase{"AngleInRecipient", "anna@example.org", "ben@x.org> SIZE=1"},
                      InjectionCase{"NulInRecipient", "anna@example.org", "ben\x01@example.org"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SmtpTest, StepsNeedAConnectionAndARecipient) {
    CSMTP client("127.0.0.1", 1);
    EXPECT_TRUE(client.Disconnect()) << "nothing to say";
    EXPECT_FALSE(client.SendMessage(&m_message, 20, nullptr, nullptr, nullptr));
    EXPECT_EQ(CString("Must be connected"), client.GetLastError());

    ScriptedSmtpServer server({kGreeting, kOk, Reply("221 ok\r\n")});
    const Outcome outcome = Run(server);
    EXPECT_EQ(CString("No Recipients"), outcome.error);
}

TEST_F(SmtpTest, ARefusedConnectionCannotConnect) {
    unsigned port;
    {
        Listener gone;
        port = gone.Port();
    }
    CSMTP client("127.0.0.1", port);
    EXPECT_FALSE(client.Connect());
    EXPECT_EQ(CString("Cannot connect to mail server"), client.GetLastError());
    client.SetServer(nullptr, 1);
    EXPECT_EQ(port, client.GetPort()) << "a missing server changes nothing";
}

} // namespace
