#pragma once
// A loopback SMTP peer that answers from a script: the first reply greets, each further one answers
// the next command (after DATA's reply, the next one answers the whole message up to its final dot).
// It records every byte it receives.

#include "tests/support/Listener.h"

#include <string>
#include <thread>
#include <vector>

struct ScriptedReply {
    enum Kind { kSend, kSendByteByByte, kSilence, kClose };
    Kind kind = kSend;
    std::string text;
};

ScriptedReply Reply(std::string text);

class ScriptedSmtpServer {
public:
    explicit ScriptedSmtpServer(std::vector<ScriptedReply> script);
    // Waits for the session to end.
    ~ScriptedSmtpServer();
    ScriptedSmtpServer(const ScriptedSmtpServer&) = delete;
    ScriptedSmtpServer& operator=(const ScriptedSmtpServer&) = delete;

    unsigned Port() const { return m_listener.Port(); }
    // Everything the client sent; call after the client is done.
    std::string Received();

private:
    void Serve();

    Listener m_listener;
    std::vector<ScriptedReply> m_script;
    std::string m_received;
    std::thread m_thread;
};
