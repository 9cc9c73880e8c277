#pragma once
// The content agents of MIME parts: each writes the parts of one kind into a message body. CTextPlain
// writes text, CAppOctetStream a file attachment, CAppOctetStreamImage an inline JPEG picture that an
// HTML text refers to by its Content-ID.

#include "platform/base/String.h"

class CFile;

class CMIMEContentAgent {
public:
    explicit CMIMEContentAgent(int kind) : m_nMIMETypeIHandle(kind) {}
    virtual ~CMIMEContentAgent() = default;

    BOOL HandlesKind(int kind) const { return kind == m_nMIMETypeIHandle ? TRUE : FALSE; }
    // Appends the part (its header, an empty line and its content) to body.
    virtual BOOL AppendPart(LPCTSTR content, LPCTSTR parameters, int encoding, BOOL isPath,
                            CString& body) = 0;
    virtual CString GetContentTypeString() = 0;

protected:
    virtual CString BuildPartHeader(LPCTSTR content, LPCTSTR parameters, int encoding, BOOL isPath) = 0;

    int m_nMIMETypeIHandle;
};

class CTextPlain : public CMIMEContentAgent {
public:
    CTextPlain(int kind, int lineLength) : CMIMEContentAgent(kind), m_nWrapPos(lineLength) {}

    BOOL AppendPart(LPCTSTR content, LPCTSTR parameters, int encoding, BOOL isPath, CString& body) override;
    // "text/plain"; "text/html" for the text of a multipart/related message.
    CString GetContentTypeString() override;
    // Breaks every line that reaches the line length plus two characters at its last blank before that.
    CString WrapText(const CString& text) const;

protected:
    CString BuildPartHeader(LPCTSTR content, LPCTSTR parameters, int encoding, BOOL isPath) override;

private:
    int m_nWrapPos;
};

class CAppOctetStream : public CMIMEContentAgent {
public:
    using CMIMEContentAgent::CMIMEContentAgent;

    // FALSE without a path or when the file cannot be read; nothing is appended then.
    BOOL AppendPart(LPCTSTR content, LPCTSTR parameters, int encoding, BOOL isPath, CString& body) override;
    CString GetContentTypeString() override;

protected:
    CString BuildPartHeader(LPCTSTR content, LPCTSTR parameters, int encoding, BOOL isPath) override;
    // Appends the file's bytes in Base64 lines of 52 characters and an empty line.
    virtual BOOL AttachFile(CFile& file, int encoding, CString& body);
};

class CAppOctetStreamImage : public CAppOctetStream {
public:
    using CAppOctetStream::CAppOctetStream;

    CString GetContentTypeString() override;

protected:
    // The parameters are the picture's Content-ID.
    CString BuildPartHeader(LPCTSTR content, LPCTSTR parameters, int encoding, BOOL isPath) override;
};
