#pragma once
// CMatAlbum: the frame album: decorative frames laid around pictures. Its entries are CMat objects.

#include "library/DSAlbum.h"

class CMatAlbum : public CDSAlbum {
    DECLARE_DYNCREATE(CMatAlbum)
public:
    CMatAlbum() = default;
    ~CMatAlbum() override = default;

    CDSObj* NewObject() override;
};
