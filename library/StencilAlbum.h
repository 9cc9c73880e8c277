#pragma once
// CStencilAlbum: the stencil album: shapes that clip pictures. Its entries are CStencil objects.

#include "library/DSAlbum.h"

class CStencilAlbum : public CDSAlbum {
    DECLARE_DYNCREATE(CStencilAlbum)
public:
    CStencilAlbum() = default;
    ~CStencilAlbum() override = default;

    CDSObj* NewObject() override;
};
