// The picture object's archive forms: its page record with the version's parts, and its image data
// for the page clipboard.
#include "image/PictureInfo.h"
#include "library/Mat.h"
#include "library/Stencil.h"
#include "page/DrawImage.h"
#include "page/TempFileData.h"
#include "platform/base/AppServices.h"
#include "platform/base/Archive.h"
#include "platform/base/File.h"

#include <memory>
#include <optional>

namespace {

constexpr DWORD kPartPresent = 1;
constexpr DWORD kPartAbsent = 0;

// Versions before "2" knew only the rectangle.
bool TagHasParts(const CString& versionTag) {
    return !versionTag.IsEmpty() && versionTag[0] >= '2';
}

// An attachment read from the archive and then loaded from its album.
template <class Entry>
Entry* LoadAttachment(CArchive& ar) {
    auto entry = std::make_unique<Entry>();
    entry->Serialize(ar);
    entry->LoadData();
    return entry.release();
}

// A picture as its temporary file holds it: the length, then the BMP file form.
void StoreBmpFileForm(CArchive& ar, const CPictureInfo& picture) {
    const BITMAPFILEHEADER header = picture.MakeFileHeader();
    ar << static_cast<DWORD>(sizeof header + picture.GetLength());
    ar.Write(&header, sizeof header);
    ar.Write(picture.GetHeader(), picture.GetLength());
}

// The archive's file takes size more bytes in one step instead of growing with every piece.
void MakeRoom(CArchive& ar, DWORD size) {
    ar.Flush();
    CFile* file = ar.GetFile();
    const ULONGLONG end = file->GetPosition() + size;
    if (end > file->GetLength())
        file->SetLength(end);
}

} // namespace

void CDrawImage::Serialize(CArchive& ar) {
    SerializeVersion(ar, AppServices().GetVersionTag());
}

void CDrawImage::SerializeVersion(CArchive& ar, const CString& versionTag) {
    CDrawRect::Serialize(ar);
    if (ar.IsStoring()) {
        if (!TagHasParts(versionTag))
            return;
        // A picture whose file was missing when the page was opened keeps its path and settings: saving
        // the page again must not lose them.
        if (GetOriginalDib() || !GetFilePath().IsEmpty()) {
            ar << kPartPresent;
            SerializeSettings(ar, versionTag);
        } else {
            ar << kPartAbsent;
        }
        ar << (m_pStencil ? kPartPresent : kPartAbsent);
        if (m_pStencil)
            m_pStencil->Serialize(ar);
        ar << (m_pMat ? kPartPresent : kPartAbsent);
        if (m_pMat)
            m_pMat->Serialize(ar);
        return;
    }
    DWORD part = 0;
    ar >> part;
    if (part != kPartAbsent)
        SerializeSettings(ar, versionTag);
    else
        FreeOriginalDib();
    ar >> part;
    RemoveStencil();
    if (part != kPartAbsent)
        m_pStencil = LoadAttachment<CStencil>(ar);
    ar >> part;
    RemoveMat();
    if (part != kPartAbsent)
        m_pMat = LoadAttachment<CMat>(ar);
}

void CDrawImage::SerializeImageData(CArchive& ar) {
    if (ar.IsLoading()) {
        ReadImageData(ar, ReadImageDataLength(ar));
        return;
    }
    if (GetUnwrittenResult()) {
        StoreBmpFileForm(ar, *GetUnwrittenResult());
        return;
    }
    const HANDLE file = GetTempFile();
    if (file == INVALID_HANDLE_VALUE)
        return;
    const std::optional<DWORD> size = TempFileSize(file);
    if (!size)
        AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);
    ar << *size;
    MakeRoom(ar, *size);
    if (!ReadTempFilePieces(file, *size, [&ar](const BYTE* piece, DWORD count) { ar.Write(piece, count); }))
        AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);
}

// Clipboard data can come from any program: the length is checked before anything changes.
DWORD CDrawImage::ReadImageDataLength(CArchive& ar) {
    DWORD length = 0;
    ar >> length;
    if (length > kMaxImageData)
        AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);
    ar.EnsureRemaining(length);
    return length;
}

void CDrawImage::ReadImageData(CArchive& ar, DWORD length) {
    const HANDLE file = GetTempFile();
    if (file == INVALID_HANDLE_VALUE)
        return;
    bool complete = true;
    const bool written = RewriteTempFilePieces(file, length, [&](BYTE* piece, DWORD count) {
        complete = ar.Read(piece, count) == count;
        return complete;
    });
    if (!complete)
        AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
    if (!written)
        AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);
}
