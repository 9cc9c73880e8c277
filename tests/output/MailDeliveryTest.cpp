// A mail sent through a real SMTP server on the loopback address (aiosmtpd's Mailbox handler) and read
// back by Python's email package: what a recipient's mail program gets.

#include "output/MIMEMessage.h"
#include "output/MailMgr.h"
#include "tests/output/AiosmtpdServer.h"
#include "tests/output/MailClock.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/RunTool.h"
#include "tests/support/TempFolder.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

// Prints what a recipient's program makes of the one mail in the Maildir, a field a line.
constexpr char kReader[] = R"(
import email, email.policy, glob, sys
path = glob.glob(sys.argv[1] + '/new/*')[0]
message = email.message_from_binary_file(open(path, 'rb'), policy=email.policy.default)
print('subject=' + message['Subject'])
print('date=' + message['Date'].datetime.isoformat())
print('from=' + message['X-MailFrom'])
print('rcpt=' + message['X-RcptTo'])
print('to=' + str(message['To']))
text = next(part for part in message.walk() if part.get_content_type() == 'text/plain')
print('text=' + text.get_content().replace('\r\n', '|').replace('\n', '|'))
attachment = next(part for part in message.walk() if part.get_content_type() == 'application/octet-stream')
print('attachment=' + str(attachment.get_content() == open(sys.argv[2], 'rb').read()))
print('filename=' + attachment.get_filename())
)";

class MailDeliveryTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_server.Started()) << "aiosmtpd did not start"; }

    TempFolder m_folder;
    AiosmtpdServer m_server{m_folder.Path().GetString()};
};

TEST_F(MailDeliveryTest, ARecipientReadsWhatWasSent) {
    FixedMailClock clock;
    FakeAppServices services;
    const std::string folder = m_folder.Path().GetString();
    const std::string picture = folder + "/Grüße.jpg";
    {
        std::ofstream file(picture, std::ios::binary);
        for (int i = 0; i < 5000; ++i)
            file.put(static_cast<char>(i * 7 % 256));
    }
    CMailMgr manager;
    manager.SetServer("127.0.0.1");
    manager.SetPort(m_server.Port());
    manager.SetSender("anna@example.org");

    CMIMEMessage message;
    message.AddMultipleRecipients("Jürgen Meier <juergen@example.org>; cleo@example.org");
    message.m_sSubject = "Grüße aus Köln";
    const std::string longLine(1000, 'l');
    message.m_sBody = CString("Liebe Grüße!\r\n.x\r\n" + longLine + "\r\nEnde");
    message.AddPart(picture.c_str(), CMIMEMessage::MIME_OCTET_STREAM);
    ASSERT_TRUE(manager.SendMail(&message, nullptr, nullptr, nullptr));

    std::ofstream(folder + "/read.py") << kReader;
    const std::string read = ToolOutput("LC_ALL=C.UTF-8 /usr/bin/python3 '" + folder + "/read.py' '" +
                                        folder + "/Maildir' '" + picture + "'");
    EXPECT_EQ("subject=Grüße aus Köln\n"
              "date=2025-12-10T21:53:20+01:00\n"
              "from=anna@example.org\n"
              "rcpt=juergen@example.org, cleo@example.org\n"
              "to=Jürgen Meier <juergen@example.org>, cleo@example.org\n"
              "text=Liebe Grüße!|.x|" +
                  longLine +
                  "|Ende\n"
                  "attachment=True\n"
                  "filename=Grüße.jpg\n",
              read);
}

} // namespace
