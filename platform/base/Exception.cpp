#include "platform/base/Exception.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)

void CException::Delete() {
    if (m_bAutoDelete) {
        delete this;
    }
}

BOOL CException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const {
    if (pnHelpContext) {
        *pnHelpContext = 0;
    }
    CopyErrorText("", lpszError, nMaxError);
    return FALSE;
}

BOOL CMemoryException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const {
    if (pnHelpContext) {
        *pnHelpContext = 0;
    }
    CopyErrorText("Nicht genügend Arbeitsspeicher.", lpszError, nMaxError);
    return TRUE;
}

void AfxThrowMemoryException() {
    static CMemoryException s_outOfMemory;
    throw &s_outOfMemory;
}

void CopyErrorText(const char* text, LPSTR lpszError, UINT nMaxError) {
    if (!lpszError || nMaxError == 0) {
        return;
    }
    size_t length = std::strlen(text);
    if (length >= nMaxError) {
        length = nMaxError - 1;
        // Step back over continuation bytes so that the cut falls before a whole character.
        while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) {
            --length;
        }
    }
    std::memcpy(lpszError, text, length);
    lpszError[length] = '\0';
}

BOOL CopyCauseMessage(const CauseText& text, int cause, const CString& fileName, LPSTR lpszError,
                      UINT nMaxError, UINT* pnHelpContext) {
    if (pnHelpContext) {
        *pnHelpContext = static_cast<UINT>(cause);
    }
    CString message;
    if (fileName.IsEmpty() && text.unnamed != nullptr) {
        message = text.unnamed;
    } else {
        message.Format(text.named, fileName);
    }
    CopyErrorText(message, lpszError, nMaxError);
    return TRUE;
}
