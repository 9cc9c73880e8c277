#pragma once
// CClipartAlbum: the clipart album: pictures placed on a page with transparency. Its entries are CClipart
// objects.

#include "library/DSAlbum.h"

class CClipartAlbum : public CDSAlbum {
    DECLARE_DYNCREATE(CClipartAlbum)
public:
    CClipartAlbum() = default;
    ~CClipartAlbum() override = default;

    CDSObj* NewObject() override;
};
