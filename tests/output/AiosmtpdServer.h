#pragma once
// A real SMTP server on the loopback address: aiosmtpd with its Mailbox handler, storing every message
// in the Maildir "Maildir" of a folder; stopped by its process id.

#include <string>

class AiosmtpdServer {
public:
    // Starts the server in folder and waits until it listens; Started() tells whether it did.
    explicit AiosmtpdServer(const std::string& folder);
    ~AiosmtpdServer();
    AiosmtpdServer(const AiosmtpdServer&) = delete;
    AiosmtpdServer& operator=(const AiosmtpdServer&) = delete;

    bool Started() const { return m_started; }
    unsigned Port() const { return m_port; }
    std::string Maildir() const { return m_folder + "/Maildir"; }

private:
    bool WaitUntilListening() const;

    std::string m_folder;
    unsigned m_port = 0;
    bool m_started = false;
};
