#pragma once
// Makes the shipped albums through the program's own library code: a temporary profile whose data folder
// is the output folder, the resource object manager reading it, and per album CreateAlbum, then one entry
// per item as the program adds a file (stored relative to its kind's folder) with its thumbnail.

#include "tools/libgen/LibraryItems.h"

#include <QTemporaryDir>
#include <memory>

class CDSObj;
class CDSObjMgr;

class AlbumWriter {
public:
    // The output folder gets the kinds' folders; zip entries carry a fixed time.
    explicit AlbumWriter(const QString& outputFolder);
    ~AlbumWriter();

    // The kind's folder ("<output>/Bilder" for pictures ...).
    QString KindFolder(int typeId) const;
    // Creates the albums in the kind's list in order; throws std::runtime_error when one fails.
    void WriteAlbums(int typeId, const std::vector<LibraryAlbum>& albums);
    // A new entry of the kind for a file of its folder, stored as the program stores it; the caller's.
    CDSObj* NewEntry(int typeId, const LibraryItem& item) const;

private:
    QTemporaryDir m_profile;
    QString m_output;
    std::unique_ptr<CDSObjMgr> m_manager;
};
