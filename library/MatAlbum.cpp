#include "library/MatAlbum.h"

#include "library/Mat.h"

IMPLEMENT_DYNCREATE(CMatAlbum, CDSAlbum)

CDSObj* CMatAlbum::NewObject() {
    return new CMat;
}
