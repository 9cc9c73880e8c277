#pragma once
// IScanAlbumDlg: the album dialog that started a scan, as the main window sees it when the scanned
// pictures arrive. The album dialog implements it; tests record what it is given.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

class IScanAlbumDlg {
public:
    virtual ~IScanAlbumDlg() = default;
    // Adds the picture file to the album; FALSE when it could not be added.
    virtual BOOL AddPhotoFile(const CString& path) = 0;
};
