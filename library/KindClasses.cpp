#include "library/KindClasses.h"

#include "library/DSObjMgr.h"
#include "library/Photo.h"
#include "library/PhotoAlbum.h"

CDSAlbum* CreateKindAlbum(int typeId) {
    switch (typeId) {
    case kResTypePictures:
        return new CPhotoAlbum;
    default:
        return nullptr;
    }
}

CDSObj* CreateKindEntry(int typeId) {
    switch (typeId) {
    case kResTypePictures:
        return new CPhoto;
    default:
        return nullptr;
    }
}

int GetKindOfAlbum(const CDSAlbum* album) {
    if (album == nullptr)
        return -1;
    if (album->IsKindOf(RUNTIME_CLASS(CPhotoAlbum)))
        return kResTypePictures;
    return -1;
}

int GetKindOfEntry(const CDSObj* entry) {
    if (entry == nullptr)
        return -1;
    if (entry->IsKindOf(RUNTIME_CLASS(CPhoto)))
        return kResTypePictures;
    return -1;
}
