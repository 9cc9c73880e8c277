#include "tests/output/AiosmtpdServer.h"

#include "platform/net/Socket.h"
#include "tests/support/Listener.h"
#include "tests/support/RunTool.h"

#include <chrono>
#include <thread>

AiosmtpdServer::AiosmtpdServer(const std::string& folder) : m_folder(folder) {
    {
        Listener probe;
        m_port = probe.Port();
    }
    if (RunTool("cd '" + folder +
                "' && (LC_ALL=C.UTF-8 setsid /usr/bin/python3 -u -m aiosmtpd -n -l 127.0.0.1:" +
                std::to_string(m_port) +
                " -c aiosmtpd.handlers.Mailbox Maildir > server.log 2>&1 & echo $! > server.pid)") != 0)
        return;
    m_started = WaitUntilListening();
}

AiosmtpdServer::~AiosmtpdServer() {
    RunTool("kill $(cat '" + m_folder + "/server.pid') 2>/dev/null");
}

bool AiosmtpdServer::WaitUntilListening() const {
    for (int attempt = 0; attempt < 200; ++attempt) {
        CSocket probe;
        probe.Create();
        if (probe.Connect("127.0.0.1", m_port))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}
