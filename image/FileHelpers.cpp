#include "image/FileHelpers.h"

#include "image/PictureInfo.h"
#include "platform/base/AppServices.h"
#include "platform/gdi/Dc.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Replaces every "<sep>.<sep>" by a single separator, searching again from the start after each change.
void RemoveCurrentSteps(CString& path, char separator) {
    const CString step = CString(separator) + "." + separator;
    for (int at = path.Find(step); at >= 0; at = path.Find(step))
        path = path.Left(at) + path.Mid(at + 2);
}

// Replaces every "<folder><sep>..<sep>" by nothing, so "a/b/../c" becomes "a/c". A step without a folder
// in front keeps its leading separator: "b/../c" becomes "/c".
void RemoveParentSteps(CString& path, char separator) {
    const CString step = CString(separator) + ".." + separator;
    for (int at = path.Find(step); at >= 0; at = path.Find(step)) {
        const int folderStart = path.Left(at).ReverseFind(separator);
        path = (folderStart >= 0 ? path.Left(folderStart) : CString()) + path.Mid(at + 3);
    }
}

} // namespace

void AddTrailingBackslash(CString& path) {
    path.TrimRight();
    if (path.IsEmpty() || (path.Right(1) != "/" && path.Right(1) != "\\"))
        path += '/';
}

CString SplitPathDrive(const char* path) {
    if (!path || path[0] == '\0' || path[1] != ':')
        return CString();
    return CString(path, 2);
}

CString GetFileExtension(const CString& path) {
    const int dot = path.ReverseFind('.');
    return dot >= 0 ? path.Mid(dot + 1) : CString();
}

void GetFileExtension(CString& extension, const CString& path) {
    extension = GetFileExtension(path);
}

CString GetFileNamePart(const CString& path) {
    const int separator = std::max(path.ReverseFind('/'), path.ReverseFind('\\'));
    return separator >= 0 ? path.Mid(separator + 1) : CString();
}

CString MakeCompanionPath(const CString& path, const char* extension) {
    const int nameStart = std::max(path.ReverseFind('/'), path.ReverseFind('\\')) + 1;
    const int dot = path.ReverseFind('.');
    const CString stem = dot >= nameStart ? path.Left(dot) : path;
    return stem + extension;
}

CString NormalizePath(const CString& path) {
    CString result = path;
    RemoveCurrentSteps(result, '/');
    RemoveCurrentSteps(result, '\\');
    RemoveParentSteps(result, '/');
    RemoveParentSteps(result, '\\');
    return result;
}

bool NeedsBase64Encoding(const CString& text) {
    return text.Find("  ") >= 0 || text.Find('\n') >= 0;
}

bool LoadResourceBitmapWithPalette(CBitmap& bitmap, const char* name, CDC* dc) {
    CPictureInfo picture;
    if (!name || !picture.LoadResource(name, AppServices().GetResourceModule()))
        return false;
    const BITMAPINFOHEADER* header = picture.GetHeader();
    CPalette palette;
    CPalette* previous = nullptr;
    if (header->biBitCount <= 8 && dc) {
        const WORD count =
            static_cast<WORD>(header->biClrUsed ? header->biClrUsed : 1u << header->biBitCount);
        const auto* table =
            reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(header) + header->biSize);
        std::vector<BYTE> storage(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
        auto* logical = reinterpret_cast<LOGPALETTE*>(storage.data());
        logical->palVersion = 0x300;
        logical->palNumEntries = count;
        for (WORD i = 0; i < count; ++i)
            logical->palPalEntry[i] = PALETTEENTRY{table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
        if (palette.CreatePalette(logical)) {
            previous = dc->SelectPalette(&palette, FALSE);
            dc->RealizePalette();
        }
    }
    const HBITMAP made = CreateDIBitmap(dc ? dc->GetSafeHdc() : nullptr, header, CBM_INIT, picture.GetBits(),
                                        reinterpret_cast<const BITMAPINFO*>(header), DIB_RGB_COLORS);
    if (previous)
        dc->SelectPalette(previous, FALSE);
    if (!made)
        return false;
    bitmap.DeleteObject();
    bitmap.Attach(made);
    return true;
}
