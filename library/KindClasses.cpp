#include "library/KindClasses.h"

#include "library/Clipart.h"
#include "library/ClipartAlbum.h"
#include "library/DSObjMgr.h"
#include "library/Mat.h"
#include "library/MatAlbum.h"
#include "library/Photo.h"
#include "library/PhotoAlbum.h"
#include "library/Stencil.h"
#include "library/StencilAlbum.h"

CDSAlbum* CreateKindAlbum(int typeId) {
    switch (typeId) {
    case kResTypePictures:
        return new CPhotoAlbum;
    case kResTypeStencils:
        return new CStencilAlbum;
    case kResTypeFrames:
        return new CMatAlbum;
    case kResTypeClipart:
        return new CClipartAlbum;
    default:
        return nullptr;
    }
}

CDSObj* CreateKindEntry(int typeId) {
    switch (typeId) {
    case kResTypePictures:
        return new CPhoto;
    case kResTypeStencils:
        return new CStencil;
    case kResTypeFrames:
        return new CMat;
    case kResTypeClipart:
        return new CClipart;
    default:
        return nullptr;
    }
}

int GetKindOfAlbum(const CDSAlbum* album) {
    if (album == nullptr)
        return -1;
    if (album->IsKindOf(RUNTIME_CLASS(CPhotoAlbum)))
        return kResTypePictures;
    if (album->IsKindOf(RUNTIME_CLASS(CStencilAlbum)))
        return kResTypeStencils;
    if (album->IsKindOf(RUNTIME_CLASS(CMatAlbum)))
        return kResTypeFrames;
    if (album->IsKindOf(RUNTIME_CLASS(CClipartAlbum)))
        return kResTypeClipart;
    return -1;
}

int GetKindOfEntry(const CDSObj* entry) {
    if (entry == nullptr)
        return -1;
    if (entry->IsKindOf(RUNTIME_CLASS(CPhoto)))
        return kResTypePictures;
    if (entry->IsKindOf(RUNTIME_CLASS(CStencil)))
        return kResTypeStencils;
    if (entry->IsKindOf(RUNTIME_CLASS(CMat)))
        return kResTypeFrames;
    if (entry->IsKindOf(RUNTIME_CLASS(CClipart)))
        return kResTypeClipart;
    return -1;
}
