#pragma once
// Dropped data in the form the program reads it: COleDataObject offers the dropped files as a CF_HDROP
// block (a DROPFILES header and the paths, each ended by a zero, the list ended by another), made from the
// desktop's text/uri-list. Only local files count; other addresses are left out.

#include "platform/base/Geometry.h"
#include "platform/base/GlobalMemory.h"
#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

#include <vector>

using CLIPFORMAT = WORD;
using HDROP = HANDLE;
using DROPEFFECT = DWORD;

inline constexpr CLIPFORMAT CF_HDROP = 15;
inline constexpr DWORD TYMED_HGLOBAL = 1;
inline constexpr DWORD DVASPECT_CONTENT = 1;
inline constexpr DROPEFFECT DROPEFFECT_NONE = 0;
inline constexpr DROPEFFECT DROPEFFECT_COPY = 1;
inline constexpr DROPEFFECT DROPEFFECT_MOVE = 2;
inline constexpr DROPEFFECT DROPEFFECT_LINK = 4;

struct FORMATETC {
    CLIPFORMAT cfFormat;
    void* ptd;
    DWORD dwAspect;
    LONG lindex;
    DWORD tymed;
};

struct STGMEDIUM {
    DWORD tymed;
    HGLOBAL hGlobal;
    void* pUnkForRelease;
};

// The header of a CF_HDROP block; the paths begin pFiles bytes from its start.
struct DROPFILES {
    DWORD pFiles;
    POINT pt;
    BOOL fNC;
    BOOL fWide;
};
static_assert(sizeof(DROPFILES) == 20);

class COleDataObject {
public:
    COleDataObject() = default;
    // The local files among the dropped addresses, in their order.
    explicit COleDataObject(std::vector<CString> files) : m_files(std::move(files)) {}

    BOOL IsDataAvailable(CLIPFORMAT format, const FORMATETC* formatEtc = nullptr) const;
    // A new CF_HDROP block in medium (freed with ReleaseStgMedium); FALSE for other formats or no files.
    BOOL GetData(CLIPFORMAT format, STGMEDIUM* medium, const FORMATETC* formatEtc = nullptr) const;
    const std::vector<CString>& Files() const { return m_files; }

private:
    std::vector<CString> m_files;
};

void ReleaseStgMedium(STGMEDIUM* medium);
// index 0xFFFFFFFF: the number of files. Otherwise copies file index into buffer (size characters with
// the terminator, cut to fit) and returns the characters copied; with a null buffer the path's length.
UINT DragQueryFile(HDROP drop, UINT index, LPTSTR buffer, UINT size);
