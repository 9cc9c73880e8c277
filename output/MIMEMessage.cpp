#include "output/MIMEMessage.h"

#include "output/MIMEContentAgent.h"
#include "platform/base/SingleLock.h"

#include <mutex>

namespace {

constexpr char kRelated[] = "multipart/related";

} // namespace

CMIMEMessage::CMIMETypeManager::~CMIMETypeManager() = default;

void CMIMEMessage::CMIMETypeManager::RegisterAgent(CMIMEContentAgent* agent) {
    if (!agent)
        return;
    CSingleLock hold(&m_lock, TRUE);
    m_agents.emplace_back(agent);
}

CMIMEContentAgent* CMIMEMessage::CMIMETypeManager::FindAgent(int kind) {
    CSingleLock hold(&m_lock, TRUE);
    for (const auto& agent : m_agents)
        if (agent->HandlesKind(kind))
            return agent.get();
    return nullptr;
}

CMIMEMessage::CMIMETypeManager& CMIMEMessage::TypeManager() {
    static CMIMETypeManager manager;
    return manager;
}

CMIMEMessage::CMIMEMessage()
    : m_sNoMIMEText("This is a multi-part message in MIME format."),
      m_sPartBoundary("RVO_MAIL_PaRt_BoUnDaRy_05151998"), m_sMIMEContentType("multipart/mixed") {
    // Registered once for the process: a set per message would only pile up unused agents.
    static std::once_flag registered;
    std::call_once(registered, [this] {
        RegisterAgent(new CTextPlain(MIME_TEXT, GetCharsPerLine()));
        RegisterAgent(new CAppOctetStream(MIME_OCTET_STREAM));
        RegisterAgent(new CAppOctetStreamImage(MIME_IMAGE_JPEG));
        RegisterAgent(new CTextPlain(MIME_TEXT_RELATED, 76));
    });
}

CMIMEMessage::~CMIMEMessage() = default;

BOOL CMIMEMessage::AddPart(LPCTSTR content, int kind, LPCTSTR parameters, int encoding, BOOL isPath) {
    CString trimmed(content);
    trimmed.Trim();
    CMIMEPart part{encoding, kind, CString(parameters), isPath, trimmed};
    if (kind == MIME_TEXT || kind == MIME_TEXT_RELATED)
        m_MIMEPartList.push_front(std::move(part));
    else
        m_MIMEPartList.push_back(std::move(part));
    return TRUE;
}

void CMIMEMessage::RegisterAgent(CMIMEContentAgent* agent) {
    TypeManager().RegisterAgent(agent);
}

void CMIMEMessage::PrepareHeader() {
    CMailMessage::PrepareHeader();
    AppendHeaderLine("MIME-Version: 1.0");
    // A related message names the type of its root part (RFC 2387).
    const CString type =
        m_sMIMEContentType == kRelated ? CString(kRelated) + "; type=\"text/html\"" : m_sMIMEContentType;
    AppendHeaderLine("Content-Type: " + type + "; boundary=" + m_sPartBoundary);
}

void CMIMEMessage::PrepareBody() {
    if (!m_sBody.IsEmpty())
        AddPart(m_sBody, m_sMIMEContentType == kRelated ? MIME_TEXT_RELATED : MIME_TEXT, "", 0, FALSE);
    m_sBody = m_sNoMIMEText + "\r\n\r\n";
    AppendParts();
    InsertLastBoundary(m_sBody);
    CMailMessage::PrepareBody();
}

void CMIMEMessage::AppendParts() {
    for (const CMIMEPart& part : m_MIMEPartList) {
        CMIMEContentAgent* agent = TypeManager().FindAgent(part.m_nContentType);
        if (!agent)
            continue;
        InsertBoundary(m_sBody);
        agent->AppendPart(part.m_sContent, part.m_sParameters, part.m_nEncoding, part.m_bPath, m_sBody);
    }
}

void CMIMEMessage::InsertBoundary(CString& body) const {
    if (body.Right(2) != "\r\n")
        body += "\r\n";
    body += "--" + m_sPartBoundary + "\r\n";
}

void CMIMEMessage::InsertLastBoundary(CString& body) const {
    if (body.Right(2) != "\r\n")
        body += "\r\n";
    body += "--" + m_sPartBoundary + "--\r\n";
}
