#pragma once
// A resource library in a temporary folder for one test: a temporary profile with the settings of the
// four album kinds (pictures installed in the data folder, the others looked up in both folders), the
// data and install folders, fake application services and a manager reading it all.

#include "library/DSObjMgr.h"
#include "library/Photo.h"
#include "library/ResType.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

class LibraryFixture : public testing::Test {
protected:
    LibraryFixture();
    ~LibraryFixture() override;

    // Starts a new manager from the profile, as a new start of the program does.
    void Restart();
    CResType* Pictures() const { return m_manager->GetResType(kResTypePictures); }
    CString DataDir() const { return m_folder.Path() + "/data"; }
    CString InstallDir() const { return m_folder.Path() + "/install"; }
    CString PicturesFolder() const { return DataDir() + "/Bilder"; }

    // A file of the bytes at path (folders made as needed).
    static void WriteFile(const CString& path, std::string_view bytes);
    static std::string ReadFile(const CString& path);
    // A new photo of a file written into the pictures folder under name, with a small thumbnail whose
    // colour tells photos apart; stored relative to the folder, as the manager stores such files.
    CPhoto* NewPhoto(const CString& name, const CString& title, int shade = 0);
    // A user album of the pictures kind.
    CDSAlbum* NewAlbum(const CString& title);
    // The titles of the album's entries in album order, joined by "|".
    static std::string Titles(const CDSAlbum* album);

    TempFolder m_folder;
    FakeAppServices m_app;
    std::unique_ptr<CDSObjMgr> m_manager;
};
