#include "tests/support/Listener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

Listener::Listener(bool ipv6, int backlog) {
    m_descriptor = socket(ipv6 ? AF_INET6 : AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_descriptor < 0)
        return;
    const int yes = 1;
    setsockopt(m_descriptor, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_storage address{};
    socklen_t size;
    if (ipv6) {
        auto& v6 = reinterpret_cast<sockaddr_in6&>(address);
        v6.sin6_family = AF_INET6;
        v6.sin6_addr = in6addr_loopback;
        size = sizeof v6;
    } else {
        auto& v4 = reinterpret_cast<sockaddr_in&>(address);
        v4.sin_family = AF_INET;
        v4.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        size = sizeof v4;
    }
    if (bind(m_descriptor, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        listen(m_descriptor, backlog) != 0 ||
        getsockname(m_descriptor, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        close(m_descriptor);
        m_descriptor = -1;
        return;
    }
    m_port = ntohs(ipv6 ? reinterpret_cast<sockaddr_in6&>(address).sin6_port
                        : reinterpret_cast<sockaddr_in&>(address).sin_port);
}

Listener::~Listener() {
    if (m_descriptor >= 0)
        close(m_descriptor);
}

int Listener::Accept() const {
    return m_descriptor < 0 ? -1 : accept4(m_descriptor, nullptr, nullptr, SOCK_CLOEXEC);
}

std::string ReadUntil(int descriptor, const std::string& terminator) {
    std::string text;
    char byte;
    while (!(text.size() >= terminator.size() &&
             text.compare(text.size() - terminator.size(), terminator.size(), terminator) == 0)) {
        if (read(descriptor, &byte, 1) != 1)
            break;
        text += byte;
    }
    return text;
}

bool WriteAll(int descriptor, const std::string& text) {
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t count = send(descriptor, text.data() + written, text.size() - written, MSG_NOSIGNAL);
        if (count <= 0)
            return false;
        written += static_cast<std::size_t>(count);
    }
    return true;
}
