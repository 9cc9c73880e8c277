#include "output/MailMgr.h"

#include "platform/base/Profile.h"

namespace {

constexpr char kSection[] = "Settings";

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
