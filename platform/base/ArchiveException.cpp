#include "platform/base/ArchiveException.h"

IMPLEMENT_DYNAMIC(CArchiveException, CException)

namespace {

// Indexed by cause.
constexpr CauseText kCauseTexts[] = {
    {"Bei „%s“ ist kein Fehler aufgetreten.", "Es ist kein Fehler aufgetreten."},
    {"Beim Lesen oder Schreiben von „%s“ ist ein Fehler aufgetreten.",
     "Beim Lesen oder Schreiben der Daten ist ein Fehler aufgetreten."},
    {"„%s“ wurde zum Lesen geöffnet und kann nicht beschrieben werden.",
     "Die Daten wurden zum Lesen geöffnet und können nicht geschrieben werden."},
    {"Die Datei „%s“ endet unerwartet.", "Die Daten enden unerwartet."},
    {"„%s“ wurde zum Schreiben geöffnet und kann nicht gelesen werden.",
     "Die Daten wurden zum Schreiben geöffnet und können nicht gelesen werden."},
    {"Die Datei „%s“ ist beschädigt.", "Die Daten sind beschädigt."},
    {"Die Datei „%s“ enthält ein unerwartetes Objekt.", "Die Daten enthalten ein unerwartetes Objekt."},
    {"Die Datei „%s“ stammt aus einer anderen Programmversion.",
     "Die Daten stammen aus einer anderen Programmversion."},
};

} // namespace

BOOL CArchiveException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const {
    const CauseText& text = kCauseTexts[m_cause >= none && m_cause <= badSchema ? m_cause : generic];
    return CopyCauseMessage(text, m_cause, m_strFileName, lpszError, nMaxError, pnHelpContext);
}

void AfxThrowArchiveException(int cause, LPCSTR lpszArchiveName) {
    throw new CArchiveException(cause, lpszArchiveName);
}
