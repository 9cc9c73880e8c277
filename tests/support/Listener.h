#pragma once
// A listening TCP socket on the loopback address, for tests of the socket layer and the mail client.

#include <string>

class Listener {
public:
    // Listens on 127.0.0.1 (or ::1 with ipv6) on a free port; backlog as listen() takes it.
    explicit Listener(bool ipv6 = false, int backlog = 8);
    ~Listener();
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    unsigned Port() const { return m_port; }
    // Waits for the next connection: its descriptor (the caller closes it), -1 on failure.
    int Accept() const;

private:
    int m_descriptor = -1;
    unsigned m_port = 0;
};

// Reads from descriptor until text ends with terminator or the peer closes; what arrived.
std::string ReadUntil(int descriptor, const std::string& terminator);
// Writes all of text; false when the peer is gone.
bool WriteAll(int descriptor, const std::string& text);
