#include "output/MailMessage.h"

#include "output/MailEncoding.h"

namespace {

std::time_t (*g_clock)() = nullptr;

std::time_t Now() {
    return g_clock ? g_clock() : std::time(nullptr);
}

} // namespace

CMailMessage::CMailMessage() : m_sMailerName("RVO Mail"), m_nCharsPerLine(76) {}

CMailMessage::~CMailMessage() = default;

void CMailMessage::SetClock(std::time_t (*clock)()) {
    g_clock = clock;
}

BOOL CMailMessage::AddRecipient(LPCTSTR address, LPCTSTR name) {
    m_Recipients.push_back({CString(address), CString(name)});
    return TRUE;
}

BOOL CMailMessage::AddMultipleRecipients(LPCTSTR list) {
    const CString text(list);
    int start = 0;
    while (start <= text.GetLength()) {
        int end = text.Find(';', start);
        if (end < 0)
            end = text.GetLength();
        CString entry = text.Mid(start, end - start);
        start = end + 1;
        entry.Trim();
        if (entry.IsEmpty())
            continue;
        const int open = entry.Find('<');
        if (open < 0) {
            AddRecipient(entry, "");
            continue;
        }
        const int close = entry.Find('>', open);
        if (close < 0)
            return FALSE;
        CString name = entry.Left(open);
        CString address = entry.Mid(open + 1, close - open - 1);
        AddRecipient(address.Trim(), name.Trim());
    }
    return TRUE;
}

BOOL CMailMessage::GetRecipient(CString& address, CString& name, int index) const {
    if (index < 0 || index >= GetNumRecipients())
        return FALSE;
    address = m_Recipients[static_cast<std::size_t>(index)].m_sEmailAddress;
    name = m_Recipients[static_cast<std::size_t>(index)].m_sFriendlyName;
    return TRUE;
}

void CMailMessage::ComposeMessage() {
    BeginHeader();
    PrepareHeader();
    FinishHeader();
    PrepareBody();
}

void CMailMessage::PrepareHeader() {
    AppendHeaderLine("From: " + mail::OneLine(m_sFrom));
    std::vector<CString> to;
    for (const CRecipient& recipient : m_Recipients)
        to.push_back(mail::FormatMailbox(recipient.m_sFriendlyName, mail::OneLine(recipient.m_sEmailAddress)));
    AppendHeaderLine(mail::AddressLine("To", to));
    m_tDateTime = CTime(Now());
    AppendHeaderLine("Date: " + mail::FormatDate(m_tDateTime.GetTime()));
    AppendHeaderLine(mail::HeaderLine("Subject", m_sSubject));
    AppendHeaderLine(mail::HeaderLine("X-Mailer", m_sMailerName));
}

void CMailMessage::PrepareBody() {
    if (m_sBody.Right(2) != "\r\n")
        m_sBody += "\r\n";
}

void CMailMessage::FinishHeader() {
    m_sHeader += "\r\n";
}

void CMailMessage::BeginHeader() {
    m_sHeader.Empty();
}

void CMailMessage::AppendHeaderLine(const CString& line) {
    m_sHeader += line + "\r\n";
}
