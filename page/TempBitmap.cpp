// A bitmap file under a unique private name in the temporary folder, removed when the object goes.

#include "page/TempBitmap.h"

#include "image/ExtMgr.h"
#include "image/PictureInfo.h"
#include "platform/base/AppServices.h"
#include "platform/base/TempFile.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

// "The page picture could not be cached."
constexpr UINT kStringTempBitmapFailed = 165;

} // namespace

CTempBitmap::~CTempBitmap() {
    if (!m_path.IsEmpty())
        std::remove(m_path.GetString());
}

bool CTempBitmap::Write(const CPictureInfo& picture) {
    char folder[4096];
    const DWORD length = GetTempPath(sizeof(folder), folder);
    if (length == 0 || length >= sizeof(folder))
        return false;
    // mkstemps makes the name unique and the file readable by its owner only.
    std::string name = std::string(folder) + "~1XXXXXX.bmp";
    const int descriptor = mkstemps(name.data(), 4);
    if (descriptor < 0)
        return false;
    close(descriptor);
    m_path = name.c_str();
    return picture.WriteBmpFile(m_path) != FALSE;
}

OwnedPicture ThroughTempBitmap(const CPictureInfo& picture, CExtMgr& codecs) {
    CTempBitmap temporary;
    OwnedPicture reloaded;
    if (temporary.Write(picture)) {
        CPictureInfo* mask = nullptr;
        reloaded.reset(codecs.LoadFile(temporary.Path(), mask, 0));
        if (mask)
            mask->Release();
    }
    if (!reloaded)
        AppServices().MessageBox(kStringTempBitmapFailed);
    return reloaded;
}
