#include "tests/library/LibraryFixture.h"

#include "image/PictureInfo.h"
#include "platform/base/Path.h"
#include "platform/base/Profile.h"

#include <filesystem>
#include <fstream>
#include <sstream>

LibraryFixture::LibraryFixture() {
    SetProfileFolderForTesting(m_folder.Path() + "/profile");
    WriteProfileString("Settings", "DataPath", DataDir());
    WriteProfileString("Settings", "InstallPath", InstallDir());
    WriteProfileInt("Settings", "PictureInstallType", 0);
    WriteProfileString("Settings", "PictureDataPath", "\\Bilder");
    WriteProfileInt("Settings", "ClipartInstallType", 2);
    WriteProfileString("Settings", "ClipartDataPath", "/Cliparts");
    WriteProfileInt("Settings", "FrameInstallType", 2);
    WriteProfileString("Settings", "FrameDataPath", "/Rahmen");
    WriteProfileInt("Settings", "StencilInstallType", 2);
    WriteProfileString("Settings", "StencilDataPath", "/Schablonen");
    m_app.SetString(31443, "Bilder");
    m_app.SetString(31548, "Festplatte");
    m_app.SetString(31447, "Scanner");
    m_app.SetString(31448, "Kamera");
    m_app.SetString(31549, "Zuletzt verwendet");
    m_app.SetString(65509, "%s|%s");
    MakeFolderPath(PicturesFolder());
    Restart();
}

LibraryFixture::~LibraryFixture() {
    m_manager.reset();
    SetProfileFolderForTesting("");
}

void LibraryFixture::Restart() {
    m_manager.reset();
    m_manager = std::make_unique<CDSObjMgr>();
    m_manager->LoadInstallSettings();
}

void LibraryFixture::WriteFile(const CString& path, std::string_view bytes) {
    std::filesystem::create_directories(std::filesystem::path(path.str()).parent_path());
    std::ofstream(path.str(), std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string LibraryFixture::ReadFile(const CString& path) {
    std::ifstream file(path.str(), std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

CPhoto* LibraryFixture::NewPhoto(const CString& name, const CString& title, int shade) {
    WriteFile(PicturesFolder() + "/" + name, "picture " + title.str());
    auto* photo = new CPhoto;
    photo->SetFilePath("/" + name);
    photo->SetRelative(true);
    photo->SetTitle(title);
    photo->SetThumbnail(CPictureInfo::CreateFilled(CSize(5, 3), RGB(shade, 100, 200), 24));
    return photo;
}

CDSAlbum* LibraryFixture::NewAlbum(const CString& title) {
    return m_manager->CreateAlbum(Pictures(), title);
}

std::string LibraryFixture::Titles(const CDSAlbum* album) {
    std::string titles;
    for (POSITION pos = album->GetObjectList().GetHeadPosition(); pos != nullptr;) {
        titles += (titles.empty() ? "" : "|") + album->GetObjectList().GetNext(pos)->GetTitle().str();
    }
    return titles;
}
