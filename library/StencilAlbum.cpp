#include "library/StencilAlbum.h"

#include "library/Stencil.h"

IMPLEMENT_DYNCREATE(CStencilAlbum, CDSAlbum)

CDSObj* CStencilAlbum::NewObject() {
    return new CStencil;
}
