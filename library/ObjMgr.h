#pragma once
// CObjMgr: the base of the resource object manager, with what it keeps beside the resource kinds: the
// "Transition" clipboard format, the web templates' settings, the install and program folders and the
// current photo album.

#include "platform/base/Object.h"
#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

class CDSAlbum;

class CObjMgr : public CObject {
    DECLARE_DYNAMIC(CObjMgr)
public:
    // Registers the "Transition" clipboard format.
    CObjMgr();
    ~CObjMgr() override;

    UINT GetTransitionFormat() const { return m_nTransitionFormat; }
    // -1 when "WebTplInstallType" is absent.
    int GetWebTemplateInstallType() const { return m_nWebTplInstallType; }
    const CString& GetWebTemplateArchive() const { return m_strWebTplArchive; }

    // Not owned; the kind owns it.
    CDSAlbum* GetCurrentPhotoAlbum() const { return m_pCurrentPhotoAlbum; }
    void SetCurrentPhotoAlbum(CDSAlbum* album) { m_pCurrentPhotoAlbum = album; }

protected:
    int m_nWebTplInstallType = -1;
    CString m_strInstallPath;
    CString m_strAppDir; // the program folder, without a trailing separator
    CString m_strWebTplArchive;
    UINT m_nTransitionFormat = 0;
    CDSAlbum* m_pCurrentPhotoAlbum = nullptr;
};
