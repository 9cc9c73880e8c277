#include "app/CameraPictures.h"

#include "image/ExtMgr.h"
#include "image/PictureInfo.h"
#include "platform/scan/PhotoCamera.h"

#include <cstring>
#include <limits>
#include <memory>

HGLOBAL DecodeCameraPicture(CExtMgr& codecs, const void* data, std::size_t size, const CString& extension) {
    if (size == 0 || size > std::numeric_limits<DWORD>::max())
        return nullptr;
    HGLOBAL file = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!file)
        return nullptr;
    {
        CGlobalLock lock(file);
        std::memcpy(lock.Bytes(), data, size);
    }
    CPictureInfo* mask = nullptr;
    std::unique_ptr<CPictureInfo> picture(
        codecs.LoadFromMemory(file, static_cast<DWORD>(size), extension, mask));
    delete mask;
    GlobalFree(file);
    if (!picture || !picture->IsValid())
        return nullptr;
    HGLOBAL dib = GlobalAlloc(GMEM_MOVEABLE, picture->GetLength());
    if (dib) {
        CGlobalLock lock(dib);
        std::memcpy(lock.Bytes(), picture->GetHeader(), picture->GetLength());
    }
    return dib;
}

void UseCodecsForCameras(CExtMgr& codecs) {
    SetCameraPictureDecoder([&codecs](const void* data, std::size_t size, const CString& extension) {
        return DecodeCameraPicture(codecs, data, size, extension);
    });
}
