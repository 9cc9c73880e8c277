#include "output/SMTP.h"

#include "output/MailMessage.h"
#include "platform/base/AppServices.h"

#include <cctype>

namespace {

enum Step { kStepOk = 0, kStepGreeting = 1, kStepData = 2, kStepQuit = 3 };

struct ExpectedReply {
    int code;
    const char* text;
};

constexpr ExpectedReply kExpected[] = {
    {250, "SMTP server error"},
    {220, "SMTP server not available"},
    {354, "SMTP server not ready for data"},
    {221, "SMTP server didn't terminate session"},
};

// A reply longer than this is no SMTP server's (RFC 5321 allows 512 bytes a line).
constexpr int kMaxReplyBytes = 64 * 1024;

constexpr UINT kStringTransmitting = 420;
constexpr UINT kStringBadAddress = 7100;
constexpr UINT kStringRefused = 7102;

// Whether text is a host name HELO may carry: dot-separated labels of letters, digits and hyphens.
bool IsDomain(const CString& text) {
    if (text.IsEmpty() || text.GetLength() > 253)
        return false;
    int labelLength = 0;
    for (int i = 0; i < text.GetLength(); ++i) {
        const auto ch = static_cast<unsigned char>(text[i]);
        if (ch == '.') {
            if (labelLength == 0)
                return false;
            labelLength = 0;
        } else if (std::isalnum(ch) || (ch == '-' && labelLength > 0)) {
            ++labelLength;
        } else {
            return false;
        }
    }
    return labelLength > 0 && text[text.GetLength() - 1] != '-';
}

// An address that would break out of its command or header: a control character, '<' or '>'.
bool IsUnsafeAddress(const CString& address) {
    for (int i = 0; i < address.GetLength(); ++i) {
        const auto ch = static_cast<unsigned char>(address[i]);
        if (ch < 0x20 || ch == 0x7F || ch == '<' || ch == '>')
            return true;
    }
    return false;
}

CString Printable(const CString& text) {
    CString shown;
    for (int i = 0; i < text.GetLength(); ++i) {
        const auto ch = static_cast<unsigned char>(text[i]);
        shown += ch < 0x20 || ch == 0x7F ? '?' : static_cast<char>(ch);
    }
    return shown;
}

} // namespace

CSMTP::CSMTP(LPCTSTR server, UINT port) : m_nPort(port), m_sSMTPServerHostName(server) {
    AfxSocketInit();
}

CSMTP::~CSMTP() {
    Disconnect();
}

void CSMTP::SetServer(LPCTSTR server, UINT port) {
    if (!server)
        return;
    m_sSMTPServerHostName = server;
    m_nPort = port;
}

bool CSMTP::SendText(const CString& text) {
    if (m_wsSMTPServer.Send(text.GetString(), text.GetLength()) == text.GetLength())
        return true;
    m_sError = "Socket Error";
    return false;
}

BOOL CSMTP::ReadReply(int step, DWORD timeoutMs) {
    m_wsSMTPServer.SetReceiveTimeout(timeoutMs);
    std::string reply;
    char buffer[1024];
    // A reply ends with its last line: one whose code is not followed by '-'.
    auto lastLineStart = [&]() -> std::size_t {
        if (reply.size() < 2 || reply.compare(reply.size() - 2, 2, "\r\n") != 0)
            return std::string::npos;
        const std::size_t previous = reply.rfind("\r\n", reply.size() - 3);
        const std::size_t start = previous == std::string::npos ? 0 : previous + 2;
        return reply.size() - start < 6 || reply[start + 3] != '-' ? start : std::string::npos;
    };
    std::size_t start;
    while ((start = lastLineStart()) == std::string::npos) {
        const int read = m_wsSMTPServer.Receive(buffer, sizeof buffer);
        if (read <= 0 || reply.size() + static_cast<std::size_t>(read) > kMaxReplyBytes) {
            m_sError =
                read < 0 && m_wsSMTPServer.TimedOut() ? "Mail server is not responding" : "Socket Error";
            return FALSE;
        }
        reply.append(buffer, static_cast<std::size_t>(read));
    }
    int code = -1;
    if (std::isdigit(static_cast<unsigned char>(reply[start])) &&
        std::isdigit(static_cast<unsigned char>(reply[start + 1])) &&
        std::isdigit(static_cast<unsigned char>(reply[start + 2])))
        code = std::stoi(reply.substr(start, 3));
    if (code == kExpected[step].code)
        return TRUE;
    m_sError.Format("%d:%s", code, kExpected[step].text);
    return FALSE;
}

CString CSMTP::HeloName() const {
    const CString name = GetLocalHostName();
    return IsDomain(name) ? name : m_wsSMTPServer.GetLocalAddressLiteral();
}

