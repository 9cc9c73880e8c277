#include "library/ShippedLibrary.h"

#include "library/ResType.h"
#include "platform/base/AtomicFileWriter.h"
#include "platform/base/FileApi.h"
#include "platform/base/Path.h"

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

bool Exists(const CString& path) {
    return GetFileAttributes(path) != INVALID_FILE_ATTRIBUTES;
}

// Copies a file that is not yet at target; the copy appears whole or not at all.
bool CopyNew(const CString& source, const CString& target) {
    std::ifstream in(source.str(), std::ios::binary);
    if (!in)
        return false;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return false;
    return WriteFileAtomically(target, bytes.data(), bytes.size()) != FALSE;
}

} // namespace

bool CopyShippedAlbums(const CString& dataPath, const CString& installPath, const CString& folder) {
    const CString userFolder = dataPath + folder, shippedFolder = installPath + folder;
    const CString userList = userFolder + "/albums.dat", shippedList = shippedFolder + "/albums.dat";
    if (Exists(userList) || !Exists(shippedList))
        return true;
    std::vector<CString> names;
    if (!ReadAlbumList(shippedList, "zip", names))
        return false;
    for (const CString& name : names) {
        if (Exists(userFolder + name))
            return true;
    }
    // The archives first, so that the list never names an archive that is not there; after a failure the
    // copies made go again, so that a later start finds the folder as it was.
    std::vector<CString> copied;
    for (const CString& name : names) {
        if (!CopyNew(shippedFolder + name, userFolder + name))
            break;
        copied.push_back(userFolder + name);
    }
    if (copied.size() == names.size() && CopyNew(shippedList, userList))
        return true;
    for (const CString& path : copied)
        DeleteFile(path);
    return false;
}

bool CopyShippedTemplateList(const CString& dataPath, const CString& installPath, const CString& folder) {
    const CString userList = dataPath + folder + "/Templ.dat",
                  shippedList = installPath + folder + "/Templ.dat";
    if (Exists(userList) || !Exists(shippedList))
        return true;
    return CopyNew(shippedList, userList);
}
