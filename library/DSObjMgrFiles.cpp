// The object manager's work on the files of entries, through the codec plug-in manager and the imaging
// library: entries made from files, file information, the filters of the open dialogs.
#include "image/ExtMgr.h"
#include "image/FileHelpers.h"
#include "library/DSObjMgr.h"
#include "library/KindClasses.h"
#include "library/ResType.h"
#include "library/zip/Crc32Static.h"
#include "platform/base/Path.h"
#include "platform/imaging/ImagingFile.h"

namespace {

constexpr COLORREF kThumbnailBackground = 0xFFFFFF;

// Whether path lies inside folder (letter case ignored): then the rest of path after it, from its separator.
bool RestInsideFolder(const CString& path, const CString& folder, CString& rest) {
    if (folder.IsEmpty() || path.GetLength() <= folder.GetLength() ||
        path.Left(folder.GetLength()).CompareNoCase(folder) != 0 || path[folder.GetLength()] != '/')
        return false;
    rest = path.Mid(folder.GetLength());
    return true;
}

// Whether a codec plug-in opens the file: what the open dialogs' filter lists.
bool IsOpenablePicture(const CString& path) {
    const CExtMgr* extensions = GetExtMgr();
    return extensions != nullptr && extensions->FindPluginForOpen(GetFileExtension(path)) != nullptr;
}

} // namespace

CDSObj* CDSObjMgr::NewObjectOfKind(CResType* kind, bool keepAlbumOwned, bool fromFile, const CString& path) {
    if (fromFile && !IsOpenablePicture(path))
        return nullptr;
    CDSObj* entry = kind != nullptr ? CreateKindEntry(kind->GetTypeId()) : nullptr;
    if (entry == nullptr)
        return nullptr;
    if (!keepAlbumOwned)
        entry->SetAlbumOwned(false);
    const CString file = BackslashesToSlashes(path);
    if (const CResType* entryKind = GetResTypeOfObject(entry)) {
        // Stored relative when the file lies in the kind's own folder, so the library can move; the
        // stored rest keeps its letter case.
        CString rest;
        const bool relative = RestInsideFolder(
            NormalizePath(file), NormalizePath(GetDataDir() + entryKind->GetSubDirectory()), rest);
        entry->SetRelative(relative);
        entry->SetFilePath(relative ? rest : path);
    }
    if (!fromFile)
        return entry;
    if (CExtMgr* extensions = GetExtMgr()) {
        entry->SetThumbnail(extensions->CreateThumbnailForFile(file, CSize(kThumbnailSide, kThumbnailSide),
                                                               kThumbnailBackground, 0, 1));
    }
    const CString name = GetFileNamePart(file);
    entry->SetHref(name + ".xml");
    entry->SetThumbnailName(name + ".thumb.bmp");
    DWORD crc = 0;
    if (CCrc32Static::FileCrcByReadFile(ResolvePathCase(file), crc) == 0)
        entry->SetCrc(crc);
    return entry;
}

bool CDSObjMgr::ReadImageInfo(CDSObj* entry, bool force) const {
    if (entry == nullptr)
        return false;
    if (!force && entry->GetFileSize() != -1)
        return true;
    ImagingFileInfo info;
    if (!ReadImagingFileInfo(GetObjectFilePath(entry), info))
        return false;
    entry->SetImageInfo(static_cast<int>(info.fileSize), CSize(info.width, info.height), info.bitsPerPixel);
    return true;
}

CString CDSObjMgr::GetFileFilter(const CResType* kind, bool withAllEntry) const {
    if (kind == nullptr)
        return CString();
    if (kind->GetTypeId() >= kResTypePictures && kind->GetTypeId() <= kResTypeClipart) {
        const CExtMgr* extensions = GetExtMgr();
        return extensions != nullptr ? extensions->BuildOpenFilter(withAllEntry) : CString();
    }
    if (kind->GetTypeId() != kResTypeTextFiles)
        return CString();
    CString filter;
    filter.Format("%s (*.%s)|*.%s|", "text files", "txt", "txt");
    return filter + "|";
}