BOOL CSMTP::Connect() {
    if (m_bConnected)
        return TRUE;
    if (!m_wsSMTPServer.Create()) {
        m_sError = "Unable to create the socket.";
        return FALSE;
    }
    m_wsSMTPServer.SetConnectTimeout(m_timeouts.connect);
    m_wsSMTPServer.SetSendTimeout(m_timeouts.command);
    if (!m_wsSMTPServer.Connect(m_sSMTPServerHostName, m_nPort)) {
        m_sError = "Cannot connect to mail server";
        m_wsSMTPServer.Close();
        return FALSE;
    }
    if (!ReadReply(kStepGreeting, m_timeouts.greeting)) {
        m_sError = "Mail server is not responding";
        m_wsSMTPServer.Close();
        return FALSE;
    }
    if (!SendText("HELO " + HeloName() + "\r\n") || !ReadReply(kStepOk, m_timeouts.command)) {
        m_wsSMTPServer.Close();
        return FALSE;
    }
    m_bConnected = TRUE;
    return TRUE;
}

BOOL CSMTP::SendMessage(CMailMessage* message, int chunks, MailProgressCallback callback, void* firstContext,
                        void* secondContext) {
    if (!m_bConnected) {
        m_sError = "Must be connected";
        return FALSE;
    }
    if (!CheckMessage(message))
        return FALSE;
    return TransmitMessage(message, chunks, callback, firstContext, secondContext);
}

BOOL CSMTP::CheckMessage(CMailMessage* message) {
    if (!message || message->GetNumRecipients() == 0) {
        m_sError = "No Recipients";
        return FALSE;
    }
    // Addresses go into commands: one holding a line break would smuggle in commands of its own.
    CString address, name;
    for (int i = -1; i < message->GetNumRecipients(); ++i) {
        if (i < 0)
            address = message->m_sFrom;
        else
            message->GetRecipient(address, name, i);
        if (IsUnsafeAddress(address)) {
            m_sError.Format(AppServices().LoadString(kStringBadAddress), Printable(address).GetString());
            return FALSE;
        }
    }
    message->ComposeMessage();
    return TRUE;
}

BOOL CSMTP::TransmitMessage(CMailMessage* message, int chunks, MailProgressCallback callback,
                            void* firstContext, void* secondContext) {
    if (!m_bConnected) {
        m_sError = "Must be connected";
        return FALSE;
    }
    m_sRefused.Empty();
    m_wsSMTPServer.SetSendTimeout(m_timeouts.command);
    if (!SendText("MAIL FROM:<" + message->m_sFrom + ">\r\n") || !ReadReply(kStepOk, m_timeouts.command))
        return FALSE;
    int accepted = 0;
    CString address, name;
    for (int i = 0; i < message->GetNumRecipients(); ++i) {
        message->GetRecipient(address, name, i);
        if (!SendText("RCPT TO:<" + address + ">\r\n"))
            return FALSE;
        if (ReadReply(kStepOk, m_timeouts.command)) {
            ++accepted;
            continue;
        }
        if (!m_sRefused.IsEmpty())
            m_sRefused += ", ";
        m_sRefused += address;
    }
    if (accepted == 0) {
        m_sError.Format(AppServices().LoadString(kStringRefused), m_sRefused.GetString());
        return FALSE;
    }
    if (callback)
        callback(firstContext, secondContext, AppServices().LoadString(kStringTransmitting));
    if (!SendText("DATA\r\n") || !ReadReply(kStepData, m_timeouts.dataCommand))
        return FALSE;
    m_wsSMTPServer.SetSendTimeout(m_timeouts.dataBlock);
    if (!SendText(message->m_sHeader))
        return FALSE;
    const CString body = EscapeBody(*message);
    const int pieces = chunks > 0 ? chunks : 1;
    const int chunkSize = body.GetLength() / pieces;
    for (int k = 0; k < pieces; ++k) {
        const int start = k * chunkSize;
        const int length = k + 1 < pieces ? chunkSize : body.GetLength() - start;
        if (!SendText(body.Mid(start, length)))
            return FALSE;
        if (callback)
            callback(firstContext, secondContext, CString());
    }
    if (!SendText("\r\n.\r\n"))
        return FALSE;
    return ReadReply(kStepOk, m_timeouts.dataEnd);
}

CString CSMTP::EscapeBody(const CMailMessage& message) const {
    const std::string& body = message.m_sBody.str();
    std::string escaped;
    escaped.reserve(body.size() + body.size() / 64);
    bool lineStart = true;
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (lineStart && body[i] == '.')
            escaped += '.';
        escaped += body[i];
        lineStart = body[i] == '\n';
    }
    return CString(escaped);
}

BOOL CSMTP::Disconnect() {
    if (!m_bConnected)
        return TRUE;
    m_wsSMTPServer.SetSendTimeout(m_timeouts.command);
    const BOOL said = SendText("QUIT\r\n") && ReadReply(kStepQuit, m_timeouts.command);
    m_wsSMTPServer.Close();
    m_bConnected = FALSE;
    return said;
}
