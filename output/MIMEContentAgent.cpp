#include "output/MIMEContentAgent.h"

#include "library/Base64.h"
#include "output/MIMEMessage.h"
#include "output/MailEncoding.h"
#include "platform/base/Exception.h"
#include "platform/base/File.h"
#include "platform/base/GlobalMemory.h"

#include <memory>

namespace {

// Base64 lines of 13 groups: 52 characters.
constexpr int kAttachmentLineArgument = 54;

// The file name and extension of a path, "Bild.jpg" of "/tmp/x/Bild.jpg".
CString FileNameOf(const CString& path) {
    return path.Mid(path.ReverseFind('/') + 1);
}

bool IsBlankOrTab(char ch) {
    return ch == ' ' || ch == '\t';
}

} // namespace

CString CTextPlain::GetContentTypeString() {
    return m_nMIMETypeIHandle == CMIMEMessage::MIME_TEXT_RELATED ? "text/html" : "text/plain";
}

CString CTextPlain::BuildPartHeader(LPCTSTR content, LPCTSTR parameters, int, BOOL) {
    const bool quoted = mail::NeedsQuotedPrintable(WrapText(content));
    return "Content-Type: " + GetContentTypeString() + "; charset=UTF-8" + CString(parameters) +
           "\r\nContent-Transfer-Encoding: " + (quoted ? "quoted-printable" : "7Bit") + "\r\n\r\n";
}

BOOL CTextPlain::AppendPart(LPCTSTR content, LPCTSTR parameters, int encoding, BOOL isPath, CString& body) {
    const CString text = WrapText(content);
    body += BuildPartHeader(content, parameters, encoding, isPath);
    body += mail::NeedsQuotedPrintable(text) ? mail::EncodeQuotedPrintable(text) : text;
    return TRUE;
}

CString CTextPlain::WrapText(const CString& source) const {
    std::string text = source.str();
    const std::size_t width = m_nWrapPos > 0 ? static_cast<std::size_t>(m_nWrapPos) : 0;
    std::size_t lineStart = 0;
    std::size_t lastBlank = std::string::npos;
    std::size_t count = 0;
    bool blankSeen = false;
    for (std::size_t i = 0; i < text.size();) {
        if (text.compare(i, 2, "\r\n") == 0) {
            i += 2;
            lineStart = i;
            lastBlank = std::string::npos;
            count = 0;
            continue;
        }
        if (text[i] == ' ') {
            lastBlank = i;
            blankSeen = true;
        }
        if (count <= width) {
            ++count;
            ++i;
            continue;
        }
        if (lastBlank != std::string::npos) {
            // Break at this line's last blank: the blank and the white space around it go.
            std::size_t leftEnd = lastBlank;
            while (leftEnd > lineStart && IsBlankOrTab(text[leftEnd - 1]))
                --leftEnd;
            std::size_t rightStart = lastBlank;
            while (rightStart < text.size() && IsBlankOrTab(text[rightStart]))
                ++rightStart;
            text = text.substr(0, leftEnd) + "\r\n" + text.substr(rightStart);
            i = lineStart = leftEnd + 2;
        } else if (!blankSeen && lineStart == 0) {
            // A first line with no blank to break at starts on a line of its own.
            text.insert(0, "\r\n");
            i += 2;
            lineStart = 2;
            ++i;
        } else {
            ++i;
        }
        lastBlank = std::string::npos;
        count = 0;
    }
    return CString(text);
}

CString CAppOctetStream::GetContentTypeString() {
    return "application/octet-stream";
}

CString CAppOctetStream::BuildPartHeader(LPCTSTR content, LPCTSTR, int, BOOL isPath) {
    const CString name = FileNameOf(content);
    CString header = "Content-Type: " + GetContentTypeString();
    if (isPath)
        header += "; " + mail::FileNameParameter("file", name);
    return header + "\r\nContent-Transfer-Encoding: base64\r\nContent-Disposition: attachment; " +
           mail::FileNameParameter("filename", name) + "\r\n\r\n";
}

BOOL CAppOctetStream::AppendPart(LPCTSTR content, LPCTSTR parameters, int encoding, BOOL, CString& body) {
    if (!content || !*content)
        return FALSE;
    CFile file;
    if (!file.Open(content, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary))
        return FALSE;
    body += BuildPartHeader(content, parameters, encoding, TRUE);
    AttachFile(file, encoding, body);
    file.Close();
    return TRUE;
}

BOOL CAppOctetStream::AttachFile(CFile& file, int, CString& body) {
    const ULONGLONG length = file.GetLength();
    if (length > static_cast<ULONGLONG>(INT32_MAX / 2))
        return FALSE;
    const auto size = static_cast<int>(length);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(size > 0 ? size : 1));
    if (!block)
        return FALSE;
    auto* bytes = static_cast<BYTE*>(GlobalLock(block));
    UINT read = 0;
    try {
        read = bytes ? file.Read(bytes, static_cast<UINT>(size)) : 0;
    } catch (CException* error) {
        // A file that cannot be read is sent as far as it was read.
        error->Delete();
    }
    GlobalUnlock(block);
    DWORD textLength = 0;
    HGLOBAL text = Base64EncodeBuffer(block, static_cast<int>(read), textLength, kAttachmentLineArgument);
    GlobalFree(block);
    if (!text)
        return FALSE;
    body += CString(static_cast<const char*>(GlobalLock(text)), static_cast<int>(textLength));
    GlobalUnlock(text);
    GlobalFree(text);
    body += "\r\n";
    return TRUE;
}

CString CAppOctetStreamImage::GetContentTypeString() {
    return "image/jpeg";
}

CString CAppOctetStreamImage::BuildPartHeader(LPCTSTR content, LPCTSTR parameters, int, BOOL isPath) {
    const CString name = FileNameOf(content);
    CString header = "Content-Type: " + GetContentTypeString();
    if (isPath)
        header += "; " + mail::FileNameParameter("name", name);
    return header + "\r\nContent-Transfer-Encoding: base64\r\nContent-Disposition: attachment; " +
           mail::FileNameParameter("filename", name) + "\r\nContent-ID: <" + mail::OneLine(parameters) +
           ">\r\n\r\n";
}
