#include "platform/net/Socket.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

int RemainingMs(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// A non-blocking connect to one address, waited for until the deadline.
int ConnectOne(const addrinfo& address, Clock::time_point deadline, bool& timedOut) {
    const int descriptor =
        socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, address.ai_protocol);
    if (descriptor < 0)
        return -1;
    if (connect(descriptor, address.ai_addr, address.ai_addrlen) == 0)
        return descriptor;
    if (errno == EINPROGRESS) {
        pollfd waiting{descriptor, POLLOUT, 0};
        int ready;
        do
            ready = poll(&waiting, 1, RemainingMs(deadline));
        while (ready < 0 && errno == EINTR);
        int failure = 0;
        socklen_t size = sizeof failure;
        if (ready > 0 && getsockopt(descriptor, SOL_SOCKET, SO_ERROR, &failure, &size) == 0 && failure == 0)
            return descriptor;
        timedOut = timedOut || ready == 0;
    }
    close(descriptor);
    return -1;
}

} // namespace

BOOL AfxSocketInit() {
    // Sends use MSG_NOSIGNAL; ignoring the signal as well covers every other write to a socket.
    signal(SIGPIPE, SIG_IGN);
    return TRUE;
}

CString GetLocalHostName() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0)
        return CString();
    return CString(name);
}

CSocket::~CSocket() {
    Close();
}

BOOL CSocket::Create() {
    if (m_created)
        return FALSE;
    m_created = true;
    return TRUE;
}

BOOL CSocket::Connect(LPCTSTR host, UINT port) {
    m_timedOut = false;
    if (!m_created || m_descriptor >= 0 || !host || port > 65535)
        return FALSE;
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    CString service;
    service.Format("%u", port);
    if (getaddrinfo(host, service.GetString(), &hints, &found) != 0)
        return FALSE;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(m_connectTimeoutMs);
    for (const addrinfo* address = found; address && m_descriptor < 0; address = address->ai_next)
        m_descriptor = ConnectOne(*address, deadline, m_timedOut);
    freeaddrinfo(found);
    if (m_descriptor < 0)
        return FALSE;
    m_timedOut = false;
    return TRUE;
}

bool CSocket::WaitFor(short events, DWORD timeoutMs) {
    pollfd waiting{m_descriptor, events, 0};
    int ready;
    do
        ready = poll(&waiting, 1, timeoutMs > INT32_MAX ? -1 : static_cast<int>(timeoutMs));
    while (ready < 0 && errno == EINTR);
    m_timedOut = ready == 0;
    return ready > 0;
}

int CSocket::Send(const void* data, int length) {
    m_timedOut = false;
    if (m_descriptor < 0 || length < 0 || (length > 0 && !data))
        return SOCKET_ERROR;
    const auto* bytes = static_cast<const char*>(data);
    int sent = 0;
    while (sent < length) {
        if (!WaitFor(POLLOUT, m_sendTimeoutMs))
            return SOCKET_ERROR;
        const ssize_t written =
            send(m_descriptor, bytes + sent, static_cast<size_t>(length - sent), MSG_NOSIGNAL);
        if (written < 0) {
            if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)
                continue;
            return SOCKET_ERROR;
        }
        sent += static_cast<int>(written);
    }
    return length;
}

int CSocket::Receive(void* buffer, int length) {
    m_timedOut = false;
    if (m_descriptor < 0 || length <= 0 || !buffer)
        return SOCKET_ERROR;
    for (;;) {
        if (!WaitFor(POLLIN, m_receiveTimeoutMs))
            return SOCKET_ERROR;
        const ssize_t read = recv(m_descriptor, buffer, static_cast<size_t>(length), 0);
        if (read >= 0)
            return static_cast<int>(read);
        if (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK)
            return SOCKET_ERROR;
    }
}

void CSocket::Close() {
    if (m_descriptor >= 0)
        close(m_descriptor);
    m_descriptor = -1;
    m_created = false;
}

CString CSocket::GetLocalAddressLiteral() const {
    sockaddr_storage local{};
    socklen_t size = sizeof local;
    if (m_descriptor < 0 || getsockname(m_descriptor, reinterpret_cast<sockaddr*>(&local), &size) != 0)
        return CString();
    char text[INET6_ADDRSTRLEN] = {};
    if (local.ss_family == AF_INET) {
        inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in&>(local).sin_addr, text, sizeof text);
        CString literal;
        literal.Format("[%s]", text);
        return literal;
    }
    inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6&>(local).sin6_addr, text, sizeof text);
    CString literal;
    literal.Format("[IPv6:%s]", text);
    return literal;
}
