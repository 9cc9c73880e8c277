#pragma once
// CMailMessage: one outgoing mail (sender, recipients, subject, body) and the header and body texts in
// the form the SMTP client sends them. The composition steps are virtual, so the MIME message adds its
// header lines and builds its multipart body on the same frame.

#include "platform/base/String.h"
#include "platform/base/Time.h"

#include <ctime>
#include <vector>

class CMailMessage {
public:
    struct CRecipient {
        CString m_sEmailAddress;
        CString m_sFriendlyName;
    };

    CMailMessage();
    virtual ~CMailMessage();

    // Always TRUE.
    BOOL AddRecipient(LPCTSTR address, LPCTSTR name = "");
    // Adds the entries of a list "Name <address>; address; ...". Entries are trimmed and empty ones
    // skipped. FALSE at an entry with "<" but no ">" after it; the entries before it stay.
    BOOL AddMultipleRecipients(LPCTSTR list);
    int GetNumRecipients() const { return static_cast<int>(m_Recipients.size()); }
    // FALSE for an index outside the list.
    BOOL GetRecipient(CString& address, CString& name, int index) const;
    void SetCharsPerLine(int length) { m_nCharsPerLine = length; }
    int GetCharsPerLine() const { return m_nCharsPerLine; }

    // Builds the header and then the body: BeginHeader, PrepareHeader, FinishHeader, PrepareBody.
    void ComposeMessage();

    // The clock that dates messages; tests fix it. Null restores the system clock.
    static void SetClock(std::time_t (*clock)());

    CString m_sFrom;
    CString m_sSubject;
    CString m_sMailerName;
    CString m_sHeader;
    CTime m_tDateTime;
    CString m_sBody;

protected:
    virtual void PrepareHeader();
    virtual void PrepareBody();
    virtual void FinishHeader();
    virtual void BeginHeader();
    virtual void AppendHeaderLine(const CString& line);

    int m_nCharsPerLine;
    std::vector<CRecipient> m_Recipients;
};
