#pragma once
// CException: the framework's exception base. Exceptions are thrown as heap pointers
// (`throw new CFileException(...)`) and caught as `catch (CException* e)`; the handler ends with
// e->Delete(), which frees heap exceptions and leaves static ones alone.

#include "platform/base/Object.h"
#include "platform/base/String.h"

class CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    explicit CException(BOOL bAutoDelete = TRUE) : m_bAutoDelete(bAutoDelete) {}

    void Delete();
    // Copies the message, cut at a character boundary to fit nMaxError bytes with its terminator.
    // FALSE (and an empty text) when the exception has no message.
    virtual BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const;

    BOOL m_bAutoDelete;
};

// Out of memory. Thrown as one static object, because allocating the exception could fail too.
class CMemoryException : public CException {
    DECLARE_DYNAMIC(CMemoryException)
public:
    CMemoryException() : CException(FALSE) {}
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;
};

[[noreturn]] void AfxThrowMemoryException();

// Copies text into a caller's buffer of nMaxError bytes, never splitting a UTF-8 sequence.
void CopyErrorText(const char* text, LPSTR lpszError, UINT nMaxError);
// The texts of one cause of an exception that names a file: named with the name for %s; unnamed for an
// exception that carries no name, or null where named reads with an empty name too.
struct CauseText {
    const char* named;
    const char* unnamed;
};

// The message of an exception with a cause and a file name, copied as by CopyErrorText; the cause becomes
// the help context. TRUE.
BOOL CopyCauseMessage(const CauseText& text, int cause, const CString& fileName, LPSTR lpszError,
                      UINT nMaxError, UINT* pnHelpContext);
