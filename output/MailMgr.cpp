#include "output/MailMgr.h"

#include "output/MailMessage.h"
#include "platform/base/AppServices.h"
#include "platform/base/Profile.h"

namespace {

constexpr char kSection[] = "Settings";

// The stage texts of a sending, in the order they are reported.
constexpr UINT kStringSent = 408;
constexpr UINT kStringConnecting = 416;
constexpr UINT kStringConnected = 417;
constexpr UINT kStringClosing = 418;
constexpr UINT kStringDone = 419;
constexpr UINT kStringRefused = 7102;

CMailMgr* g_instance = nullptr;

} // namespace

CMailMgr::CMailMgr() {
    g_instance = this;
}

CMailMgr::~CMailMgr() {
    if (g_instance == this)
        g_instance = nullptr;
}

CMailMgr* CMailMgr::GetInstance() {
    return g_instance;
}

bool CMailMgr::LoadSettings() {
    m_strServer = GetProfileString(kSection, "SMTPServer", "");
    m_strSender = GetProfileString(kSection, "MailSender", "");
    m_strHelpFile = GetProfileString(kSection, "EmailHelpFile", "");
    return true;
}

bool CMailMgr::SaveSettings() {
    const BOOL server = WriteProfileString(kSection, "SMTPServer", m_strServer);
    const BOOL sender = WriteProfileString(kSection, "MailSender", m_strSender);
    return server && sender;
}

bool CMailMgr::SendMail(CMailMessage* message, MailProgressCallback callback, void* firstContext,
                        void* secondContext) {
    auto report = [&](UINT stringId) {
        if (callback)
            callback(firstContext, secondContext, AppServices().LoadString(stringId));
    };
    message->m_sFrom = m_strSender;
    CSMTP client(m_strServer, m_nPort);
    report(kStringConnecting);
    if (!client.Connect()) {
        AppServices().MessageBoxText(client.GetLastError());
        return false;
    }
    report(kStringConnected);
    if (!client.SendMessage(message, m_nChunkCount, callback, firstContext, secondContext)) {
        AppServices().MessageBoxText(client.GetLastError());
        client.Disconnect();
        return false;
    }
    if (!client.GetRefusedRecipients().IsEmpty()) {
        CString refused;
        refused.Format(AppServices().LoadString(kStringRefused), client.GetRefusedRecipients().GetString());
        AppServices().MessageBoxText(refused);
    }
    report(kStringSent);
    client.Disconnect();
    report(kStringClosing);
    report(kStringDone);
    return true;
}
