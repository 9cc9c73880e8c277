#pragma once
// CPhotoAlbum: the album kind of the user's photos. Besides the titles it sorts by the photos' files on
// disk (extension, size, modification time) and by their descriptions.

#include "library/DSAlbum.h"

class CPhotoAlbum : public CDSAlbum {
    DECLARE_DYNCREATE(CPhotoAlbum)
public:
    // Keys 0 and 1 as every album; 2 extension, 3 file size, 4 modification time, 5 description. A pair
    // whose file status cannot be read stays where it is in sorts by size and time.
    void Sort(const int& key, const bool& ascending) override;
    CDSObj* NewObject() override;
};
