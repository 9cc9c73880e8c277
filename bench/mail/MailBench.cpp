// Sends one plain mail with a file attached through the mail manager: mail_bench HOST PORT FILE.
// Prints seconds= from reading the file to the server's reply to the final dot.

#include "output/MIMEMessage.h"
#include "output/MailMgr.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: mail_bench HOST PORT FILE\n");
        return 2;
    }
    CMailMgr manager;
    manager.SetServer(argv[1]);
    manager.SetPort(static_cast<UINT>(std::atoi(argv[2])));
    manager.SetSender("anna@example.org");
    const auto start = std::chrono::steady_clock::now();
    CMIMEMessage message;
    message.AddRecipient("ben@example.org", "Ben");
    message.m_sSubject = "Seite";
    message.m_sBody = "Hallo Ben, hier ist die Seite.";
    message.AddPart(argv[3], CMIMEMessage::MIME_OCTET_STREAM);
    if (!manager.SendMail(&message, nullptr, nullptr, nullptr))
        return 1;
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    std::printf("seconds=%.6f\n", elapsed.count());
    return 0;
}
