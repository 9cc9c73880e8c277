#include "library/LibrarySetup.h"

#include "library/ShippedLibrary.h"
#include "platform/base/Module.h"
#include "platform/base/Path.h"
#include "platform/base/Profile.h"

namespace {

constexpr char kSettings[] = "Settings";

struct KindSettings {
    const char* installType;
    const char* name;
    const char* folderValue;
    const char* folder;
};

// The kinds as the installer set them up: the resources that ship with the program stay in the install
// folder, the user's own go to the data folder, and a file in the data folder wins.
constexpr KindSettings kKinds[] = {
    {"PictureInstallType", "PhotoName", "PictureDataPath", "/Bilder"},
    {"ClipartInstallType", "ClipartName", "ClipartDataPath", "/Cliparts"},
    {"FrameInstallType", "FrameName", "FrameDataPath", "/Rahmen"},
    {"StencilInstallType", "StencilName", "StencilDataPath", "/Schablonen"},
};
constexpr int kInstallEither = 2;

bool HasValue(const char* entry) {
    for (const CString& name : GetProfileValueNames(kSettings)) {
        if (name.CompareNoCase(entry) == 0)
            return true;
    }
    return false;
}

void WriteFirstSettings(const CString& installPath) {
    WriteProfileString(kSettings, "DataPath", GetUserDataFolder());
    WriteProfileString(kSettings, "InstallPath", installPath);
    for (const KindSettings& kind : kKinds) {
        WriteProfileInt(kSettings, kind.installType, kInstallEither);
        WriteProfileString(kSettings, kind.name, "");
        WriteProfileString(kSettings, kind.folderValue, kind.folder);
    }
    WriteProfileInt(kSettings, "PrnTplInstallType", kInstallEither);
    WriteProfileString(kSettings, "Vorlagen", "Vorlagen");
    WriteProfileString(kSettings, "PrnTplDataPath", "/Vorlagen");
    // A new user's first picture lies on an A4 page of the shipped templates.
    WriteProfileString(kSettings, "Template", "Einzelbilder");
}

} // namespace

bool PrepareLibrarySettings() {
    const CString installPath = GetProgramFolder() + "/library";
    if (!HasValue("DataPath"))
        WriteFirstSettings(installPath);
    // Only the layout of this platform, an absolute data folder, ties the install folder to the program; a
    // Windows layout ("\Data" below the program) is left as it is.
    const CString dataPath = GetProfileString(kSettings, "DataPath", "");
    if (dataPath.IsEmpty() || dataPath[0] != '/')
        return true;
    if (GetProfileString(kSettings, "InstallPath", "") != installPath)
        WriteProfileString(kSettings, "InstallPath", installPath);
    bool made = MakeFolderPath(dataPath);
    for (const KindSettings& kind : kKinds) {
        const CString folder = BackslashesToSlashes(GetProfileString(kSettings, kind.folderValue, ""));
        if (folder.IsEmpty())
            continue;
        made = MakeFolderPath(dataPath + folder) && made;
        made = CopyShippedAlbums(dataPath, installPath, folder) && made;
    }
    const CString templates = BackslashesToSlashes(GetProfileString(kSettings, "PrnTplDataPath", ""));
    if (!templates.IsEmpty()) {
        made = MakeFolderPath(dataPath + templates) && made;
        made = CopyShippedTemplateList(dataPath, installPath, templates) && made;
    }
    return made;
}
