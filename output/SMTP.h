#pragma once
// CSMTP: delivers one composed mail message to one SMTP server over a blocking connection (RFC 5321):
// greeting, HELO, MAIL, RCPT, DATA, QUIT, each reply checked against the code its step expects. Every
// wait has the time-out RFC 5321 §4.5.3.2 gives it; the last failure is kept as a text for the user.

#include "platform/base/String.h"
#include "platform/net/Socket.h"

class CMailMessage;

// Called with an empty text for one progress step, else with a stage text to show.
using MailProgressCallback = void (*)(void* firstContext, void* secondContext, const CString& text);

// How long each wait may take, in milliseconds.
struct SmtpTimeouts {
    DWORD connect = 30'000;
    DWORD greeting = 5 * 60'000;
    DWORD command = 5 * 60'000; // HELO, MAIL, RCPT, QUIT
    DWORD dataCommand = 2 * 60'000;
    DWORD dataBlock = 3 * 60'000;
    DWORD dataEnd = 10 * 60'000;
};

class CSMTP {
public:
    CSMTP(LPCTSTR server, UINT port = 25);
    // Says QUIT when still connected.
    virtual ~CSMTP();
    CSMTP(const CSMTP&) = delete;
    CSMTP& operator=(const CSMTP&) = delete;

    // A null server changes nothing.
    void SetServer(LPCTSTR server, UINT port = 25);
    CString GetServer() const { return m_sSMTPServerHostName; }
    UINT GetPort() const { return m_nPort; }
    void SetTimeouts(const SmtpTimeouts& timeouts) { m_timeouts = timeouts; }

    BOOL Connect();
    BOOL SendMessage(CMailMessage* message, int chunks, MailProgressCallback callback, void* firstContext,
                     void* secondContext);
    BOOL Disconnect();
    CString GetLastError() const { return m_sError; }
    // The recipients the server refused during the last sending, joined by ", ".
    CString GetRefusedRecipients() const { return m_sRefused; }

protected:
    virtual BOOL CheckMessage(CMailMessage* message);
    virtual BOOL TransmitMessage(CMailMessage* message, int chunks, MailProgressCallback callback,
                                 void* firstContext, void* secondContext);
    // Reads one whole reply (its last line is "ddd " or "ddd") and compares its code with the step's.
    BOOL ReadReply(int step, DWORD timeoutMs);
    // The body with a second "." before every line that begins with one (RFC 5321 §4.5.2).
    CString EscapeBody(const CMailMessage& message) const;

private:
    bool SendText(const CString& text);
    CString HeloName() const;

    CString m_sError = "OK";
    BOOL m_bConnected = FALSE;
    UINT m_nPort;
    CString m_sSMTPServerHostName;
    CSocket m_wsSMTPServer;
    SmtpTimeouts m_timeouts;
    CString m_sRefused;
};
