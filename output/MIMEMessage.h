#pragma once
// CMIMEMessage: a mail message whose body is a MIME multipart body built from a list of parts, each
// written by the content agent of its kind.

#include "output/MailMessage.h"
#include "platform/base/CriticalSection.h"

#include <list>
#include <memory>
#include <vector>

class CMIMEContentAgent;

class CMIMEMessage : public CMailMessage {
public:
    enum eMIMETypeCode { MIME_TEXT = 0, MIME_TEXT_RELATED = 1, MIME_OCTET_STREAM = 2, MIME_IMAGE_JPEG = 3 };

    struct CMIMEPart {
        int m_nEncoding;
        int m_nContentType;
        CString m_sParameters;
        BOOL m_bPath;
        CString m_sContent;
    };

    // The registry of content agents, one for the process; it owns the agents.
    class CMIMETypeManager {
    public:
        CMIMETypeManager() = default;
        ~CMIMETypeManager();
        CMIMETypeManager(const CMIMETypeManager&) = delete;
        CMIMETypeManager& operator=(const CMIMETypeManager&) = delete;

        // Takes the agent over; null is ignored.
        void RegisterAgent(CMIMEContentAgent* agent);
        // The first registered agent of the kind; null when none handles it.
        CMIMEContentAgent* FindAgent(int kind);

    private:
        CCriticalSection m_lock;
        std::vector<std::unique_ptr<CMIMEContentAgent>> m_agents;
    };

    // The four standard agents are registered with the first message.
    CMIMEMessage();
    ~CMIMEMessage() override;

    // Text parts (kinds 0 and 1) go to the head of the list, others to its tail; the content is trimmed.
    // Always TRUE.
    BOOL AddPart(LPCTSTR content, int kind, LPCTSTR parameters = "", int encoding = 0, BOOL isPath = TRUE);
    void SetContentType(LPCTSTR contentType) { m_sMIMEContentType = contentType; }
    // Takes the agent over.
    void RegisterAgent(CMIMEContentAgent* agent);

protected:
    void PrepareHeader() override;
    void PrepareBody() override;
    virtual void AppendParts();

private:
    void InsertBoundary(CString& body) const;
    void InsertLastBoundary(CString& body) const;
    static CMIMETypeManager& TypeManager();

    CString m_sNoMIMEText;
    CString m_sPartBoundary;
    CString m_sMIMEContentType;
    std::list<CMIMEPart> m_MIMEPartList;
};
