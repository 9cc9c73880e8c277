// The CF_HDROP block fetched as global memory, every name queried, the medium released.

#include "resmanager/DroppedFiles.h"

#include "platform/ui/OleDataObject.h"

#include <string>

std::vector<CString> ReadDroppedFiles(COleDataObject* data) {
    std::vector<CString> files;
    if (!data || !data->IsDataAvailable(CF_HDROP))
        return files;
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (!data->GetData(CF_HDROP, &medium, &format))
        return files;
    const auto drop = static_cast<HDROP>(medium.hGlobal);
    const UINT count = DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::string path(DragQueryFile(drop, i, nullptr, 0) + 1, '\0');
        DragQueryFile(drop, i, path.data(), static_cast<UINT>(path.size()));
        path.pop_back();
        files.emplace_back(path.c_str());
    }
    ReleaseStgMedium(&medium);
    return files;
}
