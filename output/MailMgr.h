#pragma once
// CMailMgr: the program's mail settings (SMTP server, sender address, e-mail help file) from the
// profile's "Settings" section, and the sending of one message through a fresh SMTP client.

#include "output/SMTP.h"
#include "platform/base/Object.h"
#include "platform/base/String.h"

class CMailMessage;

class CMailMgr : public CObject {
public:
    // Empty settings; becomes the process-wide manager.
    CMailMgr();
    ~CMailMgr() override;
    CMailMgr(const CMailMgr&) = delete;
    CMailMgr& operator=(const CMailMgr&) = delete;

    // The manager the send-mail page reaches; null when there is none.
    static CMailMgr* GetInstance();

    // Reads "SMTPServer", "MailSender" and "EmailHelpFile" (empty when absent).
    bool LoadSettings();
    // Writes "SMTPServer" and "MailSender"; the help file is never written. False when a write failed.
    bool SaveSettings();

    CString GetServer() const { return m_strServer; }
    CString GetSender() const { return m_strSender; }
    CString GetHelpFile() const { return m_strHelpFile; }
    void SetServer(const CString& server) { m_strServer = server; }
    void SetSender(const CString& sender) { m_strSender = sender; }
    // The number of pieces a message body is sent in, and so of progress steps per sending.
    int GetIntSetting() const { return m_nChunkCount; }

    // Sends message from the sender setting through the SMTP server setting. Reports each stage through
    // callback (when given) and shows the server's failure in a message box. False when it failed.
    bool SendMail(CMailMessage* message, MailProgressCallback callback, void* firstContext,
                  void* secondContext);
    // The SMTP port, 25 unless a test's loopback server listens elsewhere.
    void SetPort(UINT port) { m_nPort = port; }

private:
    int m_nChunkCount = 20;
    UINT m_nPort = 25;
    CString m_strServer;
    CString m_strSender;
    CString m_strHelpFile;
};
