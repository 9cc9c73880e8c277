#include "library/ShippedLibrary.h"

#include "library/xml/XmlHelpers.h"
#include "platform/base/AtomicFileWriter.h"
#include "platform/base/FileApi.h"
#include "platform/base/Path.h"
#include "platform/xml/XmlPtr.h"

#include <cctype>
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

// "/album<n>.zip" (either separator): a name inside the kind's folder.
bool IsAlbumFileName(const CString& path) {
    const std::string name = BackslashesToSlashes(path).str();
    const std::string prefix = "/album", suffix = ".zip";
    if (name.size() <= prefix.size() + suffix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    for (std::size_t i = prefix.size(); i < name.size() - suffix.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i])))
            return false;
    }
    return true;
}

// The album file names of the list, in order; false when it cannot be read.
bool ReadAlbumNames(const CString& listPath, std::vector<CString>& names) {
    CXmlPtr<CXmlDocument> document(XmlLoadFromFile(listPath));
    if (!document)
        return false;
    CXmlPtr<CXmlElement> root(XmlGetRoot(document.Get()));
    CXmlPtr<CXmlElementCollection> items(XmlGetChildren(root.Get()));
    const long count = XmlGetLength(items.Get());
    for (long i = 0; i < count; ++i) {
        CXmlPtr<CXmlElement> item(XmlGetItemByIndex(items.Get(), i));
        CString path;
        XmlGetAttribute(item.Get(), "path", path);
        if (IsAlbumFileName(path))
            names.push_back(BackslashesToSlashes(path));
    }
    return true;
}

} // namespace

bool CopyShippedAlbums(const CString& dataPath, const CString& installPath, const CString& folder) {
    const CString userFolder = dataPath + folder, shippedFolder = installPath + folder;
    const CString userList = userFolder + "/albums.dat", shippedList = shippedFolder + "/albums.dat";
    if (Exists(userList) || !Exists(shippedList))
        return true;
    std::vector<CString> names;
    if (!ReadAlbumNames(shippedList, names))
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
