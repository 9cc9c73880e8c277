#include "library/zip/ZipException.h"

#include <zlib.h>

IMPLEMENT_DYNAMIC(CZipException, CException)

namespace {

struct CauseEntry {
    int error;
    int cause;
    const char* text; // with the archive's path for %s
};

constexpr CauseEntry kCauses[] = {
    {Z_STREAM_END, CZipException::CauseStreamEnd, "Die komprimierten Daten in „%s“ enden zu früh."},
    {Z_NEED_DICT, CZipException::CauseNeedDictionary,
     "Die komprimierten Daten in „%s“ brauchen ein Wörterbuch."},
    {Z_ERRNO, CZipException::CauseErrno, "Beim Zugriff auf „%s“ ist ein Systemfehler aufgetreten."},
    {Z_STREAM_ERROR, CZipException::CauseStreamError,
     "Der Datenstrom von „%s“ ist in einem ungültigen Zustand."},
    {Z_DATA_ERROR, CZipException::CauseDataError, "Die komprimierten Daten in „%s“ sind beschädigt."},
    {Z_MEM_ERROR, CZipException::CauseMemoryError, "Für „%s“ reicht der Arbeitsspeicher nicht aus."},
    {Z_BUF_ERROR, CZipException::CauseBufferError,
     "Beim Entpacken von „%s“ ist ein Pufferfehler aufgetreten."},
    {Z_VERSION_ERROR, CZipException::CauseVersionError, "Die zlib-Version passt nicht zu „%s“."},
    {CZipException::kErrorCorruptArchive, CZipException::CauseCorruptArchive,
     "Das Zip-Archiv „%s“ ist beschädigt."},
    {CZipException::kErrorChecksumMismatch, CZipException::CauseChecksumMismatch,
     "Eine Datei im Zip-Archiv „%s“ hat eine falsche Prüfsumme."},
    {CZipException::kErrorNoVolumeCallback, CZipException::CauseNoVolumeCallback,
     "Das Zip-Archiv „%s“ ist auf mehrere Teile verteilt; solche Archive werden nicht gelesen."},
    {CZipException::kErrorAbortedByCallback, CZipException::CauseAbortedByCallback,
     "Das Lesen von „%s“ wurde abgebrochen."},
    {CZipException::kErrorNotRemovable, CZipException::CauseNotRemovable,
     "„%s“ liegt nicht auf einem Wechseldatenträger."},
    {CZipException::kErrorTooManyVolumes, CZipException::CauseTooManyVolumes,
     "Das Zip-Archiv „%s“ hätte zu viele Teile."},
    {CZipException::kErrorNameTooLong, CZipException::CauseNameTooLong,
     "Ein Dateiname im Zip-Archiv „%s“ ist zu lang."},
};

constexpr const char* kGenericText = "Beim Bearbeiten des Zip-Archivs „%s“ ist ein Fehler aufgetreten.";

} // namespace

int CZipException::ErrorToCause(int error) {
    for (const CauseEntry& entry : kCauses) {
        if (entry.error == error)
            return entry.cause;
    }
    return CauseGeneric;
}

BOOL CZipException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const {
    const char* format = kGenericText;
    for (const CauseEntry& entry : kCauses) {
        if (entry.cause == m_iCause)
            format = entry.text;
    }
    // Every text names the archive, even an empty name.
    return CopyCauseMessage({format, nullptr}, m_iCause, m_strFileName, lpszError, nMaxError, pnHelpContext);
}

void AfxThrowZipException(int error, LPCSTR fileName) {
    throw new CZipException(CZipException::ErrorToCause(error), fileName);
}

void CheckZlibResult(int result, LPCSTR fileName) {
    if (result != Z_OK && result != Z_NEED_DICT)
        AfxThrowZipException(result, fileName);
}
