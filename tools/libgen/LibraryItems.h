#pragma once
// The shipped library's items as the generator draws them: each kind's pictures written into its folder,
// with the titles their albums give them.

#include <QImage>
#include <QString>
#include <vector>

// One file of a kind's folder and the title its entry carries.
struct LibraryItem {
    QString file; // the name in the kind's folder, ASCII
    QString title;
};

// One album of a kind: its title and its items in album order.
struct LibraryAlbum {
    QString title;
    std::vector<LibraryItem> items;
};

// Each writes its pictures (and their companion files) into folder and returns the albums to make; they
// throw std::runtime_error when a file cannot be written.
std::vector<LibraryAlbum> WritePhotos(const QString& folder);
std::vector<LibraryAlbum> WriteCliparts(const QString& folder);
std::vector<LibraryAlbum> WriteMats(const QString& folder);
std::vector<LibraryAlbum> WriteStencils(const QString& folder);

// Saves the picture in the format of the file's extension (JPEG at quality 90); throws on failure.
void SavePicture(const QImage& picture, const QString& path);
