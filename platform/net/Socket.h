#pragma once
// CSocket: a blocking TCP stream socket, as the mail client uses it. Every wait has a time-out, so a
// silent or vanished peer ends a call with an error instead of holding the program for ever.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

inline constexpr int SOCKET_ERROR = -1;

// Prepares the process for sockets (a write to a closed connection must fail, not end the program).
// TRUE when sockets can be used.
BOOL AfxSocketInit();

// The name of this machine, for the mail client's greeting; empty when it has none.
CString GetLocalHostName();

class CSocket {
public:
    // The time a call waits when nothing else was set.
    static constexpr DWORD kDefaultTimeoutMs = 30'000;

    CSocket() = default;
    ~CSocket();
    CSocket(const CSocket&) = delete;
    CSocket& operator=(const CSocket&) = delete;

    // Readies an unconnected stream socket on any local port. The address family is chosen by Connect,
    // from the address the server name resolves to. FALSE when already created.
    BOOL Create();
    // Connects to host (a name, an IPv4 or an IPv6 address) at port, trying each address the name
    // resolves to within the connect time-out. FALSE when no address accepts.
    BOOL Connect(LPCTSTR host, UINT port);
    // Sends all length bytes within the send time-out: length, or SOCKET_ERROR.
    int Send(const void* data, int length);
    // Waits up to the receive time-out for data: the number of bytes read (at most length), 0 when the
    // peer closed the connection, SOCKET_ERROR on an error or a time-out.
    int Receive(void* buffer, int length);
    void Close();

    void SetConnectTimeout(DWORD milliseconds) { m_connectTimeoutMs = milliseconds; }
    void SetSendTimeout(DWORD milliseconds) { m_sendTimeoutMs = milliseconds; }
    void SetReceiveTimeout(DWORD milliseconds) { m_receiveTimeoutMs = milliseconds; }
    // Whether the last failed call ran out of time.
    bool TimedOut() const { return m_timedOut; }
    // The local address of the connection as an address literal ("[192.0.2.1]", "[IPv6:::1]"); empty
    // while unconnected.
    CString GetLocalAddressLiteral() const;

private:
    bool WaitFor(short events, DWORD timeoutMs);

    bool m_created = false;
    int m_descriptor = -1;
    bool m_timedOut = false;
    DWORD m_connectTimeoutMs = kDefaultTimeoutMs;
    DWORD m_sendTimeoutMs = kDefaultTimeoutMs;
    DWORD m_receiveTimeoutMs = kDefaultTimeoutMs;
};
