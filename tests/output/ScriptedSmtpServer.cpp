#include "tests/output/ScriptedSmtpServer.h"

#include <unistd.h>

ScriptedReply Reply(std::string text) {
    return {ScriptedReply::kSend, std::move(text)};
}

ScriptedSmtpServer::ScriptedSmtpServer(std::vector<ScriptedReply> script) : m_script(std::move(script)) {
    m_thread = std::thread([this] { Serve(); });
}

ScriptedSmtpServer::~ScriptedSmtpServer() {
    if (m_thread.joinable())
        m_thread.join();
}

std::string ScriptedSmtpServer::Received() {
    if (m_thread.joinable())
        m_thread.join();
    return m_received;
}

void ScriptedSmtpServer::Serve() {
    const int connection = m_listener.Accept();
    if (connection < 0)
        return;
    bool inData = false;
    for (std::size_t i = 0; i < m_script.size(); ++i) {
        if (i > 0) {
            const std::string unit = ReadUntil(connection, inData ? "\r\n.\r\n" : "\r\n");
            m_received += unit;
            if (unit.empty())
                break;
            inData = !inData && unit == "DATA\r\n" && m_script[i].text.rfind("354", 0) == 0;
        }
        const ScriptedReply& reply = m_script[i];
        if (reply.kind == ScriptedReply::kClose) {
            close(connection);
            return;
        }
        if (reply.kind == ScriptedReply::kSilence) {
            // Hold the line until the client gives up.
            m_received += ReadUntil(connection, "\x01never\x01");
            break;
        }
        if (reply.kind == ScriptedReply::kSendByteByByte) {
            for (char byte : reply.text) {
                WriteAll(connection, std::string(1, byte));
                usleep(1000);
            }
        } else {
            WriteAll(connection, reply.text);
        }
    }
    // What the client says after the script ran out is recorded too.
    m_received += ReadUntil(connection, "\x01never\x01");
    close(connection);
}
