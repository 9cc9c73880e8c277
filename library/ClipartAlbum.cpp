#include "library/ClipartAlbum.h"

#include "library/Clipart.h"

IMPLEMENT_DYNCREATE(CClipartAlbum, CDSAlbum)

CDSObj* CClipartAlbum::NewObject() {
    return new CClipart;
}
