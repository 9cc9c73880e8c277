#include "platform/base/FileException.h"

#include <cerrno>

IMPLEMENT_DYNAMIC(CFileException, CException)

namespace {

// Indexed by cause.
constexpr CauseText kCauseTexts[] = {
    {"Bei der Datei „%s“ ist kein Fehler aufgetreten.", "Es ist kein Fehler aufgetreten."},
    {"Beim Zugriff auf die Datei „%s“ ist ein Fehler aufgetreten.",
     "Beim Zugriff auf eine Datei ist ein Fehler aufgetreten."},
    {"Die Datei „%s“ wurde nicht gefunden.", "Die Datei wurde nicht gefunden."},
    {"Der Pfad „%s“ ist ungültig.", "Der Pfad ist ungültig."},
    {"Die Datei „%s“ kann nicht geöffnet werden: Es sind zu viele Dateien geöffnet.",
     "Es sind zu viele Dateien geöffnet."},
    {"Der Zugriff auf die Datei „%s“ wurde verweigert.", "Der Zugriff auf die Datei wurde verweigert."},
    {"Die Datei „%s“ ist ungültig.", "Die Datei ist ungültig."},
    {"„%s“ kann nicht entfernt werden, weil es das aktuelle Verzeichnis ist.",
     "Das aktuelle Verzeichnis kann nicht entfernt werden."},
    {"Die Datei „%s“ kann nicht angelegt werden: Das Verzeichnis ist voll.", "Das Verzeichnis ist voll."},
    {"In der Datei „%s“ kann diese Stelle nicht angesteuert werden.",
     "Diese Stelle der Datei kann nicht angesteuert werden."},
    {"Beim Lesen oder Schreiben der Datei „%s“ ist ein Hardwarefehler aufgetreten.",
     "Beim Lesen oder Schreiben einer Datei ist ein Hardwarefehler aufgetreten."},
    {"Die Datei „%s“ wird von einem anderen Programm verwendet.",
     "Die Datei wird von einem anderen Programm verwendet."},
    {"Ein Bereich der Datei „%s“ ist gesperrt.", "Ein Bereich der Datei ist gesperrt."},
    {"Die Datei „%s“ kann nicht geschrieben werden: Der Datenträger ist voll.", "Der Datenträger ist voll."},
    {"Beim Lesen der Datei „%s“ wurde ihr Ende unerwartet erreicht.",
     "Das Ende der Datei wurde unerwartet erreicht."},
};

} // namespace

BOOL CFileException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const {
    const CauseText& text = kCauseTexts[m_cause >= none && m_cause <= endOfFile ? m_cause : generic];
    return CopyCauseMessage(text, m_cause, m_strFileName, lpszError, nMaxError, pnHelpContext);
}

int CFileException::OsErrorToException(LONG lOsError) {
    switch (lOsError) {
    case 0:
        return none;
    case ENOENT:
    case ENXIO:
        return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EXDEV:
        return badPath;
    case EMFILE:
    case ENFILE:
        return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EEXIST:
        return accessDenied;
    case EBADF:
        return invalidFile;
    case ENOTEMPTY:
    case EBUSY:
        return removeCurrentDir;
    case EMLINK:
        return directoryFull;
    case ESPIPE:
    case EINVAL:
    case EOVERFLOW:
        return badSeek;
    case EIO:
        return hardIO;
    case ETXTBSY:
        return sharingViolation;
    case EAGAIN:
    case EDEADLK:
    case ENOLCK:
        return lockViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return diskFull;
    default:
        return generic;
    }
}

void CFileException::ThrowOsError(LONG lOsError, LPCSTR lpszFileName) {
    if (lOsError != 0) {
        AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
    }
}

void AfxThrowFileException(int cause, LONG lOsError, LPCSTR lpszFileName) {
    throw new CFileException(cause, lOsError, lpszFileName);
}
